// How an emulated device is set up: model, versions and the behaviours that
// tests and demos ask for.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "models.h"

namespace q30sim {

struct DeviceOptions {
    Model model = Model::Q30;
    std::string firmware = "1.3.4";
    std::string bootCode = "1.02";
    bool silent = false;              // a dead device: no echo, no answer
    bool bootMode = false;            // starts in its boot loader, waiting for an image
    bool clockUnset = false;          // the clock reads "--" until it is set
    bool seed = false;                // demo data: MSNs, numbers, call lists, charges
    bool noForwardingService = false; // every forwarding set answers "2"
    bool callInProgress = false;      // ATC? answers "1", port 11 is busy
    std::vector<std::string> rejectPrefixes{}; // commands starting with one of these answer ERROR
    int silentAfter = -1;             // goes dead after this many commands; -1 never
    std::string stateFile{};          // where AT&W keeps the stored settings; empty: nowhere
    int paceBaud = 0;                 // replies no faster than this bit rate; 0 unpaced
    bool failDownload = false;        // every firmware image fails: "UPGRADE FAIL", then the boot loader
    bool noVerdict = false;           // takes a firmware image and then says nothing more
    bool upgradeResets = false;       // a new firmware starts with factory settings
    std::string silentFrom{};         // goes dead at the first command starting with this; empty never
};

// Parses the device options of a command line (argv[0] is skipped). Options
// take their value as the next argument or after "=". False with `error` set
// on an unknown option or a bad value.
bool parse_device_options(int argc, char** argv, DeviceOptions& options, std::string& error);
bool parse_device_options(std::span<const std::string> args, DeviceOptions& options, std::string& error);

// One line per option, for usage texts.
std::string_view device_options_help();

} // namespace q30sim
