#include "shell/next_input.h"

#include "resources/dialog_template.h"

namespace quillon {

void focus_next_input(platform::Window& window)
{
    const resources::DialogTemplate* t = window.dialog_template();
    if (!t || t->controls.empty())
        return;
    const int current = window.focus();
    const auto& controls = t->controls;
    std::size_t start = 0;
    for (std::size_t i = 0; i < controls.size(); ++i)
        if (controls[i].id == current)
            start = i + 1;
    for (std::size_t n = 0; n < controls.size(); ++n) {
        const auto& c = controls[(start + n) % controls.size()];
        if (resources::is_field_kind(c.kind) && window.visible(c.id) && window.enabled(c.id)) {
            window.set_focus(c.id);
            return;
        }
    }
}

bool confirm_field_key(platform::Window& window, platform::Key key, const std::function<void()>& store)
{
    if (key == platform::Key::Escape)
        return false;
    store();
    focus_next_input(window);
    return true;
}

} // namespace quillon
