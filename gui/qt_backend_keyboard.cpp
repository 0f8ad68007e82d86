// Keyboard and assistive tools: control names, the tab chain, Tab through
// the logic and the keys that turn the pages.
#include "gui/qt_backend.h"

#include <QWidget>

#include "gui/accessible_names.h"
#include "gui/control_tags.h"
#include "gui/page_shortcuts.h"
#include "gui/tab_button.h"
#include "gui/tab_chain.h"
#include "gui/window_events.h"
#include "platform/message_ids.h"
#include "platform/window.h"

namespace quillon::gui {

using platform::WindowRole;

QString QtBackend::help_name() const
{
    // The menu in the bar of the application window; its Help is the popup
    // with the About command.
    for (const auto& [window, record] : windows_) {
        if (record->role != WindowRole::Main || !record->barMenu)
            continue;
        for (const resources::MenuItem& popup : record->barMenu->items)
            for (const resources::MenuItem& item : popup.children)
                if (item.kind == resources::MenuItem::Kind::Command && item.id == platform::ID_ABOUT)
                    return plain_caption(popup.caption);
    }
    return QString();
}

void QtBackend::name_controls_of(const WindowRecord& record) const
{
    name_controls(record.controlOrder, record.controls, help_name(), record.caption);
}

void QtBackend::chain_controls_of(const WindowRecord& record) const
{
    apply_tab_order(record.controlOrder, record.controls);
}

bool QtBackend::is_field(const WindowRecord& record, const QWidget& widget)
{
    const auto id = tagged_control_id(&widget);
    auto found = id ? record.controls.find(*id) : record.controls.end();
    if (found == record.controls.end() || found->second.widget.data() != &widget)
        return false;
    return resources::is_field_kind(found->second.kind);
}

bool QtBackend::tab_through_logic(const WeakRecord& window, bool backwards)
{
    const RecordPtr record = live(window);
    if (!record || !record->top)
        return false;
    const QPointer<QWidget> from = record->top->focusWidget();
    const int messagesBefore = messageBoxesShown_;
    if (!send_key(window, platform::Key::Tab))
        return false;
    // The window stored the field and moved on to its next field, forward
    // only. Unless it refused the entry with a message, the focus stops at
    // the buttons, lists and pictures between the fields too, and Shift+Tab
    // goes back along the window's tab chain.
    const RecordPtr after = live(window);
    if (!after || !after->top || !from || messageBoxesShown_ != messagesBefore || !after->top->isAncestorOf(from))
        return true;
    QWidget* next = next_in_tab_chain(*after->top, *from, !backwards);
    if (next && (backwards || !is_field(*after, *next)))
        next->setFocus(Qt::TabFocusReason);
    return true;
}

void QtBackend::bring_focus_into(const WindowRecord& page)
{
    QWidget* top = page.top.data();
    QWidget* window = top ? top->window() : nullptr;
    if (!window || window == top)
        return;
    if (QWidget* focus = window->focusWidget(); focus && focus->isVisible() && top->isAncestorOf(focus))
        return;
    QWidget* target = top->focusWidget();
    if (!target || !target->isVisible() || !target->isEnabled())
        target = next_in_tab_chain(*top, *top, true);
    if (target)
        target->setFocus(Qt::OtherFocusReason);
}

void QtBackend::turn_page(const WeakRecord& main, int step)
{
    const RecordPtr record = live(main);
    if (!record)
        return;
    std::vector<int> buttons;
    int current = -1;
    for (int id : record->controlOrder) {
        auto found = record->controls.find(id);
        const auto* tab = found == record->controls.end() ? nullptr : dynamic_cast<TabButton*>(found->second.widget.data());
        if (!tab || tab->isHidden() || !tab->isEnabled())
            continue;
        if (tab->selected())
            current = static_cast<int>(buttons.size());
        buttons.push_back(id);
    }
    const int next = page_after(current, step, static_cast<int>(buttons.size()));
    if (record->top)
        show_keyboard_focus(*record->top);
    // As a click on the page button: the page in front may keep the user.
    if (next >= 0)
        post_command_to_front(main, buttons[static_cast<std::size_t>(next)]);
}

} // namespace quillon::gui
