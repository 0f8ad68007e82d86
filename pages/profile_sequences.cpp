#include "pages/profile_sequences.h"

#include <algorithm>
#include <filesystem>

#include "pages/callback_profile.h"
#include "pages/settings_profile.h"
#include "profile/ini_document.h"
#include "profile/profile_keys.h"
#include "shell/progress_window.h"
#include "shell/shell_ids.h"

namespace quillon {

using namespace platform;

namespace {

constexpr int kSavingAs = 6580;
constexpr int kSavingDone = 6390;
constexpr int kLoading = 6420;
constexpr int kLoadingDone = 6425;
constexpr int kSaveRange = 100;
constexpr int kSaveStep = 10;
constexpr int kLoadRangeMs = 25000;
constexpr int kClosingPauseMs = 400;

std::string quoted_name(const std::string& path)
{
    return " \"" + std::filesystem::path(path).filename().string() + "\"";
}

void warn(ShellContext& shell, Window& owner, const std::string& text)
{
    shell.ui.message_box(&owner, text, shell.ui.text(ids::kProgramTitle), MessageBoxButtons::Ok,
                         MessageBoxIcon::Warning);
}

} // namespace

bool holds_a_profile_section(const profile::IniDocument& document)
{
    return std::any_of(profile::kProfileSections.begin(), profile::kProfileSections.end(),
                       [&](const char* section) { return document.has_section(section); });
}

bool save_profile_sequence(MainWindow& main, int which)
{
    ShellContext& shell = main.shell();
    const std::string path = shell.state.profile_path(which);
    profile::IniDocument document = profile::IniDocument::open(path);
    if (document.exists() && !document.readable()) {
        warn(shell, main, shell.text(ids::kCannotSaveProfile) + "\n\n" + path + "\n" + document.error());
        return false;
    }
    ProgressWindow& progress = main.open_progress();
    progress.set_line(shell.text(kSavingAs) + quoted_name(path));
    progress.set_position(0, kSaveRange);

    save_callback_section(document, main);
    save_settings_section(document, main);
    int position = 0;
    for (int index = 0; index < kPageCount; ++index) {
        position += kSaveStep;
        progress.set_position(position, kSaveRange);
        Page* page = main.page(index);
        if (!page || !page->profile_section())
            continue;
        main.ensure_page_read(index);
        shell.ui.send(*page, UWM_SAVE_PROFILE, static_cast<uintptr_t>(which), reinterpret_cast<intptr_t>(&document));
    }
    progress.set_line(shell.text(kSavingDone));
    progress.set_position(kSaveRange, kSaveRange);
    const profile::WriteResult written = document.commit();
    shell.ui.sleep_ms(kClosingPauseMs);
    main.close_progress();
    if (!written.ok) {
        warn(shell, main, shell.text(ids::kCannotSaveProfile) + "\n\n" + path + "\n" + written.error);
        return false;
    }
    return true;
}

void load_profile_sequence(MainWindow& main, int which)
{
    ShellContext& shell = main.shell();
    const std::string path = shell.state.profile_path(which);
    const profile::IniDocument document = profile::IniDocument::open(path);
    // A file picked by mistake would otherwise clear every setting of the device.
    if (!holds_a_profile_section(document)) {
        std::string text = shell.text(ids::kNotAProfile) + "\n\n" + path;
        if (!document.error().empty())
            text += "\n" + document.error();
        warn(shell, main, text);
        return;
    }
    ProgressWindow& progress = main.open_progress();
    progress.set_line(shell.text(kLoading) + quoted_name(path));
    progress.start_clock(kLoadRangeMs);

    ValueReport report;
    load_callback_section(document, main, report);
    progress.tick();
    load_settings_section(document, main, report);
    ProfileLoad load{document, report};
    for (int index = 0; index < kPageCount; ++index) {
        progress.tick();
        Page* page = main.page(index);
        if (!page || !page->profile_section())
            continue;
        main.ensure_page_read(index);
        shell.ui.send(*page, UWM_LOAD_PROFILE, static_cast<uintptr_t>(which), reinterpret_cast<intptr_t>(&load));
    }
    progress.set_line(shell.text(kLoadingDone));
    progress.set_position(kLoadRangeMs, kLoadRangeMs);
    shell.ui.sleep_ms(kClosingPauseMs);
    main.close_progress();
    report.tell(shell, &main, ids::kProfileValuesNotSent);
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
