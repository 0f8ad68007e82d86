#include "application_icon.h"

#include <filesystem>

namespace quillon::gui {

QIcon application_icon(const std::string& appId, const std::string& resourceDir)
{
    namespace fs = std::filesystem;
    const fs::path beside = fs::path(resourceDir).parent_path();
    QIcon fallback;
    for (const fs::path& folder : {beside / "icons", beside / "packaging" / "desktop" / "icons"}) {
        const fs::path file = folder / (appId + ".svg");
        std::error_code error;
        if (fs::is_regular_file(file, error)) {
            fallback = QIcon(QString::fromStdString(file.string()));
            break;
        }
    }
    return QIcon::fromTheme(QString::fromStdString(appId), fallback);
}

} // namespace quillon::gui
