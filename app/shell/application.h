// The application object: the splash window, the program state, and the
// main window with its start-up.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "shell/app_state.h"
#include "shell/device_gate.h"
#include "shell/main_window.h"
#include "shell/shell_context.h"
#include "shell/shell_dialogs.h"

namespace quillon {

class Application {
public:
    Application(platform::Ui& ui, DeviceCall device);

    // The folder of the default profile and the settings file; empty for
    // the user's configuration folder.
    void set_config_directory(std::string dir) { configDir_ = std::move(dir); }

    // Called with the main window before its start-up: pages and dialogs
    // register themselves here.
    void set_main_window_setup(std::function<void(MainWindow&)> setup) { setup_ = std::move(setup); }

    // Shows the splash, creates the main window and runs its start-up.
    // False when the program should end (the user chose to quit, or the
    // configuration folder cannot be made; `error` then says why).
    bool initialise(std::string& error);

    AppState& state() { return state_; }
    ShellContext& shell() { return shell_; }
    MainWindow* main_window() { return main_.get(); }

private:
    AppState state_;
    DeviceGate gate_;
    ShellContext shell_;
    std::string configDir_;
    std::function<void(MainWindow&)> setup_;
    std::unique_ptr<MainWindow> main_;
};

} // namespace quillon
