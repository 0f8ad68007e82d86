// The firmware upgrade on the emulated device: a whole upgrade with the
// settings saved before and loaded back after, every way it stops, the retry
// from the boot loader, a device found in its boot loader at start, and how
// the main window goes on afterwards.
#include "emulated_program.h"

#include <fstream>
#include <set>

#include "dialog_ids/firmware_info_ids.h"
#include "dialog_ids/no_response_ids.h"
#include "dialog_ids/upgrade_ids.h"
#include "driver.h"
#include "firmware_image.h"
#include "pages/rom_identity.h"
#include "profile/ini_document.h"

using namespace quillon;
using namespace quillon::platform;
using namespace std::chrono_literals;

namespace {

// Small fonts: the odd twin of each dialog.
constexpr int kUpgradeDialog = 843;
constexpr int kFirmwareInfo = 825;
constexpr int kClosingMessage = 849;
constexpr int kNoResponse = 855;
constexpr uint64_t kWaitsWithDownloadModeMs = 80 + 15000 + 50 + 12000;
constexpr uint64_t kWaitsInBootModeMs = 50 + 12000;

struct UpgradeOnDevice : pagestest::EmulatedProgram {
    // A private command layer, so that the boot reset takes milliseconds.
    q30::Driver driver;
    bool installChosen = true;
    std::vector<std::string> firmwareInfoLines;
    uint64_t confirmedAtMs = 0;
    uint64_t closingMessageAtMs = 0;
    int closingMessages = 0;

    void TearDown() override
    {
        app.reset();
        DrvCmd none{};
        driver.send(q30::DRV_CLOSE, &none);
        EmulatedProgram::TearDown();
    }

    // The program on the emulated device, with the upgrade's dialogs scripted
    // before it starts (a device in its boot loader opens them at once).
    void start_upgradeable(q30sim::DeviceOptions options, bool tryAgainAtStart = false)
    {
        driver.set_boot_reset_timing({20ms, 20ms});
        script_dialogs(tryAgainAtStart);
        device = std::make_unique<q30sim::Device>(options);
        server = std::make_unique<q30sim::PtyServer>(*device, options.paceBaud);
        std::string error;
        ASSERT_TRUE(server->start(error)) << error;
        setenv("Q30COM32_COM1", server->slave_path().c_str(), 1);
        for (int n = 2; n <= 8; ++n)
            setenv(("Q30COM32_COM" + std::to_string(n)).c_str(), (configDir + "/absent").c_str(), 1);
        app = std::make_unique<Application>(*ui, [this](uint32_t c, DrvCmd* r) { return driver.send(c, r); });
        app->set_config_directory(configDir);
        app->set_main_window_setup([](MainWindow& main) { install_pages_and_dialogs(main); });
        ASSERT_TRUE(app->initialise(error)) << error;
        backend.pump();
    }

    void script_dialogs(bool tryAgainAtStart)
    {
        backend.on_modal(kUpgradeDialog, [this](Window& d) {
            backend.click(d, dialog_ids::upgrade::kUpgradeButton);
            return IDCANCEL;
        });
        backend.on_modal(kFirmwareInfo, [this](Window& d) {
            using namespace dialog_ids::firmware_info;
            firmwareInfoLines.clear();
            for (int id : {kModemModel, kModemFirmware, kModemBootCode, kFileModel, kFileFirmware, kFileBootCode})
                firmwareInfoLines.push_back(backend.control(d, id)->text);
            confirmedAtMs = backend.now_ms();
            backend.click(d, installChosen ? kInstallButton : IDCANCEL);
            return IDCANCEL;
        });
        backend.on_modal(kClosingMessage, [this](Window& d) {
            closingMessageAtMs = backend.now_ms();
            ++closingMessages;
            backend.click(d, IDOK);
            return IDOK;
        });
        if (tryAgainAtStart)
            backend.on_modal(kNoResponse, [this](Window& d) {
                backend.click(d, dialog_ids::no_response::kTryAgainButton);
                return IDCANCEL;
            });
    }

    // Extras > "Installing an upgrade", picking these files in turn.
    void upgrade_with(std::vector<std::optional<std::string>> files)
    {
        backend.answer_file_dialogs_with(std::move(files));
        backend.menu(ID_UPGRADE);
        backend.pump();
    }

    std::string rom(q30sim::Model model, const std::string& version, const std::string& bootCode = "1.02")
    {
        const auto image = q30sim::make_firmware_image(model, version, bootCode);
        return file_with(version + ".rom", std::string(image.begin(), image.end()));
    }
    std::string file_with(const std::string& name, const std::string& bytes)
    {
        const std::string path = configDir + "/" + name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    bool device_saw(const std::string& line)
    {
        const auto seen = device_commands();
        return std::find(seen.begin(), seen.end(), line) != seen.end();
    }
    std::string device_firmware()
    {
        return server->with_device([](q30sim::Device& d) { return d.firmware() + " / " + d.boot_code(); });
    }
    q30sim::SettingsStore device_settings()
    {
        return server->with_device([](q30sim::Device& d) { return d.settings(); });
    }
    std::vector<std::string> message_texts() const
    {
        std::vector<std::string> texts;
        for (const auto& box : backend.message_boxes())
            texts.push_back(box.text);
        return texts;
    }
    bool program_ended() const { return backend.exit_code().has_value(); }
    bool poll_running() { return backend.timer_running(main(), MainWindow::kPollTimer); }
};

// The registers of the pages that exist today (MSN, call acceptance, short
// dial, call forwarding, call filter), of the general settings and of the
// data callback that the device holds a value for.
std::vector<std::string> restorable_keys(const q30sim::SettingsStore& all)
{
    static const std::set<std::string> kRegisters = {
        "!N",  "!P0",  "%A5", "!P17", "!V",  "!P1", "!P6", "!P9", "!P2", "!P8", "!P11", "!P10", "\\E", "!P13",
        "\\F", "!P12", "!P20", "!P21", "!P22", "\\A", "\\B", "S95", "S76", "S78", "S75", "S96"};
    std::vector<std::string> keys;
    for (const std::string& line : all.as_command_lines()) {
        const std::string key = line.substr(2, line.find('=') - 2);
        if (kRegisters.count(key.substr(0, key.find_first_of("#*"))))
            keys.push_back(key);
    }
    return keys;
}

TEST_F(UpgradeOnDevice, InstallsTheNewFirmwareAndBringsTheSettingsBack)
{
    // A new firmware that starts from factory settings shows that they came back from the profile.
    start_upgradeable({.seed = true, .upgradeResets = true});
    const std::vector<std::string> keys = restorable_keys(device_settings());
    ASSERT_GT(keys.size(), 30u);
    auto values = [&] {
        std::vector<std::string> all;
        for (const std::string& key : keys)
            all.push_back(key + "=" + device_setting(key));
        return all;
    };
    const std::vector<std::string> before = values();
    EXPECT_TRUE(backend.menu_command_enabled(main(), ID_UPGRADE));

    std::string versionLine;
    backend.on_modal(kUpgradeDialog, [&](Window& d) {
        versionLine = backend.control(d, dialog_ids::upgrade::kVersionLine)->text;
        backend.click(d, dialog_ids::upgrade::kUpgradeButton);
        return IDCANCEL;
    });
    upgrade_with({rom(q30sim::Model::Q30, "1.4.0", "1.07")});

    EXPECT_EQ(versionLine, "Upgrade Version: VornISDN Q30:  1.3.4  BOOT CODE 1.02");
    EXPECT_EQ(firmwareInfoLines, (std::vector<std::string>{"Model  : VornISDN Q30", "Firmware: 1.3.4",
                                                           "BootCode: 1.02", "Model  : VornISDN Q30",
                                                           "Firmware: 1.4.0", "BootCode: 1.07"}));
    EXPECT_EQ(backend.file_dialogs().at(0).filters.front(), "RomFile (*.q30)");
    EXPECT_EQ(device_firmware(), "1.4.0 / 1.07");
    EXPECT_EQ(state().firmwareVersion, "1.4.0");
    EXPECT_EQ(state().secondVersion, "1.07");
    EXPECT_EQ(closingMessages, 1);
    EXPECT_TRUE(device_saw("ATC?"));
    EXPECT_TRUE(device_saw("AT!DOWNLOAD"));
    // The waits ran on the program's clock: 15 s for download mode, 12 s for the verdict.
    EXPECT_GE(closingMessageAtMs - confirmedAtMs, kWaitsWithDownloadModeMs);
    EXPECT_EQ(values(), before);
    EXPECT_TRUE(message_texts().empty()) << message_texts().front();
    EXPECT_EQ(backend.modals().back().result, IDOK);
    EXPECT_FALSE(program_ended());
    EXPECT_TRUE(poll_running());
    EXPECT_TRUE(state().connected);
}

TEST_F(UpgradeOnDevice, CancellingTheFileChoiceEndsTheProgramButCancellingFirmwareInfoDoesNot)
{
    start_upgradeable({});
    installChosen = false;
    // An image with no known order number is still offered, as "????".
    std::vector<std::uint8_t> unknown = q30sim::make_firmware_image(q30sim::Model::Q30, "7.7.7");
    std::fill_n(unknown.begin() + kRomIdentityOffset, 8, std::uint8_t{'x'});
    upgrade_with({file_with("unknown.bin", std::string(unknown.begin(), unknown.end()))});
    EXPECT_EQ(firmwareInfoLines.at(3), "Model  : ????");
    EXPECT_EQ(firmwareInfoLines.at(4), "Firmware: 7.7.7");
    EXPECT_FALSE(program_ended());
    EXPECT_TRUE(poll_running());
    EXPECT_FALSE(device_saw("ATC?"));
    EXPECT_FALSE(std::filesystem::exists(state().defaultProfilePath) &&
                 profile::IniDocument::open(state().defaultProfilePath).has_section("MSN_DIV"))
        << "nothing saved before the user confirmed";

    upgrade_with({std::nullopt});
    EXPECT_TRUE(program_ended());
    EXPECT_FALSE(device_saw("AT!DOWNLOAD"));
}

TEST_F(UpgradeOnDevice, ACallInProgressStopsTheUpgradeAndTheProgram)
{
    start_upgradeable({.callInProgress = true});
    upgrade_with({rom(q30sim::Model::Q30, "1.4.0")});
    EXPECT_EQ(message_texts(), std::vector<std::string>{"Call Exist, Terminate Update !!"});
    EXPECT_FALSE(device_saw("AT!DOWNLOAD"));
    EXPECT_EQ(device_firmware(), "1.3.4 / 1.02");
    EXPECT_TRUE(program_ended());
}

TEST_F(UpgradeOnDevice, ASilentDeviceStopsTheUpgradeAndTheProgram)
{
    start_upgradeable({.silentFrom = "ATC"});
    upgrade_with({rom(q30sim::Model::Q30, "1.4.0")});
    EXPECT_EQ(message_texts(), std::vector<std::string>{"TA has no response, Terminate Update !!"});
    EXPECT_FALSE(device_saw("AT!DOWNLOAD"));
    EXPECT_TRUE(program_ended());
}

TEST_F(UpgradeOnDevice, AFailedTransferFindsTheBootLoaderAndAnotherFileBringsTheDeviceBack)
{
    start_upgradeable({});
    // The device refuses an image for the other model and falls into its boot loader.
    upgrade_with({rom(q30sim::Model::Q20, "1.4.0"), rom(q30sim::Model::Q30, "1.4.1")});
    ASSERT_EQ(message_texts().size(), 1u);
    EXPECT_NE(message_texts().front().find("Please make suce the power is on"), std::string::npos);
    EXPECT_EQ(backend.file_dialogs().size(), 2u);
    const auto seen = device_commands();
    EXPECT_EQ(std::count(seen.begin(), seen.end(), "AT!DOWNLOAD"), 1)
        << "the retry goes straight to the transfer";
    EXPECT_EQ(device_firmware(), "1.4.1 / 1.02");
    EXPECT_FALSE(state().bootModeDevice);
    EXPECT_EQ(closingMessages, 1);
    EXPECT_FALSE(program_ended());
    EXPECT_TRUE(poll_running());
}

TEST_F(UpgradeOnDevice, NoVerdictEndsWithThePowerCycleMessage)
{
    start_upgradeable({.noVerdict = true});
    upgrade_with({rom(q30sim::Model::Q30, "1.4.0")});
    ASSERT_EQ(message_texts().size(), 1u);
    EXPECT_NE(message_texts().front().find("Please power-off Modem"), std::string::npos);
    EXPECT_EQ(closingMessages, 0);
    EXPECT_FALSE(state().bootModeDevice);
    EXPECT_TRUE(program_ended());
}

TEST_F(UpgradeOnDevice, AFileOfTheWrongSizeIsRefusedWithNothingSent)
{
    start_upgradeable({});
    const std::string shortFile = file_with("short.q30", std::string(1000, '\xff'));
    const std::size_t before = device_commands().size();
    upgrade_with({shortFile, std::nullopt});
    ASSERT_EQ(message_texts().size(), 1u);
    EXPECT_NE(message_texts().front().find(shortFile), std::string::npos);
    EXPECT_NE(message_texts().front().find("1000 bytes"), std::string::npos);
    EXPECT_EQ(backend.file_dialogs().size(), 2u) << "the choice is offered again";
    EXPECT_TRUE(firmwareInfoLines.empty());
    const auto seen = device_commands();
    EXPECT_TRUE(std::none_of(seen.begin() + static_cast<std::ptrdiff_t>(before), seen.end(), [](const std::string& l) {
        return l == "ATC?" || l == "AT!DOWNLOAD";
    }));
    EXPECT_EQ(device_firmware(), "1.3.4 / 1.02");
}

TEST_F(UpgradeOnDevice, ADeviceInItsBootLoaderAtStartGoesStraightToTheTransfer)
{
    backend.answer_file_dialogs_with({rom(q30sim::Model::Q30, "1.4.0")});
    start_upgradeable({.bootMode = true}, true);
    EXPECT_EQ(firmwareInfoLines.at(0), "Model  : ????");
    EXPECT_EQ(backend.file_dialogs().at(0).filters.front(), "RomFile (*.q?0)");
    EXPECT_FALSE(device_saw("ATC?"));
    EXPECT_FALSE(device_saw("AT!DOWNLOAD"));
    EXPECT_GE(closingMessageAtMs - confirmedAtMs, kWaitsInBootModeMs);
    EXPECT_LT(closingMessageAtMs - confirmedAtMs, kWaitsWithDownloadModeMs);
    EXPECT_EQ(device_firmware(), "1.4.0 / 1.02");
    // The main window's model check rebuilt the pages for the identified model.
    EXPECT_TRUE(state().connected);
    EXPECT_EQ(state().builtForModel, 30);
    EXPECT_EQ(state().modelName, "VornISDN Q30");
    EXPECT_FALSE(state().bootModeDevice);
    EXPECT_FALSE(program_ended());
    EXPECT_TRUE(poll_running());
}

TEST_F(UpgradeOnDevice, CancellingWithoutAConnectedDeviceEndsTheProgram)
{
    installChosen = false;
    backend.answer_file_dialogs_with({rom(q30sim::Model::Q30, "1.4.0")});
    start_upgradeable({.bootMode = true}, true);
    EXPECT_FALSE(device_saw("AT!DOWNLOAD"));
    EXPECT_TRUE(program_ended());
}

} // namespace
