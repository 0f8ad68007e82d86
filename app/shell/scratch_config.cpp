#include "shell/scratch_config.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <stdlib.h>

#include "profile/ini_file.h"
#include "profile/profile_keys.h"
#include "shell/config_paths.h"

namespace quillon {

namespace fs = std::filesystem;

ScratchConfigFolder::ScratchConfigFolder(const std::string& source, const std::string& purpose)
{
    std::string pattern = (fs::temp_directory_path() / ("quillon-" + purpose + "-XXXXXX")).string();
    if (!mkdtemp(pattern.data())) {
        error_ = pattern + ": " + std::strerror(errno);
        return;
    }
    path_ = pattern + "/";
    std::string unused;
    const std::string from = config_directory_name(source, unused);
    std::error_code ec;
    if (const fs::path profile = fs::path(from) / profile::kDefaultProfileName; !from.empty() && fs::is_regular_file(profile, ec))
        fs::copy_file(profile, fs::path(path_) / profile::kDefaultProfileName, ec);
    // Without the flag the start merely asks its first-start question unanswered.
    (void)profile::write_string(path_ + profile::kSettingsFileName, profile::kProgramSection, profile::kFirstRunKey, "1");
}

ScratchConfigFolder::~ScratchConfigFolder()
{
    if (path_.empty())
        return;
    std::error_code ec;
    fs::remove_all(path_, ec);
}

} // namespace quillon
