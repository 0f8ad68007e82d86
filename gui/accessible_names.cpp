#include "gui/accessible_names.h"

#include <algorithm>

#include <QLabel>

#include "gui/picture_widgets.h"
#include "resources/menu.h"

namespace quillon::gui {
namespace {

using resources::ControlKind;

QString qt_text(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

bool is_picture_button(const ControlRecord& c) { return dynamic_cast<PictureButton*>(c.widget.data()) != nullptr; }

// Controls whose caption says what they are.
bool has_caption(const ControlRecord& c)
{
    switch (c.kind) {
    case ControlKind::CheckBox:
    case ControlKind::RadioButton:
    case ControlKind::TabButton:
    case ControlKind::Group:
        return true;
    case ControlKind::PushButton:
        return !is_picture_button(c);
    default:
        return false;
    }
}

// Controls a label can describe; statics, pictures and frames describe themselves.
bool wants_label(const ControlRecord& c)
{
    switch (c.kind) {
    case ControlKind::Static:
    case ControlKind::Group:
    case ControlKind::Picture:
    case ControlKind::Placeholder:
        return false;
    default:
        return true;
    }
}

// A static that says something: a lone "-" between two fields names neither.
bool is_label(const ControlRecord& c)
{
    if (c.kind != ControlKind::Static)
        return false;
    const QString text = plain_caption(c.text);
    return std::any_of(text.begin(), text.end(), [](QChar ch) { return ch.isLetterOrNumber(); });
}

bool shares_row(const QWidget& a, const QWidget& b)
{
    const QRect ra = a.geometry();
    const QRect rb = b.geometry();
    return ra.top() <= rb.bottom() && rb.top() <= ra.bottom();
}

struct Label {
    const ControlRecord* control = nullptr;
    bool adjacent = false;  // nothing but placeholders between label and control
};

Label label_of(std::size_t index, const std::vector<const ControlRecord*>& ordered)
{
    const QWidget& self = *ordered[index]->widget;
    Label before;
    bool adjacent = true;
    for (std::size_t i = index; i-- > 0;) {
        const ControlRecord& c = *ordered[i];
        if (is_label(c)) {
            before = {&c, adjacent};
            break;
        }
        if (c.kind != ControlKind::Placeholder)
            adjacent = false;
    }
    if (before.control && shares_row(*before.control->widget, self))
        return before;
    for (std::size_t i = index + 1; i < ordered.size(); ++i) {
        const ControlRecord& c = *ordered[i];
        if (c.kind == ControlKind::Placeholder)
            continue;
        if (is_label(c) && shares_row(*c.widget, self))
            return {&c, true};
        break;
    }
    return before;
}

// The innermost group frame around the control's centre.
const ControlRecord* group_of(const QWidget& self, const std::vector<const ControlRecord*>& ordered)
{
    const ControlRecord* inner = nullptr;
    qint64 innerArea = 0;
    for (const ControlRecord* c : ordered) {
        if (c->kind != ControlKind::Group || c->widget.data() == &self)
            continue;
        const QRect frame = c->widget->geometry();
        const qint64 area = static_cast<qint64>(frame.width()) * frame.height();
        if (frame.contains(self.geometry().center()) && (!inner || area < innerArea)) {
            inner = c;
            innerArea = area;
        }
    }
    return inner;
}

void set_name(QWidget& widget, const QString& name, const QString& description)
{
    if (widget.accessibleName() != name)
        widget.setAccessibleName(name);
    if (widget.accessibleDescription() != description)
        widget.setAccessibleDescription(description);
}

} // namespace

QString plain_caption(std::string_view text) { return qt_text(resources::strip_mnemonics(text)).simplified(); }

QString label_display_text(std::string_view text, bool hasBuddy)
{
    return hasBuddy ? qt_text(text) : qt_text(resources::strip_mnemonics(text));
}

void name_controls(const std::vector<int>& order, const std::map<int, ControlRecord>& controls,
                   const QString& helpName, const QString& windowCaption)
{
    std::vector<const ControlRecord*> ordered;
    for (int id : order)
        if (auto found = controls.find(id); found != controls.end() && found->second.widget)
            ordered.push_back(&found->second);

    std::map<const QWidget*, QWidget*> buddies;  // label -> the control it describes
    for (std::size_t i = 0; i < ordered.size(); ++i) {
        const ControlRecord& c = *ordered[i];
        if (!wants_label(c) && !has_caption(c))
            continue;
        QWidget& widget = *c.widget;
        const ControlRecord* group = group_of(widget, ordered);
        const QString groupCaption = group ? plain_caption(group->text) : QString();
        QString name = has_caption(c) ? plain_caption(c.text) : QString();
        if (c.kind == ControlKind::HelpButton)
            name = helpName.isEmpty() ? windowCaption : helpName;
        if (name.isEmpty() && c.kind != ControlKind::Group) {
            const Label label = label_of(i, ordered);
            if (label.control) {
                name = plain_caption(label.control->text);
                if (label.adjacent && c.kind == ControlKind::Edit)
                    buddies.emplace(label.control->widget.data(), &widget);
            }
        }
        if (name.isEmpty())
            name = groupCaption;
        if (name.isEmpty())
            name = windowCaption;
        set_name(widget, name, groupCaption == name ? QString() : groupCaption);
    }

    for (const ControlRecord* c : ordered) {
        auto* label = qobject_cast<QLabel*>(c->widget.data());
        if (!label)
            continue;
        auto found = buddies.find(label);
        QWidget* buddy = found == buddies.end() ? nullptr : found->second;
        if (label->buddy() != buddy)
            label->setBuddy(buddy);
        const QString shown = label_display_text(c->text, buddy != nullptr);
        if (label->text() != shown)
            label->setText(shown);
    }
}

} // namespace quillon::gui
