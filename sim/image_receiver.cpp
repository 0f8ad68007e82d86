#include "image_receiver.h"

#include <algorithm>

#include "firmware_image.h"

namespace q30sim {

void ImageReceiver::reset()
{
    image_.clear();
    image_.shrink_to_fit();
}

std::size_t ImageReceiver::take(std::string_view bytes, TimePoint now)
{
    expire(now);
    std::size_t n = std::min(bytes.size(), kFirmwareImageSize - image_.size());
    if (image_.empty())
        image_.reserve(kFirmwareImageSize);
    image_.insert(image_.end(), bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(n));
    if (n > 0)
        lastByte_ = now;
    return n;
}

bool ImageReceiver::complete() const
{
    return image_.size() == kFirmwareImageSize;
}

void ImageReceiver::expire(TimePoint now)
{
    if (!image_.empty() && !complete() && now - lastByte_ > kMaxGap)
        reset();
}

std::optional<ImageReceiver::TimePoint> ImageReceiver::deadline() const
{
    if (image_.empty() || complete())
        return std::nullopt;
    return lastByte_ + kMaxGap + std::chrono::milliseconds(1);
}

std::vector<std::uint8_t> ImageReceiver::release()
{
    std::vector<std::uint8_t> image;
    image.swap(image_);
    return image;
}

} // namespace q30sim
