#include "demo_lcr.h"

#include <string>

namespace q30sim {

namespace {

// Registers: "\\D<group><row>" hours, "\\P.." predial, "&L.." local calls,
// "&R.." row active, "\\N<group><range>" excluded range, "&N.." range
// active. Switches are off unless set.
std::string at(const char* name, int group, int index)
{
    return std::string(name) + std::to_string(group) + std::to_string(index);
}

struct DemoRow {
    const char* hours;
    const char* predial;
    bool local;
    bool active;
};

struct DemoRange {
    const char* numbers;
    bool active;
};

constexpr int kWorkingDays = 0;
constexpr int kWeekend = 1;

// The weekend's second predial is in no provider list on purpose.
constexpr DemoRow kWorkingDayRows[] = {
    {"00-08", "01013", true, true},
    {"08-18", "01070", false, true},
    {"18-21", "01033", true, true},
    {"21-24", "01019", false, false},
};
constexpr DemoRow kWeekendRows[] = {
    {"00-12", "01050", true, true},
    {"12-24", "010012", false, true},
};
constexpr DemoRange kWorkingDayRanges[] = {{"0130-0130", true}, {"0800-0800", true}, {"0180-0180", false}};
constexpr DemoRange kWeekendRanges[] = {{"0130-0130", true}};

template <std::size_t N>
void seed_rows(SettingsStore& s, int group, const DemoRow (&rows)[N])
{
    for (std::size_t i = 0; i < N; ++i) {
        const int r = static_cast<int>(i);
        s.set(at("\\D", group, r), rows[i].hours);
        s.set(at("\\P", group, r), rows[i].predial);
        if (rows[i].local)
            s.set(at("&L", group, r), "1");
        if (rows[i].active)
            s.set(at("&R", group, r), "1");
    }
}

template <std::size_t N>
void seed_ranges(SettingsStore& s, int group, const DemoRange (&ranges)[N])
{
    for (std::size_t i = 0; i < N; ++i) {
        s.set(at("\\N", group, static_cast<int>(i)), ranges[i].numbers);
        if (ranges[i].active)
            s.set(at("&N", group, static_cast<int>(i)), "1");
    }
}

} // namespace

void seed_least_cost_routing(SettingsStore& s)
{
    s.set("&P", "1");
    seed_rows(s, kWorkingDays, kWorkingDayRows);
    seed_rows(s, kWeekend, kWeekendRows);
    seed_ranges(s, kWorkingDays, kWorkingDayRanges);
    seed_ranges(s, kWeekend, kWeekendRanges);
}

} // namespace q30sim
