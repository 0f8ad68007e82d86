#include "shell/shell_dialogs.h"

#include "dialog_ids/credits_ids.h"
#include "dialog_ids/discard_ids.h"
#include "dialog_ids/help_ids.h"
#include "shell/port_hints.h"
#include "shell/shell_ids.h"

namespace quillon {

using platform::WindowRole;

namespace {

// A modal dialog whose push buttons end it with their own id.
class ButtonDialog : public platform::Window {
public:
    ButtonDialog(ShellContext& shell, platform::Window* owner, int dialogId, bool beepOnButtons)
        : Window(shell.ui, owner), shell_(shell), beep_(beepOnButtons)
    {
        create(shell.dialog_id(dialogId), WindowRole::Modal);
    }
    void on_command(int id, int code) override
    {
        const resources::ControlTemplate* control = dialog_template() ? dialog_template()->control(id) : nullptr;
        const bool button = control && control->kind == resources::ControlKind::PushButton;
        if (code != platform::BN_CLICKED || !button)
            return;  // a click on a picture or text ends nothing
        if (beep_)
            shell_.beep_if_sound();
        end_modal(id);
    }
    void on_close() override { end_modal(platform::IDCANCEL); }

protected:
    ShellContext& shell_;

private:
    bool beep_;
};

} // namespace

int run_no_response_dialog(ShellContext& shell, platform::Window* owner)
{
    using namespace dialog_ids::no_response;
    ButtonDialog d(shell, owner, ids::kNoResponseDialog, false);
    d.set_caption(shell.text(ids::kCheckAllCables));
    d.set_text(kWarningPlace, std::to_string(ids::kWarningPicture));
    d.set_text(kNoResponseTextPlace, shell.text(ids::kNoResponseText));
    d.set_text(kNoResponseHintsPlace, no_device_hints(shell, q30::probe_com_ports()));
    d.set_text(kTryAgainButton, shell.text(ids::kTryAgain));
    d.set_text(kQuitButton, shell.text(ids::kQuitApplication));
    return d.run_modal();
}

int run_discard_dialog(ShellContext& shell, platform::Window* owner)
{
    ButtonDialog d(shell, owner, ids::kDiscardDialog, true);
    d.set_caption(shell.ui.text(ids::kProgramTitle));
    d.set_text(dialog_ids::discard::kWarningPlace, std::to_string(ids::kWarningPicture));
    d.set_text(dialog_ids::discard::kDiscardTextPlace, shell.text(ids::kDiscardQuestion));
    d.set_text(platform::ID_DISCARD, shell.text(ids::kDiscardChanges));
    d.set_text(platform::ID_STAY, shell.text(ids::kCancel));
    d.set_text(platform::ID_SEND, shell.text(ids::kSendButton));
    return d.run_modal();
}

void show_help(ShellContext& shell, platform::Window* owner, int textBase, int titleBase)
{
    shell.beep_if_sound();
    ButtonDialog d(shell, owner, ids::kHelpDialog, false);
    d.set_caption(shell.text(ids::kHelpCaptionPrefix) + " " + shell.text(titleBase));
    d.set_text(dialog_ids::help::kHelpTextPlace, shell.text(textBase));
    d.set_text(platform::IDOK, shell.text(ids::kOk));
    d.run_modal();
}

namespace {

// The splash and About window fit their picture: 8 px beside it, 7 above and
// below; in About mode 20 px more hold the credits button.
void fit_to_picture(platform::Window& w, bool aboutMode)
{
    constexpr int kLeft = 8, kTop = 7, kAboutExtra = 20;
    constexpr int width = ids::kAboutPictureWidth + 2 * kLeft;
    const int height = ids::kAboutPictureHeight + 2 * kTop + (aboutMode ? kAboutExtra : 0);
    w.set_control_rect(dialog_ids::about::kAboutPicture,
                       {kLeft, kTop, ids::kAboutPictureWidth, ids::kAboutPictureHeight});
    w.set_control_rect(dialog_ids::about::kCreditsButton, {220, 351, 80, 18});
    w.set_control_rect(dialog_ids::about::kVersionText, {kLeft, 354, 200, 14});
    w.set_client_size(width, height);
}

void show_credits(ShellContext& shell, platform::Window* owner)
{
    ButtonDialog d(shell, owner, ids::kCreditsDialog, false);
    d.set_caption(shell.text(ids::kCreditsCaption));
    using namespace dialog_ids::credits;
    constexpr int kBlockCount = 4;  // a row of texts from the first
    static_assert(kCopyrightBlock == kProgramBlock + kBlockCount - 1);
    for (int i = 0; i < kBlockCount; ++i)
        d.set_text(kProgramBlock + i, shell.text(ids::kCreditsBlockBase + 5 * i));
    d.set_text(platform::IDOK, shell.text(ids::kOk));
    d.run_modal();
}

class AboutWindow : public platform::Window {
public:
    AboutWindow(ShellContext& shell, platform::Window* owner) : Window(shell.ui, owner), shell_(shell)
    {
        create(ids::kSplashDialog, WindowRole::Modal);
        set_caption(shell.ui.text(ids::kProgramTitle));
        fit_to_picture(*this, true);
        set_visible(dialog_ids::about::kCreditsButton, true);
        set_text(dialog_ids::about::kVersionText, "Version " QUILLON_VERSION);
        set_visible(dialog_ids::about::kVersionText, true);
    }
    void on_command(int id, int) override
    {
        if (id == dialog_ids::about::kCreditsButton)
            show_credits(shell_, this);
        end_modal(platform::IDOK);  // any click closes it
    }
    void on_close() override { end_modal(platform::IDCANCEL); }

private:
    ShellContext& shell_;
};

} // namespace

void show_about(ShellContext& shell, platform::Window* owner)
{
    AboutWindow about(shell, owner);
    about.run_modal();
}

SplashWindow::SplashWindow(ShellContext& shell) : Window(shell.ui, nullptr)
{
    create(ids::kSplashDialog, WindowRole::Modeless);
    set_caption(shell.ui.text(ids::kProgramTitle));
    fit_to_picture(*this, false);
    // The credits button belongs to the About mode only.
    set_visible(dialog_ids::about::kCreditsButton, false);
    show(true);
    repaint();
}

} // namespace quillon
