#include "pages/page_factory.h"

#include "pages/data_callback.h"
#if __has_include("pages/msn_page.h")
#include "pages/msn_page.h"
#define QUILLON_HAVE_MSN_PAGE 1
#endif
#include "pages/profile_sequences.h"
#include "pages/settings_dialog.h"

namespace quillon {

using namespace platform;

void install_pages_and_dialogs(MainWindow& main)
{
    main.set_page_factory([](ShellContext& shell, Window& mainWindow, int index) -> std::unique_ptr<Page> {
#ifdef QUILLON_HAVE_MSN_PAGE
        if (index == 0)
            return make_msn_page(shell, mainWindow);
#endif
        return std::make_unique<Page>(shell, mainWindow, index);
    });
    main.set_command_dialog(ID_SETTINGS, run_settings_dialog);
    main.set_command_dialog(ID_DATA_CALLBACK, run_data_callback_dialog);
    main.set_command_dialog(ID_SAVE_PROFILE, run_save_profile_as);
    main.set_command_dialog(ID_LOAD_PROFILE, run_load_profile);
    main.set_message_hook(UWM_SAVE_PROFILE, [](MainWindow& m, const Message& msg) -> intptr_t {
        return save_profile_sequence(m, static_cast<int>(msg.wparam)) ? 1 : 0;
    });
    main.set_message_hook(UWM_LOAD_PROFILE, [](MainWindow& m, const Message& msg) -> intptr_t {
        load_profile_sequence(m, static_cast<int>(msg.wparam));
        return 1;
    });
    main.set_message_hook(UWM_PROGRESS_TICK, [](MainWindow& m, const Message&) -> intptr_t {
        progress_tick(m);
        return 1;
    });
}

} // namespace quillon
