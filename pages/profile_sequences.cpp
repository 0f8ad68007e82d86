#include "pages/profile_sequences.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <memory>

#include "pages/data_callback.h"
#include "pages/msn_page.h"
#include "profile/ini_file.h"
#include "profile/profile_keys.h"
#include "shell/shell_ids.h"

namespace quillon {

using namespace platform;

namespace {

constexpr int kProgressDialog = 353;
constexpr int kProgressText = 1700;
constexpr int kProgressBar = 1701;
constexpr int kSavingAs = 6580;
constexpr int kSavingDone = 6390;
constexpr int kLoading = 6420;
constexpr int kLoadingDone = 6425;
constexpr int kCannotSave = 6945;
constexpr int kSkippedKeys = 6950;
constexpr int kSaveRange = 100;
constexpr int kSaveStep = 10;
constexpr int kLoadRangeMs = 25000;
constexpr int kClosingPauseMs = 400;

// Pages with a section of their own: all but the charges (7) and the log (9).
bool has_section(int page) { return page != 7 && page != 9; }

// The progress window: a line of text and a bar of position / range.
class ProgressWindow : public Window {
public:
    ProgressWindow(ShellContext& shell, Window& owner) : Window(shell.ui, &owner)
    {
        create(kProgressDialog, WindowRole::Modeless);
        set_caption(shell.ui.text(ids::kProgressTitle));
        show(true);
    }
    void set_line(const std::string& text)
    {
        set_text(kProgressText, text);
        repaint();
    }
    void set_position(int position, int range)
    {
        set_progress(kProgressBar, position, range);
        repaint();
    }
};

// The sequence that runs now, for UWM_PROGRESS_TICK.
struct Running {
    ProgressWindow* window = nullptr;
    uint64_t startMs = 0;
};
Running running;

std::string path_of(const AppState& state, int which)
{
    return which == kDefaultProfile ? state.defaultProfilePath : state.chosenProfilePath;
}

std::string quoted_name(const std::string& path)
{
    return " \"" + std::filesystem::path(path).filename().string() + "\"";
}

} // namespace

bool save_profile_sequence(MainWindow& main, int which)
{
    ShellContext& shell = main.shell();
    AppState& state = shell.state;
    const std::string path = path_of(state, which);
    ProgressWindow progress(shell, main);
    progress.set_line(shell.text(kSavingAs) + quoted_name(path));
    progress.set_position(0, kSaveRange);

    // BACK_DIV first: its first write tells whether the file can be written at all.
    main.read_callback_settings();
    const CallbackSettings& callback = main.callback_settings();
    const profile::WriteResult first =
        profile::write_int(path, profile::kCallbackSection, profile::kCallbackActiveKey, callback.active ? 1 : 0);
    if (!first.ok) {
        progress.destroy();
        shell.ui.message_box(&main, shell.text(kCannotSave) + "\n\n" + path + "\n" + first.error,
                             shell.ui.text(ids::kProgramTitle), MessageBoxButtons::Ok, MessageBoxIcon::Warning);
        return false;
    }
    for (int i = 0; i < kCallbackNumberCount; ++i)
        profile::write_string(path, profile::kCallbackSection, profile::callback_number_key(i),
                              callback.numbers[static_cast<std::size_t>(i)]);

    const GeneralSettings& g = main.general_settings();
    profile::write_int(path, profile::kSettingsSection, profile::kLanguageKey, state.language);
    profile::write_int(path, profile::kSettingsSection, profile::kSoundKey, g.soundOn ? 1 : 0);
    profile::write_string(path, profile::kSettingsSection, profile::kChargeUnitKey, g.chargeUnit);
    profile::write_string(path, profile::kSettingsSection, profile::kCurrencyKey, g.currency);
    profile::write_string(path, profile::kSettingsSection, profile::kLocalCodeKey, g.localCode);
    profile::write_string(path, profile::kSettingsSection, profile::kPabxKey, g.pabxPrefix);
    profile::write_string(path, profile::kSettingsSection, profile::kInternationalKey, g.internationalPrefix);

    int position = 0;
    for (int page = 0; page < kPageCount; ++page) {
        position += kSaveStep;
        progress.set_position(position, kSaveRange);
        if (!has_section(page) || !main.page(page))
            continue;
        main.ensure_page_read(page);
        shell.ui.send(*main.page(page), UWM_SAVE_PROFILE, static_cast<uintptr_t>(which));
    }
    progress.set_line(shell.text(kSavingDone));
    progress.set_position(kSaveRange, kSaveRange);
    shell.ui.sleep_ms(kClosingPauseMs);
    return true;
}

void load_profile_sequence(MainWindow& main, int which)
{
    ShellContext& shell = main.shell();
    AppState& state = shell.state;
    const std::string path = path_of(state, which);
    ProgressWindow progress(shell, main);
    running = {&progress, shell.ui.now_ms()};
    auto tick = [&] { progress.set_position(static_cast<int>(shell.ui.now_ms() - running.startMs), kLoadRangeMs); };
    progress.set_line(shell.text(kLoading) + quoted_name(path));
    progress.set_position(0, kLoadRangeMs);
    std::vector<std::string> skipped;

    CallbackSettings& callback = main.callback_settings();
    callback.active = profile::read_int(path, profile::kCallbackSection, profile::kCallbackActiveKey, 0) != 0;
    for (int i = 0; i < kCallbackNumberCount; ++i)
        callback.numbers[static_cast<std::size_t>(i)] =
            profile::read_string(path, profile::kCallbackSection, profile::callback_number_key(i), "");
    for (const std::string& key : send_callback_settings(main))
        skipped.push_back(std::string(profile::kCallbackSection) + "/" + key);
    tick();

    const int language =
        clamp_language(profile::read_int(path, profile::kSettingsSection, profile::kLanguageKey, 0));
    if (language != state.language) {
        state.language = language;
        shell.ui.send(main, UWM_SET_LANGUAGE);
    }
    GeneralSettings& g = main.general_settings();
    g.soundOn = profile::read_int(path, profile::kSettingsSection, profile::kSoundKey, 0) != 0;
    state.soundOn = g.soundOn;
    profile::write_int(state.defaultProfilePath, profile::kSettingsSection, profile::kSoundKey, g.soundOn ? 1 : 0);
    struct Text {
        const char* key;
        std::string* value;
        uint32_t command;
    };
    const std::array<Text, 5> texts = {{
        {profile::kChargeUnitKey, &g.chargeUnit, q30::DRV_CHARGE_UNIT},
        {profile::kCurrencyKey, &g.currency, q30::DRV_CURRENCY},
        {profile::kLocalCodeKey, &g.localCode, q30::DRV_LOCAL_CODE},
        {profile::kPabxKey, &g.pabxPrefix, q30::DRV_PABX_PREFIX},
        {profile::kInternationalKey, &g.internationalPrefix, q30::DRV_S75},
    }};
    for (const Text& t : texts)
        *t.value = profile::read_string(path, profile::kSettingsSection, t.key, "");
    DrvCmd setLanguage = blank_record(0, 0, q30::OP_SET);
    setLanguage.value = state.language;
    shell.gate.send(q30::DRV_LANGUAGE, &setLanguage);
    for (const Text& t : texts) {
        DrvCmd r = blank_record(0, 0, q30::OP_SET);
        q30::record::set_str(r, *t.value);
        if (shell.gate.send(t.command, &r) == q30::kResultRefused)
            skipped.push_back(std::string(profile::kSettingsSection) + "/" + t.key);
    }

    for (int page = 0; page < kPageCount; ++page) {
        tick();
        if (!has_section(page) || !main.page(page))
            continue;
        main.ensure_page_read(page);
        shell.ui.send(*main.page(page), UWM_LOAD_PROFILE, static_cast<uintptr_t>(which));
        if (const auto* msn = dynamic_cast<const MsnPage*>(main.page(page)))
            for (const std::string& key : msn->refused_profile_keys())
                skipped.push_back(std::string(profile::kMsnSection) + "/" + key);
    }
    progress.set_line(shell.text(kLoadingDone));
    progress.set_position(kLoadRangeMs, kLoadRangeMs);
    shell.ui.sleep_ms(kClosingPauseMs);
    running = {};
    progress.destroy();

    if (!skipped.empty()) {
        std::string list;
        for (const std::string& key : skipped)
            list += "\n" + key;
        shell.ui.message_box(&main, shell.text(kSkippedKeys) + "\n" + list, shell.ui.text(ids::kProgramTitle),
                             MessageBoxButtons::Ok, MessageBoxIcon::Warning);
    }
}

void progress_tick(MainWindow& main)
{
    if (running.window)
        running.window->set_position(static_cast<int>(main.shell().ui.now_ms() - running.startMs), kLoadRangeMs);
}

namespace {

FileDialogRequest profile_dialog(const AppState& state, bool save)
{
    FileDialogRequest r;
    r.save = save;
    r.directory = state.profileDirectory;
    r.fileName = profile::kDefaultProfileName;
    r.filters = {"ProFiles (*.pro)", "All Files (*)"};
    r.defaultExtension = "pro";
    return r;
}

} // namespace

int run_save_profile_as(MainWindow& main)
{
    ShellContext& shell = main.shell();
    if (Page* current = main.current_page(); current && shell.ui.send(*current, UWM_QUERY_LEAVE) == 0)
        return IDCANCEL;
    std::optional<std::string> path = shell.ui.backend().file_dialog(&main, profile_dialog(shell.state, true));
    if (!path)
        return IDCANCEL;
    if (Page* current = main.current_page())
        current->repaint();
    shell.state.chosenProfilePath = *path;
    return shell.ui.send(main, UWM_SAVE_PROFILE, kChosenProfile) != 0 ? IDOK : IDCANCEL;
}

int run_load_profile(MainWindow& main)
{
    ShellContext& shell = main.shell();
    std::optional<std::string> path = shell.ui.backend().file_dialog(&main, profile_dialog(shell.state, false));
    if (!path)
        return IDCANCEL;
    if (Page* current = main.current_page())
        current->repaint();
    shell.state.chosenProfilePath = *path;
    shell.ui.send(main, UWM_LOAD_PROFILE, kChosenProfile);
    return IDOK;
}

} // namespace quillon
