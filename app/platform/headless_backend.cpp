#include "platform/headless_backend.h"

#include <algorithm>
#include <stdexcept>

#include "platform/ui.h"

namespace quillon::platform {

using resources::ControlKind;

HeadlessBackend::WindowState& HeadlessBackend::must(const Window& w)
{
    auto it = windows_.find(&w);
    if (it == windows_.end())
        throw std::logic_error("headless backend: window not created");
    return it->second;
}

HeadlessBackend::ControlState* HeadlessBackend::find(const Window& w, int id)
{
    auto it = windows_.find(&w);
    if (it == windows_.end())
        return nullptr;
    auto c = it->second.controls.find(id);
    return c == it->second.controls.end() ? nullptr : &c->second;
}

const HeadlessBackend::ControlState* HeadlessBackend::find(const Window& w, int id) const
{
    return const_cast<HeadlessBackend*>(this)->find(w, id);
}

void HeadlessBackend::create_window(Window& w, const resources::DialogTemplate& t, Window* owner, WindowRole role)
{
    WindowState s;
    s.role = role;
    s.templateId = w.template_id();
    s.owner = owner;
    s.caption = t.caption;
    windows_[&w] = std::move(s);
    for (const auto& c : t.controls)
        add_control(w, c);
    if (role == WindowRole::Main)
        main_ = &w;
}

void HeadlessBackend::destroy_window(Window& w)
{
    windows_.erase(&w);
    std::erase_if(timers_, [&](const Timer& t) { return t.window == &w; });
    if (main_ == &w)
        main_ = nullptr;
    for (auto& frame : modalStack_)
        if (frame.window == &w)
            frame.ended = true;
}

void HeadlessBackend::show_window(Window& w, bool show)
{
    WindowState& s = must(w);
    s.shown = show;
    // One page at a time fills the main window.
    if (show && s.role == WindowRole::Page)
        for (auto& [other, state] : windows_)
            if (other != &w && state.role == WindowRole::Page)
                state.shown = false;
}

bool HeadlessBackend::window_shown(const Window& w) const
{
    auto it = windows_.find(&w);
    return it != windows_.end() && it->second.shown;
}

void HeadlessBackend::set_caption(Window& w, std::string_view caption) { must(w).caption = caption; }

void HeadlessBackend::set_menu(Window& w, const resources::Menu* menu) { must(w).menuId = menu ? menu->id : 0; }

void HeadlessBackend::enable_menu_command(Window& w, int commandId, bool enabled)
{
    must(w).menuEnabled[commandId] = enabled;
}

bool HeadlessBackend::menu_command_enabled(const Window& w, int commandId) const
{
    const WindowState* s = state(w);
    if (!s)
        return false;
    auto it = s->menuEnabled.find(commandId);
    return it == s->menuEnabled.end() || it->second;
}

void HeadlessBackend::repaint(Window&) {}

void HeadlessBackend::set_client_size(Window& w, int width, int height)
{
    WindowState& s = must(w);
    s.width = width;
    s.height = height;
}

int HeadlessBackend::run_modal(Window& w)
{
    WindowState& s = must(w);
    s.shown = true;
    const int templateId = s.templateId;
    modalStack_.push_back({&w});
    const std::size_t depth = modalStack_.size();
    int result = IDCANCEL;
    auto script = modalScripts_.find(templateId);
    if (script == modalScripts_.end()) {
        ++unscripted_;
    } else {
        ModalScript run = script->second;  // the script may replace itself
        result = run(w);
    }
    const ModalFrame frame = modalStack_[depth - 1];
    modalStack_.resize(depth - 1);
    if (frame.ended)
        result = frame.result;
    if (auto it = windows_.find(&w); it != windows_.end())
        it->second.shown = false;
    modals_.push_back({templateId, result});
    return result;
}

void HeadlessBackend::end_modal(Window& w, int result)
{
    for (auto it = modalStack_.rbegin(); it != modalStack_.rend(); ++it)
        if (it->window == &w && !it->ended) {
            it->ended = true;
            it->result = result;
            return;
        }
}

void HeadlessBackend::add_control(Window& w, const resources::ControlTemplate& c)
{
    WindowState& s = must(w);
    if (s.controls.count(c.id) == 0)
        s.controlOrder.push_back(c.id);
    ControlState& control = s.controls[c.id];
    control.kind = c.kind;
    control.text = c.text;
    control.visible = (c.style & resources::kStyleHidden) == 0;
    control.enabled = (c.style & resources::kStyleDisabled) == 0;
}

bool HeadlessBackend::has_control(const Window& w, int id) const { return find(w, id) != nullptr; }

std::string HeadlessBackend::text(const Window& w, int id) const
{
    const ControlState* c = find(w, id);
    return c ? c->text : std::string{};
}

void HeadlessBackend::set_text(Window& w, int id, std::string_view text)
{
    if (ControlState* c = find(w, id))
        c->text = text;
}

int HeadlessBackend::check(const Window& w, int id) const
{
    const ControlState* c = find(w, id);
    return c ? c->check : 0;
}

void HeadlessBackend::set_check(Window& w, int id, int state)
{
    if (ControlState* c = find(w, id))
        c->check = state;
}

int HeadlessBackend::selection(const Window& w, int id) const
{
    const ControlState* c = find(w, id);
    return c ? c->selection : -1;
}

void HeadlessBackend::set_selection(Window& w, int id, int index)
{
    if (ControlState* c = find(w, id))
        c->selection = (index >= 0 && index < static_cast<int>(c->items.size())) ? index : -1;
}

void HeadlessBackend::set_items(Window& w, int id, const std::vector<std::string>& items,
                                const std::vector<std::string>& shown)
{
    if (ControlState* c = find(w, id)) {
        c->items = items;
        c->shownItems = shown;
        if (c->selection >= static_cast<int>(items.size()))
            c->selection = -1;
    }
}

void HeadlessBackend::set_visible(Window& w, int id, bool visible)
{
    if (ControlState* c = find(w, id))
        c->visible = visible;
}

bool HeadlessBackend::visible(const Window& w, int id) const
{
    const ControlState* c = find(w, id);
    return c && c->visible;
}

void HeadlessBackend::set_enabled(Window& w, int id, bool enabled)
{
    if (ControlState* c = find(w, id))
        c->enabled = enabled;
}

bool HeadlessBackend::enabled(const Window& w, int id) const
{
    const ControlState* c = find(w, id);
    return c && c->enabled;
}

void HeadlessBackend::set_focus(Window& w, int id)
{
    if (find(w, id))
        must(w).focus = id;
}

int HeadlessBackend::focus(const Window& w) const
{
    auto it = windows_.find(&w);
    return it == windows_.end() ? 0 : it->second.focus;
}

void HeadlessBackend::set_control_rect(Window& w, int id, const Rect& pixels)
{
    if (ControlState* c = find(w, id))
        c->rect = pixels;
}

void HeadlessBackend::set_progress(Window& w, int id, int position, int range)
{
    if (ControlState* c = find(w, id)) {
        c->range = range;
        c->position = range <= 0 ? 0 : std::clamp(position, 0, range);
    }
}

void HeadlessBackend::place_control_over(Window& w, int id, int placeholderId)
{
    ControlState* c = find(w, id);
    const ControlState* place = find(w, placeholderId);
    if (c && place) {
        c->rect = place->rect;
        c->placedOver = placeholderId;
    }
}

void HeadlessBackend::start_timer(Window& w, int id, int periodMs)
{
    stop_timer(w, id);
    const int period = std::max(periodMs, 1);
    timers_.push_back({&w, id, period, now_ + static_cast<uint64_t>(period)});
}

void HeadlessBackend::stop_timer(Window& w, int id)
{
    std::erase_if(timers_, [&](const Timer& t) { return t.window == &w && t.id == id; });
}

bool HeadlessBackend::timer_running(const Window& w, int id) const
{
    return std::any_of(timers_.begin(), timers_.end(),
                       [&](const Timer& t) { return t.window == &w && t.id == id; });
}

void HeadlessBackend::answer_message_boxes_with(std::vector<int> answers)
{
    boxAnswers_.insert(boxAnswers_.end(), answers.begin(), answers.end());
}

void HeadlessBackend::answer_file_dialogs_with(std::vector<std::optional<std::string>> answers)
{
    fileAnswers_.insert(fileAnswers_.end(), answers.begin(), answers.end());
}

int HeadlessBackend::message_box(Window*, std::string_view text, std::string_view caption,
                                 MessageBoxButtons buttons, MessageBoxIcon)
{
    int answer = buttons == MessageBoxButtons::YesNo ? IDYES : IDOK;
    if (boxScript_) {
        auto script = boxScript_;
        answer = script(text);
    } else if (!boxAnswers_.empty()) {
        answer = boxAnswers_.front();
        boxAnswers_.pop_front();
    }
    messageBoxes_.push_back({std::string(text), std::string(caption), buttons, answer});
    return answer;
}

std::optional<std::string> HeadlessBackend::file_dialog(Window*, const FileDialogRequest& request)
{
    fileDialogs_.push_back(request);
    if (fileAnswers_.empty()) {
        ++unscripted_;
        return std::nullopt;
    }
    auto answer = fileAnswers_.front();
    fileAnswers_.pop_front();
    return answer;
}

void HeadlessBackend::set_wait_cursor(bool on)
{
    if (on) {
        if (waitDepth_++ == 0)
            ++waitShows_;
    } else if (waitDepth_ > 0) {
        --waitDepth_;
    }
}

void HeadlessBackend::sleep_ms(int ms)
{
    // A blocked thread runs no timers: the clock just moves on.
    if (ms > 0)
        now_ += static_cast<uint64_t>(ms);
}

Window* HeadlessBackend::shown_page() const
{
    for (const auto& [w, s] : windows_)
        if (s.role == WindowRole::Page && s.shown)
            return const_cast<Window*>(w);
    return nullptr;
}

Window* HeadlessBackend::command_target() const
{
    Window* page = shown_page();
    return page ? page : main_;
}

void HeadlessBackend::click(Window& w, int id)
{
    ControlState* c = find(w, id);
    if (!c || !c->visible || !c->enabled)
        return;
    switch (c->kind) {
    case ControlKind::CheckBox: c->check = c->check ? 0 : 1; break;
    case ControlKind::RadioButton: c->check = 1; break;
    case ControlKind::TabButton:
        // A page button of the main window goes to the shown page first.
        if (Window* target = (&w == main_) ? command_target() : &w)
            ui_->post_command(*target, id);
        return;
    default: break;
    }
    ui_->send_command(w, id, BN_CLICKED);
}

void HeadlessBackend::type(Window& w, int id, std::string_view text)
{
    ControlState* c = find(w, id);
    if (!c || !c->enabled)
        return;
    c->text = text;
    must(w).focus = id;
    ui_->send_command(w, id, EN_CHANGE);
}

void HeadlessBackend::leave(Window& w, int id)
{
    if (find(w, id))
        ui_->send_command(w, id, EN_KILLFOCUS);
}

void HeadlessBackend::choose(Window& w, int id, int index)
{
    ControlState* c = find(w, id);
    if (!c || !c->enabled || index < 0 || index >= static_cast<int>(c->items.size()))
        return;
    c->selection = index;
    if (c->kind == ControlKind::ListSelector || c->kind == ControlKind::PortPicture)
        ui_->send(w, UWM_CONTROL_CLICK, static_cast<uintptr_t>(id));
    else
        ui_->send_command(w, id, CBN_SELCHANGE);
}

void HeadlessBackend::press_key(Window& w, Key key)
{
    if (w.on_key(key))
        return;
    WindowState& s = must(w);
    if (key == Key::Tab && !s.controlOrder.empty()) {
        auto it = std::find(s.controlOrder.begin(), s.controlOrder.end(), s.focus);
        s.focus = (it == s.controlOrder.end() || it + 1 == s.controlOrder.end()) ? s.controlOrder.front() : *(it + 1);
    } else if (key == Key::Escape && s.role == WindowRole::Modal) {
        ui_->send_command(w, IDCANCEL);
    }
}

void HeadlessBackend::close(Window& w) { ui_->send(w, WM_CLOSE); }

void HeadlessBackend::menu(int commandId)
{
    if (main_ && !menu_command_enabled(*main_, commandId))
        return;
    if (Window* target = command_target())
        ui_->post_command(*target, commandId);
}

int HeadlessBackend::pump() { return ui_->pump(); }

void HeadlessBackend::advance(uint64_t ms)
{
    const uint64_t until = now_ + ms;
    pump();
    for (;;) {
        auto next = std::min_element(timers_.begin(), timers_.end(),
                                     [](const Timer& a, const Timer& b) { return a.due < b.due; });
        if (next == timers_.end() || next->due > until)
            break;
        now_ = std::max(now_, next->due);
        next->due += static_cast<uint64_t>(next->period);
        Window* window = next->window;
        const int id = next->id;
        ui_->send(*window, WM_TIMER, static_cast<uintptr_t>(id));
        pump();
    }
    now_ = std::max(now_, until);
}

const HeadlessBackend::WindowState* HeadlessBackend::state(const Window& w) const
{
    auto it = windows_.find(&w);
    return it == windows_.end() ? nullptr : &it->second;
}

const HeadlessBackend::ControlState* HeadlessBackend::control(const Window& w, int id) const { return find(w, id); }

LocalDateTime HeadlessBackend::local_time() const
{
    if (!localTime_)
        return system_local_time();
    return add_seconds(*localTime_, static_cast<int64_t>((now_ - localTimeSetAt_) / 1000));
}

} // namespace quillon::platform
