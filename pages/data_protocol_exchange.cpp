// The data protocol page and the device, and the page's profile section:
// every value in one table, in the order the device is read and written.
#include <array>
#include <cstdio>
#include <optional>

#include "pages/data_protocol_page.h"
#include "profile/ini_document.h"
#include "profile/profile_keys.h"
#include "q30com32/q30com32.h"
#include "shell/device_set.h"
#include "shell/shell_ids.h"

namespace quillon {

using namespace data_protocol;

namespace {

// How a value travels in the command record.
enum class Carrier {
    Switch,    // `on`
    Index,     // `index`
    Protocol,  // the protocol number at offset 84
};

// The device command of a value. Code 47 takes a parameter number in `port`
// and, for the parameters that live in a protocol's own register, that
// protocol's number at offset 84.
struct DataCommand {
    uint32_t code;
    int32_t port;
    int32_t protocol;
    Carrier carrier;
};

// Code 48's selectors and code 49's registers.
constexpr int32_t kEidClassSelector = 11;
constexpr int32_t kEidNumberSelector = 12;
constexpr int32_t kHighWaterRegister = 7;
constexpr int32_t kHighDurationRegister = 8;
constexpr int32_t kLowWaterRegister = 9;
constexpr int32_t kLowDurationRegister = 10;

constexpr DataCommand kEidNumberCommand{q30::DRV_DATA_P3P4, kEidNumberSelector, 0, Carrier::Index};

// Which protocol a value belongs to: only the current protocol's values are
// sent and count as changes.
enum class Belongs { All, Ppp, V120, X75, Hdlc };

// The values a value may take, and what it falls back to.
enum class Range { Switch, Protocol, EidClass, V120Size, X75Size, HdlcSize, Water, Duration };

constexpr int kSameAsProtocol = -1;  // a report names the value by the current protocol
constexpr int kNoText = 0;

// How a Send report names a value: "<qualifier>: <label> <label2>".
struct ReportName {
    int qualifier;
    int label;
    int label2 = kNoText;
};

struct Setting {
    Field<int> Fields::*field;
    DataCommand command;
    Belongs belongs;
    Range range;
    const char* profileKey;
    int fallback;  // when the device does not answer, and for a key a profile lacks
    ReportName naming;
};

constexpr int kProtocolString = 6265, kAutoProtocolString = 6270, kMultilinkString = 6275, kDbaString = 6280,
              kBodString = 6285, kEidClassString = 6290, kFrameSizeString = 6550, kIFrameString = 8770,
              kBodButtonString = 8620, kHighWaterString = 6520, kLowWaterString = 6530, kDurationString = 6525,
              kFirstProtocolName = 8700, kFirstEidClassName = 8740;

constexpr int kDefaultHighWater = 45;
constexpr int kDefaultLowWater = 30;
constexpr int kDefaultDuration = 2;
constexpr int kFrameDefault = -1;  // the frame size rule's default

using q30::DRV_DATA_PARAM;
using q30::DRV_DATA_PN;
constexpr std::array<Setting, 15> kSettings = {{
    {&Fields::protocol, {DRV_DATA_PARAM, 0, kPpp, Carrier::Protocol}, Belongs::All, Range::Protocol, "CURPTOCOL", 0,
     {kNoText, kProtocolString}},
    {&Fields::autoDetect, {DRV_DATA_PARAM, 1, kPpp, Carrier::Switch}, Belongs::All, Range::Switch, "ATOPROTOCOL", 0,
     {kNoText, kAutoProtocolString}},
    {&Fields::multilinkPpp, {DRV_DATA_PARAM, 2, kPpp, Carrier::Switch}, Belongs::Ppp, Range::Switch, "MLP_PPP", 0,
     {kSameAsProtocol, kMultilinkString}},
    {&Fields::dba, {DRV_DATA_PARAM, 3, kPpp, Carrier::Switch}, Belongs::Ppp, Range::Switch, "DBA", 0,
     {kSameAsProtocol, kDbaString}},
    {&Fields::bod, {DRV_DATA_PARAM, 4, kPpp, Carrier::Switch}, Belongs::Ppp, Range::Switch, "BOD", 0,
     {kSameAsProtocol, kBodString}},
    {&Fields::eidClass, {q30::DRV_DATA_P3P4, kEidClassSelector, 0, Carrier::Index}, Belongs::Ppp, Range::EidClass,
     "EIDCLS", kEidNull, {kSameAsProtocol, kEidClassString}},
    {&Fields::v120Size, {DRV_DATA_PARAM, 6, kV120, Carrier::Index}, Belongs::V120, Range::V120Size, "FRMSZV120",
     kFrameDefault, {kSameAsProtocol, kFrameSizeString}},
    {&Fields::iFrame, {DRV_DATA_PARAM, 5, kPpp, Carrier::Switch}, Belongs::V120, Range::Switch, "IFRAME", 0,
     {kSameAsProtocol, kIFrameString}},
    {&Fields::multilinkX75, {DRV_DATA_PARAM, 2, kX75Btx, Carrier::Switch}, Belongs::X75, Range::Switch, "MLP_X75", 0,
     {kSameAsProtocol, kMultilinkString}},
    {&Fields::x75Size, {DRV_DATA_PARAM, 6, kX75Btx, Carrier::Index}, Belongs::X75, Range::X75Size, "FRMSZX75",
     kFrameDefault, {kSameAsProtocol, kFrameSizeString}},
    {&Fields::hdlcSize, {DRV_DATA_PARAM, 6, kHdlc, Carrier::Index}, Belongs::Hdlc, Range::HdlcSize, "FRMSZHDLC",
     kFrameDefault, {kSameAsProtocol, kFrameSizeString}},
    {&Fields::highWater, {DRV_DATA_PN, kHighWaterRegister, 0, Carrier::Index}, Belongs::All, Range::Water, "HIWATER",
     kDefaultHighWater, {kBodButtonString, kHighWaterString}},
    {&Fields::lowWater, {DRV_DATA_PN, kLowWaterRegister, 0, Carrier::Index}, Belongs::All, Range::Water, "LOWATER",
     kDefaultLowWater, {kBodButtonString, kLowWaterString}},
    {&Fields::highDuration, {DRV_DATA_PN, kHighDurationRegister, 0, Carrier::Index}, Belongs::All, Range::Duration,
     "HIDURATION", kDefaultDuration, {kBodButtonString, kHighWaterString, kDurationString}},
    {&Fields::lowDuration, {DRV_DATA_PN, kLowDurationRegister, 0, Carrier::Index}, Belongs::All, Range::Duration,
     "LODURATION", kDefaultDuration, {kBodButtonString, kLowWaterString, kDurationString}},
}};

constexpr const char* kEidNumberKeyFormat = "EIDNUM%d";  // classes 1..5

// The numbers every read starts from, before the device's number of its class.
constexpr std::array<const char*, kEidClassCount> kInitialEidNumbers = {
    "0000000", "98765432", "195222204004", "0080C81E379a", "01dc5abc20843abc", "4968155"};

std::optional<FrameKind> frame_kind(Range range)
{
    switch (range) {
    case Range::V120Size: return FrameKind::V120;
    case Range::X75Size: return FrameKind::X75;
    case Range::HdlcSize: return FrameKind::Hdlc;
    default: return std::nullopt;
    }
}

bool in_range(Range range, int value)
{
    if (const std::optional<FrameKind> kind = frame_kind(range))
        return frame_size_in_range(*kind, value);
    switch (range) {
    case Range::Switch: return value == 0 || value == 1;
    case Range::Protocol: return value >= 0 && value < kProtocolCount;
    case Range::EidClass: return value >= 0 && value < kEidClassCount;
    case Range::Water: return value >= bod_rule(BodKind::Water).low && value <= bod_rule(BodKind::Water).high;
    case Range::Duration:
        return value >= bod_rule(BodKind::Duration).low && value <= bod_rule(BodKind::Duration).high;
    default: return false;
    }
}

int fallback_of(const Setting& s)
{
    if (const std::optional<FrameKind> kind = frame_kind(s.range))
        return frame_size_rule(*kind).defaultSize;
    return s.fallback;
}

bool belongs_to(Belongs belongs, int protocol)
{
    switch (belongs) {
    case Belongs::All: return true;
    case Belongs::Ppp: return protocol == kPpp;
    case Belongs::V120: return protocol == kV120;
    case Belongs::X75: return protocol >= kX75Btx && protocol <= kX75T70;
    case Belongs::Hdlc: return protocol == kHdlc;
    }
    return false;
}

bool class_with_number(int eidClass) { return eidClass > kEidNull && eidClass < kEidClassCount; }

std::string eid_key(int eidClass)
{
    char key[16];
    std::snprintf(key, sizeof key, kEidNumberKeyFormat, eidClass);
    return key;
}

DrvCmd record_for(const DataCommand& c, int32_t op)
{
    DrvCmd r = blank_record(c.port, 0, op);
    q30::record::set_protocol_number(r, c.protocol);
    return r;
}

// A value of the device; nothing when it did not answer with "OK".
std::optional<int> query(const DeviceGate& gate, const DataCommand& c)
{
    DrvCmd r = record_for(c, q30::OP_QUERY);
    if (!accepted(gate.send(c.code, &r), r))
        return std::nullopt;
    switch (c.carrier) {
    case Carrier::Switch: return r.on != 0 ? 1 : 0;
    case Carrier::Index: return r.index;
    case Carrier::Protocol: return q30::record::protocol_number(r);
    }
    return std::nullopt;
}

SetProblem set(const DeviceGate& gate, const DataCommand& c, int value)
{
    DrvCmd r = record_for(c, q30::OP_SET);
    switch (c.carrier) {
    case Carrier::Switch: r.on = value != 0 ? 1 : 0; break;
    case Carrier::Index: r.index = value; break;
    case Carrier::Protocol: q30::record::set_protocol_number(r, value); break;
    }
    return send_set(gate, c.code, r);
}

std::optional<std::string> query_eid_number(const DeviceGate& gate)
{
    DrvCmd r = record_for(kEidNumberCommand, q30::OP_QUERY);
    if (!accepted(gate.send(kEidNumberCommand.code, &r), r))
        return std::nullopt;
    return std::string(q30::record::data_text(r));
}

// What does not fit the record's field is not sent cut short.
SetProblem set_eid_number(const DeviceGate& gate, const std::string& deviceForm)
{
    if (deviceForm.size() >= q30::record::kDataTextSize)
        return SetProblem::TooLong;
    DrvCmd r = record_for(kEidNumberCommand, q30::OP_SET);
    q30::record::set_data_text(r, deviceForm);
    return send_set(gate, kEidNumberCommand.code, r);
}

// "Protocol:" names the value "Protocol".
std::string without_colon(std::string text)
{
    while (!text.empty() && (text.back() == ':' || text.back() == ' '))
        text.pop_back();
    return text;
}

} // namespace

bool DataProtocolPage::changed() const
{
    const Fields& f = fields_;
    const int protocol = f.protocol.edited();
    for (const Setting& s : kSettings)
        if (belongs_to(s.belongs, protocol) && (f.*s.field).changed())
            return true;
    const int eidClass = f.eidClass.edited();
    return protocol == kPpp && class_with_number(eidClass) &&
           f.eidNumbers[static_cast<std::size_t>(eidClass)].changed();
}

// A value the device does not give takes its fallback. A frame size beyond
// its range is corrected to its default and written back at once; if the
// device refuses that, the page keeps it as a change to send.
void DataProtocolPage::read_device()
{
    for (const Setting& s : kSettings) {
        Field<int>& field = fields_.*s.field;
        const std::optional<int> value = query(shell_.gate, s.command);
        if (!value) {
            field.read(fallback_of(s));
        } else if (frame_kind(s.range) && !in_range(s.range, *value)) {
            field.read(*value);
            field.edit(fallback_of(s));
            if (set(shell_.gate, s.command, field.edited()) == SetProblem::None)
                field.accept();
        } else {
            field.read(*value);
        }
        if (s.field != &Fields::eidClass)
            continue;
        for (int c = 0; c < kEidClassCount; ++c)
            fields_.eidNumbers[static_cast<std::size_t>(c)].read(kInitialEidNumbers[static_cast<std::size_t>(c)]);
        const int eidClass = field.confirmed();
        if (eidClass >= 0 && eidClass < kEidClassCount)
            fields_.eidNumbers[static_cast<std::size_t>(eidClass)].read(query_eid_number(shell_.gate).value_or(""));
    }
    refresh();
}

void DataProtocolPage::send_to_device(ValueReport& report)
{
    if (take_input() != Input::Taken)
        return;
    send(report, shell_.text(ids::kPageCaptionBase + 5 * index()), Naming::Label);
}

// The values of the current protocol that changed, in the device's order;
// each is confirmed only when the device took it.
void DataProtocolPage::send(ValueReport& report, const std::string& group, Naming naming)
{
    Fields& f = fields_;
    const int protocol = f.protocol.edited();
    auto label = [&](const Setting& s) {
        if (naming == Naming::ProfileKey)
            return std::string(s.profileKey);
        std::string name;
        if (s.naming.qualifier == kSameAsProtocol && protocol >= 0 && protocol < kProtocolCount)
            name = shell_.text(kFirstProtocolName + 5 * protocol) + ": ";
        else if (s.naming.qualifier > 0)
            name = without_colon(shell_.text(s.naming.qualifier)) + ": ";
        name += without_colon(shell_.text(s.naming.label));
        if (s.naming.label2 != kNoText)
            name += " " + without_colon(shell_.text(s.naming.label2));
        return name;
    };
    for (const Setting& s : kSettings) {
        if (!belongs_to(s.belongs, protocol))
            continue;
        Field<int>& field = f.*s.field;
        if (field.changed()) {
            const SetProblem problem = set(shell_.gate, s.command, field.edited());
            if (problem == SetProblem::None)
                field.accept();
            report.add(group, label(s), problem);
        }
        const int eidClass = f.eidClass.edited();
        if (s.field != &Fields::eidClass || !class_with_number(eidClass))
            continue;
        Field<std::string>& number = f.eidNumbers[static_cast<std::size_t>(eidClass)];
        if (!number.changed())
            continue;
        const SetProblem problem = set_eid_number(shell_.gate, number.edited());
        if (problem == SetProblem::None)
            number.accept();
        report.add(group,
                   naming == Naming::ProfileKey
                       ? eid_key(eidClass)
                       : without_colon(shell_.text(kEidClassString)) + ": " +
                             shell_.text(kFirstEidClassName + 5 * eidClass),
                   problem);
    }
}

// The profile's values become the edited ones and go through the same
// checks as typed input; then what differs from the device is sent. A value
// the page cannot hold is named and the page keeps its own.
void DataProtocolPage::load_profile(const profile::IniDocument& profile, ValueReport& report)
{
    const char* section = profile::kDataSection;
    for (const Setting& s : kSettings) {
        Field<int>& field = fields_.*s.field;
        int value = profile.read_int(section, s.profileKey, fallback_of(s));
        if (s.range == Range::Switch)
            value = value != 0 ? 1 : 0;
        if (frame_kind(s.range) || in_range(s.range, value))
            field.edit(value);  // a frame size goes to the input checks
        else
            report.add(section, s.profileKey, SetProblem::NotAccepted);
        if (s.field != &Fields::eidClass)
            continue;
        for (int c = kEidLocalAddress; c < kEidClassCount; ++c)
            fields_.eidNumbers[static_cast<std::size_t>(c)].edit(profile.read_string(section, eid_key(c), ""));
    }
    refresh();
    if (take_input() != Input::Taken)
        return;
    send(report, section, Naming::ProfileKey);
}

void DataProtocolPage::save_profile(profile::IniDocument& profile)
{
    const char* section = profile::kDataSection;
    for (const Setting& s : kSettings) {
        profile.write_int(section, s.profileKey, (fields_.*s.field).confirmed());
        if (s.field != &Fields::eidClass)
            continue;
        for (int c = kEidLocalAddress; c < kEidClassCount; ++c)
            profile.write_string(section, eid_key(c), fields_.eidNumbers[static_cast<std::size_t>(c)].confirmed());
    }
}

} // namespace quillon
