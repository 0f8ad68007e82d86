#include "gui/control_factory.h"

#include <algorithm>
#include <cstdint>

#include <QCheckBox>
#include <QComboBox>
#include <QColor>
#include <QLabel>
#include <QPalette>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>

#include "gui/control_tags.h"
#include "gui/group_frame.h"
#include "gui/list_selector.h"
#include "gui/picture_widgets.h"
#include "gui/port_picture_widget.h"
#include "gui/progress_bar.h"
#include "gui/tab_button.h"
#include "platform/message_ids.h"
#include "resources/menu.h"

namespace quillon::gui {
namespace {

using resources::ControlKind;
using resources::ControlTemplate;

QString qt_text(const std::string& text) { return QString::fromStdString(text); }

bool has(const ControlTemplate& c, unsigned style) { return (c.style & style) != 0; }

Qt::Alignment horizontal_alignment(const ControlTemplate& c)
{
    if (has(c, resources::kStyleCenter))
        return Qt::AlignHCenter;
    if (has(c, resources::kStyleRight))
        return Qt::AlignRight;
    return Qt::AlignLeft;
}

void notify_clicks(QAbstractButton* button, int id, const ControlContext& context)
{
    QObject::connect(button, &QAbstractButton::clicked, button,
                     [command = context.events.command, id] { command(id, platform::BN_CLICKED); });
}

QWidget* create_multiline_edit(const ControlTemplate& c, ControlContext& context)
{
    auto* edit = new QPlainTextEdit(qt_text(c.text), &context.parent);
    edit->setReadOnly(has(c, resources::kStyleReadOnly));
    // Tab moves on to the next control, as in every other field.
    edit->setTabChangesFocus(true);
    const int limit = c.maxLength;
    QObject::connect(edit, &QPlainTextEdit::textChanged, edit, [edit, limit, command = context.events.command, id = c.id] {
        if (limit > 0 && edit->document()->characterCount() - 1 > limit) {
            const QSignalBlocker quiet(edit);
            edit->setPlainText(edit->toPlainText().left(limit));
            edit->moveCursor(QTextCursor::End);
        }
        command(id, platform::EN_CHANGE);
    });
    return edit;
}

QWidget* create_line_edit(const ControlTemplate& c, ControlContext& context)
{
    auto* edit = new QLineEdit(&context.parent);
    if (c.maxLength > 0)
        edit->setMaxLength(c.maxLength);
    edit->setText(qt_text(c.text));
    edit->setReadOnly(has(c, resources::kStyleReadOnly));
    edit->setAlignment(horizontal_alignment(c) | Qt::AlignVCenter);
    if (has(c, resources::kStyleNumber))
        edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
    if (has(c, resources::kStylePassword))
        edit->setEchoMode(QLineEdit::Password);
    // textEdited comes from the user only, never from setText.
    QObject::connect(edit, &QLineEdit::textEdited, edit,
                     [command = context.events.command, id = c.id] { command(id, platform::EN_CHANGE); });
    return edit;
}

QWidget* create_push_button(const ControlTemplate& c, ControlContext& context)
{
    QAbstractButton* button = nullptr;
    // "#<n>": drawn as picture n, and n + 1 while pressed.
    const auto pictureId = c.text.starts_with('#') ? parse_picture_id(std::string_view(c.text).substr(1)) : std::nullopt;
    if (pictureId && *pictureId < INT32_MAX) {
        button = new PictureButton(context.pictures.get(*pictureId), context.pictures.get(*pictureId + 1),
                                   &context.parent);
    } else {
        auto* push = new QPushButton(qt_text(c.text), &context.parent);
        // Enter presses only the button the template marks DEFAULT, and
        // only when the window's logic leaves the key alone; a dialog must
        // not make any other button its default on its own.
        push->setAutoDefault(false);
        push->setDefault(has(c, resources::kStyleDefault));
        button = push;
    }
    notify_clicks(button, c.id, context);
    return button;
}

QWidget* create_radio_button(const ControlTemplate& c, ControlContext& context)
{
    auto* radio = new QRadioButton(qt_text(c.text), &context.parent);
    radio->setAutoExclusive(false);
    if (!context.radioGroup || has(c, resources::kStyleGroupStart)) {
        context.radioGroup = new QButtonGroup(&context.parent);
        context.radioGroup->setExclusive(true);
    }
    context.radioGroup->addButton(radio);
    notify_clicks(radio, c.id, context);
    return radio;
}

QWidget* create_static(const ControlTemplate& c, ControlContext& context)
{
    // Statics show "&&" as "&" and drop single "&" marks, like the menus.
    auto* label = new QLabel(qt_text(resources::strip_mnemonics(c.text)), &context.parent);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(has(c, resources::kStyleWrap));
    label->setAlignment(horizontal_alignment(c) | Qt::AlignTop);
    if (has(c, resources::kStyleBorder))
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    return label;
}

QWidget* create_list_box(const ControlTemplate& c, ControlContext& context)
{
    auto* list = new QListWidget(&context.parent);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    QObject::connect(list, &QListWidget::currentRowChanged, list,
                     [command = context.events.command, id = c.id] { command(id, platform::LBN_SELCHANGE); });
    return list;
}

QWidget* create_drop_list(const ControlTemplate& c, ControlContext& context)
{
    auto* combo = new QComboBox(&context.parent);
    QObject::connect(combo, &QComboBox::currentIndexChanged, combo,
                     [command = context.events.command, id = c.id] { command(id, platform::CBN_SELCHANGE); });
    return combo;
}

QWidget* create_tab_button(const ControlTemplate& c, ControlContext& context)
{
    auto* tab = new TabButton(&context.parent);
    tab->setText(qt_text(c.text));
    QFont font = template_font(kTabFontPixels, {});
    font.setBold(true);
    tab->setFont(font);
    QObject::connect(tab, &QAbstractButton::clicked, tab,
                     [clicked = context.events.tab_clicked, id = c.id] { clicked(id); });
    return tab;
}

QWidget* create_selector(const ControlTemplate& c, ControlContext& context)
{
    auto* selector = new ListSelector(&context.parent);
    selector->on_picked = [picked = context.events.selector_picked, id = c.id](int) { picked(id); };
    return selector;
}

QWidget* create_help_button(ControlContext& context)
{
    auto* button = new PictureButton(context.pictures.get(kHelpPicture), context.pictures.get(kHelpPressedPicture),
                                     &context.parent);
    QObject::connect(button, &QAbstractButton::clicked, button,
                     [command = context.events.command] { command(platform::ID_HELP, platform::BN_CLICKED); });
    return button;
}

QWidget* create_port_picture(const ControlTemplate& c, ControlContext& context)
{
    auto* picture = new PortPictureWidget(resources::port_picture_kind_from_text(c.text),
                                          has(c, resources::kStyleDropDown), context.pictures, &context.parent);
    picture->on_picked = [picked = context.events.selector_picked, id = c.id](int) { picked(id); };
    return picture;
}

QWidget* create_widget(const ControlTemplate& c, ControlContext& context)
{
    switch (c.kind) {
    case ControlKind::Edit:
        return has(c, resources::kStyleMultiline) ? create_multiline_edit(c, context) : create_line_edit(c, context);
    case ControlKind::CheckBox: {
        auto* box = new QCheckBox(qt_text(c.text), &context.parent);
        notify_clicks(box, c.id, context);
        return box;
    }
    case ControlKind::RadioButton:
        return create_radio_button(c, context);
    case ControlKind::PushButton:
        return create_push_button(c, context);
    case ControlKind::Static:
        return create_static(c, context);
    case ControlKind::ListBox:
        return create_list_box(c, context);
    case ControlKind::DropList:
        return create_drop_list(c, context);
    case ControlKind::Group:
        return new GroupFrame(qt_text(c.text), &context.parent);
    case ControlKind::Placeholder: {
        auto* mark = new QWidget(&context.parent);
        mark->setAttribute(Qt::WA_TransparentForMouseEvents);
        return mark;
    }
    case ControlKind::Picture: {
        const auto id = parse_picture_id(c.text);
        auto* view = new PictureView(id ? context.pictures.get(*id) : Picture(), &context.parent);
        // Like a static that notifies: a click reports the picture's id.
        view->on_click([command = context.events.command, controlId = c.id] { command(controlId, platform::BN_CLICKED); });
        return view;
    }
    case ControlKind::TabButton:
        return create_tab_button(c, context);
    case ControlKind::ListSelector:
        return create_selector(c, context);
    case ControlKind::HelpButton:
        return create_help_button(context);
    case ControlKind::PortPicture:
        return create_port_picture(c, context);
    case ControlKind::ProgressBar:
        return new ProgressBarWidget(&context.parent);
    }
    return new QWidget(&context.parent);
}

QRect placed(const ControlTemplate& c, QWidget& widget, const DialogUnitScale& units)
{
    const platform::Rect px = units.to_pixels(c.rect);
    QRect rect(px.x, px.y, px.width, px.height);
    if (c.kind == ControlKind::HelpButton)
        rect.setSize(QSize(kHelpButtonSize, kHelpButtonSize));
    else if (dynamic_cast<PictureView*>(&widget) || dynamic_cast<PictureButton*>(&widget) ||
             dynamic_cast<PortPictureWidget*>(&widget))
        rect.setSize(widget.sizeHint().isValid() ? widget.sizeHint() : rect.size());
    else if (c.kind == ControlKind::DropList)
        // A drop-down list's rectangle includes its open list.
        rect.setHeight(std::min(rect.height(), widget.sizeHint().height()));
    return rect;
}

} // namespace

QWidget* create_control(const ControlTemplate& c, ControlContext& context)
{
    QWidget* widget = create_widget(c, context);
    tag_control(*widget, c.id);
    widget->setGeometry(placed(c, *widget, context.units));
    if (has(c, resources::kStyleBold)) {
        QFont font = widget->font();
        font.setBold(true);
        widget->setFont(font);
    }
    if (has(c, resources::kStyleBlue)) {
        QPalette palette = widget->palette();
        palette.setColor(QPalette::WindowText, QColor(0, 0, 255));
        widget->setPalette(palette);
    }
    if (has(c, resources::kStyleDisabled))
        widget->setEnabled(false);
    if (c.kind == ControlKind::Group)
        widget->lower();
    widget->setVisible(c.kind != ControlKind::Placeholder && !has(c, resources::kStyleHidden));
    return widget;
}

} // namespace quillon::gui
