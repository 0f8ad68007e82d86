// The main window's start-up: search and identify the device, read what the
// pages share, build the pages, and the no-response dialog with its retry.
#include <cstdio>

#include "profile/ini_file.h"
#include "profile/profile_keys.h"
#include "shell/main_window.h"
#include "shell/device_set.h"
#include "shell/languages.h"
#include "shell/shell_dialogs.h"
#include "shell/shell_ids.h"

namespace quillon {

using namespace platform;

namespace {

constexpr int kComPortCount = 8;
constexpr int kBootProbeNothing = 1;
constexpr int kBootProbeFound = 2;
constexpr int kFirstRunMaxChars = 10;

} // namespace

int MainWindow::create_main(SplashWindow* splash, uint64_t startTimeMs)
{
    AppState& state = shell_.state;
    create(0, WindowRole::Main);
    state.linkUp = false;
    state.largeFonts = shell_.ui.large_fonts();
    update_menu();
    create_page_buttons();

    connect();
    read_shared_msn_table();
    read_port_aliases();
    read_language_and_general_settings();
    build_pages();

    if (splash) {
        const uint64_t elapsed = shell_.ui.now_ms() - startTimeMs;
        if (elapsed < kSplashMinimumMs)
            shell_.ui.sleep_ms(static_cast<int>(kSplashMinimumMs - elapsed));
        splash->destroy();
    }
    show(true);
    set_caption(shell_.ui.text(ids::kProgramTitle));
    shell_.ui.post_command(*this, ID_PAGE_FIRST);

    int result = 0;
    run_no_response_loop(result);
    if (result != 0)
        return result;

    state.linkUp = true;
    repaint();
    first_run_check();
    set_timer(kPollTimer, kPollPeriodMs);
    return 0;
}

int MainWindow::connect() { return connect_with(q30::DRV_FIND_DEVICE, true); }

// After a firmware download: the port used last only, and the pages stay
// built for the old model so that the model check that follows sees a change.
int MainWindow::reconnect() { return connect_with(q30::DRV_REOPEN, false); }

int MainWindow::connect_with(uint32_t code, bool rebuildForModel)
{
    AppState& state = shell_.state;
    if (shell_.gate.direct(code, nullptr) != 0) {
        state.comPortIndex = -1;
        state.set_model(0, false);
        state.firmwareVersion = kUnknownVersion;
        state.secondVersion = kUnknownVersion;
        state.connected = false;
        return -1;
    }
    state.linkUp = true;
    shell_.ui.send(*this, UWM_IDENTIFY_DEVICE);
    if (rebuildForModel)
        state.builtForModel = state.modelNumber;
    state.portCount = state.smaller_model() ? 3 : kMaxPorts;
    return 1;
}

void MainWindow::identify()
{
    AppState& state = shell_.state;
    state.connected = true;
    DrvCmd info = blank_record();
    shell_.gate.direct(q30::DRV_DEVICE_INFO, &info);
    state.comPortIndex = info.port;
    state.set_model(info.index, q30::record::usb_flag(info) != 0);
    state.firmwareVersion = std::string(q30::record::text(info));
    state.secondVersion = std::string(q30::record::boot_version(info));
}

void MainWindow::read_shared_msn_table()
{
    AppState& state = shell_.state;
    auto read_msn = [&](int port, int index) {
        DrvCmd r = blank_record(port, index);
        return shell_.gate.send(q30::DRV_MSN, &r) == 0 ? std::string(q30::record::str(r)) : std::string{};
    };
    auto read_clip = [&](int port) {
        DrvCmd r = blank_record(port);
        return shell_.gate.send(q30::DRV_CLIP, &r) == 0 && r.on != 0;
    };
    for (int i = 0; i < kDataPortMsnCount; ++i) {
        state.dataPortMsns.msn[static_cast<std::size_t>(i)] = read_msn(q30::kDevicePort, i);
        if (i == 0)
            state.dataPortMsns.clip = read_clip(q30::kDevicePort);
    }
    for (int p = 0; p < state.portCount; ++p) {
        const int port = kPortNumbers[static_cast<std::size_t>(p)];
        PortMsns& msns = state.portMsns[static_cast<std::size_t>(p)];
        for (int i = 0; i < kPortMsnCount; ++i) {
            msns.msn[static_cast<std::size_t>(i)] = read_msn(port, i);
            if (i == 0)
                msns.clip = read_clip(port);
        }
    }
}

void MainWindow::read_port_aliases()
{
    AppState& state = shell_.state;
    for (int i = 0; i < kAliasCount; ++i) {
        char key[16];
        if (i < kMaxPorts)
            std::snprintf(key, sizeof key, profile::kAliasKeyFormat, i);
        else
            std::snprintf(key, sizeof key, "%s", profile::kDataAliasKey);
        std::string alias = profile::read_string(state.defaultProfilePath, profile::kMsnSection, key, "");
        state.portAliases[static_cast<std::size_t>(i)] = alias.empty() ? default_alias(i) : alias;
    }
}

void MainWindow::read_language_and_general_settings()
{
    AppState& state = shell_.state;
    // Until the user has chosen, the desktop's language.
    state.language = clamp_language(profile::read_int(state.defaultProfilePath, profile::kSettingsSection,
                                                      profile::kLanguageKey, language_for_locale(shell_.ui.locale_name())));
    layout_page_buttons();
    update_menu();
    read_general_settings();
}

void MainWindow::read_general_settings()
{
    AppState& state = shell_.state;
    const bool sound =
        profile::read_int(state.defaultProfilePath, profile::kSettingsSection, profile::kSoundKey, 0) != 0;
    state.soundOn = sound;
    settings_.soundOn = sound;

    // The device's display follows the program's language.
    DrvCmd language = blank_record();
    if (shell_.gate.send(q30::DRV_LANGUAGE, &language) == 0 && language.ok && language.value != state.language) {
        DrvCmd set = blank_record(0, 0, q30::OP_SET);
        set.value = state.language;
        shell_.gate.send(q30::DRV_LANGUAGE, &set);
    }
    shell_.gate.direct(q30::DRV_PING, nullptr);
    shell_.gate.direct(q30::DRV_PING, nullptr);

    auto read_text = [&](uint32_t code) {
        DrvCmd r = blank_record();
        return shell_.gate.send(code, &r) == 0 ? device_str(r) : std::string{};
    };
    settings_.localCode = read_text(q30::DRV_LOCAL_CODE);
    settings_.pabxPrefix = read_text(q30::DRV_PABX_PREFIX);
    settings_.currency = read_text(q30::DRV_CURRENCY);
    settings_.currency = read_text(q30::DRV_CURRENCY);  // the second answer counts
    settings_.internationalPrefix = read_text(q30::DRV_S75);
    settings_.chargeUnit = read_text(q30::DRV_CHARGE_UNIT);
}

void MainWindow::read_callback_settings()
{
    DrvCmd on = blank_record();
    callback_.active = shell_.gate.send(q30::DRV_CALLBACK_ON, &on) == 0 && on.on != 0;
    for (int i = 0; i < kCallbackNumberCount; ++i) {
        DrvCmd r = blank_record(0, i);
        callback_.numbers[static_cast<std::size_t>(i)] =
            shell_.gate.send(q30::DRV_CALLBACK_NUMBER, &r) == 0 ? device_str(r) : std::string{};
    }
}

void MainWindow::run_no_response_loop(int& result)
{
    AppState& state = shell_.state;
    while (!state.connected) {
        const int choice = run_no_response_dialog(shell_, this);
        if (choice == dialog_ids::no_response::kQuitButton) {
            shell_.ui.send(*this, UWM_SHUTDOWN);
            result = -1;
            return;
        }
        if (choice != dialog_ids::no_response::kTryAgainButton)
            return;  // closed: go on without a device

        WaitCursor wait(shell_.ui);
        int probe = kBootProbeNothing;
        for (int i = 0; i < kComPortCount && probe == kBootProbeNothing; ++i) {
            DrvCmd r = blank_record(i);
            probe = shell_.gate.direct(q30::DRV_BOOT_OPEN, &r);
            if (probe == kBootProbeNothing) {
                state.bootModeDevice = false;
                shell_.gate.direct(q30::DRV_CLOSE, nullptr);
            } else if (probe == kBootProbeFound) {
                state.bootModeDevice = true;
                state.comPortIndex = i;  // where a failed upgrade resets the device again
                shell_.ui.post_command(*this, ID_UPGRADE);
            }
        }
        if (probe != kBootProbeNothing)
            return;  // a device in its boot loader, or a failure: go on without a device
        if (connect() == 1) {
            if (state.smaller_model()) {
                // The pages were built for the larger model while no device was known.
                state.builtForModel = 30;
                shell_.ui.send(*this, UWM_MODEL_CHECK);
            }
            read_shared_msn_table();
            read_port_aliases();
            read_language_and_general_settings();
            if (Page* first = page(0))
                shell_.ui.send(*first, UWM_READ_DEVICE);
        }
    }
}

void MainWindow::first_run_check()
{
    const std::string& file = shell_.state.settingsFilePath;
    const std::string flag =
        profile::read_string(file, profile::kProgramSection, profile::kFirstRunKey, "0", kFirstRunMaxChars);
    if (!flag.empty() && flag.front() == '1')
        return;
    profile::write_string(file, profile::kProgramSection, profile::kFirstRunKey, "1");
    shell_.ui.send_command(*this, ID_SETTINGS);
}

} // namespace quillon
