// Watches a window and its controls for what the logic hears about before
// the controls do: Enter, Tab and Escape, and edits losing the focus.
#pragma once

#include <functional>
#include <optional>

#include <QObject>

#include "platform/backend.h"

class QWidget;
class QKeyEvent;

namespace quillon::gui {

class WindowEvents : public QObject {
public:
    struct Handlers {
        // A key typed in the window; true when the logic took it. Unset for
        // windows whose keys the logic does not look at.
        std::function<bool(platform::Key)> key;
        // An edit lost the focus.
        std::function<void(int id)> focus_lost;
        // Tab (backwards: Shift+Tab) typed in the window; true when taken.
        // Unset: Tab goes to `key`.
        std::function<bool(bool backwards)> tab;
    };

    // Lives as long as the window widget, its parent.
    WindowEvents(QWidget& window, Handlers handlers);

    void watch_control(QWidget& control, bool isEdit);

    // Enter, Tab and Escape without Ctrl or Alt; Shift+Tab counts as Tab.
    static std::optional<platform::Key> routed_key(const QKeyEvent& event);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool is_control(const QObject* object) const;

    QWidget& window_;
    Handlers handlers_;
};

// The focus moved by the keyboard, through the logic: shown as such in the
// window of `widget`.
void show_keyboard_focus(QWidget& widget);

} // namespace quillon::gui
