#include <cstdlib>
#include <filesystem>
#include <optional>

#include <gtest/gtest.h>

#include "resources/resources.h"
#include "temp_folder.h"

namespace quillon::resources {
namespace {

namespace fs = std::filesystem;

constexpr const char* kResDirVariable = "QUILLON_RES_DIR";

// Sets or clears an environment variable for one test and restores it after.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const char* value) : name_(name)
    {
        if (const char* old = std::getenv(name))
            old_ = old;
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~ScopedEnvironment()
    {
        if (old_)
            setenv(name_, old_->c_str(), 1);
        else
            unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(ResourcesLoad, MissingFolderIsReported)
{
    Resources res;
    std::vector<ParseError> errors;
    EXPECT_FALSE(res.load("/nonexistent/quillon/res", errors));
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].file, "/nonexistent/quillon/res");
}

TEST(ResourcesLoad, DamagedPartsAreReportedAndTheRestIsLoaded)
{
    testing::TempFolder folder;
    folder.write("strings/en.strings", "6090\tSend\n");
    folder.write("strings/de.strings", "6090\tSenden\n");
    folder.write("strings/fr.strings", "6090\tEnvoyer\n");
    folder.write("strings/common.strings", "");
    folder.write("dialogs/a.dlg", "DIALOG 850 10 10 \"first\"\nEND\n");
    folder.write("dialogs/b.dlg", "DIALOG 850 10 10 \"second\"\nEND\nDIALOG 852 10 10 \"\"\nEND\n");
    folder.make_folder("dialogs/c.dlg");  // a folder with a template's name is not a template
    folder.write("dialogs/d.dlg", std::string("\x7f" "ELF\x02\x01\x01\0\0\0", 10));
    // no menus/ and no pictures/

    Resources res;
    std::vector<ParseError> errors;
    EXPECT_TRUE(res.load(folder.path(), errors));
    std::vector<std::string> files;
    for (const ParseError& e : errors)
        files.push_back(fs::path(e.file).filename().string());
    EXPECT_EQ(files, (std::vector<std::string>{"menus", "b.dlg", "d.dlg", "pictures"}));

    EXPECT_EQ(res.strings.get(6090, 2), "Envoyer");
    EXPECT_EQ(res.dialogs.size(), 2u);
    EXPECT_EQ(res.dialogs.find(850)->caption, "first");
    EXPECT_EQ(res.menus.find(700), nullptr);
    EXPECT_EQ(res.picture_path(356), "");
}

TEST(ResourcesPictures, PictureIsFoundByItsIdPrefix)
{
    testing::TempFolder folder;
    folder.write("pictures/356-warning.svg", "<svg/>");
    folder.write("pictures/35-other.png", "");
    Resources res;
    res.pictureDirectory = folder.path() + "/pictures";
    EXPECT_TRUE(res.picture_path(356).ends_with("356-warning.svg"));
    EXPECT_EQ(res.picture_path(35), "");  // neither "356-..." nor a non-SVG file
    EXPECT_EQ(res.picture_path(3), "");
}

TEST(ResourceDirectory, EnvironmentThenInstalledThenBesideProgramThenSourceTree)
{
    testing::TempFolder folder;
    const std::string installedProgram = folder.path() + "/usr/bin/quillon";
    const std::string installedRes = folder.make_folder("usr/share/quillon/res");
    const std::string buildProgram = folder.path() + "/build/quillon";
    const std::string besideRes = folder.make_folder("build/res");

    {
        ScopedEnvironment env(kResDirVariable, "/somewhere/res");
        EXPECT_EQ(find_resource_directory(installedProgram), "/somewhere/res");
    }
    ScopedEnvironment env(kResDirVariable, nullptr);
    EXPECT_EQ(fs::path(find_resource_directory(installedProgram)), fs::path(installedRes));
    EXPECT_EQ(fs::path(find_resource_directory(buildProgram)), fs::path(besideRes));
    EXPECT_EQ(find_resource_directory(folder.path() + "/elsewhere/quillon"), QUILLON_TEST_RES_DIR);
}

} // namespace
} // namespace quillon::resources
