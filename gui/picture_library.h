// The program's pictures (res/pictures/<id>-<name>.svg), loaded once and
// shared by every widget that draws them.
#pragma once

#include <map>
#include <memory>
#include <optional>
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

private:
    const resources::Resources& resources_;
    std::map<int, Picture> loaded_;  // null entries remember missing pictures
};

// The size a picture is drawn at: its own, never scaled.
QSize natural_size(const Picture& picture);

// "356" -> 356; anything but a plain non-negative number gives nothing.
std::optional<int> parse_picture_id(std::string_view text);

} // namespace quillon::gui
