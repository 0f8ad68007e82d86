// What every window of the shell and the pages reach: the platform layer,
// the program state and the device gate.
#pragma once

#include "platform/ui.h"
#include "shell/app_state.h"
#include "shell/device_gate.h"

namespace quillon {

struct ShellContext {
    platform::Ui& ui;
    AppState& state;
    DeviceGate& gate;

    // The text of a string-table base in the current language.
    const std::string& text(int base) const { return ui.text(base, state.language); }
    // The dialog id for the font size: the even id with large fonts, the odd one without.
    int dialog_id(int evenId) const { return state.largeFonts ? evenId : evenId + 1; }
    void beep_if_sound() const
    {
        if (state.soundOn)
            ui.beep();
    }
};

} // namespace quillon
