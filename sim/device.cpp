#include "device.h"

#include <algorithm>
#include <cctype>

#include "demo_data.h"
#include "device_texts.h"
#include "firmware_image.h"

namespace q30sim {

namespace {

// The ISDN line is up and synchronised.
constexpr int kLineSynchronised = 3;
// What a clock that was never set counts from: 01/01/2000 00:00:00.
constexpr CivilTime kUnsetClockStart{2000, 1, 1, 0, 0, 0};
// The running charge of the call that --call puts on the first port.
constexpr MilliAmount kCallInProgressCharge = 360;

bool starts_with_ignoring_case(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size()
           && std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
                  return std::toupper(static_cast<unsigned char>(a)) == std::toupper(static_cast<unsigned char>(b));
              });
}

} // namespace

Device::Device(DeviceOptions options)
    : options_(std::move(options)),
      firmware_(options_.firmware),
      bootCode_(options_.bootCode),
      log_(options_.model),
      charges_(options_.model),
      lineState_(kLineSynchronised)
{
    if (options_.seed) {
        seed_demo_data(options_.model, settings_, log_, charges_);
        demoCalls_.emplace(options_.model);
    }
    if (options_.callInProgress)
        charges_.set(analogue_ports(options_.model).front(), Counter::Current, kCallInProgressCharge);
    if (!options_.stateFile.empty())
        load_state_file();
    if (options_.bootMode)
        enter_boot_loader();
    dead_ = options_.silent || options_.silentAfter == 0;
}

void Device::receive(std::string_view bytes, TimePoint now)
{
    advance_time(now);
    run_due_events();
    while (!bytes.empty() && !dead_) {
        if (mode_ == Mode::Command) {
            command_byte(bytes.front());
            bytes.remove_prefix(1);
        } else {
            image_bytes(bytes);
        }
    }
}

void Device::tick(TimePoint now)
{
    advance_time(now);
    run_due_events();
}

std::string Device::take_output()
{
    std::string out;
    out.swap(output_);
    return out;
}

std::optional<Device::TimePoint> Device::next_deadline() const
{
    if (!timeStarted_)
        return std::nullopt;
    std::optional<TimePoint> next;
    auto consider = [&](TimePoint t) {
        if (!next || t < *next)
            next = t;
    };
    if (mode_ != Mode::Command) {
        if (auto gap = image_.deadline())
            consider(*gap);
    }
    if (mode_ == Mode::BootLoader && portOpen_ && !image_.receiving())
        consider(nextBootMessage_);
    if (dialBack_)
        consider(dialBack_->due);
    return next;
}

void Device::set_port_open(bool open)
{
    if (open && !portOpen_)
        nextBootMessage_ = now_ + kBootLoaderMessageInterval;
    portOpen_ = open;
}

std::string Device::setting(std::string_view key) const
{
    auto cmd = parse_command(key);
    if (!cmd)
        return {};
    Address address;
    ShapeMatch match;
    if (const RegisterInfo* reg = find_register(*cmd, options_.model, address, match))
        return settings_.get(address_key(reg->shape, address), reg->initial);
    return settings_.get(std::string(key), "");
}

void Device::advance_time(TimePoint now)
{
    if (!timeStarted_) {
        timeStarted_ = true;
        now_ = now;
        bool unset = options_.clockUnset;
        clock_.start(unset ? to_civil_seconds(kUnsetClockStart) : host_local_now(), now, !unset);
        nextBootMessage_ = now + kBootLoaderMessageInterval;
    } else if (now > now_) {
        now_ = now;
    }
}

void Device::run_due_events()
{
    if (mode_ != Mode::Command)
        image_.expire(now_);
    if (mode_ == Mode::BootLoader && portOpen_ && !image_.receiving() && now_ >= nextBootMessage_) {
        emit_line(texts::kBootLoaderWaiting);
        nextBootMessage_ = now_ + kBootLoaderMessageInterval;
    }
    if (dialBack_ && now_ >= dialBack_->due)
        finish_dial_back();
    run_demo_calls();
}

void Device::command_byte(char c)
{
    if (echo_)
        emit(std::string_view(&c, 1));
    switch (c) {
    case '\n': // line feeds neither end nor enter a command
        break;
    case '\r': {
        std::string line;
        line.swap(line_);
        bool overflow = lineOverflow_;
        lineOverflow_ = false;
        if (!line.empty() || overflow)
            handle_line(line, overflow);
        break;
    }
    case '\b':
        if (!line_.empty())
            line_.pop_back();
        break;
    default:
        if (line_.size() < kMaxCommandLength)
            line_ += c;
        else
            lineOverflow_ = true;
    }
}

void Device::image_bytes(std::string_view& bytes)
{
    std::size_t taken = image_.take(bytes, now_);
    bytes.remove_prefix(taken);
    if (image_.complete()) {
        finish_image();
        bytes = {}; // whatever follows an image in the same burst is not a command
    } else if (taken == 0) {
        bytes = {};
    }
}

void Device::handle_line(const std::string& line, bool overflow)
{
    ++commandCount_;
    commands_.push_back(line);
    if (commands_.size() > kCommandHistory)
        commands_.erase(commands_.begin());
    if (!options_.silentFrom.empty() && starts_with_ignoring_case(line, options_.silentFrom)) {
        dead_ = true;
        return;
    }

    Reply reply = overflow || rejected(line) ? Reply::error() : execute(line);
    emit(format_reply(reply, verbose_));

    if (options_.silentAfter >= 0 && commandCount_ >= static_cast<std::size_t>(options_.silentAfter))
        dead_ = true;
}

bool Device::rejected(std::string_view line) const
{
    return std::any_of(options_.rejectPrefixes.begin(), options_.rejectPrefixes.end(),
                       [&](const std::string& prefix) { return starts_with_ignoring_case(line, prefix); });
}

void Device::emit(std::string_view bytes)
{
    if (dead_ || output_.size() + bytes.size() > kMaxPendingOutput)
        return;
    output_ += bytes;
}

void Device::emit_line(std::string_view line)
{
    emit(format_unsolicited(std::string(line), verbose_));
}

void Device::finish_image()
{
    std::vector<std::uint8_t> image = image_.release();
    ImageIdentity identity = read_image_identity(image);
    if (options_.noVerdict) {
        dead_ = true;
        return;
    }
    if (!options_.failDownload && identity.orderNumber == order_number(options_.model) && !identity.version.empty()) {
        firmware_ = identity.version;
        if (!identity.bootCode.empty())
            bootCode_ = identity.bootCode;
        if (options_.upgradeResets)
            settings_ = SettingsStore{};
        emit_line(texts::kUpgradeSuccessful);
        power_up();
    } else {
        emit_line(texts::kUpgradeFailed);
        enter_boot_loader();
    }
}

void Device::enter_boot_loader()
{
    mode_ = Mode::BootLoader;
    image_.reset();
    line_.clear();
    nextBootMessage_ = now_ + kBootLoaderMessageInterval;
}

void Device::power_up()
{
    mode_ = Mode::Command;
    echo_ = true;
    verbose_ = true;
    line_.clear();
    lineOverflow_ = false;
    image_.reset();
}

bool Device::call_active() const
{
    return options_.callInProgress || dialBack_.has_value();
}

} // namespace q30sim
