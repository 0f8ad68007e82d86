// The program's own icon for its windows, the same one its desktop entry shows.
#pragma once

#include <string>

#include <QIcon>

namespace quillon::gui {

// The icon named `appId` from the desktop's icon theme (where the installed
// program put it) or else the file beside the resources in `resourceDir`:
// installed, share/quillon/icons; run from the source tree, the packaging
// folder. An empty icon when neither is there.
QIcon application_icon(const std::string& appId, const std::string& resourceDir);

} // namespace quillon::gui
