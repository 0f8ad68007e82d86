#include "pages/call_log_page.h"

#include "pages/destination_entry.h"
#include "platform/ui.h"
#include "q30com32/q30com32.h"
#include "shell/device_set.h"
#include "shell/shell_ids.h"

namespace quillon {

using namespace platform;
using namespace call_log_ids;
using namespace dialog_ids::log;

namespace {

constexpr int kPageIndex = 9;
constexpr int kSmallerModelPorts = 3;
constexpr int kRowsPerList = static_cast<int>(kMaxCallEntries);

std::size_t at(int i) { return static_cast<std::size_t>(i); }

// The page counts its controls from the first of each kind: ten rows per
// list, the lists in the device's order, the ports in the table's.
static_assert(kUnanswered9Number == kOutgoing0Number + kCallListCount * kRowsPerList - 1);
static_assert(kUnanswered9DateTime == kOutgoing0DateTime + kCallListCount * kRowsPerList - 1);
static_assert(kUnanswered9Duration == kOutgoing0Duration + kCallListCount * kRowsPerList - 1);
static_assert(kOutgoing9Charge == kOutgoing0Charge + kRowsPerList - 1);
static_assert(kDataPortButton == kPort11Button + kDataPortIndex);
static_assert(kDataPortAliasLabel == kPort11AliasLabel + kDataPortIndex);
static_assert(kClearUnansweredButton == kClearOutgoingButton + kUnansweredCalls);
static_assert(kClearAllButton == kClearOutgoingButton + kAllCallLists);

int row_control(int first, int list, int row) { return first + kRowsPerList * list + row; }
bool is_number_button(int id) { return id >= kOutgoing0Number && id <= kUnanswered9Number; }
bool is_port_button(int id) { return id >= kPort11Button && id <= kDataPortButton; }
bool is_clear_button(int id) { return id >= kClearOutgoingButton && id <= kClearAllButton; }

constexpr std::array<int, kCallListCount> kTitles = {kOutgoingTitle, kIncomingTitle, kUnansweredTitle};
constexpr std::array<int, kCallListCount> kDateHeadings = {kOutgoingDateHeading, kIncomingDateHeading,
                                                          kUnansweredDateHeading};
constexpr std::array<int, kCallListCount> kNumberHeadings = {kOutgoingNumberHeading, kIncomingNumberHeading,
                                                            kUnansweredNumberHeading};
constexpr std::array<int, kCallListCount> kDurationHeadings = {kOutgoingDurationHeading, kIncomingDurationHeading,
                                                              kUnansweredDurationHeading};

// The data port uses the device-wide form of the commands.
int port_number(int port) { return port == kDataPortIndex ? q30::kDevicePort : kPortNumbers[at(port)]; }

} // namespace

CallLogPage::CallLogPage(ShellContext& shell, Window& mainWindow) : Page(shell, mainWindow, kPageIndex) {}

CallLogPage::~CallLogPage() { stop_refresh_timer(); }

const std::vector<CallEntry>& CallLogPage::entries(int port, int list) const
{
    return entries_.at(at(port)).at(at(list));
}

bool CallLogPage::selectable(int port) const { return port < portCount_ || port == kDataPortIndex; }

// The Q20 has three analogue ports: the buttons of ports 31 and 32 stay hidden.
void CallLogPage::on_built()
{
    portCount_ = shell_.state.smaller_model() ? kSmallerModelPorts : kMaxPorts;
    for (int p = 0; p < kPortCount; ++p) {
        set_visible(kPort11Button + p, selectable(p));
        set_visible(kPort11AliasLabel + p, selectable(p));
    }
    refresh();
}

intptr_t CallLogPage::on_message(const Message& m)
{
    switch (m.id) {
    case UWM_PAGE_SHOW: {
        Page::on_message(m);
        // The first show is read by the UWM_READ_DEVICE that follows it.
        if (read_once()) {
            WaitCursor wait(shell_.ui);
            select_port(0);
            start_refresh_timer();
        }
        return 1;
    }
    case UWM_PAGE_HIDE:
        stop_refresh_timer();
        return Page::on_message(m);
    case UWM_CLOSE_PAGE:
        stop_refresh_timer();
        return Page::on_message(m);
    case kDialBackMessage:
        dial_back(static_cast<int>(m.wparam / kRowsPerList), static_cast<int>(m.wparam % kRowsPerList));
        return 1;
    default:
        return Page::on_message(m);
    }
}

// Also sent to a hidden page (a profile save reads every page): the timer
// runs only while the page is shown.
void CallLogPage::read_device()
{
    select_port(0);
    if (!hidden())
        start_refresh_timer();
}

void CallLogPage::start_refresh_timer()
{
    if (timerRunning_)
        return;
    set_timer(kRefreshTimer, kRefreshPeriodMs);
    timerRunning_ = true;
}

void CallLogPage::stop_refresh_timer()
{
    if (!timerRunning_)
        return;
    kill_timer(kRefreshTimer);
    timerRunning_ = false;
}

void CallLogPage::on_timer(int id)
{
    if (id != kRefreshTimer)
        return;
    if (hidden() || paused_ || clearing_ || dialling_ || !shell_.state.linkUp)
        return;
    read_lists();
}

void CallLogPage::select_port(int port)
{
    if (!selectable(port))
        return;
    port_ = port;
    for (int p = 0; p < kPortCount; ++p)
        set_check(kPort11Button + p, p == port_ ? 1 : 0);
    read_lists();
}

// A list the device does not answer keeps what it showed; the lists after
// it are not asked either, so that a silent device costs one time-out.
void CallLogPage::read_lists()
{
    PortLists& lists = entries_[at(port_)];
    for (int list = 0; list < kCallListCount; ++list) {
        std::optional<CallListText> read = read_call_list(shell_.gate, port_number(port_), list);
        if (!read)
            break;
        if (read->foreignHeading)
            shell_.beep_if_sound();
        lists[at(list)] = std::move(read->entries);
    }
    refresh();
}

// The current port's entries into the rows; rows past the entries are empty.
void CallLogPage::refresh()
{
    const PortNames names = port_names(shell_.state);
    for (int p = 0; p < kPortCount; ++p)
        set_text(kPort11AliasLabel + p, names[at(p)]);
    const PortLists& lists = entries_[at(port_)];
    for (int list = 0; list < kCallListCount; ++list) {
        const std::vector<CallEntry>& rows = lists[at(list)];
        for (int row = 0; row < kRowsPerList; ++row) {
            const CallEntry* e = at(row) < rows.size() ? &rows[at(row)] : nullptr;
            const int number = row_control(kOutgoing0Number, list, row);
            set_text(row_control(kOutgoing0DateTime, list, row), e ? call_date_time_text(*e) : "");
            set_text(row_control(kOutgoing0Duration, list, row), e ? e->duration : "");
            set_text(number, e ? call_number_text(*e, names) : "");
            set_visible(number, e != nullptr);
            // A caller without a number cannot be called back.
            set_enabled(number, e && !is_unknown_caller(*e));
            if (list == kOutgoingCalls)
                set_text(kOutgoing0Charge + row, e ? call_charge_text(*e) : "");
        }
    }
}

void CallLogPage::relabel()
{
    for (int p = 0; p < kPortCount; ++p)
        if (selectable(p))
            set_text(kPort11Button + p, shell_.text(kFirstPortCaption + 5 * p));
    for (int list = 0; list < kCallListCount; ++list) {
        set_text(kTitles[at(list)], shell_.text(kOutgoingTitleString + 5 * list));
        set_text(kDateHeadings[at(list)], shell_.text(kDateTimeHeadingString));
        set_text(kNumberHeadings[at(list)], shell_.text(kNumberHeadingString));
        set_text(kDurationHeadings[at(list)], shell_.text(kDurationHeadingString));
        set_text(kClearOutgoingButton + list, shell_.text(kClearString));
    }
    set_text(kOutgoingChargeHeading, shell_.text(kChargeHeadingString));
    set_text(kClearAllButton, shell_.text(kClearAllString));
    set_text(kDialBackHint, shell_.text(kDialBackHintString));
}

void CallLogPage::on_command(int id, int code)
{
    if (code == BN_CLICKED && is_port_button(id)) {
        shell_.beep_if_sound();
        WaitCursor wait(shell_.ui);
        select_port(id - kPort11Button);
        return;
    }
    if (code == BN_CLICKED && is_clear_button(id)) {
        clear(id - kClearOutgoingButton);
        return;
    }
    if (code == BN_CLICKED && is_number_button(id)) {
        shell_.ui.post(*this, kDialBackMessage, static_cast<uintptr_t>(id - kOutgoing0Number));
        return;
    }
    Page::on_command(id, code);
}

// No question first. The shown list empties only when the device took the
// clear; a refusal is told, since the list would otherwise just stay.
void CallLogPage::clear(int list)
{
    shell_.beep_if_sound();
    clearing_ = true;
    DrvCmd r = blank_record(port_number(port_), list, q30::OP_CLEAR);
    const int32_t result = shell_.gate.send(q30::DRV_CALL_RECORD, &r);
    if (accepted(result, r)) {
        PortLists& lists = entries_[at(port_)];
        for (int l = 0; l < kCallListCount; ++l)
            if (list == kAllCallLists || list == l)
                lists[at(l)].clear();
        refresh();
        repaint();
    } else {
        shell_.ui.message_box(this, shell_.text(kClearRefusedMessage), shell_.ui.text(ids::kProgramTitle),
                              MessageBoxButtons::Ok, MessageBoxIcon::Warning);
    }
    clearing_ = false;
}

// An empty row or a caller without a number has nothing to dial. A refusal
// is told: otherwise the user waits for a call that never comes.
void CallLogPage::dial_back(int list, int row)
{
    if (list < 0 || list >= kCallListCount)
        return;
    const std::vector<CallEntry>& rows = entries_[at(port_)][at(list)];
    if (row < 0 || at(row) >= rows.size())
        return;
    const CallEntry entry = rows[at(row)];
    if (entry.number.empty() || is_unknown_caller(entry))
        return;
    dialling_ = true;
    int32_t result = q30::kResultNoReply;
    {
        WaitCursor wait(shell_.ui);
        DrvCmd r = blank_record(port_number(port_), 0, q30::OP_SET);
        q30::record::set_str(r, entry.number);
        // Not the accept rule: the library reads no "OK" here. The result is
        // that of the device's second answer, which comes once it dialled;
        // a refused line gets none.
        result = shell_.gate.send(q30::DRV_P24, &r);
    }
    dialling_ = false;
    if (result != q30::kResultOk) {
        const std::string shown = call_number_text(entry, port_names(shell_.state));
        shell_.ui.message_box(this, shell_.text(kDialBackRefusedMessage) + "\n" + shown,
                              shell_.ui.text(ids::kProgramTitle), MessageBoxButtons::Ok, MessageBoxIcon::Warning);
    }
}

std::unique_ptr<Page> make_call_log_page(ShellContext& shell, Window& mainWindow)
{
    return std::make_unique<CallLogPage>(shell, mainWindow);
}

} // namespace quillon
