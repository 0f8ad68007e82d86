// Command lines and reply time-outs of the special (non-catalogue) codes.
#pragma once

namespace q30::special {

inline constexpr const char* kPing = "AT\r";
inline constexpr const char* kStore = "AT&W\r";
inline constexpr const char* kEchoOff = "ATE0\r";
inline constexpr const char* kVerbose = "ATV1\r";
inline constexpr const char* kOrderNumber = "ATI4\r";
inline constexpr const char* kVersions = "ATI3\r";
inline constexpr const char* kCallCheck = "ATC?\r";
inline constexpr const char* kDownloadStart = "AT!DOWNLOAD\r";

// Reply time-outs in milliseconds.
inline constexpr int kPingMs = 300;
inline constexpr int kStoreMs = 5000;
inline constexpr int kAfterStoreMs = 300;
inline constexpr int kEchoOffMs = 1000;
inline constexpr int kIdentifyMs = 300;
inline constexpr int kCallCheckMs = 300;
inline constexpr int kDownloadStartMs = 300;
inline constexpr int kDownloadResultMs = 8000;
inline constexpr int kBootResetMs = 3000;
inline constexpr int kDialBackFirstMs = 300;
inline constexpr int kDialBackSecondMs = 5000;

} // namespace q30::special
