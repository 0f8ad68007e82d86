#include "pages/rom_identity.h"

#include "shell/app_state.h"

namespace quillon {

namespace {

constexpr std::string_view kLargerOrderNumber = "KLM-230S";
constexpr std::string_view kSmallerOrderNumber = "KLM-220S";
constexpr std::string_view kUsbMark = "USB";
constexpr char kUnprintable = '?';

// The text of a field up to its first NUL; empty when the field does not fit.
std::string field_text(std::span<const std::uint8_t> image, std::size_t offset, std::size_t size)
{
    if (image.size() < offset || image.size() - offset < size)
        return {};
    std::string text;
    for (std::size_t i = 0; i < size && image[offset + i] != 0; ++i) {
        const std::uint8_t byte = image[offset + i];
        text += (byte >= 0x20 && byte < 0x7F) ? static_cast<char>(byte) : kUnprintable;
    }
    return text;
}

bool contains(std::string_view text, std::string_view part) { return text.find(part) != std::string_view::npos; }

} // namespace

std::string rom_model_name(std::string_view identityText)
{
    constexpr int kLarger = 30;
    constexpr int kSmaller = 20;
    if (contains(identityText, kLargerOrderNumber))
        return model_name(kLarger, contains(identityText, kUsbMark));
    if (contains(identityText, kSmallerOrderNumber))
        return model_name(kSmaller, false);
    return kUnknownModelName;
}

RomIdentity read_rom_identity(std::span<const std::uint8_t> image)
{
    RomIdentity identity;
    identity.modelName = rom_model_name(field_text(image, kRomIdentityOffset, kRomIdentitySize));
    identity.firmwareVersion = field_text(image, kRomVersionOffset, kRomVersionSize);
    identity.bootCode = field_text(image, kRomBootCodeOffset, kRomBootCodeSize);
    return identity;
}

} // namespace quillon
