// What the ISDN information dialog shows for the values it reads: the line
// state, the cause of the last disconnection, the model and the versions,
// and the device's own texts of AT commands.
#pragma once

#include <string>
#include <string_view>

namespace quillon {

// The line states the device reports: 0 not connected .. 3 synchronised.
inline constexpr int kLineStateCount = 4;
// String bases of the four line state texts; each ends with its number.
inline constexpr int kLineStateTextBase = 6595;
inline constexpr int kLineStateTextStep = 5;
// A state outside 0..3: this text, then the number in the same form.
inline constexpr int kUnknownLineStateText = 8880;

// The string base that explains a line state.
int line_state_text_base(int lineState);
// What follows the unknown-state text: " ( 7 )".
std::string line_state_number_suffix(int lineState);

// "ok (0)" for a normal end, "(16)" for any other cause.
std::string last_cause_text(int cause);

// The model with its order number; "????" for a model not known.
std::string model_with_order_number(int modelNumber, bool usb);

// "1.3.4 BOOT CODE 1.02".
std::string versions_text(std::string_view firmware, std::string_view bootCode);

// A text the device sends in its 8-bit character set, with CR LF line ends,
// as a control shows it: UTF-8, one "\n" per line end, no empty lines at
// the end.
std::string device_lines_text(std::string_view deviceText);

} // namespace quillon
