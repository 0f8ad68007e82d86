// The outcome of writing a profile file.
#pragma once

#include <string>

namespace quillon::profile {

struct WriteResult {
    bool ok = true;
    std::string error;  // why not, for the user: "Permission denied", "the file is read-only"
    std::string file;   // the file that was (or could not be) written

    // "<file>": <error>, for a message box.
    std::string message() const { return "\"" + file + "\": " + error; }
};

} // namespace quillon::profile
