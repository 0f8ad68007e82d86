// The short dial and special ring page on the emulated device: what it
// reads, sends and keeps, its checks while typing, profiles and the Q20.
#include "emulated_program.h"

#include <algorithm>

#include "pages/short_dial_page.h"
#include "profile/ini_file.h"

using namespace quillon;
using namespace quillon::platform;
using namespace quillon::dialog_ids::short_dial;

namespace {

constexpr int kPage = 2;
constexpr int kDiscardDialogSmallFonts = 857;

int slot_edit(int port, int slot) { return kPort11Slot0Edit + 10 * port + slot; }

struct ShortDialOnDevice : pagestest::EmulatedProgram {
    Page* page = nullptr;

    void open(q30sim::DeviceOptions options = {})
    {
        start(options);
        page = &show_page(kPage);
    }
    ShortDialPage& short_dial() { return static_cast<ShortDialPage&>(*page); }
    std::string shown(int id) const { return page->text(id); }
    void type(int id, const std::string& text) { backend.type(*page, id, text); }
    void leave(int id) { backend.leave(*page, id); }
    // The command lines sent since `from`, of the page's two commands' sets.
    std::vector<std::string> sets_since(std::size_t from)
    {
        std::vector<std::string> all = device_commands();
        std::vector<std::string> out;
        for (std::size_t i = from; i < all.size(); ++i)
            if (all[i].find('=') != std::string::npos &&
                (all[i].rfind("AT!P10#", 0) == 0 || all[i].rfind("AT!P11#", 0) == 0))
                out.push_back(all[i]);
        return out;
    }
    std::string message(std::size_t i) const
    {
        return i < backend.message_boxes().size() ? backend.message_boxes()[i].text : "<no message box>";
    }
};

} // namespace

TEST_F(ShortDialOnDevice, TheFirstShowReadsEverySlotAndShowsPortCodesByName)
{
    q30sim::DeviceOptions options;
    options.seed = true;
    open(options);
    EXPECT_EQ(shown(slot_edit(0, 0)), "0301234567");
    EXPECT_EQ(shown(slot_edit(0, 2)), state().portAliases[1]) << "*21 is shown by the name of port 21";
    EXPECT_EQ(short_dial().number(0, 2).confirmed(), "*21");
    EXPECT_EQ(shown(slot_edit(1, 0)), "040987654");
    EXPECT_EQ(shown(kPort21AliasLabel), state().portAliases[1]);
    EXPECT_EQ(page->check(kPort11SpecialRingBox), 1);
    EXPECT_EQ(backend.state(*page)->focus, kPort11Slot0Edit);
    const auto commands = device_commands();
    EXPECT_NE(std::find(commands.begin(), commands.end(), "AT!P10#32*9?"), commands.end());
    EXPECT_NE(std::find(commands.begin(), commands.end(), "AT!P11#32?"), commands.end());
}

TEST_F(ShortDialOnDevice, SendPutsTheWholeTableOnTheDeviceEveryTime)
{
    open();
    type(slot_edit(1, 3), "0401234");
    backend.click(*page, kPort22SpecialRingBox);
    std::size_t before = device_commands().size();
    backend.click(*page, ID_SEND);
    EXPECT_TRUE(backend.message_boxes().empty()) << message(0);
    EXPECT_EQ(device_setting("!P10#21*3"), "0401234");
    EXPECT_EQ(device_setting("!P11#22"), "1");
    std::vector<std::string> sets = sets_since(before);
    ASSERT_EQ(sets.size(), 5u + 50u) << "one switch and ten slots per port";
    EXPECT_EQ(sets[0], "AT!P11#11=0") << "the switches go first";
    EXPECT_EQ(sets[5], "AT!P10#11*0=");
    EXPECT_TRUE(page->leave_check());
    EXPECT_TRUE(backend.modals().empty()) << "nothing is left to send";

    before = device_commands().size();
    backend.click(*page, ID_SEND);
    EXPECT_EQ(sets_since(before).size(), 55u) << "unchanged values go again";
}

TEST_F(ShortDialOnDevice, TheLeaveCheckSendsOnlyWhatChangedInOrder)
{
    open();
    type(slot_edit(2, 9), "*11");
    type(slot_edit(0, 1), "0891");
    backend.click(*page, kPort31SpecialRingBox);
    backend.on_modal(kDiscardDialogSmallFonts, [&](Window& d) { return backend.click(d, ID_SEND), 0; });
    const std::size_t before = device_commands().size();
    backend.menu(ID_PAGE_FIRST);
    backend.pump();
    EXPECT_EQ(sets_since(before), (std::vector<std::string>{"AT!P11#31=1", "AT!P10#11*1=0891", "AT!P10#22*9=*11"}));
    EXPECT_EQ(device_setting("!P10#22*9"), "*11");
    EXPECT_EQ(state().currentPage, 0);
}

TEST_F(ShortDialOnDevice, ARefusedSlotStaysUnsentAndIsOfferedAgain)
{
    q30sim::DeviceOptions options;
    options.rejectPrefixes = {"AT!P10#21*3="};
    open(options);
    type(slot_edit(1, 3), "0401234");
    backend.click(*page, ID_SEND);
    ASSERT_EQ(backend.message_boxes().size(), 1u);
    const std::string told = message(0);
    EXPECT_NE(told.find("Port 21: Short dial 3"), std::string::npos) << told;
    EXPECT_EQ(told.find("Short dial 4"), std::string::npos) << "only the refused slot is named";
    EXPECT_EQ(device_setting("!P10#21*3"), "");
    EXPECT_TRUE(short_dial().number(1, 3).changed());

    int offered = 0;
    backend.on_modal(kDiscardDialogSmallFonts, [&](Window& d) { return ++offered, backend.click(d, ID_STAY), 0; });
    backend.menu(ID_PAGE_FIRST);
    backend.pump();
    EXPECT_EQ(offered, 1);
    EXPECT_EQ(state().currentPage, kPage) << "Cancel keeps the page and its edits";
    EXPECT_EQ(shown(slot_edit(1, 3)), "0401234");
}

// Without a device every slot reads empty and every switch off; a send
// changes nothing, so the values stay changed.
TEST_F(ShortDialOnDevice, WithoutTheDeviceSlotsReadEmptyAndSendsKeepTheEdits)
{
    q30sim::DeviceOptions options;
    options.seed = true;
    start(options);
    state().linkUp = false;
    page = &show_page(kPage);
    for (int p = 0; p < kMaxPorts; ++p) {
        EXPECT_EQ(page->check(kPort11SpecialRingBox + p), 0);
        for (int s = 0; s < 10; ++s)
            EXPECT_EQ(shown(slot_edit(p, s)), "") << p << " " << s;
    }
    type(slot_edit(0, 0), "123");
    backend.click(*page, ID_SEND);
    EXPECT_EQ(backend.message_boxes().size(), 1u) << "the user hears once that nothing was taken";
    EXPECT_TRUE(short_dial().number(0, 0).changed());
    EXPECT_TRUE(short_dial().special_ring(0).edited() == short_dial().special_ring(0).confirmed());
}

TEST_F(ShortDialOnDevice, TypingRefusesWhatCanBeNeitherNumberNorPort)
{
    open();
    type(slot_edit(0, 0), "123456789012345");
    type(slot_edit(0, 1), "*2");
    type(slot_edit(0, 2), std::string(1, '"') + "2");
    EXPECT_TRUE(backend.message_boxes().empty()) << "numbers and the beginnings of codes and names are taken";

    type(slot_edit(0, 3), "1234567890123456");
    EXPECT_EQ(message(0), "max 15 digits");
    EXPECT_EQ(shown(slot_edit(0, 3)), "") << "the slot goes back to the device's value";
    EXPECT_EQ(backend.state(*page)->focus, slot_edit(0, 3));
    EXPECT_EQ(shown(slot_edit(0, 0)), "123456789012345") << "the other slots keep what was typed";

    for (const char* bad : {"12a", "*4", "*23", "#31"}) {
        const std::size_t boxes = backend.message_boxes().size();
        type(slot_edit(3, 0), bad);
        ASSERT_EQ(backend.message_boxes().size(), boxes + 1) << bad;
        EXPECT_EQ(message(boxes).rfind("Please enter a phone number.", 0), 0u) << message(boxes);
        EXPECT_NE(message(boxes).find("*11 or *32"), std::string::npos);
        EXPECT_EQ(shown(slot_edit(3, 0)), "");
    }
}

TEST_F(ShortDialOnDevice, AHalfTypedPortIsUndoneOnLeavingAndAWholeOneShowsItsName)
{
    open();
    type(slot_edit(0, 0), "*");
    leave(slot_edit(0, 0));
    EXPECT_EQ(shown(slot_edit(0, 0)), "");
    EXPECT_FALSE(short_dial().number(0, 0).changed());

    type(slot_edit(0, 1), "*21");
    leave(slot_edit(0, 1));
    EXPECT_EQ(shown(slot_edit(0, 1)), state().portAliases[1]);
    type(slot_edit(0, 2), state().portAliases[2]);
    backend.press_key(*page, Key::Tab);
    EXPECT_EQ(short_dial().number(0, 2).edited(), "*22") << "a port's name goes to the device as its code";
    backend.click(*page, ID_SEND);
    EXPECT_EQ(device_setting("!P10#11*1"), "*21");
    EXPECT_EQ(device_setting("!P10#11*2"), "*22");
    EXPECT_EQ(shown(slot_edit(0, 2)), state().portAliases[2]);
}

TEST_F(ShortDialOnDevice, AProfileRestoresTheDeviceAndSendsEveryValue)
{
    q30sim::DeviceOptions options;
    options.seed = true;
    open(options);
    const std::string file = configDir + "/round.pro";
    save_profile_as(file);
    EXPECT_EQ(profile::read_string(file, "SHORTDIAL_DIV", "SDNUM02", ""), "*21");
    EXPECT_EQ(profile::read_string(file, "SHORTDIAL_DIV", "CHKSPXRING0", ""), "1");
    EXPECT_EQ(profile::read_string(file, "SHORTDIAL_DIV", "SDNUM49", "<missing>"), "");

    type(slot_edit(0, 0), "999");
    backend.click(*page, kPort11SpecialRingBox);
    backend.click(*page, ID_SEND);
    ASSERT_EQ(device_setting("!P10#11*0"), "999");

    const std::size_t before = device_commands().size();
    load_profile(file);
    EXPECT_TRUE(backend.message_boxes().empty()) << message(0);
    EXPECT_EQ(device_setting("!P10#11*0"), "0301234567");
    EXPECT_EQ(device_setting("!P10#11*2"), "*21");
    EXPECT_EQ(device_setting("!P11#11"), "1");
    EXPECT_EQ(sets_since(before).size(), 55u) << "a load sends every value, changed or not";
    EXPECT_EQ(shown(slot_edit(0, 0)), "0301234567");
    EXPECT_TRUE(page->leave_check());
    EXPECT_TRUE(backend.modals().empty()) << "nothing is left to send";
}

TEST_F(ShortDialOnDevice, TheQ20HasThreePortsOnThePageTheDeviceAndTheProfile)
{
    q30sim::DeviceOptions options;
    options.model = q30sim::Model::Q20;
    options.seed = true;
    open(options);
    EXPECT_FALSE(page->visible(slot_edit(3, 0)));
    EXPECT_FALSE(page->visible(kPort32SpecialRingBox));
    EXPECT_TRUE(page->visible(slot_edit(2, 9)));
    for (const std::string& line : device_commands())
        EXPECT_TRUE(line.find("#31") == std::string::npos && line.find("#32") == std::string::npos) << line;

    const std::string file = configDir + "/q20.pro";
    save_profile_as(file);
    EXPECT_EQ(profile::read_string(file, "SHORTDIAL_DIV", "SDNUM29", "<missing>"), "");
    EXPECT_EQ(profile::read_string(file, "SHORTDIAL_DIV", "SDNUM30", "<missing>"), "<missing>");
    EXPECT_EQ(profile::read_string(file, "SHORTDIAL_DIV", "CHKSPXRING3", "<missing>"), "<missing>");

    const std::size_t before = device_commands().size();
    backend.click(*page, ID_SEND);
    EXPECT_TRUE(backend.message_boxes().empty()) << message(0);
    EXPECT_EQ(sets_since(before).size(), 3u + 30u);
}

TEST_F(ShortDialOnDevice, DiscardPutsTheDeviceValuesBackAndEveryTextFollowsTheLanguage)
{
    q30sim::DeviceOptions options;
    options.seed = true;
    open(options);
    type(slot_edit(0, 0), "111");
    backend.click(*page, kPort11SpecialRingBox);
    backend.on_modal(kDiscardDialogSmallFonts, [&](Window& d) { return backend.click(d, ID_DISCARD), 0; });
    EXPECT_EQ(ui->send(*page, UWM_QUERY_LEAVE), 1);
    EXPECT_EQ(shown(slot_edit(0, 0)), "0301234567");
    EXPECT_EQ(page->check(kPort11SpecialRingBox), 1);
    EXPECT_EQ(device_setting("!P10#11*0"), "0301234567") << "nothing was sent";

    const std::vector<std::pair<std::string, std::string>> texts = {
        {"You can define up to 10 short dial strings for each port.", "Special Ring"},
        {"Sie können für jeden Port bis zu 10 Kurzwahlnummern festlegen.", "Sonderklingeln"},
        {"Vous pouvez définir jusqu'à 10 numéros abrégés pour chaque port.", "Sonnerie spéciale"},
    };
    for (int language = 2; language >= 0; --language) {
        state().language = language;
        ui->send(*page, UWM_SET_LANGUAGE);
        EXPECT_EQ(shown(kIntroText), texts[static_cast<std::size_t>(language)].first);
        EXPECT_EQ(shown(kSpecialRingHeading), texts[static_cast<std::size_t>(language)].second);
        EXPECT_EQ(shown(kPort32Label), "Port 32");
    }
    EXPECT_EQ(backend.state(*page)->caption, "Short dial/special ring");
}

// A profile written on Windows: CRLF line ends, keys in another case; the
// slots it lacks are sent empty.
TEST_F(ShortDialOnDevice, AWindowsProfileLoadsAndEmptiesWhatItLacks)
{
    q30sim::DeviceOptions options;
    options.seed = true;
    open(options);
    const std::string file = configDir + "/windows.pro";
    std::ofstream(file, std::ios::binary) << "[MSN_DIV]\r\nPORTIDX0=2\r\n[SHORTDIAL_DIV]\r\nCHKSPXRING1=1\r\n"
                                             "sdnum10=0401\r\nSDNUM13=*22\r\n";
    load_profile(file);
    EXPECT_TRUE(backend.message_boxes().empty()) << message(0);
    EXPECT_EQ(device_setting("!P11#21"), "1");
    EXPECT_EQ(device_setting("!P11#11"), "0");
    EXPECT_EQ(device_setting("!P10#21*0"), "0401");
    EXPECT_EQ(device_setting("!P10#21*3"), "*22");
    EXPECT_EQ(device_setting("!P10#11*0"), "") << "the demo number is gone";
    EXPECT_EQ(shown(slot_edit(1, 3)), state().portAliases[2]);
}
