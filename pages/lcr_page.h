// The least cost routing page (page 6): for Monday to Friday and for the
// weekend, up to six time periods in which the device dials a provider's
// predial before every outgoing call, and eight number ranges it never
// puts a predial before. The provider names live in the default profile
// only; the device does not keep them.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "dialog_ids/lcr_ids.h"
#include "pages/lcr_checks.h"
#include "shell/page.h"

namespace quillon {

// String bases of the page; its control ids are in dialog_ids::lcr.
namespace lcr_ids {
inline constexpr int kActivatedString = 6140;      // heading over the row switches
inline constexpr int kMonFriString = 6150;         // the day groups' radio buttons
inline constexpr int kLcrActivatedString = 6155;
inline constexpr int kProviderString = 6160;       // heading over the provider names
inline constexpr int kSatSunString = 6165;
inline constexpr int kTimeString = 6170;           // headings
inline constexpr int kPredialString = 6175;
inline constexpr int kLocalCallsString = 6180;
inline constexpr int kActiveString = 6185;         // every switch of a row or range
inline constexpr int kRangesString = 6190;
// Messages.
inline constexpr int kPredialMessage = 9670;       // a predial of digits only
inline constexpr int kOverlapMessage = 9675;
inline constexpr int kHourMessage = 9685;          // an hour out of its range
inline constexpr int kRangeMessage = 9690;         // a range number, or two of different lengths
inline constexpr int kIncompleteRowMessage = 9700;
} // namespace lcr_ids

class LcrPage : public Page {
public:
    LcrPage(ShellContext& shell, platform::Window& mainWindow);

    void on_command(int id, int code) override;

    // The day group on screen: 0 Monday to Friday, 1 the weekend.
    int shown_group() const { return group_; }
    const Field<bool>& activated() const { return activated_; }
    // A row's values as the controls show them (edited) and as the device
    // has them (confirmed).
    lcr::Row row(int group, int index, bool confirmed = false) const;
    lcr::Range range(int group, int index, bool confirmed = false) const;

protected:
    void read_device() override;
    void store_controls() override;
    void send_to_device(ValueReport& report) override;
    void relabel() override;
    void refresh() override;
    void load_profile(const profile::IniDocument& profile, ValueReport& report) override;
    void save_profile(profile::IniDocument& profile) override;
    void confirm_field() override;
    int first_input() const override { return dialog_ids::lcr::kLcrActiveBox; }

private:
    struct RowFields {
        Field<std::string> from, till, predial, provider;
        Field<bool> local, active;
    };
    struct RangeFields {
        Field<std::string> first, last;
        Field<bool> active;
    };
    struct GroupFields {
        std::array<RowFields, lcr::kRowCount> rows;
        std::array<RangeFields, lcr::kRangeCount> ranges;
    };
    // What names a value the device did not take: a label for a Send, the
    // profile key for a load.
    enum class Naming { Label, ProfileKey };

    RowFields& row_fields(int group, int index);
    RangeFields& range_fields(int group, int index);
    lcr::Table table(bool confirmed) const;
    void take_edits(const lcr::Table& edited);

    // Whether each row's predial came from the device.
    using PredialsRead = std::array<std::array<bool, lcr::kRowCount>, lcr::kGroupCount>;

    bool read_row(int group, int index);  // true when the predial was read
    void read_range(int group, int index);
    void read_provider_names(const PredialsRead& predialsRead);
    void check_hour(int editId, lcr::HourField field);
    void check_predial(int editId);
    void leave_predial(int editId);
    void check_range_number(int editId);
    void refuse(int editId, int message);
    void show_group(int group);

    bool validate();
    void keep_provider_names();
    void send(bool all, ValueReport& report, const std::string& group, Naming naming);
    void send_row(int g, int r, bool all, ValueReport& report, const std::string& group, Naming naming);
    void send_range(int g, int x, bool all, ValueReport& report, const std::string& group, Naming naming);
    void save_to_default_profile();

    Field<bool> activated_;
    std::array<GroupFields, lcr::kGroupCount> groups_;
    int group_ = 0;
};

std::unique_ptr<Page> make_lcr_page(ShellContext& shell, platform::Window& mainWindow);

} // namespace quillon
