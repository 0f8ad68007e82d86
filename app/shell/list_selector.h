// The drop-down list selector of the pages (caller-ID presentation,
// acceptance mode, ring count): a control of the window it sits on, whose
// texts follow the language and whose pick reaches the window as
// UWM_CONTROL_CLICK with the control's id.
#pragma once

#include "platform/window.h"
#include "shell/languages.h"

namespace quillon {

class ListSelector {
public:
    // Creates the control over `rect` (dialog units) on `window`.
    ListSelector(platform::Window& window, SelectorKind kind, int id, const platform::Rect& rect, bool shown,
                 int language);

    int id() const { return id_; }
    int count() const;
    int current() const;
    void set_current(int index);
    // Re-selects the texts of the language; the current entry stays.
    void set_language(int language);

private:
    platform::Window& window_;
    SelectorKind kind_;
    int id_;
};

} // namespace quillon
