#include "gui/start_options.h"

#include <filesystem>
#include <stdlib.h>

#include "profile/ini_file.h"
#include "profile/profile_keys.h"
#include "shell/shell_ids.h"

namespace quillon::gui {

namespace {

constexpr int kEnglish = 0;

} // namespace

ScratchConfigFolder::ScratchConfigFolder(const std::string& source)
{
    namespace fs = std::filesystem;
    std::string pattern = (fs::temp_directory_path() / "quillon-screenshots-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        return;
    path_ = pattern;
    std::error_code ec;
    if (!source.empty()) {
        const fs::path profile = fs::path(source) / profile::kDefaultProfileName;
        if (fs::is_regular_file(profile, ec))
            fs::copy_file(profile, fs::path(path_) / profile::kDefaultProfileName, ec);
    }
    (void)profile::write_string((fs::path(path_) / profile::kSettingsFileName).string(), profile::kProgramSection,
                                profile::kFirstRunKey, "1");
}

ScratchConfigFolder::~ScratchConfigFolder()
{
    if (path_.empty())
        return;
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

void show_start_failure(platform::Ui& ui, const std::string& reason)
{
    ui.message_box(nullptr, ui.text(kConfigFolderUnusable, kEnglish) + "\n\n" + reason, ui.text(ids::kProgramTitle),
                   platform::MessageBoxButtons::Ok, platform::MessageBoxIcon::Warning);
}

} // namespace quillon::gui
