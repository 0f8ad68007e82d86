// quillon-cli raw: one command code through the library, with every field
// of the record it fills, so each code can be tried by hand.
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue.h"
#include "commands.h"
#include "exit_codes.h"
#include "raw_arguments.h"
#include "raw_outcome.h"
#include "q30com32/q30com32.h"
#include "trace.h"

namespace quillon::cli {

namespace {

// %zu is the largest --file.
constexpr const char* kRawUsage =
    "usage: quillon-cli raw NAME|CODE [options]\n"
    "  NAME is a command name such as DRV_MSN or MSN, CODE its number 0..66\n"
    "  --port P --index I --op O --on B --value V    record fields\n"
    "  --str S --str2 S --str3 S --from H --to H      record texts and hours\n"
    "  --protocol N                                   data protocol number (DRV_DATA_PARAM)\n"
    "  --data-text T                                  text of DRV_DATA_P3P4 port 12\n"
    "  --time DD/MM/YYYY-hh:mm:ss                     clock fields (DRV_CLOCK, DRV_WAKEUP)\n"
    "  --buffer-size N                                caller buffer for lists, charges, line texts\n"
    "  --file F                                       data to write (DRV_WRITE_RAW), at most %zu bytes\n"
    "  --no-search                                    do not search for the device first\n"
    "Numbers are decimal. A text longer than its record field is refused, not cut.\n"
    "Exit status: 0 done; 1 the library refused the record, or the device refused it\n"
    "or did not answer; 2 bad usage or a bad file.\n";

void print_usage(std::FILE* to) { std::fprintf(to, kRawUsage, kMaxWriteBytes); }

void print_fields(uint32_t code, const DrvCmd& r, const std::vector<char>& buffer)
{
    using namespace q30::record;
    std::printf("replied:  %d\nok:       %d\n", r.replied, r.ok);
    std::printf("port:     %d\nindex:    %d\non:       %d\nvalue:    %d\n", r.port, r.index, r.on, r.value);
    std::printf("str:      \"%s\"\n", q30::escape_control(q30::record::str(r)).c_str());
    std::printf("str2:     \"%s\"\n", q30::escape_control(str2(r)).c_str());
    std::printf("str3:     \"%s\"\n", q30::escape_control(str3(r)).c_str());
    std::printf("from/to:  %d / %d\n", r.from, r.to);
    switch (code) {
    case q30::DRV_WAKEUP:
    case q30::DRV_CLOCK: {
        ClockFields c = clock_fields(r);
        std::printf("clock:    %02d/%02d/%04d %02d:%02d:%02d\n", c.day, c.month, c.year, c.hour, c.minute, c.second);
        break;
    }
    case q30::DRV_DATA_PARAM: std::printf("protocol: %d\n", protocol_number(r)); break;
    case q30::DRV_DATA_P3P4: std::printf("data text: \"%s\"\n", q30::escape_control(data_text(r)).c_str()); break;
    case q30::DRV_PORT_STATUS:
        std::printf("flags:   ");
        for (int i = 0; i < kPortFlagCount; ++i)
            std::printf(" %d", port_flag(r, i));
        std::printf("\n");
        break;
    case q30::DRV_DEVICE_INFO:
        std::printf("USB:      %d\nboot code: \"%s\"\n", usb_flag(r), std::string(boot_version(r)).c_str());
        break;
    default: break;
    }
    if (!buffer.empty()) {
        const std::string_view reply(buffer.data(), strnlen(buffer.data(), buffer.size()));
        std::printf("buffer:   \"%s\"\n", q30::escape_control(reply).c_str());
    }
}

} // namespace

int raw(const std::vector<std::string>& args)
{
    if (args.empty() || asks_for_help(args)) {
        print_usage(args.empty() ? stderr : stdout);
        return args.empty() ? kExitBadUsage : kExitSuccess;
    }
    RawRequest request;
    if (std::string problem = parse_raw_arguments(args, request); !problem.empty()) {
        std::fprintf(stderr, "quillon-cli raw: %s\n", problem.c_str());
        return kExitBadUsage;
    }
    attach_buffers(request);

    if (request.searchFirst && D_SendDrvCmd(q30::DRV_FIND_DEVICE, nullptr) != q30::kResultOk) {
        std::fprintf(stderr, "quillon-cli raw: no device answered on COM1..COM8 (try 'quillon-cli ports')\n");
        return kExitDeviceFailed;
    }
    DrvCmd& r = request.record;
    const int32_t result = D_SendDrvCmd(request.code, &r);
    std::printf("command:  %u %s\n", request.code, q30::catalogue::command_info(request.code).name);
    std::printf("sent:     \"%s\"\n", q30::escape_control(q30::record::text(r)).c_str());
    std::printf("result:   %d\n", result);
    print_fields(request.code, r, request.writeData.empty() ? request.readBuffer : std::vector<char>{});
    if (std::string failure = failure_of(request.code, result, r); !failure.empty()) {
        std::fflush(stdout);
        std::fprintf(stderr, "quillon-cli raw: %s\n", failure.c_str());
        return kExitDeviceFailed;
    }
    return kExitSuccess;
}

} // namespace quillon::cli
