#include "resources/resource_files.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace quillon::resources::detail {

namespace fs = std::filesystem;

void add_error(std::vector<ParseError>& errors, const std::string& file, int line, std::string message)
{
    errors.push_back(ParseError{file, line, std::move(message)});
}

bool read_resource_file(const std::string& path, std::string& text, std::vector<ParseError>& errors)
{
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (status.type() == fs::file_type::not_found) {
        add_error(errors, path, 0, "the file is missing");
        return false;
    }
    if (ec) {
        add_error(errors, path, 0, "cannot reach the file: " + ec.message());
        return false;
    }
    if (!fs::is_regular_file(status)) {
        add_error(errors, path, 0, "not a regular file");
        return false;
    }
    const std::uintmax_t size = fs::file_size(path, ec);
    if (ec || size > kMaxResourceFileSize) {
        add_error(errors, path, 0,
                  ec ? "cannot determine the file size" : "the file is too large for a resource file");
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        add_error(errors, path, 0, "cannot open the file");
        return false;
    }
    text.assign(static_cast<std::size_t>(size), '\0');
    in.read(text.data(), static_cast<std::streamsize>(size));
    // A file that shrank while being read is cut to what arrived.
    text.resize(static_cast<std::size_t>(in.gcount()));
    if (in.bad()) {
        add_error(errors, path, 0, "cannot read the file");
        return false;
    }
    return true;
}

bool list_resource_files(const std::string& directory, std::string_view extension, std::vector<std::string>& paths,
                         std::vector<ParseError>& errors)
{
    std::error_code ec;
    if (!fs::is_directory(directory, ec)) {
        add_error(errors, directory, 0, "the folder is missing");
        return false;
    }
    fs::directory_iterator it(directory, ec);
    if (ec) {
        add_error(errors, directory, 0, "cannot list the folder: " + ec.message());
        return false;
    }
    std::vector<std::string> found;
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.size() > extension.size() && name.ends_with(extension) && it->is_regular_file(ec))
            found.push_back(it->path().string());
    }
    if (ec) {
        add_error(errors, directory, 0, "cannot list the folder: " + ec.message());
        return false;
    }
    std::sort(found.begin(), found.end());
    paths.insert(paths.end(), found.begin(), found.end());
    return true;
}

std::vector<std::string> subfolders(const std::string& directory)
{
    std::error_code ec;
    std::vector<std::string> names;
    for (fs::directory_iterator it(directory, ec); !ec && it != fs::directory_iterator(); it.increment(ec))
        if (it->is_directory(ec))
            names.push_back(it->path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string join_path(const std::string& directory, std::string_view name)
{
    return (fs::path(directory) / fs::path(name)).string();
}

} // namespace quillon::resources::detail
