#include "headless_program.h"

#include <thread>

#include "commands.h"
#include "pages/page_table.h"
#include "pages/profile_sequences.h"

namespace quillon::cli {

using namespace platform;

namespace {

bool emulatedTiming = false;

// As many failed alive polls make the program take the device as lost.
constexpr int kUnansweredBeforeLost = MainWindow::kPollFailuresBeforeMessage;

// What a dry run keeps from the device: sets, clears and the store.
bool changes_the_device(uint32_t code, const DrvCmd* record)
{
    if (code == q30::DRV_STORE)
        return true;
    return record &&
           (record->op == q30::OP_SET || record->op == q30::OP_CLEAR || record->op == q30::OP_SET2);
}

} // namespace

void use_emulated_device_timing() { emulatedTiming = true; }
bool emulated_device_timing() { return emulatedTiming; }

void CliBackend::use_real_clock(bool on)
{
    if (on == real_)
        return;
    const uint64_t now = now_ms();
    real_ = on;
    if (!on) {
        // Back to the hand-moved clock: it must not run backwards.
        HeadlessBackend::sleep_ms(static_cast<int>(now - HeadlessBackend::now_ms()));
        return;
    }
    handTimeAtSwitch_ = now;
    switchedAt_ = std::chrono::steady_clock::now();
}

uint64_t CliBackend::now_ms() const
{
    if (!real_)
        return HeadlessBackend::now_ms();
    const auto gone = std::chrono::steady_clock::now() - switchedAt_;
    return handTimeAtSwitch_ + static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(gone).count());
}

void CliBackend::sleep_ms(int ms)
{
    if (real_)
        std::this_thread::sleep_for(std::chrono::milliseconds(ms > 0 ? ms : 0));
    else
        HeadlessBackend::sleep_ms(ms);
}

HeadlessProgram::HeadlessProgram() = default;

HeadlessProgram::~HeadlessProgram()
{
    app_.reset();
    if (ui_)
        D_SendDrvCmd(q30::DRV_CLOSE, nullptr);
}

bool HeadlessProgram::start(const std::string& configDir, std::string& error)
{
    std::vector<resources::ParseError> problems;
    const std::string resDir = resources::find_resource_directory("quillon-cli");
    if (!resources_.load(resDir, problems)) {
        error = "the program's resources are missing (" + resDir + ")";
        return false;
    }
    ui_ = std::make_unique<Ui>(backend_, resources_);
    app_ = std::make_unique<Application>(*ui_, [this](uint32_t code, DrvCmd* r) { return call(code, r); });
    app_->set_config_directory(configDir);
    app_->set_main_window_setup([](MainWindow& main) { install_pages_and_dialogs(main); });
    if (!app_->initialise(error)) {
        if (error.empty())
            error = "the program did not start";
        return false;
    }
    backend_.pump();
    return true;
}

bool HeadlessProgram::connected() { return app_->state().connected; }

void HeadlessProgram::read_all_pages()
{
    for (int index = 0; index < kPageCount; ++index)
        main().ensure_page_read(index);
    backend_.pump();
}

void HeadlessProgram::show_page(int index)
{
    backend_.menu(ID_PAGE_FIRST + index);
    backend_.pump();
}

bool HeadlessProgram::save_profile_as(const std::string& path)
{
    backend_.answer_file_dialogs_with({path});
    const bool saved = run_save_profile_as(main()) == IDOK;
    backend_.pump();
    return saved;
}

void HeadlessProgram::load_profile(const std::string& path)
{
    backend_.answer_file_dialogs_with({path});
    run_load_profile(main());
    backend_.pump();
}

void HeadlessProgram::quit()
{
    backend_.menu(ID_QUIT);
    backend_.pump();
}

std::vector<std::string> HeadlessProgram::take_messages()
{
    std::vector<std::string> texts;
    const auto& boxes = backend_.message_boxes();
    for (; messagesTaken_ < boxes.size(); ++messagesTaken_)
        texts.push_back(boxes[messagesTaken_].text);
    return texts;
}

int32_t HeadlessProgram::call(uint32_t code, DrvCmd* record)
{
    if (holdingBack_ && changes_the_device(code, record)) {
        if (record) {
            heldBack_.push_back({code, *record});
            record->replied = 1;
            record->ok = 1;
        }
        return q30::kResultOk;
    }
    const int32_t result = D_SendDrvCmd(code, record);
    // The program learns of a lost device from its alive poll, whose timer a
    // command line never lets run; without this every later command would
    // wait out its own timeout.
    unansweredInARow_ = result == q30::kResultNoReply ? unansweredInARow_ + 1 : 0;
    if (unansweredInARow_ >= kUnansweredBeforeLost && app_)
        app_->state().linkUp = false;
    if (observer_)
        observer_(code, record, result);
    return result;
}

} // namespace quillon::cli
