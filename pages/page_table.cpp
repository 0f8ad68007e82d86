#include "pages/page_table.h"

#include <array>

#include "pages/call_acceptance_page.h"
#include "pages/call_filter_page.h"
#include "pages/call_log_page.h"
#include "pages/charges_page.h"
#include "pages/data_callback.h"
#include "pages/data_protocol_page.h"
#include "pages/forwarding_page.h"
#include "pages/isdn_info_dialog.h"
#include "pages/lcr_page.h"
#include "pages/msn_page.h"
#include "pages/profile_sequences.h"
#include "pages/settings_dialog.h"
#include "pages/short_dial_page.h"
#include "pages/status_monitor.h"
#include "pages/timer_page.h"
#include "pages/upgrade_dialog.h"

namespace quillon {

using namespace platform;

namespace {

using PageMaker = std::unique_ptr<Page> (*)(ShellContext&, Window&);

// By page index; null: the page is still to be built.
constexpr std::array<PageMaker, kPageCount> kPageMakers = {
    make_msn_page, make_call_acceptance_page, make_short_dial_page, make_forwarding_page, make_call_filter_page,
    make_data_protocol_page, make_lcr_page, make_charges_page, make_timer_page, make_call_log_page,
};

} // namespace

std::unique_ptr<Page> make_page(ShellContext& shell, Window& main, int index)
{
    if (PageMaker make = kPageMakers.at(static_cast<std::size_t>(index)))
        return make(shell, main);
    return std::make_unique<Page>(shell, main, index);
}

void install_pages_and_dialogs(MainWindow& main)
{
    main.set_page_factory(make_page);
    main.set_command_dialog(ID_SETTINGS, run_settings_dialog);
    main.set_command_dialog(ID_DATA_CALLBACK, run_data_callback_dialog);
    main.set_command_dialog(ID_MONITOR, run_status_monitor);
    main.set_command_dialog(ID_ISDN_INFO, run_isdn_info_dialog);
    main.set_command_dialog(ID_SAVE_PROFILE, run_save_profile_as);
    main.set_command_dialog(ID_LOAD_PROFILE, run_load_profile);
    main.set_command_dialog(ID_UPGRADE, run_upgrade_dialog);
    main.set_message_hook(UWM_SAVE_PROFILE, [](MainWindow& m, const Message& msg) -> intptr_t {
        return save_profile_sequence(m, static_cast<int>(msg.wparam)) ? 1 : 0;
    });
    main.set_message_hook(UWM_LOAD_PROFILE, [](MainWindow& m, const Message& msg) -> intptr_t {
        load_profile_sequence(m, static_cast<int>(msg.wparam));
        return 1;
    });
}

} // namespace quillon
