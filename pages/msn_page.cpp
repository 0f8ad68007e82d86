#include "pages/msn_page.h"

#include "pages/phone_number.h"

#include <algorithm>
#include <cstdio>

#include "platform/ui.h"
#include "profile/ini_document.h"
#include "shell/device_set.h"
#include "profile/profile_keys.h"
#include "q30com32/q30com32.h"
#include "shell/shell_ids.h"

namespace quillon {

using namespace platform;
using namespace msn_ids;
using namespace dialog_ids::msn;

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

// The page counts its controls in rows from the first port's: by port index
// (the data port's after the five analogue ones) and by MSN index.
static_assert(kPort32AliasEdit == kPort11AliasEdit + kMaxPorts - 1);
static_assert(kPort32Msn3Edit == kPort11Msn1Edit + kMaxPorts * kPortMsnCount - 1);
static_assert(kDataMsn1Edit == kPort32Msn3Edit + 1 && kDataMsn5Edit == kDataMsn1Edit + kDataPortMsnCount - 1);
static_assert(kDataClipBox == kPort11ClipBox + kMaxPorts);
static_assert(kDataPicturePlace == kPort11PicturePlace + kDataPortIndex);
static_assert(kDataLabel == kPort11Label + kDataPortIndex && kSoftFaxLabel == kPort11Label + kLabelCount - 1);

int alias_edit(int aliasIndex) { return aliasIndex == kDataPortIndex ? kDataAliasEdit : kPort11AliasEdit + aliasIndex; }
int msn_edit(int port, int index) { return kPort11Msn1Edit + kPortMsnCount * port + index; }
int data_msn_edit(int index) { return kDataMsn1Edit + index; }
int clip_box(int port) { return kPort11ClipBox + port; }
bool is_msn_edit(int id) { return id >= kPort11Msn1Edit && id <= kDataMsn5Edit; }
bool is_clip_box(int id) { return id >= kPort11ClipBox && id <= kDataClipBox; }

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

// What the profile holds for an alias: nothing for the default name.
std::string alias_profile_text(const std::string& alias, int aliasIndex)
{
    return alias == default_alias(aliasIndex) ? std::string() : profile_text(alias);
}

} // namespace

bool valid_msn(const std::string& text) { return is_phone_number_text(text); }

MsnPage::MsnPage(ShellContext& shell, Window& mainWindow) : Page(shell, mainWindow, 0)
{
    AppState& state = shell_.state;
    for (int p = 0; p < kMaxPorts; ++p) {
        for (int j = 0; j < kPortMsnCount; ++j)
            msns_[at(p)][at(j)].bind_device(&state.portMsns[at(p)].msn[at(j)]);
        clips_[at(p)].bind_device(&state.portMsns[at(p)].clip);
        values_.add_all(msns_[at(p)]);
    }
    for (int j = 0; j < kDataPortMsnCount; ++j)
        dataMsns_[at(j)].bind_device(&state.dataPortMsns.msn[at(j)]);
    dataClip_.bind_device(&state.dataPortMsns.clip);
    for (int i = 0; i < kAliasCount; ++i)
        aliases_[at(i)].bind_device(&state.portAliases[at(i)]);
    values_.add_all(clips_);
    values_.add_all(dataMsns_);
    values_.add(dataClip_);
    values_.add_all(aliases_);
}

MsnPage::~MsnPage() = default;

const Field<std::string>& MsnPage::msn(int port, int index) const { return msns_.at(at(port)).at(at(index)); }
const Field<std::string>& MsnPage::data_msn(int index) const { return dataMsns_.at(at(index)); }
const Field<std::string>& MsnPage::alias(int aliasIndex) const { return aliases_.at(at(aliasIndex)); }

void MsnPage::on_built()
{
    adapt_to_model();
    const PortPicture::Look look{true, true};
    for (int i = 0; i < kAliasCount; ++i) {
        if (i < port_count())
            pictures_[at(i)] = std::make_unique<PortPicture>(shell_, *this, kPort11PicturePlace + i, i,
                                                             PortPictureKind::Analogue, look);
        else if (i == kDataPortIndex)
            pictures_[at(i)] = std::make_unique<PortPicture>(shell_, *this, kPort11PicturePlace + i,
                                                             kDataPortPictureIndex, PortPictureKind::DataPort, look);
    }
}

// The Q20 has three ports: the rows of ports 31 and 32 are hidden, and
// their values take no part in changes, sends and profiles.
void MsnPage::adapt_to_model()
{
    AppState& state = shell_.state;
    state.portCount = state.smaller_model() ? kSmallerModelPorts : kMaxPorts;
    for (int p = 0; p < kMaxPorts; ++p) {
        const bool inUse = p < state.portCount;
        for (auto& field : msns_[at(p)])
            field.set_in_use(inUse);
        clips_[at(p)].set_in_use(inUse);
        aliases_[at(p)].set_in_use(inUse);
        if (inUse)
            continue;
        set_visible(kPort11PicturePlace + p, false);
        set_visible(alias_edit(p), false);
        for (int j = 0; j < kPortMsnCount; ++j)
            set_visible(msn_edit(p, j), false);
        set_visible(clip_box(p), false);
        set_visible(kPort11Label + p, false);
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
    for (int p = 0; p < kMaxPorts; ++p) {
        for (int j = 0; j < kPortMsnCount; ++j)
            msns_[at(p)][at(j)].read(state.portMsns[at(p)].msn[at(j)]);
        clips_[at(p)].read(state.portMsns[at(p)].clip);
    }
    for (int j = 0; j < kDataPortMsnCount; ++j)
        dataMsns_[at(j)].read(state.dataPortMsns.msn[at(j)]);
    dataClip_.read(state.dataPortMsns.clip);
    for (int i = 0; i < kAliasCount; ++i) {
        const std::string alias = state.portAliases[at(i)];
        aliases_[at(i)].read(alias.empty() ? default_alias(i) : alias);
    }
    refresh();
}

void MsnPage::store_controls()
{
    for (int p = 0; p < port_count(); ++p) {
        for (int j = 0; j < kPortMsnCount; ++j)
            msns_[at(p)][at(j)].edit(text(msn_edit(p, j)));
        clips_[at(p)].edit(check(clip_box(p)) != 0);
        aliases_[at(p)].edit(text(alias_edit(p)));
    }
    for (int j = 0; j < kDataPortMsnCount; ++j)
        dataMsns_[at(j)].edit(text(data_msn_edit(j)));
    dataClip_.edit(check(kDataClipBox) != 0);
    aliases_[at(kDataPortIndex)].edit(text(kDataAliasEdit));
}

void MsnPage::refresh()
{
    for (int p = 0; p < port_count(); ++p) {
        for (int j = 0; j < kPortMsnCount; ++j)
            set_text(msn_edit(p, j), msns_[at(p)][at(j)].edited());
        set_check(clip_box(p), clips_[at(p)].edited() ? 1 : 0);
        set_text(alias_edit(p), aliases_[at(p)].edited());
    }
    for (int j = 0; j < kDataPortMsnCount; ++j)
        set_text(data_msn_edit(j), dataMsns_[at(j)].edited());
    set_check(kDataClipBox, dataClip_.edited() ? 1 : 0);
    set_text(kDataAliasEdit, aliases_[at(kDataPortIndex)].edited());
}

void MsnPage::relabel()
{
    for (int k = 0; k < kLabelCount; ++k)
        set_text(kPort11Label + k, shell_.text(kFirstLabelText + 5 * k));
    for (auto& picture : pictures_)
        if (picture)
            shell_.ui.send(*picture, UWM_SET_LANGUAGE);
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

Field<std::string>& MsnPage::msn_field_of(int controlId)
{
    if (controlId >= kDataMsn1Edit)
        return dataMsns_[at(controlId - kDataMsn1Edit)];
    const int n = controlId - kPort11Msn1Edit;
    return msns_[at(n / kPortMsnCount)][at(n % kPortMsnCount)];
}

void MsnPage::check_typed_msn(int controlId)
{
    const std::string typed = text(controlId);
    if (valid_msn(typed))
        return;
    // The message box takes the focus, and the edit stores its bad text on
    // leaving: the field is put back only once the box is closed. What was
    // typed into the other fields stays.
    const bool tooLong = typed.size() > kMaxPhoneDigits && valid_msn(typed.substr(0, kMaxPhoneDigits));
    shell_.ui.message_box(this, shell_.text(tooLong ? ids::kMax15Digits : kDigitsOnlyMessage),
                          shell_.ui.text(ids::kProgramTitle));
    store_controls();
    Field<std::string>& field = msn_field_of(controlId);
    field.edit(field.device());
    refresh();
    set_focus(controlId);
}

std::string MsnPage::value_name(int labelIndex, const std::string& what) const
{
    return shell_.text(kFirstLabelText + 5 * labelIndex) + ": " + what;
}

void MsnPage::send_to_device(ValueReport& report) { send(SendKind::Changes, report, shell_.text(ids::kPageCaptionBase)); }

void MsnPage::tick() const { shell_.ui.send(main_, UWM_PROGRESS_TICK); }

// A profile load sends every value whatever the device copy says, with a
// progress tick after each MSN, each port's CLIP and each data-port MSN.
void MsnPage::send(SendKind kind, ValueReport& report, const std::string& group)
{
    const bool loading = kind == SendKind::ProfileLoad;
    auto name = [&](int labelIndex, const std::string& what, const std::string& key) {
        return loading ? key : value_name(labelIndex, what);
    };
    for (int p = 0; p < port_count(); ++p)
        for (int j = 0; j < kPortMsnCount; ++j)
            send_msn(kPortNumbers[at(p)], j, msns_[at(p)][at(j)],
                     name(p, "MSN " + std::to_string(j + 1), key(kMsnKeyFormat, p, j)), kind, report, group);
    for (int p = 0; p < port_count(); ++p)
        send_clip(kPortNumbers[at(p)], clips_[at(p)], name(p, "CLIP", key(kClipKeyFormat, p)), kind, report,
                  group);
    for (int j = 0; j < kDataPortMsnCount; ++j)
        send_msn(q30::kDevicePort, j, dataMsns_[at(j)],
                 name(kDataPortIndex, "MSN " + std::to_string(j + 1), key(kDataMsnKeyFormat, j)), kind, report,
                 group);
    send_clip(q30::kDevicePort, dataClip_, name(kDataPortIndex, "CLIP", kDataClipKey), kind, report, group);

    apply_aliases_and_pictures();
    shell_.ui.send(main_, UWM_REREAD_FORWARDING);
}

void MsnPage::send_msn(int port, int index, Field<std::string>& field, const std::string& name, SendKind kind,
                       ValueReport& report, const std::string& group)
{
    const bool loading = kind == SendKind::ProfileLoad;
    if (loading || field.differs_from_device()) {
        DrvCmd r = blank_record(port, index, q30::OP_SET);
        const SetProblem problem = send_text_set(shell_.gate, q30::DRV_MSN, r, field.edited());
        if (problem == SetProblem::None)
            field.accept();
        report.add(group, name, problem);
    }
    if (loading)
        tick();
}

void MsnPage::send_clip(int port, Field<bool>& field, const std::string& name, SendKind kind, ValueReport& report,
                        const std::string& group)
{
    const bool loading = kind == SendKind::ProfileLoad;
    if (!loading && !field.differs_from_device())
        return;
    DrvCmd r = blank_record(port, 0, q30::OP_SET);
    r.on = field.edited() ? 1 : 0;
    const SetProblem problem = send_set(shell_.gate, q30::DRV_CLIP, r);
    if (problem == SetProblem::None)
        field.accept();
    report.add(group, name, problem);
    if (loading)
        tick();
}

// The names and pictures live in the default profile, not in the device:
// they are taken as they are, in one write of that file.
void MsnPage::apply_aliases_and_pictures()
{
    profile::IniDocument defaults = profile::IniDocument::open(shell_.state.defaultProfilePath);
    for (int i = 0; i < kAliasCount; ++i) {
        if (i >= port_count() && i != kDataPortIndex)
            continue;
        Field<std::string>& alias = aliases_[at(i)];
        if (alias.edited().empty())
            alias.edit(default_alias(i));
        defaults.write_string(profile::kMsnSection, alias_key(i), alias_profile_text(alias.edited(), i));
        alias.accept();
    }
    for (auto& picture : pictures_)
        if (picture)
            picture->write_choice(defaults);
    // A profile that cannot be written keeps its old names; the program
    // goes on with the new ones.
    (void)defaults.commit();
    refresh();
}

void MsnPage::load_profile(const profile::IniDocument& profile, ValueReport& report)
{
    for (auto& picture : pictures_)
        if (picture)
            picture->read_choice(profile);
    auto read_text = [&](const std::string& name) { return profile.read_string(profile::kMsnSection, name, ""); };
    auto read_flag = [&](const std::string& name) { return profile.read_int(profile::kMsnSection, name, 0) != 0; };

    for (int p = 0; p < port_count(); ++p) {
        aliases_[at(p)].edit(read_text(alias_key(p)));
        for (int j = 0; j < kPortMsnCount; ++j)
            msns_[at(p)][at(j)].edit(read_text(key(kMsnKeyFormat, p, j)));
        clips_[at(p)].edit(read_flag(key(kClipKeyFormat, p)));
    }
    aliases_[at(kDataPortIndex)].edit(read_text(alias_key(kDataPortIndex)));
    for (int j = 0; j < kDataPortMsnCount; ++j)
        dataMsns_[at(j)].edit(read_text(key(kDataMsnKeyFormat, j)));
    dataClip_.edit(read_flag(kDataClipKey));
    refresh();
    send(SendKind::ProfileLoad, report, profile_section());
}

void MsnPage::save_profile(profile::IniDocument& profile)
{
    for (auto& picture : pictures_)
        if (picture)
            picture->write_choice(profile);
    auto write = [&](const std::string& name, const std::string& value) {
        profile.write_string(profile::kMsnSection, name, value);
    };
    for (int i = 0; i < kAliasCount; ++i)
        if (i < port_count() || i == kDataPortIndex)
            write(alias_key(i), alias_profile_text(aliases_[at(i)].device(), i));
    for (int p = 0; p < port_count(); ++p) {
        for (int j = 0; j < kPortMsnCount; ++j)
            write(key(kMsnKeyFormat, p, j), msns_[at(p)][at(j)].confirmed());
        write(key(kClipKeyFormat, p), flag_text(clips_[at(p)].confirmed()));
    }
    for (int j = 0; j < kDataPortMsnCount; ++j)
        write(key(kDataMsnKeyFormat, j), dataMsns_[at(j)].confirmed());
    write(kDataClipKey, flag_text(dataClip_.confirmed()));
}

std::unique_ptr<Page> make_msn_page(ShellContext& shell, Window& mainWindow)
{
    return std::make_unique<MsnPage>(shell, mainWindow);
}

} // namespace quillon
