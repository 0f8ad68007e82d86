// The call log page on the emulated device: what it reads and shows, the
// port buttons, the five-second refresh and when it must not run, clearing,
// dialling back, a silent device, languages and the Q20.
#include "emulated_program.h"

#include "pages/call_log_page.h"

using namespace quillon;
using namespace quillon::platform;
using namespace quillon::dialog_ids::log;

namespace {

constexpr int kPage = 9;
constexpr int kData = 5;

int number_button(int list, int row) { return kOutgoing0Number + 10 * list + row; }
int date_time(int list, int row) { return kOutgoing0DateTime + 10 * list + row; }
int duration(int list, int row) { return kOutgoing0Duration + 10 * list + row; }

struct CallLogOnDevice : pagestest::EmulatedProgram {
    Page* page = nullptr;

    static q30sim::DeviceOptions seeded(q30sim::Model model = q30sim::Model::Q30)
    {
        q30sim::DeviceOptions options;
        options.seed = true;
        options.model = model;
        return options;
    }
    void open(const q30sim::DeviceOptions& options)
    {
        start(options);
        page = &show_page(kPage);
    }
    void open() { open(seeded()); }
    CallLogPage& log() { return static_cast<CallLogPage&>(*page); }
    std::string shown(int id) const { return page->text(id); }
    bool row_shown(int list, int row) const { return backend.control(*page, number_button(list, row))->visible; }
    // The list reads and clears the device received since `from`.
    std::vector<std::string> list_commands_since(std::size_t from)
    {
        std::vector<std::string> all = device_commands();
        std::vector<std::string> out;
        for (std::size_t i = from; i < all.size(); ++i)
            for (const char* prefix : {"AT!P3#", "AT!P23#", "AT\\H", "AT!P24#"})
                if (all[i].rfind(prefix, 0) == 0)
                    out.push_back(all[i]);
        return out;
    }
    std::size_t list_reads_since(std::size_t from)
    {
        std::size_t n = 0;
        for (const std::string& line : list_commands_since(from))
            n += line.back() == '?' ? 1 : 0;
        return n;
    }
    std::size_t device_entries(int port, q30sim::CallList list)
    {
        return server->with_device([&](q30sim::Device& d) { return d.call_log().entries(port, list).size(); });
    }
    std::string message(std::size_t i) const
    {
        return i < backend.message_boxes().size() ? backend.message_boxes()[i].text : "<no message box>";
    }
};

} // namespace

// --- Reading and showing --------------------------------------------------------

TEST_F(CallLogOnDevice, TheFirstShowReadsPort11AndShowsItsThreeLists)
{
    open();
    EXPECT_EQ(list_commands_since(0), (std::vector<std::string>{"AT!P3#11*0?", "AT!P3#11*1?", "AT!P3#11*2?"}))
        << "one read per list at the first show";
    EXPECT_EQ(log().current_port(), 0);
    EXPECT_EQ(page->check(kPort11Button), 1);
    EXPECT_EQ(page->check(kDataPortButton), 0);

    // Outgoing, newest first: an internal call by the port's name, then two
    // external ones with their charges cut to two decimals.
    EXPECT_EQ(shown(number_button(kOutgoingCalls, 0)), state().portAliases[1]);
    EXPECT_EQ(shown(number_button(kOutgoingCalls, 1)), "08912345678");
    EXPECT_EQ(shown(kOutgoing0Charge + 1), "DM 1,56");
    EXPECT_EQ(shown(duration(kOutgoingCalls, 1)), "00:12:05");
    EXPECT_EQ(shown(date_time(kOutgoingCalls, 1)).substr(8), " 18:40");
    EXPECT_FALSE(row_shown(kOutgoingCalls, 3)) << "rows past the entries are empty";
    EXPECT_EQ(shown(date_time(kOutgoingCalls, 3)) + shown(kOutgoing0Charge + 3), "");

    // A caller without a number reads "No ID" and cannot be called back.
    EXPECT_EQ(shown(number_button(kIncomingCalls, 0)), "No ID");
    EXPECT_FALSE(backend.control(*page, number_button(kIncomingCalls, 0))->enabled);
    EXPECT_EQ(shown(number_button(kIncomingCalls, 1)), "040987654");
    EXPECT_TRUE(backend.control(*page, number_button(kIncomingCalls, 1))->enabled);
    EXPECT_EQ(shown(number_button(kUnansweredCalls, 0)), "0221555123");
    EXPECT_FALSE(row_shown(kUnansweredCalls, 1));

    EXPECT_EQ(shown(kDataPortAliasLabel), state().portAliases[kData]);
    EXPECT_TRUE(backend.timer_running(*page, call_log_ids::kRefreshTimer));
}

TEST_F(CallLogOnDevice, APortButtonReadsThatPortAndAShowStartsAgainAtPort11)
{
    open();
    std::size_t before = device_commands().size();
    backend.click(*page, kDataPortButton);
    EXPECT_EQ(list_commands_since(before), (std::vector<std::string>{"AT\\H0?", "AT\\H1?", "AT\\H2?"}))
        << "the data port uses the device-wide form";
    EXPECT_EQ(log().current_port(), kData);
    EXPECT_EQ(page->check(kDataPortButton), 1);
    EXPECT_EQ(page->check(kPort11Button), 0);
    EXPECT_EQ(shown(number_button(kOutgoingCalls, 0)), "019160");
    EXPECT_EQ(shown(number_button(kIncomingCalls, 0)), "069777888");
    EXPECT_FALSE(row_shown(kUnansweredCalls, 0)) << "port 11's entries are not left behind";

    backend.click(*page, kPort21Button);
    EXPECT_EQ(shown(number_button(kOutgoingCalls, 0)), "040987654");
    EXPECT_EQ(shown(kOutgoing0Charge), "DM 2,88");
    EXPECT_EQ(shown(number_button(kUnansweredCalls, 0)), "No ID");

    show_page(0);
    EXPECT_FALSE(backend.timer_running(*page, call_log_ids::kRefreshTimer)) << "stopped on hide";
    before = device_commands().size();
    show_page(kPage);
    EXPECT_EQ(log().current_port(), 0);
    EXPECT_EQ(page->check(kPort11Button), 1);
    EXPECT_EQ(page->check(kPort21Button), 0);
    EXPECT_EQ(list_commands_since(before), (std::vector<std::string>{"AT!P3#11*0?", "AT!P3#11*1?", "AT!P3#11*2?"}));
    EXPECT_TRUE(backend.timer_running(*page, call_log_ids::kRefreshTimer));
}

// --- The refresh ----------------------------------------------------------------

TEST_F(CallLogOnDevice, TheRefreshRunsEveryFiveSecondsOnlyWhileShownAndNotPaused)
{
    open();
    std::size_t before = device_commands().size();
    backend.advance(4900);
    EXPECT_EQ(list_reads_since(before), 0u);
    backend.advance(100);
    EXPECT_EQ(list_reads_since(before), 3u);
    backend.advance(5000);
    EXPECT_EQ(list_reads_since(before), 6u);

    // Around a modal window (the monitor, the upgrade) the main window pauses it.
    ui->send(*page, UWM_PAUSE_POLLING, 1);
    before = device_commands().size();
    backend.advance(15000);
    EXPECT_EQ(list_reads_since(before), 0u);
    ui->send(*page, UWM_PAUSE_POLLING, 0);
    backend.advance(5000);
    EXPECT_EQ(list_reads_since(before), 3u);

    // Hidden: no timer, no reads.
    show_page(0);
    before = device_commands().size();
    backend.advance(20000);
    EXPECT_EQ(list_reads_since(before), 0u);

    // A read while hidden (a profile save reads every page) starts none either.
    ui->send(*page, UWM_READ_DEVICE);
    EXPECT_FALSE(backend.timer_running(*page, call_log_ids::kRefreshTimer));

    // A page that is destroyed takes its timer with it.
    show_page(kPage);
    ui->send(*page, UWM_CLOSE_PAGE);
    EXPECT_FALSE(backend.timer_running(*page, call_log_ids::kRefreshTimer));
}

// --- Clearing -------------------------------------------------------------------

TEST_F(CallLogOnDevice, ClearEmptiesOneListOrAllThreeOfTheCurrentPortOnly)
{
    open();
    std::size_t before = device_commands().size();
    backend.click(*page, kClearIncomingButton);
    EXPECT_EQ(list_commands_since(before), (std::vector<std::string>{"AT!P23#11*1"}));
    EXPECT_FALSE(row_shown(kIncomingCalls, 0));
    EXPECT_TRUE(row_shown(kOutgoingCalls, 0));
    EXPECT_EQ(device_entries(11, q30sim::CallList::Incoming), 0u);
    EXPECT_EQ(device_entries(11, q30sim::CallList::Outgoing), 3u);
    EXPECT_TRUE(backend.message_boxes().empty()) << "no question before clearing";

    before = device_commands().size();
    backend.click(*page, kClearAllButton);
    EXPECT_EQ(list_commands_since(before), (std::vector<std::string>{"AT!P23#11*3"}));
    for (int list : {kOutgoingCalls, kIncomingCalls, kUnansweredCalls})
        EXPECT_FALSE(row_shown(list, 0)) << "list " << list;
    EXPECT_EQ(device_entries(11, q30sim::CallList::Missed), 0u);
    EXPECT_EQ(device_entries(21, q30sim::CallList::Outgoing), 1u) << "other ports keep their lists";

    backend.click(*page, kDataPortButton);
    before = device_commands().size();
    backend.click(*page, kClearOutgoingButton);
    EXPECT_EQ(list_commands_since(before), (std::vector<std::string>{"AT\\H0="}));
    EXPECT_EQ(device_entries(q30sim::kDataPort, q30sim::CallList::Outgoing), 0u);
    EXPECT_TRUE(row_shown(kIncomingCalls, 0));
}

TEST_F(CallLogOnDevice, ARefusedClearKeepsTheListSaysSoAndHoldsTheRefreshMeanwhile)
{
    q30sim::DeviceOptions options = seeded();
    options.rejectPrefixes = {"AT!P23"};
    open(options);
    // While the message is up the clock runs on past a refresh, which must wait.
    std::size_t readsDuringMessage = 99;
    backend.on_message_box([&](std::string_view) {
        const std::size_t before = device_commands().size();
        backend.advance(6000);
        readsDuringMessage = list_reads_since(before);
        return IDOK;
    });
    backend.click(*page, kClearOutgoingButton);
    ASSERT_EQ(backend.message_boxes().size(), 1u);
    EXPECT_EQ(message(0), "The device did not clear the list; it is shown as before.");
    EXPECT_EQ(readsDuringMessage, 0u);
    EXPECT_EQ(shown(number_button(kOutgoingCalls, 1)), "08912345678");
    EXPECT_EQ(device_entries(11, q30sim::CallList::Outgoing), 3u);
}

// --- Dialling back --------------------------------------------------------------

TEST_F(CallLogOnDevice, ClickingANumberDialsItFromTheCurrentPortAndTheCallAppears)
{
    open();
    std::size_t before = device_commands().size();
    backend.click(*page, number_button(kOutgoingCalls, 2));
    backend.pump();
    EXPECT_EQ(list_commands_since(before), (std::vector<std::string>{"AT!P24#11=0301234567"}));
    EXPECT_TRUE(backend.message_boxes().empty());

    // The library waits for the device's second answer, the end of the call,
    // which the device recorded; the next refresh shows it on top.
    backend.advance(call_log_ids::kRefreshPeriodMs);
    EXPECT_EQ(shown(number_button(kOutgoingCalls, 0)), "0301234567");
    EXPECT_TRUE(row_shown(kOutgoingCalls, 3));

    // A port shown by its name is dialled by its code; "No ID", empty rows
    // and entries past the list dial nothing.
    before = device_commands().size();
    backend.click(*page, number_button(kOutgoingCalls, 1));
    backend.click(*page, number_button(kIncomingCalls, 0));
    backend.click(*page, number_button(kUnansweredCalls, 5));
    ui->post(*page, call_log_ids::kDialBackMessage, 29);
    backend.pump();
    EXPECT_EQ(list_commands_since(before), (std::vector<std::string>{"AT!P24#11=*21"}));
}

TEST_F(CallLogOnDevice, ARefusedDialBackIsTold)
{
    q30sim::DeviceOptions options = seeded();
    options.rejectPrefixes = {"AT!P24"};
    open(options);
    backend.click(*page, number_button(kIncomingCalls, 1));
    backend.pump();
    ASSERT_EQ(backend.message_boxes().size(), 1u);
    EXPECT_EQ(message(0), "The device did not dial back this number:\n040987654");
}

// --- A silent device ------------------------------------------------------------

TEST_F(CallLogOnDevice, ADeviceFallingSilentWhileShownGivesOneMessageAndKeepsTheLists)
{
    // How many commands the start and the first show take, so that the device
    // falls silent right after them.
    open();
    const int startCommands = static_cast<int>(device_commands().size());
    app.reset();
    DrvCmd none{};
    D_SendDrvCmd(q30::DRV_CLOSE, &none);
    server->stop();

    q30sim::DeviceOptions options = seeded();
    options.silentAfter = startCommands;
    open(options);
    ASSERT_EQ(shown(number_button(kOutgoingCalls, 1)), "08912345678");
    backend.advance(12000);
    ASSERT_EQ(backend.message_boxes().size(), 1u) << "one device-lost message, not one per tick";
    EXPECT_NE(message(0).find("was not found"), std::string::npos) << message(0);
    EXPECT_EQ(shown(number_button(kOutgoingCalls, 1)), "08912345678");
    EXPECT_EQ(shown(number_button(kIncomingCalls, 1)), "040987654");
}

// --- Texts and models -------------------------------------------------------------

TEST_F(CallLogOnDevice, EveryTextFollowsTheLanguageAndLeavingNeverAsks)
{
    open();
    struct Texts {
        const char* unanswered;
        const char* clear;
        const char* dataPort;
    };
    const std::array<Texts, 3> texts = {{
        {"Not  answered calls", "Clear", "Data Port"},
        {"Unbeantwortete Anrufe", "Löschen", "Datenport"},
        {"Appels sans réponse", "Effacer", "Port de données"},
    }};
    for (int language = 2; language >= 0; --language) {
        state().language = language;
        ui->send(*page, UWM_SET_LANGUAGE);
        const Texts& t = texts[static_cast<std::size_t>(language)];
        EXPECT_EQ(shown(kUnansweredTitle), t.unanswered);
        EXPECT_EQ(shown(kClearIncomingButton), t.clear);
        EXPECT_EQ(shown(kDataPortButton), t.dataPort);
        EXPECT_FALSE(shown(kDialBackHint).empty());
    }
    EXPECT_EQ(backend.state(*page)->caption, "Log");
    EXPECT_EQ(leave_for_first_page(ID_STAY), 0) << "nothing to send, nothing to ask";
}

TEST_F(CallLogOnDevice, TheQ20HasNoPorts31And32)
{
    open(seeded(q30sim::Model::Q20));
    for (int id : {kPort31Button, kPort32Button, kPort31AliasLabel, kPort32AliasLabel})
        EXPECT_FALSE(backend.control(*page, id)->visible) << "control " << id;
    EXPECT_TRUE(backend.control(*page, kDataPortButton)->visible);
    backend.click(*page, kPort31Button);
    EXPECT_EQ(log().current_port(), 0);
    backend.click(*page, kDataPortButton);
    EXPECT_EQ(log().current_port(), kData);
    for (const std::string& line : list_commands_since(0))
        EXPECT_EQ(line.find("#3"), std::string::npos) << line;
}
