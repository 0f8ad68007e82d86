// The status monitor: every port's values from the emulated device, ports by
// name, the five-second re-read, the smaller model's columns; on a scripted
// device the alive poll's rest while the monitor asks, and a silent device.
#include "emulated_program.h"
#include "scripted_program.h"

#include <algorithm>

#include "pages/status_monitor.h"
#include "shell/device_set.h"
#include "shell/shell_ids.h"
#include "dialog_ids/monitor_ids.h"

using namespace quillon;
using namespace quillon::platform;
using namespace quillon::dialog_ids::monitor;

namespace {

constexpr int kData = 5;

// Opens the monitor from the menu and runs `look` while it is shown.
template <typename Fixture>
void open_monitor(Fixture& f, const std::function<void(Window&)>& look)
{
    const int dialog = f.state().smaller_model() ? ids::kMonitorDialogSmaller : ids::kMonitorDialogLarger;
    f.backend.on_modal(f.main().shell().dialog_id(dialog), [&](Window& d) { return look(d), IDOK; });
    f.backend.menu(ID_MONITOR);
    f.backend.pump();
}

struct MonitorOnDevice : pagestest::EmulatedProgram {
    void start_seeded(q30sim::Model model, bool callOnPort11 = false)
    {
        q30sim::DeviceOptions options;
        options.seed = true;
        options.model = model;
        options.callInProgress = callOnPort11;
        start(options);
        before = device_commands().size();
    }
    std::string cell(Window& d, int firstId, int column) { return backend.control(d, firstId + column)->text; }
    int lamps_lit(Window& d, int columns)
    {
        int lit = 0;
        for (int c = 0; c < columns; ++c)
            lit += backend.control(d, kPictureFirst + c)->check;
        return lit;
    }
    // The device commands since the start.
    std::vector<std::string> round()
    {
        const std::vector<std::string> all = device_commands();
        return {all.begin() + static_cast<long>(before), all.end()};
    }
    bool asked(const std::string& command)
    {
        const auto r = round();
        return std::find(r.begin(), r.end(), command) != r.end();
    }
    std::size_t before = 0;
};

struct MonitorScripted : pagestest::ScriptedProgram {};

} // namespace

TEST_F(MonitorOnDevice, ShowsEveryPortAndReadsAgainEveryFiveSeconds)
{
    start_seeded(q30sim::Model::Q30);
    state().portAliases[1] = "Office";
    open_monitor(*this, [&](Window& d) {
        EXPECT_EQ(cell(d, kNameFirst, 1), "Office");
        EXPECT_EQ(cell(d, kNameFirst, kData), "\"data\"");
        EXPECT_EQ(cell(d, kMsnFirst, 4), "4711006");
        EXPECT_EQ(cell(d, kMsnFirst, kData), "4711007") << "the device-wide first MSN";
        EXPECT_EQ(cell(d, kCallerIdFirst, 0), "4711001") << "presentation on shows the number";
        EXPECT_EQ(cell(d, kCallerIdFirst, 1), "Off");
        // When busy to port 21, by its name; after 20 s; immediately; none.
        EXPECT_EQ(cell(d, kForwardFirst, 0), "Office");
        EXPECT_EQ(cell(d, kForwardFirst, 1), "01701234567");
        EXPECT_EQ(cell(d, kForwardFirst, 4), "0301234567");
        EXPECT_EQ(cell(d, kForwardFirst, 2), "none");
        // Three decimals become two, after the unit.
        EXPECT_EQ(cell(d, kChargesFirst, kData), "DM 33,95");
        EXPECT_EQ(cell(d, kCurrentFirst, 0), "DM 0,00");
        EXPECT_EQ(backend.control(d, kTotalValue)->text, "DM 138,88");
        const std::string calls = cell(d, kOutgoingFirst, 0);
        EXPECT_NE(calls.find("08912345678\n"), std::string::npos) << calls;
        EXPECT_NE(calls.find("Office"), std::string::npos) << "a call to port 21: " << calls;
        EXPECT_EQ(lamps_lit(d, 5), 1) << "the demo device's call";

        // Port 22 forwards unanswered calls to port 21 from now on.
        DrvCmd set = blank_record(22, 0, q30::OP_SET);
        set.on = 1;
        ASSERT_EQ(send_text_set(main().shell().gate, q30::DRV_FORWARD_21, set, "*21"), SetProblem::None);
        backend.advance(4999);
        EXPECT_EQ(cell(d, kForwardFirst, 2), "none");
        backend.advance(1);
        EXPECT_EQ(cell(d, kForwardFirst, 2), "Office");
    });
    EXPECT_TRUE(asked("AT!P22#31?")) << "no forwarding on: all three asked";
    EXPECT_FALSE(asked("AT!P21#32?")) << "port 32 forwards immediately: the others are not asked";
    auto status_queries = [&] {
        const auto r = round();
        return std::count(r.begin(), r.end(), "AT!P14#0?");
    };
    const long closed = status_queries();
    EXPECT_EQ(closed, 2);
    backend.advance(20000);
    EXPECT_EQ(status_queries(), closed) << "closing stops the timer";
}

TEST_F(MonitorOnDevice, TheSmallerModelHasNoColumnsForPorts31And32AndNeverAsksForThem)
{
    start_seeded(q30sim::Model::Q20, true);
    state().language = 2;
    open_monitor(*this, [&](Window& d) {
        EXPECT_EQ(backend.control(d, kNameFirst + 3), nullptr);
        EXPECT_EQ(backend.control(d, kMsnFirst + 4), nullptr);
        EXPECT_EQ(cell(d, kMsnFirst, kData), "4711005");
        EXPECT_EQ(cell(d, kForwardFirst, 2), "0301234567") << "the smaller model's last port";
        EXPECT_EQ(cell(d, kCallerIdFirst, 2), "Non");
        EXPECT_EQ(cell(d, kForwardFirst, kData), "aucun");
        EXPECT_EQ(cell(d, kChargesFirst, kData), "DM 25,30") << "the data port's figure after port 22's";
        EXPECT_EQ(backend.control(d, kPictureFirst)->check, 1) << "port 11 is in a call";
        EXPECT_EQ(lamps_lit(d, 3), 1);
    });
    const auto r = round();
    EXPECT_TRUE(std::none_of(r.begin(), r.end(), [](const std::string& c) {
        return c.find("#31") != std::string::npos || c.find("#32") != std::string::npos;
    }));
}

TEST_F(MonitorScripted, TheAlivePollRestsWhileTheMonitorAsksAndRunsBetweenRounds)
{
    // The second round's charge counters take long: the clock runs on
    // meanwhile, as the timers of a program waiting on a slow device would.
    constexpr int kCounterReadsPerRound = 3;
    int counterReads = 0;
    answer = [&](uint32_t code, DrvCmd*) -> std::optional<int32_t> {
        if (code == q30::DRV_CHARGES && ++counterReads == kCounterReadsPerRound + 1)
            backend.advance(6000);
        return std::nullopt;
    };
    start_scripted();
    open_monitor(*this, [&](Window&) {
        codes.clear();
        backend.advance(5000);
        const auto first = std::find(codes.begin(), codes.end(), q30::DRV_MSN);
        const auto last = std::find(codes.begin(), codes.end(), q30::DRV_PORT_STATUS);
        ASSERT_NE(last, codes.end());
        EXPECT_GT(std::count(codes.begin(), first, q30::DRV_PING), 0) << "the poll ran before the round";
        EXPECT_EQ(std::count(first, last, q30::DRV_PING), 0) << "and not between the monitor's commands";
        EXPECT_EQ(count(q30::DRV_PORT_STATUS), 1) << "the monitor's own tick in the middle was skipped";
        codes.clear();
        backend.advance(1000);
        EXPECT_EQ(count(q30::DRV_PING), 1) << "the poll runs again after the round";
    });
}

TEST_F(MonitorScripted, ASilentDeviceCostsOneCommandPerRoundAndOneMessage)
{
    bool silent = false;
    answer = [&](uint32_t code, DrvCmd*) -> std::optional<int32_t> {
        return silent && code != q30::DRV_PING ? std::optional<int32_t>(q30::kResultNoReply) : std::nullopt;
    };
    start_scripted();
    open_monitor(*this, [&](Window& d) {
        EXPECT_EQ(backend.control(d, kMsnFirst)->text, "47110110");
        // Silent just after a good poll: the round stops at its first command
        // and shows the placeholders.
        silent = true;
        backend.advance(5000);
        EXPECT_EQ(count(q30::DRV_MSN) + count(q30::DRV_CLIP), 12 + 1) << "the first round's twelve, then one";
        EXPECT_EQ(backend.control(d, kMsnFirst)->text, "--");
        EXPECT_EQ(backend.control(d, kChargesFirst)->text, "0,00");
        // Then the polls fail too: one message, nothing asked while the link is down.
        device.present = false;
        codes.clear();
        backend.advance(20000);
        EXPECT_EQ(count(q30::DRV_MSN), 0);
        EXPECT_TRUE(backend.timer_running(d, kMonitorTimer));
    });
    const std::string lost = ui->text(ids::kDeviceLost, 0);
    EXPECT_EQ(std::count_if(backend.message_boxes().begin(), backend.message_boxes().end(),
                            [&](const auto& box) { return box.text == lost; }),
              1);
}
