#include "gui/picture_library.h"

#include <charconv>

#include <QString>

namespace quillon::gui {

Picture PictureLibrary::get(int id)
{
    auto found = loaded_.find(id);
    if (found != loaded_.end())
        return found->second;
    Picture picture;
    const std::string path = resources_.picture_path(id);
    if (!path.empty()) {
        auto renderer = std::make_shared<QSvgRenderer>(QString::fromStdString(path));
        if (renderer->isValid())
            picture = std::move(renderer);
    }
    loaded_.emplace(id, picture);
    return picture;
}

QSize natural_size(const Picture& picture) { return picture ? picture->defaultSize() : QSize(); }

std::optional<int> parse_picture_id(std::string_view text)
{
    int id = 0;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, id);
    if (text.empty() || ec != std::errc() || ptr != end || id < 0)
        return std::nullopt;
    return id;
}

} // namespace quillon::gui
