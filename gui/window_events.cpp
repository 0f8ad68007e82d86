#include "gui/window_events.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QWidget>

#include "gui/control_tags.h"

namespace quillon::gui {
namespace {

constexpr const char* kEditProperty = "quillonEdit";

} // namespace

WindowEvents::WindowEvents(QWidget& window, Handlers handlers)
    : QObject(&window), window_(window), handlers_(std::move(handlers))
{
    window_.installEventFilter(this);
}

void WindowEvents::watch_control(QWidget& control, bool isEdit)
{
    control.setProperty(kEditProperty, isEdit);
    control.installEventFilter(this);
}

std::optional<platform::Key> WindowEvents::routed_key(const QKeyEvent& event)
{
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return std::nullopt;
    switch (event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return platform::Key::Enter;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return platform::Key::Tab;
    case Qt::Key_Escape:
        return platform::Key::Escape;
    default:
        return std::nullopt;
    }
}

bool WindowEvents::is_control(const QObject* object) const
{
    return tagged_control_id(object).has_value();
}

bool WindowEvents::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusOut && watched->property(kEditProperty).toBool()) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        // A menu or a drop-down opening does not move the focus away.
        if (reason == Qt::PopupFocusReason)
            return false;
        // Left for another control, a field shows the start of its text
        // again; another window coming to the front keeps its selection.
        if (auto* edit = qobject_cast<QLineEdit*>(watched); edit && reason != Qt::ActiveWindowFocusReason)
            edit->setCursorPosition(0);
        if (handlers_.focus_lost)
            handlers_.focus_lost(tagged_control_id(watched).value_or(0));
        return false;
    }
    if (event->type() != QEvent::KeyPress || !handlers_.key)
        return false;
    // A key the focused control passed on reaches the window next; the
    // logic has seen it already then.
    if (watched == &window_ && is_control(window_.focusWidget()))
        return false;
    const auto& keyEvent = *static_cast<QKeyEvent*>(event);
    const auto key = routed_key(keyEvent);
    if (!key)
        return false;
    const bool taken = *key == platform::Key::Tab && handlers_.tab
                           ? handlers_.tab(keyEvent.key() == Qt::Key_Backtab || (keyEvent.modifiers() & Qt::ShiftModifier))
                           : handlers_.key(*key);
    if (taken && *key != platform::Key::Escape)
        show_keyboard_focus(window_);
    return taken;
}

void show_keyboard_focus(QWidget& widget)
{
    // Styles draw the focus of buttons and check boxes only after the
    // keyboard moved it; the logic moves it by a call of its own.
    QWidget* window = widget.window();
    window->setAttribute(Qt::WA_KeyboardFocusChange);
    if (QWidget* focus = window->focusWidget())
        focus->update();
}

} // namespace quillon::gui
