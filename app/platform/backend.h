// What the shell and the pages need from a windowing toolkit. Two
// implementations: the Qt one in gui/ and the headless one used by tests.
//
// The logic side never sees a toolkit object: a window is a `Window`
// (window.h), its controls are addressed by their ids, and everything the
// user does comes back as messages through `Ui` (ui.h).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/local_time.h"
#include "resources/dialog_template.h"
#include "resources/menu.h"

namespace quillon::platform {

class Ui;
class Window;

// How a window stands among the others.
enum class WindowRole {
    Main,       // the application window: menu bar, page button row, page area
    Page,       // one of the ten pages, shown inside the main window
    Modal,      // a dialog run with run_modal()
    Modeless,   // a separate window that lives on its own (splash, progress)
};

enum class MessageBoxButtons { Ok, YesNo, OkCancel };
enum class MessageBoxIcon { None, Information, Warning, Question };

struct FileDialogRequest {
    bool save = false;                  // save dialog (else open)
    std::string title;
    std::string directory;              // where it starts
    std::string fileName;               // proposed name
    std::vector<std::string> filters;   // "Profiles (*.pro)", "All files (*)"
    std::string defaultExtension;       // "pro": added when the name has none
};

// Kinds of keys a page looks at before its controls do.
enum class Key { Enter, Tab, Escape };

class Backend {
public:
    virtual ~Backend() = default;

    // The Ui delivers what the user does; it binds itself when created.
    virtual void bind(Ui& ui) = 0;

    // Windows. `create_window` builds the window's controls from the
    // template (for a Page inside its owner, the main window).
    virtual void create_window(Window& w, const resources::DialogTemplate& t, Window* owner, WindowRole role) = 0;
    virtual void destroy_window(Window& w) = 0;
    virtual void show_window(Window& w, bool show) = 0;
    virtual bool window_shown(const Window& w) const = 0;
    virtual void set_caption(Window& w, std::string_view caption) = 0;
    virtual void set_menu(Window& w, const resources::Menu* menu) = 0;
    // Greys out a menu command whose window does not exist yet.
    virtual void enable_menu_command(Window& /*w*/, int /*commandId*/, bool /*enabled*/) {}
    virtual void repaint(Window& w) = 0;
    // Sizes a window's client area in pixels, for windows sized by their
    // picture rather than their template.
    virtual void set_client_size(Window& /*w*/, int /*width*/, int /*height*/) {}
    // Runs a Modal window until end_modal; returns its result.
    virtual int run_modal(Window& w) = 0;
    virtual void end_modal(Window& w, int result) = 0;

    // Controls created after the template (page buttons, selectors).
    virtual void add_control(Window& w, const resources::ControlTemplate& c) = 0;
    virtual bool has_control(const Window& w, int id) const = 0;
    // Controls by id. Setting a value from the program sends no notification.
    virtual std::string text(const Window& w, int id) const = 0;
    virtual void set_text(Window& w, int id, std::string_view text) = 0;
    virtual int check(const Window& w, int id) const = 0;      // 0, 1 (2: indeterminate)
    virtual void set_check(Window& w, int id, int state) = 0;  // tab buttons: selected
    virtual int selection(const Window& w, int id) const = 0;  // -1: none
    virtual void set_selection(Window& w, int id, int index) = 0;
    // Entries of a list, drop-down list or selector; a selector shows
    // `shown[i]` (when given) while its menu lists `items[i]`.
    virtual void set_items(Window& w, int id, const std::vector<std::string>& items,
                           const std::vector<std::string>& shown = {}) = 0;
    virtual void set_visible(Window& w, int id, bool visible) = 0;
    virtual bool visible(const Window& w, int id) const = 0;
    virtual void set_enabled(Window& w, int id, bool enabled) = 0;
    virtual bool enabled(const Window& w, int id) const = 0;
    virtual void set_focus(Window& w, int id) = 0;
    virtual int focus(const Window& w) const = 0;  // id of the focused control, 0 none
    // A progress bar's filled part: position of range (clamped to 0..range).
    virtual void set_progress(Window& w, int id, int position, int range) = 0;
    // Moves a control onto the rectangle of another (a placeholder).
    virtual void place_control_over(Window& w, int id, int placeholderId) = 0;
    // Moves or resizes a control (pixels relative to the window's client area).
    virtual void set_control_rect(Window& w, int id, const Rect& pixels) = 0;

    // Timers deliver WM_TIMER with the id to the window.
    virtual void start_timer(Window& w, int id, int periodMs) = 0;
    virtual void stop_timer(Window& w, int id) = 0;

    // User feedback.
    virtual int message_box(Window* owner, std::string_view text, std::string_view caption,
                            MessageBoxButtons buttons, MessageBoxIcon icon) = 0;
    virtual std::optional<std::string> file_dialog(Window* owner, const FileDialogRequest& request) = 0;
    virtual void beep() = 0;
    // Calls nest: the wait cursor shows until every `true` had its `false`.
    virtual void set_wait_cursor(bool on) = 0;

    // A message was posted: arrange for Ui::pump() to run soon.
    virtual void wake() = 0;
    // Milliseconds since the program started, and a blocking pause.
    virtual uint64_t now_ms() const = 0;
    virtual void sleep_ms(int ms) = 0;
    // The computer's local date and time.
    virtual LocalDateTime local_time() const { return system_local_time(); }
    // The desktop's locale, such as "de_DE"; "C" when it has none.
    virtual std::string locale_name() const { return "C"; }
    // Dots per inch of the screen; 120 or more means large fonts.
    virtual int screen_dpi() const = 0;
    // Ends the event loop of the program.
    virtual void quit(int exitCode) = 0;
};

} // namespace quillon::platform
