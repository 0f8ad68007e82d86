// ROM identities of arbitrary content and length: no read outside the image,
// one of the four model names, and texts no longer than their fields, made
// of printable characters only.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>
#include <vector>

#include "pages/rom_identity.h"

namespace {

bool printable_within(const std::string& text, std::size_t field)
{
    return text.size() <= field && std::all_of(text.begin(), text.end(), [](char c) { return c >= 0x20 && c < 0x7F; });
}

void check(std::span<const std::uint8_t> image)
{
    const quillon::RomIdentity id = quillon::read_rom_identity(image);
    const bool known = id.modelName == "VornISDN Q30-USB" || id.modelName == "VornISDN Q30" ||
                       id.modelName == "VornISDN Q20" || id.modelName == "????";
    if (!known || !printable_within(id.firmwareVersion, quillon::kRomVersionSize) ||
        !printable_within(id.bootCode, quillon::kRomBootCodeSize))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    // The input as a whole image, however short.
    check({data, size});
    // The input laid over the identity block and the boot code of an image,
    // which the first byte may cut short by up to 63 bytes.
    const std::size_t cut = size > 0 ? data[0] % 64 : 0;
    std::vector<std::uint8_t> image(quillon::kRomSize - cut, 0xFF);
    const std::size_t intoIdentity = std::min(size, image.size() - quillon::kRomIdentityOffset);
    std::copy_n(data, intoIdentity, image.begin() + quillon::kRomIdentityOffset);
    std::copy_n(data, std::min(size, quillon::kRomBootCodeSize + 4), image.begin() + quillon::kRomBootCodeOffset);
    check(image);
    return 0;
}
