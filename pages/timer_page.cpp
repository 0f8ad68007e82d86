#include "pages/timer_page.h"

#include <cstdio>

#include "pages/destination_entry.h"
#include "pages/time_of_day.h"
#include "platform/ui.h"
#include "profile/ini_document.h"
#include "profile/profile_keys.h"
#include "q30com32/q30com32.h"
#include "shell/device_set.h"
#include "shell/next_input.h"
#include "shell/shell_ids.h"

namespace quillon {

using namespace platform;
using namespace timer_ids;
using namespace dialog_ids::timer;

namespace {

constexpr int kSmallerModelPorts = 3;

// TIMER_DIV keys: the port index 0..4.
constexpr const char* kActivatedKeyFormat = "MCACTIVE%d";
constexpr const char* kTimeKeyFormat = "MCALL%d";
constexpr const char* kDefaultProfileTime = "00:00";

// The device's clock answer when it has not been set since power-up.
constexpr int32_t kClockNotSet = 1;

// The page counts each kind of control from port 11's.
static_assert(kPort32TimeEdit == kPort11TimeEdit + kMaxPorts - 1);
static_assert(kPort32ActiveBox == kPort11ActiveBox + kMaxPorts - 1);
static_assert(kPort32Frame == kPort11Frame + kMaxPorts - 1);
static_assert(kPort32PicturePlace == kPort11PicturePlace + kMaxPorts - 1);
static_assert(kPort32Label == kPort11Label + kMaxPorts - 1);
static_assert(kPort32AliasLabel == kPort11AliasLabel + kMaxPorts - 1);

std::size_t at(int i) { return static_cast<std::size_t>(i); }
int port_number(int portIndex) { return kPortNumbers[at(portIndex)]; }

bool is_time_edit(int id) { return id >= kPort11TimeEdit && id <= kPort32TimeEdit; }
bool is_active_box(int id) { return id >= kPort11ActiveBox && id <= kPort32ActiveBox; }

std::string key(const char* format, int portIndex)
{
    char text[16];
    std::snprintf(text, sizeof text, format, portIndex);
    return text;
}

const char* flag_text(bool on) { return on ? "1" : "0"; }

q30::record::ClockFields clock_fields_of(const LocalDateTime& t)
{
    return {t.day, t.month, t.year, t.hour, t.minute, t.second};
}

LocalDateTime date_time_of(const q30::record::ClockFields& c)
{
    return {c.year, c.month, c.day, c.hour, c.minute, c.second};
}

} // namespace

TimerPage::TimerPage(ShellContext& shell, Window& mainWindow) : Page(shell, mainWindow, 8)
{
    values_.add_all(activated_);
    values_.add_all(times_);
}

TimerPage::~TimerPage() = default;

const Field<bool>& TimerPage::activated(int portIndex) const { return activated_.at(at(portIndex)); }
const Field<std::string>& TimerPage::time(int portIndex) const { return times_.at(at(portIndex)); }

// From the model itself: after a change of model this page may be built
// before the MSN page sets the shared port count again.
int TimerPage::port_count() const { return shell_.state.smaller_model() ? kSmallerModelPorts : kMaxPorts; }

void TimerPage::on_built()
{
    adapt_to_model();
    const PortPicture::Look displayOnly{false, false};
    for (int p = 0; p < port_count(); ++p)
        pictures_[at(p)] = std::make_unique<PortPicture>(shell_, *this, kPort11PicturePlace + p, p,
                                                         PortPictureKind::Analogue, displayOnly);
}

// The Q20 has three ports: the morning calls of ports 31 and 32 are hidden
// and take no part in changes, sends and profiles.
void TimerPage::adapt_to_model()
{
    for (int p = 0; p < kMaxPorts; ++p) {
        const bool inUse = p < port_count();
        activated_[at(p)].set_in_use(inUse);
        times_[at(p)].set_in_use(inUse);
        if (inUse)
            continue;
        for (int first : {kPort11Frame, kPort11PicturePlace, kPort11Label, kPort11AliasLabel, kPort11TimeEdit,
                          kPort11ActiveBox})
            set_visible(first + p, false);
    }
}

intptr_t TimerPage::on_message(const Message& m)
{
    if (m.id == UWM_PAGE_SHOW)
        refresh_port_pictures(shell_, pictures_);  // the MSN page may have changed them
    return Page::on_message(m);
}

void TimerPage::on_command(int id, int code)
{
    if (is_time_edit(id) && code == EN_CHANGE) {
        check_typed(id - kPort11TimeEdit);
        return;
    }
    if (is_active_box(id) && code == BN_CLICKED) {
        store_controls();
        return;
    }
    if (id == kSyncButton && code == BN_CLICKED) {
        synchronise_clock();
        return;
    }
    Page::on_command(id, code);
}

// Every switch first, then every time; what the device does not answer
// reads as off and empty. Then both clocks, as they are at this moment.
void TimerPage::read_device()
{
    refresh_port_pictures(shell_, pictures_);
    for (int p = 0; p < port_count(); ++p)
        activated_[at(p)].read(query_switch(shell_.gate, q30::DRV_WAKEUP, port_number(p)));
    for (int p = 0; p < port_count(); ++p)
        read_time(p);
    read_clocks();
    lastEdited_ = -1;
    refresh();
}

void TimerPage::read_time(int portIndex)
{
    DrvCmd r = blank_record(port_number(portIndex), 0, q30::OP_QUERY2);
    const bool answered = accepted(shell_.gate.send(q30::DRV_WAKEUP, &r), r);
    const q30::record::ClockFields c = q30::record::clock_fields(r);
    times_[at(portIndex)].read(answered ? format_time_of_day({c.hour, c.minute}) : std::string());
}

// A device whose clock was never set gets the computer's time at once.
void TimerPage::read_clocks()
{
    const LocalDateTime now = shell_.ui.local_time();
    pcClockText_ = format_date_time(now);
    bool notSet = false;
    deviceClockText_ = query_device_clock(notSet);
    if (notSet)
        deviceClockText_ = set_device_clock(now) ? format_date_time(now) : std::string();
}

// The device's clock as it reads it, empty when it does not answer.
std::string TimerPage::query_device_clock(bool& notSet)
{
    DrvCmd r = blank_record(q30::kDevicePort, 0, q30::OP_QUERY2);
    notSet = false;
    if (!accepted(shell_.gate.send(q30::DRV_CLOCK, &r), r))
        return {};
    notSet = r.value == kClockNotSet;
    return notSet ? std::string() : format_date_time(date_time_of(q30::record::clock_fields(r)));
}

bool TimerPage::set_device_clock(const LocalDateTime& time)
{
    DrvCmd r = blank_record(q30::kDevicePort, 0, q30::OP_SET2);
    q30::record::set_clock_fields(r, clock_fields_of(time));
    return send_set(shell_.gate, q30::DRV_CLOCK, r) == SetProblem::None;
}

// The user sees what became of it: the device's clock read back beside the
// computer's, or a message that the device did not take the time.
void TimerPage::synchronise_clock()
{
    shell_.beep_if_sound();
    WaitCursor wait(shell_.ui);
    const LocalDateTime now = shell_.ui.local_time();
    pcClockText_ = format_date_time(now);
    if (set_device_clock(now)) {
        bool notSet = false;
        deviceClockText_ = query_device_clock(notSet);
    } else {
        shell_.ui.message_box(this, shell_.text(kClockNotTakenMessage), shell_.ui.text(ids::kProgramTitle));
    }
    show_clocks();
}

void TimerPage::show_clocks()
{
    set_text(kDeviceClockEdit, deviceClockText_);
    set_text(kPcClockEdit, pcClockText_);
}

void TimerPage::store_controls()
{
    for (int p = 0; p < port_count(); ++p) {
        activated_[at(p)].edit(check(kPort11ActiveBox + p) != 0);
        times_[at(p)].edit(text(kPort11TimeEdit + p));
    }
}

void TimerPage::refresh()
{
    const PortNames names = port_names(shell_.state);
    for (int p = 0; p < port_count(); ++p) {
        set_text(kPort11AliasLabel + p, names[at(p)]);
        set_check(kPort11ActiveBox + p, activated_[at(p)].edited() ? 1 : 0);
        set_text(kPort11TimeEdit + p, times_[at(p)].edited());
    }
    show_clocks();
}

void TimerPage::relabel()
{
    for (int p = 0; p < kMaxPorts; ++p) {
        set_text(kPort11Frame + p, shell_.text(kMorningCallText));
        set_text(kPort11Label + p, shell_.text(kFirstPortCaption + 5 * p));
        set_text(kPort11ActiveBox + p, shell_.text(kActivatedText));
    }
    set_text(kSyncHint, shell_.text(kSyncHintText));
    set_text(kSyncButton, shell_.text(kSyncButtonText));
    set_text(kDeviceClockLabel, shell_.text(kDeviceClockText));
    set_text(kPcClockLabel, shell_.text(kPcClockText));
    for (auto& picture : pictures_)
        if (picture)
            shell_.ui.send(*picture, UWM_SET_LANGUAGE);
}

// A text that can no longer become a time is refused at once; the other
// fields keep what was typed.
void TimerPage::check_typed(int portIndex)
{
    lastEdited_ = portIndex;
    if (check_time_text(text(kPort11TimeEdit + portIndex)))
        return;
    shell_.ui.message_box(this, shell_.text(kBadTimeMessage), shell_.ui.text(ids::kProgramTitle));
    revert(portIndex);
}

void TimerPage::revert(int portIndex)
{
    store_controls();
    Field<std::string>& field = times_[at(portIndex)];
    field.edit(field.confirmed());
    refresh();
    set_focus(kPort11TimeEdit + portIndex);
}

// Enter and Tab: the field typed into last is written out in full (8:5
// becomes 08:05) before the focus moves on.
void TimerPage::confirm_field()
{
    store_controls();
    if (lastEdited_ >= 0 && lastEdited_ < port_count()) {
        Field<std::string>& field = times_[at(lastEdited_)];
        const auto parsed = check_time_text(field.edited());
        if (!parsed) {
            shell_.ui.message_box(this, shell_.text(kErrorFormatMessage), shell_.ui.text(ids::kProgramTitle));
            revert(lastEdited_);
            return;
        }
        field.edit(format_time_of_day(*parsed));
    }
    refresh();
    focus_next_input(*this);
}

void TimerPage::send_to_device(ValueReport& report)
{
    send(false, report, shell_.text(ids::kPageCaptionBase + 5 * index()), Naming::Label);
}

// Every switch before any time. A value is confirmed only when the device
// took it: a refused one stays changed and is offered again.
void TimerPage::send(bool all, ValueReport& report, const std::string& group, Naming naming)
{
    WaitCursor wait(shell_.ui);
    auto name = [&](int p, int what, const char* keyFormat) {
        return naming == Naming::ProfileKey
                   ? key(keyFormat, p)
                   : shell_.text(kFirstPortCaption + 5 * p) + ": " + shell_.text(what);
    };
    for (int p = 0; p < port_count(); ++p)
        send_switch(shell_, {q30::DRV_WAKEUP, port_number(p), 0, group, name(p, kActivatedText, kActivatedKeyFormat)},
                    activated_[at(p)], all, report);
    for (int p = 0; p < port_count(); ++p)
        send_time(p, all, report, group, name(p, kMorningCallText, kTimeKeyFormat));
    refresh();
}

// The time goes out in full ("07:00" for "7"); a text that is no time is
// not sent and stays changed. One that reads as the confirmed time needs
// no command.
void TimerPage::send_time(int portIndex, bool all, ValueReport& report, const std::string& group,
                          const std::string& name)
{
    Field<std::string>& field = times_[at(portIndex)];
    if (!all && !field.changed())
        return;
    const auto parsed = check_time_text(field.edited());
    if (!parsed) {
        report.add(group, name, SetProblem::NotAccepted);
        return;
    }
    field.edit(format_time_of_day(*parsed));
    if (!all && !field.changed())
        return;
    DrvCmd r = blank_record(port_number(portIndex), 0, q30::OP_SET2);
    q30::record::set_u8(r, q30::record::kHourOffset, static_cast<uint8_t>(parsed->hour));
    q30::record::set_u8(r, q30::record::kMinuteOffset, static_cast<uint8_t>(parsed->minute));
    const SetProblem problem = send_set(shell_.gate, q30::DRV_WAKEUP, r);
    if (problem == SetProblem::None)
        field.accept();
    report.add(group, name, problem);
}

// A load sends every switch and time of the ports in use; what the device
// refuses keeps its confirmed value and stays changed.
void TimerPage::load_profile(const profile::IniDocument& profile, ValueReport& report)
{
    const char* section = profile::kTimerSection;
    for (int p = 0; p < port_count(); ++p) {
        activated_[at(p)].edit(profile.read_int(section, key(kActivatedKeyFormat, p), 0) != 0);
        times_[at(p)].edit(profile.read_string(section, key(kTimeKeyFormat, p), kDefaultProfileTime));
    }
    lastEdited_ = -1;
    refresh_port_pictures(shell_, pictures_);
    refresh();
    send(true, report, section, Naming::ProfileKey);
}

void TimerPage::save_profile(profile::IniDocument& profile)
{
    const char* section = profile::kTimerSection;
    for (int p = 0; p < port_count(); ++p)
        profile.write_string(section, key(kActivatedKeyFormat, p), flag_text(activated_[at(p)].confirmed()));
    for (int p = 0; p < port_count(); ++p)
        profile.write_string(section, key(kTimeKeyFormat, p), times_[at(p)].confirmed());
}

std::unique_ptr<Page> make_timer_page(ShellContext& shell, Window& mainWindow)
{
    return std::make_unique<TimerPage>(shell, mainWindow);
}

} // namespace quillon
