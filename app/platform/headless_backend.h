// A backend without a screen, for tests and tools: controls are plain
// records, the clock is moved by hand, modal dialogs, message boxes and file
// dialogs are answered from a script, and everything the user would have
// seen is recorded.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/backend.h"
#include "platform/window.h"

namespace quillon::platform {

class HeadlessBackend : public Backend {
public:
    struct ControlState {
        resources::ControlKind kind = resources::ControlKind::Static;
        std::string text;
        int check = 0;
        int selection = -1;
        std::vector<std::string> items;
        std::vector<std::string> shownItems;
        bool visible = true;
        bool enabled = true;
        Rect rect;
        int placedOver = 0;  // the placeholder the program moved it onto
        int position = 0, range = 0;  // progress bars
    };
    struct WindowState {
        WindowRole role = WindowRole::Modeless;
        int templateId = 0;
        Window* owner = nullptr;
        bool shown = false;
        std::string caption;
        int menuId = 0;
        std::map<int, bool> menuEnabled;  // commands greyed out or enabled again
        int focus = 0;
        int width = 0, height = 0;  // pixels, when the program sized the window
        std::map<int, ControlState> controls;
        std::vector<int> controlOrder;  // template order, for Tab
    };
    struct MessageBoxSeen {
        std::string text;
        std::string caption;
        MessageBoxButtons buttons;
        int answer;
    };
    struct ModalSeen {
        int templateId;
        int result;
    };
    // Runs while a modal window is shown; acts like the user and returns
    // the result for when the window did not end itself.
    using ModalScript = std::function<int(Window&)>;

    // Backend
    void bind(Ui& ui) override { ui_ = &ui; }
    void create_window(Window& w, const resources::DialogTemplate& t, Window* owner, WindowRole role) override;
    void destroy_window(Window& w) override;
    void show_window(Window& w, bool show) override;
    bool window_shown(const Window& w) const override;
    void set_caption(Window& w, std::string_view caption) override;
    void set_menu(Window& w, const resources::Menu* menu) override;
    void enable_menu_command(Window& w, int commandId, bool enabled) override;
    void repaint(Window& w) override;
    void set_client_size(Window& w, int width, int height) override;
    int run_modal(Window& w) override;
    void end_modal(Window& w, int result) override;
    void add_control(Window& w, const resources::ControlTemplate& c) override;
    bool has_control(const Window& w, int id) const override;
    std::string text(const Window& w, int id) const override;
    void set_text(Window& w, int id, std::string_view text) override;
    int check(const Window& w, int id) const override;
    void set_check(Window& w, int id, int state) override;
    int selection(const Window& w, int id) const override;
    void set_selection(Window& w, int id, int index) override;
    void set_items(Window& w, int id, const std::vector<std::string>& items,
                   const std::vector<std::string>& shown) override;
    void set_visible(Window& w, int id, bool visible) override;
    bool visible(const Window& w, int id) const override;
    void set_enabled(Window& w, int id, bool enabled) override;
    bool enabled(const Window& w, int id) const override;
    void set_focus(Window& w, int id) override;
    int focus(const Window& w) const override;
    void set_control_rect(Window& w, int id, const Rect& pixels) override;
    void place_control_over(Window& w, int id, int placeholderId) override;
    void set_progress(Window& w, int id, int position, int range) override;
    void start_timer(Window& w, int id, int periodMs) override;
    void stop_timer(Window& w, int id) override;
    int message_box(Window* owner, std::string_view text, std::string_view caption, MessageBoxButtons buttons,
                    MessageBoxIcon icon) override;
    std::optional<std::string> file_dialog(Window* owner, const FileDialogRequest& request) override;
    void beep() override { ++beeps_; }
    void set_wait_cursor(bool on) override;
    void wake() override {}
    uint64_t now_ms() const override { return now_; }
    // The system's time until a test sets it; then it runs on with the clock.
    LocalDateTime local_time() const override;
    // "C" unless a test sets another.
    std::string locale_name() const override { return localeName_; }
    void set_locale_name(std::string name) { localeName_ = std::move(name); }
    void set_local_time(const LocalDateTime& t)
    {
        localTime_ = t;
        localTimeSetAt_ = now_;
    }
    void sleep_ms(int ms) override;
    int screen_dpi() const override { return dpi_; }
    void quit(int exitCode) override { exitCode_ = exitCode; }

    // The script.
    void on_modal(int templateId, ModalScript script) { modalScripts_[templateId] = std::move(script); }
    void answer_message_boxes_with(std::vector<int> answers);
    // Answers message boxes instead of the list; may move the clock meanwhile.
    void on_message_box(std::function<int(std::string_view text)> script) { boxScript_ = std::move(script); }
    void answer_file_dialogs_with(std::vector<std::optional<std::string>> answers);
    void set_screen_dpi(int dpi) { dpi_ = dpi; }

    // Acting as the user.
    void click(Window& w, int id);                       // button, check box, radio, help button
    void type(Window& w, int id, std::string_view text); // replaces the text, EN_CHANGE
    void leave(Window& w, int id);                       // EN_KILLFOCUS
    void choose(Window& w, int id, int index);           // list, drop-down list or selector
    void press_key(Window& w, Key key);
    void close(Window& w);                               // the frame's close box
    void menu(int commandId);                            // posted to the shown page, else the main window
    // Moves the clock, firing due timers in order and delivering posted
    // messages after each.
    void advance(uint64_t ms);
    // Delivers posted messages.
    int pump();

    // What the user saw.
    const WindowState* state(const Window& w) const;
    const ControlState* control(const Window& w, int id) const;
    Window* main_window() const { return main_; }
    Window* shown_page() const;
    const std::vector<MessageBoxSeen>& message_boxes() const { return messageBoxes_; }
    const std::vector<ModalSeen>& modals() const { return modals_; }
    const std::vector<FileDialogRequest>& file_dialogs() const { return fileDialogs_; }
    int beeps() const { return beeps_; }
    int wait_cursor_depth() const { return waitDepth_; }
    int wait_cursor_shows() const { return waitShows_; }
    std::optional<int> exit_code() const { return exitCode_; }
    bool timer_running(const Window& w, int id) const;
    bool menu_command_enabled(const Window& w, int commandId) const;
    // Unanswered questions: modals without a script, message boxes beyond the script.
    int unscripted() const { return unscripted_; }

private:
    struct Timer {
        Window* window;
        int id;
        int period;
        uint64_t due;
    };
    struct ModalFrame {
        Window* window;
        bool ended = false;
        int result = IDCANCEL;
    };
    WindowState& must(const Window& w);
    ControlState* find(const Window& w, int id);
    const ControlState* find(const Window& w, int id) const;
    Window* command_target() const;

    Ui* ui_ = nullptr;
    std::map<const Window*, WindowState> windows_;
    Window* main_ = nullptr;
    std::vector<Timer> timers_;
    std::vector<ModalFrame> modalStack_;
    std::map<int, ModalScript> modalScripts_;
    std::deque<int> boxAnswers_;
    std::function<int(std::string_view)> boxScript_;
    std::deque<std::optional<std::string>> fileAnswers_;
    std::vector<MessageBoxSeen> messageBoxes_;
    std::vector<ModalSeen> modals_;
    std::vector<FileDialogRequest> fileDialogs_;
    uint64_t now_ = 0;
    std::optional<LocalDateTime> localTime_;
    std::string localeName_ = "C";
    uint64_t localTimeSetAt_ = 0;
    int dpi_ = 96;
    int beeps_ = 0;
    int waitDepth_ = 0;
    int waitShows_ = 0;
    int unscripted_ = 0;
    std::optional<int> exitCode_;
};

} // namespace quillon::platform
