// Two profiles compared key by key over the profile sections: what the
// device holds (a fresh save) against a file.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "profile/ini_document.h"

namespace quillon::cli {

struct KeyDifference {
    std::string section;
    std::string key;
    std::optional<std::string> device;   // nothing: the key is not there
    std::optional<std::string> profile;
};

// Every key of either side whose values differ or that one side lacks, by
// section in profile order, then the device's key order, then the file's
// own keys. Names match without regard to case, as the program reads them.
std::vector<KeyDifference> compare_profiles(const profile::IniDocument& device, const profile::IniDocument& profile);

// Only the values the file holds and the device does not: what a restore
// should have brought to the device.
std::vector<KeyDifference> values_not_held(const std::vector<KeyDifference>& differences);

} // namespace quillon::cli
