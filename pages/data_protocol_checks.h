// The inputs of the data protocol page and its BOD dialog, checked apart
// from any window: endpoint identifiers (EID) in the form the user types and
// the form the device keeps, frame sizes and the BOD thresholds. Each check
// answers with the string base of the message that tells what is wrong.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quillon::data_protocol {

// Messages (string bases); kNoProblem: the input may stay.
inline constexpr int kNoProblem = 0;
inline constexpr int kOnlyDigits = 9705;
inline constexpr int kWaterOutOfRange = 9710;
inline constexpr int kLowAboveHigh = 9715;
inline constexpr int kDurationOutOfRange = 9720;
inline constexpr int kBadIpAddress = 9725;
inline constexpr int kOnlyHexDigits = 9730;
inline constexpr int kBadMagicNumberBlock = 9735;
inline constexpr int kLocalAddressTooLong = 9740;
inline constexpr int kTaNumberTooLong = 9745;
inline constexpr int kBadMacAddress = 9750;
inline constexpr int kV120SizeOutOfRange = 9755;
inline constexpr int kX75SizeOutOfRange = 9760;
inline constexpr int kHdlcSizeOutOfRange = 9765;

// EID classes, as the device numbers them.
enum EidClass : int {
    kEidNull = 0,
    kEidLocalAddress = 1,
    kEidIpAddress = 2,
    kEidMacAddress = 3,
    kEidMagicNumbers = 4,
    kEidTaNumber = 5,
};
inline constexpr int kEidClassCount = 6;

// What may stand in the EID edit while the user types (an empty text always
// may); a text that is only unfinished passes.
int check_typed_eid(int eidClass, std::string_view text);

struct EidConversion {
    std::string deviceForm;   // valid when problem is kNoProblem
    int problem = kNoProblem;
};
// The final check of a finished entry and the form the device takes:
// "192.168.1.10" -> "192168001010", "01dc5abc-20843abc" -> "01dc5abc20843abc".
EidConversion eid_device_form(int eidClass, std::string_view display);
// The form the edit shows for what the device keeps; a device form that is
// not of its class's shape shows as it is.
std::string eid_display_form(int eidClass, std::string_view deviceForm);

// Frame sizes of the protocols that have one.
enum class FrameKind { V120, X75, Hdlc };
struct FrameSizeRule {
    int low;
    int high;
    int defaultSize;          // what the page holds for a size outside low..high
    int message;              // the range message
    bool lowCheckedWhileTyping; // false: "1" on the way to "128" must pass
};
const FrameSizeRule& frame_size_rule(FrameKind kind);
bool frame_size_in_range(FrameKind kind, long size);
int check_typed_frame_size(FrameKind kind, std::string_view text);

// The BOD thresholds: water marks in kbit/s, durations in minutes.
enum class BodKind { Water, Duration };
struct BodRule {
    int low;
    int high;
    int message;
};
const BodRule& bod_rule(BodKind kind);
int check_typed_bod(BodKind kind, std::string_view text);

// The value of a text of decimal digits; nothing for an empty text or one
// with another character. Numbers beyond every range read as kHugeNumber.
inline constexpr long kHugeNumber = 1'000'000'000;
std::optional<long> decimal_value(std::string_view text);

} // namespace quillon::data_protocol
