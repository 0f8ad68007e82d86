// The program's pictures (res/pictures/<id>-<name>.svg), loaded once and
// shared by every widget that draws them.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <string_view>

#include <QSize>
#include <QSvgRenderer>

#include "resources/resources.h"

namespace quillon::gui {

using Picture = std::shared_ptr<QSvgRenderer>;

class PictureLibrary {
public:
    explicit PictureLibrary(const resources::Resources& resources) : resources_(resources) {}

    // The picture, or null when there is no valid file for the id.
    Picture get(int id);
    // The picture in a language's variant where it has one (port pictures).
    Picture get(int id, int language);

private:
    Picture load(const std::string& path);

    const resources::Resources& resources_;
    // By id and language (resources::kNoLanguage for get(id)); null entries
    // remember missing pictures.
    std::map<std::pair<int, int>, Picture> loaded_;
};

// The size a picture is drawn at: its own, never scaled.
QSize natural_size(const Picture& picture);

// "356" -> 356; anything but a plain non-negative number gives nothing.
std::optional<int> parse_picture_id(std::string_view text);

} // namespace quillon::gui
