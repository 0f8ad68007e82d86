// The windows' icon is found where the program runs from: installed beside
// the resources, or in the source tree.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "gui/application_icon.h"
#include "../test_folder_name.h"

namespace quillon::gui::test {
namespace {

namespace fs = std::filesystem;

TEST(ApplicationIcon, FoundBesideTheInstalledResourcesAndInTheSourceTree)
{
    // An id no icon theme knows, so only the file can give the icon.
    const std::string id = "org.quillon.icon-test";
    const fs::path root = fs::temp_directory_path() / test_folder_name("quillon-icon");
    const fs::path res = root / "share" / "quillon" / "res";
    fs::create_directories(res);
    EXPECT_TRUE(application_icon(id, res.string()).isNull()) << "no icon file yet";

    fs::create_directories(root / "share" / "quillon" / "icons");
    fs::copy_file(fs::path(QUILLON_SOURCE_RES_DIR).parent_path() / "packaging" / "desktop" / "icons" /
                      (std::string(QUILLON_APP_ID) + ".svg"),
                  root / "share" / "quillon" / "icons" / (id + ".svg"));
    const QIcon installed = application_icon(id, res.string());
    EXPECT_FALSE(installed.isNull());
    EXPECT_FALSE(installed.pixmap(32, 32).isNull());
    fs::remove_all(root);

    EXPECT_FALSE(application_icon(QUILLON_APP_ID, QUILLON_SOURCE_RES_DIR).isNull()) << "the source tree's icon";
}

} // namespace
} // namespace quillon::gui::test
