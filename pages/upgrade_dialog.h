// Extras > "Installing an upgrade": the dialog that replaces the device's
// firmware with a ROM file, also opened at start for a device waiting in
// its boot loader.
#pragma once

#include "shell/main_window.h"

namespace quillon {

// Runs the dialog; returns IDOK after a successful upgrade, IDCANCEL
// otherwise. An upgrade that must end the program posts ID_QUIT to the main
// window first.
int run_upgrade_dialog(MainWindow& main);

// For pictures of the windows: Firmware Info with an example file, the
// closing message, and the upgrade dialog with its status panel halfway
// through a transfer. Nothing reaches the device.
void preview_upgrade_dialogs(MainWindow& main);

} // namespace quillon
