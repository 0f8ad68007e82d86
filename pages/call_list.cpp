#include "pages/call_list.h"

#include <array>

namespace quillon {

namespace {

// Texts this short hold no row (the reader's buffer starts with four CRs).
constexpr std::size_t kShortestListText = 5;
constexpr std::size_t kColumnCount = 6;

// The device writes a caller without a number as two words, "NO ID".
constexpr std::string_view kNoIdFirstWord = "NO";
constexpr std::string_view kNoIdSecondWord = "ID";
constexpr std::string_view kMergedNoId = "**";

// Words of the outgoing and incoming headings.
constexpr std::string_view kAmountWord = "Amount";
constexpr std::string_view kCauseWord = "Cause";

// A unit digit, a comma and three decimals show two decimals.
constexpr std::size_t kThreeDecimalCharge = 5;
constexpr std::size_t kChargeCommaAt = 1;

constexpr std::string_view kTimeGap = " ";
constexpr std::string_view kDashedTimeGap = "    ";

// The tokens of one line, with the "NO" "ID" merge.
class LineTokens {
public:
    void add(std::string token)
    {
        if (count_ == 3 && columns_[2] == kNoIdFirstWord && token == kNoIdSecondWord) {
            columns_[2] = kMergedNoId;
            return;
        }
        if (count_ < kColumnCount)
            columns_[count_++] = std::move(token);
    }
    bool empty() const { return count_ == 0; }

    CallEntry entry(int list) const
    {
        CallEntry e;
        e.date = columns_[0];
        e.time = columns_[1];
        e.number = columns_[2].find(kMergedNoId) == std::string::npos ? columns_[2] : std::string(kNoCallerId);
        e.duration = columns_[3];
        if (list == kOutgoingCalls) {
            e.charge = columns_[4];
            if (e.charge.size() == kThreeDecimalCharge && e.charge[kChargeCommaAt] == ',')
                e.charge.pop_back();
            e.unit = columns_[5];
        }
        return e;
    }

private:
    std::array<std::string, kColumnCount> columns_;
    std::size_t count_ = 0;
};

} // namespace

CallListText parse_call_list(std::string_view text, int list)
{
    CallListText out;
    text = text.substr(0, text.find('\0'));
    if (text.size() <= kShortestListText)
        return out;
    if (list == kIncomingCalls && text.find(kAmountWord) != std::string_view::npos) {
        out.foreignHeading = true;
        if (text.find(kCauseWord) != std::string_view::npos)
            return out;
    }

    LineTokens line;
    std::string token;
    bool afterCr = false;         // a CR was seen ...
    bool onlyLineFeeds = false;   // ... and nothing but line feeds since
    auto end_token = [&] {
        if (!token.empty())
            line.add(std::move(token));
        token.clear();
    };
    for (char c : text) {
        if (c == '\r') {
            if (afterCr && onlyLineFeeds)
                break;  // an empty line ends the table
            afterCr = true;
            onlyLineFeeds = true;
            continue;
        }
        if (c == '\n') {
            end_token();
            if (!line.empty())
                out.entries.push_back(line.entry(list));
            line = LineTokens();
            if (out.entries.size() == kMaxCallEntries)
                break;
            continue;
        }
        onlyLineFeeds = false;
        if (c == ' ' || c == '\t')
            end_token();
        else if (token.size() < kMaxCallColumnChars)
            token += c;
    }
    return out;
}

std::string call_date_time_text(const CallEntry& entry)
{
    const bool dashedTime = !entry.time.empty() && entry.time.front() == '-';
    return entry.date + std::string(dashedTime ? kDashedTimeGap : kTimeGap) + entry.time;
}

std::string call_number_text(const CallEntry& entry, const PortNames& aliases)
{
    return destination_display_text(entry.number, aliases);
}

std::string call_charge_text(const CallEntry& entry)
{
    if (entry.unit.empty())
        return entry.charge;
    return entry.unit + " " + entry.charge;
}

bool is_unknown_caller(const CallEntry& entry)
{
    return entry.number == kNoCallerId;
}

} // namespace quillon
