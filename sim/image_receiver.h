// Collects the raw bytes of a firmware image. A pause of more than a second in
// the data throws away what arrived, and the next byte starts a new image.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace q30sim {

class ImageReceiver {
public:
    using TimePoint = std::chrono::steady_clock::time_point;
    static constexpr std::chrono::milliseconds kMaxGap{1000};

    void reset();

    // Takes bytes up to the end of the image; returns how many it took.
    std::size_t take(std::string_view bytes, TimePoint now);
    bool complete() const;

    // Discards a partial image whose data stopped more than kMaxGap ago.
    void expire(TimePoint now);
    // When a partial image will be discarded, if one is arriving.
    std::optional<TimePoint> deadline() const;
    // True while a partial image is arriving.
    bool receiving() const { return !image_.empty(); }

    // The complete image; the receiver starts empty again.
    std::vector<std::uint8_t> release();

private:
    std::vector<std::uint8_t> image_;
    TimePoint lastByte_{};
};

} // namespace q30sim
