// Saving and loading whole profiles: what is read first, what is written,
// language switches, missing sections, unwritable files, refused values.
#include "pages_fixture.h"
#include "profile/ini_file.h"

using namespace quillon;
using namespace quillon::platform;

namespace {

struct Profiles : pagestest::Program {
    std::string file() const { return configDir + "/chosen.pro"; }
};

} // namespace

TEST_F(Profiles, SavingRightAfterStartReadsEveryPageWithASectionFirst)
{
    start();
    backend.answer_file_dialogs_with({file()});
    backend.menu(ID_SAVE_PROFILE);
    backend.pump();
    for (int page = 0; page < kPageCount; ++page)
        EXPECT_EQ(main().page_read(page), page != 7 && page != 9) << page;
    EXPECT_EQ(profile::read_int(file(), "SET_DIV", "LANGUAGE", -1), 0);
    EXPECT_EQ(profile::read_string(file(), "BACK_DIV", "CLBKNUM9", "missing"), "");
    EXPECT_EQ(profile::read_int(file(), "BACK_DIV", "CLBKACTIVE", -1), 0);
    ASSERT_EQ(backend.file_dialogs().size(), 1u);
    EXPECT_TRUE(backend.file_dialogs()[0].save);
    EXPECT_EQ(backend.file_dialogs()[0].defaultExtension, "pro");
}

TEST_F(Profiles, SaveAsOnAChangedPageAnsweredWithCancelAsksForNoFile)
{
    start();
    // The MSN page keeps its edits: make one, then stay on the page.
    Page* page = main().current_page();
    ASSERT_NE(page, nullptr);
    backend.on_modal(857, [&](Window& d) { return backend.click(d, ID_STAY), 0; });
    struct Changed : Page {
        using Page::Page;
        bool changed() const override { return true; }
    };
    main().set_page_factory([](ShellContext& s, Window& m, int i) { return std::make_unique<Changed>(s, m, i); });
    state().modelNumber = 20;  // a model check rebuilds the pages with the changed ones
    device.model = 20;
    ui->send(main(), UWM_MODEL_CHECK);
    backend.pump();
    backend.menu(ID_SAVE_PROFILE);
    backend.pump();
    EXPECT_TRUE(backend.file_dialogs().empty());
}

TEST_F(Profiles, ALoadInAnotherLanguageSwitchesTheProgramAndTheDefaultProfile)
{
    start();
    std::ofstream(file()) << "[SET_DIV]\nLANGUAGE=2\nSOUNDON=1\nCHGUNIT=0,12\nUNIT=EUR\n";
    backend.answer_file_dialogs_with({file()});
    backend.menu(ID_LOAD_PROFILE);
    backend.pump();
    EXPECT_EQ(state().language, 2);
    EXPECT_EQ(profile::read_int(state().defaultProfilePath, "SET_DIV", "LANGUAGE", -1), 2);
    EXPECT_EQ(profile::read_int(state().defaultProfilePath, "SET_DIV", "SOUNDON", -1), 1);
    EXPECT_TRUE(state().soundOn);
    ASSERT_EQ(sets_of(q30::DRV_CURRENCY).size(), 1u);
    EXPECT_EQ(std::string(q30::record::str(sets_of(q30::DRV_CURRENCY)[0].record)), "EUR");
    EXPECT_EQ(sets_of(q30::DRV_LANGUAGE).back().record.value, 2);
}

TEST_F(Profiles, WithoutBackDivTheCallbackIsSwitchedOffAndItsNumbersCleared)
{
    start();
    main().callback_settings().active = true;
    main().callback_settings().numbers[4] = "0301234";
    std::ofstream(file()) << "[SET_DIV]\nLANGUAGE=0\n";
    backend.answer_file_dialogs_with({file()});
    backend.menu(ID_LOAD_PROFILE);
    backend.pump();
    ASSERT_EQ(sets_of(q30::DRV_CALLBACK_ON).size(), 1u);
    EXPECT_EQ(sets_of(q30::DRV_CALLBACK_ON)[0].record.on, 0);
    const auto numbers = sets_of(q30::DRV_CALLBACK_NUMBER);
    ASSERT_EQ(numbers.size(), 10u);
    for (const auto& n : numbers)
        EXPECT_STREQ(n.record.str, "");
}

TEST_F(Profiles, AValueTheLibraryRefusesIsSkippedAndNamed)
{
    start();
    std::ofstream(file()) << "[SET_DIV]\nCHGUNIT=0,12\x01" "ATZ\nUNIT=EUR\n";
    backend.answer_file_dialogs_with({file()});
    backend.menu(ID_LOAD_PROFILE);
    backend.pump();
    EXPECT_EQ(sets_of(q30::DRV_CHARGE_UNIT).size(), 0u);
    EXPECT_EQ(sets_of(q30::DRV_CURRENCY).size(), 1u) << "the load goes on";
    ASSERT_EQ(backend.message_boxes().size(), 1u);
    EXPECT_NE(backend.message_boxes()[0].text.find("SET_DIV\n    CHGUNIT: "), std::string::npos)
        << backend.message_boxes()[0].text;
}

TEST_F(Profiles, ASaveThatCannotWriteSaysWhereAndWhy)
{
    start();
    const std::string folder = configDir + "/a-folder.pro";
    std::filesystem::create_directories(folder);
    backend.answer_file_dialogs_with({folder});
    backend.menu(ID_SAVE_PROFILE);
    backend.pump();
    ASSERT_EQ(backend.message_boxes().size(), 1u);
    EXPECT_NE(backend.message_boxes()[0].text.find(folder), std::string::npos);
    EXPECT_TRUE(std::filesystem::is_directory(folder)) << "nothing was clobbered";
}

TEST_F(Profiles, RefusedMsnsOfTheProfileAreNamedToo)
{
    start();
    std::ofstream(file()) << "[MSN_DIV]\nAMSN00=4711\x02" "9\nAMSN01=4712\n";
    backend.answer_file_dialogs_with({file()});
    backend.menu(ID_LOAD_PROFILE);
    backend.pump();
    ASSERT_EQ(backend.message_boxes().size(), 1u);
    EXPECT_NE(backend.message_boxes()[0].text.find("MSN_DIV\n    AMSN00: "), std::string::npos)
        << backend.message_boxes()[0].text;
}
