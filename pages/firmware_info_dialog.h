// "Firmware Info": the connected device beside the chosen upgrade file, each
// with model, firmware and boot code, before anything is installed.
#pragma once

#include <string>

#include "platform/window.h"
#include "shell/shell_context.h"

namespace quillon {

struct FirmwareFacts {
    std::string modelName;
    std::string firmwareVersion;
    std::string bootCode;
};

inline constexpr int kFirmwareInfoDialog = 824;

// Returns kInstallUpgrade when the user chose "Install Upgrade", anything
// else (IDCANCEL) otherwise.
inline constexpr int kInstallUpgrade = 1053;
int run_firmware_info_dialog(ShellContext& shell, platform::Window& owner, const FirmwareFacts& device,
                             const FirmwareFacts& file);

} // namespace quillon
