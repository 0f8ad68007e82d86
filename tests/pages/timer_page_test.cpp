// The timer page on the emulated device: morning calls read, sent and kept,
// the checks while typing, the two clocks and setting the device's clock,
// profiles and the Q20.
#include "emulated_program.h"

#include <algorithm>
#include <fstream>
#include <regex>

#include "pages/timer_page.h"
#include "profile/ini_file.h"

using namespace quillon;
using namespace quillon::platform;
using namespace quillon::dialog_ids::timer;

namespace {

constexpr int kPage = 8;
const LocalDateTime kPcTime{2001, 3, 5, 7, 8, 9};

int time_edit(int portIndex) { return kPort11TimeEdit + portIndex; }
int active_box(int portIndex) { return kPort11ActiveBox + portIndex; }

struct TimerOnDevice : pagestest::EmulatedProgram {
    Page* page = nullptr;

    // The page is shown (and read) with the computer's clock fixed at kPcTime.
    void open(q30sim::DeviceOptions options = {})
    {
        start(options);
        backend.set_local_time(kPcTime);
        page = &show_page(kPage);
    }
    static TimerPage& timer_at(Page* p) { return static_cast<TimerPage&>(*p); }
    TimerPage& timer() { return timer_at(page); }
    q30sim::DeviceOptions seeded(q30sim::Model model = q30sim::Model::Q30)
    {
        q30sim::DeviceOptions options;
        options.seed = true;
        options.model = model;
        return options;
    }
    std::string shown(int id) const { return page->text(id); }
    void type(int id, const std::string& text) { backend.type(*page, id, text); }
    // The device lines since `from` that begin with one of `prefixes`.
    std::vector<std::string> commands_since(std::size_t from, std::vector<std::string> prefixes)
    {
        const std::vector<std::string> all = device_commands();
        std::vector<std::string> out;
        for (std::size_t i = from; i < all.size(); ++i)
            for (const std::string& prefix : prefixes)
                if (all[i].rfind(prefix, 0) == 0)
                    out.push_back(all[i]);
        return out;
    }
    std::vector<std::string> morning_call_sets_since(std::size_t from)
    {
        std::vector<std::string> sets = commands_since(from, {"AT!P18#", "AT!P19#"});
        std::erase_if(sets, [](const std::string& line) { return line.find('=') == std::string::npos; });
        return sets;
    }
    std::string message(std::size_t i) const
    {
        return i < backend.message_boxes().size() ? backend.message_boxes()[i].text : "<no message box>";
    }
    std::string saved(const std::string& file, const std::string& key) const
    {
        return profile::read_string(file, "TIMER_DIV", key, "<missing>");
    }
};

bool looks_like_a_date_time(const std::string& text)
{
    return std::regex_match(text, std::regex(R"(\d\d/\d\d/\d{4} \d\d:\d\d:\d\d)"));
}

} // namespace

// --- Reading ------------------------------------------------------------------

TEST_F(TimerOnDevice, TheFirstShowReadsSwitchesThenTimesThenTheClock)
{
    open(seeded());
    const std::vector<std::pair<std::string, int>> expected = {
        {"06:30", 1}, {"08:15", 0}, {"06:45", 0}, {"05:45", 1}, {"07:30", 0}};
    for (int p = 0; p < 5; ++p) {
        EXPECT_EQ(shown(time_edit(p)), expected[static_cast<std::size_t>(p)].first) << "port index " << p;
        EXPECT_EQ(page->check(active_box(p)), expected[static_cast<std::size_t>(p)].second) << "port index " << p;
    }
    EXPECT_EQ(shown(kPort21AliasLabel), "\"21\"");
    EXPECT_EQ(shown(kPcClockEdit), "05/03/2001 07:08:09");
    EXPECT_TRUE(looks_like_a_date_time(shown(kDeviceClockEdit))) << shown(kDeviceClockEdit);
    EXPECT_EQ(backend.state(*page)->focus, kPort11ActiveBox);
    EXPECT_FALSE(timer().changed());

    const auto read = commands_since(0, {"AT!P19#", "AT!P18#", "AT!T"});
    ASSERT_EQ(read.size(), 11u);
    EXPECT_EQ(read.front(), "AT!P19#11?");
    EXPECT_EQ(read[4], "AT!P19#32?") << "every switch before any time";
    EXPECT_EQ(read[5], "AT!P18#11?");
    EXPECT_EQ(read.back(), "AT!T?");
    EXPECT_TRUE(commands_since(0, {"AT!T="}).empty()) << "a set clock is left alone";
}

// The device's clock reads "--" until it is set.
TEST_F(TimerOnDevice, AnUnsetDeviceClockGetsTheComputersTimeDuringTheRead)
{
    q30sim::DeviceOptions options = seeded();
    options.clockUnset = true;
    open(options);
    EXPECT_EQ(commands_since(0, {"AT!T="}), (std::vector<std::string>{"AT!T=05/03/2001 07:08:09"}));
    EXPECT_EQ(shown(kDeviceClockEdit), "05/03/2001 07:08:09");
    EXPECT_TRUE(backend.message_boxes().empty()) << message(0);
}

// A device that falls silent after the start: every query of the page goes unanswered.
TEST_F(TimerOnDevice, ASilentDeviceLeavesTheFieldsEmptyAndTheEditsUnsent)
{
    start(seeded());
    const int startCommands = static_cast<int>(device_commands().size());
    app.reset();
    DrvCmd none{};
    D_SendDrvCmd(q30::DRV_CLOSE, &none);
    server->stop();

    q30sim::DeviceOptions options = seeded();
    options.silentAfter = startCommands;
    open(options);
    EXPECT_EQ(shown(time_edit(0)), "");
    EXPECT_EQ(page->check(active_box(0)), 0);
    EXPECT_EQ(shown(kDeviceClockEdit), "");
    type(time_edit(1), "9");
    backend.click(*page, ID_SEND);
    EXPECT_EQ(backend.message_boxes().size(), 1u);
    EXPECT_TRUE(timer().time(1).changed());

    backend.click(*page, kSyncButton);
    ASSERT_EQ(backend.message_boxes().size(), 2u);
    EXPECT_EQ(message(1).rfind("The Q20 / Q30 did not take the time of your computer", 0), 0u) << message(1);
}

// --- Sending ------------------------------------------------------------------

TEST_F(TimerOnDevice, SendPutsOnlyWhatChangedOnTheDeviceSwitchesFirst)
{
    open(seeded());
    state().soundOn = true;
    type(time_edit(1), "7");
    type(time_edit(0), "6:30");  // the time it had: nothing to send
    type(time_edit(2), "5:45");
    backend.click(*page, active_box(4));
    const std::size_t before = device_commands().size();
    const int beeps = backend.beeps();
    backend.click(*page, ID_SEND);
    EXPECT_TRUE(backend.message_boxes().empty()) << message(0);
    EXPECT_EQ(backend.beeps(), beeps + 1);
    EXPECT_EQ(morning_call_sets_since(before),
              (std::vector<std::string>{"AT!P19#32=1", "AT!P18#21=07:00", "AT!P18#22=05:45"}));
    EXPECT_EQ(device_setting("!P18#21"), "07:00");
    EXPECT_EQ(device_setting("!P19#32"), "1");
    EXPECT_EQ(shown(time_edit(1)), "07:00") << "sent in full";
    EXPECT_EQ(shown(time_edit(0)), "06:30");
    EXPECT_FALSE(timer().changed());
    EXPECT_EQ(leave_for_first_page(ID_DISCARD), 0) << "nothing is left to send";
}

TEST_F(TimerOnDevice, ARefusedValueStaysUnsentAndIsOfferedAgain)
{
    q30sim::DeviceOptions options = seeded();
    options.rejectPrefixes = {"AT!P18#22=", "AT!P19#21="};
    open(options);
    type(time_edit(2), "9");
    type(time_edit(0), "10:15");
    backend.click(*page, active_box(1));
    backend.click(*page, ID_SEND);
    ASSERT_EQ(backend.message_boxes().size(), 1u);
    EXPECT_NE(message(0).find("Port 22: Morning call"), std::string::npos) << message(0);
    EXPECT_NE(message(0).find("Port 21: Activated"), std::string::npos) << message(0);
    EXPECT_EQ(message(0).find("Port 11"), std::string::npos) << "port 11's time was taken";
    EXPECT_EQ(device_setting("!P18#22"), "06:45");
    EXPECT_EQ(device_setting("!P18#11"), "10:15");
    EXPECT_TRUE(timer().time(2).changed());
    EXPECT_TRUE(timer().activated(1).changed());

    EXPECT_EQ(leave_for_first_page(ID_DISCARD), 1);
    EXPECT_EQ(state().currentPage, 0);
    EXPECT_EQ(shown(time_edit(2)), "06:45") << "discarded: the device's value again";
    EXPECT_EQ(page->check(active_box(1)), 0);
}

// --- Typing -------------------------------------------------------------------

TEST_F(TimerOnDevice, TypingRefusesWhatCanNoLongerBeATime)
{
    open(seeded());
    type(time_edit(1), "2");
    for (const char* bad : {"24:00", "12:60", "1:2:3", "123456", "7h"}) {
        const std::size_t boxes = backend.message_boxes().size();
        type(time_edit(0), bad);
        ASSERT_EQ(backend.message_boxes().size(), boxes + 1) << bad;
        EXPECT_EQ(message(boxes), "Error:\n\nPlease enter a time like \"14:30\" or \"08:30\".");
        EXPECT_EQ(shown(time_edit(0)), "06:30") << "back to the device's value after " << bad;
        EXPECT_EQ(backend.state(*page)->focus, time_edit(0));
    }
    EXPECT_EQ(shown(time_edit(1)), "2") << "the other fields keep what was typed";
    for (const char* fine : {"", "7", "07:", "7:5", "23:59"}) {
        type(time_edit(0), fine);
        EXPECT_EQ(shown(time_edit(0)), fine);
    }
    EXPECT_EQ(backend.message_boxes().size(), 5u);
}

TEST_F(TimerOnDevice, EnterAndTabWriteTheTypedTimeOutInFull)
{
    open(seeded());
    type(time_edit(0), "7");
    backend.press_key(*page, Key::Tab);
    EXPECT_EQ(shown(time_edit(0)), "07:00");
    EXPECT_EQ(backend.state(*page)->focus, active_box(0)) << "the focus moves on";
    EXPECT_EQ(timer().time(0).edited(), "07:00");

    type(time_edit(2), "8:5");
    backend.press_key(*page, Key::Enter);
    EXPECT_EQ(shown(time_edit(2)), "08:05");

    // Text that reached the field without a change notice is checked on Enter.
    page->set_text(time_edit(2), "99");
    backend.press_key(*page, Key::Enter);
    ASSERT_EQ(backend.message_boxes().size(), 1u);
    EXPECT_EQ(message(0), "Error Format");
    EXPECT_EQ(shown(time_edit(2)), "06:45");
    EXPECT_EQ(shown(time_edit(0)), "07:00") << "only the field typed into last goes back";

    backend.press_key(*page, Key::Escape);
    EXPECT_EQ(backend.message_boxes().size(), 1u);
}

// --- Clock --------------------------------------------------------------------

TEST_F(TimerOnDevice, SynchronisingSetsTheDeviceClockAndShowsItReadBack)
{
    open(seeded());
    state().soundOn = true;
    backend.advance(61'500);
    const std::size_t before = device_commands().size();
    const int beeps = backend.beeps();
    backend.click(*page, kSyncButton);
    EXPECT_EQ(backend.beeps(), beeps + 1);
    EXPECT_TRUE(backend.message_boxes().empty()) << message(0);
    EXPECT_EQ(commands_since(before, {"AT!T"}), (std::vector<std::string>{"AT!T=05/03/2001 07:09:10", "AT!T?"}));
    EXPECT_EQ(shown(kPcClockEdit), "05/03/2001 07:09:10");
    EXPECT_EQ(shown(kDeviceClockEdit).substr(0, 14), "05/03/2001 07:") << "the device's clock as read back";
    EXPECT_FALSE(timer().changed()) << "the clock is no value of the page";
}

// --- Profiles -----------------------------------------------------------------

TEST_F(TimerOnDevice, AProfileRestoresTheDeviceAndSendsEveryValue)
{
    open(seeded());
    const std::string file = configDir + "/round.pro";
    save_profile_as(file);
    EXPECT_EQ(saved(file, "MCACTIVE0"), "1");
    EXPECT_EQ(saved(file, "MCACTIVE1"), "0");
    EXPECT_EQ(saved(file, "MCALL0"), "06:30");
    EXPECT_EQ(saved(file, "MCALL4"), "07:30");

    type(time_edit(4), "11:11");
    backend.click(*page, active_box(0));
    backend.click(*page, ID_SEND);
    ASSERT_EQ(device_setting("!P18#32"), "11:11");
    ASSERT_EQ(device_setting("!P19#11"), "0");

    const std::size_t before = device_commands().size();
    load_profile(file);
    EXPECT_TRUE(backend.message_boxes().empty()) << message(0);
    EXPECT_EQ(device_setting("!P18#32"), "07:30");
    EXPECT_EQ(device_setting("!P19#11"), "1");
    EXPECT_EQ(morning_call_sets_since(before).size(), 10u) << "a load sends every value, changed or not";
    EXPECT_EQ(shown(time_edit(4)), "07:30");
    EXPECT_FALSE(timer().changed());
}

// Unlike the page's first form, a loaded value the device refused is not
// taken as the device's: it stays changed and the leave check offers it.
TEST_F(TimerOnDevice, ALoadedValueTheDeviceRefusedStaysUnconfirmed)
{
    q30sim::DeviceOptions options = seeded();
    options.rejectPrefixes = {"AT!P18#21="};
    open(options);
    const std::string file = configDir + "/windows.pro";
    // As written on Windows: CRLF line ends, a time typed by hand.
    std::ofstream(file, std::ios::binary) << "[TIMER_DIV]\r\nMCACTIVE0=1\r\nMCACTIVE1=1\r\nMCALL0=6:05\r\n"
                                             "MCALL1=09:00\r\nMCALL2=25:00\r\n";
    load_profile(file);
    ASSERT_EQ(backend.message_boxes().size(), 1u);
    EXPECT_NE(message(0).find("MCALL1"), std::string::npos) << message(0);
    EXPECT_NE(message(0).find("MCALL2"), std::string::npos) << "no time: not sent" << message(0);
    EXPECT_EQ(device_setting("!P18#11"), "06:05");
    EXPECT_EQ(device_setting("!P19#21"), "1");
    EXPECT_EQ(device_setting("!P18#22"), "06:45");
    EXPECT_EQ(device_setting("!P18#31"), "00:00") << "a missing time loads as 00:00";
    EXPECT_EQ(timer().time(1).confirmed(), "08:15");
    EXPECT_EQ(timer().time(2).confirmed(), "06:45");
    EXPECT_EQ(leave_for_first_page(ID_STAY), 1);
    EXPECT_EQ(state().currentPage, kPage);
}

// --- Model and language -------------------------------------------------------

TEST_F(TimerOnDevice, TheQ20HasNoMorningCallsForPorts31And32)
{
    open(seeded(q30sim::Model::Q20));
    for (int id : {kPort31Frame, kPort32TimeEdit, kPort31ActiveBox, kPort32PicturePlace, kPort31Label})
        EXPECT_FALSE(page->visible(id)) << id;
    EXPECT_TRUE(page->visible(kPort22TimeEdit));
    for (const std::string& line : device_commands())
        EXPECT_TRUE(line.find("#31") == std::string::npos && line.find("#32") == std::string::npos) << line;

    const std::string file = configDir + "/q20.pro";
    save_profile_as(file);
    EXPECT_EQ(saved(file, "MCACTIVE3"), "<missing>");
    EXPECT_EQ(saved(file, "MCALL4"), "<missing>");
    EXPECT_EQ(saved(file, "MCALL2"), "06:45");

    const std::size_t before = device_commands().size();
    load_profile(file);
    EXPECT_TRUE(backend.message_boxes().empty()) << message(0);
    EXPECT_EQ(morning_call_sets_since(before).size(), 6u);
}

TEST_F(TimerOnDevice, EveryTextFollowsTheLanguage)
{
    open();
    const std::vector<std::vector<std::string>> texts = {
        {"Morning call", "Activated", "Synchronize time now", "Current ISDN Date/Time:"},
        {"Weckruf", "Aktiviert", "Uhrzeit jetzt abgleichen", "Aktuelles ISDN-Datum/Uhrzeit:"},
        {"Réveil", "Activé", "Synchroniser l'heure", "Date/heure ISDN actuelle :"},
    };
    for (int language = 2; language >= 0; --language) {
        state().language = language;
        ui->send(*page, UWM_SET_LANGUAGE);
        const std::vector<std::string> shownTexts = {shown(kPort32Frame), shown(kPort32ActiveBox), shown(kSyncButton),
                                                     shown(kDeviceClockLabel)};
        EXPECT_EQ(shownTexts, texts[static_cast<std::size_t>(language)]);
    }
    EXPECT_EQ(shown(kPcClockLabel), "Current PC     Date/Time:");
    EXPECT_EQ(backend.state(*page)->caption, "Timer");
}
