// The platform layer on Qt 6 Widgets. Create it after the QApplication and
// before the Ui, which binds itself to it.
//
// Roles: the Main window is a QMainWindow with the menu bar, a row of
// controls along the top (the page buttons) and the page area below, where
// each Page is a child widget, one of them shown; a Modal window is a
// QDialog run with exec(); a Modeless window stands on its own. The shown
// page lends the main window its caption and menu, so the application
// window always reads like the page in front.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <unordered_map>

#include <QElapsedTimer>
#include <QString>
#include <QObject>

#include "gui/picture_library.h"
#include "gui/window_record.h"
#include "platform/backend.h"
#include "resources/resources.h"

class QWidget;

namespace quillon::gui {

class MainFrame;

class QtBackend : public platform::Backend {
public:
    explicit QtBackend(const resources::Resources& resources);
    ~QtBackend() override;
    QtBackend(const QtBackend&) = delete;
    QtBackend& operator=(const QtBackend&) = delete;

    void bind(platform::Ui& ui) override;

    void create_window(platform::Window& w, const resources::DialogTemplate& t, platform::Window* owner,
                       platform::WindowRole role) override;
    void destroy_window(platform::Window& w) override;
    void show_window(platform::Window& w, bool show) override;
    bool window_shown(const platform::Window& w) const override;
    void set_caption(platform::Window& w, std::string_view caption) override;
    // Main windows and pages only: a page's menu shows while it is shown.
    void set_menu(platform::Window& w, const resources::Menu* menu) override;
    // Greyed out on the bar while the window or the shown page says so.
    void enable_menu_command(platform::Window& w, int commandId, bool enabled) override;
    void repaint(platform::Window& w) override;
    void set_client_size(platform::Window& w, int width, int height) override;
    // -1 for a window that is not a Modal one.
    int run_modal(platform::Window& w) override;
    void end_modal(platform::Window& w, int result) override;

    void add_control(platform::Window& w, const resources::ControlTemplate& c) override;
    bool has_control(const platform::Window& w, int id) const override;
    std::string text(const platform::Window& w, int id) const override;
    void set_text(platform::Window& w, int id, std::string_view text) override;
    int check(const platform::Window& w, int id) const override;
    void set_check(platform::Window& w, int id, int state) override;
    int selection(const platform::Window& w, int id) const override;
    void set_selection(platform::Window& w, int id, int index) override;
    void set_items(platform::Window& w, int id, const std::vector<std::string>& items,
                   const std::vector<std::string>& shown = {}) override;
    void set_visible(platform::Window& w, int id, bool visible) override;
    bool visible(const platform::Window& w, int id) const override;
    void set_enabled(platform::Window& w, int id, bool enabled) override;
    bool enabled(const platform::Window& w, int id) const override;
    void set_focus(platform::Window& w, int id) override;
    int focus(const platform::Window& w) const override;
    void set_control_rect(platform::Window& w, int id, const platform::Rect& pixels) override;
    void place_control_over(platform::Window& w, int id, int placeholderId) override;
    void set_progress(platform::Window& w, int id, int position, int range) override;

    void start_timer(platform::Window& w, int id, int periodMs) override;
    void stop_timer(platform::Window& w, int id) override;

    int message_box(platform::Window* owner, std::string_view text, std::string_view caption,
                    platform::MessageBoxButtons buttons, platform::MessageBoxIcon icon) override;
    std::optional<std::string> file_dialog(platform::Window* owner, const platform::FileDialogRequest& request) override;
    void beep() override;
    void set_wait_cursor(bool on) override;

    void wake() override;
    uint64_t now_ms() const override;
    std::string locale_name() const override;
    void sleep_ms(int ms) override;
    int screen_dpi() const override;
    void quit(int exitCode) override;

    // Renders the window (the main window with its menu bar, page buttons
    // and shown page) into a PNG file; false when the window is unknown or
    // the file cannot be written.
    bool screenshot(platform::Window& w, const std::string& pngPath);

    // While set, a modal window is shown without a loop of its own and
    // handed to the observer, whose answer ends it unless the window ended
    // itself meanwhile (used to photograph dialogs).
    void set_modal_observer(std::function<int(platform::Window&)> observer) { modalObserver_ = std::move(observer); }

    // The widgets behind a window and its controls, null when unknown.
    QWidget* window_widget(const platform::Window& w) const;
    QWidget* control_widget(const platform::Window& w, int id) const;

    // Timers fire no more often than this.
    static constexpr int kMinimumTimerMs = 10;

private:
    RecordPtr find(const platform::Window* w) const;
    ControlRecord* find_control(const platform::Window& w, int id) const;
    static MainFrame* main_frame(const WindowRecord& record);

    QWidget* create_frame(WindowRecord& record, const RecordPtr& owner, QSize clientSize);
    // The application window while it is shown, else null.
    QWidget* shown_main_window() const;
    // Puts a window about to be shown where it opens (window_placement.h).
    void place_window(WindowRecord& record);
    void add_control_to(const RecordPtr& record, const resources::ControlTemplate& c);
    void relayout_main_of(const WindowRecord& record) const;
    void refresh_main_frame(WindowRecord& main);
    void show_page(const RecordPtr& page, bool show);
    // Accessible names and the tab chain after the window's controls or
    // their texts changed (accessible_names.h, tab_chain.h).
    void name_controls_of(const WindowRecord& record) const;
    void chain_controls_of(const WindowRecord& record) const;
    // What help buttons are called: the Help menu's title in the menu bar.
    QString help_name() const;
    // Tab in a page or dialog: the logic stores the field, then the focus
    // follows the window's tab chain.
    bool tab_through_logic(const WeakRecord& window, bool backwards);
    // The controls the logic's own Enter and Tab walk visits.
    static bool is_field(const WindowRecord& record, const QWidget& widget);
    // A page coming to the front takes the keyboard focus: back to the
    // control it had last, else its first.
    static void bring_focus_into(const WindowRecord& page);
    // Ctrl+Tab and friends: the page `step` away from the one in front.
    void turn_page(const WeakRecord& main, int step);

    // Deliveries to the logic; all do nothing once the window is gone.
    void send(const WeakRecord& to, uint32_t message, uintptr_t wparam = 0);
    void post_command_to_front(const WeakRecord& from, int id);
    bool send_key(const WeakRecord& to, platform::Key key);
    void ask_then_end_modal(const WeakRecord& dialog, uint32_t message, uintptr_t wparam);
    void deliver_posted();
    void timer_fired(const WeakRecord& to, int id);
    // Paints pending updates now; posted messages and timer ticks wait.
    void flush_paint();

    platform::Ui* ui_ = nullptr;
    PictureLibrary pictures_;
    std::unordered_map<const platform::Window*, RecordPtr> windows_;
    std::unique_ptr<QObject> wakeContext_;
    bool wakePending_ = false;
    int holdDelivery_ = 0;
    bool pumpMissed_ = false;
    int waitCursorDepth_ = 0;
    int messageBoxesShown_ = 0;
    QElapsedTimer clock_;
    std::function<int(platform::Window&)> modalObserver_;
};

} // namespace quillon::gui
