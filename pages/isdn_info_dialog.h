// Extras > "ISDN/Modem Info": the line state, the cause of the last
// disconnection, model and versions and the device's texts of AT commands,
// read again every three seconds while the dialog is open.
#pragma once

#include "shell/main_window.h"

namespace quillon {

inline constexpr int kIsdnInfoTimer = 1;
inline constexpr int kIsdnInfoPeriodMs = 3000;

int run_isdn_info_dialog(MainWindow& main);

} // namespace quillon
