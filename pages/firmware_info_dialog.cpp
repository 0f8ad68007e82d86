#include "pages/firmware_info_dialog.h"

#include "dialog_ids/firmware_info_ids.h"
#include "shell/shell_ids.h"

namespace quillon {

using namespace platform;
using namespace dialog_ids::firmware_info;

namespace {

static_assert(kInstallButton == kInstallUpgrade);

constexpr int kCaption = 9850;
constexpr int kDeviceHeadingText = 6430;
constexpr int kFileHeadingText = 6435;
constexpr int kInstallText = 6665;
constexpr int kModelLabel = 6670;
constexpr int kFirmwareLabel = 9855;
constexpr int kBootCodeLabel = 9860;

class FirmwareInfoDialog : public Window {
public:
    FirmwareInfoDialog(ShellContext& shell, Window& owner) : Window(shell.ui, &owner)
    {
        create(shell.dialog_id(kFirmwareInfoDialog), WindowRole::Modal);
    }

    void on_command(int id, int code) override
    {
        if (code == BN_CLICKED && (id == kInstallButton || id == IDCANCEL))
            end_modal(id);
    }
    void on_close() override { end_modal(IDCANCEL); }
};

void show_block(ShellContext& shell, Window& w, const FirmwareFacts& facts, int model, int firmware, int bootCode)
{
    w.set_text(model, shell.text(kModelLabel) + "  : " + facts.modelName);
    w.set_text(firmware, shell.text(kFirmwareLabel) + " " + facts.firmwareVersion);
    w.set_text(bootCode, shell.text(kBootCodeLabel) + " " + facts.bootCode);
}

} // namespace

int run_firmware_info_dialog(ShellContext& shell, Window& owner, const FirmwareFacts& device,
                             const FirmwareFacts& file)
{
    FirmwareInfoDialog dialog(shell, owner);
    dialog.set_caption(shell.text(kCaption));
    dialog.set_text(kModemHeading, shell.text(kDeviceHeadingText));
    dialog.set_text(kFileHeading, shell.text(kFileHeadingText));
    dialog.set_text(kInstallButton, shell.text(kInstallText));
    dialog.set_text(IDCANCEL, shell.text(ids::kCancel));
    show_block(shell, dialog, device, kModemModel, kModemFirmware, kModemBootCode);
    show_block(shell, dialog, file, kFileModel, kFileFirmware, kFileBootCode);
    return dialog.run_modal();
}

} // namespace quillon
