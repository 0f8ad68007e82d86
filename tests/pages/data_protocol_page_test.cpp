// The data protocol page and its BOD dialog on the emulated device (what is
// read, sent and kept, the checks, profiles, languages, the Q20), and on a
// scripted device that reports frame sizes out of range.
#include "emulated_program.h"
#include "pages_fixture.h"

#include <fstream>

#include "pages/data_protocol_page.h"
#include "profile/ini_document.h"
#include "profile/ini_file.h"
#include "dialog_ids/bod_ids.h"

using namespace quillon;
using namespace quillon::platform;
using namespace quillon::dialog_ids::data;
namespace bod = quillon::dialog_ids::bod;

namespace {

constexpr int kPage = 5;
constexpr int kBodDialog = 858;

struct DataProtocolOnDevice : pagestest::EmulatedProgram {
    DataProtocolPage* page = nullptr;

    static q30sim::DeviceOptions seeded(q30sim::Model model = q30sim::Model::Q30)
    {
        q30sim::DeviceOptions options;
        options.seed = true;
        options.model = model;
        return options;
    }
    void open() { open(seeded()); }
    void open(const q30sim::DeviceOptions& options)
    {
        start(options);
        page = static_cast<DataProtocolPage*>(&show_page(kPage));
    }
    const data_protocol::Fields& fields() const { return page->fields(); }
    std::string shown(int id) const { return page->text(id); }
    void type(int id, const std::string& text) { backend.type(*page, id, text); }
    void send() { backend.click(*page, ID_SEND); }
    // The data port's set commands since `from`.
    std::vector<std::string> sets_since(std::size_t from)
    {
        static const char* const kRegisters[] = {"%A2", "%A0", "%P0", "%X1", "%P1", "%P6", "%E9", "%E0",
                                                 "%X0", "!H0", "%P3", "%P4", "%P7", "%P8", "%P9", "%P10"};
        const std::vector<std::string> all = device_commands();
        std::vector<std::string> out;
        for (std::size_t i = from; i < all.size(); ++i)
            for (const char* name : kRegisters)
                if (all[i].starts_with(std::string("AT") + name + "="))
                    out.push_back(all[i]);
        return out;
    }
    std::size_t boxes() const { return backend.message_boxes().size(); }
    std::string message(std::size_t i) const
    {
        return i < boxes() ? backend.message_boxes()[i].text : "<no message box>";
    }
    // Runs the BOD dialog from the page with `script` acting in it.
    void in_bod_dialog(const std::function<void(Window&)>& script)
    {
        backend.on_modal(main().shell().dialog_id(kBodDialog), [&](Window& d) { return script(d), IDCANCEL; });
        backend.click(*page, ID_EXTRA_BUTTON);
    }
};

} // namespace

// --- Reading --------------------------------------------------------------

TEST_F(DataProtocolOnDevice, TheFirstShowReadsTheDataPortAndShowsOnlyPpp)
{
    open();
    EXPECT_GT(backend.wait_cursor_shows(), 0);
    EXPECT_EQ(page->selection(kProtocolList), data_protocol::kPpp);
    EXPECT_EQ(page->check(kAutoProtocolBox), 1);
    EXPECT_EQ(page->check(kMultilinkPppBox), 1);
    EXPECT_TRUE(page->visible(ID_EXTRA_BUTTON)) << "bandwidth on demand is on";
    EXPECT_EQ(page->selection(kEidClassList), data_protocol::kEidIpAddress);
    EXPECT_EQ(shown(kEidNumberEdit), "192.168.1.10");
    EXPECT_EQ(shown(kEidExampleText), "e.g. 195.222.204.4");
    EXPECT_EQ(fields().eidNumbers[3].confirmed(), "0080C81E379a") << "other classes start from their examples";
    EXPECT_EQ(fields().v120Size.confirmed(), 200);
    EXPECT_EQ(fields().x75Size.confirmed(), 1024);
    EXPECT_EQ(fields().highWater.confirmed(), 48);
    EXPECT_EQ(fields().lowDuration.confirmed(), 1);
    for (int hidden : {kV120SizeEdit, kIFrameRadio, kX75SizeEdit, kMultilinkX75Box, kHdlcSizeEdit, kX75BtxSizeLabel})
        EXPECT_FALSE(page->visible(hidden)) << hidden;
    EXPECT_TRUE(sets_since(0).empty()) << "frame sizes in range are not written back";
    EXPECT_EQ(backend.state(*page)->focus, kProtocolList);
}

TEST_F(DataProtocolOnDevice, MultilinkAndTheEidClassDecideWhatPppShows)
{
    open();
    backend.click(*page, kMultilinkPppBox);
    for (int id : {kDbaBox, kBodBox, kEidClassList, kEidClassLabel, kEidNumberEdit, ID_EXTRA_BUTTON})
        EXPECT_FALSE(page->visible(id)) << id;
    backend.click(*page, kMultilinkPppBox);
    backend.choose(*page, kEidClassList, data_protocol::kEidNull);
    EXPECT_FALSE(page->visible(kEidNumberEdit));
    backend.choose(*page, kEidClassList, data_protocol::kEidMagicNumbers);
    EXPECT_EQ(shown(kEidNumberEdit), "01dc5abc-20843abc");
    EXPECT_EQ(backend.state(*page)->focus, kEidNumberEdit);
    backend.click(*page, kBodBox);
    EXPECT_FALSE(page->visible(ID_EXTRA_BUTTON));
}

// --- Sending --------------------------------------------------------------

TEST_F(DataProtocolOnDevice, SendPutsOnlyWhatChangedOnTheDeviceInOrder)
{
    open();
    in_bod_dialog([&](Window& d) {
        backend.type(d, bod::kHighWaterEdit, "50");
        backend.click(d, bod::kOkButton);
    });
    type(kEidNumberEdit, "10.0.0.1");
    backend.click(*page, kDbaBox);
    const std::size_t before = device_commands().size();
    send();
    EXPECT_EQ(boxes(), 0u) << message(0);
    EXPECT_EQ(sets_since(before), (std::vector<std::string>{"AT%P1=0", "AT%P4=010000000001", "AT%P7=50"}));
    EXPECT_EQ(device_setting("%P4"), "010000000001");
    EXPECT_EQ(shown(kEidNumberEdit), "10.0.0.1");
    EXPECT_EQ(leave_for_first_page(ID_DISCARD), 0) << "nothing is left to send";
}

TEST_F(DataProtocolOnDevice, TheLongestMagicNumberBlockReachesTheDeviceWhole)
{
    open();
    backend.choose(*page, kEidClassList, data_protocol::kEidMagicNumbers);
    const std::string block = "01dc5abc-20843abc-11111111-22222222-33333333";
    type(kEidNumberEdit, block);
    send();
    EXPECT_EQ(boxes(), 0u) << message(0);
    EXPECT_EQ(device_setting("%P4"), "01dc5abc20843abc111111112222222233333333");
    ui->send(*page, UWM_READ_DEVICE);
    EXPECT_EQ(shown(kEidNumberEdit), block) << "and reads back whole";
}

TEST_F(DataProtocolOnDevice, OnlyTheCurrentProtocolsValuesAreSent)
{
    open();
    backend.choose(*page, kProtocolList, data_protocol::kV120);
    EXPECT_TRUE(page->visible(kV120SizeEdit));
    EXPECT_FALSE(page->visible(kEidNumberEdit));
    type(kV120SizeEdit, "100");
    EXPECT_EQ(boxes(), 0u) << "the lower bound waits for the send";
    std::size_t before = device_commands().size();
    send();
    EXPECT_EQ(message(0).rfind("The V.120 frame size must be between 128", 0), 0u) << message(0);
    EXPECT_TRUE(sets_since(before).empty()) << "a refused size blocks the whole send";
    EXPECT_EQ(shown(kV120SizeEdit), "200");

    type(kV120SizeEdit, "128");
    backend.click(*page, kUiFrameRadio);
    send();
    EXPECT_EQ(sets_since(before), (std::vector<std::string>{"AT%A2=2", "AT%E0=128"})) << "UI-frames already";

    backend.choose(*page, kProtocolList, data_protocol::kV110);
    backend.click(*page, kAutoProtocolBox);
    before = device_commands().size();
    send();
    EXPECT_EQ(sets_since(before), (std::vector<std::string>{"AT%A2=1", "AT%A0=0"}));
    EXPECT_EQ(device_setting("%A2"), "1");
}

TEST_F(DataProtocolOnDevice, ARefusedValueStaysUnsentAndIsOfferedAgain)
{
    q30sim::DeviceOptions options = seeded();
    options.rejectPrefixes = {"AT%P4="};
    open(options);
    type(kEidNumberEdit, "10.0.0.1");
    send();
    ASSERT_EQ(boxes(), 1u);
    EXPECT_NE(message(0).find("EID class: Internet Protocol Address"), std::string::npos) << message(0);
    EXPECT_EQ(device_setting("%P4"), "192168001010");
    EXPECT_EQ(leave_for_first_page(ID_DISCARD), 1);
    EXPECT_EQ(state().currentPage, 0);
    EXPECT_EQ(shown(kEidNumberEdit), "192.168.1.10") << "discarded: the device's number again";
}

TEST_F(DataProtocolOnDevice, WithoutTheDeviceEveryValueTakesItsFallback)
{
    start(seeded());
    state().linkUp = false;
    page = static_cast<DataProtocolPage*>(&show_page(kPage));
    EXPECT_EQ(page->selection(kProtocolList), data_protocol::kPpp);
    EXPECT_EQ(fields().v120Size.confirmed(), 256);
    EXPECT_EQ(fields().hdlcSize.confirmed(), 2048);
    EXPECT_EQ(fields().highWater.confirmed(), 45);
    EXPECT_EQ(fields().lowWater.confirmed(), 30);
    EXPECT_EQ(fields().highDuration.confirmed(), 2);
    EXPECT_EQ(fields().eidNumbers[0].confirmed(), "") << "the class's number the device did not give";
    backend.click(*page, kAutoProtocolBox);
    send();
    EXPECT_EQ(boxes(), 1u);
    EXPECT_TRUE(fields().autoDetect.changed());
}

// --- Checks ---------------------------------------------------------------

TEST_F(DataProtocolOnDevice, TypingRefusesWhatCannotBecomeValid)
{
    open();
    struct Case {
        int eidClass;
        int edit;
        const char* typed;
        const char* message;
    };
    const std::vector<Case> cases = {
        {2, kEidNumberEdit, "192.300", "Please enter an IP address,"},
        {3, kEidNumberEdit, "0080c81e379g", "Please enter only hexadecimal digits"},
        {3, kEidNumberEdit, "0080c81e379aa", "The globally assigned Mac IEEE address"},
        {4, kEidNumberEdit, "01dc5-", "The \"PPP magic number block\""},
        {1, kEidNumberEdit, "123456789012345678901", "For a valid end point identification (EID) an input of maximally 20"},
        {5, kEidNumberEdit, "4968a", "Please enter only digits between 0 and 9!"},
    };
    for (const Case& c : cases) {
        backend.choose(*page, kEidClassList, c.eidClass);
        const std::string held = shown(kEidNumberEdit);
        const std::size_t before = boxes();
        type(c.edit, c.typed);
        ASSERT_EQ(boxes(), before + 1) << c.typed;
        EXPECT_EQ(message(before).rfind(c.message, 0), 0u) << message(before);
        EXPECT_EQ(shown(c.edit), held);
        EXPECT_EQ(backend.state(*page)->focus, c.edit);
    }
    backend.choose(*page, kProtocolList, data_protocol::kX75Transparent);
    EXPECT_TRUE(page->visible(kX75TransparentSizeLabel));
    EXPECT_FALSE(page->visible(kX75BtxSizeLabel));
    type(kX75SizeEdit, "0");
    EXPECT_EQ(message(boxes() - 1).rfind("The X.75 frame size", 0), 0u);
    EXPECT_EQ(shown(kX75SizeEdit), "1024");
    backend.choose(*page, kProtocolList, data_protocol::kHdlc);
    type(kHdlcSizeEdit, "2049");
    EXPECT_EQ(message(boxes() - 1).rfind("The HDLC frame size", 0), 0u);

    type(kHdlcSizeEdit, "");
    const std::size_t before = device_commands().size();
    send();
    EXPECT_EQ(message(boxes() - 1), "Please enter an integer.");
    EXPECT_EQ(shown(kHdlcSizeEdit), "2048");
    EXPECT_EQ(sets_since(before), (std::vector<std::string>{"AT%A2=92"})) << "the size kept its value";
}

TEST_F(DataProtocolOnDevice, AnUnfinishedEidNumberKeepsTheUserOnThePage)
{
    open();
    type(kEidNumberEdit, "192.168.1");
    EXPECT_EQ(boxes(), 0u);
    EXPECT_EQ(leave_for_first_page(ID_DISCARD), 0);
    EXPECT_EQ(state().currentPage, kPage);
    ASSERT_EQ(boxes(), 1u);
    EXPECT_EQ(message(0).rfind("Please enter an IP address,", 0), 0u);
    EXPECT_EQ(shown(kEidNumberEdit), "192.168.1.10") << "back to the device's number";

    backend.choose(*page, kEidClassList, data_protocol::kEidMagicNumbers);
    type(kEidNumberEdit, "01dc5abc2");
    const std::size_t before = device_commands().size();
    send();
    EXPECT_EQ(message(1).rfind("The \"PPP magic number block\"", 0), 0u) << message(1);
    EXPECT_TRUE(sets_since(before).empty());
}

// --- The BOD dialog -------------------------------------------------------

TEST_F(DataProtocolOnDevice, TheBodDialogChecksItsThresholdsAndOnlyOkChangesThem)
{
    open();
    in_bod_dialog([&](Window& d) {
        EXPECT_EQ(d.text(bod::kHighWaterEdit), "48");
        backend.type(d, bod::kLowWaterEdit, "65");
        EXPECT_EQ(message(0).rfind("Please enter values between 0 and 64.", 0), 0u);
        EXPECT_EQ(d.text(bod::kLowWaterEdit), "24");
        backend.type(d, bod::kHighDurationEdit, "61");
        EXPECT_EQ(message(1).rfind("Please enter any period between 1 and 60 minutes.", 0), 0u);
        backend.type(d, bod::kHighWaterEdit, "12");
        backend.click(d, IDCANCEL);
    });
    EXPECT_EQ(fields().highWater.edited(), 48) << "Cancel changes nothing";

    in_bod_dialog([&](Window& d) {
        backend.type(d, bod::kHighWaterEdit, "20");
        backend.type(d, bod::kLowWaterEdit, "40");
        backend.type(d, bod::kLowDurationEdit, "");
        backend.click(d, bod::kOkButton);
    });
    EXPECT_EQ(message(2), "Please enter an integer.");
    EXPECT_EQ(message(3), "High water must greater than low water.");
    EXPECT_EQ(fields().highWater.edited(), 20);
    EXPECT_EQ(fields().lowWater.edited(), 20) << "never above the high water";
    EXPECT_EQ(fields().lowDuration.edited(), 1) << "an empty field keeps its value";
}

// --- Profiles, models, languages -----------------------------------------

TEST_F(DataProtocolOnDevice, AProfileRestoresTheDeviceAndSendsWhatDiffers)
{
    open();
    const std::string file = configDir + "/round.pro";
    save_profile_as(file);
    auto saved = [&](const char* key) { return profile::read_string(file, "DATA_DIV", key, "<missing>"); };
    EXPECT_EQ(saved("CURPTOCOL"), "0");
    EXPECT_EQ(saved("MLP_PPP"), "1");
    EXPECT_EQ(saved("EIDCLS"), "2");
    EXPECT_EQ(saved("EIDNUM2"), "192168001010");
    EXPECT_EQ(saved("EIDNUM4"), "01dc5abc20843abc");
    EXPECT_EQ(saved("FRMSZV120"), "200");
    EXPECT_EQ(saved("LODURATION"), "1");

    type(kEidNumberEdit, "10.0.0.1");
    backend.click(*page, kAutoProtocolBox);
    send();
    ASSERT_EQ(device_setting("%P4"), "010000000001");

    const std::size_t before = device_commands().size();
    load_profile(file);
    EXPECT_EQ(boxes(), 0u) << message(0);
    EXPECT_EQ(sets_since(before), (std::vector<std::string>{"AT%A0=1", "AT%P4=192168001010"}));
    EXPECT_EQ(shown(kEidNumberEdit), "192.168.1.10");
}

TEST_F(DataProtocolOnDevice, AWindowsProfileLoadsAndABadValueIsNamed)
{
    open();
    const std::string file = configDir + "/windows.pro";
    std::ofstream(file, std::ios::binary) << "[DATA_DIV]\r\nCURPTOCOL=6\r\nFRMSZHDLC=512\r\nHIWATER=99\r\n"
                                             "ATOPROTOCOL=1\r\nMLP_PPP=1\r\nBOD=1\r\nDBA=1\r\nEIDCLS=2\r\n"
                                             "EIDNUM2=192168001010\r\nHIDURATION=3\r\nLOWATER=24\r\nLODURATION=1\r\n";
    const profile::IniDocument document = profile::IniDocument::open(file);
    ValueReport report;
    ProfileLoad load{document, report};
    ui->send(*page, UWM_LOAD_PROFILE, kChosenProfile, reinterpret_cast<intptr_t>(&load));
    EXPECT_EQ(report.size(), 1u);
    EXPECT_TRUE(report.has("HIWATER"));
    EXPECT_EQ(device_setting("%A2"), "92");
    EXPECT_EQ(device_setting("!H0"), "512");
    EXPECT_EQ(device_setting("%P7"), "48") << "the device keeps what the profile could not give";
    EXPECT_EQ(fields().highWater.edited(), 48);
    EXPECT_TRUE(page->visible(kHdlcSizeEdit));
}

TEST_F(DataProtocolOnDevice, TheQ20HasTheSamePage)
{
    open(seeded(q30sim::Model::Q20));
    EXPECT_EQ(shown(kEidNumberEdit), "192.168.1.10");
    backend.choose(*page, kProtocolList, data_protocol::kX75Btx);
    backend.click(*page, kMultilinkX75Box);
    send();
    EXPECT_EQ(device_setting("%X1"), "1");
}

TEST_F(DataProtocolOnDevice, EveryTextFollowsTheLanguage)
{
    open();
    const std::vector<std::array<std::string, 3>> texts = {
        {"Caution: For advanced users only!", "PPP(point-to-point protocol)", "Internet Protocol Address"},
        {"Vorsicht: Nur für erfahrene Benutzer!", "PPP (point-to-point protocol)", "Internet Protokoll Adresse"},
        {"Attention : réservé aux utilisateurs expérimentés !", "PPP(point-to-point protocol)",
         "Adresse Internet Protocol"},
    };
    for (int language = 2; language >= 0; --language) {
        state().language = language;
        ui->send(*page, UWM_SET_LANGUAGE);
        const auto& expected = texts[static_cast<std::size_t>(language)];
        EXPECT_EQ(shown(kCautionText), expected[0]);
        EXPECT_EQ(backend.control(*page, kProtocolList)->items.at(0), expected[1]);
        EXPECT_EQ(backend.control(*page, kEidClassList)->items.at(2), expected[2]);
        EXPECT_EQ(page->selection(kEidClassList), 2) << "the choice stays";
    }
    EXPECT_EQ(backend.state(*page)->caption, "Protocol transfer");
    in_bod_dialog([&](Window& d) { EXPECT_EQ(d.text(bod::kAddFrame), "Add one B-channel..."); });
}

// --- A device reporting frame sizes out of range --------------------------

// The scripted device answers every query with 0.
using DataProtocolOnScriptedDevice = pagestest::Program;

TEST_F(DataProtocolOnScriptedDevice, FrameSizesOutOfRangeAreCorrectedAndWrittenBack)
{
    // It refuses the V.120 correction.
    deviceRefuses = [](uint32_t code, const DrvCmd& r) {
        return code == q30::DRV_DATA_PARAM && r.port == 6 && q30::record::protocol_number(r) == 1;
    };
    start();
    backend.menu(ID_PAGE_FIRST + kPage);
    backend.pump();
    auto& page = static_cast<DataProtocolPage&>(*main().page(kPage));
    std::vector<std::pair<int, int>> written;  // protocol, size
    for (const pagestest::Sent& s : sets_of(q30::DRV_DATA_PARAM))
        written.emplace_back(q30::record::protocol_number(s.record), s.record.index);
    EXPECT_EQ(written, (std::vector<std::pair<int, int>>{{1, 256}, {3, 2048}, {6, 2048}}));
    EXPECT_EQ(page.fields().x75Size.confirmed(), 2048);
    EXPECT_EQ(page.fields().v120Size.edited(), 256);
    EXPECT_TRUE(page.fields().v120Size.changed()) << "the refused correction is still to send";
}
