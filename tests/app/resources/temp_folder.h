// A scratch folder for tests that is removed again with everything in it.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

namespace quillon::resources::testing {

class TempFolder {
public:
    TempFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "quillon-res-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr)
            ADD_FAILURE() << "cannot create a scratch folder";
        path_ = pattern;
    }
    ~TempFolder()
    {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string path() const { return path_.string(); }
    // Writes `content` to `relative`, creating the folders on the way; returns the full path.
    std::string write(const std::string& relative, std::string_view content) const
    {
        const std::filesystem::path file = path_ / relative;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << content;
        return file.string();
    }
    std::string make_folder(const std::string& relative) const
    {
        std::filesystem::create_directories(path_ / relative);
        return (path_ / relative).string();
    }

private:
    std::filesystem::path path_;
};

} // namespace quillon::resources::testing
