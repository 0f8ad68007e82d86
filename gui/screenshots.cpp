#include "gui/screenshots.h"

#include <cstdio>
#include <filesystem>

#include <QAbstractButton>
#include <QCoreApplication>

#include "dialog_ids/about_ids.h"
#include "pages/upgrade_dialog.h"
#include "shell/shell_dialogs.h"
#include "shell/shell_ids.h"

namespace quillon::gui {

namespace {

constexpr const char* kLanguageCodes[] = {"en", "de", "fr"};

} // namespace

bool take_screenshots(QtBackend& backend, platform::Ui& ui, Application& app, const std::string& directory)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::create_directories(directory, ec);
    MainWindow* main = app.main_window();
    if (ec || !main)
        return false;
    ShellContext& shell = app.shell();
    bool ok = true;
    auto settle = [&] {
        for (int i = 0; i < 3; ++i) {
            ui.pump();
            QCoreApplication::processEvents();
        }
    };
    auto take = [&](platform::Window& w, const std::string& name) {
        const std::string path = (fs::path(directory) / name).string();
        if (!backend.screenshot(w, path)) {
            std::fprintf(stderr, "quillon: cannot save %s\n", path.c_str());
            ok = false;
        }
    };

    for (int language = 0; language < 3; ++language) {
        const std::string code = kLanguageCodes[language];
        shell.state.language = language;
        ui.send(*main, platform::UWM_SET_LANGUAGE);
        settle();
        for (int page = 0; page < platform::kPageCount; ++page) {
            ui.post_command(*main, platform::ID_PAGE_FIRST + page);
            settle();
            take(*main, "page" + std::to_string(page) + "-" + code + ".png");
        }
        backend.set_modal_observer([&](platform::Window& dialog) {
            settle();
            take(dialog, "dialog" + std::to_string(dialog.template_id()) + "-" + code + ".png");
            // The About window leads on to the credits.
            if (QWidget* credits = backend.control_widget(dialog, dialog_ids::about::kCreditsButton))
                if (auto* button = qobject_cast<QAbstractButton*>(credits); button && button->isVisible())
                    button->click();
            return platform::IDCANCEL;
        });
        show_help(shell, main, ids::kPageHelpTextBase, ids::kPageCaptionBase);
        run_discard_dialog(shell, main);
        run_no_response_dialog(shell, main);
        show_about(shell, main);
        preview_upgrade_dialogs(*main);
        for (int command : {platform::ID_SETTINGS, platform::ID_DATA_CALLBACK, platform::ID_MONITOR,
                            platform::ID_ISDN_INFO}) {
            ui.post_command(*main, command);
            settle();
        }
        // The BOD dialog opens from the data protocol page (page 5).
        ui.post_command(*main, platform::ID_PAGE_FIRST + 5);
        settle();
        ui.send_command(*main->page(5), platform::ID_EXTRA_BUTTON);
        backend.set_modal_observer(nullptr);
        SplashWindow splash(shell);
        settle();
        take(splash, "splash-" + code + ".png");
    }
    shell.state.language = 0;
    ui.send(*main, platform::UWM_SET_LANGUAGE);
    return ok;
}

} // namespace quillon::gui
