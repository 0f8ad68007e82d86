#include "gui/tab_chain.h"

namespace quillon::gui {

bool takes_tab_focus(const QWidget& widget)
{
    return (widget.focusPolicy() & Qt::TabFocus) != 0 && !widget.focusProxy();
}

void apply_tab_order(const std::vector<int>& order, const std::map<int, ControlRecord>& controls)
{
    QWidget* previous = nullptr;
    for (int id : order) {
        auto found = controls.find(id);
        QWidget* widget = found == controls.end() ? nullptr : found->second.widget.data();
        if (!widget || !takes_tab_focus(*widget))
            continue;
        if (previous)
            QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}

QWidget* next_in_tab_chain(const QWidget& window, QWidget& from, bool forward)
{
    // The chain is a ring through every widget of the top-level window; a
    // full turn ends at `from` again.
    QWidget* widget = &from;
    for (;;) {
        widget = forward ? widget->nextInFocusChain() : widget->previousInFocusChain();
        if (!widget || widget == &from)
            return nullptr;
        if (window.isAncestorOf(widget) && takes_tab_focus(*widget) && widget->isEnabled() && widget->isVisible())
            return widget;
    }
}

} // namespace quillon::gui
