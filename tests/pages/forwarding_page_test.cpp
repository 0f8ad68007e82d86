// The call forwarding page: on the emulated device (what a field's button
// sends is what the device keeps, refusals, profiles, the Q20), and on a
// scripted device for the status line while a request runs and for a device
// that does not answer.
#include "emulated_program.h"
#include "pages_fixture.h"

#include <algorithm>

#include "pages/destination_entry.h"
#include "pages/forwarding_page.h"
#include "profile/ini_document.h"
#include "profile/profile_keys.h"
#include "shell/shell_ids.h"

using namespace quillon;
using namespace quillon::platform;
using namespace quillon::dialog_ids::forwarding;

namespace {

constexpr int kPage = 3;
constexpr int kImmediate = 0, kBusy = 1, kNoReply = 2;

int edit_of(int kind, int port) { return kPort11ImmediateEdit + 5 * kind + port; }
int button_of(int kind, int port) { return kPort11ImmediateSend + 5 * kind + port; }

struct ForwardingOnDevice : pagestest::EmulatedProgram {
    ForwardingPage* page = nullptr;

    void open(q30sim::DeviceOptions options = {})
    {
        start(options);
        page = static_cast<ForwardingPage*>(&show_page(kPage));
    }
    static q30sim::DeviceOptions seeded(q30sim::Model model = q30sim::Model::Q30)
    {
        q30sim::DeviceOptions options;
        options.seed = true;
        options.model = model;
        return options;
    }
    std::string shown(int id) { return backend.control(*page, id)->text; }
    void type(int id, const std::string& text) { backend.type(*page, id, text); }
    std::string status() { return shown(kStatusLine); }
    std::string text(int base) { return ui->text(base, state().language); }
    // The forwarding commands the device received since `from`.
    std::vector<std::string> forwarding_commands(std::size_t from)
    {
        std::vector<std::string> out;
        const std::vector<std::string> all = device_commands();
        for (std::size_t i = from; i < all.size(); ++i)
            if (all[i].starts_with("AT!P20") || all[i].starts_with("AT!P21") || all[i].starts_with("AT!P22"))
                out.push_back(all[i]);
        return out;
    }
    std::vector<std::string> sets_since(std::size_t from)
    {
        std::vector<std::string> out;
        for (const std::string& c : forwarding_commands(from))
            if (c.find('?') == std::string::npos)
                out.push_back(c);
        return out;
    }
    std::string last_box() { return backend.message_boxes().empty() ? "" : backend.message_boxes().back().text; }
};

} // namespace

// --- Reading, sending one field, the status line ---------------------------

TEST_F(ForwardingOnDevice, TheFirstShowReadsEveryFieldAndShowsPortsByName)
{
    open(seeded());
    // Port codes are shown by the port's name; numbers as they are.
    EXPECT_EQ(shown(edit_of(kBusy, 0)), "\"21\"");
    EXPECT_EQ(page->field(kBusy, 0).confirmed(), "*21");
    EXPECT_EQ(shown(edit_of(kNoReply, 1)), "01701234567");
    EXPECT_EQ(shown(edit_of(kImmediate, 4)), "0301234567");
    EXPECT_EQ(shown(edit_of(kImmediate, 0)), "");
    EXPECT_EQ(shown(kPort21AliasLabel), "\"21\"");
    EXPECT_EQ(shown(kImmediateHeading), "Immediately to");
    EXPECT_EQ(status(), text(forwarding_ids::kStatusReady));
    EXPECT_FALSE(backend.visible(*page, ID_SEND)) << "every field has its own button instead";
    // Port by port, immediately, busy, after 20 seconds.
    const std::vector<std::string> reads = forwarding_commands(0);
    ASSERT_GE(reads.size(), 3u);
    EXPECT_EQ(std::vector<std::string>(reads.begin(), reads.begin() + 3),
              (std::vector<std::string>{"AT!P20#11?", "AT!P22#11?", "AT!P21#11?"}));
    EXPECT_EQ(reads.size(), 15u);
}

TEST_F(ForwardingOnDevice, AButtonSendsItsOwnFieldOnlyAndTheDeviceKeepsIt)
{
    open(seeded());
    state().portAliases[2] = "Fax";
    type(edit_of(kBusy, 1), "0401");  // another field, typed but not sent
    type(edit_of(kImmediate, 0), "*22");
    std::size_t before = device_commands().size();
    backend.click(*page, button_of(kImmediate, 0));

    EXPECT_EQ(device_setting("!P20#11*1"), "*22");
    EXPECT_EQ(shown(edit_of(kImmediate, 0)), "Fax") << "a port code is shown by the port's name";
    EXPECT_EQ(page->field(kImmediate, 0).confirmed(), "*22");
    EXPECT_EQ(status(), text(forwarding_ids::kStatusReady));
    EXPECT_TRUE(backend.message_boxes().empty());
    // The one set, then the same kind of every other port read again.
    EXPECT_EQ(forwarding_commands(before), (std::vector<std::string>{"AT!P20#11*1=*22", "AT!P20#21?", "AT!P20#22?",
                                                                     "AT!P20#31?", "AT!P20#32?"}));
    EXPECT_TRUE(page->field(kBusy, 1).changed()) << "the other field is still to be sent";

    // Unchanged: nothing is sent, but the others are still read again.
    before = device_commands().size();
    backend.click(*page, button_of(kImmediate, 0));
    EXPECT_TRUE(sets_since(before).empty());
    EXPECT_EQ(forwarding_commands(before).size(), 4u);

    // A port's full name is sent as its code; an empty field switches off.
    type(edit_of(kNoReply, 0), "Fa");
    EXPECT_TRUE(backend.message_boxes().empty()) << "the beginning of a name is fine while typing";
    type(edit_of(kNoReply, 0), "Fax");
    backend.click(*page, button_of(kNoReply, 0));
    EXPECT_EQ(device_setting("!P21#11*1"), "*22");
    type(edit_of(kBusy, 0), "");
    before = device_commands().size();
    backend.click(*page, button_of(kBusy, 0));
    EXPECT_EQ(sets_since(before), (std::vector<std::string>{"AT!P22#11*0"}));
    EXPECT_EQ(device_setting("!P22#11*1"), "");
}

TEST_F(ForwardingOnDevice, ARefusalShowsInTheStatusLineForFourSecondsAndTheFieldStaysToSend)
{
    q30sim::DeviceOptions options = seeded();
    options.rejectPrefixes = {"AT!P20#11*1="};
    open(options);
    type(edit_of(kImmediate, 0), "0301999");
    const uint64_t clicked = backend.now_ms();
    backend.click(*page, button_of(kImmediate, 0));
    EXPECT_EQ(status(), text(forwarding_ids::kStatusRefused));
    EXPECT_EQ(device_setting("!P20#11*1"), "");
    EXPECT_TRUE(page->field(kImmediate, 0).changed());
    EXPECT_EQ(shown(edit_of(kImmediate, 0)), "0301999") << "what the user typed stays";

    // Four seconds from the answer (the page's pause after a request included).
    backend.advance(clicked + 3900 - backend.now_ms());
    EXPECT_EQ(status(), text(forwarding_ids::kStatusRefused));
    backend.advance(200);
    EXPECT_EQ(status(), text(forwarding_ids::kStatusReady));
    EXPECT_FALSE(backend.timer_running(*page, forwarding_ids::kStatusTimer));

    // Leaving offers the field again; Send tries it (and the device refuses again).
    EXPECT_EQ(leave_for_first_page(ID_STAY), 1);
    EXPECT_EQ(backend.shown_page(), page);
    const std::size_t before = device_commands().size();
    EXPECT_EQ(leave_for_first_page(ID_SEND), 1);
    EXPECT_EQ(sets_since(before), (std::vector<std::string>{"AT!P20#11*1=0301999"}));
    EXPECT_NE(last_box().find("Port 11: Immediately to"), std::string::npos) << last_box();
}

TEST_F(ForwardingOnDevice, LeavingSendsOnlyTheChangedFieldsPortByPortOrDiscardsThem)
{
    open(seeded());
    type(edit_of(kBusy, 1), "0401");
    type(edit_of(kNoReply, 0), "*22");
    type(edit_of(kImmediate, 2), "0402");
    std::size_t before = device_commands().size();
    EXPECT_EQ(leave_for_first_page(ID_SEND), 1);
    EXPECT_EQ(sets_since(before),
              (std::vector<std::string>{"AT!P21#11*1=*22", "AT!P22#21*1=0401", "AT!P20#22*1=0402"}));
    EXPECT_EQ(forwarding_commands(before).size(), 3u + 15u) << "then everything is read again";
    EXPECT_EQ(device_setting("!P22#21*1"), "0401");
    EXPECT_TRUE(backend.message_boxes().empty()) << last_box();

    show_page(kPage);
    type(edit_of(kBusy, 0), "0403");
    before = device_commands().size();
    EXPECT_EQ(leave_for_first_page(ID_DISCARD), 1);
    EXPECT_TRUE(sets_since(before).empty());
    EXPECT_EQ(page->field(kBusy, 0).edited(), "*21");
    show_page(kPage);
    EXPECT_EQ(shown(edit_of(kBusy, 0)), "\"21\"");
}

TEST_F(ForwardingOnDevice, AForwardingTheDeviceCannotCarryOutIsUndoneOnScreen)
{
    open(seeded());
    // To the port itself: the device answers 3.
    type(edit_of(kImmediate, 1), "*21");
    backend.click(*page, button_of(kImmediate, 1));
    EXPECT_EQ(status(), text(forwarding_ids::kStatusRefused));
    EXPECT_EQ(shown(edit_of(kImmediate, 1)), "");
    EXPECT_FALSE(page->field(kImmediate, 1).changed());
    EXPECT_TRUE(backend.timer_running(*page, forwarding_ids::kStatusTimer));

    // A second refusal within the four seconds starts them again.
    backend.advance(3000);
    type(edit_of(kImmediate, 1), "*21");
    backend.click(*page, button_of(kImmediate, 1));
    backend.advance(3000);
    EXPECT_EQ(status(), text(forwarding_ids::kStatusRefused));
    // An accepted request puts the usual text back at once.
    type(edit_of(kBusy, 1), "0401");
    backend.click(*page, button_of(kBusy, 1));
    EXPECT_EQ(status(), text(forwarding_ids::kStatusReady));
    EXPECT_EQ(device_setting("!P22#21*1"), "0401");
}

TEST_F(ForwardingOnDevice, ALineWithoutTheServiceRefusesEveryRequest)
{
    q30sim::DeviceOptions options = seeded();
    options.noForwardingService = true;
    open(options);
    type(edit_of(kNoReply, 0), "0301");
    backend.click(*page, button_of(kNoReply, 0));
    EXPECT_EQ(status(), text(forwarding_ids::kStatusRefused));
    EXPECT_EQ(shown(edit_of(kNoReply, 0)), "");
    EXPECT_EQ(device_setting("!P21#11*1"), "");
}

// --- Typing ------------------------------------------------------------------

TEST_F(ForwardingOnDevice, TypingTakesPartialDestinationsAndRefusesTheRest)
{
    open(seeded());
    const int field = edit_of(kBusy, 0);  // confirmed: *21, shown as "21" in quotes
    for (const char* partial : {"*", "*2", "*3", "0", "\"2", "012345678901234"}) {
        type(field, partial);
        EXPECT_TRUE(backend.message_boxes().empty()) << partial;
    }
    const std::string notADestination = text(kInvalidDestinationMessage);
    EXPECT_NE(notADestination.find("e.g. \""), std::string::npos) << "ends with two example names";
    for (const char* wrong : {"*4", "*23", "*211", "12a", "+49"}) {
        type(field, wrong);
        EXPECT_EQ(last_box(), notADestination) << wrong;
        EXPECT_EQ(shown(field), "\"21\"") << "back to the confirmed value: " << wrong;
        EXPECT_EQ(backend.state(*page)->focus, field);
    }
    type(field, "0123456789012345");
    EXPECT_EQ(last_box(), text(ids::kMax15Digits));

    // What was typed into another field survives a refusal here.
    type(edit_of(kImmediate, 2), "0402");
    type(field, "x");
    EXPECT_EQ(shown(edit_of(kImmediate, 2)), "0402");

    // A port without its first MSN takes no forwarding.
    state().portMsns[1].msn[0].clear();
    const std::size_t boxes = backend.message_boxes().size();
    type(edit_of(kImmediate, 1), "0");
    ASSERT_EQ(backend.message_boxes().size(), boxes + 1);
    EXPECT_EQ(last_box(), "Please set MSN0 for port 21");
    EXPECT_EQ(shown(edit_of(kImmediate, 1)), "");
}

TEST_F(ForwardingOnDevice, EnterResolvesNamesAndCodesAndALanguageChangeRelabels)
{
    open(seeded());
    state().portAliases[0] = "Kitchen telephone";  // longer than a number may be
    type(edit_of(kImmediate, 2), "*11");
    backend.press_key(*page, Key::Enter);
    EXPECT_EQ(shown(edit_of(kImmediate, 2)), "Kitchen telephone");
    EXPECT_EQ(page->field(kImmediate, 2).edited(), "*11") << "a long name still stands for its port";
    backend.click(*page, button_of(kImmediate, 2));
    EXPECT_EQ(device_setting("!P20#22*1"), "*11");
    EXPECT_FALSE(page->field(kImmediate, 2).changed());

    state().language = 1;
    ui->send(*page, UWM_SET_LANGUAGE);
    EXPECT_EQ(shown(kImmediateHeading), "Sofort zu");
    EXPECT_EQ(shown(kPort11Label), "Port 11");
    EXPECT_TRUE(status().starts_with("Status: Um Anrufe")) << status();
    state().language = 2;
    ui->send(*page, UWM_SET_LANGUAGE);
    EXPECT_EQ(shown(kAfter20Heading), "Après 20 s vers");
    type(edit_of(kBusy, 0), "*9");
    EXPECT_TRUE(last_box().starts_with("Veuillez saisir")) << last_box();
}

// --- The MSN page, profiles, the Q20 ----------------------------------------

TEST_F(ForwardingOnDevice, SendingMsnsReadsTheForwardingsAgain)
{
    open(seeded());
    // Changed behind the page's back, as another program would.
    DrvCmd r = blank_record(11, 0, q30::OP_SET);
    r.on = 1;
    q30::record::set_str(r, "0899");
    ASSERT_EQ(D_SendDrvCmd(q30::DRV_FORWARD_20, &r), 0);
    EXPECT_EQ(shown(edit_of(kImmediate, 0)), "");

    Page& msn = show_page(0);
    backend.click(msn, ID_SEND);
    EXPECT_EQ(page->field(kImmediate, 0).confirmed(), "0899");
    EXPECT_EQ(shown(edit_of(kImmediate, 0)), "0899");
}

TEST_F(ForwardingOnDevice, AProfileRestoresEveryForwardingAndSendsAllOfThem)
{
    open(seeded());
    const std::string file = configDir + "/forwarding.pro";
    save_profile_as(file);
    profile::IniDocument saved = profile::IniDocument::open(file);
    EXPECT_EQ(saved.read_string(profile::kForwardingSection, "FWDBUSY0", "?"), "*21");
    EXPECT_EQ(saved.read_string(profile::kForwardingSection, "FRD20SEC1", "?"), "01701234567");
    EXPECT_EQ(saved.read_string(profile::kForwardingSection, "FWDIMM4", "?"), "0301234567");
    EXPECT_EQ(saved.read_string(profile::kForwardingSection, "FWDIMM0", "?"), "");

    // Change the device, then load.
    type(edit_of(kBusy, 0), "");
    backend.click(*page, button_of(kBusy, 0));
    type(edit_of(kImmediate, 0), "0777");
    backend.click(*page, button_of(kImmediate, 0));
    ASSERT_EQ(device_setting("!P22#11*1"), "");

    const std::size_t before = device_commands().size();
    load_profile(file);
    EXPECT_EQ(device_setting("!P22#11*1"), "*21");
    EXPECT_EQ(device_setting("!P20#11*1"), "");
    EXPECT_EQ(device_setting("!P21#21*1"), "01701234567");
    EXPECT_EQ(shown(edit_of(kBusy, 0)), "\"21\"");
    // Every field, equal or not, port by port.
    const std::vector<std::string> sets = sets_since(before);
    ASSERT_EQ(sets.size(), 15u);
    EXPECT_EQ(sets[0], "AT!P20#11*0");
    EXPECT_EQ(sets[1], "AT!P22#11*1=*21");
    EXPECT_EQ(sets[14], "AT!P21#32*0");
    EXPECT_TRUE(backend.message_boxes().empty()) << last_box();
}

TEST_F(ForwardingOnDevice, AProfileFromWindowsLoadsAndAPortWithoutMsnIgnoresItsKeys)
{
    open(seeded());
    const std::string file = configDir + "/windows.pro";
    // CRLF and Windows-1252 ("\xe9" is e acute, in a key the page ignores);
    // port 22 gets no first MSN.
    std::ofstream(file, std::ios::binary) << "[MSN_DIV]\r\nAMSN00=4711001\r\nAMSN10=4711003\r\nAMSN30=4711005\r\n"
                                             "AMSN40=4711006\r\n[FORWARD_DIV]\r\nFWDIMM0=0301\r\nFWDBUSY1=*11\r\n"
                                             "FWDIMM2=0555\r\nFRD20SEC3=*32\r\nX=\xe9\r\n";
    load_profile(file);
    EXPECT_EQ(device_setting("!P20#11*1"), "0301");
    EXPECT_EQ(device_setting("!P22#21*1"), "*11");
    EXPECT_EQ(device_setting("!P20#22*1"), "") << "port 22 has no first MSN";
    EXPECT_EQ(device_setting("!P21#31*1"), "*32");
    EXPECT_EQ(device_setting("!P21#21*1"), "") << "a missing key switches the forwarding off";
}

TEST_F(ForwardingOnDevice, TheQ20HasThreePortsOnPageAndInProfiles)
{
    open(seeded(q30sim::Model::Q20));
    for (int k = 0; k < 3; ++k) {
        EXPECT_TRUE(backend.visible(*page, edit_of(k, 2)));
        EXPECT_FALSE(backend.visible(*page, edit_of(k, 3)));
        EXPECT_FALSE(backend.visible(*page, button_of(k, 4)));
    }
    EXPECT_FALSE(backend.visible(*page, kPort31PicturePlace));
    EXPECT_EQ(shown(edit_of(kImmediate, 2)), "0301234567") << "the last port of the Q20 is 22";
    for (const std::string& c : forwarding_commands(0))
        EXPECT_TRUE(c.find("#31") == std::string::npos && c.find("#32") == std::string::npos) << c;

    const std::string file = configDir + "/q20.pro";
    std::ofstream(file) << "[MSN_DIV]\nAMSN00=4711001\nAMSN10=4711003\nAMSN20=4711004\n"
                           "[FORWARD_DIV]\nFWDIMM3=0301\nFWDIMM0=0302\n";
    const std::size_t before = device_commands().size();
    load_profile(file);
    EXPECT_EQ(sets_since(before).size(), 9u);
    EXPECT_EQ(device_setting("!P20#11*1"), "0302");

    const std::string saved = configDir + "/q20-saved.pro";
    save_profile_as(saved);
    profile::IniDocument doc = profile::IniDocument::open(saved);
    EXPECT_EQ(doc.read_string(profile::kForwardingSection, "FWDIMM2", "?"), "");
    EXPECT_EQ(doc.read_string(profile::kForwardingSection, "FWDIMM3", "?"), "?");
    EXPECT_EQ(doc.read_string(profile::kForwardingSection, "FRD20SEC4", "?"), "?");
}

// --- On a scripted device ------------------------------------------------------

namespace {

struct ForwardingScripted : pagestest::Program {
    ForwardingPage* page = nullptr;

    void open()
    {
        start();
        backend.menu(ID_PAGE_FIRST + kPage);
        backend.pump();
        page = static_cast<ForwardingPage*>(main().page(kPage));
        sent.clear();
    }
    std::string status() { return backend.control(*page, kStatusLine)->text; }
};

} // namespace

TEST_F(ForwardingScripted, TheStatusLineSaysSoWhileTheRequestRuns)
{
    open();
    std::string duringSet;
    deviceRefuses = [&](uint32_t, const DrvCmd&) {
        duringSet = status();
        EXPECT_EQ(backend.wait_cursor_depth(), 1);
        return false;
    };
    state().soundOn = true;
    const int beeps = backend.beeps();
    backend.type(*page, edit_of(kBusy, 2), "0301");
    backend.click(*page, button_of(kBusy, 2));
    EXPECT_EQ(duringSet, ui->text(forwarding_ids::kStatusProcessing, 0));
    EXPECT_EQ(status(), ui->text(forwarding_ids::kStatusReady, 0));
    EXPECT_EQ(backend.beeps(), beeps + 1);
    ASSERT_EQ(sets_of(q30::DRV_FORWARD_22).size(), 1u);
    const DrvCmd r = sets_of(q30::DRV_FORWARD_22)[0].record;
    EXPECT_EQ(r.port, 22);
    EXPECT_EQ(r.on, 1);
    EXPECT_STREQ(r.str, "0301");
    EXPECT_GE(backend.now_ms(), static_cast<uint64_t>(forwarding_ids::kPauseAfterSendMs));
}

TEST_F(ForwardingScripted, ASilentDeviceLeavesTheFieldToSendAndTheUsualStatus)
{
    open();
    device.present = false;
    backend.type(*page, edit_of(kImmediate, 0), "0301");
    backend.click(*page, button_of(kImmediate, 0));
    EXPECT_EQ(status(), ui->text(forwarding_ids::kStatusReady, 0));
    EXPECT_TRUE(page->field(kImmediate, 0).changed());
    EXPECT_FALSE(backend.timer_running(*page, forwarding_ids::kStatusTimer));
    EXPECT_TRUE(backend.message_boxes().empty());

    // A read without answers empties every field.
    ui->send(*page, UWM_READ_DEVICE);
    EXPECT_EQ(backend.control(*page, edit_of(kImmediate, 0))->text, "");
    EXPECT_FALSE(page->field(kImmediate, 0).changed());
}

// --- Names into device forms -------------------------------------------------

TEST(ForwardingDeviceForm, APortsExactNameIsItsCodeEvenWhereTheClassificationStopsEarlier)
{
    PortNames names = {"Fax2", "Fax", "Kitchen telephone", "\"31\"", "", "\"data\""};
    EXPECT_EQ(forwarding_device_form("Fax", names), "*21") << "the beginning of port 11's name, but port 21's name";
    EXPECT_EQ(forwarding_device_form("Fax2", names), "*11");
    EXPECT_EQ(forwarding_device_form("Kitchen telephone", names), "*22") << "longer than 15 characters";
    EXPECT_EQ(forwarding_device_form("\"31\"", names), "*31");
    EXPECT_EQ(forwarding_device_form("*32", names), "*32");
    EXPECT_EQ(forwarding_device_form("", names), "") << "an empty name stands for no port";
    EXPECT_EQ(forwarding_device_form("0301234", names), "0301234");
    EXPECT_EQ(forwarding_device_form("Fa", names), "Fa") << "incomplete text stays as typed";
    EXPECT_EQ(forwarding_device_form("\"data\"", names), "\"data\"") << "the data port takes no forwarding";
    EXPECT_EQ(forwarding_profile_key(0, 4), "FWDIMM4");
    EXPECT_EQ(forwarding_profile_key(1, 0), "FWDBUSY0");
    EXPECT_EQ(forwarding_profile_key(2, 2), "FRD20SEC2");
    EXPECT_EQ(forwarding_command(1), static_cast<uint32_t>(q30::DRV_FORWARD_22)) << "busy is register 22";
}
