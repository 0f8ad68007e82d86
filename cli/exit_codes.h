// Exit statuses shared by the quillon-cli commands, so scripts can tell a
// device problem from a mistake in the command line.
#pragma once

namespace quillon::cli {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitDeviceFailed = 1; // the device refused or did not answer something
inline constexpr int kExitBadUsage = 2;     // bad arguments or a bad file

} // namespace quillon::cli
