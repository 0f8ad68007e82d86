// The shell as a user meets it, headless: start-up with and without a
// device, the alive poll, page switches with the discard dialog, languages,
// help and quit.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "fake_library.h"
#include "platform/headless_backend.h"
#include "profile/ini_file.h"
#include "shell/application.h"
#include "shell/languages.h"
#include "dialog_ids/about_ids.h"
#include "dialog_ids/help_ids.h"
#include "dialog_ids/no_response_ids.h"
#include "shell/shell_ids.h"
#include "../../test_folder_name.h"

using namespace quillon;
using namespace quillon::platform;
using namespace quillon::dialog_ids::no_response;
using shelltest::FakeLibrary;

namespace {

// A page whose edits the test controls.
class TestPage : public Page {
public:
    using Page::Page;
    bool dirty = false;
    int reads = 0, sends = 0, discards = 0, languages = 0;
    static inline int sendsOfAllPages = 0;  // outlives the pages

protected:
    void read_device() override { ++reads; }
    bool changed() const override { return dirty; }
    void send_to_device(ValueReport&) override
    {
        ++sends;
        ++sendsOfAllPages;
        dirty = false;
    }
    void discard_changes() override
    {
        ++discards;
        dirty = false;
    }
    void relabel() override { ++languages; }
};

struct Shell : ::testing::Test {
    resources::Resources res;
    HeadlessBackend backend;
    std::unique_ptr<Ui> ui;
    FakeLibrary device;
    std::string configDir;
    std::unique_ptr<Application> app;
    int settingsRuns = 0;
    int upgradeRuns = 0;

    void SetUp() override
    {
        std::vector<resources::ParseError> errors;
        ASSERT_TRUE(res.load(QUILLON_SOURCE_RES_DIR, errors));
        ui = std::make_unique<Ui>(backend, res);
        TestPage::sendsOfAllPages = 0;
        configDir = std::filesystem::temp_directory_path() / test_folder_name("quillon-shell-");
        std::filesystem::remove_all(configDir);
    }
    void TearDown() override
    {
        app.reset();
        std::filesystem::remove_all(configDir);
    }

    bool start()
    {
        app = std::make_unique<Application>(*ui, device.call());
        app->set_config_directory(configDir);
        app->set_main_window_setup([this](MainWindow& main) {
            main.set_page_factory([](ShellContext& s, Window& m, int i) { return std::make_unique<TestPage>(s, m, i); });
            main.set_command_dialog(ID_SETTINGS, [this](MainWindow&) { return ++settingsRuns, IDOK; });
            main.set_command_dialog(ID_UPGRADE, [this](MainWindow&) { return ++upgradeRuns, IDOK; });
        });
        std::string error;
        bool ok = app->initialise(error);
        backend.pump();
        return ok;
    }
    MainWindow& main() { return *app->main_window(); }
    AppState& state() { return app->state(); }
    TestPage& page(int i) { return static_cast<TestPage&>(*main().page(i)); }
    int modal_count(int templateId) const
    {
        int n = 0;
        for (const auto& m : backend.modals())
            n += m.templateId == templateId;
        return n;
    }
};

} // namespace

TEST_F(Shell, StartsOnTheDeviceAndShowsTheFirstPage)
{
    ASSERT_TRUE(start());
    EXPECT_EQ(state().modelName, "VornISDN Q30");
    EXPECT_EQ(state().firmwareVersion, "1.3.4");
    EXPECT_EQ(state().portCount, 5);
    EXPECT_TRUE(state().linkUp);
    EXPECT_GE(backend.now_ms(), 5000u) << "the splash stays five seconds";
    EXPECT_EQ(backend.shown_page(), main().page(0));
    EXPECT_EQ(page(0).reads, 1) << "the first read is posted when the page is first shown";
    EXPECT_EQ(page(1).reads, 0);
    EXPECT_EQ(state().portMsns[3].msn[1], "47110311") << "the shared MSN table was read";
    EXPECT_EQ(state().portAliases[0], "\"11\"");
    EXPECT_EQ(state().portAliases[5], "\"data\"");
    EXPECT_EQ(backend.state(*main().page(0))->templateId, 803) << "small fonts: the odd template";
    EXPECT_EQ(settingsRuns, 1) << "the first start opens the settings once";
    EXPECT_TRUE(backend.timer_running(main(), MainWindow::kPollTimer));
    EXPECT_EQ(backend.unscripted(), 0);
}

TEST_F(Shell, TheSettingsOpenOnlyOnTheFirstStart)
{
    ASSERT_TRUE(start());
    app.reset();
    ASSERT_TRUE(start());
    EXPECT_EQ(settingsRuns, 1);
    EXPECT_EQ(profile::read_string(configDir + "/quillon.ini", "Quillon", "FirstRun", ""), "1");
}

TEST_F(Shell, WithoutADeviceTryAgainComesBackAndQuitEndsWithoutAWindow)
{
    device.present = false;
    int asked = 0;
    backend.on_modal(ids::kNoResponseDialog + 1, [&](Window& dialog) {
        ++asked;
        backend.click(dialog, asked == 1 ? kTryAgainButton : kQuitButton);
        return 0;
    });
    EXPECT_FALSE(start());
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(device.count(q30::DRV_BOOT_OPEN), 8) << "Try again probes COM1..COM8 for a boot loader";
    EXPECT_EQ(device.count(q30::DRV_CLOSE), 8);
    EXPECT_EQ(app->main_window(), nullptr);
}

TEST_F(Shell, TheNoResponseDialogNamesTheLinuxCausesAndWhatEachPortShows)
{
    device.present = false;
    setenv("Q30COM32_COM3", (configDir + "-no-such-node").c_str(), 1);
    std::string hints;
    backend.on_modal(ids::kNoResponseDialog + 1, [&](Window& dialog) {
        hints = backend.control(dialog, kNoResponseHintsPlace)->text;
        backend.click(dialog, kQuitButton);
        return 0;
    });
    EXPECT_FALSE(start());
    unsetenv("Q30COM32_COM3");
    EXPECT_NE(hints.find("dialout"), std::string::npos) << hints;
    EXPECT_NE(hints.find("ModemManager"), std::string::npos);
    EXPECT_NE(hints.find("Q30COM32_COM1"), std::string::npos);
    EXPECT_NE(hints.find("COM3  " + configDir + "-no-such-node: " + ui->text(ids::kPortNotPresent, 0)),
              std::string::npos)
        << "each port with its node and state: " << hints;
}

TEST_F(Shell, ClosingTheNoResponseDialogRunsWithoutADevice)
{
    device.present = false;
    backend.on_modal(ids::kNoResponseDialog + 1, [&](Window& dialog) {
        backend.close(dialog);
        return 0;
    });
    ASSERT_TRUE(start());
    EXPECT_EQ(state().modelName, "????");
    EXPECT_EQ(backend.state(*main().page(1))->templateId, 805) << "the larger model's pages";
    EXPECT_TRUE(state().linkUp) << "the library fails each command itself";
    const int pings = device.count(q30::DRV_PING);
    backend.advance(5000);
    EXPECT_EQ(device.count(q30::DRV_PING), pings) << "no alive poll without a device";
}

TEST_F(Shell, ASmallerDeviceSwitchedOnLaterRebuildsThePages)
{
    device.present = false;
    backend.on_modal(ids::kNoResponseDialog + 1, [&](Window& dialog) {
        device.present = true;
        device.model = 20;
        backend.click(dialog, kTryAgainButton);
        return 0;
    });
    ASSERT_TRUE(start());
    EXPECT_EQ(state().modelName, "VornISDN Q20");
    EXPECT_EQ(state().portCount, 3);
    EXPECT_EQ(backend.state(*main().page(1))->templateId, 829) << "the smaller model's call acceptance page";
    EXPECT_EQ(backend.shown_page(), main().page(0));
}

TEST_F(Shell, ADeviceInItsBootLoaderOpensTheUpgrade)
{
    device.present = false;
    device.bootLoaderOnCom = 2;
    backend.on_modal(ids::kNoResponseDialog + 1, [&](Window& dialog) {
        backend.click(dialog, kTryAgainButton);
        return 0;
    });
    ASSERT_TRUE(start());
    EXPECT_EQ(device.count(q30::DRV_BOOT_OPEN), 3) << "COM1 and COM2 first, then COM3 answers";
    EXPECT_TRUE(state().bootModeDevice);
    EXPECT_EQ(upgradeRuns, 1) << "the posted upgrade command reached the main window";
}

TEST_F(Shell, ThreeFailedPollsThenAGoodOneShowNoMessage)
{
    ASSERT_TRUE(start());
    device.pingFailuresLeft = 3;
    backend.advance(3000);
    EXPECT_FALSE(state().linkUp);
    backend.advance(1000);
    EXPECT_TRUE(state().linkUp);
    EXPECT_TRUE(backend.message_boxes().empty());
    EXPECT_GE(backend.beeps(), 1) << "the device's return is heard";
}

TEST_F(Shell, FourFailedPollsShowOneMessagePerLossAndThePollRestsMeanwhile)
{
    ASSERT_TRUE(start());
    device.pingFailuresLeft = 100;
    int pingsWhileShown = -1;
    backend.on_message_box([&](std::string_view text) {
        EXPECT_EQ(text, ui->text(ids::kDeviceLost, 0));
        const int before = device.count(q30::DRV_PING);
        backend.advance(3000);  // the user takes a while to read it
        pingsWhileShown = device.count(q30::DRV_PING) - before;
        return IDOK;
    });
    backend.advance(4000);
    EXPECT_EQ(backend.message_boxes().size(), 1u);
    EXPECT_EQ(pingsWhileShown, 0);
    backend.advance(10000);
    EXPECT_EQ(backend.message_boxes().size(), 1u) << "one message per loss";
    EXPECT_NE(backend.state(*main().current_page())->caption.find(ui->text(ids::kNotConnected, 0)),
              std::string::npos)
        << "the window says it meanwhile";

    device.pingFailuresLeft = 0;
    backend.advance(1000);
    EXPECT_TRUE(state().linkUp);
    EXPECT_EQ(backend.state(*main().current_page())->caption.find(ui->text(ids::kNotConnected, 0)),
              std::string::npos);
    device.pingFailuresLeft = 100;
    backend.advance(4000);
    EXPECT_EQ(backend.message_boxes().size(), 2u) << "a new loss is told again";
}

TEST_F(Shell, AGoodPollAfterThreeFailuresStartsTheCountAgain)
{
    ASSERT_TRUE(start());
    device.pingFailuresLeft = 3;
    backend.advance(4000);
    device.pingFailuresLeft = 1;
    backend.advance(1000);
    EXPECT_TRUE(backend.message_boxes().empty()) << "one failure after a good poll is no loss";
}

TEST_F(Shell, ALostDeviceIsOpenedAgainAndTheModelChecked)
{
    ASSERT_TRUE(start());
    device.pingFailuresLeft = 100;
    backend.advance(4000);
    ASSERT_EQ(backend.message_boxes().size(), 1u);
    const int reopensBefore = device.count(q30::DRV_REOPEN);
    const int identifiesBefore = device.count(q30::DRV_DEVICE_INFO);
    backend.advance(6000);
    EXPECT_GE(device.count(q30::DRV_REOPEN) - reopensBefore, 1) << "the poll tries the port again";

    // Back behind a new node: the ping on the old handle still fails, the reopen answers.
    device.pingFailuresLeft = 0;
    const int beeps = backend.beeps();
    device.pingFailuresLeft = 1000;  // the old handle is dead for good
    device.reopenWorks = true;
    backend.advance(3000);
    EXPECT_TRUE(state().linkUp);
    EXPECT_FALSE(state().deviceLost);
    EXPECT_GT(backend.beeps(), beeps) << "the return is heard";
    EXPECT_GT(device.count(q30::DRV_DEVICE_INFO), identifiesBefore) << "the device is identified again";
}

TEST_F(Shell, LeavingAChangedPageAsksWhatToDo)
{
    ASSERT_TRUE(start());
    page(0).dirty = true;

    backend.on_modal(ids::kDiscardDialog + 1, [&](Window& d) { return backend.click(d, ID_STAY), 0; });
    backend.click(main(), ID_PAGE_FIRST + 2);
    backend.pump();
    EXPECT_EQ(backend.shown_page(), main().page(0)) << "Cancel keeps the page";
    EXPECT_EQ(backend.control(main(), ID_PAGE_FIRST)->check, 1) << "and its pressed button";
    EXPECT_TRUE(page(0).dirty);

    backend.on_modal(ids::kDiscardDialog + 1, [&](Window& d) { return backend.click(d, ID_DISCARD), 0; });
    backend.click(main(), ID_PAGE_FIRST + 2);
    backend.pump();
    EXPECT_EQ(page(0).discards, 1);
    EXPECT_EQ(backend.shown_page(), main().page(2));
    EXPECT_EQ(page(2).languages, 1) << "a first visit relabels before reading";
    EXPECT_EQ(page(2).reads, 1);

    page(2).dirty = true;
    backend.on_modal(ids::kDiscardDialog + 1, [&](Window& d) { return backend.click(d, ID_SEND), 0; });
    backend.menu(ID_PAGE_FIRST);
    backend.pump();
    EXPECT_EQ(page(2).sends, 1);
    EXPECT_EQ(backend.shown_page(), main().page(0));
    EXPECT_EQ(page(0).reads, 1) << "a later visit reads nothing";
    EXPECT_EQ(modal_count(ids::kDiscardDialog + 1), 3);
}

TEST_F(Shell, TheShownPagesOwnButtonDoesNothing)
{
    ASSERT_TRUE(start());
    page(0).dirty = true;
    backend.click(main(), ID_PAGE_FIRST);
    backend.pump();
    EXPECT_EQ(modal_count(ids::kDiscardDialog + 1), 0);
    EXPECT_EQ(backend.shown_page(), main().page(0));
}

TEST_F(Shell, ALanguageChangeRelabelsEverythingAndIsRemembered)
{
    ASSERT_TRUE(start());
    state().language = 1;
    ui->send(main(), UWM_SET_LANGUAGE);
    for (int i = 0; i < kPageCount; ++i)
        EXPECT_GE(page(i).languages, 1) << "page " << i;
    EXPECT_EQ(backend.state(main())->menuId, 701);
    EXPECT_EQ(backend.control(main(), ID_PAGE_FIRST + 1)->rect.width, 91) << "German widths";
    EXPECT_EQ(backend.control(main(), ID_PAGE_FIRST + 1)->text, ui->text(6005, 1));
    EXPECT_EQ(profile::read_int(state().defaultProfilePath, "SET_DIV", "LANGUAGE", -1), 1);

    app.reset();
    ASSERT_TRUE(start());
    EXPECT_EQ(state().language, 1) << "the next start is in German";
    EXPECT_EQ(device.deviceLanguage, 1) << "and the device's display follows";
}

TEST_F(Shell, TheFirstStartSpeaksTheDesktopsLanguageUntilTheUserChooses)
{
    EXPECT_EQ(language_for_locale("de_AT.UTF-8"), 1);
    EXPECT_EQ(language_for_locale("fr_CA"), 2);
    for (const char* other : {"C", "POSIX", "en_GB.UTF-8", "", "d"})
        EXPECT_EQ(language_for_locale(other), 0) << '"' << other << '"';

    backend.set_locale_name("fr_FR.UTF-8");
    ASSERT_TRUE(start());
    EXPECT_EQ(state().language, 2);
    EXPECT_EQ(backend.state(main())->menuId, 702);
    EXPECT_EQ(device.deviceLanguage, 2) << "the device's display follows";

    app.reset();
    ASSERT_TRUE(profile::write_int(configDir + "/default.pro", "SET_DIV", "LANGUAGE", 0).ok);
    ASSERT_TRUE(start());
    EXPECT_EQ(state().language, 0) << "the user's choice wins over the desktop";
}

TEST_F(Shell, QuitStoresTheSettingsInTheDevice)
{
    ASSERT_TRUE(start());
    const int stores = device.count(q30::DRV_STORE);
    backend.menu(ID_QUIT);
    backend.pump();
    EXPECT_EQ(device.count(q30::DRV_STORE), stores + 1);
    EXPECT_EQ(backend.exit_code(), 0);
}

TEST_F(Shell, HelpMenuEntriesOpenTheirTexts)
{
    ASSERT_TRUE(start());
    backend.menu(ID_HELP_HEADER);
    backend.pump();
    EXPECT_EQ(modal_count(ids::kHelpDialog + 1), 0) << "the heading does nothing";
    backend.on_modal(ids::kHelpDialog + 1, [&](Window& help) {
        EXPECT_EQ(backend.state(help)->caption, ui->text(ids::kHelpCaptionPrefix, 0) + " " + ui->text(8500, 0));
        EXPECT_EQ(backend.control(help, dialog_ids::help::kHelpTextPlace)->text, ui->text(7000, 0));
        return IDOK;
    });
    backend.menu(32795);
    backend.pump();
    EXPECT_EQ(modal_count(ids::kHelpDialog + 1), 1);
}

TEST_F(Shell, ClosingAChangedPageWithSendSendsAndThenQuits)
{
    ASSERT_TRUE(start());
    page(0).dirty = true;
    backend.on_modal(ids::kDiscardDialog + 1, [&](Window& d) { return backend.click(d, ID_SEND), 0; });
    const int stores = device.count(q30::DRV_STORE);
    backend.close(*main().page(0));
    backend.pump();
    EXPECT_EQ(TestPage::sendsOfAllPages, 1);
    EXPECT_EQ(main().page(0), nullptr) << "the pages are gone";
    EXPECT_EQ(device.count(q30::DRV_STORE), stores + 1);
    EXPECT_EQ(backend.exit_code(), 0);
}

TEST_F(Shell, TheLeaveQueryAnswersWhetherThePageMayBeLeft)
{
    ASSERT_TRUE(start());
    EXPECT_EQ(ui->send(*main().page(0), UWM_QUERY_LEAVE), 1) << "nothing changed";
    page(0).dirty = true;
    backend.on_modal(ids::kDiscardDialog + 1, [&](Window& d) { return backend.click(d, ID_STAY), 0; });
    EXPECT_EQ(ui->send(*main().page(0), UWM_QUERY_LEAVE), 0);
    backend.on_modal(ids::kDiscardDialog + 1, [&](Window& d) { return backend.close(d), 0; });
    EXPECT_EQ(ui->send(*main().page(0), UWM_QUERY_LEAVE), 1) << "closing the question leaves as it is";
    EXPECT_EQ(page(0).sends + page(0).discards, 0);
}

TEST_F(Shell, EscapeIsIgnoredOnAPage)
{
    ASSERT_TRUE(start());
    backend.press_key(*main().page(0), Key::Escape);
    backend.pump();
    EXPECT_EQ(backend.shown_page(), main().page(0));
    EXPECT_FALSE(backend.exit_code().has_value());
}

TEST_F(Shell, APostedUpgradeCommandReachesTheMainWindowAndPausesThePoll)
{
    ASSERT_TRUE(start());
    ui->post_command(*main().page(0), ID_UPGRADE);
    backend.pump();
    EXPECT_EQ(upgradeRuns, 1);
    EXPECT_TRUE(backend.timer_running(main(), MainWindow::kPollTimer)) << "the poll runs again afterwards";
}

TEST_F(Shell, MenuCommandsWithoutTheirWindowYetAreGreyedOut)
{
    ASSERT_TRUE(start());
    EXPECT_FALSE(backend.menu_command_enabled(main(), ID_LOAD_PROFILE));
    EXPECT_TRUE(backend.menu_command_enabled(main(), ID_SETTINGS));
}

TEST_F(Shell, AClickOnTheWarningPictureEndsNoDialog)
{
    device.present = false;
    int asked = 0;
    backend.on_modal(ids::kNoResponseDialog + 1, [&](Window& dialog) {
        ++asked;
        backend.click(dialog, kWarningPlace);
        backend.click(dialog, kNoResponseTextPlace);
        EXPECT_TRUE(backend.window_shown(dialog));
        backend.click(dialog, kQuitButton);
        return 0;
    });
    EXPECT_FALSE(start());
    EXPECT_EQ(asked, 1);
}

TEST_F(Shell, TheAboutWindowShowsTheProgramsVersion)
{
    ASSERT_TRUE(start());
    std::string version;
    bool shown = false;
    backend.on_modal(ids::kSplashDialog, [&](Window& about) {
        version = backend.control(about, dialog_ids::about::kVersionText)->text;
        shown = about.visible(dialog_ids::about::kVersionText);
        return IDOK;
    });
    backend.menu(ID_ABOUT);
    backend.pump();
    EXPECT_EQ(version, "Version " QUILLON_TEST_VERSION);
    EXPECT_TRUE(shown);
}
