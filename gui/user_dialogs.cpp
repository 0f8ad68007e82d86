#include "gui/user_dialogs.h"

#include <QFileDialog>
#include <QGridLayout>
#include <QSpacerItem>
#include "platform/message_ids.h"

namespace quillon::gui {
namespace {

using platform::MessageBoxButtons;
using platform::MessageBoxIcon;

QString qt_text(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QMessageBox::Icon qt_icon(MessageBoxIcon icon)
{
    switch (icon) {
    case MessageBoxIcon::Information:
        return QMessageBox::Information;
    case MessageBoxIcon::Warning:
        return QMessageBox::Warning;
    case MessageBoxIcon::Question:
        return QMessageBox::Question;
    case MessageBoxIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

struct ButtonSet {
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton positive;
    QMessageBox::StandardButton negative;
};

ButtonSet button_set(MessageBoxButtons buttons)
{
    switch (buttons) {
    case MessageBoxButtons::YesNo:
        return {QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes, QMessageBox::No};
    case MessageBoxButtons::OkCancel:
        return {QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok, QMessageBox::Cancel};
    case MessageBoxButtons::Ok:
        break;
    }
    return {QMessageBox::Ok, QMessageBox::Ok, QMessageBox::Ok};
}

} // namespace

int title_room(const QString& title, const QFont& font)
{
    // The frame's icon and buttons take about as much again as a short
    // title; a bold title font runs a little wider than the box's own.
    constexpr int kFrameButtonsRoom = 150;
    QFont titleFont = font;
    titleFont.setBold(true);
    return QFontMetrics(titleFont).horizontalAdvance(title) + kFrameButtonsRoom;
}

void keep_title_readable(QMessageBox& box)
{
    // A message box takes the width of its text; a short text left the
    // window manager no room for the title. A strut across the box's grid
    // widens it, which QMessageBox's own sizing respects.
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (!grid)
        return;
    const int width = title_room(box.windowTitle(), box.font());
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Minimum), grid->rowCount(), 0, 1,
                  grid->columnCount());
}

int message_box_answer(QMessageBox::StandardButton clicked, MessageBoxButtons buttons)
{
    switch (clicked) {
    case QMessageBox::Ok:
        return platform::IDOK;
    case QMessageBox::Cancel:
        return platform::IDCANCEL;
    case QMessageBox::Yes:
        return platform::IDYES;
    case QMessageBox::No:
        return platform::IDNO;
    default:
        break;
    }
    switch (buttons) {
    case MessageBoxButtons::YesNo:
        return platform::IDNO;
    case MessageBoxButtons::OkCancel:
        return platform::IDCANCEL;
    case MessageBoxButtons::Ok:
        break;
    }
    return platform::IDOK;
}

int run_message_box(QWidget* parent, std::string_view text, std::string_view caption, MessageBoxButtons buttons,
                    MessageBoxIcon icon)
{
    const ButtonSet set = button_set(buttons);
    QMessageBox box(qt_icon(icon), qt_text(caption), qt_text(text), set.buttons, parent);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(set.positive);
    box.setEscapeButton(set.negative);
    keep_title_readable(box);
    box.exec();
    return message_box_answer(box.standardButton(box.clickedButton()), buttons);
}

std::optional<std::string> run_file_dialog(QWidget* parent, const platform::FileDialogRequest& request)
{
    QFileDialog dialog(parent, qt_text(request.title), qt_text(request.directory));
    dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    QStringList filters;
    for (const auto& filter : request.filters)
        filters.append(qt_text(filter));
    if (!filters.isEmpty())
        dialog.setNameFilters(filters);
    if (!request.defaultExtension.empty())
        dialog.setDefaultSuffix(qt_text(request.defaultExtension));
    if (!request.fileName.empty())
        dialog.selectFile(qt_text(request.fileName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    const std::string chosen = dialog.selectedFiles().front().toStdString();
    return request.save ? with_default_extension(chosen, request.defaultExtension) : chosen;
}

std::string with_default_extension(const std::string& path, std::string_view extension)
{
    while (extension.starts_with('.'))
        extension.remove_prefix(1);
    const std::size_t slash = path.find_last_of('/');
    const std::string_view name = std::string_view(path).substr(slash == std::string::npos ? 0 : slash + 1);
    if (extension.empty() || name.empty() || name.find('.') != std::string_view::npos)
        return path;
    return path + "." + std::string(extension);
}

} // namespace quillon::gui
