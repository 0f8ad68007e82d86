#include "gui/picture_library.h"

#include <charconv>

#include <QString>

namespace quillon::gui {

Picture PictureLibrary::get(int id) { return get(id, resources::kNoLanguage); }

Picture PictureLibrary::get(int id, int language)
{
    const std::pair<int, int> key(id, language);
    auto found = loaded_.find(key);
    if (found != loaded_.end())
        return found->second;
    return loaded_.emplace(key, load(resources_.picture_path(id, language))).first->second;
}

Picture PictureLibrary::load(const std::string& path)
{
    if (path.empty())
        return {};
    auto renderer = std::make_shared<QSvgRenderer>(QString::fromStdString(path));
    return renderer->isValid() ? renderer : Picture();
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
