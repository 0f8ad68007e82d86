// The shell's small windows: the no-response dialog, the discard dialog, the
// help text window, the About window with its credits, and the splash.
#pragma once

#include <memory>

#include "dialog_ids/no_response_ids.h"
#include "platform/window.h"
#include "shell/shell_context.h"

namespace quillon {

// "Check all cables!": returns dialog_ids::no_response::kTryAgainButton or
// kQuitButton, or anything else when the user closed it.
int run_no_response_dialog(ShellContext& shell, platform::Window* owner);

// "Would you really like to discard the changes you've made?": returns
// ID_STAY, ID_SEND, ID_DISCARD, or IDCANCEL when closed.
int run_discard_dialog(ShellContext& shell, platform::Window* owner);

// The help text window with text base and title base.
void show_help(ShellContext& shell, platform::Window* owner, int textBase, int titleBase);

// The About window (modal), from which the credits open.
void show_about(ShellContext& shell, platform::Window* owner);

// The splash window shown while the program starts.
class SplashWindow : public platform::Window {
public:
    explicit SplashWindow(ShellContext& shell);
};

} // namespace quillon
