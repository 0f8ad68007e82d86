// A fresh folder per test for profile files, and raw access to their bytes.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>
#include "../../test_folder_name.h"

namespace quillon::profile::testing {

struct ProfileFolder : ::testing::Test {
    std::filesystem::path dir;
    std::string file;

    void SetUp() override
    {
        dir = std::filesystem::temp_directory_path() / test_folder_name("quillon-profile-");
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        file = (dir / "test.pro").string();
    }
    void TearDown() override
    {
        std::filesystem::permissions(dir, std::filesystem::perms::owner_all, std::filesystem::perm_options::add);
        std::filesystem::remove_all(dir);
    }
    static void write_raw(const std::string& path, const std::string& bytes)
    {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    void write_raw(const std::string& bytes) const { write_raw(file, bytes); }
    static std::string raw(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    std::string raw() const { return raw(file); }
    // The names in the folder, sorted.
    std::vector<std::string> names() const
    {
        std::vector<std::string> found;
        for (const auto& e : std::filesystem::directory_iterator(dir))
            found.push_back(e.path().filename().string());
        std::sort(found.begin(), found.end());
        return found;
    }
};

} // namespace quillon::profile::testing
