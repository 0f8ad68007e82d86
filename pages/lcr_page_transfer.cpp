// The least cost routing page with the device and the profiles: reading
// the table, sending what changed (or all of it after a profile load), and
// keeping the provider names in the default profile.
#include "pages/lcr_page.h"

#include <cstdio>

#include "pages/destination_entry.h"
#include "platform/ui.h"
#include "profile/ini_document.h"
#include "profile/profile_keys.h"
#include "q30com32/q30com32.h"
#include "shell/device_set.h"
#include "shell/device_text.h"
#include "shell/shell_ids.h"

namespace quillon {

using namespace platform;
using namespace lcr_ids;

namespace {

// What the device's record carries of a predial and of a range's numbers.
constexpr std::size_t kMaxPredialChars = 20;
constexpr std::size_t kMaxRangeNumberChars = 30;

// LCR_DIV keys: the day group's suffix, then the row or range number.
constexpr std::array<const char*, lcr::kGroupCount> kGroupSuffixes = {"M", "S"};
constexpr const char* kActivatedKey = "LCRACT";
constexpr const char* kFromKey = "LCPFRM_%s%d";
constexpr const char* kTillKey = "LCPTO_%s%d";
constexpr const char* kPredialKey = "PREDIAL%s%d";
constexpr const char* kProviderKey = "PROVIDER%s%d";
constexpr const char* kLocalKey = "LOCALCALL%s%d";
constexpr const char* kRowActiveKey = "ITEMACT%s%d";
constexpr const char* kRangeFirstKey = "EPNFRM%s%d";
constexpr const char* kRangeLastKey = "EPNTO%s%d";
constexpr const char* kRangeActiveKey = "EPNACT%s%d";

std::size_t at(int i) { return static_cast<std::size_t>(i); }

std::string key(const char* format, int group, int index)
{
    char text[32];
    std::snprintf(text, sizeof text, format, kGroupSuffixes[at(group)], index);
    return text;
}

std::string two_digits(int hour)
{
    char text[16];
    std::snprintf(text, sizeof text, "%02d", hour);
    return text;
}

const char* flag_text(bool on) { return on ? "1" : "0"; }

// A heading of two lines as one: "Pre-\ndial nb" reads "Pre-dial nb".
std::string one_line(std::string text)
{
    std::string out;
    for (char c : text) {
        if (c == '\n')
            c = (!out.empty() && out.back() == '-') ? '\0' : ' ';
        if (c == '\0' || (c == ' ' && (out.empty() || out.back() == ' ')))
            continue;
        out += c;
    }
    while (!out.empty() && out.back() == ' ')
        out.pop_back();
    return out;
}

// A text as the record carries it to the device, or why it cannot go.
SetProblem device_form(const std::string& text, std::size_t maxChars, std::string& out)
{
    if (SetProblem p = check_device_text(text); p != SetProblem::None)
        return p;
    if (character_count(text) > maxChars)
        return SetProblem::TooLong;
    out = *to_device_text(text);
    return SetProblem::None;
}

} // namespace

// The switch first, then group by group each row's four values and each
// range's two; what the device does not answer reads as empty and off.
void LcrPage::read_device()
{
    activated_.read(query_switch(shell_.gate, q30::DRV_LCR_ON, q30::kDevicePort));
    PredialsRead predialsRead{};
    for (int g = 0; g < lcr::kGroupCount; ++g) {
        for (int r = 0; r < lcr::kRowCount; ++r)
            predialsRead[at(g)][at(r)] = read_row(g, r);
        for (int x = 0; x < lcr::kRangeCount; ++x)
            read_range(g, x);
    }
    read_provider_names(predialsRead);
    group_ = 0;
    refresh();
}

bool LcrPage::read_row(int g, int r)
{
    RowFields& f = row_fields(g, r);
    DrvCmd time = blank_record(g, r);
    const bool timeRead = accepted(shell_.gate.send(q30::DRV_LCR_TIME, &time), time);
    const bool used = timeRead && (time.from != 0 || time.to != 0);
    f.from.read(used ? two_digits(time.from) : std::string());
    f.till.read(used ? two_digits(time.to) : std::string());

    DrvCmd predial = blank_record(g, r);
    const bool predialRead = accepted(shell_.gate.send(q30::DRV_LCR_PREFIX, &predial), predial);
    f.predial.read(predialRead ? from_device_text(q30::record::str3(predial)) : std::string());
    f.local.read(query_switch(shell_.gate, q30::DRV_LCR_LOCAL, g, r));
    f.active.read(query_switch(shell_.gate, q30::DRV_LCR_ACTIVE, g, r));
    return predialRead;
}

// A range flag the device does not answer reads as off like every other
// value, so that a silent device leaves nothing that looks changed.
void LcrPage::read_range(int g, int x)
{
    RangeFields& f = range_fields(g, x);
    DrvCmd numbers = blank_record(g, x);
    const bool read = accepted(shell_.gate.send(q30::DRV_LCR_EXCLUDED, &numbers), numbers);
    f.first.read(read ? from_device_text(q30::record::str(numbers)) : std::string());
    f.last.read(read ? from_device_text(q30::record::str2(numbers)) : std::string());
    f.active.read(query_switch(shell_.gate, q30::DRV_LCR_RANGE_ON, g, x));
}

// The names come from the default profile; a predial without a name gets
// the provider list's, a name without a predial goes. Corrections are
// written back at once, but only where the device told the predial: a
// silent device must not wipe the user's names.
void LcrPage::read_provider_names(const PredialsRead& predialsRead)
{
    profile::IniDocument defaults = profile::IniDocument::open(shell_.state.defaultProfilePath);
    for (int g = 0; g < lcr::kGroupCount; ++g)
        for (int r = 0; r < lcr::kRowCount; ++r) {
            RowFields& f = row_fields(g, r);
            const std::string stored = defaults.read_string(profile::kLcrSection, key(kProviderKey, g, r), "");
            std::string name = stored;
            if (!f.predial.confirmed().empty() && name.empty())
                name = lcr::provider_name(f.predial.confirmed());
            else if (f.predial.confirmed().empty())
                name.clear();
            if (name != stored && predialsRead[at(g)][at(r)])
                defaults.write_string(profile::kLcrSection, key(kProviderKey, g, r), name);
            f.provider.read(name);
        }
    // A default profile that cannot be written keeps its old names; the
    // page goes on with the corrected ones.
    (void)defaults.commit();
}

// The device does not keep the names: the default profile does, and a
// name counts as kept once it is written there.
void LcrPage::keep_provider_names()
{
    profile::IniDocument defaults = profile::IniDocument::open(shell_.state.defaultProfilePath);
    for (int g = 0; g < lcr::kGroupCount; ++g)
        for (int r = 0; r < lcr::kRowCount; ++r) {
            Field<std::string>& provider = row_fields(g, r).provider;
            if (!provider.changed())
                continue;
            provider.edit(lcr::first_characters(provider.edited(), lcr::kMaxProviderChars));
            defaults.write_string(profile::kLcrSection, key(kProviderKey, g, r), provider.edited());
            provider.accept();
        }
    (void)defaults.commit();
    refresh();
}

// A table the corrections refuse is not sent and stays changed; so does
// every value the device did not take, to be offered again on leaving.
void LcrPage::send_to_device(ValueReport& report)
{
    WaitCursor wait(shell_.ui);
    const bool go = validate();
    keep_provider_names();
    if (!go)
        return;
    send(false, report, shell_.text(ids::kPageCaptionBase + 5 * index()), Naming::Label);
    save_to_default_profile();
}

// A value counts as sent when the device answered "OK", not on the call's
// result alone: what the device refused is offered again.
void LcrPage::send(bool all, ValueReport& report, const std::string& group, Naming naming)
{
    const std::string label =
        naming == Naming::ProfileKey ? std::string(kActivatedKey) : shell_.text(kLcrActivatedString);
    send_switch(shell_, {q30::DRV_LCR_ON, q30::kDevicePort, 0, group, label}, activated_, all, report);
    for (int g = 0; g < lcr::kGroupCount; ++g) {
        for (int r = 0; r < lcr::kRowCount; ++r)
            send_row(g, r, all, report, group, naming);
        for (int x = 0; x < lcr::kRangeCount; ++x)
            send_range(g, x, all, report, group, naming);
    }
}

// The hours go together (both 0: the period is cleared), then the predial
// and the two switches.
void LcrPage::send_row(int g, int r, bool all, ValueReport& report, const std::string& group, Naming naming)
{
    RowFields& f = row_fields(g, r);
    auto name = [&](const char* profileKey, int heading) {
        if (naming == Naming::ProfileKey)
            return key(profileKey, g, r);
        return shell_.text(g == 0 ? kMonFriString : kSatSunString) + " " + std::to_string(r + 1) + ".: " +
               one_line(shell_.text(heading));
    };
    if (all || f.from.changed() || f.till.changed()) {
        DrvCmd time = blank_record(g, r, q30::OP_SET);
        time.from = lcr::hour_value(f.from.edited());
        time.to = lcr::hour_value(f.till.edited());
        if (time.from == 0 && time.to == 0)
            time.op = q30::OP_CLEAR;
        const SetProblem problem = send_set(shell_.gate, q30::DRV_LCR_TIME, time);
        if (problem == SetProblem::None) {
            f.from.accept();
            f.till.accept();
        }
        report.add(group, name(kFromKey, kTimeString), problem);
    }
    if (all || f.predial.changed()) {
        DrvCmd predial = blank_record(g, r, q30::OP_SET);
        std::string digits;
        SetProblem problem = device_form(f.predial.edited(), kMaxPredialChars, digits);
        if (problem == SetProblem::None) {
            q30::record::set_str3(predial, digits);
            problem = send_set(shell_.gate, q30::DRV_LCR_PREFIX, predial);
        }
        if (problem == SetProblem::None)
            f.predial.accept();
        report.add(group, name(kPredialKey, kPredialString), problem);
    }
    send_switch(shell_, {q30::DRV_LCR_LOCAL, g, r, group, name(kLocalKey, kLocalCallsString)}, f.local, all, report);
    send_switch(shell_, {q30::DRV_LCR_ACTIVE, g, r, group, name(kRowActiveKey, kActivatedString)}, f.active, all,
                report);
}

// A range goes only with numbers of equal length (both empty: cleared).
void LcrPage::send_range(int g, int x, bool all, ValueReport& report, const std::string& group, Naming naming)
{
    RangeFields& f = range_fields(g, x);
    auto name = [&](const char* profileKey, const std::string& what) {
        if (naming == Naming::ProfileKey)
            return key(profileKey, g, x);
        return shell_.text(g == 0 ? kMonFriString : kSatSunString) + ", " + shell_.text(kRangesString) + " " +
               std::to_string(x + 1) + what;
    };
    if (all || f.first.changed() || f.last.changed()) {
        const std::string& first = f.first.edited();
        const std::string& last = f.last.edited();
        DrvCmd numbers = blank_record(g, x, first.empty() && last.empty() ? q30::OP_CLEAR : q30::OP_SET);
        std::string firstForm, lastForm;
        SetProblem problem = first.size() == last.size() ? SetProblem::None : SetProblem::NotAccepted;
        if (problem == SetProblem::None)
            problem = device_form(first, kMaxRangeNumberChars, firstForm);
        if (problem == SetProblem::None)
            problem = device_form(last, kMaxRangeNumberChars, lastForm);
        if (problem == SetProblem::None) {
            q30::record::set_str(numbers, firstForm);
            q30::record::set_str2(numbers, lastForm);
            problem = send_set(shell_.gate, q30::DRV_LCR_EXCLUDED, numbers);
        }
        if (problem == SetProblem::None) {
            f.first.accept();
            f.last.accept();
        }
        report.add(group, name(kRangeFirstKey, ""), problem);
    }
    send_switch(shell_, {q30::DRV_LCR_RANGE_ON, g, x, group, name(kRangeActiveKey, ": " + shell_.text(kActiveString))},
                f.active, all, report);
}

// The whole section goes to the default profile after every send.
void LcrPage::save_to_default_profile() { shell_.ui.send(*this, UWM_SAVE_PROFILE, 0); }

// A load sends every value, used or not, without the corrections; the
// names it brings are kept like typed ones.
void LcrPage::load_profile(const profile::IniDocument& profile, ValueReport& report)
{
    const char* section = profile::kLcrSection;
    auto text_of = [&](const char* format, int g, int n) {
        return profile.read_string(section, key(format, g, n), "");
    };
    auto flag_of = [&](const char* format, int g, int n) {
        return profile.read_int(section, key(format, g, n), 0) != 0;
    };
    activated_.edit(profile.read_int(section, kActivatedKey, 0) != 0);
    for (int g = 0; g < lcr::kGroupCount; ++g) {
        for (int r = 0; r < lcr::kRowCount; ++r) {
            RowFields& f = row_fields(g, r);
            f.from.edit(text_of(kFromKey, g, r));
            f.till.edit(text_of(kTillKey, g, r));
            f.predial.edit(text_of(kPredialKey, g, r));
            f.provider.edit(text_of(kProviderKey, g, r));
            f.local.edit(flag_of(kLocalKey, g, r));
            f.active.edit(flag_of(kRowActiveKey, g, r));
        }
        for (int x = 0; x < lcr::kRangeCount; ++x) {
            RangeFields& f = range_fields(g, x);
            f.first.edit(text_of(kRangeFirstKey, g, x));
            f.last.edit(text_of(kRangeLastKey, g, x));
            f.active.edit(flag_of(kRangeActiveKey, g, x));
        }
    }
    refresh();
    repaint();
    send(true, report, section, Naming::ProfileKey);
    keep_provider_names();
    save_to_default_profile();
}

void LcrPage::save_profile(profile::IniDocument& profile)
{
    const char* section = profile::kLcrSection;
    profile.write_string(section, kActivatedKey, flag_text(activated_.confirmed()));
    for (int g = 0; g < lcr::kGroupCount; ++g) {
        auto rows = [&](const char* format, auto value) {
            for (int r = 0; r < lcr::kRowCount; ++r)
                profile.write_string(section, key(format, g, r), value(row_fields(g, r)));
        };
        auto ranges = [&](const char* format, auto value) {
            for (int x = 0; x < lcr::kRangeCount; ++x)
                profile.write_string(section, key(format, g, x), value(range_fields(g, x)));
        };
        rows(kFromKey, [](const RowFields& f) { return f.from.confirmed(); });
        rows(kTillKey, [](const RowFields& f) { return f.till.confirmed(); });
        rows(kPredialKey, [](const RowFields& f) { return f.predial.confirmed(); });
        rows(kProviderKey, [](const RowFields& f) { return f.provider.confirmed(); });
        rows(kLocalKey, [](const RowFields& f) { return std::string(flag_text(f.local.confirmed())); });
        rows(kRowActiveKey, [](const RowFields& f) { return std::string(flag_text(f.active.confirmed())); });
        ranges(kRangeFirstKey, [](const RangeFields& f) { return f.first.confirmed(); });
        ranges(kRangeLastKey, [](const RangeFields& f) { return f.last.confirmed(); });
        ranges(kRangeActiveKey, [](const RangeFields& f) { return std::string(flag_text(f.active.confirmed())); });
    }
}

} // namespace quillon
