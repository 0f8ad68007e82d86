#include "pages/short_dial_page.h"

#include <cstdio>

#include "pages/destination_entry.h"
#include "platform/ui.h"
#include "profile/ini_document.h"
#include "profile/profile_keys.h"
#include "q30com32/q30com32.h"
#include "shell/device_set.h"
#include "shell/shell_ids.h"

namespace quillon {

using namespace platform;
using namespace short_dial_ids;
using namespace dialog_ids::short_dial;

namespace {

constexpr int kSmallerModelPorts = 3;

// SHORTDIAL_DIV keys.
constexpr const char* kSpecialRingKeyFormat = "CHKSPXRING%d";  // port index
constexpr const char* kNumberKeyFormat = "SDNUM%d%d";          // port index, slot

std::string key(const char* format, int a, int b = 0)
{
    char text[24];
    std::snprintf(text, sizeof text, format, a, b);
    return text;
}

std::size_t at(int i) { return static_cast<std::size_t>(i); }

// The page counts its controls from the first port's: ports in rows of ten slots.
static_assert(kPort32Slot9Edit == kPort11Slot0Edit + kMaxPorts * kSlotCount - 1);
static_assert(kPort32Slot9Button == kPort11Slot0Button + kMaxPorts * kSlotCount - 1);
static_assert(kPort32SpecialRingBox == kPort11SpecialRingBox + kMaxPorts - 1);
static_assert(kPort32PicturePlace == kPort11PicturePlace + kMaxPorts - 1);
static_assert(kPort32Label == kPort11Label + kMaxPorts - 1);
static_assert(kPort32AliasLabel == kPort11AliasLabel + kMaxPorts - 1);

int slot_edit(int port, int slot) { return kPort11Slot0Edit + kSlotCount * port + slot; }
int slot_button(int port, int slot) { return kPort11Slot0Button + kSlotCount * port + slot; }
bool is_slot_edit(int id) { return id >= kPort11Slot0Edit && id <= kPort32Slot9Edit; }
bool is_slot_button(int id) { return id >= kPort11Slot0Button && id <= kPort32Slot9Button; }

const char* flag_text(bool on) { return on ? "1" : "0"; }

} // namespace

ShortDialPage::ShortDialPage(ShellContext& shell, Window& mainWindow) : Page(shell, mainWindow, 2)
{
    for (auto& port : numbers_)
        values_.add_all(port);
    values_.add_all(specialRing_);
}

ShortDialPage::~ShortDialPage() = default;

const Field<std::string>& ShortDialPage::number(int port, int slot) const { return numbers_.at(at(port)).at(at(slot)); }
const Field<bool>& ShortDialPage::special_ring(int port) const { return specialRing_.at(at(port)); }

void ShortDialPage::on_built()
{
    adapt_to_model();
    for (int p = 0; p < port_count(); ++p)
        pictures_[at(p)] = std::make_unique<PortPicture>(shell_, *this, kPort11PicturePlace + p, p,
                                                         PortPictureKind::Analogue, PortPicture::Look{false, false});
}

// The Q20 has three ports: the rows of ports 31 and 32 are hidden, and
// their values take no part in changes, sends and profiles.
void ShortDialPage::adapt_to_model()
{
    portCount_ = shell_.state.smaller_model() ? kSmallerModelPorts : kMaxPorts;
    for (int p = 0; p < kMaxPorts; ++p) {
        const bool inUse = p < portCount_;
        for (auto& field : numbers_[at(p)])
            field.set_in_use(inUse);
        specialRing_[at(p)].set_in_use(inUse);
        if (inUse)
            continue;
        for (int s = 0; s < kSlotCount; ++s) {
            set_visible(slot_edit(p, s), false);
            set_visible(slot_button(p, s), false);
        }
        set_visible(kPort11SpecialRingBox + p, false);
        set_visible(kPort11PicturePlace + p, false);
        set_visible(kPort11Label + p, false);
        set_visible(kPort11AliasLabel + p, false);
    }
}

// A slot the device does not answer for reads as empty: a made-up number
// would go into a profile saved now and to the device when it is loaded.
void ShortDialPage::read_device()
{
    for (int p = 0; p < port_count(); ++p) {
        specialRing_[at(p)].read(query_switch(shell_.gate, q30::DRV_SPECIAL_RING, kPortNumbers[at(p)]));
    }
    for (int p = 0; p < port_count(); ++p) {
        for (int s = 0; s < kSlotCount; ++s)
            numbers_[at(p)][at(s)].read(query_text(shell_.gate, q30::DRV_SHORT_DIAL, kPortNumbers[at(p)], s));
    }
    refresh_pictures();
    refresh();
}

intptr_t ShortDialPage::on_message(const Message& m)
{
    if (m.id == UWM_PAGE_SHOW)
        refresh_pictures();  // the MSN page may have changed them
    return Page::on_message(m);
}

// The pictures are chosen on the MSN page and kept in the default profile.
void ShortDialPage::refresh_pictures()
{
    refresh_port_pictures(shell_, pictures_);
}

void ShortDialPage::store_controls()
{
    const PortNames names = port_names(shell_.state);
    for (int p = 0; p < port_count(); ++p) {
        specialRing_[at(p)].edit(check(kPort11SpecialRingBox + p) != 0);
        for (int s = 0; s < kSlotCount; ++s)
            store_destination(*this, slot_edit(p, s), numbers_[at(p)][at(s)], names);
    }
}

// Port labels, switches and slots from the edited values.
void ShortDialPage::refresh()
{
    const PortNames names = port_names(shell_.state);
    for (int p = 0; p < port_count(); ++p) {
        set_text(kPort11AliasLabel + p, names[at(p)]);
        set_check(kPort11SpecialRingBox + p, specialRing_[at(p)].edited() ? 1 : 0);
        for (int s = 0; s < kSlotCount; ++s)
            show_destination(*this, slot_edit(p, s), numbers_[at(p)][at(s)], names);
    }
}

// The controls into the values, then a port code typed shows as the port's name.
void ShortDialPage::take_input()
{
    store_controls();
    refresh();
}

void ShortDialPage::relabel()
{
    set_text(kIntroText, shell_.text(kIntroString));
    set_text(kSpecialRingHeading, shell_.text(kSpecialRingString));
    for (int p = 0; p < kMaxPorts; ++p)
        set_text(kPort11Label + p, shell_.text(kFirstPortCaption + 5 * p));
    for (auto& picture : pictures_)
        if (picture)
            shell_.ui.send(*picture, UWM_SET_LANGUAGE);
}

void ShortDialPage::on_command(int id, int code)
{
    if (is_slot_edit(id) && code == EN_CHANGE) {
        check_typed(id);
        return;
    }
    if (is_slot_edit(id) && code == EN_KILLFOCUS) {
        left_field(id);
        return;
    }
    if (code != BN_CLICKED) {
        Page::on_command(id, code);
        return;
    }
    if (is_slot_button(id)) {
        // The buttons only label the slots: a click goes to the slot.
        set_focus(id - kPort11Slot0Button + kPort11Slot0Edit);
        return;
    }
    if (id == ID_SEND) {
        // The Send button sends the whole table, changed or not.
        shell_.beep_if_sound();
        take_input();
        ValueReport report;
        send(SendScope::All, report, shell_.text(ids::kPageCaptionBase + 5 * index()), Naming::Label);
        report.tell(shell_, this, ids::kSendNotAccepted);
        return;
    }
    Page::on_command(id, code);
}

void ShortDialPage::confirm_field()
{
    take_input();
    Page::confirm_field();
}

Field<std::string>& ShortDialPage::field_of(int editId)
{
    const int n = editId - kPort11Slot0Edit;
    return numbers_[at(n / kSlotCount)][at(n % kSlotCount)];
}

void ShortDialPage::check_typed(int editId)
{
    if (accept_typed_destination(shell_, *this, text(editId), TooLongMessage::Own))
        return;
    revert(editId);
}

// A port code or name left half typed goes back to what the device holds.
void ShortDialPage::left_field(int editId)
{
    if (ClassifyDestination(text(editId), port_names(shell_.state)) == DEST_INCOMPLETE)
        revert(editId);
    else
        take_input();
}

// What was typed into the other slots stays; this one gets the device's value.
void ShortDialPage::revert(int editId)
{
    store_controls();
    Field<std::string>& field = field_of(editId);
    field.edit(field.confirmed());
    refresh();
    set_focus(editId);
}

void ShortDialPage::send_to_device(ValueReport& report)
{
    take_input();
    send(SendScope::Changed, report, shell_.text(ids::kPageCaptionBase + 5 * index()), Naming::Label);
}

// Every switch first, then the slots port by port. A value the device did
// not take stays changed.
void ShortDialPage::send(SendScope scope, ValueReport& report, const std::string& group, Naming naming)
{
    const bool all = scope == SendScope::All;
    auto name = [&](int p, const std::string& what, const std::string& profileKey) {
        return naming == Naming::ProfileKey ? profileKey : shell_.text(kFirstPortCaption + 5 * p) + ": " + what;
    };
    for (int p = 0; p < port_count(); ++p) {
        const std::string label = name(p, shell_.text(kSpecialRingString), key(kSpecialRingKeyFormat, p));
        send_switch(shell_, {q30::DRV_SPECIAL_RING, kPortNumbers[at(p)], 0, group, label}, specialRing_[at(p)], all,
                    report);
    }
    for (int p = 0; p < port_count(); ++p) {
        for (int s = 0; s < kSlotCount; ++s) {
            const std::string label =
                name(p, shell_.text(kShortDialWord) + " " + std::to_string(s), key(kNumberKeyFormat, p, s));
            send_destination(shell_, {q30::DRV_SHORT_DIAL, kPortNumbers[at(p)], s, group, label},
                             numbers_[at(p)][at(s)], all, report);
        }
    }
}

void ShortDialPage::load_profile(const profile::IniDocument& profile, ValueReport& report)
{
    const char* section = profile::kShortDialSection;
    for (int p = 0; p < port_count(); ++p)
        specialRing_[at(p)].edit(profile.read_int(section, key(kSpecialRingKeyFormat, p), 0) != 0);
    for (int p = 0; p < port_count(); ++p)
        for (int s = 0; s < kSlotCount; ++s)
            numbers_[at(p)][at(s)].edit(profile.read_string(section, key(kNumberKeyFormat, p, s), ""));
    refresh();
    send(SendScope::All, report, section, Naming::ProfileKey);
}

void ShortDialPage::save_profile(profile::IniDocument& profile)
{
    const char* section = profile::kShortDialSection;
    for (int p = 0; p < port_count(); ++p)
        profile.write_string(section, key(kSpecialRingKeyFormat, p), flag_text(specialRing_[at(p)].confirmed()));
    for (int p = 0; p < port_count(); ++p)
        for (int s = 0; s < kSlotCount; ++s)
            profile.write_string(section, key(kNumberKeyFormat, p, s), numbers_[at(p)][at(s)].confirmed());
}

std::unique_ptr<Page> make_short_dial_page(ShellContext& shell, Window& mainWindow)
{
    return std::make_unique<ShortDialPage>(shell, mainWindow);
}

} // namespace quillon
