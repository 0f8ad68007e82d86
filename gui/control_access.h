// Reading and setting a control's value whatever widget shows it. Values
// set here never notify the window.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include <QPointer>
#include <QWidget>

#include "gui/picture_library.h"
#include "resources/dialog_template.h"

namespace quillon::gui {

struct ControlRecord {
    resources::ControlKind kind = resources::ControlKind::Static;
    QPointer<QWidget> widget;
    // The text last given, as given: statics show it without '&' marks and
    // pictures read it as a picture id.
    std::string text;
};

// Edits give what the user typed, lists their current entry, everything
// else the text last given.
std::string control_text(const ControlRecord& control);
void set_control_text(ControlRecord& control, std::string_view text, PictureLibrary& pictures);

// 0 or 1 (2: indeterminate check box); page buttons: selected; port
// pictures: the busy marker.
int control_check(const ControlRecord& control);
void set_control_check(ControlRecord& control, int state);

// The current entry of a list, drop-down list, selector or port picture; -1 for none and
// for other controls. Indices outside the entries select none.
int control_selection(const ControlRecord& control);
void set_control_selection(ControlRecord& control, int index);

// Replaces the entries; the current entry stays when it still exists.
void set_control_items(ControlRecord& control, const std::vector<std::string>& items,
                       const std::vector<std::string>& shown);

} // namespace quillon::gui
