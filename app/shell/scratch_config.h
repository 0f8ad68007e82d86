// A private copy of the configuration folder, for runs that must leave the
// user's own as it was (screenshots, the command-line tool's reading
// commands): the default profile (language, sound, port names) copied, the
// first start taken as done, so that no dialog waits for a person. Removed
// with the object.
#pragma once

#include <string>

namespace quillon {

class ScratchConfigFolder {
public:
    // `source`: the folder to copy from as --config-dir names it (empty: the
    // user's configuration folder); a missing one gives a fresh copy.
    // `purpose` goes into the temporary folder's name.
    ScratchConfigFolder(const std::string& source, const std::string& purpose);
    ~ScratchConfigFolder();
    ScratchConfigFolder(const ScratchConfigFolder&) = delete;
    ScratchConfigFolder& operator=(const ScratchConfigFolder&) = delete;

    // With its trailing '/'; empty when the folder could not be made
    // (`error` says why).
    const std::string& path() const { return path_; }
    const std::string& error() const { return error_; }

private:
    std::string path_;
    std::string error_;
};

} // namespace quillon
