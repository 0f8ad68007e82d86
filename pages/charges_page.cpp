#include "pages/charges_page.h"

#include <cstring>
#include <optional>
#include <utility>

#include "pages/charge_counter_read.h"
#include "pages/destination_entry.h"
#include "platform/ui.h"
#include "q30com32/q30com32.h"
#include "shell/device_set.h"
#include "shell/device_text.h"
#include "shell/shell_ids.h"

namespace quillon {

using namespace platform;
using namespace charges_ids;
using namespace dialog_ids::charges;

namespace {

constexpr int kPageIndex = 7;

// The controls of each column, ports 11 .. 32 and the data port.
using ColumnIds = std::array<int, kChargeColumns>;
constexpr ColumnIds kPicturePlaces = {kPort11PicturePlace, kPort21PicturePlace, kPort22PicturePlace,
                                      kPort31PicturePlace, kPort32PicturePlace, kDataPicturePlace};
constexpr ColumnIds kPortLabels = {kPort11Label, kPort21Label, kPort22Label, kPort31Label, kPort32Label, kDataLabel};
constexpr ColumnIds kAliasLabels = {kPort11AliasLabel, kPort21AliasLabel, kPort22AliasLabel,
                                    kPort31AliasLabel, kPort32AliasLabel, kDataAliasLabel};
constexpr ColumnIds kLastCallTexts = {kPort11LastCallText, kPort21LastCallText, kPort22LastCallText,
                                      kPort31LastCallText, kPort32LastCallText, kDataLastCallText};
constexpr ColumnIds kLastCallAmounts = {kPort11LastCallAmount, kPort21LastCallAmount, kPort22LastCallAmount,
                                        kPort31LastCallAmount, kPort32LastCallAmount, kDataLastCallAmount};
constexpr ColumnIds kCurrentAmounts = {kPort11CurrentAmount, kPort21CurrentAmount, kPort22CurrentAmount,
                                       kPort31CurrentAmount, kPort32CurrentAmount, kDataCurrentAmount};
constexpr ColumnIds kSumAmounts = {kPort11SumAmount, kPort21SumAmount, kPort22SumAmount,
                                   kPort31SumAmount, kPort32SumAmount, kDataSumAmount};
constexpr ColumnIds kClearButtons = {kPort11ClearButton, kPort21ClearButton, kPort22ClearButton,
                                     kPort31ClearButton, kPort32ClearButton, kDataClearButton};

// The three per-port counters and the row each fills.
constexpr std::array<std::pair<int, std::string ChargesPage::Column::*>, 3> kCounterRows = {{
    {kLastCallCounter, &ChargesPage::Column::lastCall},
    {kCurrentCounter, &ChargesPage::Column::current},
    {kSumCounter, &ChargesPage::Column::sum},
}};

} // namespace

ChargesPage::ChargesPage(ShellContext& shell, Window& mainWindow) : Page(shell, mainWindow, kPageIndex) {}

ChargesPage::~ChargesPage()
{
    if (created())
        stop_refresh();
}

bool ChargesPage::in_use(std::size_t c) const { return c < analoguePorts_ || c == kDataPortColumn; }

void ChargesPage::on_built()
{
    adapt_to_model();
    const PortPicture::Look displayOnly{false, false};
    for (std::size_t c = 0; c < kChargeColumns; ++c) {
        if (!in_use(c))
            continue;
        const PortPictureKind kind = c == kDataPortColumn ? PortPictureKind::DataPort : PortPictureKind::Analogue;
        pictures_[c] = std::make_unique<PortPicture>(shell_, *this, kPicturePlaces[c], static_cast<int>(c), kind,
                                                     displayOnly);
    }
}

// The Q20 has three analogue ports: the columns of ports 31 and 32 stay
// empty and hidden, and are never asked for.
void ChargesPage::adapt_to_model()
{
    analoguePorts_ = shell_.state.smaller_model() ? kSmallerModelAnaloguePorts : static_cast<std::size_t>(kMaxPorts);
    for (std::size_t c = 0; c < kChargeColumns; ++c) {
        if (in_use(c))
            continue;
        for (const ColumnIds* ids : {&kPicturePlaces, &kPortLabels, &kAliasLabels, &kLastCallTexts, &kLastCallAmounts,
                                     &kCurrentAmounts, &kSumAmounts, &kClearButtons})
            set_visible((*ids)[c], false);
    }
}

intptr_t ChargesPage::on_message(const Message& m)
{
    switch (m.id) {
    case UWM_PAGE_SHOW: {
        const intptr_t result = Page::on_message(m);
        refresh_port_pictures(shell_, pictures_);  // the MSN page may have changed them
        // The first visit's read follows as UWM_READ_DEVICE.
        if (read_once()) {
            WaitCursor wait(shell_.ui);
            read_figures();
            refresh();
            repaint();
        }
        start_refresh();
        return result;
    }
    case UWM_PAGE_HIDE:
        stop_refresh();
        return Page::on_message(m);
    case UWM_CLOSE_PAGE:
        stop_refresh();
        return Page::on_message(m);
    default:
        return Page::on_message(m);
    }
}

void ChargesPage::read_device()
{
    read_figures();
    refresh_port_pictures(shell_, pictures_);
    refresh();
    if (!hidden())
        start_refresh();
    repaint();
}

void ChargesPage::start_refresh() { set_timer(kRefreshTimer, kRefreshPeriodMs); }
void ChargesPage::stop_refresh() { kill_timer(kRefreshTimer); }

// While the program shows something modal over the page (the monitor, the
// upgrade) it pauses the page; a clear waits for no refresh either.
void ChargesPage::on_timer(int id)
{
    if (id != kRefreshTimer || paused_ || hidden() || clearing_)
        return;
    read_figures();
    refresh();
    repaint();
}

// Every figure of the columns in use and the total. A device that stops
// answering fails the rest of the read at once instead of one time-out per
// command; what could not be read shows as no charge.
void ChargesPage::read_figures()
{
    bool silent = false;
    const DeviceGate gate(shell_.state, [&](uint32_t code, DrvCmd* r) {
        if (silent)
            return q30::kResultNoReply;
        const int32_t result = shell_.gate.send(code, r);
        silent = result == q30::kResultNoReply;
        return result;
    });
    for (std::size_t c = 0; c < kChargeColumns; ++c)
        if (in_use(c))
            columns_[c].lastCallText = query_text(gate, q30::DRV_S99, kChargeColumnPorts[c]);
    for (const auto& [counter, row] : kCounterRows) {
        const std::optional<std::string> text = read_charge_counter(gate, counter);
        const ChargeRow figures = text ? parse_charge_counter(*text, analoguePorts_) : ChargeRow{};
        for (std::size_t c = 0; c < kChargeColumns; ++c)
            if (in_use(c))
                columns_[c].*row = text ? from_device_text(figures[c].amount) : std::string(kNoCharge);
        // Without an answer the unit of the last one stays.
        if (text)
            unit_ = from_device_text(figures[0].unit);
    }
    const std::optional<std::string> total = read_charge_counter(gate, kTotalCounter);
    total_ = total ? from_device_text(parse_charge_total(*total)) : std::string(kNoCharge);
}

std::string ChargesPage::shown_amount(const std::string& amount) const
{
    return unit_.empty() ? amount : unit_ + " " + amount;
}

void ChargesPage::refresh()
{
    const PortNames names = port_names(shell_.state);
    for (std::size_t c = 0; c < kChargeColumns; ++c) {
        if (!in_use(c))
            continue;
        set_text(kAliasLabels[c], names[c]);
        set_text(kLastCallTexts[c], columns_[c].lastCallText);
        set_text(kLastCallAmounts[c], shown_amount(columns_[c].lastCall));
        set_text(kCurrentAmounts[c], shown_amount(columns_[c].current));
        set_text(kSumAmounts[c], shown_amount(columns_[c].sum));
    }
    set_text(kTotalAmount, shown_amount(total_));
}

void ChargesPage::relabel()
{
    set_text(kLastCallGroup, shell_.text(kLastCallString));
    set_text(kCurrentGroup, shell_.text(kCurrentString));
    set_text(kSumGroup, shell_.text(kSumString));
    set_text(kTotalGroup, shell_.text(kTotalString));
    for (std::size_t c = 0; c < kChargeColumns; ++c) {
        set_text(kPortLabels[c], shell_.text(kFirstPortCaption + 5 * static_cast<int>(c)));
        set_text(kClearButtons[c], shell_.text(kClearString));
    }
    set_text(kTotalClearButton, shell_.text(kClearString));
    for (auto& picture : pictures_)
        if (picture)
            shell_.ui.send(*picture, UWM_SET_LANGUAGE);
    refresh();
}

void ChargesPage::on_command(int id, int code)
{
    if (code == BN_CLICKED) {
        for (std::size_t c = 0; c < kChargeColumns; ++c) {
            if (id == kClearButtons[c]) {
                clear_sum(c);
                return;
            }
        }
        if (id == kTotalClearButton) {
            clear_total();
            return;
        }
    }
    Page::on_command(id, code);
}

// At once, without a question: the sum is the port's own.
void ChargesPage::clear_sum(std::size_t c)
{
    if (!in_use(c))
        return;
    shell_.beep_if_sound();
    clearing_ = true;
    if (send_clear(kChargeColumnPorts[c], kSumCounter))
        columns_[c].sum = kNoCharge;
    refresh();
    repaint();
    clearing_ = false;
}

void ChargesPage::clear_total()
{
    shell_.beep_if_sound();
    clearing_ = true;
    const int answer = shell_.ui.message_box(this, shell_.text(kClearTotalQuestion), shell_.ui.text(ids::kProgramTitle),
                                             MessageBoxButtons::YesNo, MessageBoxIcon::Question);
    if (answer == IDYES && send_clear(q30::kDevicePort, kTotalCounter)) {
        total_ = kNoCharge;
        refresh();
        repaint();
    }
    clearing_ = false;
}

// A clear counts only when the device took it; otherwise the user hears so,
// and the figures shown stay what the device last said.
bool ChargesPage::send_clear(int port, int counter)
{
    DrvCmd r = blank_record(port, counter, q30::OP_CLEAR);
    if (accepted(shell_.gate.send(q30::DRV_CHARGES, &r), r))
        return true;
    shell_.ui.message_box(this, shell_.text(kClearRefused), shell_.ui.text(ids::kProgramTitle), MessageBoxButtons::Ok,
                          MessageBoxIcon::Warning);
    return false;
}

std::unique_ptr<Page> make_charges_page(ShellContext& shell, Window& mainWindow)
{
    return std::make_unique<ChargesPage>(shell, mainWindow);
}

} // namespace quillon
