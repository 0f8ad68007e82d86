#include "gui/control_access.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSignalBlocker>

#include "gui/accessible_names.h"
#include "gui/group_frame.h"
#include "gui/list_selector.h"
#include "gui/picture_widgets.h"
#include "gui/port_picture_widget.h"
#include "gui/progress_bar.h"
#include "gui/tab_button.h"
#include "resources/menu.h"

namespace quillon::gui {
namespace {

QString qt_text(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QStringList qt_list(const std::vector<std::string>& texts)
{
    QStringList list;
    list.reserve(static_cast<qsizetype>(texts.size()));
    for (const auto& text : texts)
        list.append(QString::fromStdString(text));
    return list;
}

// Multi-line edits keep lines apart with '\n' alone.
QString without_carriage_returns(std::string_view text)
{
    QString result = qt_text(text);
    result.remove(QChar('\r'));
    return result;
}

// The same text leaves the field alone, so that a field set to what the
// user typed keeps the caret where the typing goes on. A field without the
// focus shows the start of a text too long for it.
void set_line_text(QLineEdit& edit, const QString& text)
{
    if (edit.text() == text)
        return;
    edit.setText(text);
    if (!edit.hasFocus())
        edit.setCursorPosition(0);
}

template <typename T>
T* as(const ControlRecord& control)
{
    return dynamic_cast<T*>(control.widget.data());
}

} // namespace

std::string control_text(const ControlRecord& control)
{
    if (auto* edit = as<QLineEdit>(control))
        return edit->text().toStdString();
    if (auto* edit = as<QPlainTextEdit>(control))
        return edit->toPlainText().toStdString();
    if (auto* combo = as<QComboBox>(control))
        return combo->currentText().toStdString();
    if (auto* list = as<QListWidget>(control))
        return list->currentItem() ? list->currentItem()->text().toStdString() : std::string();
    if (auto* selector = as<ListSelector>(control))
        return selector->current_item().toStdString();
    return control.text;
}

void set_control_text(ControlRecord& control, std::string_view text, PictureLibrary& pictures)
{
    control.text = std::string(text);
    QWidget* widget = control.widget.data();
    if (!widget)
        return;
    const QSignalBlocker quiet(widget);
    if (auto* edit = as<QLineEdit>(control))
        set_line_text(*edit, qt_text(text));
    else if (auto* edit = as<QPlainTextEdit>(control))
        edit->setPlainText(without_carriage_returns(text));
    else if (auto* label = as<QLabel>(control))
        label->setText(label_display_text(text, label->buddy() != nullptr));
    else if (auto* group = as<GroupFrame>(control))
        group->set_title(qt_text(text));
    else if (auto* bar = as<ProgressBarWidget>(control))
        bar->set_text(qt_text(text));
    else if (auto* picture = as<PictureView>(control)) {
        const auto id = parse_picture_id(text);
        picture->set_picture(id ? pictures.get(*id) : Picture());
    } else if (auto* button = as<QAbstractButton>(control); button && !as<PictureButton>(control))
        button->setText(qt_text(text));
}

int control_check(const ControlRecord& control)
{
    if (auto* tab = as<TabButton>(control))
        return tab->selected() ? 1 : 0;
    if (auto* picture = as<PortPictureWidget>(control))
        return picture->busy() ? 1 : 0;
    if (auto* box = as<QCheckBox>(control)) {
        switch (box->checkState()) {
        case Qt::Checked:
            return 1;
        case Qt::PartiallyChecked:
            return 2;
        default:
            return 0;
        }
    }
    if (auto* radio = as<QRadioButton>(control))
        return radio->isChecked() ? 1 : 0;
    return 0;
}

void set_control_check(ControlRecord& control, int state)
{
    if (auto* tab = as<TabButton>(control)) {
        tab->set_selected(state != 0);
    } else if (auto* picture = as<PortPictureWidget>(control)) {
        picture->set_busy(state != 0);
    } else if (auto* box = as<QCheckBox>(control)) {
        const QSignalBlocker quiet(box);
        if (state == 2)
            box->setTristate(true);
        box->setCheckState(state == 2 ? Qt::PartiallyChecked : state != 0 ? Qt::Checked : Qt::Unchecked);
    } else if (auto* radio = as<QRadioButton>(control)) {
        const QSignalBlocker quiet(radio);
        QButtonGroup* group = radio->group();
        // An exclusive group refuses to clear its checked button.
        if (state == 0 && group && group->exclusive()) {
            group->setExclusive(false);
            radio->setChecked(false);
            group->setExclusive(true);
        } else {
            radio->setChecked(state != 0);
        }
    }
}

int control_selection(const ControlRecord& control)
{
    if (auto* combo = as<QComboBox>(control))
        return combo->currentIndex();
    if (auto* list = as<QListWidget>(control))
        return list->currentRow();
    if (auto* selector = as<ListSelector>(control))
        return selector->current();
    if (auto* picture = as<PortPictureWidget>(control))
        return picture->current();
    return -1;
}

void set_control_selection(ControlRecord& control, int index)
{
    if (auto* combo = as<QComboBox>(control)) {
        const QSignalBlocker quiet(combo);
        combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
    } else if (auto* list = as<QListWidget>(control)) {
        const QSignalBlocker quiet(list);
        if (index >= 0 && index < list->count()) {
            list->setCurrentRow(index);
        } else {
            list->setCurrentRow(-1);
            list->clearSelection();
        }
    } else if (auto* selector = as<ListSelector>(control)) {
        selector->set_current(index);
    } else if (auto* picture = as<PortPictureWidget>(control)) {
        picture->set_current(index);
    }
}

void set_control_items(ControlRecord& control, const std::vector<std::string>& items,
                       const std::vector<std::string>& shown)
{
    // Relabelled entries (a language change) keep the user's choice.
    const int keep = control_selection(control);
    if (auto* combo = as<QComboBox>(control)) {
        const QSignalBlocker quiet(combo);
        combo->clear();
        combo->addItems(qt_list(items));
    } else if (auto* list = as<QListWidget>(control)) {
        const QSignalBlocker quiet(list);
        list->clear();
        list->addItems(qt_list(items));
    } else if (auto* selector = as<ListSelector>(control)) {
        selector->set_items(qt_list(items), qt_list(shown));
        return;
    } else if (auto* picture = as<PortPictureWidget>(control)) {
        picture->set_items(items);
        return;
    }
    set_control_selection(control, keep);
}

} // namespace quillon::gui
