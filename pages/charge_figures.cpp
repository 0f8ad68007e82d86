#include "charge_figures.h"

namespace quillon {

namespace {

constexpr std::string_view kUnknownFigure = "???";
constexpr std::string_view kLineEnds = "\r\n";
constexpr std::size_t kDeviceDecimals = 3;

std::string_view line_from(std::string_view text, std::size_t start)
{
    std::string_view rest = text.substr(start);
    return rest.substr(0, rest.find_first_of(kLineEnds));
}

std::string_view without_trailing_blanks(std::string_view text)
{
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

// "12,345 DM" -> amount "12,34", unit "DM".
ChargeFigure figure_of_line(std::string_view line)
{
    ChargeFigure figure;
    figure.labelled = true;
    std::size_t blank = line.find(' ');
    figure.amount = shown_figure(line.substr(0, blank));
    if (blank != std::string_view::npos)
        figure.unit = std::string(without_trailing_blanks(line.substr(blank + 1)));
    return figure;
}

} // namespace

std::string shown_figure(std::string_view figure)
{
    std::size_t comma = figure.find(',');
    bool threeDecimals = comma != std::string_view::npos && figure.size() - comma == kDeviceDecimals + 1;
    if (threeDecimals && figure.find(kUnknownFigure) == std::string_view::npos)
        figure.remove_suffix(1);
    return std::string(figure);
}

ChargeRow parse_charge_counter(std::string_view text, std::size_t analoguePorts)
{
    ChargeRow row;
    for (std::size_t column = 0; column < kChargeColumns; ++column) {
        bool portMissing = column != kDataPortColumn && column >= analoguePorts;
        if (portMissing)
            continue;
        std::size_t label = text.find(kChargeLabels[column]);
        if (label == std::string_view::npos)
            row[column].amount = kNoCharge;
        else
            row[column] = figure_of_line(line_from(text, label + kChargeLabels[column].size()));
    }
    return row;
}

std::string parse_charge_total(std::string_view text)
{
    std::string_view line = line_from(text, 0);
    std::size_t start = line.find_first_not_of(' ');
    if (start == std::string_view::npos)
        return shown_figure("");
    line.remove_prefix(start);
    return shown_figure(line.substr(0, line.find(' ')));
}

} // namespace quillon
