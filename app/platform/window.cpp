#include "platform/window.h"

#include "platform/ui.h"

namespace quillon::platform {

Window::Window(Ui& ui, Window* owner) : ui_(ui), owner_(owner) { ui_.attach(*this); }

Window::~Window()
{
    destroy();
    ui_.detach(*this);
}

Backend& Window::backend() const { return ui_.backend(); }

intptr_t Window::on_message(const Message& m)
{
    if (m.id == WM_COMMAND) {
        on_command(command_id(m.wparam), command_code(m.wparam));
        return 1;
    }
    if (m.id == WM_TIMER) {
        on_timer(static_cast<int>(m.wparam));
        return 1;
    }
    if (m.id == WM_CLOSE) {
        on_close();
        return 1;
    }
    return 0;
}

void Window::create(int templateId, WindowRole role)
{
    static const resources::DialogTemplate kEmpty{};
    const resources::DialogTemplate* t = ui_.resources().dialogs.find(templateId);
    template_ = t ? t : &kEmpty;
    templateId_ = templateId;
    backend().create_window(*this, *template_, owner_, role);
    created_ = true;
}

void Window::destroy()
{
    if (!created_)
        return;
    created_ = false;
    backend().destroy_window(*this);
}

void Window::show(bool show) { backend().show_window(*this, show); }
bool Window::shown() const { return created_ && backend().window_shown(*this); }
void Window::set_caption(std::string_view caption) { backend().set_caption(*this, caption); }
void Window::set_menu(int menuId) { backend().set_menu(*this, ui_.resources().menus.find(menuId)); }
void Window::repaint() { backend().repaint(*this); }
void Window::set_client_size(int width, int height) { backend().set_client_size(*this, width, height); }
void Window::set_control_rect(int id, const Rect& pixels) { backend().set_control_rect(*this, id, pixels); }
int Window::run_modal() { return backend().run_modal(*this); }
void Window::end_modal(int result) { backend().end_modal(*this, result); }
void Window::set_timer(int id, int periodMs) { backend().start_timer(*this, id, periodMs); }
void Window::kill_timer(int id) { backend().stop_timer(*this, id); }

void Window::add_control(const resources::ControlTemplate& c) { backend().add_control(*this, c); }
bool Window::has_control(int id) const { return backend().has_control(*this, id); }
std::string Window::text(int id) const { return backend().text(*this, id); }
void Window::set_text(int id, std::string_view text) { backend().set_text(*this, id, text); }
int Window::check(int id) const { return backend().check(*this, id); }
void Window::set_check(int id, int state) { backend().set_check(*this, id, state); }
int Window::selection(int id) const { return backend().selection(*this, id); }
void Window::set_selection(int id, int index) { backend().set_selection(*this, id, index); }
void Window::set_items(int id, const std::vector<std::string>& items, const std::vector<std::string>& shown)
{
    backend().set_items(*this, id, items, shown);
}
void Window::set_visible(int id, bool visible) { backend().set_visible(*this, id, visible); }
bool Window::visible(int id) const { return backend().visible(*this, id); }
void Window::set_enabled(int id, bool enabled) { backend().set_enabled(*this, id, enabled); }
bool Window::enabled(int id) const { return backend().enabled(*this, id); }
void Window::set_focus(int id) { backend().set_focus(*this, id); }
void Window::set_progress(int id, int position, int range) { backend().set_progress(*this, id, position, range); }
int Window::focus() const { return backend().focus(*this); }

} // namespace quillon::platform
