#include "pages/msn_page.h"

#include "pages/phone_number.h"

#include <algorithm>
#include <cstdio>

#include "platform/ui.h"
#include "profile/ini_file.h"
#include "profile/profile_keys.h"
#include "q30com32/q30com32.h"
#include "shell/shell_ids.h"

namespace quillon {

using namespace platform;
using namespace msn_ids;

namespace {

constexpr int kSmallerModelPorts = 3;
constexpr int kDataPortIndex = kAliasCount - 1;  // aliases and pictures: after the five analogue ports

// MSN_DIV keys beside the aliases and pictures.
constexpr const char* kMsnKeyFormat = "AMSN%d%d";  // port index, MSN index
constexpr const char* kClipKeyFormat = "ACLIP%d";  // port index
constexpr const char* kDataMsnKeyFormat = "DMSN%d";
constexpr const char* kDataClipKey = "DCLIP";

std::string key(const char* format, int a, int b = 0)
{
    char text[24];
    std::snprintf(text, sizeof text, format, a, b);
    return text;
}

std::string alias_key(int aliasIndex)
{
    return aliasIndex == kDataPortIndex ? profile::kDataAliasKey : key(profile::kAliasKeyFormat, aliasIndex);
}

std::size_t at(int i) { return static_cast<std::size_t>(i); }

int alias_edit(int aliasIndex) { return aliasIndex == kDataPortIndex ? kDataAliasEdit : kFirstAliasEdit + aliasIndex; }
int msn_edit(int port, int index) { return kFirstMsnEdit + kPortMsnCount * port + index; }
int data_msn_edit(int index) { return kFirstDataMsnEdit + index; }
int clip_box(int port) { return kFirstClipBox + port; }
bool is_msn_edit(int id) { return id >= kFirstMsnEdit && id <= kLastMsnEdit; }
bool is_clip_box(int id) { return id >= kFirstClipBox && id <= kDataClipBox; }

// The profile functions drop one pair of enclosing quotes and the blanks at
// either end; such a name is written inside a further pair of quotes so
// that it reads back as it was.
std::string profile_text(const std::string& text)
{
    if (text.empty())
        return text;
    const bool blankAtEnd = text.front() == ' ' || text.back() == ' ' || text.front() == '\t' || text.back() == '\t';
    const bool quoted = text.size() >= 2 && text.front() == text.back() && (text.front() == '"' || text.front() == '\'');
    return blankAtEnd || quoted ? "\"" + text + "\"" : text;
}

const char* flag_text(bool on) { return on ? "1" : "0"; }

// Every value of the ports in use and of the data port.
bool same_values(const MsnPage::Values& a, const MsnPage::Values& b, int portCount)
{
    for (int p = 0; p < portCount; ++p)
        if (a.ports[at(p)].msn != b.ports[at(p)].msn || a.ports[at(p)].clip != b.ports[at(p)].clip ||
            a.aliases[at(p)] != b.aliases[at(p)])
            return false;
    return a.dataPort.msn == b.dataPort.msn && a.dataPort.clip == b.dataPort.clip &&
           a.aliases[at(kDataPortIndex)] == b.aliases[at(kDataPortIndex)];
}

} // namespace

bool valid_msn(const std::string& text) { return is_phone_number_text(text); }

MsnPage::MsnPage(ShellContext& shell, Window& mainWindow) : Page(shell, mainWindow, 0) {}

MsnPage::~MsnPage() = default;

// The controls are set up with the first message after the window was
// built, as Page::build() offers no later step of its own.
intptr_t MsnPage::on_message(const Message& m)
{
    if (!controlsReady_ && created())
        set_up_controls();
    return Page::on_message(m);
}

bool MsnPage::on_key(Key key)
{
    if (!controlsReady_ && created())
        set_up_controls();
    return Page::on_key(key);
}

void MsnPage::set_up_controls()
{
    controlsReady_ = true;
    adapt_to_model();
    const PortPicture::Look look{true, true};
    for (int i = 0; i < kAliasCount; ++i) {
        if (i < port_count())
            pictures_[at(i)] = std::make_unique<PortPicture>(shell_, *this, kFirstPicturePlace + i, i,
                                                             PortPictureKind::Analogue, look);
        else if (i == kDataPortIndex)
            pictures_[at(i)] = std::make_unique<PortPicture>(shell_, *this, kFirstPicturePlace + i,
                                                             kDataPortPictureIndex, PortPictureKind::DataPort, look);
    }
}

void MsnPage::adapt_to_model()
{
    AppState& state = shell_.state;
    state.portCount = state.smaller_model() ? kSmallerModelPorts : kMaxPorts;
    for (int p = state.portCount; p < kMaxPorts; ++p) {
        set_visible(kFirstPicturePlace + p, false);
        set_visible(alias_edit(p), false);
        for (int j = 0; j < kPortMsnCount; ++j)
            set_visible(msn_edit(p, j), false);
        set_visible(clip_box(p), false);
        set_visible(kFirstLabel + p, false);
    }
}

int MsnPage::port_count() const { return std::clamp(shell_.state.portCount, 0, kMaxPorts); }

PortPicture* MsnPage::picture(int pictureIndex) const
{
    return pictureIndex >= 0 && pictureIndex < kAliasCount ? pictures_[at(pictureIndex)].get() : nullptr;
}

void MsnPage::read_device()
{
    const AppState& state = shell_.state;
    edited_.ports = state.portMsns;
    edited_.dataPort = state.dataPortMsns;
    for (int i = 0; i < kAliasCount; ++i) {
        const std::string& alias = state.portAliases[at(i)];
        edited_.aliases[at(i)] = alias.empty() ? default_alias(i) : alias;
    }
    confirmed_ = edited_;
    refresh();
}

void MsnPage::store_controls()
{
    for (int p = 0; p < port_count(); ++p) {
        PortMsns& port = edited_.ports[at(p)];
        for (int j = 0; j < kPortMsnCount; ++j)
            port.msn[at(j)] = text(msn_edit(p, j));
        port.clip = check(clip_box(p)) != 0;
        edited_.aliases[at(p)] = text(alias_edit(p));
    }
    for (int j = 0; j < kDataPortMsnCount; ++j)
        edited_.dataPort.msn[at(j)] = text(data_msn_edit(j));
    edited_.dataPort.clip = check(kDataClipBox) != 0;
    edited_.aliases[at(kDataPortIndex)] = text(kDataAliasEdit);
}

void MsnPage::refresh()
{
    for (int p = 0; p < port_count(); ++p) {
        const PortMsns& port = edited_.ports[at(p)];
        for (int j = 0; j < kPortMsnCount; ++j)
            set_text(msn_edit(p, j), port.msn[at(j)]);
        set_check(clip_box(p), port.clip ? 1 : 0);
        set_text(alias_edit(p), edited_.aliases[at(p)]);
    }
    for (int j = 0; j < kDataPortMsnCount; ++j)
        set_text(data_msn_edit(j), edited_.dataPort.msn[at(j)]);
    set_check(kDataClipBox, edited_.dataPort.clip ? 1 : 0);
    set_text(kDataAliasEdit, edited_.aliases[at(kDataPortIndex)]);
}

bool MsnPage::changed() const { return !same_values(edited_, confirmed_, port_count()); }

void MsnPage::discard_changes()
{
    edited_ = confirmed_;
    refresh();
}

void MsnPage::relabel()
{
    for (int k = 0; k < kLabelCount; ++k)
        set_text(kFirstLabel + k, shell_.text(kFirstLabelText + 5 * k));
    send_to_pictures(UWM_SET_LANGUAGE, 0);
}

void MsnPage::on_command(int id, int code)
{
    if (is_msn_edit(id) && code == EN_CHANGE) {
        check_typed_msn(id);
        return;
    }
    if ((is_msn_edit(id) && code == EN_KILLFOCUS) || (is_clip_box(id) && code == BN_CLICKED)) {
        store_controls();
        return;
    }
    Page::on_command(id, code);
}

void MsnPage::on_control_click(int controlId)
{
    for (auto& picture : pictures_)
        if (picture && picture->on_control_click(controlId))
            return;
}

std::string& MsnPage::edited_msn_of(int controlId)
{
    const int n = controlId - kFirstMsnEdit;
    if (controlId >= kFirstDataMsnEdit)
        return edited_.dataPort.msn[at(controlId - kFirstDataMsnEdit)];
    return edited_.ports[at(n / kPortMsnCount)].msn[at(n % kPortMsnCount)];
}

const std::string& MsnPage::device_msn_of(int controlId) const
{
    const AppState& state = shell_.state;
    const int n = controlId - kFirstMsnEdit;
    if (controlId >= kFirstDataMsnEdit)
        return state.dataPortMsns.msn[at(controlId - kFirstDataMsnEdit)];
    return state.portMsns[at(n / kPortMsnCount)].msn[at(n % kPortMsnCount)];
}

void MsnPage::check_typed_msn(int controlId)
{
    if (valid_msn(text(controlId)))
        return;
    // The message box takes the focus, and the edit stores its bad text on
    // leaving: the field is put back only once the box is closed. What was
    // typed into the other fields stays.
    shell_.ui.message_box(this, shell_.text(kDigitsOnlyMessage), shell_.ui.text(ids::kProgramTitle));
    store_controls();
    edited_msn_of(controlId) = device_msn_of(controlId);
    refresh();
    set_focus(controlId);
}

void MsnPage::send_to_device() { send(SendKind::Changes); }

void MsnPage::tick() const { shell_.ui.send(main_, UWM_PROGRESS_TICK); }

// A profile load sends every value whatever the device copy says, with a
// progress tick after each MSN, each port's CLIP and each data-port MSN.
void MsnPage::send(SendKind kind)
{
    store_controls();
    AppState& state = shell_.state;
    const bool loading = kind == SendKind::ProfileLoad;

    for (int p = 0; p < port_count(); ++p) {
        const int port = kPortNumbers[at(p)];
        for (int j = 0; j < kPortMsnCount; ++j) {
            const std::string& msn = edited_.ports[at(p)].msn[at(j)];
            if ((loading || msn != state.portMsns[at(p)].msn[at(j)]) &&
                send_msn(port, j, msn, key(kMsnKeyFormat, p, j).c_str(), kind))
                state.portMsns[at(p)].msn[at(j)] = confirmed_.ports[at(p)].msn[at(j)] = msn;
            if (loading)
                tick();
        }
    }
    for (int p = 0; p < port_count(); ++p) {
        const bool clip = edited_.ports[at(p)].clip;
        if ((loading || clip != state.portMsns[at(p)].clip) && send_clip(kPortNumbers[at(p)], clip))
            state.portMsns[at(p)].clip = confirmed_.ports[at(p)].clip = clip;
        if (loading)
            tick();
    }
    for (int j = 0; j < kDataPortMsnCount; ++j) {
        const std::string& msn = edited_.dataPort.msn[at(j)];
        if ((loading || msn != state.dataPortMsns.msn[at(j)]) &&
            send_msn(q30::kDevicePort, j, msn, key(kDataMsnKeyFormat, j).c_str(), kind))
            state.dataPortMsns.msn[at(j)] = confirmed_.dataPort.msn[at(j)] = msn;
        if (loading)
            tick();
    }
    const bool dataClip = edited_.dataPort.clip;
    if (loading || dataClip != state.dataPortMsns.clip) {
        if (send_clip(q30::kDevicePort, dataClip))
            state.dataPortMsns.clip = confirmed_.dataPort.clip = dataClip;
        if (loading)
            tick();
    }

    apply_aliases_and_pictures();
    shell_.ui.send(main_, UWM_REREAD_FORWARDING);
}

bool MsnPage::send_msn(int port, int index, const std::string& msn, const char* profileKey, SendKind kind)
{
    DrvCmd r = blank_record(port, index, q30::OP_SET);
    int32_t result = q30::kResultRefused;
    // A text the record cannot hold whole is not sent cut short.
    if (msn.size() < sizeof r.str) {
        q30::record::set_str(r, msn);
        result = shell_.gate.send(q30::DRV_MSN, &r);
    }
    if (result == q30::kResultRefused && kind == SendKind::ProfileLoad)
        refusedKeys_.emplace_back(profileKey);
    return result == q30::kResultOk && r.ok == 1;
}

bool MsnPage::send_clip(int port, bool on)
{
    DrvCmd r = blank_record(port, 0, q30::OP_SET);
    r.on = on ? 1 : 0;
    return shell_.gate.send(q30::DRV_CLIP, &r) == q30::kResultOk && r.ok == 1;
}

void MsnPage::apply_aliases_and_pictures()
{
    AppState& state = shell_.state;
    for (int i = 0; i < kAliasCount; ++i) {
        if (i >= port_count() && i != kDataPortIndex)
            continue;
        std::string& alias = edited_.aliases[at(i)];
        if (alias.empty())
            alias = default_alias(i);
        const std::string written = alias == default_alias(i) ? std::string() : profile_text(alias);
        // A profile that cannot be written keeps its old names; the program
        // goes on with the new ones.
        (void)profile::write_string(state.defaultProfilePath, profile::kMsnSection, alias_key(i), written);
        state.portAliases[at(i)] = confirmed_.aliases[at(i)] = alias;
    }
    send_to_pictures(UWM_SAVE_PROFILE, 0);
    refresh();
}

void MsnPage::send_to_pictures(uint32_t message, uintptr_t wparam)
{
    for (auto& picture : pictures_)
        if (picture)
            shell_.ui.send(*picture, message, wparam);
}

const std::string& MsnPage::profile_path(int which) const
{
    return which == 1 ? shell_.state.chosenProfilePath : shell_.state.defaultProfilePath;
}

void MsnPage::load_profile(int which)
{
    refusedKeys_.clear();
    send_to_pictures(UWM_LOAD_PROFILE, static_cast<uintptr_t>(which));
    const std::string& path = profile_path(which);
    auto read_text = [&](const std::string& name) { return profile::read_string(path, profile::kMsnSection, name, ""); };
    auto read_flag = [&](const std::string& name) { return profile::read_int(path, profile::kMsnSection, name, 0) != 0; };

    for (int p = 0; p < port_count(); ++p) {
        edited_.aliases[at(p)] = read_text(alias_key(p));
        for (int j = 0; j < kPortMsnCount; ++j)
            edited_.ports[at(p)].msn[at(j)] = read_text(key(kMsnKeyFormat, p, j));
        edited_.ports[at(p)].clip = read_flag(key(kClipKeyFormat, p));
    }
    edited_.aliases[at(kDataPortIndex)] = read_text(alias_key(kDataPortIndex));
    for (int j = 0; j < kDataPortMsnCount; ++j)
        edited_.dataPort.msn[at(j)] = read_text(key(kDataMsnKeyFormat, j));
    edited_.dataPort.clip = read_flag(kDataClipKey);
    refresh();
    send(SendKind::ProfileLoad);
}

void MsnPage::save_profile(int which)
{
    send_to_pictures(UWM_SAVE_PROFILE, static_cast<uintptr_t>(which));
    const std::string& path = profile_path(which);
    const AppState& state = shell_.state;
    auto write = [&](const std::string& name, const std::string& value) {
        // Write problems reach the user through the profile sequence.
        (void)profile::write_string(path, profile::kMsnSection, name, value);
    };
    for (int i = 0; i < kAliasCount; ++i) {
        if (i >= port_count() && i != kDataPortIndex)
            continue;
        const std::string& alias = state.portAliases[at(i)];
        write(alias_key(i), alias == default_alias(i) ? std::string() : profile_text(alias));
    }
    for (int p = 0; p < port_count(); ++p) {
        for (int j = 0; j < kPortMsnCount; ++j)
            write(key(kMsnKeyFormat, p, j), confirmed_.ports[at(p)].msn[at(j)]);
        write(key(kClipKeyFormat, p), flag_text(confirmed_.ports[at(p)].clip));
    }
    for (int j = 0; j < kDataPortMsnCount; ++j)
        write(key(kDataMsnKeyFormat, j), confirmed_.dataPort.msn[at(j)]);
    write(kDataClipKey, flag_text(confirmed_.dataPort.clip));
}

std::unique_ptr<Page> make_msn_page(ShellContext& shell, Window& main) { return std::make_unique<MsnPage>(shell, main); }

} // namespace quillon
