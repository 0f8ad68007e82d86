#include "resources/resources.h"

#include <algorithm>
#include <charconv>
#include <filesystem>

#include "resources/resource_files.h"

namespace quillon::resources {

namespace {

constexpr std::string_view kStringsFolder = "strings";
constexpr std::string_view kMenusFolder = "menus";
constexpr std::string_view kDialogsFolder = "dialogs";
constexpr std::string_view kPicturesFolder = "pictures";
constexpr std::string_view kPortPicturesFolder = "ports";
constexpr std::string_view kPictureExtension = ".svg";
constexpr char kReferenceSeparator = ':';

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

namespace {

// The first picture of `folder` whose name starts with `prefix`, or empty.
// The folders hold a few dozen files, so they are searched on every call.
std::string first_picture_named(const std::string& folder, const std::string& prefix)
{
    std::vector<std::string> paths;
    std::vector<ParseError> ignored;
    detail::list_resource_files(folder, kPictureExtension, paths, ignored);
    const auto match = std::find_if(paths.begin(), paths.end(), [&](const std::string& path) {
        return std::filesystem::path(path).filename().string().starts_with(prefix);
    });
    return match == paths.end() ? std::string() : *match;
}

bool known_language(int language) { return language >= 0 && language < static_cast<int>(kLanguageCodes.size()); }

} // namespace

// Pictures are named "<id>-<name>.svg"; the port pictures, in ports/, also
// come as "<id>-<language code>-<name>.svg".
std::string Resources::picture_path(int id) const
{
    if (pictureDirectory.empty() || id < 0)
        return {};
    const std::string prefix = std::to_string(id) + "-";
    std::string path = first_picture_named(pictureDirectory, prefix);
    if (path.empty())
        path = first_picture_named(detail::join_path(pictureDirectory, kPortPicturesFolder), prefix);
    return path;
}

std::string Resources::picture_path(int id, int language) const
{
    if (pictureDirectory.empty() || id < 0)
        return {};
    if (known_language(language)) {
        const std::string prefix =
            std::to_string(id) + "-" + std::string(kLanguageCodes[static_cast<std::size_t>(language)]) + "-";
        std::string path = first_picture_named(detail::join_path(pictureDirectory, kPortPicturesFolder), prefix);
        if (!path.empty())
            return path;
    }
    return picture_path(id);
}

std::string picture_reference(int id, int language)
{
    std::string text = std::to_string(id);
    if (known_language(language))
        text += kReferenceSeparator + std::string(kLanguageCodes[static_cast<std::size_t>(language)]);
    return text;
}

std::optional<PictureReference> parse_picture_reference(std::string_view text)
{
    PictureReference ref;
    const std::size_t separator = text.find(kReferenceSeparator);
    const std::string_view number = text.substr(0, separator);
    const char* end = number.data() + number.size();
    const auto [ptr, ec] = std::from_chars(number.data(), end, ref.id);
    if (number.empty() || ec != std::errc() || ptr != end || ref.id < 0)
        return std::nullopt;
    if (separator == std::string_view::npos)
        return ref;
    const std::string_view code = text.substr(separator + 1);
    const auto known = std::find(kLanguageCodes.begin(), kLanguageCodes.end(), code);
    if (known == kLanguageCodes.end())
        return std::nullopt;
    ref.language = static_cast<int>(known - kLanguageCodes.begin());
    return ref;
}

} // namespace quillon::resources
