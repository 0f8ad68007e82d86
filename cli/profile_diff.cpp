#include "profile_diff.h"

#include <algorithm>
#include <iterator>
#include <limits>

#include "profile/ini_syntax.h"
#include "profile/profile_keys.h"

namespace quillon::cli {

namespace {

// The whole value: a difference beyond the program's read limit is still one.
constexpr std::size_t kWholeValue = std::numeric_limits<std::size_t>::max();

std::optional<std::string> value_of(const profile::IniDocument& doc, const char* section, const std::string& key,
                                    const std::vector<std::string>& keys)
{
    auto same = [&](const std::string& k) { return profile::same_name(k, key); };
    if (std::none_of(keys.begin(), keys.end(), same))
        return std::nullopt;
    return doc.read_string(section, key, "", kWholeValue);
}

} // namespace

std::vector<KeyDifference> compare_profiles(const profile::IniDocument& device, const profile::IniDocument& profile)
{
    std::vector<KeyDifference> out;
    for (const char* section : profile::kProfileSections) {
        const std::vector<std::string> deviceKeys = device.keys(section);
        const std::vector<std::string> profileKeys = profile.keys(section);
        std::vector<std::string> all = deviceKeys;
        for (const std::string& key : profileKeys) {
            auto same = [&](const std::string& k) { return profile::same_name(k, key); };
            if (std::none_of(all.begin(), all.end(), same))
                all.push_back(key);
        }
        for (const std::string& key : all) {
            KeyDifference d{section, key, value_of(device, section, key, deviceKeys),
                            value_of(profile, section, key, profileKeys)};
            if (d.device != d.profile)
                out.push_back(std::move(d));
        }
    }
    return out;
}

std::vector<KeyDifference> values_not_held(const std::vector<KeyDifference>& differences)
{
    std::vector<KeyDifference> out;
    std::copy_if(differences.begin(), differences.end(), std::back_inserter(out),
                 [](const KeyDifference& d) { return d.profile.has_value(); });
    return out;
}

} // namespace quillon::cli
