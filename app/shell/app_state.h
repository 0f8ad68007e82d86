// The program-wide state: one instance for the whole run.
#pragma once

#include <array>
#include <string>

namespace quillon {

// The analogue ports in their fixed order; the first `portCount` exist.
inline constexpr std::array<int, 5> kPortNumbers = {11, 21, 22, 31, 32};
inline constexpr int kMaxPorts = 5;
inline constexpr int kDataPortMsnCount = 5;
inline constexpr int kPortMsnCount = 3;
inline constexpr int kAliasCount = 6;  // five analogue ports and the data port

// The file selector of the profile messages.
inline constexpr int kDefaultProfile = 0;
inline constexpr int kChosenProfile = 1;

inline constexpr const char* kUnknownModelName = "????";
inline constexpr const char* kUnknownVersion = "?.?.?";

struct PortMsns {
    std::array<std::string, kPortMsnCount> msn;
    bool clip = false;
};

struct DataPortMsns {
    std::array<std::string, kDataPortMsnCount> msn;
    bool clip = false;
};

struct AppState {
    int language = 0;  // 0 English, 1 German, 2 French
    int modelNumber = 0;
    int builtForModel = 0;
    bool isUsb = false;
    int comPortIndex = -1;
    std::string modelName = kUnknownModelName;
    std::string firmwareVersion = kUnknownVersion;
    std::string secondVersion = kUnknownVersion;
    bool connected = false;
    bool linkUp = false;
    bool bootModeDevice = false;
    bool deviceLost = false;  // told lost; the captions say "not connected" until it returns
    int portCount = kMaxPorts;
    bool largeFonts = false;
    bool soundOn = false;
    int currentPage = 0;
    std::string profileDirectory;   // ends with '/'
    std::string defaultProfilePath;
    std::string chosenProfilePath;
    std::string settingsFilePath;   // quillon.ini: the first-run flag
    std::array<std::string, kAliasCount> portAliases;
    DataPortMsns dataPortMsns;
    std::array<PortMsns, kMaxPorts> portMsns;

    // Derived from the identity: "VornISDN Q30-USB", "VornISDN Q20", or "????".
    void set_model(int model, bool usb);
    bool smaller_model() const { return modelNumber == 20; }
    const std::string& profile_path(int which) const
    {
        return which == kChosenProfile ? chosenProfilePath : defaultProfilePath;
    }
};

// "VornISDN Q%d" / "VornISDN Q%d-USB" for models 20 and above, else "????".
std::string model_name(int model, bool usb);

// The default name of a port: its number in double quotes ("\"11\""); for
// port index 5, the data port, "\"data\"".
std::string default_alias(int portIndex);

// Languages outside 0..2 (from a hand-edited profile) count as English.
int clamp_language(int language);

} // namespace quillon
