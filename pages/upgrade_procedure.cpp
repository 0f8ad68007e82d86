#include "pages/upgrade_procedure.h"

#include <array>
#include <cstring>

#include "pages/firmware_info_dialog.h"
#include "pages/rom_file.h"
#include "pages/upgrade_message_dialog.h"

namespace quillon {

using namespace platform;

namespace {

// Texts.
constexpr int kCaption = 8550;
constexpr int kTesting = 6395;
constexpr int kResetting = 6400;
constexpr int kSending = 6405;
constexpr int kClosing = 6410;
constexpr int kSuccessful = 6415;
constexpr int kFailedTryAgain = 9805;
constexpr int kFailedPowerCycle = 9810;
constexpr int kCallExists = 9870;
constexpr int kNoResponse = 9875;
constexpr int kNotAnImage = 9880;
constexpr int kBytes = 9885;
constexpr int kCannotRead = 9890;

// Answers of the device commands.
constexpr int32_t kCallCheckIdle = 1;
constexpr int32_t kCallCheckBusy = 0;
constexpr int32_t kVerdictSuccess = 3;
constexpr int32_t kVerdictFailure = 2;
constexpr int32_t kBootLoaderWaiting = 2;

// The bar and the waits.
constexpr int kPercent = 100;
constexpr int kAfterCheckMs = 80;
constexpr int kResetStepMs = 150;   // 101 steps: 15 s for the device to enter download mode
constexpr int kAfterSendingMs = 50;
constexpr int kClosingStepMs = 120; // 101 steps: 12 s for the device to check the image

} // namespace

UpgradeProcedure::UpgradeProcedure(MainWindow& main, Window& dialog, StatusPanel& panel)
    : main_(main), shell_(main.shell()), dialog_(dialog), panel_(panel)
{
}

UpgradeProcedure::Ending UpgradeProcedure::run()
{
    const AppState& state = shell_.state;
    fileRequest_ = rom_file_request(state.connected, state.modelNumber, state.isUsb);
    fileRequest_.title = shell_.text(kCaption);
    fileRequest_.directory = state.profileDirectory;
    shell_.beep_if_sound();

    std::optional<std::vector<std::uint8_t>> image = choose_file();
    for (;;) {
        if (!image)
            return Ending::Quit;
        if (!confirm(read_rom_identity(*image)))
            return Ending::Cancelled;
        const bool bootMode = shell_.state.bootModeDevice;
        // A settings file that cannot be written would be lost with the old firmware.
        if (!bootMode && shell_.state.connected && shell_.ui.send(main_, UWM_SAVE_PROFILE, kDefaultProfile) == 0)
            return Ending::Cancelled;
        dialog_.repaint();
        if (bootMode)
            panel_.show(true);
        else if (!prepare_device())
            return Ending::Quit;

        transfer(*image);
        const int32_t verdict = await_verdict();
        if (verdict == kVerdictSuccess) {
            shell_.state.bootModeDevice = false;
            finish_installation();
            return Ending::Installed;
        }
        if (verdict == kVerdictFailure) {
            panel_.show(false);
            if (boot_reset() == kBootLoaderWaiting) {
                // The device waits in its boot loader: another file may bring it back.
                tell(kFailedTryAgain);
                shell_.state.bootModeDevice = true;
                image = choose_file();
                continue;
            }
        }
        // Silence, anything unexpected, or a failure the boot reset cannot see.
        shell_.state.bootModeDevice = false;
        tell(kFailedPowerCycle);
        return Ending::Quit;
    }
}

std::optional<std::vector<std::uint8_t>> UpgradeProcedure::choose_file()
{
    for (;;) {
        const std::optional<std::string> path = shell_.ui.backend().file_dialog(&dialog_, fileRequest_);
        if (!path)
            return std::nullopt;
        RomFileContents rom = read_rom_file(*path);
        switch (rom.problem) {
        case RomFileProblem::None:
            return std::move(rom.bytes);
        case RomFileProblem::WrongSize:
            shell_.ui.message_box(&dialog_,
                                  shell_.text(kNotAnImage) + "\n\n" + *path + "\n" + std::to_string(rom.size) + " " +
                                      shell_.text(kBytes),
                                  shell_.text(kCaption), MessageBoxButtons::Ok, MessageBoxIcon::Warning);
            break;
        case RomFileProblem::CannotRead:
            shell_.ui.message_box(&dialog_, shell_.text(kCannotRead) + "\n\n" + *path + "\n" + rom.error,
                                  shell_.text(kCaption), MessageBoxButtons::Ok, MessageBoxIcon::Warning);
            break;
        }
    }
}

bool UpgradeProcedure::confirm(const RomIdentity& file)
{
    const AppState& state = shell_.state;
    const FirmwareFacts device{state.modelName, state.firmwareVersion, state.secondVersion};
    const FirmwareFacts offered{file.modelName, file.firmwareVersion, file.bootCode};
    return run_firmware_info_dialog(shell_, dialog_, device, offered) == kInstallUpgrade;
}

bool UpgradeProcedure::prepare_device()
{
    const bool connected = shell_.state.connected;
    panel_.set_text(kTesting);
    panel_.show(true);
    panel_.set_position(0, kPercent);
    if (connected) {
        DrvCmd check = blank_record();
        const int32_t answer = send(q30::DRV_CALL_CHECK, check);
        if (answer != kCallCheckIdle) {
            // A closed gate counts as no answer.
            tell(answer == kCallCheckBusy ? kCallExists : kNoResponse);
            panel_.show(false);
            return false;
        }
    }
    panel_.set_position(kPercent, kPercent);
    panel_.wait(kAfterCheckMs);
    dialog_.repaint();
    if (connected) {
        DrvCmd start = blank_record();
        send(q30::DRV_DOWNLOAD_START, start);
        panel_.set_text(kResetting);
        panel_.sweep(kPercent, kResetStepMs);
    }
    return true;
}

// Block after block, without waiting for any answer in between.
void UpgradeProcedure::transfer(const std::vector<std::uint8_t>& image)
{
    panel_.set_text(kSending);
    panel_.set_position(0, static_cast<int>(kRomBlockCount));
    std::array<char, kRomBlockSize> block{};
    for (std::size_t i = 0; i < kRomBlockCount; ++i) {
        std::memcpy(block.data(), image.data() + i * kRomBlockSize, kRomBlockSize);
        DrvCmd raw = blank_record();
        q30::record::set_caller_buffer(raw, block.data(), static_cast<int32_t>(block.size()));
        q30::record::set_byte_count(raw, static_cast<int32_t>(block.size()));
        send(q30::DRV_WRITE_RAW, raw);
        panel_.step(1, static_cast<int>(kRomBlockCount));
    }
    panel_.wait(kAfterSendingMs);
}

int32_t UpgradeProcedure::await_verdict()
{
    panel_.set_text(kClosing);
    panel_.set_position(0, kPercent);
    panel_.sweep(kPercent, kClosingStepMs);
    dialog_.repaint();
    DrvCmd verdict = blank_record();
    return send(q30::DRV_DOWNLOAD_RESULT, verdict);
}

int32_t UpgradeProcedure::boot_reset()
{
    DrvCmd reset = blank_record(shell_.state.comPortIndex);
    return send(q30::DRV_BOOT_RESET, reset);
}

// The new firmware at full speed, the link reopened, the saved settings back.
void UpgradeProcedure::finish_installation()
{
    DrvCmd speed = blank_record();
    speed.value = q30::kSpeed115200;
    send(q30::DRV_SET_SPEED, speed);
    DrvCmd close = blank_record();
    send(q30::DRV_CLOSE, close);
    main_.reconnect();
    shell_.ui.send(main_, UWM_IDENTIFY_DEVICE);
    panel_.show(false);
    show_upgrade_message(shell_, dialog_, kSuccessful);
    // The pages' device copies are those of the old firmware; a load sends
    // what differs from them, so they must know the new firmware's values first.
    for (int index = 0; index < kPageCount; ++index)
        if (Page* page = main_.page(index); page && main_.page_read(index))
            shell_.ui.send(*page, UWM_READ_DEVICE);
    shell_.ui.send(main_, UWM_LOAD_PROFILE, kDefaultProfile);
}

void UpgradeProcedure::tell(int textBase)
{
    shell_.ui.message_box(&dialog_, shell_.text(textBase), shell_.text(kCaption), MessageBoxButtons::Ok,
                          MessageBoxIcon::Warning);
}

int32_t UpgradeProcedure::send(uint32_t code, DrvCmd& record) { return shell_.gate.send(code, &record); }

} // namespace quillon
