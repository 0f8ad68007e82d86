#include "shell/application.h"

#include "profile/profile_keys.h"
#include "shell/config_paths.h"

namespace quillon {

Application::Application(platform::Ui& ui, DeviceCall device)
    : gate_(state_, std::move(device)), shell_{ui, state_, gate_}
{
}

bool Application::initialise(std::string& error)
{
    SplashWindow splash(shell_);
    const uint64_t start = shell_.ui.now_ms();

    const std::string dir = config_directory(configDir_, error);
    if (dir.empty())
        return false;
    state_.profileDirectory = dir;
    state_.defaultProfilePath = dir + profile::kDefaultProfileName;
    state_.settingsFilePath = dir + profile::kSettingsFileName;

    main_ = std::make_unique<MainWindow>(shell_);
    if (setup_)
        setup_(*main_);
    if (main_->create_main(&splash, start) != 0) {
        main_.reset();
        return false;
    }
    return true;
}

} // namespace quillon
