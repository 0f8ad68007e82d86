// The charge monitor page on the emulated device: what it reads and shows,
// its refresh while shown and unpaused, the clears and their failures, a
// device that falls silent, the Q20 and the languages.
#include "emulated_program.h"

#include <algorithm>
#include <cstdio>

#include "pages/charges_page.h"

using namespace quillon;
using namespace quillon::platform;
using namespace quillon::dialog_ids::charges;

namespace {

constexpr int kPage = 7;
constexpr int kRefreshMs = charges_ids::kRefreshPeriodMs;
constexpr std::array<int, kChargeColumns> kSums = {kPort11SumAmount, kPort21SumAmount, kPort22SumAmount,
                                                   kPort31SumAmount, kPort32SumAmount, kDataSumAmount};

q30sim::DeviceOptions seeded(q30sim::Model model = q30sim::Model::Q30)
{
    q30sim::DeviceOptions options;
    options.seed = true;
    options.model = model;
    return options;
}

struct ChargesOnDevice : pagestest::EmulatedProgram {
    Page* page = nullptr;

    void open(q30sim::DeviceOptions options = seeded())
    {
        start(options);
        page = &show_page(kPage);
    }
    ChargesPage& charges() { return static_cast<ChargesPage&>(*page); }
    std::string shown(int id) const { return page->text(id); }
    // A device counter (the total for port -1) as the page shows it: "DM 12,34".
    std::string on_device(int port, q30sim::Counter counter = q30sim::Counter::Sum)
    {
        const q30sim::MilliAmount a = server->with_device([&](q30sim::Device& d) {
            return port < 0 ? d.charges().total() : d.charges().get(port, counter);
        });
        return "DM " + shown_figure(q30sim::format_amount(a, ""));
    }
    // The page's reads that reached the device: each asks for port 11's last call.
    long page_reads()
    {
        const auto all = device_commands();
        return std::count(all.begin(), all.end(), std::string("AT!P26#11?"));
    }
    std::string message(std::size_t i) const
    {
        return i < backend.message_boxes().size() ? backend.message_boxes()[i].text : "<no message box>";
    }
};

} // namespace

TEST_F(ChargesOnDevice, TheFirstShowReadsTheLastCallsThenTheCountersAndTheTotal)
{
    open();
    const std::array<int, kChargeColumns> ports = {11, 21, 22, 31, 32, 0};
    for (std::size_t c = 0; c < kChargeColumns; ++c)
        EXPECT_EQ(shown(kSums[c]), on_device(ports[c])) << "column " << c;
    EXPECT_EQ(shown(kPort11SumAmount), "DM 12,34") << "three decimals shown as two";
    EXPECT_EQ(shown(kPort21LastCallAmount), on_device(21, q30sim::Counter::LastCall));
    EXPECT_EQ(shown(kPort21CurrentAmount), "DM 0,12") << "the demo call's first unit";
    EXPECT_EQ(shown(kTotalAmount), on_device(-1));
    EXPECT_EQ(shown(kPort11LastCallText), "05/03/01 07:58 *21") << "as the device words it";
    EXPECT_EQ(shown(kDataLastCallText), "02/03/01 21:00 019160");
    EXPECT_EQ(backend.state(*page)->focus, kPort11ClearButton);
    EXPECT_TRUE(backend.message_boxes().empty()) << message(0);

    const auto commands = device_commands();
    auto where = [&](const char* line) { return std::find(commands.begin(), commands.end(), line); };
    ASSERT_NE(where("AT!P27?"), commands.end());
    for (auto [before, after] : {std::pair{"AT!P26#32?", "ATS99?"}, {"ATS99?", "AT\\X1?"}, {"AT\\X1?", "AT\\X3?"},
                                 {"AT\\X3?", "AT\\X2?"}, {"AT\\X2?", "AT!P27?"}})
        EXPECT_LT(where(before), where(after)) << before << " before " << after;
    EXPECT_EQ(page_reads(), 1);
}

// The unit is the device's currency; without one the amount stands alone.
TEST_F(ChargesOnDevice, TheUnitFollowsTheDevice)
{
    open();
    for (const auto& [currency, sum] : {std::pair{"EUR", "EUR 12,34"}, {"", "12,34"}}) {
        DrvCmd r = blank_record(0, 0, q30::OP_SET);
        std::snprintf(r.str, sizeof r.str, "%s", currency);
        ASSERT_EQ(D_SendDrvCmd(q30::DRV_CURRENCY, &r), q30::kResultOk);
        backend.advance(kRefreshMs);
        EXPECT_EQ(shown(kPort11SumAmount), sum);
    }
}

TEST_F(ChargesOnDevice, RefreshesEveryFiveSecondsOnlyWhileShownAndUnpaused)
{
    open();
    backend.advance(kRefreshMs - 1);
    EXPECT_EQ(page_reads(), 1);
    DrvCmd clear = blank_record(22, 2, q30::OP_CLEAR);  // behind the page's back
    ASSERT_EQ(D_SendDrvCmd(q30::DRV_CHARGES, &clear), q30::kResultOk);
    backend.advance(1);
    EXPECT_EQ(page_reads(), 2);
    EXPECT_EQ(shown(kPort22SumAmount), "DM 0,00");

    ui->send(*page, UWM_PAUSE_POLLING, 1);
    backend.advance(3 * kRefreshMs);
    EXPECT_EQ(page_reads(), 2) << "paused";
    ui->send(*page, UWM_PAUSE_POLLING, 0);
    backend.advance(kRefreshMs);
    EXPECT_EQ(page_reads(), 3);

    // The monitor pauses the page while it runs and resumes it afterwards.
    long readsDuringMonitor = -1;
    for (int id : {ids::kMonitorDialogLarger, ids::kMonitorDialogLarger + 1})
        backend.on_modal(id, [&](Window& d) {
            backend.advance(3 * kRefreshMs);
            readsDuringMonitor = page_reads();
            d.end_modal(IDOK);
            return IDOK;
        });
    backend.menu(ID_MONITOR);
    backend.pump();
    EXPECT_EQ(readsDuringMonitor, 3);
    backend.advance(kRefreshMs);
    EXPECT_EQ(page_reads(), 4);

    show_page(0);
    EXPECT_FALSE(backend.timer_running(*page, charges_ids::kRefreshTimer));
    backend.advance(3 * kRefreshMs);
    EXPECT_EQ(page_reads(), 4) << "hidden";
    show_page(kPage);
    EXPECT_EQ(page_reads(), 5) << "shown again: read at once";
    backend.advance(kRefreshMs);
    EXPECT_EQ(page_reads(), 6);
    ui->send(*page, UWM_CLOSE_PAGE);
    EXPECT_FALSE(backend.timer_running(*page, charges_ids::kRefreshTimer));
}

// The alive poll tells the user once; the page shows no charges but keeps the unit.
TEST_F(ChargesOnDevice, ADeviceFallingSilentGivesOneMessage)
{
    start(seeded());
    show_page(kPage);
    const int commandsAtShow = static_cast<int>(device_commands().size());
    app.reset();
    DrvCmd none{};
    D_SendDrvCmd(q30::DRV_CLOSE, &none);
    server->stop();

    q30sim::DeviceOptions options = seeded();
    options.silentAfter = commandsAtShow;
    open(options);
    ASSERT_EQ(shown(kPort11SumAmount), "DM 12,34");
    backend.advance(2 * kRefreshMs);
    ASSERT_EQ(backend.message_boxes().size(), 1u);
    EXPECT_EQ(message(0), main().shell().text(ids::kDeviceLost));
    for (int id : {kPort11SumAmount, kDataSumAmount, kPort21CurrentAmount, kTotalAmount})
        EXPECT_EQ(shown(id), "DM 0,00");
    EXPECT_EQ(shown(kPort11LastCallText), "");
}

// A port's sum is cleared at once; the total only after Yes, and no refresh
// runs while the question is open.
TEST_F(ChargesOnDevice, ClearsReachTheDevice)
{
    open();
    state().soundOn = true;
    const int beeps = backend.beeps();
    backend.click(*page, kPort21ClearButton);
    EXPECT_EQ(device_commands().back(), "AT!P5#21");
    EXPECT_EQ(on_device(21), "DM 0,00");
    EXPECT_EQ(shown(kPort21SumAmount), "DM 0,00");
    EXPECT_EQ(shown(kPort11SumAmount), "DM 12,34");
    EXPECT_EQ(backend.beeps(), beeps + 1);
    backend.click(*page, kDataClearButton);
    EXPECT_EQ(device_commands().back(), "AT\\Y");
    EXPECT_TRUE(backend.message_boxes().empty()) << message(0);

    const std::string total = shown(kTotalAmount);
    const long reads = page_reads();
    backend.on_message_box([&](std::string_view) { return backend.advance(2 * kRefreshMs), IDNO; });
    backend.click(*page, kTotalClearButton);
    EXPECT_EQ(message(0), main().shell().text(charges_ids::kClearTotalQuestion));
    EXPECT_EQ(page_reads(), reads);
    EXPECT_EQ(on_device(-1), total);
    backend.on_message_box([](std::string_view) { return IDYES; });
    backend.click(*page, kTotalClearButton);
    EXPECT_EQ(device_commands().back(), "AT!P28");
    EXPECT_EQ(shown(kTotalAmount), "DM 0,00");
    EXPECT_EQ(on_device(-1), "DM 0,00");
}

// A refused clear is told, and the page keeps showing the device's figure
// rather than a zero the device does not have.
TEST_F(ChargesOnDevice, ARefusedClearIsToldAndChangesNothing)
{
    q30sim::DeviceOptions options = seeded();
    options.rejectPrefixes = {"AT!P5#22", "AT!P28"};
    open(options);
    const std::string sum = shown(kPort22SumAmount);
    const std::string total = shown(kTotalAmount);
    backend.answer_message_boxes_with({IDOK, IDYES, IDOK, IDOK});
    backend.click(*page, kPort22ClearButton);
    backend.click(*page, kTotalClearButton);
    state().linkUp = false;
    backend.click(*page, kPort11ClearButton);
    ASSERT_EQ(backend.message_boxes().size(), 4u);
    for (std::size_t i : {0u, 2u, 3u})
        EXPECT_EQ(message(i), main().shell().text(charges_ids::kClearRefused));
    EXPECT_EQ(shown(kPort22SumAmount), sum);
    EXPECT_EQ(on_device(22), sum);
    EXPECT_EQ(shown(kTotalAmount), total);
    EXPECT_EQ(shown(kPort11SumAmount), "DM 12,34");
}

TEST_F(ChargesOnDevice, TheQ20HasNoPorts31And32)
{
    open(seeded(q30sim::Model::Q20));
    for (int id : {kPort31ClearButton, kPort32ClearButton, kPort31PicturePlace, kPort32PicturePlace, kPort31SumAmount})
        EXPECT_FALSE(page->visible(id)) << id;
    EXPECT_TRUE(page->visible(kDataClearButton));
    EXPECT_EQ(charges().column(3).sum, "");
    EXPECT_EQ(shown(kDataSumAmount), on_device(0));
    const auto commands = device_commands();
    EXPECT_EQ(std::count_if(commands.begin(), commands.end(),
                            [](const std::string& c) { return c.starts_with("AT!P26#3"); }),
              0);
}

TEST_F(ChargesOnDevice, EveryTextFollowsTheLanguage)
{
    open();
    EXPECT_TRUE(page->leave_check()) << "nothing to send, nothing to ask";
    for (int language : {1, 2, 0}) {
        state().language = language;
        ui->send(*page, UWM_SET_LANGUAGE);
        for (auto [id, base] : {std::pair{kDataClearButton, charges_ids::kClearString},
                                {kTotalGroup, charges_ids::kTotalString},
                                {kDataLabel, charges_ids::kFirstPortCaption + 25}})
            EXPECT_EQ(shown(id), ui->text(base, language)) << id;
        EXPECT_EQ(shown(kPort11SumAmount), "DM 12,34");
    }
    EXPECT_EQ(ui->text(charges_ids::kClearString, 1), "Löschen");
}
