// Message boxes and file dialogs, with the answers the logic expects.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include <QMessageBox>

#include "platform/backend.h"

namespace quillon::gui {

// Runs a message box; IDOK, IDCANCEL, IDYES or IDNO.
int run_message_box(QWidget* parent, std::string_view text, std::string_view caption,
                    platform::MessageBoxButtons buttons, platform::MessageBoxIcon icon);

// The width a window needs for `title` to show whole in its title bar.
int title_room(const QString& title, const QFont& font);
// Makes a message box wide enough for its title.
void keep_title_readable(QMessageBox& box);

// The answer for the button that ended a box; a box closed otherwise
// answers as its negative button (or OK when it has only that).
int message_box_answer(QMessageBox::StandardButton clicked, platform::MessageBoxButtons buttons);

// Runs an open or save dialog; nothing when the user cancelled.
std::optional<std::string> run_file_dialog(QWidget* parent, const platform::FileDialogRequest& request);

// "/a/b/name" + "pro" -> "/a/b/name.pro"; a name that has an extension
// (a '.' in its last component) stays as it is.
std::string with_default_extension(const std::string& path, std::string_view extension);

} // namespace quillon::gui
