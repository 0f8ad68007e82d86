#include "progress.h"

#include <unistd.h>

namespace quillon::cli {

namespace {

// Redrawing more often only costs the terminal time.
constexpr auto kRedrawEvery = std::chrono::milliseconds(100);

std::FILE* terminal_or_nothing()
{
    return isatty(STDERR_FILENO) ? stderr : nullptr;
}

} // namespace

Progress::Progress(std::string what, std::FILE* out)
    : what_(std::move(what)), out_(out ? out : terminal_or_nothing())
{
}

void Progress::set_what(std::string what)
{
    what_ = std::move(what);
    if (drawn_)
        draw();
}

void Progress::step()
{
    ++count_;
    const auto now = std::chrono::steady_clock::now();
    if (!drawn_ || now - lastDraw_ >= kRedrawEvery) {
        lastDraw_ = now;
        draw();
    }
}

void Progress::draw()
{
    if (!out_)
        return;
    std::fprintf(out_, "\r\033[K%s: %d commands", what_.c_str(), count_);
    std::fflush(out_);
    drawn_ = true;
}

void Progress::finish()
{
    if (!out_ || !drawn_)
        return;
    std::fprintf(out_, "\r\033[K");
    std::fflush(out_);
    drawn_ = false;
}

} // namespace quillon::cli
