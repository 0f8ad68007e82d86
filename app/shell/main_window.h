// The program's main window: start-up and device discovery, the ten pages
// and the page switch, the one-second alive poll, the menu commands that are
// not page-specific, languages and the quit sequence.
#pragma once

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "platform/window.h"
#include "shell/page.h"
#include "shell/shell_context.h"

namespace quillon {

class SplashWindow;
class ProgressWindow;

// The general settings the main window keeps (read from the device and the
// default profile).
struct GeneralSettings {
    bool soundOn = false;
    std::string chargeUnit;
    std::string localCode;
    std::string pabxPrefix;
    std::string internationalPrefix;
    std::string currency;
};

// The data callback values the main window keeps.
inline constexpr int kCallbackNumberCount = 10;
struct CallbackSettings {
    bool active = false;
    std::array<std::string, kCallbackNumberCount> numbers;
};

class MainWindow : public platform::Window {
public:
    // Builds a page for an index; the default makes a page still to be built.
    using PageFactory = std::function<std::unique_ptr<Page>(ShellContext&, platform::Window& main, int index)>;
    // Runs a dialog of a menu command (settings, upgrade, ...); returns its result.
    using CommandDialog = std::function<int(MainWindow&)>;
    // Handles a message the main window leaves to others (the profile sequences).
    using MessageHook = std::function<intptr_t(MainWindow&, const platform::Message&)>;

    static constexpr int kPollTimer = 1;
    static constexpr int kPollPeriodMs = 1000;
    static constexpr int kSplashMinimumMs = 5000;
    static constexpr int kPollFailuresBeforeMessage = 3;
    static constexpr int kPollsPerReopen = 3;  // while the device is lost

    explicit MainWindow(ShellContext& shell);
    ~MainWindow() override;

    void set_page_factory(PageFactory factory) { pageFactory_ = std::move(factory); }
    void set_command_dialog(int commandId, CommandDialog dialog) { dialogs_[commandId] = std::move(dialog); }
    void set_message_hook(uint32_t message, MessageHook hook) { hooks_[message] = std::move(hook); }

    // The start-up of the window: search, identify, shared data, pages, the
    // no-response dialog. 0 on success, -1 when the user chose to quit.
    int create_main(SplashWindow* splash, uint64_t startTimeMs);

    intptr_t on_message(const platform::Message& m) override;
    void on_command(int id, int code) override;
    bool pre_translate(const platform::Message& m) override;
    void on_timer(int id) override;
    void on_close() override;

    // Offered to other windows around their own long device dialogues.
    void pause_alive_poll() { pollPaused_ = true; }
    void resume_alive_poll() { pollPaused_ = false; }

    // Start-up operations, also used after "Try again" and by the upgrade.
    int connect();
    int reconnect();
    void read_shared_msn_table();
    void read_port_aliases();
    void read_language_and_general_settings();
    void read_general_settings();
    void read_callback_settings();

    Page* page(int index) const { return pages_[static_cast<std::size_t>(index)].get(); }
    Page* current_page() const { return page(shell_.state.currentPage); }
    bool page_read(int index) const { return pageRead_[static_cast<std::size_t>(index)]; }
    // Reads a page from the device unless that happened already.
    void ensure_page_read(int index);
    const GeneralSettings& general_settings() const { return settings_; }
    GeneralSettings& general_settings() { return settings_; }
    CallbackSettings& callback_settings() { return callback_; }
    ShellContext& shell() { return shell_; }

    // The progress window of the profile sequence that runs now (one at a
    // time); UWM_PROGRESS_TICK moves its bar.
    ProgressWindow& open_progress();
    void close_progress();

private:
    void create_page_buttons();
    void layout_page_buttons();
    void build_pages();
    void switch_page(int index);
    void model_check();
    void set_language();
    void identify();
    int connect_with(uint32_t code, bool rebuildForModel);
    void alive_poll();
    bool try_reopen();
    void device_back();
    void update_captions();
    void device_lost();
    void quit();
    void shutdown();
    void run_no_response_loop(int& result);
    void first_run_check();
    void help_command(int id);
    bool run_command_dialog(int commandId);
    void run_upgrade();
    void update_menu();

    ShellContext& shell_;
    PageFactory pageFactory_;
    std::map<int, CommandDialog> dialogs_;
    std::map<uint32_t, MessageHook> hooks_;
    std::array<std::unique_ptr<Page>, platform::kPageCount> pages_{};
    std::array<bool, platform::kPageCount> pageRead_{};
    Page* activePage_ = nullptr;
    GeneralSettings settings_;
    CallbackSettings callback_;
    bool pollPaused_ = false;
    bool pollBusy_ = false;
    int pollFailures_ = 0;
    int pollsSinceReopen_ = 0;
    bool deviceLostBusy_ = false;
    bool shutDown_ = false;
    std::unique_ptr<ProgressWindow> progress_;
};

} // namespace quillon
