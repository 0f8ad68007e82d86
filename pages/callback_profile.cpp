#include "pages/callback_profile.h"

#include "profile/ini_document.h"
#include "profile/profile_keys.h"
#include "shell/device_set.h"

namespace quillon {

void save_callback_section(profile::IniDocument& profile, MainWindow& main)
{
    main.read_callback_settings();
    const CallbackSettings& callback = main.callback_settings();
    profile.write_int(profile::kCallbackSection, profile::kCallbackActiveKey, callback.active ? 1 : 0);
    for (int i = 0; i < kCallbackNumberCount; ++i)
        profile.write_string(profile::kCallbackSection, profile::callback_number_key(i),
                             callback.numbers[static_cast<std::size_t>(i)]);
}

void load_callback_section(const profile::IniDocument& profile, MainWindow& main, ValueReport& report)
{
    const DeviceGate& gate = main.shell().gate;
    const std::string section = profile::kCallbackSection;
    CallbackSettings& callback = main.callback_settings();

    const bool active = profile.read_int(section, profile::kCallbackActiveKey, 0) != 0;
    DrvCmd on = blank_record(0, 0, q30::OP_SET);
    on.on = active ? 1 : 0;
    const SetProblem switchProblem = send_set(gate, q30::DRV_CALLBACK_ON, on);
    if (switchProblem == SetProblem::None)
        callback.active = active;
    report.add(section, profile::kCallbackActiveKey, switchProblem);

    for (int i = 0; i < kCallbackNumberCount; ++i) {
        const std::string key = profile::callback_number_key(i);
        const std::string number = profile.read_string(section, key, "");
        DrvCmd r = blank_record(0, i, q30::OP_SET);
        const SetProblem problem = send_text_set(gate, q30::DRV_CALLBACK_NUMBER, r, number);
        if (problem == SetProblem::None)
            callback.numbers[static_cast<std::size_t>(i)] = number;
        report.add(section, key, problem);
    }
}

} // namespace quillon
