#include "resources/resources.h"

#include <algorithm>
#include <filesystem>

#include "resources/resource_files.h"

namespace quillon::resources {

namespace {

constexpr std::string_view kStringsFolder = "strings";
constexpr std::string_view kMenusFolder = "menus";
constexpr std::string_view kDialogsFolder = "dialogs";
constexpr std::string_view kPicturesFolder = "pictures";
constexpr std::string_view kPictureExtension = ".svg";

} // namespace

bool Resources::load(const std::string& resDirectory, std::vector<ParseError>& errors)
{
    std::error_code ec;
    if (!std::filesystem::is_directory(resDirectory, ec)) {
        detail::add_error(errors, resDirectory, 0, "the resource folder is missing");
        return false;
    }
    strings.load_directory(detail::join_path(resDirectory, kStringsFolder), errors);
    menus.load_directory(detail::join_path(resDirectory, kMenusFolder), errors);
    dialogs.load_directory(detail::join_path(resDirectory, kDialogsFolder), errors);
    const std::string pictures = detail::join_path(resDirectory, kPicturesFolder);
    if (std::filesystem::is_directory(pictures, ec))
        pictureDirectory = pictures;
    else
        detail::add_error(errors, pictures, 0, "the folder is missing");
    return true;
}

// Pictures are named "<id>-<name>.svg"; the folder holds a few dozen files,
// so it is searched on every call.
std::string Resources::picture_path(int id) const
{
    if (pictureDirectory.empty())
        return {};
    std::vector<std::string> paths;
    std::vector<ParseError> ignored;
    detail::list_resource_files(pictureDirectory, kPictureExtension, paths, ignored);
    const std::string prefix = std::to_string(id) + "-";
    const auto match = std::find_if(paths.begin(), paths.end(), [&](const std::string& path) {
        return std::filesystem::path(path).filename().string().starts_with(prefix);
    });
    return match == paths.end() ? std::string() : *match;
}

} // namespace quillon::resources
