// The firmware upgrade itself, run from the upgrade dialog: the ROM file
// choice, Firmware Info, the settings saved before, the device check,
// download mode, the transfer, the verdict, and what follows each verdict.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "pages/rom_identity.h"
#include "pages/status_panel.h"
#include "platform/backend.h"
#include "shell/main_window.h"

namespace quillon {

class UpgradeProcedure {
public:
    enum class Ending {
        Installed,  // the new firmware runs and the settings are back
        Cancelled,  // nothing was sent; the program goes on
        Quit,       // the program must end
    };

    UpgradeProcedure(MainWindow& main, platform::Window& dialog, StatusPanel& panel);
    Ending run();

private:
    // The image of a file the user picks; files that are no image are
    // refused with a message and the choice offered again. Nothing on cancel.
    std::optional<std::vector<std::uint8_t>> choose_file();
    bool confirm(const RomIdentity& file);
    // The call check and download mode; false when the upgrade must stop.
    bool prepare_device();
    void transfer(const std::vector<std::uint8_t>& image);
    int32_t await_verdict();
    int32_t boot_reset();
    void finish_installation();
    void tell(int textBase);
    int32_t send(uint32_t code, DrvCmd& record);

    MainWindow& main_;
    ShellContext& shell_;
    platform::Window& dialog_;
    StatusPanel& panel_;
    platform::FileDialogRequest fileRequest_;
};

} // namespace quillon
