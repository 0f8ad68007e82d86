// Controls: creation after the template, values, visibility, focus and
// placement.

#include "gui/qt_backend.h"

#include <algorithm>

#include <QLineEdit>

#include "gui/control_factory.h"
#include "gui/control_tags.h"
#include "gui/progress_bar.h"
#include "platform/message_ids.h"
#include "platform/ui.h"
#include "platform/window.h"

namespace quillon::gui {

using platform::Window;

ControlRecord* QtBackend::find_control(const Window& w, int id) const
{
    const RecordPtr record = find(&w);
    if (!record)
        return nullptr;
    auto found = record->controls.find(id);
    return found == record->controls.end() || !found->second.widget ? nullptr : &found->second;
}

QWidget* QtBackend::control_widget(const Window& w, int id) const
{
    const ControlRecord* control = find_control(w, id);
    return control ? control->widget.data() : nullptr;
}

void QtBackend::add_control_to(const RecordPtr& record, const resources::ControlTemplate& c)
{
    if (!record->controlParent)
        return;
    // A control added again under the same id replaces the old one, in its
    // place in the tab order.
    std::vector<int>& order = record->controlOrder;
    const auto orderIndex = static_cast<std::size_t>(std::find(order.begin(), order.end(), c.id) - order.begin());
    if (auto old = record->controls.find(c.id); old != record->controls.end()) {
        if (QWidget* widget = old->second.widget.data()) {
            widget->hide();
            widget->deleteLater();
        }
        record->controls.erase(old);
    }
    const WeakRecord weak = record;
    ControlEvents events;
    events.command = [this, weak](int id, int code) {
        send(weak, platform::WM_COMMAND, platform::command_wparam(id, code));
    };
    events.tab_clicked = [this, weak](int id) { post_command_to_front(weak, id); };
    events.selector_picked = [this, weak](int id) {
        send(weak, platform::UWM_CONTROL_CLICK, static_cast<uintptr_t>(id));
    };
    ControlContext context{*record->controlParent, record->units, pictures_, record->radioGroup, std::move(events)};
    QWidget* widget = create_control(c, context);
    if (record->events)
        record->events->watch_control(*widget, c.kind == resources::ControlKind::Edit);
    record->controls[c.id] = ControlRecord{c.kind, widget, c.text};
    if (orderIndex == order.size())
        order.push_back(c.id);
}

void QtBackend::add_control(Window& w, const resources::ControlTemplate& c)
{
    const RecordPtr record = find(&w);
    if (!record)
        return;
    add_control_to(record, c);
    chain_controls_of(*record);
    name_controls_of(*record);
    relayout_main_of(*record);
}

bool QtBackend::has_control(const Window& w, int id) const { return find_control(w, id) != nullptr; }

std::string QtBackend::text(const Window& w, int id) const
{
    const ControlRecord* control = find_control(w, id);
    return control ? control_text(*control) : std::string();
}

void QtBackend::set_text(Window& w, int id, std::string_view text)
{
    ControlRecord* control = find_control(w, id);
    if (!control)
        return;
    const bool renamed = control->text != text && control->kind != resources::ControlKind::Edit;
    set_control_text(*control, text, pictures_);
    // A new caption or label (a language switch) renames the controls.
    if (renamed)
        if (const RecordPtr record = find(&w))
            name_controls_of(*record);
}

int QtBackend::check(const Window& w, int id) const
{
    const ControlRecord* control = find_control(w, id);
    return control ? control_check(*control) : 0;
}

void QtBackend::set_check(Window& w, int id, int state)
{
    if (ControlRecord* control = find_control(w, id))
        set_control_check(*control, state);
}

int QtBackend::selection(const Window& w, int id) const
{
    const ControlRecord* control = find_control(w, id);
    return control ? control_selection(*control) : -1;
}

void QtBackend::set_selection(Window& w, int id, int index)
{
    if (ControlRecord* control = find_control(w, id))
        set_control_selection(*control, index);
}

void QtBackend::set_items(Window& w, int id, const std::vector<std::string>& items,
                          const std::vector<std::string>& shown)
{
    if (ControlRecord* control = find_control(w, id))
        set_control_items(*control, items, shown);
}

void QtBackend::set_visible(Window& w, int id, bool visible)
{
    if (ControlRecord* control = find_control(w, id)) {
        control->widget->setVisible(visible);
        if (const RecordPtr record = find(&w))
            relayout_main_of(*record);
    }
}

bool QtBackend::visible(const Window& w, int id) const
{
    // The control's own state, whether or not its window is shown.
    const ControlRecord* control = find_control(w, id);
    return control && !control->widget->isHidden();
}

void QtBackend::set_enabled(Window& w, int id, bool enabled)
{
    if (ControlRecord* control = find_control(w, id))
        control->widget->setEnabled(enabled);
}

bool QtBackend::enabled(const Window& w, int id) const
{
    const ControlRecord* control = find_control(w, id);
    return control && control->widget->isEnabledTo(control->widget->parentWidget());
}

void QtBackend::set_focus(Window& w, int id)
{
    ControlRecord* control = find_control(w, id);
    if (!control)
        return;
    control->widget->setFocus(Qt::OtherFocusReason);
    // A field the program (or Enter or Tab, through the logic) moves to is
    // selected whole, so that typing replaces its text.
    if (auto* edit = qobject_cast<QLineEdit*>(control->widget.data()))
        edit->selectAll();
}

int QtBackend::focus(const Window& w) const
{
    const RecordPtr record = find(&w);
    if (!record || !record->top)
        return 0;
    // The window's focus child is kept even while another window is active.
    for (QWidget* widget = record->top->focusWidget(); widget && widget != record->top; widget = widget->parentWidget()) {
        const auto id = tagged_control_id(widget);
        if (!id)
            continue;
        auto found = record->controls.find(*id);
        return found != record->controls.end() && found->second.widget == widget ? *id : 0;
    }
    return 0;
}

void QtBackend::set_control_rect(Window& w, int id, const platform::Rect& pixels)
{
    ControlRecord* control = find_control(w, id);
    if (!control)
        return;
    control->widget->setGeometry(pixels.x, pixels.y, std::max(0, pixels.width), std::max(0, pixels.height));
    if (const RecordPtr record = find(&w))
        relayout_main_of(*record);
}

void QtBackend::set_progress(Window& w, int id, int position, int range)
{
    ControlRecord* control = find_control(w, id);
    if (auto* bar = control ? dynamic_cast<ProgressBarWidget*>(control->widget.data()) : nullptr)
        bar->set_progress(position, range);
}

void QtBackend::place_control_over(Window& w, int id, int placeholderId)
{
    ControlRecord* control = find_control(w, id);
    ControlRecord* place = find_control(w, placeholderId);
    if (!control || !place || !control->widget || !place->widget)
        return;
    control->widget->setGeometry(place->widget->geometry());
    // The control stands for the placeholder: in the tab chain and when
    // labels are looked for, it comes where the template put the placeholder.
    const RecordPtr record = find(&w);
    std::vector<int>& order = record->controlOrder;
    std::erase(order, id);
    auto at = std::find(order.begin(), order.end(), placeholderId);
    order.insert(at == order.end() ? at : at + 1, id);
    chain_controls_of(*record);
    name_controls_of(*record);
}

} // namespace quillon::gui
