// The platform layer as the shell and the pages use it: sending and posting
// messages, the strings and templates, message boxes, the clock, feedback.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_set>

#include "platform/backend.h"
#include "platform/window.h"
#include "resources/resources.h"

namespace quillon::platform {

class Ui {
public:
    Ui(Backend& backend, const resources::Resources& resources);
    Ui(const Ui&) = delete;
    Ui& operator=(const Ui&) = delete;

    Backend& backend() const { return backend_; }
    const resources::Resources& resources() const { return resources_; }

    // Delivers a message at once and returns the handler's answer.
    intptr_t send(Window& to, uint32_t msg, uintptr_t wparam = 0, intptr_t lparam = 0);
    intptr_t send_command(Window& to, int id, int code = BN_CLICKED);
    // Queues a message; pump() delivers it after pre-translation.
    void post(Window& to, uint32_t msg, uintptr_t wparam = 0, intptr_t lparam = 0);
    void post_command(Window& to, int id, int code = BN_CLICKED);
    // Delivers queued messages, including those posted meanwhile; returns
    // how many were delivered.
    int pump();
    bool has_posted() const { return !queue_.empty(); }

    // Windows announce themselves, so messages to a destroyed window are dropped.
    void attach(Window& w);
    void detach(Window& w);
    bool alive(const Window* w) const { return windows_.count(w) != 0; }

    // Strings: an id, or a base + language.
    const std::string& text(int id) const { return resources_.strings.get(id); }
    const std::string& text(int base, int language) const { return resources_.strings.get(base, language); }

    int message_box(Window* owner, std::string_view text, std::string_view caption,
                    MessageBoxButtons buttons = MessageBoxButtons::Ok,
                    MessageBoxIcon icon = MessageBoxIcon::None);
    void beep() { backend_.beep(); }
    uint64_t now_ms() const { return backend_.now_ms(); }
    LocalDateTime local_time() const { return backend_.local_time(); }
    std::string locale_name() const { return backend_.locale_name(); }
    void sleep_ms(int ms) { backend_.sleep_ms(ms); }
    bool large_fonts() const { return backend_.screen_dpi() >= kLargeFontDpi; }

    static constexpr int kLargeFontDpi = 120;

private:
    struct Posted {
        Window* to;
        Message message;
    };
    void dispatch_posted(const Posted& p);

    Backend& backend_;
    const resources::Resources& resources_;
    std::deque<Posted> queue_;
    std::unordered_set<const Window*> windows_;
};

// Shows the wait cursor for as long as it lives.
class WaitCursor {
public:
    explicit WaitCursor(Ui& ui) : ui_(ui) { ui_.backend().set_wait_cursor(true); }
    ~WaitCursor() { ui_.backend().set_wait_cursor(false); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    Ui& ui_;
};

} // namespace quillon::platform
