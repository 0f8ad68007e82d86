// The key-by-key comparison behind diff and verify, and the JSON texts.
#include <gtest/gtest.h>

#include "json_text.h"
#include "profile_diff.h"

namespace {

using quillon::cli::compare_profiles;
using quillon::cli::KeyDifference;
using quillon::profile::IniDocument;

std::vector<std::string> described(const std::vector<KeyDifference>& differences)
{
    std::vector<std::string> out;
    for (const KeyDifference& d : differences)
        out.push_back(d.section + "/" + d.key + ": " + d.device.value_or("-") + " | " + d.profile.value_or("-"));
    return out;
}

TEST(ProfileComparison, NamesEachDifferingOrMissingKeyOnce)
{
    const IniDocument device = IniDocument::from_bytes("[MSN_DIV]\nAMSN00=1\nAMSN01=2\nALIAS0=\"11\"\n"
                                                       "[LCR_DIV]\nLCRON=1\n");
    // Other case, other order, a key the device lacks, a section of its own
    // that is no profile section, a repeated section and a repeated key
    // (the first one counts, as for the program). Quotes around a value are
    // no part of it.
    const IniDocument file = IniDocument::from_bytes("[msn_div]\namsn01=2\nAMSN00=9\n[Notes]\nx=1\n"
                                                     "[MSN_DIV]\nAMSN00=7\nOLDKEY=5\n[LCR_DIV]\nLCRON=1\n");
    EXPECT_EQ(described(compare_profiles(device, file)),
              (std::vector<std::string>{"MSN_DIV/AMSN00: 1 | 9", "MSN_DIV/ALIAS0: 11 | -",
                                        "MSN_DIV/OLDKEY: - | 5"}));
    EXPECT_TRUE(compare_profiles(device, device).empty());
}

TEST(ProfileComparison, ValuesAreComparedWholeAndAsTheProgramReadsThem)
{
    const std::string longValue(80, '1');
    const IniDocument device = IniDocument::from_bytes("[SET_DIV]\nUNIT = DM\nPABX=" + longValue + "\n");
    const IniDocument quoted = IniDocument::from_bytes("[SET_DIV]\nUNIT=\"DM\"\nPABX=" + longValue + "\n");
    EXPECT_TRUE(compare_profiles(device, quoted).empty()) << "blanks and quotes are no part of a value";
    const IniDocument longer = IniDocument::from_bytes("[SET_DIV]\nUNIT=DM\nPABX=" + longValue + "2\n");
    EXPECT_EQ(compare_profiles(device, longer).size(), 1u) << "a difference past 49 characters still counts";
}

TEST(ProfileComparison, VerifyAsksOnlyForWhatTheFileHolds)
{
    const IniDocument device = IniDocument::from_bytes("[TIMER_DIV]\nT0=1\nT1=2\n");
    const IniDocument file = IniDocument::from_bytes("[TIMER_DIV]\nT0=3\n");
    EXPECT_EQ(described(quillon::cli::values_not_held(compare_profiles(device, file))),
              (std::vector<std::string>{"TIMER_DIV/T0: 1 | 3"}));
}

TEST(JsonText, EscapesWhatWouldBreakTheDocument)
{
    using quillon::cli::json_string;
    EXPECT_EQ(json_string("\"11\""), "\"\\\"11\\\"\"");
    EXPECT_EQ(json_string("a\\b\nc\td\x01"), "\"a\\\\b\\nc\\td\\u0001\"");
    EXPECT_EQ(json_string("Grüße"), "\"Grüße\"") << "UTF-8 passes unchanged";
    EXPECT_EQ(quillon::cli::json_value(std::nullopt), "null");
}

} // namespace
