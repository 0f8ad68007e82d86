// The emulated terminal adapter: bytes from the host in, bytes for the host
// out, and a clock. It never blocks; timed behaviour happens in tick().
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "at_command.h"
#include "call_log.h"
#include "charges.h"
#include "command_shape.h"
#include "demo_calls.h"
#include "device_clock.h"
#include "device_options.h"
#include "image_receiver.h"
#include "registers.h"
#include "reply.h"
#include "settings_store.h"

namespace q30sim {

class Device {
public:
    using TimePoint = std::chrono::steady_clock::time_point;

    // Output that nobody takes beyond this is dropped.
    static constexpr std::size_t kMaxPendingOutput = 64 * 1024;
    static constexpr std::size_t kMaxCommandLength = 256;
    static constexpr std::size_t kCommandHistory = 1000;
    static constexpr std::chrono::milliseconds kBootLoaderMessageInterval{1000};
    static constexpr std::chrono::milliseconds kDialBackDelay{1500};

    enum class Mode {
        Command,    // answering AT commands
        Download,   // after AT!DOWNLOAD: taking an image
        BootLoader, // no usable firmware: taking an image, saying FAIL
    };

    explicit Device(DeviceOptions options);

    void receive(std::string_view bytes, TimePoint now);
    void tick(TimePoint now);
    std::string take_output();
    std::optional<TimePoint> next_deadline() const;
    // Whether a program has the port open; the boot loader talks only then.
    void set_port_open(bool open);

    // Read access, for tests and the server.
    const DeviceOptions& options() const { return options_; }
    Model model() const { return options_.model; }
    const std::string& firmware() const { return firmware_; }
    const std::string& boot_code() const { return bootCode_; }
    Mode mode() const { return mode_; }
    bool in_boot_loader() const { return mode_ == Mode::BootLoader; }
    bool echo() const { return echo_; }
    bool verbose() const { return verbose_; }
    bool port_open() const { return portOpen_; }
    bool dead() const { return dead_; }
    bool clock_set() const { return clock_.is_set(); }
    // How many command lines arrived, and the latest of them (at most kCommandHistory).
    std::size_t command_count() const { return commandCount_; }
    const std::vector<std::string>& commands_seen() const { return commands_; }
    // A register's value by its address text ("!P0#11*0", "S95"); empty when there is no such register.
    std::string setting(std::string_view key) const;
    const SettingsStore& settings() const { return settings_; }
    const CallLog& call_log() const { return log_; }
    const Charges& charges() const { return charges_; }
    // Why the state file was not loaded; empty when it was, or there was none.
    const std::string& state_file_problem() const { return stateProblem_; }

private:
    struct CommandEntry;
    struct DialBack {
        TimePoint due;
        int port = 0;
        std::string number;
        CivilSeconds started = 0;
    };

    // device.cpp: bytes, modes and time
    void advance_time(TimePoint now);
    void run_due_events();
    void command_byte(char c);
    void image_bytes(std::string_view& bytes);
    void handle_line(const std::string& line, bool overflow);
    void emit(std::string_view bytes);
    void emit_line(std::string_view line);
    void finish_image();
    void enter_boot_loader();
    void power_up();
    bool rejected(std::string_view line) const;
    bool call_active() const;

    // device_dispatch.cpp: command lines to handlers
    Reply execute(std::string_view line);
    Reply run(const AtCommand& cmd);
    static const std::vector<CommandEntry>& command_table();

    // device_settings.cpp: stored registers, forwarding, AT&W and the state file
    Reply run_register(const RegisterInfo& reg, const AtCommand& cmd, const Address& address);
    Reply cmd_forwarding(const AtCommand& cmd, const Address& address);
    Reply cmd_store(const AtCommand& cmd, const Address& address);
    void load_state_file();
    bool apply_stored_line(const std::string& line);

    // device_records.cpp: call lists, charges and dialling back
    Reply cmd_call_list(const AtCommand& cmd, const Address& address);
    Reply cmd_clear_call_list(const AtCommand& cmd, const Address& address);
    Reply cmd_charges(const AtCommand& cmd, const Address& address);
    Reply cmd_total(const AtCommand& cmd, const Address& address);
    Reply cmd_reset_sum(const AtCommand& cmd, const Address& address);
    Reply cmd_reset_total(const AtCommand& cmd, const Address& address);
    Reply cmd_last_call(const AtCommand& cmd, const Address& address);
    Reply cmd_dial_back(const AtCommand& cmd, const Address& address);
    void finish_dial_back();
    void run_demo_calls();
    std::string unit() const;

    // device_status.cpp: identity, modes, clock and line information
    Reply cmd_attention(const AtCommand& cmd, const Address& address);
    Reply cmd_echo(const AtCommand& cmd, const Address& address);
    Reply cmd_verbose(const AtCommand& cmd, const Address& address);
    Reply cmd_identity(const AtCommand& cmd, const Address& address);
    Reply cmd_call_check(const AtCommand& cmd, const Address& address);
    Reply cmd_download(const AtCommand& cmd, const Address& address);
    Reply cmd_clock(const AtCommand& cmd, const Address& address);
    Reply cmd_line_state(const AtCommand& cmd, const Address& address);
    Reply cmd_last_cause(const AtCommand& cmd, const Address& address);
    Reply cmd_help_text(const AtCommand& cmd, const Address& address);
    Reply cmd_port_status(const AtCommand& cmd, const Address& address);

    DeviceOptions options_;
    std::string firmware_;
    std::string bootCode_;
    Mode mode_ = Mode::Command;
    bool echo_ = true;
    bool verbose_ = true;
    bool portOpen_ = false;
    bool dead_ = false;

    std::string line_;
    bool lineOverflow_ = false;
    std::string output_;
    std::size_t commandCount_ = 0;
    std::vector<std::string> commands_;

    bool timeStarted_ = false;
    TimePoint now_{};
    DeviceClock clock_;
    ImageReceiver image_;
    TimePoint nextBootMessage_{};
    std::optional<DialBack> dialBack_;

    SettingsStore settings_;
    CallLog log_;
    Charges charges_;
    std::optional<DemoCalls> demoCalls_; // with the demo data
    int lineState_;
    int lastCause_ = 0;
    std::string stateProblem_;
};

} // namespace q30sim
