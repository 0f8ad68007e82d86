#include "platform/ui.h"

namespace quillon::platform {

Ui::Ui(Backend& backend, const resources::Resources& resources) : backend_(backend), resources_(resources)
{
    backend_.bind(*this);
}

intptr_t Ui::send(Window& to, uint32_t msg, uintptr_t wparam, intptr_t lparam)
{
    if (!alive(&to))
        return 0;
    return to.on_message({msg, wparam, lparam});
}

intptr_t Ui::send_command(Window& to, int id, int code)
{
    return send(to, WM_COMMAND, command_wparam(id, code));
}

void Ui::post(Window& to, uint32_t msg, uintptr_t wparam, intptr_t lparam)
{
    queue_.push_back({&to, {msg, wparam, lparam}});
    backend_.wake();
}

void Ui::post_command(Window& to, int id, int code)
{
    post(to, WM_COMMAND, command_wparam(id, code));
}

int Ui::pump()
{
    int delivered = 0;
    while (!queue_.empty()) {
        Posted p = queue_.front();
        queue_.pop_front();
        dispatch_posted(p);
        ++delivered;
    }
    return delivered;
}

void Ui::dispatch_posted(const Posted& p)
{
    if (!alive(p.to))
        return;
    // The target and then its owners may take the message first.
    for (Window* w = p.to; w != nullptr; w = w->owner()) {
        if (!alive(w))
            break;
        if (w->pre_translate(p.message))
            return;
        if (!alive(p.to))
            return;
    }
    p.to->on_message(p.message);
}

void Ui::attach(Window& w) { windows_.insert(&w); }

void Ui::detach(Window& w) { windows_.erase(&w); }

int Ui::message_box(Window* owner, std::string_view text, std::string_view caption, MessageBoxButtons buttons,
                    MessageBoxIcon icon)
{
    return backend_.message_box(owner, text, caption, buttons, icon);
}

} // namespace quillon::platform
