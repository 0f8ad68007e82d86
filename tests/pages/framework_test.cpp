// What every page and dialog gets from the framework, seen in the running
// program: one write per profile save, a failed write told and harmless,
// refused files, values the device did not take named once, Enter in the
// dialogs, and texts the device's line cannot carry.
#include "pages_fixture.h"

#include <sys/stat.h>

#include "dialog_ids/data_callback_ids.h"
#include "dialog_ids/msn_ids.h"
#include "dialog_ids/settings_ids.h"
#include "pages/msn_page.h"
#include "profile/file_ops.h"
#include "profile/ini_file.h"
#include "shell/shell_ids.h"

using namespace quillon;
using namespace quillon::platform;

namespace {

constexpr int kSettingsDialog = 847;  // small fonts
constexpr int kCallbackDialog = 823;
namespace settings_dlg = dialog_ids::settings;
namespace callback_dlg = dialog_ids::data_callback;
namespace msn_dlg = dialog_ids::msn;

struct Framework : pagestest::Program {
    std::string file() const { return configDir + "/chosen.pro"; }
    void write_file(const std::string& text) const { std::ofstream(file(), std::ios::binary) << text; }
    void save()
    {
        backend.answer_file_dialogs_with({file()});
        backend.menu(ID_SAVE_PROFILE);
        backend.pump();
    }
    void load()
    {
        backend.answer_file_dialogs_with({file()});
        backend.menu(ID_LOAD_PROFILE);
        backend.pump();
    }
    MsnPage& msn() { return static_cast<MsnPage&>(*main().page(0)); }
    std::string last_message() const
    {
        return backend.message_boxes().empty() ? std::string() : backend.message_boxes().back().text;
    }
    bool told(const std::string& part) const { return last_message().find(part) != std::string::npos; }
};

} // namespace

// --- Whole-file profile saves ---------------------------------------------

TEST_F(Framework, ASaveWithEveryPageRenamesTheProfileOnce)
{
    start();
    int renames = 0;
    profile::FileOps counting = profile::system_file_ops();
    counting.rename = [&](const char* from, const char* to) {
        renames += std::string(to) == file();
        return profile::system_file_ops().rename(from, to);
    };
    profile::ScopedFileOps scoped(counting);
    save();
    EXPECT_EQ(renames, 1);
    EXPECT_EQ(profile::read_string(file(), "MSN_DIV", "AMSN00", "missing"), "47110110");
    EXPECT_EQ(profile::read_int(file(), "BACK_DIV", "CLBKACTIVE", -1), 0);
    EXPECT_EQ(profile::read_int(file(), "SET_DIV", "LANGUAGE", -1), 0);
}

TEST_F(Framework, AFailedCommitIsToldAndLeavesTheOldFileAsItWas)
{
    start();
    const std::string before = "[SET_DIV]\r\nLANGUAGE=1\r\n; the user's note\r\n";
    write_file(before);
    profile::FileOps fullDisk = profile::system_file_ops();
    fullDisk.write = [](int, const char*, std::size_t) -> ssize_t {
        errno = ENOSPC;
        return -1;
    };
    {
        profile::ScopedFileOps scoped(fullDisk);
        save();
    }
    ASSERT_EQ(backend.message_boxes().size(), 1u);
    EXPECT_TRUE(told(ui->text(ids::kCannotSaveProfile, 0))) << last_message();
    EXPECT_TRUE(told(file())) << "names the file";
    EXPECT_EQ(profile_text(file()), before) << "byte for byte";
    for (const auto& entry : std::filesystem::directory_iterator(configDir))
        EXPECT_EQ(entry.path().filename().string().find("chosen.pro."), std::string::npos)
            << "no temporary left: " << entry.path();
}

TEST_F(Framework, ASaveIntoAReadOnlyFolderIsToldAndWritesNothing)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root writes into read-only folders";
    start();
    const std::string folder = configDir + "/locked";
    std::filesystem::create_directories(folder);
    std::ofstream(folder + "/old.pro") << "[SET_DIV]\nLANGUAGE=2\n";
    chmod(folder.c_str(), 0555);
    backend.answer_file_dialogs_with({folder + "/old.pro"});
    backend.menu(ID_SAVE_PROFILE);
    backend.pump();
    chmod(folder.c_str(), 0755);
    ASSERT_EQ(backend.message_boxes().size(), 1u);
    EXPECT_EQ(profile_text(folder + "/old.pro"), "[SET_DIV]\nLANGUAGE=2\n");
}

// --- Loading what is no profile ----------------------------------------------

TEST_F(Framework, AFileWithNoProfileSectionIsRefusedAndNothingIsSent)
{
    start();
    for (const std::string& text : {std::string(), std::string("Dear diary,\nno sections here.\n"),
                                   std::string("[Other]\nLANGUAGE=1\n")}) {
        write_file(text);
        sent.clear();
        load();
        EXPECT_TRUE(sent.empty()) << "nothing reaches the device for: " << text;
        EXPECT_TRUE(told(ui->text(ids::kNotAProfile, 0))) << last_message();
    }
}

TEST_F(Framework, AProfileLackingSomeSectionsStillLoads)
{
    start();
    write_file("[BACK_DIV]\nCLBKACTIVE=1\n");
    load();
    ASSERT_EQ(sets_of(q30::DRV_CALLBACK_ON).size(), 1u);
    EXPECT_EQ(sets_of(q30::DRV_CALLBACK_ON)[0].record.on, 1);
    EXPECT_EQ(sets_of(q30::DRV_MSN).size(), 5u * 3 + 5) << "the MSN page's defaults go out as before";
}

TEST_F(Framework, AUtf16ProfileFromAWindowsEditorLoads)
{
    start();
    const std::string text = "[SET_DIV]\r\nUNIT=\xE2\x82\xAC\r\nLCCODE=089\r\n";  // UNIT=€
    std::string utf16 = "\xFF\xFE";
    for (std::size_t i = 0; i < text.size();) {
        char16_t c = static_cast<unsigned char>(text[i]);
        if (c == 0xE2) {  // the euro sign, U+20AC
            c = 0x20AC;
            i += 3;
        } else {
            ++i;
        }
        utf16 += static_cast<char>(c & 0xFF);
        utf16 += static_cast<char>(c >> 8);
    }
    write_file(utf16);
    load();
    ASSERT_EQ(sets_of(q30::DRV_LOCAL_CODE).size(), 1u);
    EXPECT_STREQ(sets_of(q30::DRV_LOCAL_CODE)[0].record.str, "089");
    ASSERT_EQ(sets_of(q30::DRV_CURRENCY).size(), 1u);
    EXPECT_STREQ(sets_of(q30::DRV_CURRENCY)[0].record.str, "\x80") << "the euro sign in the device's 8-bit text";
}

// --- What did not reach the device is named once ----------------------------

TEST_F(Framework, ALoadNamesWhatTheDeviceRefusedAndWhatWasTooLong)
{
    start();
    main().general_settings().currency = "DM";
    write_file("[SET_DIV]\nUNIT=EUR\nPABX=" + std::string(40, '0') + "\n[BACK_DIV]\nCLBKNUM3=" +
               std::string(35, '5') + "\n[MSN_DIV]\nAMSN00=" + std::string(32, '1') + "\nAMSN01=4712\n");
    deviceRefuses = [](uint32_t code, const DrvCmd& r) {
        return code == q30::DRV_CURRENCY || (code == q30::DRV_MSN && r.port == 11 && r.index == 1);
    };
    load();
    ASSERT_EQ(backend.message_boxes().size(), 1u) << "one message at the end";
    const std::string t = last_message();
    EXPECT_NE(t.find("SET_DIV\n    UNIT: " + ui->text(ids::kValueNotAccepted, 0)), std::string::npos) << t;
    EXPECT_NE(t.find("    PABX: " + ui->text(ids::kValueTooLong, 0)), std::string::npos) << t;
    EXPECT_NE(t.find("BACK_DIV\n    CLBKNUM3: " + ui->text(ids::kValueTooLong, 0)), std::string::npos) << t;
    EXPECT_NE(t.find("MSN_DIV\n    AMSN00: " + ui->text(ids::kValueTooLong, 0)), std::string::npos) << t;
    EXPECT_NE(t.find("    AMSN01: " + ui->text(ids::kValueNotAccepted, 0)), std::string::npos) << t;
    for (const pagestest::Sent& s : sent)
        EXPECT_LT(std::string(s.record.str).size(), 32u) << "nothing is sent cut short";
    EXPECT_EQ(main().general_settings().currency, "DM") << "a refused value is not taken as the device's";
}

TEST_F(Framework, ASendTheDeviceRefusesIsToldOnceAndThePageStaysChanged)
{
    start();
    Page& page = *main().page(0);
    deviceRefuses = [](uint32_t code, const DrvCmd& r) { return code == q30::DRV_MSN && r.index == 2; };
    backend.type(page, msn_dlg::kPort11Msn2Edit, "4242");
    backend.type(page, msn_dlg::kPort11Msn3Edit, "4343");
    backend.click(page, ID_SEND);
    ASSERT_EQ(backend.message_boxes().size(), 1u);
    EXPECT_TRUE(told(ui->text(ids::kSendNotAccepted, 0)));
    EXPECT_TRUE(told("Port 11: MSN 3")) << last_message();
    EXPECT_FALSE(told("MSN 2")) << "the accepted one is not named";
    EXPECT_EQ(msn().msn(0, 1).confirmed(), "4242");
    EXPECT_EQ(msn().msn(0, 2).confirmed(), "47110112") << "the refused one stays unconfirmed";
}

TEST_F(Framework, ChangingOnlyTheDataPortsAliasMarksTheMsnPageChanged)
{
    start();
    Page& page = *main().page(0);
    backend.type(page, msn_dlg::kDataAliasEdit, "Modem");
    backend.on_modal(ids::kDiscardDialog + 1, [&](Window& d) { return backend.click(d, ID_STAY), 0; });
    EXPECT_EQ(ui->send(page, UWM_QUERY_LEAVE), 0) << "the leave check asked, and the user stayed";
}

TEST_F(Framework, AnAliasEndingInABlankSurvivesAProfileRoundTrip)
{
    start();
    Page& page = *main().page(0);
    backend.type(page, msn_dlg::kDataAliasEdit, "Fax ");
    backend.click(page, ID_SEND);
    save();
    main().page(0)->repaint();
    write_file(profile_text(file()));  // as saved
    load();
    EXPECT_EQ(state().portAliases[5], "Fax ");
}

// --- The general settings dialog ---------------------------------------------

TEST_F(Framework, TheSettingsDialogKeepsTheDevicesValueWhenTheDeviceRefuses)
{
    start();
    deviceRefuses = [](uint32_t code, const DrvCmd&) { return code == q30::DRV_PABX_PREFIX; };
    backend.on_modal(kSettingsDialog, [&](Window& d) {
        backend.type(d, settings_dlg::kPabxEdit, "9");
        backend.click(d, settings_dlg::kOkButton);
        return 0;
    });
    backend.menu(ID_SETTINGS);
    backend.pump();
    EXPECT_EQ(main().general_settings().pabxPrefix, "") << "what the device holds, not the refused 9";
    EXPECT_TRUE(told(ui->text(ids::kSendNotAccepted, 0)));
    save();
    EXPECT_EQ(profile::read_string(file(), "SET_DIV", "PABX", "missing"), "");
}

TEST_F(Framework, EnterInTheDialogsStoresAndMovesOnWithoutClosing)
{
    start();
    bool settingsOpen = false, callbackOpen = false;
    int settingsFocus = 0, callbackFocus = 0;
    backend.on_modal(kSettingsDialog, [&](Window& d) {
        d.set_focus(settings_dlg::kChargeUnitEdit);
        backend.press_key(d, Key::Enter);
        settingsOpen = d.created();
        settingsFocus = d.focus();
        return IDCANCEL;
    });
    backend.menu(ID_SETTINGS);
    backend.pump();
    backend.on_modal(kCallbackDialog, [&](Window& d) {
        d.set_focus(callback_dlg::kFirstNumber);
        backend.press_key(d, Key::Enter);
        callbackOpen = d.created();
        callbackFocus = d.focus();
        return IDCANCEL;
    });
    backend.menu(ID_DATA_CALLBACK);
    backend.pump();
    EXPECT_TRUE(settingsOpen);
    EXPECT_NE(settingsFocus, settings_dlg::kChargeUnitEdit) << "the focus moved on";
    EXPECT_NE(settingsFocus, settings_dlg::kOkButton);
    EXPECT_TRUE(callbackOpen);
    EXPECT_EQ(callbackFocus, callback_dlg::kFirstNumber + 1);
    EXPECT_TRUE(sets_of(q30::DRV_CURRENCY).empty() && sets_of(q30::DRV_CALLBACK_NUMBER).empty())
        << "Enter sent nothing";
}

TEST_F(Framework, TheCurrencyCountsCharactersAndGoesOutIn8BitText)
{
    start();
    main().general_settings().currency = "DM";
    backend.on_modal(kSettingsDialog, [&](Window& d) {
        backend.type(d, settings_dlg::kCurrencyEdit, "\xE2\x82\xAC$");  // "€$": two characters, four bytes
        backend.click(d, settings_dlg::kOkButton);
        return 0;
    });
    backend.menu(ID_SETTINGS);
    backend.pump();
    EXPECT_TRUE(backend.message_boxes().empty()) << last_message();
    ASSERT_EQ(sets_of(q30::DRV_CURRENCY).size(), 1u);
    EXPECT_STREQ(sets_of(q30::DRV_CURRENCY)[0].record.str, "\x80$");
    EXPECT_EQ(main().general_settings().currency, "\xE2\x82\xAC$");
}

TEST_F(Framework, ACurrencyTheLineCannotCarryIsRefusedWhileTyping)
{
    start();
    backend.on_modal(kSettingsDialog, [&](Window& d) {
        // The rouble sign has no place in the device's text.
        backend.type(d, settings_dlg::kCurrencyEdit, "\xE2\x82\xBD");
        backend.click(d, settings_dlg::kOkButton);
        return 0;
    });
    backend.menu(ID_SETTINGS);
    backend.pump();
    ASSERT_FALSE(backend.message_boxes().empty());
    EXPECT_EQ(backend.message_boxes()[0].text, ui->text(ids::kCharacterNotForDevice, 0));
    EXPECT_TRUE(sets_of(q30::DRV_CURRENCY).empty());
}
