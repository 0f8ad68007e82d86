#include "pages/call_acceptance_page.h"

#include <algorithm>
#include <cstdio>

#include "pages/data_callback.h"
#include "platform/ui.h"
#include "profile/ini_document.h"
#include "profile/profile_keys.h"
#include "q30com32/q30com32.h"
#include "shell/device_set.h"
#include "shell/main_window.h"
#include "shell/shell_ids.h"

namespace quillon {

using namespace platform;
using namespace call_acceptance_ids;
using namespace dialog_ids::call_acceptance;

namespace {

constexpr int kSmallerModelPorts = 3;
constexpr int kDataPortIndex = kAliasCount - 1;  // names and pictures: after the five analogue ports

// The device-wide form of the acceptance command: group 0 takes the data
// calls (data-port MSNs 0..2), group 3 the SoftFax and answering machine
// calls (MSNs 3 and 4).
constexpr int32_t kDataCallsGroup = 0;
constexpr int32_t kSoftFaxCallsGroup = 3;
constexpr std::size_t kSoftFaxFirstMsn = 3;

// ACCEP_DIV keys.
constexpr const char* kDataCallsKey = "ACCEPDTAA";
constexpr const char* kSoftFaxCallsKey = "ACCEPDTAB";

constexpr int kAcceptanceModes = 3;
constexpr int kCallerIdModes = 3;
constexpr int kRingCounts = 10;

// The kinds of values, in the order a profile lists them.
enum class Setting { Acceptance, CallerId, RingDelay, CallWaiting, LowerVolume };

// How the value travels in the command record.
enum class Carrier {
    Number,         // `value`
    Switch,         // `on`
    InvertedSwitch  // `on`, the other way round: the device's switch is "normal volume"
};

struct SettingInfo {
    uint32_t code;
    Carrier carrier;
    int count;              // values 0..count-1
    const char* keyFormat;  // with the port index
    int nameText;
};

constexpr SettingInfo kSettings[] = {
    {q30::DRV_ACCEPT_P1, Carrier::Number, kAcceptanceModes, "ACCEPCALL%d", kAcceptanceName},
    {q30::DRV_ACCEPT_P6, Carrier::Number, kCallerIdModes, "SHOWID%d", kCallerIdName},
    {q30::DRV_ACCEPT_P9, Carrier::Number, kRingCounts, "DELAYRING%d", kRingsName},
    {q30::DRV_ACCEPT_P2, Carrier::Switch, 2, "CALLWAIT%d", kCallWaitingText},
    {q30::DRV_ACCEPT_P8, Carrier::InvertedSwitch, 2, "LOWVOL%d", kLowerVolumeText},
};

const SettingInfo& info(Setting s) { return kSettings[static_cast<std::size_t>(s)]; }

std::size_t at(int i) { return static_cast<std::size_t>(i); }

std::string port_key(const char* format, int portIndex)
{
    char text[24];
    std::snprintf(text, sizeof text, format, portIndex);
    return text;
}

// Every column of controls is a row from port 11's control.
static_assert(kPort32MsnList == kPort11MsnList + kMaxPorts - 1 && kDataMsnList == kPort32MsnList + 1);
static_assert(kPort32AcceptSelector == kPort11AcceptSelector + kMaxPorts - 1);
static_assert(kPort32CallerIdSelector == kPort11CallerIdSelector + kMaxPorts - 1);
static_assert(kPort32RingSelector == kPort11RingSelector + kMaxPorts - 1);
static_assert(kPort32CallWaitingBox == kPort11CallWaitingBox + kMaxPorts - 1);
static_assert(kPort32LowerVolumeBox == kPort11LowerVolumeBox + kMaxPorts - 1);
static_assert(kDataAlias == kPort11Alias + kDataPortIndex);
static_assert(kDataPicturePlace == kPort11PicturePlace + kDataPortIndex);

// The SoftFax heading is written for two lines on the MSN page.
std::string one_line(std::string text)
{
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
}

bool is_switch_box(int id)
{
    return (id >= kPort11CallWaitingBox && id <= kPort32CallWaitingBox) ||
           (id >= kPort11LowerVolumeBox && id <= kPort32LowerVolumeBox);
}

} // namespace

struct AcceptanceValue {
    Setting setting;
    int32_t port;         // in the command record
    Field<int>* field;
    std::string key;      // in ACCEP_DIV
    int portText;         // the port's name in the report: a string base
};

CallAcceptancePage::CallAcceptancePage(ShellContext& shell, Window& mainWindow)
    : Page(shell, mainWindow, 1), portCount_(shell.state.smaller_model() ? kSmallerModelPorts : kMaxPorts)
{
    for (PortCallSettings& p : ports_)
        for (Field<int>* f : {&p.acceptance, &p.callerId, &p.ringDelay, &p.callWaiting, &p.lowerVolume})
            values_.add(*f);
    values_.add(dataCalls_);
    values_.add(softFaxCalls_);
}

CallAcceptancePage::~CallAcceptancePage() = default;

std::vector<AcceptanceValue> CallAcceptancePage::values_in_device_order()
{
    std::vector<AcceptanceValue> values{
        {Setting::Acceptance, kDataCallsGroup, &dataCalls_, kDataCallsKey, kFirstPortText + 5 * kDataPortIndex},
        {Setting::Acceptance, kSoftFaxCallsGroup, &softFaxCalls_, kSoftFaxCallsKey, kSoftFaxText},
    };
    for (int p = 0; p < portCount_; ++p) {
        PortCallSettings& s = ports_[at(p)];
        const int port = kPortNumbers[at(p)];
        const int text = kFirstPortText + 5 * p;
        auto add = [&](Setting setting, Field<int>& field) {
            values.push_back({setting, port, &field, port_key(info(setting).keyFormat, p), text});
        };
        add(Setting::Acceptance, s.acceptance);
        add(Setting::CallerId, s.callerId);
        add(Setting::RingDelay, s.ringDelay);
        add(Setting::CallWaiting, s.callWaiting);
        add(Setting::LowerVolume, s.lowerVolume);
    }
    return values;
}

void CallAcceptancePage::on_built()
{
    adapt_to_model();
    // The pictures show the MSN page's choice; they offer no menu here.
    const PortPicture::Look displayOnly{false, false};
    for (int p = 0; p < portCount_; ++p)
        pictures_[at(p)] = std::make_unique<PortPicture>(shell_, *this, kPort11PicturePlace + p, p,
                                                         PortPictureKind::Analogue, displayOnly);
    pictures_[at(kDataPortIndex)] = std::make_unique<PortPicture>(
        shell_, *this, kDataPicturePlace, kDataPortPictureIndex, PortPictureKind::DataPort, displayOnly);
    for (int p = 0; p < kMaxPorts; ++p) {
        PortCallSettings& s = ports_[at(p)];
        const bool inUse = p < portCount_;
        add_selector(kPort11AcceptSelector + p, SelectorKind::AcceptanceMode, s.acceptance, inUse);
        add_selector(kPort11CallerIdSelector + p, SelectorKind::CallerId, s.callerId, inUse);
        add_selector(kPort11RingSelector + p, SelectorKind::RingCount, s.ringDelay, inUse);
    }
    add_selector(kDataAcceptSelector, SelectorKind::AcceptanceMode, dataCalls_, true);
    add_selector(kSoftFaxAcceptSelector, SelectorKind::AcceptanceMode, softFaxCalls_, true);
}

// The page keeps its own port count. The Q20 has three ports: the rows of
// ports 31 and 32 are hidden, and their values take no part.
void CallAcceptancePage::adapt_to_model()
{
    for (int p = portCount_; p < kMaxPorts; ++p) {
        PortCallSettings& s = ports_[at(p)];
        for (Field<int>* f : {&s.acceptance, &s.callerId, &s.ringDelay, &s.callWaiting, &s.lowerVolume})
            f->set_in_use(false);
        for (int id : {kPort11PicturePlace + p, kPort11Alias + p, kPort11MsnList + p, kPort11CallWaitingBox + p,
                       kPort11LowerVolumeBox + p})
            set_visible(id, false);
    }
}

// The selector replaces the template's control of the same id.
void CallAcceptancePage::add_selector(int controlId, SelectorKind kind, Field<int>& field, bool inUse)
{
    const resources::DialogTemplate* t = dialog_template();
    const resources::ControlTemplate* place = t ? t->control(controlId) : nullptr;
    if (!place)
        return;
    const bool shown = inUse && (place->style & resources::kStyleHidden) == 0;
    selectors_.push_back({std::make_unique<ListSelector>(*this, kind, controlId, place->rect, shown,
                                                         shell_.state.language),
                          &field});
}

void CallAcceptancePage::read_device()
{
    for (const AcceptanceValue& v : values_in_device_order()) {
        const SettingInfo& setting = info(v.setting);
        DrvCmd r = blank_record(v.port);
        // A query the device did not answer, or refused, reads as 0.
        const bool answered = accepted(shell_.gate.send(setting.code, &r), r);
        int value = 0;
        if (answered) {
            switch (setting.carrier) {
            case Carrier::Number: value = r.value; break;
            case Carrier::Switch: value = r.on != 0 ? 1 : 0; break;
            case Carrier::InvertedSwitch: value = r.on == 0 ? 1 : 0; break;
            }
        }
        // The selectors cannot show a number outside their list.
        v.field->read(value >= 0 && value < setting.count ? value : 0);
    }
    refresh();
}

void CallAcceptancePage::store_controls()
{
    for (BoundSelector& s : selectors_)
        if (s.field->in_use())
            s.field->edit(s.control->current());
    for (int p = 0; p < portCount_; ++p) {
        ports_[at(p)].callWaiting.edit(check(kPort11CallWaitingBox + p) != 0 ? 1 : 0);
        ports_[at(p)].lowerVolume.edit(check(kPort11LowerVolumeBox + p) != 0 ? 1 : 0);
    }
}

void CallAcceptancePage::refresh()
{
    show_names_and_msns();
    for (BoundSelector& s : selectors_)
        s.control->set_current(s.field->edited());
    for (int p = 0; p < portCount_; ++p) {
        set_check(kPort11CallWaitingBox + p, ports_[at(p)].callWaiting.edited());
        set_check(kPort11LowerVolumeBox + p, ports_[at(p)].lowerVolume.edited());
    }
}

// The names, MSNs and pictures are the MSN page's: shown as they are now.
void CallAcceptancePage::show_names_and_msns()
{
    const AppState& state = shell_.state;
    auto name = [&](int aliasIndex) {
        const std::string& alias = state.portAliases[at(aliasIndex)];
        return alias.empty() ? default_alias(aliasIndex) : alias;
    };
    auto without_empty = [](auto first, auto last) {
        std::vector<std::string> items;
        std::copy_if(first, last, std::back_inserter(items), [](const std::string& m) { return !m.empty(); });
        return items;
    };
    for (int p = 0; p < portCount_; ++p) {
        set_text(kPort11Alias + p, name(p));
        const auto& msns = state.portMsns[at(p)].msn;
        set_items(kPort11MsnList + p, without_empty(msns.begin(), msns.end()));
    }
    set_text(kDataAlias, name(kDataPortIndex));
    const auto& dataMsns = state.dataPortMsns.msn;
    const auto softFaxFirst = dataMsns.begin() + static_cast<std::ptrdiff_t>(kSoftFaxFirstMsn);
    set_items(kDataMsnList, without_empty(dataMsns.begin(), softFaxFirst));
    set_items(kSoftFaxMsnList, without_empty(softFaxFirst, dataMsns.end()));
    refresh_port_pictures(shell_, pictures_);
}

void CallAcceptancePage::relabel()
{
    for (int p = 0; p < kMaxPorts; ++p) {
        set_text(kPort11CallWaitingBox + p, shell_.text(kCallWaitingText));
        set_text(kPort11LowerVolumeBox + p, shell_.text(kLowerVolumeText));
    }
    set_text(kCallBackButton, shell_.text(kCallBackText));
    set_text(kSoftFaxLabel, one_line(shell_.text(kSoftFaxText)));
    for (BoundSelector& s : selectors_)
        s.control->set_language(shell_.state.language);
    for (auto& picture : pictures_)
        if (picture)
            shell_.ui.send(*picture, UWM_SET_LANGUAGE);
    refresh();
}

void CallAcceptancePage::on_command(int id, int code)
{
    if (is_switch_box(id) && code == BN_CLICKED) {
        store_controls();
        return;
    }
    if (id == kCallBackButton && code == BN_CLICKED) {
        run_callback_dialog();
        return;
    }
    Page::on_command(id, code);
}

void CallAcceptancePage::on_control_click(int controlId)
{
    for (BoundSelector& s : selectors_)
        if (s.control->id() == controlId)
            s.field->edit(s.control->current());
}

// The dialog starts from the callback settings the main window holds; the
// device is not read again here.
void CallAcceptancePage::run_callback_dialog()
{
    shell_.beep_if_sound();
    store_controls();
    if (auto* main = dynamic_cast<MainWindow*>(&main_))
        show_data_callback_dialog(*main);
}

void CallAcceptancePage::send_to_device(ValueReport& report)
{
    send(report, shell_.text(ids::kPageCaptionBase + 5 * index()), false);
}

// Each value that differs from its confirmed copy, in the device's order.
void CallAcceptancePage::send(ValueReport& report, const std::string& group, bool namesAreKeys)
{
    for (const AcceptanceValue& v : values_in_device_order()) {
        Field<int>& field = *v.field;
        if (!field.changed())
            continue;
        const SettingInfo& setting = info(v.setting);
        DrvCmd r = blank_record(v.port, 0, q30::OP_SET);
        switch (setting.carrier) {
        case Carrier::Number: r.value = field.edited(); break;
        case Carrier::Switch: r.on = field.edited() != 0 ? 1 : 0; break;
        case Carrier::InvertedSwitch: r.on = field.edited() != 0 ? 0 : 1; break;
        }
        const SetProblem problem = send_set(shell_.gate, setting.code, r);
        if (problem == SetProblem::None)
            field.accept();
        const std::string name =
            namesAreKeys ? v.key : one_line(shell_.text(v.portText)) + ": " + shell_.text(setting.nameText);
        report.add(group, name, problem);
    }
}

// The profile's values become the edited ones; what differs from the device
// is sent. A number outside its list is not taken (the device would refuse
// it, and no selector can show it).
void CallAcceptancePage::load_profile(const profile::IniDocument& profile, ValueReport& report)
{
    const char* section = profile::kAcceptanceSection;
    for (const AcceptanceValue& v : values_in_device_order()) {
        const SettingInfo& setting = info(v.setting);
        const int read = profile.read_int(section, v.key, 0);
        if (setting.carrier != Carrier::Number)
            v.field->edit(read != 0 ? 1 : 0);
        else if (read >= 0 && read < setting.count)
            v.field->edit(read);
        else
            report.add(section, v.key, SetProblem::NotAccepted);
    }
    refresh();
    send(report, section, true);
}

// The confirmed values: the data port's two, then each kind for every port.
void CallAcceptancePage::save_profile(profile::IniDocument& profile)
{
    std::vector<AcceptanceValue> values = values_in_device_order();
    std::stable_sort(values.begin(), values.end(),
                     [](const AcceptanceValue& a, const AcceptanceValue& b) { return a.setting < b.setting; });
    for (const AcceptanceValue& v : values)
        profile.write_int(profile::kAcceptanceSection, v.key, v.field->confirmed());
}

std::unique_ptr<Page> make_call_acceptance_page(ShellContext& shell, Window& mainWindow)
{
    return std::make_unique<CallAcceptancePage>(shell, mainWindow);
}

} // namespace quillon
