#include "firmware_image.h"

#include <algorithm>

namespace q30sim {

namespace {

// The fill of unused flash.
constexpr std::uint8_t kErasedByte = 0xFF;

void put_text(std::vector<std::uint8_t>& image, std::size_t offset, std::size_t fieldSize, const std::string& text)
{
    std::fill_n(image.begin() + static_cast<std::ptrdiff_t>(offset), fieldSize, std::uint8_t{0});
    std::size_t n = std::min(text.size(), fieldSize);
    std::copy_n(text.begin(), n, image.begin() + static_cast<std::ptrdiff_t>(offset));
}

std::string get_text(std::span<const std::uint8_t> image, std::size_t offset, std::size_t fieldSize)
{
    if (image.size() < offset + fieldSize)
        return {};
    std::string text;
    for (std::size_t i = 0; i < fieldSize && image[offset + i] != 0; ++i)
        text += static_cast<char>(image[offset + i]);
    return text;
}

} // namespace

std::vector<std::uint8_t> make_firmware_image(Model model, const std::string& version, const std::string& bootCode)
{
    std::vector<std::uint8_t> image(kFirmwareImageSize, kErasedByte);
    // Some code-like content, so the image is not all one byte.
    for (std::size_t i = 0; i < kBootCodeOffset; ++i)
        image[i] = static_cast<std::uint8_t>(i * 31 + 7);
    put_text(image, kBootCodeOffset, kBootCodeFieldSize, bootCode);
    put_text(image, kIdentityOffset, kOrderNumberFieldSize, std::string(order_number(model)));
    put_text(image, kVersionOffset, kVersionFieldSize, version);
    return image;
}

ImageIdentity read_image_identity(std::span<const std::uint8_t> image)
{
    return {get_text(image, kIdentityOffset, kOrderNumberFieldSize), get_text(image, kVersionOffset, kVersionFieldSize),
            get_text(image, kBootCodeOffset, kBootCodeFieldSize)};
}

} // namespace q30sim
