// The logic side of a window: a message handler with an owner, whose
// controls are reached by id through the backend.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/backend.h"
#include "platform/message_ids.h"

namespace quillon::platform {

class Ui;

struct Message {
    uint32_t id = 0;
    uintptr_t wparam = 0;
    intptr_t lparam = 0;
};

class Window {
public:
    Window(Ui& ui, Window* owner);
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    Ui& ui() const { return ui_; }
    Backend& backend() const;
    Window* owner() const { return owner_; }

    // The window procedure. The default splits WM_COMMAND into on_command
    // and WM_TIMER into on_timer, and answers 0 to everything else.
    virtual intptr_t on_message(const Message& m);
    virtual void on_command(int /*id*/, int /*code*/) {}
    virtual void on_timer(int /*id*/) {}
    // A posted message passes the window it was posted to and then its
    // owners, each of which may take it (true) before it is dispatched.
    virtual bool pre_translate(const Message& /*m*/) { return false; }
    // Enter, Tab and Escape typed in the window, before the focused control
    // sees them; true when taken.
    virtual bool on_key(Key /*key*/) { return false; }
    // The user closed the window with its frame's close box.
    virtual void on_close() {}

    // The window itself.
    void create(int templateId, WindowRole role);
    bool created() const { return created_; }
    void destroy();
    void show(bool show = true);
    bool shown() const;
    void set_caption(std::string_view caption);
    void set_menu(int menuId);
    void repaint();
    void set_client_size(int width, int height);
    void set_control_rect(int id, const Rect& pixels);
    int run_modal();
    void end_modal(int result);
    void set_timer(int id, int periodMs);
    void kill_timer(int id);

    // Its controls.
    void add_control(const resources::ControlTemplate& c);
    bool has_control(int id) const;
    std::string text(int id) const;
    void set_text(int id, std::string_view text);
    int check(int id) const;
    void set_check(int id, int state);
    int selection(int id) const;
    void set_selection(int id, int index);
    void set_items(int id, const std::vector<std::string>& items, const std::vector<std::string>& shown = {});
    void set_visible(int id, bool visible);
    bool visible(int id) const;
    void set_enabled(int id, bool enabled);
    bool enabled(int id) const;
    void set_focus(int id);
    void set_progress(int id, int position, int range);
    int focus() const;

    // The template the window was created from (null before create), and
    // the id it was asked for (an odd id shares the even id's template).
    const resources::DialogTemplate* dialog_template() const { return template_; }
    int template_id() const { return templateId_; }

private:
    Ui& ui_;
    Window* owner_;
    bool created_ = false;
    const resources::DialogTemplate* template_ = nullptr;
    int templateId_ = 0;
};

} // namespace quillon::platform
