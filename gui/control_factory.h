// Builds the widget of one template control and wires what the user does
// with it to the window's notifications.
#pragma once

#include <functional>

#include <QButtonGroup>
#include <QPointer>
#include <QWidget>

#include "gui/dialog_units.h"
#include "gui/picture_library.h"
#include "resources/dialog_template.h"

namespace quillon::gui {

struct ControlEvents {
    // A notification to send to the window as WM_COMMAND (id, code).
    std::function<void(int id, int code)> command;
    // A page button was clicked.
    std::function<void(int id)> tab_clicked;
    // The user picked an entry of a list selector or a port picture.
    std::function<void(int id)> selector_picked;
};

struct ControlContext {
    QWidget& parent;
    DialogUnitScale units;
    PictureLibrary& pictures;
    // Radio buttons join this group; one marked GROUPSTART begins a new one.
    QPointer<QButtonGroup>& radioGroup;
    ControlEvents events;
};

// Pictures, picture buttons and port pictures take their own size at the
// control's position; everything else the control's rectangle.
QWidget* create_control(const resources::ControlTemplate& control, ControlContext& context);

// The help button is 15 x 15 pixels whatever its rectangle says.
inline constexpr int kHelpButtonSize = 15;
inline constexpr int kHelpPicture = 247;
inline constexpr int kHelpPressedPicture = 359;

// The page buttons' bold label font before it shrinks to fit. Their fixed
// widths suit a narrow 11-pixel face; today's sans-serif faces run wider,
// so the labels start at the size of a 9-pixel template font.
inline constexpr int kTabFontPixels = 9;

} // namespace quillon::gui
