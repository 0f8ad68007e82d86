// The temporary files a profile is written through, and the stale ones a
// killed save leaves beside the profile.
#pragma once

#include <string>
#include <string_view>

namespace quillon::profile {

// The mkstemp template of a temporary beside `target`.
std::string temporary_template(const std::string& target);

// Whether `name` (a file name in the profile's folder) is a temporary of
// `profileName` written by this program: today's naming, or the older
// "<profile>.XXXXXX" one. A name of the older form must look made by mkstemp
// (mixed letters and digits), so that "default.pro.backup" is no temporary.
bool is_own_temporary_name(std::string_view name, std::string_view profileName);

// Removes the stale temporaries of the profile at `path`: regular files of
// ours only; everything else in the folder stays.
void remove_stale_temporaries(const std::string& path);

// The folder part and the name part of a path ("." for a bare name).
std::string folder_of(const std::string& path);
std::string name_of(const std::string& path);

} // namespace quillon::profile
