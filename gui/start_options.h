// What the program does around its start: screenshots on a private copy of
// the configuration folder, and a start that failed told on the desktop.
#pragma once

#include <string>

#include "platform/ui.h"

namespace quillon::gui {

// String base of the message shown when the configuration folder cannot
// be used.
inline constexpr int kConfigFolderUnusable = 9960;

// A temporary configuration folder for screenshots: it holds a copy of the
// default profile of `source` (when `source` names a folder that has one)
// and the first-run flag already set, so that no dialog waits for a person
// and nothing the run writes reaches the user's own folder. Removed with
// the object; path() is empty when the folder could not be made.
class ScratchConfigFolder {
public:
    explicit ScratchConfigFolder(const std::string& source);
    ~ScratchConfigFolder();
    ScratchConfigFolder(const ScratchConfigFolder&) = delete;
    ScratchConfigFolder& operator=(const ScratchConfigFolder&) = delete;

    const std::string& path() const { return path_; }

private:
    std::string path_;
};

// Shows why the program cannot start (English: the language lives in the
// folder that failed) in a message box.
void show_start_failure(platform::Ui& ui, const std::string& reason);

} // namespace quillon::gui
