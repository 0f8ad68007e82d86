// The program itself without a screen: the application with every page and
// dialog on the headless platform layer, over the device library. The
// commands act through it as a user would at the menus, so every page's
// reading, sending and profile keys are the program's own.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/headless_backend.h"
#include "platform/ui.h"
#include "q30com32/q30com32.h"
#include "resources/resources.h"
#include "shell/application.h"

namespace quillon::cli {

// The headless backend with a clock that can follow real time: a real
// device needs the upgrade's waits, an emulated one answers at once.
class CliBackend : public platform::HeadlessBackend {
public:
    void use_real_clock(bool on);
    uint64_t now_ms() const override;
    void sleep_ms(int ms) override;

private:
    bool real_ = false;
    uint64_t handTimeAtSwitch_ = 0;
    std::chrono::steady_clock::time_point switchedAt_{};
};

// A command the dry run kept from the device.
struct HeldBack {
    uint32_t code;
    DrvCmd record;
};

class HeadlessProgram {
public:
    // Every call that reached the library: its code, its record after the
    // call (null for codes without one) and its result.
    using CallObserver = std::function<void(uint32_t code, const DrvCmd* record, int32_t result)>;

    HeadlessProgram();
    ~HeadlessProgram();
    HeadlessProgram(const HeadlessProgram&) = delete;
    HeadlessProgram& operator=(const HeadlessProgram&) = delete;

    void set_observer(CallObserver observer) { observer_ = std::move(observer); }

    // Loads the resources and starts the program with its default profile
    // in `configDir`; false with `error` set when it cannot run at all.
    bool start(const std::string& configDir, std::string& error);
    // Whether start-up found and identified a device.
    bool connected();

    // Reads every page that has not been read yet.
    void read_all_pages();
    // Shows page `index` by its button, as the user would.
    void show_page(int index);

    // File > "Save Profile As..." and "Load Profile..." with `path` chosen.
    bool save_profile_as(const std::string& path);
    void load_profile(const std::string& path);
    // File > "Quit": the device stores its settings.
    void quit();

    // From now on, commands that would change the device are kept and
    // answered as accepted instead; everything else still goes out.
    void hold_back_changes() { holdingBack_ = true; }
    const std::vector<HeldBack>& held_back() const { return heldBack_; }

    // The texts of the message boxes shown since the last call.
    std::vector<std::string> take_messages();

    CliBackend& backend() { return backend_; }
    const resources::Resources& resources() const { return resources_; }
    Application& app() { return *app_; }
    MainWindow& main() { return *app_->main_window(); }
    ShellContext& shell() { return app_->shell(); }

private:
    int32_t call(uint32_t code, DrvCmd* record);

    resources::Resources resources_;
    CliBackend backend_;
    std::unique_ptr<platform::Ui> ui_;
    std::unique_ptr<Application> app_;
    CallObserver observer_;
    bool holdingBack_ = false;
    std::vector<HeldBack> heldBack_;
    std::size_t messagesTaken_ = 0;
    int unansweredInARow_ = 0;
};

// Whether use_emulated_device_timing() (commands.h) was called.
bool emulated_device_timing();

} // namespace quillon::cli
