// The charge counters as the device words them, turned into what a display
// shows. Offers: the six columns (ports 11, 21, 22, 31, 32 and the data
// port) with their labels, `parse_charge_counter` for the per-port counter
// texts ("P11: 12,345 DM" lines, "ATA: " for the data port),
// `parse_charge_total` for the device total, and `kNoCharge`, the figure
// shown when a counter cannot be read. Figures keep the device's comma and
// are shown with two decimals; "???" (the device has no figure) is kept.
// Texts are the device's bytes as received (Windows-1252); pure functions.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace quillon {

inline constexpr std::size_t kChargeColumns = 6;
inline constexpr std::size_t kDataPortColumn = 5;
// The columns of ports 31 and 32, which the smaller model lacks.
inline constexpr std::size_t kFirstLargerModelColumn = 3;
inline constexpr std::size_t kSmallerModelAnaloguePorts = 3;

// Port numbers of the columns as device commands take them (0: data port).
inline constexpr std::array<int, kChargeColumns> kChargeColumnPorts = {11, 21, 22, 31, 32, 0};
// What precedes each column's figure in a counter text.
inline constexpr std::array<std::string_view, kChargeColumns> kChargeLabels = {
    "P11: ", "P21: ", "P22: ", "P31: ", "P32: ", "ATA: "};

inline constexpr std::string_view kNoCharge = "0,00";

struct ChargeFigure {
    std::string amount;  // "12,34", "???"; kNoCharge when the label is missing
    std::string unit;    // the rest of the figure's line after one blank; may be empty
    bool labelled = false;  // the text held the column's label
};

using ChargeRow = std::array<ChargeFigure, kChargeColumns>;

// One figure per column, each from the first occurrence of its label to the
// end of that line. `analoguePorts` is 3 on the smaller model: the columns
// of ports 31 and 32 then stay empty (no amount) whatever the text holds.
ChargeRow parse_charge_counter(std::string_view text, std::size_t analoguePorts);

// The total: the first word of the text's first line, two decimals.
std::string parse_charge_total(std::string_view text);

// A figure with exactly three decimals loses the last one ("12,345" ->
// "12,34"); anything else, and any figure holding "???", is kept.
std::string shown_figure(std::string_view figure);

} // namespace quillon
