#include "shell/page.h"

#include <array>

#include "profile/ini_document.h"
#include "profile/profile_keys.h"
#include "shell/next_input.h"
#include "shell/shell_dialogs.h"
#include "shell/shell_ids.h"

namespace quillon {

using namespace platform;

namespace {

// The charge monitor and the call log keep nothing in a profile.
constexpr std::array<PageInfo, kPageCount> kPages = {{
    {802, 826, profile::kMsnSection},
    {804, 828, profile::kAcceptanceSection},
    {806, 830, profile::kShortDialSection},
    {808, 832, profile::kForwardingSection},
    {810, 834, profile::kFilterSection},
    {812, 812, profile::kDataSection},
    {814, 814, profile::kLcrSection},
    {816, 836, nullptr},
    {818, 838, profile::kTimerSection},
    {820, 840, nullptr},
}};

} // namespace

const PageInfo& page_info(int index) { return kPages.at(static_cast<std::size_t>(index)); }

Page::Page(ShellContext& shell, Window& mainWindow, int index)
    : Window(shell.ui, &mainWindow), shell_(shell), main_(mainWindow), index_(index)
{
}

void Page::build()
{
    const PageInfo& info = page_info(index_);
    const int dialog = shell_.state.smaller_model() ? info.smallerDialog : info.largerDialog;
    create(shell_.dialog_id(dialog), WindowRole::Page);
    set_menu(ids::kMenuBase + shell_.state.language);
    set_common_texts();
    hidden_ = true;
    show(false);
    on_built();
}

intptr_t Page::on_message(const Message& m)
{
    switch (m.id) {
    case UWM_READ_DEVICE: {
        WaitCursor wait(shell_.ui);
        read_device();
        read_ = true;
        if (int first = first_input())
            set_focus(first);
        return 1;
    }
    case UWM_CLOSE_PAGE:
        destroy();
        return 1;
    case UWM_PAGE_HIDE:
        hidden_ = true;
        show(false);
        return 1;
    case UWM_PAGE_SHOW:
        hidden_ = false;
        refresh();
        if (int first = first_input())
            set_focus(first);
        return 1;
    case UWM_SET_LANGUAGE:
        set_language();
        return 1;
    case UWM_LOAD_PROFILE:
        if (m.lparam) {
            const auto* load = reinterpret_cast<const ProfileLoad*>(m.lparam);
            load_profile(load->document, load->report);
        } else {
            // Without a profile sequence around it: the page's own file and report.
            ValueReport report;
            load_profile(profile::IniDocument::open(shell_.state.profile_path(static_cast<int>(m.wparam))), report);
            report.tell(shell_, this, ids::kProfileValuesNotSent);
        }
        return 1;
    case UWM_SAVE_PROFILE: {
        if (m.lparam) {
            save_profile(*reinterpret_cast<profile::IniDocument*>(m.lparam));
            return 1;
        }
        const std::string& path = shell_.state.profile_path(static_cast<int>(m.wparam));
        profile::IniDocument document = profile::IniDocument::open(path);
        save_profile(document);
        return document.commit().ok ? 1 : 0;
    }
    case UWM_PAUSE_POLLING:
        pause_polling(m.wparam != 0);
        return 1;
    case UWM_QUERY_LEAVE:
        return leave_check() ? 1 : 0;
    case UWM_FOLLOW_PAGE:
        return 1;  // the page lies inside the main window: nothing to follow
    case UWM_CONTROL_CLICK:
        on_control_click(static_cast<int>(m.wparam));
        return 1;
    default:
        return Window::on_message(m);
    }
}

void Page::set_language()
{
    set_menu(ids::kMenuBase + shell_.state.language);
    set_common_texts();
    relabel();
    repaint();
}

void Page::on_command(int id, int code)
{
    if (code != BN_CLICKED)
        return;
    if (is_page_command(id)) {
        if (id != ID_PAGE_FIRST + index_)
            leave_for(id);
        return;
    }
    switch (id) {
    case ID_SEND:
        shell_.beep_if_sound();
        send_changes();
        break;
    case ID_QUIT:
        leave_for(ID_QUIT);
        break;
    case ID_HELP:
        show_help(shell_, this, ids::kPageHelpTextBase + 5 * index_, ids::kPageCaptionBase + 5 * index_);
        break;
    default:
        break;
    }
}

// A page takes only its own page commands from the posted ones; the rest go
// on to the main window.
bool Page::pre_translate(const Message& m)
{
    if (m.id != WM_COMMAND || !is_page_command(command_id(m.wparam)))
        return false;
    const int id = command_id(m.wparam);
    if (id != ID_PAGE_FIRST + index_)
        leave_for(id);
    return true;
}

void Page::leave_for(int command)
{
    if (!leave_check())
        return;
    store_controls();
    hidden_ = true;
    show(false);
    shell_.ui.post_command(main_, command);
}

void Page::send_changes()
{
    store_controls();
    ValueReport report;
    send_to_device(report);
    report.tell(shell_, this, ids::kSendNotAccepted);
}

void Page::update_caption()
{
    std::string caption = shell_.text(ids::kPageCaptionBase + 5 * index_);
    if (shell_.state.deviceLost)
        caption += " \u2013 " + shell_.text(ids::kNotConnected);
    set_caption(caption);
}

void Page::set_common_texts()
{
    update_caption();
    set_text(ID_SEND, shell_.text(ids::kSendButton));
    if (has_control(ids::kPageMessage))
        set_text(ids::kPageMessage, shell_.text(ids::kPageUnderConstruction));
}

bool Page::leave_check()
{
    store_controls();
    if (!changed())
        return true;
    switch (run_discard_dialog(shell_, this)) {
    case ID_STAY:
        return false;
    case ID_SEND:
        send_changes();
        return true;
    case ID_DISCARD:
        discard_changes();
        repaint();
        return true;
    default:
        return true;  // closed: leave without sending or discarding
    }
}

bool Page::on_key(Key key)
{
    if (key == Key::Escape)
        return true;
    confirm_field();
    return true;
}

void Page::confirm_field()
{
    store_controls();
    focus_next_input(*this);
}

void Page::on_close() { leave_for(ID_QUIT); }

} // namespace quillon
