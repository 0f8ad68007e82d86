// What the Qt backend keeps about one logic window.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <vector>

#include <QButtonGroup>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QWidget>

#include "gui/control_access.h"
#include "gui/dialog_units.h"
#include "gui/window_events.h"
#include "platform/backend.h"
#include "resources/menu.h"

namespace quillon::gui {

struct WindowRecord : std::enable_shared_from_this<WindowRecord> {
    platform::Window* window = nullptr;
    platform::WindowRole role = platform::WindowRole::Modeless;
    // Set when the window is destroyed: callbacks still holding the record
    // must no longer reach the logic window.
    bool destroyed = false;

    QPointer<QWidget> top;            // the window itself
    QPointer<QWidget> controlParent;  // where its controls live
    QPointer<WindowEvents> events;
    DialogUnitScale units;
    std::map<int, ControlRecord> controls;
    // Control ids in template order (a control placed over a placeholder
    // takes the placeholder's place): the tab order and where labels are
    // looked for.
    std::vector<int> controlOrder;
    QPointer<QButtonGroup> radioGroup;
    std::map<int, QPointer<QTimer>> timers;
    QString caption;
    const resources::Menu* menu = nullptr;
    std::map<int, bool> menuEnabled;  // commands greyed out, or enabled again

    // Main window: the page shown in its page area, and the menu its bar
    // shows (the shown page's, else its own).
    std::weak_ptr<WindowRecord> shownPage;
    const resources::Menu* barMenu = nullptr;
    bool placed = false;  // opened once in the middle of the screen

    // Page: the main window it lies in (none for a page without one, which
    // then stands on its own).
    std::weak_ptr<WindowRecord> mainWindow;

    // Modal: end_modal came before run_modal.
    std::optional<int> earlyResult;
    bool running = false;
};

using RecordPtr = std::shared_ptr<WindowRecord>;
using WeakRecord = std::weak_ptr<WindowRecord>;

// The record while its window lives, else null.
inline RecordPtr live(const WeakRecord& weak)
{
    RecordPtr record = weak.lock();
    return record && !record->destroyed ? record : nullptr;
}

} // namespace quillon::gui
