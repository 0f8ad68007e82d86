#include "pages/upgrade_dialog.h"

#include "dialog_ids/upgrade_ids.h"
#include "pages/firmware_info_dialog.h"
#include "pages/status_panel.h"
#include "pages/upgrade_message_dialog.h"
#include "pages/upgrade_procedure.h"
#include "shell/shell_dialogs.h"
#include "shell/shell_ids.h"

namespace quillon {

using namespace platform;
using namespace dialog_ids::upgrade;

namespace {

static_assert(kUpgradeButton == ID_UPGRADE && kExitButton == ID_QUIT);

constexpr int kCaption = 8550;
constexpr int kCheckFile = 6350;
constexpr int kCaution = 6355;
constexpr int kUpgradeText = 6360;
constexpr int kExitText = 6365;
constexpr int kVersionPrefix = 9845;
constexpr int kHelpText = 7055;
constexpr int kSendingText = 6405;
constexpr int kSuccessfulText = 6415;
constexpr int kLargerModel = 30;
constexpr int kSmallestModel = 20;

// "Upgrade Version: VornISDN Q30:  1.3.4  BOOT CODE 1.02"
std::string version_line(const std::string& prefix, const AppState& state)
{
    std::string model;
    if (state.modelNumber == kLargerModel)
        model = state.isUsb ? "Q30-USB" : "Q30";
    else if (state.modelNumber >= kSmallestModel)
        model = "Q" + std::to_string(state.modelNumber);
    else
        model = "Q??";
    return prefix + " VornISDN " + model + ":  " + state.firmwareVersion + "  BOOT CODE " + state.secondVersion;
}

class UpgradeDialog : public Window {
public:
    explicit UpgradeDialog(MainWindow& main)
        : Window(main.shell().ui, &main), main_(main), shell_(main.shell()), panel_(shell_, *this, kStatusPanel)
    {
        create(shell_.dialog_id(ids::kUpgradeDialog), WindowRole::Modal);
        set_caption(shell_.text(kCaption));
        set_text(kCheckFileText, shell_.text(kCheckFile));
        set_text(kCautionText, shell_.text(kCaution));
        set_text(kUpgradeButton, shell_.text(kUpgradeText));
        set_text(kExitButton, shell_.text(kExitText));
        set_text(kVersionLine, version_line(shell_.text(kVersionPrefix), shell_.state));
    }

    // How the dialog looks while a file is being sent.
    void show_transfer_under_way(int blocksSent)
    {
        panel_.set_text(kSendingText);
        panel_.set_position(blocksSent, static_cast<int>(kRomBlockCount));
        panel_.show(true);
    }

    void on_command(int id, int code) override
    {
        if (code != BN_CLICKED || busy_)
            return;
        switch (id) {
        case kUpgradeButton: upgrade(); break;
        case kExitButton:
        case IDCANCEL: end_modal(IDCANCEL); break;
        case ID_HELP: show_help(shell_, this, kHelpText, kCaption); break;
        default: break;
        }
    }
    // The close box waits, like every other button, while an upgrade runs.
    void on_close() override
    {
        if (!busy_)
            end_modal(IDCANCEL);
    }

private:
    void upgrade()
    {
        busy_ = true;
        for (int id : {kUpgradeButton, kExitButton, ID_HELP})
            set_enabled(id, false);
        const UpgradeProcedure::Ending ending = UpgradeProcedure(main_, *this, panel_).run();
        for (int id : {kUpgradeButton, kExitButton, ID_HELP})
            set_enabled(id, true);
        busy_ = false;
        switch (ending) {
        case UpgradeProcedure::Ending::Installed: end_modal(IDOK); break;
        case UpgradeProcedure::Ending::Cancelled: end_modal(IDCANCEL); break;
        case UpgradeProcedure::Ending::Quit:
            shell_.ui.post_command(main_, ID_QUIT);
            end_modal(IDCANCEL);
            break;
        }
    }

    MainWindow& main_;
    ShellContext& shell_;
    StatusPanel panel_;
    bool busy_ = false;
};

} // namespace

int run_upgrade_dialog(MainWindow& main)
{
    UpgradeDialog dialog(main);
    return dialog.run_modal();
}

void preview_upgrade_dialogs(MainWindow& main)
{
    ShellContext& shell = main.shell();
    const AppState& state = shell.state;
    const FirmwareFacts device{state.modelName, state.firmwareVersion, state.secondVersion};
    const FirmwareFacts file{state.modelName, "1.4.0", state.secondVersion};
    run_firmware_info_dialog(shell, main, device, file);
    show_upgrade_message(shell, main, kSuccessfulText);
    UpgradeDialog dialog(main);
    dialog.show_transfer_under_way(static_cast<int>(kRomBlockCount) * 3 / 5);
    dialog.run_modal();
}

} // namespace quillon
