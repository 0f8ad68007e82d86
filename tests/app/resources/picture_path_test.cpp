// Finding pictures by id and language, and the picture references controls
// carry.
#include <filesystem>

#include <gtest/gtest.h>

#include "resources/resources.h"
#include "temp_folder.h"

namespace quillon::resources {
namespace {

namespace fs = std::filesystem;

std::string name_of(const std::string& path) { return fs::path(path).filename().string(); }
std::string folder_of(const std::string& path) { return fs::path(path).parent_path().filename().string(); }

class PicturePaths : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* file : {"pictures/356-warning.svg", "pictures/300-top.svg", "pictures/ports/300-de-phone.svg",
                                 "pictures/ports/300-en-phone.svg", "pictures/ports/3000-fr-other.svg",
                                 "pictures/ports/344-lang-en.svg", "pictures/ports/315-en-pc-link.svg",
                                 "pictures/ports/346-idle.svg", "pictures/ports/316-fr-mailbox.png"})
            folder.write(file, "<svg/>");
        res.pictureDirectory = folder.path() + "/pictures";
    }

    testing::TempFolder folder;
    Resources res;
};

TEST_F(PicturePaths, ALanguageFindsItsOwnVariantFirst)
{
    EXPECT_EQ(name_of(res.picture_path(300, 1)), "300-de-phone.svg");
    EXPECT_EQ(name_of(res.picture_path(300, 0)), "300-en-phone.svg");
    EXPECT_EQ(name_of(res.picture_path(315, 0)), "315-en-pc-link.svg");
}

TEST_F(PicturePaths, WithoutItsVariantALanguageFindsThePlainPicture)
{
    // French 300 is missing ("3000-fr-..." is another picture): the top folder's wins.
    EXPECT_EQ(name_of(res.picture_path(300, 2)), "300-top.svg");
    // Pictures without language variants, in either folder.
    EXPECT_EQ(name_of(res.picture_path(344, 1)), "344-lang-en.svg");
    EXPECT_EQ(name_of(res.picture_path(356, 2)), "356-warning.svg");
    // Another language's variant is better than nothing.
    EXPECT_EQ(folder_of(res.picture_path(315, 2)), "ports");
}

TEST_F(PicturePaths, MissingPicturesAndOddLanguagesGiveNothingOrThePlainOne)
{
    EXPECT_EQ(res.picture_path(316, 2), "") << "only SVG files count";
    EXPECT_EQ(res.picture_path(30, 0), "");
    EXPECT_EQ(res.picture_path(-300, 0), "");
    EXPECT_EQ(name_of(res.picture_path(300, 3)), "300-top.svg");
    EXPECT_EQ(name_of(res.picture_path(300, -7)), "300-top.svg");
    Resources none;
    EXPECT_EQ(none.picture_path(300, 0), "");
    // The id alone finds the port pictures too.
    EXPECT_EQ(name_of(res.picture_path(346)), "346-idle.svg");
}

TEST(PictureReferences, RoundTripAndRefuseWhatIsNotOne)
{
    EXPECT_EQ(picture_reference(300, 0), "300:en");
    EXPECT_EQ(picture_reference(320, 2), "320:fr");
    EXPECT_EQ(picture_reference(344), "344");
    EXPECT_EQ(picture_reference(344, 9), "344");
    for (int language = 0; language < 3; ++language) {
        const auto ref = parse_picture_reference(picture_reference(301, language));
        ASSERT_TRUE(ref);
        EXPECT_EQ(ref->id, 301);
        EXPECT_EQ(ref->language, language);
    }
    const auto plain = parse_picture_reference("345");
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->language, kNoLanguage);
    for (const char* bad : {"", "x", "-1", "300:", ":en", "300:xx", "300:en:de", "300 ", "99999999999", "3a:en"})
        EXPECT_FALSE(parse_picture_reference(bad)) << bad;
}

TEST(ShippedPortPictures, EveryLanguageHasItsOwnSetAndTheSinglePicturesExist)
{
    Resources res;
    res.pictureDirectory = std::string(QUILLON_TEST_RES_DIR) + "/pictures";
    for (int id = 300; id <= 320; ++id)
        for (int language = 0; language < 3; ++language) {
            const std::string name = name_of(res.picture_path(id, language));
            EXPECT_TRUE(name.starts_with(std::to_string(id) + "-" + std::string(kLanguageCodes[static_cast<std::size_t>(language)]) + "-"))
                << id << " in language " << language << ": " << name;
        }
    for (int id = 344; id <= 348; ++id)
        EXPECT_NE(res.picture_path(id, 0), "") << id;
}

} // namespace
} // namespace quillon::resources
