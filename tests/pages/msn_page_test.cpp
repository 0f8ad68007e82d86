// The MSN page, headless, on a scripted device: typing, sending, the leave
// check, profiles, the Q20 and languages.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "fake_library.h"
#include "pages/msn_page.h"
#include "platform/headless_backend.h"
#include "profile/ini_file.h"
#include "../test_folder_name.h"

using namespace quillon;
using namespace quillon::platform;
using namespace quillon::msn_ids;
using namespace quillon::dialog_ids::msn;

namespace {

constexpr int kDiscardDialogSmallFonts = 857;

struct Sent {
    uint32_t code;
    DrvCmd record;
    std::string str() const { return std::string(q30::record::str(record)); }
};

// Stands for the main window: records the messages a page sends it.
class MainSpy : public Window {
public:
    using Window::Window;
    std::vector<uint32_t> received;
    intptr_t on_message(const Message& m) override
    {
        received.push_back(m.id);
        return 1;
    }
    int count(uint32_t id) const { return static_cast<int>(std::count(received.begin(), received.end(), id)); }
};

struct MsnPageTest : ::testing::Test {
    resources::Resources res;
    HeadlessBackend backend;
    std::unique_ptr<Ui> ui;
    AppState state;
    shelltest::FakeLibrary device;
    std::vector<Sent> sent;
    std::function<bool(const Sent&)> deviceRefuses;  // answers without "OK"
    std::unique_ptr<DeviceGate> gate;
    std::unique_ptr<ShellContext> shell;
    std::unique_ptr<MainSpy> main;
    std::unique_ptr<Page> page;
    std::string dir;

    void SetUp() override
    {
        std::vector<resources::ParseError> errors;
        ASSERT_TRUE(res.load(QUILLON_SOURCE_RES_DIR, errors));
        ui = std::make_unique<Ui>(backend, res);
        gate = std::make_unique<DeviceGate>(state, [this](uint32_t c, DrvCmd* r) { return call(c, r); });
        shell = std::make_unique<ShellContext>(ShellContext{*ui, state, *gate});
        dir = (std::filesystem::temp_directory_path() / test_folder_name("quillon-msn-")).string();
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        state.defaultProfilePath = dir + "/default.pro";
        state.chosenProfilePath = dir + "/chosen.pro";
        state.linkUp = true;
        // What the main window read at connection.
        state.portMsns[0] = {{"4711", "", ""}, true};
        state.portMsns[1] = {{"123", "124", ""}, false};
        state.portMsns[3] = {{"3100", "", ""}, false};
        state.dataPortMsns = {{"900", "", "", "", "904"}, false};
        for (int i = 0; i < kAliasCount; ++i)
            state.portAliases[static_cast<std::size_t>(i)] = default_alias(i);
    }
    void TearDown() override
    {
        page.reset();
        std::filesystem::remove_all(dir);
    }

    // Like the library: a text with a control character never goes out.
    int32_t call(uint32_t code, DrvCmd* r)
    {
        for (char c : q30::record::str(*r))
            if (static_cast<unsigned char>(c) < 0x20)
                return q30::kResultRefused;
        sent.push_back({code, *r});
        if (deviceRefuses && deviceRefuses(sent.back())) {
            r->replied = 1;
            r->ok = 0;
            return 0;
        }
        return device(code, r);
    }

    void open(int model = 30)
    {
        state.set_model(model, false);
        main = std::make_unique<MainSpy>(*ui, nullptr);
        main->create(0, WindowRole::Main);
        page = make_msn_page(*shell, *main);
        page->build();
        ui->send(*page, UWM_SET_LANGUAGE);
        ui->send(*page, UWM_READ_DEVICE);
        sent.clear();
    }
    MsnPage& msn() { return static_cast<MsnPage&>(*page); }
    std::string shown(int id) const { return page->text(id); }
    void type(int id, const std::string& text) { backend.type(*page, id, text); }
    void press_send() { backend.click(*page, ID_SEND); }
    std::vector<Sent> sets() const
    {
        std::vector<Sent> out;
        std::copy_if(sent.begin(), sent.end(), std::back_inserter(out), [](const Sent& s) { return s.record.op == q30::OP_SET; });
        return out;
    }
    std::string stored(const std::string& path, const std::string& key) const
    {
        return profile::read_string(path, "MSN_DIV", key, "<missing>");
    }
    void write(const std::string& path, const std::string& text) const { std::ofstream(path, std::ios::binary) << text; }
};

} // namespace

// --- Typing ---------------------------------------------------------------

TEST_F(MsnPageTest, TheSixteenthDigitIsRefusedAndTheFieldGoesBackToTheDevice)
{
    open();
    type(kPort11Msn1Edit, "123456789012345");
    EXPECT_TRUE(backend.message_boxes().empty()) << "15 digits are an MSN";
    type(kPort11Msn1Edit, "1234567890123456");
    ASSERT_EQ(backend.message_boxes().size(), 1u);
    EXPECT_EQ(backend.message_boxes()[0].text, "max 15 digits") << "refused for its length, and told so";
    EXPECT_EQ(shown(kPort11Msn1Edit), "4711");
    EXPECT_EQ(backend.state(*page)->focus, kPort11Msn1Edit);
}

TEST_F(MsnPageTest, ALetterRestoresTheDeviceCopyAndKeepsWhatWasTypedElsewhere)
{
    open();
    // The box takes the focus from the edit, which stores its text on leaving.
    backend.on_message_box([&](std::string_view) {
        backend.leave(*page, kPort21Msn1Edit);
        return IDOK;
    });
    type(kPort21Msn1Edit, "1234");
    type(kPort21AliasEdit, "Fax");  // an alias: no check, no store yet
    type(kPort21Msn2Edit, "77");
    type(kPort21Msn1Edit, "1234a");
    EXPECT_EQ(shown(kPort21Msn1Edit), "123") << "the device copy, not the previous keystroke";
    EXPECT_EQ(shown(kPort21AliasEdit), "Fax");
    EXPECT_EQ(shown(kPort21Msn2Edit), "77");
}

// --- Sending --------------------------------------------------------------

TEST_F(MsnPageTest, OnlyTheDifferingValuesGoOutInTheirFixedOrder)
{
    open();
    type(kPort11Msn1Edit, "");             // emptied
    type(kPort21Msn3Edit, "555");
    backend.click(*page, kPort11ClipBox);  // off
    type(kDataMsn5Edit, "");               // emptied
    backend.click(*page, kDataClipBox);    // on
    press_send();

    const std::vector<Sent> s = sets();
    ASSERT_EQ(s.size(), 5u);
    EXPECT_EQ(s[0].code, q30::DRV_MSN);
    EXPECT_EQ(s[0].record.port, 11);
    EXPECT_EQ(s[0].record.index, 0);
    EXPECT_EQ(s[0].str(), "") << "an empty MSN is sent as an empty text";
    EXPECT_EQ(s[1].record.port, 21);
    EXPECT_EQ(s[1].record.index, 2);
    EXPECT_EQ(s[1].str(), "555");
    EXPECT_EQ(s[2].code, q30::DRV_CLIP);
    EXPECT_EQ(s[2].record.port, 11);
    EXPECT_EQ(s[2].record.on, 0);
    EXPECT_EQ(s[3].code, q30::DRV_MSN);
    EXPECT_EQ(s[3].record.port, 0);
    EXPECT_EQ(s[3].record.index, 4);
    EXPECT_EQ(s[4].code, q30::DRV_CLIP);
    EXPECT_EQ(s[4].record.on, 1);

    EXPECT_EQ(state.portMsns[1].msn[2], "555") << "the other pages see it";
    EXPECT_TRUE(state.dataPortMsns.clip);
    EXPECT_EQ(main->count(UWM_REREAD_FORWARDING), 1);
    EXPECT_EQ(ui->send(*page, UWM_QUERY_LEAVE), 1);
    EXPECT_TRUE(backend.modals().empty()) << "nothing left unsent";
}

TEST_F(MsnPageTest, SendingNothingStillStoresNamesAndPicturesAndRereadsForwarding)
{
    state.soundOn = true;
    open();
    press_send();
    EXPECT_TRUE(sent.empty());
    EXPECT_EQ(backend.beeps(), 1);
    EXPECT_EQ(main->count(UWM_REREAD_FORWARDING), 1);
    EXPECT_EQ(stored(state.defaultProfilePath, "ALIAS0"), "");
    EXPECT_EQ(stored(state.defaultProfilePath, "ALIASD"), "");
    EXPECT_EQ(stored(state.defaultProfilePath, "PORTIDX4"), "0");
    EXPECT_EQ(stored(state.defaultProfilePath, "PORTIDX5"), "0");
}

TEST_F(MsnPageTest, AClearedAliasBecomesTheDefaultAndQuotedNamesSurvive)
{
    state.portAliases[0] = "Kitchen";
    open();
    type(kPort11AliasEdit, "");
    type(kPort21AliasEdit, "\"Fax\"");
    type(kDataAliasEdit, " PC ");
    press_send();
    EXPECT_EQ(shown(kPort11AliasEdit), "\"11\"");
    EXPECT_EQ(state.portAliases[0], "\"11\"");
    EXPECT_EQ(stored(state.defaultProfilePath, "ALIAS0"), "");
    EXPECT_EQ(stored(state.defaultProfilePath, "ALIAS1"), "\"Fax\"");
    EXPECT_EQ(stored(state.defaultProfilePath, "ALIASD"), " PC ");
}

TEST_F(MsnPageTest, AFailedSetStaysUnsentAndTheLeaveCheckOffersItAgain)
{
    open();
    deviceRefuses = [](const Sent&) { return true; };
    type(kPort11Msn2Edit, "42");
    press_send();
    EXPECT_EQ(state.portMsns[0].msn[1], "") << "the device copy keeps the old value";
    EXPECT_EQ(msn().msn(0, 1).confirmed(), "");

    deviceRefuses = nullptr;
    backend.on_modal(kDiscardDialogSmallFonts, [&](Window& d) {
        backend.click(d, ID_SEND);
        return 0;
    });
    EXPECT_EQ(ui->send(*page, UWM_QUERY_LEAVE), 1);
    ASSERT_EQ(sets().size(), 2u);
    EXPECT_EQ(sets()[1].str(), "42");
    EXPECT_EQ(state.portMsns[0].msn[1], "42");

    state.linkUp = false;  // no device: the gate answers -2
    type(kPort11Msn2Edit, "43");
    press_send();
    EXPECT_EQ(msn().msn(0, 1).confirmed(), "42");
}

// --- Profiles -------------------------------------------------------------

TEST_F(MsnPageTest, AProfileWithoutTheSectionLoadsDefaultsAndSendsAllOfThem)
{
    write(state.defaultProfilePath, "[MSN_DIV]\nPORTIDX1=4\n");
    open();
    write(state.chosenProfilePath, "[SET_DIV]\nLANGUAGE=0\n");
    ui->send(*page, UWM_LOAD_PROFILE, 1);

    int msns = 0, clips = 0;
    for (const Sent& s : sets()) {
        msns += s.code == q30::DRV_MSN;
        clips += s.code == q30::DRV_CLIP;
        EXPECT_EQ(s.str(), "");
        EXPECT_EQ(s.record.on, 0);
    }
    EXPECT_EQ(msns, 5 * 3 + 5);
    EXPECT_EQ(clips, 5 + 1);
    EXPECT_EQ(main->count(UWM_PROGRESS_TICK), 5 * 3 + 5 + 5 + 1);
    EXPECT_EQ(main->count(UWM_REREAD_FORWARDING), 1);
    EXPECT_EQ(state.portMsns[0].msn[0], "");
    EXPECT_FALSE(state.portMsns[0].clip);
    EXPECT_EQ(shown(kPort21AliasEdit), "\"21\"");
    EXPECT_EQ(msn().picture(1)->selected(), 0);
    EXPECT_EQ(stored(state.defaultProfilePath, "PORTIDX1"), "0") << "the loaded pictures become the default";
}

TEST_F(MsnPageTest, ALoadSendsEqualValuesTooAndAFailureKeepsTheTrueDeviceCopy)
{
    open();
    write(state.chosenProfilePath, "[MSN_DIV]\nAMSN00=4711\nACLIP0=1\nAMSN01=12ab\nAMSN11=999\nALIAS2=Hall\n");
    deviceRefuses = [](const Sent& s) { return s.code == q30::DRV_MSN && s.record.port == 21 && s.record.index == 1; };
    ui->send(*page, UWM_LOAD_PROFILE, 1);

    const std::vector<Sent> s = sets();
    ASSERT_FALSE(s.empty());
    EXPECT_EQ(s[0].str(), "4711") << "sent although the device holds it";
    EXPECT_EQ(s[1].str(), "12ab") << "loaded MSNs are sent as read";
    EXPECT_EQ(state.portMsns[1].msn[1], "124") << "refused: the device copy stays what the device holds";
    EXPECT_EQ(state.portAliases[2], "Hall");
    EXPECT_EQ(stored(state.defaultProfilePath, "ALIAS2"), "Hall");
    EXPECT_EQ(shown(kPort21Msn2Edit), "999");
    EXPECT_EQ(ui->send(*page, UWM_QUERY_LEAVE), 1);
    EXPECT_EQ(backend.modals().size(), 1u) << "the unsent MSN is offered again";
}

TEST_F(MsnPageTest, ValuesTheLibraryCannotSendAreSkippedAndNamed)
{
    open();
    write(state.chosenProfilePath, std::string("[MSN_DIV]\nAMSN02=12\x01" "3\nDMSN3=") + std::string(40, '7') + "\nDMSN4=5\n");
    ui->send(*page, UWM_LOAD_PROFILE, 1);
    ASSERT_EQ(backend.message_boxes().size(), 1u) << "one message names every value that was not sent";
    const std::string told = backend.message_boxes()[0].text;
    EXPECT_NE(told.find("AMSN02: holds a character the device cannot take"), std::string::npos) << told;
    EXPECT_NE(told.find("DMSN3: too long for the device"), std::string::npos) << told;
    for (const Sent& s : sets())
        EXPECT_LT(s.str().size(), 32u) << "nothing is sent cut short";
    EXPECT_EQ(state.dataPortMsns.msn[4], "5") << "the others still go out";
    EXPECT_EQ(main->count(UWM_PROGRESS_TICK), 26) << "skipped values still move the bar";
}

TEST_F(MsnPageTest, SavingWritesTheConfirmedValuesNotTheUnsentEdits)
{
    open();
    deviceRefuses = [](const Sent&) { return true; };
    type(kPort11Msn1Edit, "999");
    backend.click(*page, kPort21ClipBox);
    type(kPort31AliasEdit, "Garage");
    press_send();
    ui->send(*page, UWM_SAVE_PROFILE, 1);
    EXPECT_EQ(stored(state.chosenProfilePath, "AMSN00"), "4711");
    EXPECT_EQ(stored(state.chosenProfilePath, "ACLIP0"), "1");
    EXPECT_EQ(stored(state.chosenProfilePath, "ACLIP1"), "0");
    EXPECT_EQ(stored(state.chosenProfilePath, "DMSN4"), "904");
    EXPECT_EQ(stored(state.chosenProfilePath, "DCLIP"), "0");
    EXPECT_EQ(stored(state.chosenProfilePath, "ALIAS3"), "Garage") << "names need no device";
    EXPECT_EQ(stored(state.chosenProfilePath, "ALIAS0"), "");
    EXPECT_EQ(stored(state.chosenProfilePath, "PORTIDX5"), "0");
}

// --- The Q20 --------------------------------------------------------------

TEST_F(MsnPageTest, TheQ20KnowsOnlyPorts11To22)
{
    write(state.defaultProfilePath, "[MSN_DIV]\nALIAS3=Keep\nPORTIDX3=2\n");
    state.portCount = 5;
    open(20);
    EXPECT_EQ(state.portCount, 3);
    EXPECT_EQ(backend.state(*page)->templateId, 827);
    for (int id : {kPort31AliasEdit, kPort32AliasEdit, kPort31Msn1Edit, kPort31Msn2Edit, kPort31Msn3Edit,
                   kPort32Msn1Edit, kPort32Msn2Edit, kPort32Msn3Edit, kPort31ClipBox, kPort32ClipBox, kPort31Label,
                   kPort32Label, kPort31PicturePlace, kPort32PicturePlace})
        EXPECT_FALSE(page->visible(id)) << id;
    EXPECT_TRUE(page->visible(kPort22AliasEdit));
    EXPECT_EQ(msn().picture(3), nullptr);
    ASSERT_NE(msn().picture(5), nullptr);

    write(state.chosenProfilePath, "[MSN_DIV]\nAMSN30=31\nACLIP4=1\nALIAS4=X\n");
    ui->send(*page, UWM_LOAD_PROFILE, 1);
    for (const Sent& s : sent)
        EXPECT_TRUE(s.record.port == 0 || s.record.port == 11 || s.record.port == 21 || s.record.port == 22)
            << "port " << s.record.port;
    EXPECT_EQ(main->count(UWM_PROGRESS_TICK), 3 * 3 + 3 + 5 + 1);
    EXPECT_EQ(state.portMsns[3].msn[0], "3100");
    EXPECT_EQ(stored(state.defaultProfilePath, "ALIAS3"), "Keep");
    EXPECT_EQ(stored(state.defaultProfilePath, "PORTIDX3"), "2");

    state.chosenProfilePath = dir + "/saved.pro";
    ui->send(*page, UWM_SAVE_PROFILE, 1);
    for (const char* key : {"AMSN30", "ACLIP3", "ALIAS3", "ALIAS4", "PORTIDX3", "PORTIDX4"})
        EXPECT_EQ(stored(state.chosenProfilePath, key), "<missing>") << key;
    EXPECT_EQ(stored(state.chosenProfilePath, "AMSN22"), "");
    EXPECT_EQ(stored(state.chosenProfilePath, "PORTIDX2"), "0");
}

// --- Languages and templates ----------------------------------------------

TEST_F(MsnPageTest, ALanguageChangeRelabelsThePageAndThePictureMenus)
{
    open();
    EXPECT_EQ(shown(kDataLabel), "Data Port");
    state.language = 1;
    ui->send(*page, UWM_SET_LANGUAGE);
    EXPECT_EQ(shown(kDataLabel), "Datenport");
    EXPECT_EQ(shown(ID_SEND), "An Q20 / Q30 senden");
    EXPECT_EQ(backend.control(*page, kPort11PicturePlace)->items.front(), "300:de");
    EXPECT_EQ(backend.control(*page, kDataPicturePlace)->items.front(), "315:de");
    type(kPort11Msn1Edit, "x");
    EXPECT_TRUE(backend.message_boxes().back().text.starts_with("Bitte eine Rufnummer"));
}

TEST_F(MsnPageTest, BothTemplatesHoldEveryControlOfThePage)
{
    for (int dialog : {802, 826}) {
        const resources::DialogTemplate* t = res.dialogs.find(dialog);
        ASSERT_NE(t, nullptr);
        std::vector<int> ids = {ID_SEND, ID_HELP};
        for (int id = kPort11AliasEdit; id <= kDataAliasEdit; ++id)
            ids.push_back(id);
        for (int id = kPort11Msn1Edit; id <= kDataClipBox; ++id)
            ids.push_back(id);
        for (int id = kPort11PicturePlace; id < kPort11PicturePlace + kAliasCount; ++id)
            ids.push_back(id);
        for (int id = kPort11Label; id < kPort11Label + kLabelCount; ++id)
            ids.push_back(id);
        for (int id : ids)
            EXPECT_NE(t->control(id), nullptr) << "dialog " << dialog << " lacks " << id;
        for (int id = kPort11Msn1Edit; id <= kDataMsn5Edit; ++id)
            EXPECT_EQ(t->control(id)->maxLength, 0) << "a 16th digit must reach the check";
    }
}
