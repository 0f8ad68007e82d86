// The least cost routing page's values and controls: the day group on
// screen, the checks while typing and the corrections before a send.
#include "pages/lcr_page.h"

#include <utility>

#include "platform/ui.h"
#include "shell/shell_ids.h"

namespace quillon {

using namespace platform;
using namespace lcr_ids;
using namespace dialog_ids::lcr;

namespace {

constexpr int kPageIndex = 6;

std::size_t at(int i) { return static_cast<std::size_t>(i); }

// The page counts its controls from the first row's and the first range's.
static_assert(kRow5FromEdit == kRow0FromEdit + lcr::kRowCount - 1 && kRow0TillEdit == kRow5FromEdit + 1);
static_assert(kRow5TillEdit == kRow0TillEdit + lcr::kRowCount - 1 && kRow0PredialEdit == kRow5TillEdit + 1);
static_assert(kRow5PredialEdit == kRow0PredialEdit + lcr::kRowCount - 1 && kRow0ProviderEdit == kRow5PredialEdit + 1);
static_assert(kRow5ProviderEdit == kRow0ProviderEdit + lcr::kRowCount - 1 && kRow0LocalBox == kRow5ProviderEdit + 1);
static_assert(kRow5LocalBox == kRow0LocalBox + lcr::kRowCount - 1 && kRow0ActiveBox == kRow5LocalBox + 1);
static_assert(kRow5ActiveBox == kRow0ActiveBox + lcr::kRowCount - 1 && kRange0FirstEdit == kRow5ActiveBox + 1);
static_assert(kRange7FirstEdit == kRange0FirstEdit + lcr::kRangeCount - 1 && kRange0LastEdit == kRange7FirstEdit + 1);
static_assert(kRange7LastEdit == kRange0LastEdit + lcr::kRangeCount - 1 && kRange0ActiveBox == kRange7LastEdit + 1);
static_assert(kRange7ActiveBox == kRange0ActiveBox + lcr::kRangeCount - 1);

// Which row or range a control of a column belongs to, or -1.
int slot(int id, int firstId, int count) { return id >= firstId && id < firstId + count ? id - firstId : -1; }
int row_of(int id, int firstId) { return slot(id, firstId, lcr::kRowCount); }
int range_of(int id, int firstId) { return slot(id, firstId, lcr::kRangeCount); }

} // namespace

LcrPage::LcrPage(ShellContext& shell, Window& mainWindow) : Page(shell, mainWindow, kPageIndex)
{
    values_.add(activated_);
    for (GroupFields& group : groups_) {
        for (RowFields& row : group.rows)
            for (FieldBase* field : std::initializer_list<FieldBase*>{&row.from, &row.till, &row.predial,
                                                                      &row.provider, &row.local, &row.active})
                values_.add(*field);
        for (RangeFields& range : group.ranges)
            for (FieldBase* field : std::initializer_list<FieldBase*>{&range.first, &range.last, &range.active})
                values_.add(*field);
    }
}

LcrPage::RowFields& LcrPage::row_fields(int group, int index) { return groups_.at(at(group)).rows.at(at(index)); }
LcrPage::RangeFields& LcrPage::range_fields(int group, int index)
{
    return groups_.at(at(group)).ranges.at(at(index));
}

lcr::Row LcrPage::row(int group, int index, bool confirmed) const
{
    const RowFields& f = groups_.at(at(group)).rows.at(at(index));
    auto v = [confirmed](const auto& field) { return confirmed ? field.confirmed() : field.edited(); };
    return {v(f.from), v(f.till), v(f.predial), v(f.provider), v(f.local), v(f.active)};
}

lcr::Range LcrPage::range(int group, int index, bool confirmed) const
{
    const RangeFields& f = groups_.at(at(group)).ranges.at(at(index));
    auto v = [confirmed](const auto& field) { return confirmed ? field.confirmed() : field.edited(); };
    return {v(f.first), v(f.last), v(f.active)};
}

lcr::Table LcrPage::table(bool confirmed) const
{
    lcr::Table t;
    for (int g = 0; g < lcr::kGroupCount; ++g) {
        for (int r = 0; r < lcr::kRowCount; ++r)
            t[at(g)].rows[at(r)] = row(g, r, confirmed);
        for (int x = 0; x < lcr::kRangeCount; ++x)
            t[at(g)].ranges[at(x)] = range(g, x, confirmed);
    }
    return t;
}

void LcrPage::take_edits(const lcr::Table& edited)
{
    for (int g = 0; g < lcr::kGroupCount; ++g) {
        for (int r = 0; r < lcr::kRowCount; ++r) {
            const lcr::Row& v = edited[at(g)].rows[at(r)];
            RowFields& f = row_fields(g, r);
            f.from.edit(v.from);
            f.till.edit(v.till);
            f.predial.edit(v.predial);
            f.provider.edit(v.provider);
            f.local.edit(v.local);
            f.active.edit(v.active);
        }
        for (int x = 0; x < lcr::kRangeCount; ++x) {
            const lcr::Range& v = edited[at(g)].ranges[at(x)];
            RangeFields& f = range_fields(g, x);
            f.first.edit(v.first);
            f.last.edit(v.last);
            f.active.edit(v.active);
        }
    }
}

void LcrPage::store_controls()
{
    activated_.edit(check(kLcrActiveBox) != 0);
    for (int r = 0; r < lcr::kRowCount; ++r) {
        RowFields& f = row_fields(group_, r);
        f.from.edit(text(kRow0FromEdit + r));
        f.till.edit(text(kRow0TillEdit + r));
        f.predial.edit(text(kRow0PredialEdit + r));
        f.provider.edit(text(kRow0ProviderEdit + r));
        f.local.edit(check(kRow0LocalBox + r) != 0);
        f.active.edit(check(kRow0ActiveBox + r) != 0);
    }
    for (int x = 0; x < lcr::kRangeCount; ++x) {
        RangeFields& f = range_fields(group_, x);
        f.first.edit(text(kRange0FirstEdit + x));
        f.last.edit(text(kRange0LastEdit + x));
        f.active.edit(check(kRange0ActiveBox + x) != 0);
    }
}

// The day group on screen from its edited values.
void LcrPage::refresh()
{
    set_check(kMonFriRadio, group_ == 0 ? 1 : 0);
    set_check(kSatSunRadio, group_ == 1 ? 1 : 0);
    set_check(kLcrActiveBox, activated_.edited() ? 1 : 0);
    for (int r = 0; r < lcr::kRowCount; ++r) {
        const RowFields& f = row_fields(group_, r);
        set_text(kRow0FromEdit + r, f.from.edited());
        set_text(kRow0TillEdit + r, f.till.edited());
        set_text(kRow0PredialEdit + r, f.predial.edited());
        set_text(kRow0ProviderEdit + r, f.provider.edited());
        set_check(kRow0LocalBox + r, f.local.edited() ? 1 : 0);
        set_check(kRow0ActiveBox + r, f.active.edited() ? 1 : 0);
    }
    for (int x = 0; x < lcr::kRangeCount; ++x) {
        const RangeFields& f = range_fields(group_, x);
        set_text(kRange0FirstEdit + x, f.first.edited());
        set_text(kRange0LastEdit + x, f.last.edited());
        set_check(kRange0ActiveBox + x, f.active.edited() ? 1 : 0);
    }
}

void LcrPage::relabel()
{
    set_text(kLcrActiveBox, shell_.text(kLcrActivatedString));
    set_text(kMonFriRadio, shell_.text(kMonFriString));
    set_text(kSatSunRadio, shell_.text(kSatSunString));
    set_text(kTimeHeading, shell_.text(kTimeString));
    set_text(kPredialHeading, shell_.text(kPredialString));
    set_text(kProviderHeading, shell_.text(kProviderString));
    set_text(kLocalHeading, shell_.text(kLocalCallsString));
    set_text(kActiveHeading, shell_.text(kActivatedString));
    set_text(kRangesHeading, shell_.text(kRangesString));
    const std::string& active = shell_.text(kActiveString);
    for (int r = 0; r < lcr::kRowCount; ++r) {
        set_text(kRow0LocalBox + r, active);
        set_text(kRow0ActiveBox + r, active);
    }
    for (int x = 0; x < lcr::kRangeCount; ++x)
        set_text(kRange0ActiveBox + x, active);
}

void LcrPage::on_command(int id, int code)
{
    if (code == EN_CHANGE) {
        if (row_of(id, kRow0FromEdit) >= 0)
            return check_hour(id, lcr::HourField::From);
        if (row_of(id, kRow0TillEdit) >= 0)
            return check_hour(id, lcr::HourField::Till);
        if (row_of(id, kRow0PredialEdit) >= 0)
            return check_predial(id);
        if (range_of(id, kRange0FirstEdit) >= 0 || range_of(id, kRange0LastEdit) >= 0)
            return check_range_number(id);
        if (row_of(id, kRow0ProviderEdit) >= 0)
            return store_controls();
    }
    if (code == EN_KILLFOCUS) {
        if (row_of(id, kRow0PredialEdit) >= 0)
            return leave_predial(id);
        return store_controls();
    }
    if (code == BN_CLICKED && (id == kMonFriRadio || id == kSatSunRadio))
        return show_group(id == kMonFriRadio ? 0 : 1);
    if (code == BN_CLICKED && (id == kLcrActiveBox || row_of(id, kRow0LocalBox) >= 0 ||
                               row_of(id, kRow0ActiveBox) >= 0 || range_of(id, kRange0ActiveBox) >= 0))
        return store_controls();
    Page::on_command(id, code);
}

// A refused hour: a start becomes "0", an end shows what it held before.
// A "-" typed after a start moves on to the end.
void LcrPage::check_hour(int editId, lcr::HourField field)
{
    const bool isFrom = field == lcr::HourField::From;
    const int r = row_of(editId, isFrom ? kRow0FromEdit : kRow0TillEdit);
    std::string typed = text(editId);
    if (isFrom && !typed.empty() && typed.back() == '-') {
        typed.pop_back();
        set_text(editId, typed);
        if (lcr::hour_text_ok(typed, field)) {
            store_controls();
            set_focus(kRow0TillEdit + r);
            return;
        }
    }
    if (lcr::hour_text_ok(typed, field)) {
        store_controls();
        return;
    }
    Field<std::string>& hour = isFrom ? row_fields(group_, r).from : row_fields(group_, r).till;
    const std::string before = hour.edited();
    store_controls();
    hour.edit(isFrom ? "0" : before);
    refuse(editId, kHourMessage);
}

// A refused predial shows the device's again.
void LcrPage::check_predial(int editId)
{
    store_controls();
    if (lcr::predial_text_ok(text(editId)))
        return;
    Field<std::string>& predial = row_fields(group_, row_of(editId, kRow0PredialEdit)).predial;
    predial.edit(predial.confirmed());
    refuse(editId, kPredialMessage);
}

// Leaving a predial names its provider when the row has no name yet.
void LcrPage::leave_predial(int editId)
{
    const std::string typed = text(editId);
    if (!lcr::predial_text_ok(typed))
        return check_predial(editId);
    store_controls();
    Field<std::string>& provider = row_fields(group_, row_of(editId, kRow0PredialEdit)).provider;
    if (typed.empty() || !provider.edited().empty())
        return;
    provider.edit(lcr::kUnknownProvider);
    refresh();
}

// A refused range number shows what it held before.
void LcrPage::check_range_number(int editId)
{
    if (lcr::range_number_text_ok(text(editId))) {
        store_controls();
        return;
    }
    const int first = range_of(editId, kRange0FirstEdit);
    RangeFields& f = range_fields(group_, first >= 0 ? first : range_of(editId, kRange0LastEdit));
    Field<std::string>& number = first >= 0 ? f.first : f.last;
    const std::string before = number.edited();
    store_controls();
    number.edit(before);
    refuse(editId, kRangeMessage);
}

void LcrPage::refuse(int editId, int message)
{
    refresh();
    shell_.ui.message_box(this, shell_.text(message), shell_.ui.text(ids::kProgramTitle));
    set_focus(editId);
}

void LcrPage::confirm_field()
{
    const int focused = focus();
    if (row_of(focused, kRow0PredialEdit) >= 0 && !lcr::predial_text_ok(text(focused)))
        return check_predial(focused);
    if (row_of(focused, kRow0PredialEdit) >= 0)
        leave_predial(focused);
    Page::confirm_field();
}

void LcrPage::show_group(int group)
{
    store_controls();
    group_ = group;
    refresh();
}

// The corrections before a send, each finding told in its own message.
bool LcrPage::validate()
{
    store_controls();
    lcr::Table edited = table(false);
    const lcr::Verdict verdict = lcr::normalise(edited, table(true));
    take_edits(edited);
    for (auto [found, message] : {std::pair{verdict.incompleteRow, kIncompleteRowMessage},
                                  std::pair{verdict.overlap, kOverlapMessage},
                                  std::pair{verdict.lengthMismatch, kRangeMessage}})
        if (found)
            shell_.ui.message_box(this, shell_.text(message), shell_.ui.text(ids::kProgramTitle));
    refresh();
    repaint();
    return verdict.send;
}

std::unique_ptr<Page> make_lcr_page(ShellContext& shell, Window& mainWindow)
{
    return std::make_unique<LcrPage>(shell, mainWindow);
}

} // namespace quillon
