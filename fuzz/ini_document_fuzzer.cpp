// Fuzzes the profile reader and writer: any bytes read as a profile, one
// key written into it, the result read again. Traps when a written value
// does not read back, when another value changes, or when text that is not
// UTF-8 reaches the program.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include <fuzzer/FuzzedDataProvider.h>

#include "profile/ini_document.h"
#include "profile/ini_syntax.h"
#include "profile/text_encoding.h"

using namespace quillon::profile;

namespace {

constexpr std::size_t kAllChars = static_cast<std::size_t>(-1);

void check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

struct Probe {
    std::string section, key;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider input(data, size);
    std::vector<Probe> probes;
    for (int i = 0; i < 3; ++i)
        probes.push_back({input.ConsumeRandomLengthString(12), input.ConsumeRandomLengthString(12)});
    const std::string value = input.ConsumeRandomLengthString(40);
    const std::size_t maxChars = input.ConsumeIntegralInRange<std::size_t>(0, 60);
    const std::string file = input.ConsumeRemainingBytesAsString();

    IniDocument doc = IniDocument::from_bytes(file);
    std::vector<std::string> before;
    for (const Probe& p : probes) {
        const std::string v = doc.read_string(p.section, p.key, "", kAllChars);
        check(is_valid_utf8(v));
        check(doc.read_string(p.section, p.key, "", maxChars) == utf8_prefix(v, maxChars));
        (void)doc.read_int(p.section, p.key, 0);
        (void)doc.has_section(p.section);
        before.push_back(v);
    }

    // Write the first probe's key; the others keep their values.
    const Probe& target = probes.front();
    const bool stored = doc.write_string(target.section, target.key, value);
    const IniDocument again = IniDocument::from_bytes(doc.to_bytes());
    check(again.encoding() == doc.encoding());
    for (std::size_t i = 0; i < probes.size(); ++i) {
        const Probe& p = probes[i];
        const bool written = stored && same_name(p.section, target.section) && same_name(p.key, target.key);
        const std::string expected = written ? std::string(unquote(trim_blanks(value))) : before[i];
        check(again.read_string(p.section, p.key, "", kAllChars) == expected);
    }
    if (stored)
        check(again.has_section(target.section));
    return 0;
}
