// quillon-cli raw: one command code through the library, with every field
// of the record it fills, so each code can be tried by hand.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "catalogue.h"
#include "commands.h"
#include "q30com32/q30com32.h"
#include "trace.h"

namespace quillon::cli {

namespace {

constexpr const char* kRawUsage =
    "usage: quillon-cli raw NAME|CODE [options]\n"
    "  NAME is a command name such as DRV_MSN or MSN, CODE its number 0..66\n"
    "  --port P --index I --op O --on B --value V    record fields\n"
    "  --str S --str2 S --str3 S --from H --to H      record texts and hours\n"
    "  --protocol N                                   data protocol number (DRV_DATA_PARAM)\n"
    "  --data-text T                                  text of DRV_DATA_P3P4 port 12\n"
    "  --time DD/MM/YYYY-hh:mm:ss                     clock fields (DRV_CLOCK, DRV_WAKEUP)\n"
    "  --buffer-size N                                caller buffer for lists, charges, line texts\n"
    "  --file F                                       data to write (DRV_WRITE_RAW)\n"
    "  --no-search                                    do not search for the device first\n";

// Codes that open a port themselves or need none.
bool opens_its_own_port(int code)
{
    return code == q30::DRV_FIND_DEVICE || code == q30::DRV_BOOT_OPEN || code == q30::DRV_REOPEN ||
           code == q30::DRV_CLOSE;
}

std::optional<int> parse_int(const std::string& s)
{
    char* end = nullptr;
    long v = std::strtol(s.c_str(), &end, 0);
    if (s.empty() || *end != 0 || v < INT32_MIN || v > INT32_MAX)
        return std::nullopt;
    return static_cast<int>(v);
}

bool parse_time(const std::string& s, q30::record::ClockFields& c)
{
    return std::sscanf(s.c_str(), "%d/%d/%d-%d:%d:%d", &c.day, &c.month, &c.year, &c.hour, &c.minute,
                       &c.second) >= 5;
}

void print_fields(int code, const DrvCmd& r, const std::vector<char>& buffer)
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
    if (!buffer.empty())
        std::printf("buffer:   \"%s\"\n", q30::escape_control(buffer.data()).c_str());
}

} // namespace

int raw(const std::vector<std::string>& args)
{
    if (args.empty() || args[0] == "--help") {
        std::fputs(kRawUsage, args.empty() ? stderr : stdout);
        return args.empty() ? 2 : 0;
    }
    std::optional<int> code = parse_int(args[0]);
    if (!code)
        code = q30::catalogue::code_by_name(args[0]);
    if (!code || *code < 0) {
        std::fprintf(stderr, "quillon-cli raw: unknown command '%s'\n", args[0].c_str());
        return 2;
    }

    DrvCmd r;
    std::memset(&r, 0, sizeof r);
    std::vector<char> buffer;
    std::vector<char> data;
    bool search = !opens_its_own_port(*code);
    q30::record::ClockFields clock{};
    bool clockGiven = false;

    const std::map<std::string, int32_t*> numbers{
        {"--port", &r.port}, {"--index", &r.index}, {"--op", &r.op},   {"--on", &r.on},
        {"--value", &r.value}, {"--from", &r.from}, {"--to", &r.to},
    };
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& opt = args[i];
        if (opt == "--no-search") {
            search = false;
            continue;
        }
        if (i + 1 >= args.size()) {
            std::fprintf(stderr, "quillon-cli raw: %s needs a value\n%s", opt.c_str(), kRawUsage);
            return 2;
        }
        const std::string& val = args[++i];
        if (auto it = numbers.find(opt); it != numbers.end()) {
            auto n = parse_int(val);
            if (!n) {
                std::fprintf(stderr, "quillon-cli raw: %s wants a number, not '%s'\n", opt.c_str(), val.c_str());
                return 2;
            }
            *it->second = *n;
        } else if (opt == "--str") {
            q30::record::set_str(r, val);
        } else if (opt == "--str2") {
            q30::record::set_str2(r, val);
        } else if (opt == "--str3") {
            q30::record::set_str3(r, val);
        } else if (opt == "--data-text") {
            q30::record::set_data_text(r, val);
        } else if (opt == "--protocol" && parse_int(val)) {
            q30::record::set_protocol_number(r, *parse_int(val));
        } else if (opt == "--time" && parse_time(val, clock)) {
            clockGiven = true;
        } else if (opt == "--buffer-size" && parse_int(val) && *parse_int(val) > 0 && *parse_int(val) <= 1 << 20) {
            buffer.assign(static_cast<std::size_t>(*parse_int(val)), 0);
        } else if (opt == "--file") {
            std::ifstream in(val, std::ios::binary);
            if (!in) {
                std::fprintf(stderr, "quillon-cli raw: cannot read '%s'\n", val.c_str());
                return 1;
            }
            data.assign(std::istreambuf_iterator<char>(in), {});
        } else {
            std::fprintf(stderr, "quillon-cli raw: bad option %s %s\n%s", opt.c_str(), val.c_str(), kRawUsage);
            return 2;
        }
    }
    if (clockGiven) {
        int32_t year = r.value;
        q30::record::set_clock_fields(r, clock);
        if (*code == q30::DRV_WAKEUP)
            r.value = year;
    }
    if (!data.empty()) {
        q30::record::set_caller_buffer(r, data.data(), static_cast<int32_t>(data.size()));
        q30::record::set_byte_count(r, static_cast<int32_t>(data.size()));
    } else if (!buffer.empty()) {
        q30::record::set_caller_buffer(r, buffer.data(), static_cast<int32_t>(buffer.size()));
    }

    if (search && D_SendDrvCmd(q30::DRV_FIND_DEVICE, nullptr) != 0) {
        std::fprintf(stderr, "quillon-cli raw: no device answered on COM1..COM8 (try 'quillon-cli ports')\n");
        return 1;
    }
    const int32_t result = D_SendDrvCmd(static_cast<uint32_t>(*code), &r);
    std::printf("command:  %d %s\n", *code, q30::catalogue::command_info(static_cast<uint32_t>(*code)).name);
    std::printf("sent:     \"%s\"\n", q30::escape_control(q30::record::text(r)).c_str());
    std::printf("result:   %d\n", result);
    print_fields(*code, r, data.empty() ? buffer : std::vector<char>{});
    return 0;
}

} // namespace quillon::cli
