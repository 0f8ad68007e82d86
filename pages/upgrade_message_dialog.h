// The closing message of an upgrade: one text and OK.
#pragma once

#include "platform/window.h"
#include "shell/shell_context.h"

namespace quillon {

inline constexpr int kUpgradeMessageDialog = 848;

// Shows string `textBase` (in the current language) until OK or close.
void show_upgrade_message(ShellContext& shell, platform::Window& owner, int textBase);

} // namespace quillon
