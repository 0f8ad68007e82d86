// quillon --screenshot DIR: the main window with each page, and each of the
// shell's dialogs, in each language, saved as PNG files for review.
#pragma once

#include <string>

#include "gui/qt_backend.h"
#include "platform/ui.h"
#include "shell/application.h"

namespace quillon::gui {

// False when a picture could not be taken or written.
bool take_screenshots(QtBackend& backend, platform::Ui& ui, Application& app, const std::string& directory);

} // namespace quillon::gui
