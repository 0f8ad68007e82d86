// The BOD configuration dialog: the four bandwidth-on-demand thresholds of
// the data port. It only edits them; the data protocol page hands them in,
// takes them back on OK, sends them and keeps them in its profile section.
#pragma once

#include <optional>

#include "shell/shell_context.h"

namespace quillon {

struct BodValues {
    int highWater = 0;     // kbit/s: above it for highDuration adds a B-channel
    int lowWater = 0;      // kbit/s: below it for lowDuration drops one
    int highDuration = 0;  // minutes
    int lowDuration = 0;   // minutes
    bool operator==(const BodValues&) const = default;
};

// Runs the dialog modally over `owner`; the values the user confirmed with
// OK, nothing after Cancel.
std::optional<BodValues> run_bod_dialog(ShellContext& shell, platform::Window& owner, const BodValues& handedIn);

} // namespace quillon
