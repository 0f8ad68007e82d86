#include "pages/settings_profile.h"

#include "pages/general_settings.h"
#include "profile/ini_document.h"
#include "profile/ini_file.h"
#include "shell/device_set.h"

namespace quillon {

using namespace platform;

void save_settings_section(profile::IniDocument& profile, MainWindow& main)
{
    const GeneralSettings& g = main.general_settings();
    profile.write_int(profile::kSettingsSection, profile::kLanguageKey, main.shell().state.language);
    profile.write_int(profile::kSettingsSection, profile::kSoundKey, g.soundOn ? 1 : 0);
    for (const TextSetting& t : kTextSettings)
        profile.write_string(profile::kSettingsSection, t.profileKey, g.*t.value);
}

void load_settings_section(const profile::IniDocument& profile, MainWindow& main, ValueReport& report)
{
    ShellContext& shell = main.shell();
    AppState& state = shell.state;
    const std::string section = profile::kSettingsSection;

    const int language = clamp_language(profile.read_int(section, profile::kLanguageKey, 0));
    if (language != state.language) {
        state.language = language;
        shell.ui.send(main, UWM_SET_LANGUAGE);
    }
    GeneralSettings& g = main.general_settings();
    g.soundOn = profile.read_int(section, profile::kSoundKey, 0) != 0;
    state.soundOn = g.soundOn;
    (void)profile::write_int(state.defaultProfilePath, section, profile::kSoundKey, g.soundOn ? 1 : 0);

    DrvCmd setLanguage = blank_record(0, 0, q30::OP_SET);
    setLanguage.value = state.language;
    report.add(section, profile::kLanguageKey, send_set(shell.gate, q30::DRV_LANGUAGE, setLanguage));
    for (const TextSetting& t : kTextSettings) {
        const std::string text = profile.read_string(section, t.profileKey, "");
        DrvCmd r = blank_record(0, 0, q30::OP_SET);
        const SetProblem problem = send_text_set(shell.gate, t.command, r, text);
        if (problem == SetProblem::None)
            g.*t.value = text;
        report.add(section, t.profileKey, problem);
    }
}

} // namespace quillon
