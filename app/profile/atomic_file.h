// Replacing a whole file in one step: a temporary file in the same folder,
// flushed to disk, then renamed over the old one. A failure at any step
// leaves the old file as it was and no temporary behind.
#pragma once

#include <string>
#include <string_view>

#include "profile/write_result.h"

namespace quillon::profile {

// The file a path finally names, following symbolic links (also one whose
// target does not exist yet); `path` itself when it is no link.
std::string resolve_links(const std::string& path);

// Writes `bytes` as the whole content of the file at `path`. A symbolic link
// stays a link: its target is replaced. A file the user may not write is
// refused; a rewritten file keeps its permissions. Stale temporaries of an
// earlier, interrupted write are removed first.
WriteResult replace_file(const std::string& path, std::string_view bytes);

} // namespace quillon::profile
