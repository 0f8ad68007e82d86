#include "pages/call_filter_page.h"

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
using namespace call_filter_ids;
using namespace dialog_ids::call_filter;

namespace {

constexpr int kSmallerModelPorts = 3;

// FILTER_DIV keys: the column index 0..5, also where the Q20 lacks columns 3 and 4.
constexpr const char* kActivatedKeyFormat = "ACTIVE%d";  // column
constexpr const char* kNumberKeyFormat = "FTRNUM%d%d";   // column, index

std::string key(const char* format, int a, int b = 0)
{
    char text[24];
    std::snprintf(text, sizeof text, format, a, b);
    return text;
}

std::size_t at(int i) { return static_cast<std::size_t>(i); }

// The page counts its controls from the first column's: ten numbers per column.
static_assert(kDataNumber9Edit == kPort11Number0Edit + kColumnCount * kNumberCount - 1);
static_assert(kDataActiveBox == kPort11ActiveBox + kDataColumn);
static_assert(kDataPicturePlace == kPort11PicturePlace + kDataColumn);
static_assert(kDataLabel == kPort11Label + kDataColumn);
static_assert(kDataAliasLabel == kPort11AliasLabel + kDataColumn);
static_assert(kDataPortPictureIndex == kDataColumn);

int number_edit(int column, int index) { return kPort11Number0Edit + kNumberCount * column + index; }
bool is_number_edit(int id) { return id >= kPort11Number0Edit && id <= kDataNumber9Edit; }
bool is_active_box(int id) { return id >= kPort11ActiveBox && id <= kDataActiveBox; }

// The data port's column uses the device-wide form of the commands.
int column_port(int column) { return column == kDataColumn ? q30::kDevicePort : kPortNumbers[at(column)]; }

const char* flag_text(bool on) { return on ? "1" : "0"; }

} // namespace

CallFilterPage::CallFilterPage(ShellContext& shell, Window& mainWindow) : Page(shell, mainWindow, 4)
{
    for (auto& column : numbers_)
        values_.add_all(column);
    values_.add_all(activated_);
}

CallFilterPage::~CallFilterPage() = default;

const Field<std::string>& CallFilterPage::number(int column, int index) const
{
    return numbers_.at(at(column)).at(at(index));
}
const Field<bool>& CallFilterPage::activated(int column) const { return activated_.at(at(column)); }

bool CallFilterPage::in_use(int column) const { return column < portCount_ || column == kDataColumn; }

void CallFilterPage::on_built()
{
    adapt_to_model();
    const PortPicture::Look displayOnly{false, false};
    for (int c = 0; c < kColumnCount; ++c) {
        if (!in_use(c))
            continue;
        const PortPictureKind kind = c == kDataColumn ? PortPictureKind::DataPort : PortPictureKind::Analogue;
        pictures_[at(c)] = std::make_unique<PortPicture>(shell_, *this, kPort11PicturePlace + c, c, kind, displayOnly);
    }
}

// The Q20 has three analogue ports: the columns of ports 31 and 32 are
// hidden, and their values take no part in changes, sends and profiles.
void CallFilterPage::adapt_to_model()
{
    portCount_ = shell_.state.smaller_model() ? kSmallerModelPorts : kMaxPorts;
    for (int c = 0; c < kColumnCount; ++c) {
        const bool inUse = in_use(c);
        for (auto& field : numbers_[at(c)])
            field.set_in_use(inUse);
        activated_[at(c)].set_in_use(inUse);
        if (inUse)
            continue;
        for (int i = 0; i < kNumberCount; ++i)
            set_visible(number_edit(c, i), false);
        set_visible(kPort11ActiveBox + c, false);
        set_visible(kPort11PicturePlace + c, false);
        set_visible(kPort11Label + c, false);
        set_visible(kPort11AliasLabel + c, false);
    }
}

// Every switch first, then the numbers column by column; what the device
// does not answer reads as off and empty.
void CallFilterPage::read_device()
{
    for (int c = 0; c < kColumnCount; ++c) {
        if (!in_use(c))
            continue;
        activated_[at(c)].read(query_switch(shell_.gate, q30::DRV_FILTER_FLAG, column_port(c)));
    }
    for (int c = 0; c < kColumnCount; ++c) {
        if (!in_use(c))
            continue;
        for (int i = 0; i < kNumberCount; ++i)
            numbers_[at(c)][at(i)].read(query_text(shell_.gate, q30::DRV_FILTER_NUMBER, column_port(c), i));
    }
    refresh_pictures();
    refresh();
}

intptr_t CallFilterPage::on_message(const Message& m)
{
    if (m.id == UWM_PAGE_SHOW)
        refresh_pictures();  // the MSN page may have changed them
    return Page::on_message(m);
}

// The pictures are chosen on the MSN page and kept in the default profile.
void CallFilterPage::refresh_pictures()
{
    refresh_port_pictures(shell_, pictures_);
}

void CallFilterPage::store_controls()
{
    const PortNames names = port_names(shell_.state);
    for (int c = 0; c < kColumnCount; ++c) {
        if (!in_use(c))
            continue;
        activated_[at(c)].edit(check(kPort11ActiveBox + c) != 0);
        for (int i = 0; i < kNumberCount; ++i)
            store_destination(*this, number_edit(c, i), numbers_[at(c)][at(i)], names);
    }
}

// Port names, switches and numbers from the edited values.
void CallFilterPage::refresh()
{
    const PortNames names = port_names(shell_.state);
    for (int c = 0; c < kColumnCount; ++c) {
        if (!in_use(c))
            continue;
        set_text(kPort11AliasLabel + c, names[at(c)]);
        set_check(kPort11ActiveBox + c, activated_[at(c)].edited() ? 1 : 0);
        for (int i = 0; i < kNumberCount; ++i)
            show_destination(*this, number_edit(c, i), numbers_[at(c)][at(i)], names);
    }
}

// The controls into the values: a port's name becomes its code, and a port
// code typed shows as the port's name.
void CallFilterPage::take_input()
{
    store_controls();
    refresh();
}

void CallFilterPage::confirm_field()
{
    take_input();
    Page::confirm_field();
}

void CallFilterPage::relabel()
{
    set_text(kIntroText, shell_.text(kIntroString));
    for (int c = 0; c < kColumnCount; ++c) {
        set_text(kPort11Label + c, shell_.text(kFirstPortCaption + 5 * c));
        set_text(kPort11ActiveBox + c, shell_.text(kActivatedString));
    }
    for (auto& picture : pictures_)
        if (picture)
            shell_.ui.send(*picture, UWM_SET_LANGUAGE);
}

void CallFilterPage::on_command(int id, int code)
{
    if (is_number_edit(id) && code == EN_CHANGE) {
        check_typed(id);
        return;
    }
    if (is_active_box(id) && code == BN_CLICKED) {
        store_controls();
        return;
    }
    Page::on_command(id, code);
}

// What was typed into the other fields stays; this one gets the device's value.
void CallFilterPage::check_typed(int editId)
{
    if (accept_typed_destination(shell_, *this, text(editId), TooLongMessage::Shared))
        return;
    store_controls();
    const int n = editId - kPort11Number0Edit;
    Field<std::string>& field = numbers_[at(n / kNumberCount)][at(n % kNumberCount)];
    field.edit(field.confirmed());
    refresh();
    set_focus(editId);
}

void CallFilterPage::send_to_device(ValueReport& report)
{
    take_input();
    send(false, report, shell_.text(ids::kPageCaptionBase + 5 * index()), Naming::Label);
}

// All switches go before any number. A value is confirmed only when the
// device took it: a refused one stays changed and is offered again.
void CallFilterPage::send(bool all, ValueReport& report, const std::string& group, Naming naming)
{
    auto name = [&](int c, const std::string& what, const std::string& profileKey) {
        return naming == Naming::ProfileKey ? profileKey : shell_.text(kFirstPortCaption + 5 * c) + ": " + what;
    };
    for (int c = 0; c < kColumnCount; ++c) {
        if (!in_use(c))
            continue;
        const std::string label = name(c, shell_.text(kActivatedString), key(kActivatedKeyFormat, c));
        send_switch(shell_, {q30::DRV_FILTER_FLAG, column_port(c), 0, group, label}, activated_[at(c)], all, report);
    }
    for (int c = 0; c < kColumnCount; ++c) {
        if (!in_use(c))
            continue;
        for (int i = 0; i < kNumberCount; ++i) {
            const std::string label =
                name(c, shell_.text(kFilterWord) + " " + std::to_string(i), key(kNumberKeyFormat, c, i));
            send_destination(shell_, {q30::DRV_FILTER_NUMBER, column_port(c), i, group, label},
                             numbers_[at(c)][at(i)], all, report);
        }
    }
}

// A load sends every switch and number of the columns in use, changed or not.
void CallFilterPage::load_profile(const profile::IniDocument& profile, ValueReport& report)
{
    const char* section = profile::kFilterSection;
    for (int c = 0; c < kColumnCount; ++c) {
        if (!in_use(c))
            continue;
        activated_[at(c)].edit(profile.read_int(section, key(kActivatedKeyFormat, c), 0) != 0);
        for (int i = 0; i < kNumberCount; ++i)
            numbers_[at(c)][at(i)].edit(profile.read_string(section, key(kNumberKeyFormat, c, i), ""));
    }
    refresh_pictures();
    refresh();
    send(true, report, section, Naming::ProfileKey);
}

void CallFilterPage::save_profile(profile::IniDocument& profile)
{
    const char* section = profile::kFilterSection;
    for (int c = 0; c < kColumnCount; ++c)
        if (in_use(c))
            profile.write_string(section, key(kActivatedKeyFormat, c), flag_text(activated_[at(c)].confirmed()));
    for (int c = 0; c < kColumnCount; ++c)
        if (in_use(c))
            for (int i = 0; i < kNumberCount; ++i)
                profile.write_string(section, key(kNumberKeyFormat, c, i), numbers_[at(c)][at(i)].confirmed());
}

std::unique_ptr<Page> make_call_filter_page(ShellContext& shell, Window& mainWindow)
{
    return std::make_unique<CallFilterPage>(shell, mainWindow);
}

} // namespace quillon
