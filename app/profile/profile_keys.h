// Sections and keys of the profiles and of the program's settings file.
#pragma once

#include <array>
#include <string>

namespace quillon::profile {

inline constexpr const char* kDefaultProfileName = "default.pro";
inline constexpr const char* kSettingsFileName = "quillon.ini";

// The program's settings file: the first-run flag.
inline constexpr const char* kProgramSection = "Quillon";
inline constexpr const char* kFirstRunKey = "FirstRun";

// SET_DIV: general settings.
inline constexpr const char* kSettingsSection = "SET_DIV";
inline constexpr const char* kLanguageKey = "LANGUAGE";
inline constexpr const char* kSoundKey = "SOUNDON";

// MSN_DIV: the port aliases.
inline constexpr const char* kMsnSection = "MSN_DIV";
inline constexpr const char* kAliasKeyFormat = "ALIAS%d";  // port index 0..4
inline constexpr const char* kDataAliasKey = "ALIASD";

// SET_DIV: the general settings kept in profiles.
inline constexpr const char* kChargeUnitKey = "CHGUNIT";
inline constexpr const char* kCurrencyKey = "UNIT";
inline constexpr const char* kLocalCodeKey = "LCCODE";
inline constexpr const char* kPabxKey = "PABX";
inline constexpr const char* kInternationalKey = "IPREDIAL";

// BACK_DIV: data callback.
inline constexpr const char* kCallbackSection = "BACK_DIV";
inline constexpr const char* kCallbackActiveKey = "CLBKACTIVE";
inline std::string callback_number_key(int index) { return "CLBKNUM" + std::to_string(index); }

// The sections of the other pages.
inline constexpr const char* kAcceptanceSection = "ACCEP_DIV";
inline constexpr const char* kShortDialSection = "SHORTDIAL_DIV";
inline constexpr const char* kForwardingSection = "FORWARD_DIV";
inline constexpr const char* kFilterSection = "FILTER_DIV";
inline constexpr const char* kDataSection = "DATA_DIV";
inline constexpr const char* kLcrSection = "LCR_DIV";
inline constexpr const char* kTimerSection = "TIMER_DIV";

// Every section a profile may hold; a file with none of them is no profile.
inline constexpr std::array<const char*, 10> kProfileSections = {
    kSettingsSection, kCallbackSection, kMsnSection,  kAcceptanceSection, kShortDialSection,
    kForwardingSection, kFilterSection, kDataSection, kLcrSection,        kTimerSection,
};

} // namespace quillon::profile
