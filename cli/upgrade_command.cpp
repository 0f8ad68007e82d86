// quillon-cli upgrade ROM [--yes]: the program's firmware upgrade with its
// dialogs answered here: the file is ROM, the identities of device and file
// go to standard output, and the installation waits for a yes on the
// terminal unless --yes gave it. The settings are saved before and loaded
// back after, as the program does.
#include <cstdio>
#include <iostream>
#include <string>
#include <unistd.h>

#include "commands.h"
#include "device_session.h"
#include "dialog_ids/firmware_info_ids.h"
#include "dialog_ids/upgrade_ids.h"
#include "dialog_ids/upgrade_message_ids.h"
#include "pages/firmware_info_dialog.h"
#include "pages/upgrade_message_dialog.h"
#include "shell/shell_ids.h"

namespace quillon::cli {

using namespace platform;

namespace {

constexpr const char* kUsage =
    "usage: quillon-cli upgrade ROM [--yes] [--port COMn] [--config-dir DIR]\n"
    "  installs the firmware image ROM; the settings are saved before and restored after\n"
    "  --yes  install without asking\n";

enum class Confirmation { Given, Declined, NotPossible };

Confirmation ask_on_terminal(bool yesGiven)
{
    if (yesGiven)
        return Confirmation::Given;
    if (!isatty(STDIN_FILENO)) {
        std::fprintf(stderr, "quillon-cli upgrade: nobody to confirm at a terminal; run with --yes to install\n");
        return Confirmation::NotPossible;
    }
    std::printf("Install this firmware? The device must not be switched off meanwhile. [y/N] ");
    std::fflush(stdout);
    std::string answer;
    std::getline(std::cin, answer);
    return answer == "y" || answer == "Y" || answer == "yes" ? Confirmation::Given : Confirmation::Declined;
}

struct UpgradeRun {
    bool identityShown = false;
    Confirmation confirmation = Confirmation::Declined;
};

void script_dialogs(HeadlessProgram& program, bool yesGiven, UpgradeRun& run)
{
    CliBackend& backend = program.backend();
    const ShellContext& shell = program.shell();
    backend.on_modal(shell.dialog_id(ids::kUpgradeDialog), [&backend](Window& d) {
        std::printf("%s\n", backend.control(d, dialog_ids::upgrade::kVersionLine)->text.c_str());
        backend.click(d, dialog_ids::upgrade::kUpgradeButton);
        return IDCANCEL;
    });
    backend.on_modal(shell.dialog_id(kFirmwareInfoDialog), [&backend, &run, yesGiven](Window& d) {
        using namespace dialog_ids::firmware_info;
        std::printf("device:\n");
        for (int id : {kModemModel, kModemFirmware, kModemBootCode})
            std::printf("  %s\n", backend.control(d, id)->text.c_str());
        std::printf("file:\n");
        for (int id : {kFileModel, kFileFirmware, kFileBootCode})
            std::printf("  %s\n", backend.control(d, id)->text.c_str());
        run.identityShown = true;
        run.confirmation = ask_on_terminal(yesGiven);
        backend.click(d, run.confirmation == Confirmation::Given ? kInstallButton : IDCANCEL);
        return IDCANCEL;
    });
    backend.on_modal(shell.dialog_id(kUpgradeMessageDialog), [&backend](Window& d) {
        std::printf("%s\n", backend.control(d, dialog_ids::upgrade_message::kMessageText)->text.c_str());
        backend.click(d, IDOK);
        return IDOK;
    });
}

bool installed(const CliBackend& backend, int upgradeDialog)
{
    for (const auto& seen : backend.modals())
        if (seen.templateId == upgradeDialog && seen.result == IDOK)
            return true;
    return false;
}

} // namespace

int upgrade(const std::vector<std::string>& args)
{
    const std::optional<CommandLine> line = parse_command_line("upgrade", args, {"--yes"}, 1, kUsage);
    if (const std::optional<int> status = ends_with_command_line(line))
        return *status;
    DeviceSession session("upgrade", *line, ConfigUse::Users);
    if (std::optional<int> failed = session.open())
        return *failed;
    HeadlessProgram& program = session.program();
    UpgradeRun run;
    script_dialogs(program, line->has("--yes"), run);
    // A real device needs the time the program gives it to restart and to check the image.
    program.backend().use_real_clock(!emulated_device_timing());
    // Only this file is offered: an image the program refuses ends the upgrade.
    program.backend().answer_file_dialogs_with({line->operands.front()});
    program.backend().menu(ID_UPGRADE);
    program.backend().pump();
    const bool done = installed(program.backend(), program.shell().dialog_id(ids::kUpgradeDialog));
    if (done)
        program.quit();
    const std::vector<std::string> messages = session.tell_messages();
    if (!run.identityShown)
        return kExitBadUsage;  // the program refused the file
    if (run.confirmation == Confirmation::NotPossible)
        return kExitBadUsage;
    if (!done)
        return kExitDeviceFailed;
    return messages.empty() ? kExitSuccess : kExitDeviceFailed;
}

} // namespace quillon::cli
