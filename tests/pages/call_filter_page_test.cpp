// The call filter page on the emulated device: what it reads, sends and
// keeps, its check while typing, profiles and the Q20.
#include "emulated_program.h"

#include <algorithm>

#include "pages/call_filter_page.h"
#include "profile/ini_file.h"

using namespace quillon;
using namespace quillon::platform;
using namespace quillon::dialog_ids::call_filter;

namespace {

constexpr int kPage = 4;
constexpr int kData = 5;
constexpr int kDiscardDialogSmallFonts = 857;

int number_edit(int column, int index) { return kPort11Number0Edit + 10 * column + index; }

struct CallFilterOnDevice : pagestest::EmulatedProgram {
    Page* page = nullptr;

    void open(q30sim::DeviceOptions options = {})
    {
        start(options);
        page = &show_page(kPage);
    }
    q30sim::DeviceOptions seeded(q30sim::Model model = q30sim::Model::Q30)
    {
        q30sim::DeviceOptions options;
        options.seed = true;
        options.model = model;
        return options;
    }
    CallFilterPage& filter() { return static_cast<CallFilterPage&>(*page); }
    std::string shown(int id) const { return page->text(id); }
    void type(int id, const std::string& text) { backend.type(*page, id, text); }
    // The filter's set commands since `from`.
    std::vector<std::string> sets_since(std::size_t from)
    {
        std::vector<std::string> all = device_commands();
        std::vector<std::string> out;
        for (std::size_t i = from; i < all.size(); ++i)
            for (const char* prefix : {"AT!P12#", "AT!P13#", "AT\\E=", "AT\\F"})
                if (all[i].rfind(prefix, 0) == 0 && all[i].find('=') != std::string::npos)
                    out.push_back(all[i]);
        return out;
    }
    std::string message(std::size_t i) const
    {
        return i < backend.message_boxes().size() ? backend.message_boxes()[i].text : "<no message box>";
    }
    std::string saved(const std::string& file, const std::string& key) const
    {
        return profile::read_string(file, "FILTER_DIV", key, "<missing>");
    }
};

} // namespace

TEST_F(CallFilterOnDevice, TheFirstShowReadsEveryColumnTheDataPortsLast)
{
    open(seeded());
    EXPECT_EQ(shown(number_edit(0, 0)), "01901234567");
    EXPECT_EQ(shown(number_edit(1, 0)), "0221555123");
    EXPECT_EQ(shown(number_edit(kData, 0)), "069777888");
    EXPECT_EQ(page->check(kPort11ActiveBox), 1);
    EXPECT_EQ(page->check(kPort21ActiveBox), 0);
    EXPECT_EQ(page->check(kDataActiveBox), 1);
    EXPECT_EQ(shown(kDataAliasLabel), state().portAliases[kData]);
    EXPECT_EQ(backend.state(*page)->focus, kPort11Number0Edit);

    const auto commands = device_commands();
    auto where = [&](const std::string& line) { return std::find(commands.begin(), commands.end(), line); };
    ASSERT_NE(where("AT\\E?"), commands.end());
    EXPECT_LT(where("AT\\E?"), where("AT!P12#11*0?")) << "every switch before any number";
    EXPECT_LT(where("AT!P12#32*9?"), where("AT\\F0?")) << "the data port's numbers last";
    EXPECT_NE(where("AT\\F9?"), commands.end());
}

TEST_F(CallFilterOnDevice, SendPutsOnlyWhatChangedOnTheDeviceInOrder)
{
    open(seeded());
    type(number_edit(kData, 2), state().portAliases[1]);
    type(number_edit(0, 1), "0301111");
    backend.click(*page, kPort22ActiveBox);
    const std::size_t before = device_commands().size();
    backend.click(*page, ID_SEND);
    EXPECT_TRUE(backend.message_boxes().empty()) << message(0);
    EXPECT_EQ(sets_since(before), (std::vector<std::string>{"AT!P13#22=1", "AT!P12#11*1=0301111", "AT\\F2=*21"}));
    EXPECT_EQ(device_setting("\\F2"), "*21") << "a port's name goes to the device as its code";
    EXPECT_EQ(shown(number_edit(kData, 2)), state().portAliases[1]);
    EXPECT_EQ(device_setting("!P13#22"), "1");
    EXPECT_TRUE(page->leave_check());
    EXPECT_TRUE(backend.modals().empty()) << "nothing is left to send";
}

// Unlike the page's first form, a value is confirmed only when the device
// answered "OK": a refused one is named, stays changed and is offered again.
TEST_F(CallFilterOnDevice, ARefusedValueStaysUnsentAndIsOfferedAgain)
{
    q30sim::DeviceOptions options;
    options.rejectPrefixes = {"AT!P12#21*0=", "AT\\E="};
    open(options);
    type(number_edit(1, 0), "0401234");
    backend.click(*page, kDataActiveBox);
    backend.click(*page, ID_SEND);
    ASSERT_EQ(backend.message_boxes().size(), 1u);
    const std::string told = message(0);
    EXPECT_NE(told.find("Port 21: Call filter 0"), std::string::npos) << told;
    EXPECT_NE(told.find("Data Port: Activated"), std::string::npos) << told;
    EXPECT_TRUE(filter().number(1, 0).changed());
    EXPECT_TRUE(filter().activated(kData).changed());
    EXPECT_EQ(device_setting("!P12#21*0"), "");

    int offered = 0;
    backend.on_modal(kDiscardDialogSmallFonts, [&](Window& d) { return ++offered, backend.click(d, ID_DISCARD), 0; });
    backend.menu(ID_PAGE_FIRST);
    backend.pump();
    EXPECT_EQ(offered, 1);
    EXPECT_EQ(state().currentPage, 0);
    EXPECT_EQ(shown(number_edit(1, 0)), "") << "discarded: the device's value again";
    EXPECT_EQ(page->check(kDataActiveBox), 0);
}

TEST_F(CallFilterOnDevice, WithoutTheDeviceEverythingReadsOffAndEmpty)
{
    start(seeded());
    state().linkUp = false;
    page = &show_page(kPage);
    for (int c : {0, 1, 2, 3, 4, kData}) {
        EXPECT_EQ(page->check(kPort11ActiveBox + c), 0);
        for (int i = 0; i < 10; ++i)
            EXPECT_EQ(shown(number_edit(c, i)), "");
    }
    type(number_edit(0, 0), "123");
    backend.click(*page, ID_SEND);
    EXPECT_EQ(backend.message_boxes().size(), 1u);
    EXPECT_TRUE(filter().number(0, 0).changed());
}

TEST_F(CallFilterOnDevice, TypingRefusesWhatCanBeNeitherNumberNorPort)
{
    open(seeded());
    type(number_edit(0, 5), "123456789012345");
    type(number_edit(0, 6), "*2");
    EXPECT_TRUE(backend.message_boxes().empty());
    for (const char* bad : {"1234567890123456", "0301-1", "*4", "*33"}) {
        const std::size_t boxes = backend.message_boxes().size();
        type(number_edit(0, 0), bad);
        ASSERT_EQ(backend.message_boxes().size(), boxes + 1) << bad;
        EXPECT_EQ(message(boxes).rfind("Please enter a phone number.", 0), 0u) << message(boxes);
        EXPECT_EQ(shown(number_edit(0, 0)), "01901234567") << "back to the device's value";
        EXPECT_EQ(backend.state(*page)->focus, number_edit(0, 0));
    }
    EXPECT_EQ(shown(number_edit(0, 5)), "123456789012345") << "the other fields keep what was typed";
}

// A port code typed is kept as it is typed (and shown by the port's name),
// as a port's name is.
TEST_F(CallFilterOnDevice, ATypedPortCodeIsSentAndShownByName)
{
    open();
    type(number_edit(2, 3), "*11");
    backend.press_key(*page, Key::Tab);
    EXPECT_EQ(shown(number_edit(2, 3)), state().portAliases[0]);
    backend.click(*page, ID_SEND);
    EXPECT_EQ(device_setting("!P12#22*3"), "*11");
    EXPECT_EQ(filter().number(2, 3).confirmed(), "*11");
}

TEST_F(CallFilterOnDevice, AProfileRestoresTheDeviceAndSendsEveryValue)
{
    open(seeded());
    const std::string file = configDir + "/round.pro";
    save_profile_as(file);
    EXPECT_EQ(saved(file, "ACTIVE0"), "1");
    EXPECT_EQ(saved(file, "ACTIVE5"), "1");
    EXPECT_EQ(saved(file, "FTRNUM50"), "069777888");
    EXPECT_EQ(saved(file, "FTRNUM49"), "");

    type(number_edit(kData, 0), "999");
    backend.click(*page, kPort11ActiveBox);
    backend.click(*page, ID_SEND);
    ASSERT_EQ(device_setting("\\F0"), "999");

    const std::size_t before = device_commands().size();
    load_profile(file);
    EXPECT_TRUE(backend.message_boxes().empty()) << message(0);
    EXPECT_EQ(device_setting("\\F0"), "069777888");
    EXPECT_EQ(device_setting("!P13#11"), "1");
    EXPECT_EQ(sets_since(before).size(), 6u + 60u) << "a load sends every value, changed or not";
    EXPECT_EQ(shown(number_edit(kData, 0)), "069777888");
}

TEST_F(CallFilterOnDevice, TheQ20HasNoColumnsForPorts31And32)
{
    open(seeded(q30sim::Model::Q20));
    EXPECT_FALSE(page->visible(number_edit(3, 0)));
    EXPECT_FALSE(page->visible(kPort32ActiveBox));
    EXPECT_TRUE(page->visible(number_edit(kData, 9)));
    for (const std::string& line : device_commands())
        EXPECT_TRUE(line.find("#31") == std::string::npos && line.find("#32") == std::string::npos) << line;

    const std::string file = configDir + "/q20.pro";
    save_profile_as(file);
    EXPECT_EQ(saved(file, "ACTIVE3"), "<missing>");
    EXPECT_EQ(saved(file, "FTRNUM40"), "<missing>");
    EXPECT_EQ(saved(file, "ACTIVE5"), "1") << "the data port keeps its column number";
    EXPECT_EQ(saved(file, "FTRNUM59"), "");

    const std::size_t before = device_commands().size();
    load_profile(file);
    EXPECT_TRUE(backend.message_boxes().empty()) << message(0);
    EXPECT_EQ(sets_since(before).size(), 4u + 40u);
}

TEST_F(CallFilterOnDevice, EveryTextFollowsTheLanguage)
{
    open();
    const std::vector<std::pair<std::string, std::string>> texts = {
        {"Ignore incoming phone calls with one of these Caller IDs(0-9)", "Activated"},
        {"Ankommende Anrufe mit einer dieser Rufnummern ignorieren (0-9)", "Aktiviert"},
        {"Ignorer les appels entrants avec l'un de ces numéros d'appelant (0-9)", "Activé"},
    };
    for (int language = 2; language >= 0; --language) {
        state().language = language;
        ui->send(*page, UWM_SET_LANGUAGE);
        EXPECT_EQ(shown(kIntroText), texts[static_cast<std::size_t>(language)].first);
        EXPECT_EQ(shown(kDataActiveBox), texts[static_cast<std::size_t>(language)].second);
    }
    EXPECT_EQ(shown(kDataLabel), "Data Port");
    EXPECT_EQ(backend.state(*page)->caption, "Phone call filter");
}
