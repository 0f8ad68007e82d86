#include "raw_outcome.h"

#include "catalogue.h"

namespace quillon::cli {

namespace {

// Results of the special codes that are not plain "done".
constexpr int32_t kPingFailed = -1;           // codes 1, 55 and 32: no reply to the probe
constexpr int32_t kVerdictSuccess = 3;        // code 35
constexpr int32_t kVerdictFailure = 2;        // code 35
constexpr int32_t kBootLoaderWaiting = 2;     // codes 37 and 56

std::string with_result(const char* what, int32_t result)
{
    return std::string(what) + " (result " + std::to_string(result) + ")";
}

} // namespace

std::string failure_of(uint32_t code, int32_t result, const DrvCmd& record)
{
    if (result == q30::kResultRefused)
        return with_result("the library refused the record: it cannot be put on the line", result);
    if (q30::catalogue::command_info(code).kind == q30::catalogue::Kind::Generic) {
        if (result == q30::kResultNoReply)
            return with_result("the device did not answer", result);
        if (record.replied == 1 && record.ok != 1)
            return "the device refused the command (its reply holds no OK)";
        return {};
    }
    switch (code) {
    case q30::DRV_FIND_DEVICE:
    case q30::DRV_REOPEN:
        return result == q30::kResultNoReply ? with_result("no device answered", result) : std::string{};
    case q30::DRV_PING:
    case q30::DRV_PING2:
    case q30::DRV_CALL_CHECK:
        return result == kPingFailed ? with_result("the device did not answer", result) : std::string{};
    case q30::DRV_P24_OLD:
    case q30::DRV_P24:
        return result != q30::kResultOk ? with_result("the device did not answer the dial back", result)
                                        : std::string{};
    case q30::DRV_DOWNLOAD_RESULT:
        if (result == kVerdictFailure)
            return with_result("the device reported a failed download", result);
        return result != kVerdictSuccess ? with_result("no download verdict arrived", result) : std::string{};
    case q30::DRV_BOOT_OPEN:
    case q30::DRV_BOOT_RESET:
        return result != kBootLoaderWaiting ? with_result("no boot loader answered", result) : std::string{};
    default:
        return result < 0 ? with_result("the command failed", result) : std::string{};
    }
}

} // namespace quillon::cli
