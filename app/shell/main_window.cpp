// The main window's messages and commands: page switch, model check,
// languages, help, quit.
#include "shell/main_window.h"

#include <array>

#include "profile/ini_file.h"
#include "profile/profile_keys.h"
#include "shell/languages.h"
#include "shell/progress_window.h"
#include "shell/shell_dialogs.h"
#include "shell/shell_ids.h"

namespace quillon {

using namespace platform;

namespace {

// The help menu: text base and title base of each entry (32781..32802).
struct HelpEntry {
    int command;
    int text;
    int title;
};
constexpr std::array<HelpEntry, 21> kHelpMenu = {{
    {32781, 7070, 8570}, {32782, 7075, 8575}, {32783, 7025, 8525}, {32784, 7055, 8550},
    {32785, 7080, 8580}, {32786, 7085, 8585}, {32787, 7090, 8590}, {32788, 7095, 8600},
    {32789, 7100, 8605}, {32790, 7105, 8610}, {32791, 7110, 8615}, {32792, 7060, 8555},
    {32793, 7115, 8620}, {32794, 7030, 8530}, {32795, 7000, 8500}, {32796, 7050, 8560},
    {32797, 7120, 8625}, {32798, 7125, 8630}, {32800, 7005, 8505}, {32801, 7015, 8515},
    {32802, 7010, 8510},
}};

// Menu commands whose windows are opened through a command dialog.
constexpr std::array<int, 7> kDialogCommands = {ID_MONITOR,  ID_LOAD_PROFILE,  ID_SAVE_PROFILE, ID_SETTINGS,
                                                ID_UPGRADE, ID_DATA_CALLBACK, ID_ISDN_INFO};

} // namespace

MainWindow::MainWindow(ShellContext& shell) : Window(shell.ui, nullptr), shell_(shell)
{
    pageFactory_ = [](ShellContext& s, Window& main, int index) { return std::make_unique<Page>(s, main, index); };
}

MainWindow::~MainWindow() { shutdown(); }

intptr_t MainWindow::on_message(const Message& m)
{
    if (auto hook = hooks_.find(m.id); hook != hooks_.end())
        return hook->second(*this, m);
    switch (m.id) {
    case UWM_READ_DEVICE:
        for (auto& p : pages_)
            if (p)
                shell_.ui.send(*p, UWM_READ_DEVICE);
        return 1;
    case UWM_PROGRESS_TICK:
        if (progress_)
            progress_->tick();
        return 1;
    case UWM_CLOSE_PAGE:
        if (activePage_)
            shell_.ui.send(*activePage_, UWM_CLOSE_PAGE);
        activePage_ = reinterpret_cast<Page*>(m.wparam);
        return 1;
    case UWM_SET_LANGUAGE:
        set_language();
        return 1;
    case UWM_IDENTIFY_DEVICE:
        identify();
        return 1;
    case UWM_MODEL_CHECK:
        model_check();
        return 1;
    case UWM_DEVICE_LOST:
        device_lost();
        return 1;
    case UWM_REREAD_FORWARDING:
        if (Page* forwarding = page(3))
            shell_.ui.send(*forwarding, UWM_READ_DEVICE);
        return 1;
    case UWM_SHUTDOWN:
        shutdown();
        return 1;
    case UWM_IGNORED_414:
    case UWM_IGNORED_417:
    case UWM_FOLLOW_PAGE:
        return 1;
    default:
        return Window::on_message(m);
    }
}

// Posted commands of the pages arrive here unless the page took them.
bool MainWindow::pre_translate(const Message& m)
{
    if (m.id != WM_COMMAND)
        return false;
    const int id = command_id(m.wparam);
    if (is_page_command(id)) {
        switch_page(id - ID_PAGE_FIRST);
    } else if (is_help_command(id)) {
        help_command(id);
    } else {
        shell_.ui.send(*this, WM_COMMAND, m.wparam, m.lparam);
    }
    return true;
}

void MainWindow::on_command(int id, int /*code*/)
{
    if (is_page_command(id)) {
        switch_page(id - ID_PAGE_FIRST);
        return;
    }
    if (is_help_command(id)) {
        help_command(id);
        return;
    }
    switch (id) {
    case ID_QUIT:
        quit();
        return;
    case ID_SETTINGS:
        read_general_settings();
        run_command_dialog(id);
        return;
    case ID_UPGRADE:
        run_upgrade();
        return;
    case ID_MONITOR: {
        const int page = shell_.state.currentPage;
        if (page >= 7 && current_page())
            shell_.ui.send(*current_page(), UWM_PAUSE_POLLING, 1);
        run_command_dialog(id);
        if (page > 6 && current_page())
            shell_.ui.send(*current_page(), UWM_PAUSE_POLLING, 0);
        return;
    }
    case ID_LOAD_PROFILE:
    case ID_SAVE_PROFILE:
    case ID_DATA_CALLBACK:
    case ID_ISDN_INFO:
        run_command_dialog(id);
        return;
    default:
        return;
    }
}

// The upgrade dialog runs with the poll stopped; a new firmware may identify
// as another model.
void MainWindow::run_upgrade()
{
    auto it = dialogs_.find(ID_UPGRADE);
    if (it == dialogs_.end())
        return;
    kill_timer(kPollTimer);
    const int page = shell_.state.currentPage;
    if (page >= 7 && current_page())
        shell_.ui.send(*current_page(), UWM_PAUSE_POLLING, 1);
    const int result = it->second(*this);
    if (result == IDCANCEL && !shell_.state.connected) {
        shutdown();
        destroy();
        backend().quit(0);
        return;
    }
    if (result == IDOK)
        shell_.ui.send(*this, UWM_MODEL_CHECK);
    if (page > 6 && current_page())
        shell_.ui.send(*current_page(), UWM_PAUSE_POLLING, 0);
    set_timer(kPollTimer, kPollPeriodMs);
}

bool MainWindow::run_command_dialog(int commandId)
{
    auto it = dialogs_.find(commandId);
    if (it == dialogs_.end())
        return false;
    it->second(*this);
    return true;
}

// The close box runs the shown page's leave check first, as File > Quit does:
// Send sends then quits, Discard quits, Cancel stays.
void MainWindow::on_close()
{
    if (Page* shown = current_page(); shown && !shown->hidden() && !shown->leave_check())
        return;
    quit();
}

void MainWindow::ensure_page_read(int index)
{
    auto& read = pageRead_[static_cast<std::size_t>(index)];
    if (read || !page(index))
        return;
    shell_.ui.send(*page(index), UWM_READ_DEVICE);
    read = true;
}

void MainWindow::help_command(int id)
{
    if (id == ID_ABOUT) {
        show_about(shell_, this);
        return;
    }
    for (const HelpEntry& e : kHelpMenu)
        if (e.command == id)
            show_help(shell_, this, e.text, e.title);
}

void MainWindow::create_page_buttons()
{
    for (int i = 0; i < kPageCount; ++i) {
        resources::ControlTemplate button;
        button.kind = resources::ControlKind::TabButton;
        button.id = ID_PAGE_FIRST + i;
        add_control(button);
    }
    layout_page_buttons();
}

void MainWindow::layout_page_buttons()
{
    const int language = shell_.state.language;
    for (int i = 0; i < kPageCount; ++i) {
        const int id = ID_PAGE_FIRST + i;
        backend().set_control_rect(*this, id,
                                   {page_button_x(language, i), 0, page_button_width(language, i), kPageButtonHeight});
        set_text(id, shell_.text(ids::kPageButtonLabelBase + 5 * i));
        set_check(id, i == shell_.state.currentPage ? 1 : 0);
    }
}

void MainWindow::update_menu()
{
    set_menu(ids::kMenuBase + shell_.state.language);
    for (int command : kDialogCommands)
        backend().enable_menu_command(*this, command, dialogs_.count(command) != 0);
}

void MainWindow::build_pages()
{
    for (int i = 0; i < kPageCount; ++i) {
        auto& slot = pages_[static_cast<std::size_t>(i)];
        slot = pageFactory_(shell_, *this, i);
        slot->build();
    }
}

void MainWindow::switch_page(int index)
{
    if (index < 0 || index >= kPageCount || !page(index))
        return;
    WaitCursor wait(shell_.ui);
    set_check(ID_PAGE_FIRST + shell_.state.currentPage, 0);
    set_check(ID_PAGE_FIRST + index, 1);
    repaint();
    Page& next = *page(index);
    shell_.ui.send(next, UWM_PAGE_SHOW);
    next.show(true);
    auto& read = pageRead_[static_cast<std::size_t>(index)];
    if (!read) {
        shell_.ui.send(next, UWM_SET_LANGUAGE);
        shell_.ui.post(next, UWM_READ_DEVICE);
        read = true;
    }
    if (activePage_ && activePage_ != &next)
        shell_.ui.send(*activePage_, UWM_PAGE_HIDE);
    activePage_ = &next;
    shell_.state.currentPage = index;
}

void MainWindow::model_check()
{
    WaitCursor wait(shell_.ui);
    shell_.ui.send(*this, UWM_IDENTIFY_DEVICE);
    AppState& state = shell_.state;
    if (state.modelNumber == state.builtForModel)
        return;
    state.builtForModel = state.modelNumber;
    activePage_ = nullptr;
    pageRead_.fill(false);
    read_shared_msn_table();
    show(false);
    // The current page first, so it can be shown again at once.
    const int current = state.currentPage;
    auto replace = [&](int i) {
        auto fresh = pageFactory_(shell_, *this, i);
        fresh->build();
        pages_[static_cast<std::size_t>(i)] = std::move(fresh);
    };
    replace(current);
    shell_.ui.post_command(*this, ID_PAGE_FIRST + current);
    for (int i = 0; i < kPageCount; ++i)
        if (i != current)
            replace(i);
    show(true);
    for (int i = 0; i < kPageCount; ++i)
        if (i != current)
            page(i)->show(false);
    repaint();
}

void MainWindow::set_language()
{
    AppState& state = shell_.state;
    const auto written = profile::write_int(state.defaultProfilePath, profile::kSettingsSection,
                                            profile::kLanguageKey, state.language);
    (void)written;  // the program goes on in the new language either way
    layout_page_buttons();
    update_menu();
    repaint();
    for (auto& p : pages_)
        if (p)
            shell_.ui.send(*p, UWM_SET_LANGUAGE);
}

void MainWindow::quit()
{
    {
        WaitCursor wait(shell_.ui);
        repaint();
        DrvCmd none = blank_record();
        shell_.gate.send(q30::DRV_STORE, &none);
    }
    show(false);
    shutdown();
    destroy();
    backend().quit(0);
}

ProgressWindow& MainWindow::open_progress()
{
    close_progress();
    progress_ = std::make_unique<ProgressWindow>(shell_, *this);
    return *progress_;
}

void MainWindow::close_progress()
{
    if (progress_)
        progress_->destroy();
    progress_.reset();
}

void MainWindow::shutdown()
{
    if (shutDown_)
        return;
    shutDown_ = true;
    if (created())
        kill_timer(kPollTimer);
    activePage_ = nullptr;
    for (auto& p : pages_)
        p.reset();
}

} // namespace quillon
