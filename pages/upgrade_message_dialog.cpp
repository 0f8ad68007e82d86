#include "pages/upgrade_message_dialog.h"

#include "dialog_ids/upgrade_message_ids.h"
#include "shell/shell_ids.h"

namespace quillon {

using namespace platform;

namespace {

constexpr int kCaption = 8550;

class UpgradeMessageDialog : public Window {
public:
    UpgradeMessageDialog(ShellContext& shell, Window& owner) : Window(shell.ui, &owner)
    {
        create(shell.dialog_id(kUpgradeMessageDialog), WindowRole::Modal);
    }
    void on_command(int id, int code) override
    {
        if (code == BN_CLICKED && (id == IDOK || id == IDCANCEL))
            end_modal(IDOK);
    }
    void on_close() override { end_modal(IDOK); }
};

} // namespace

void show_upgrade_message(ShellContext& shell, Window& owner, int textBase)
{
    UpgradeMessageDialog dialog(shell, owner);
    dialog.set_caption(shell.text(kCaption));
    dialog.set_text(dialog_ids::upgrade_message::kMessageText, shell.text(textBase));
    dialog.set_text(IDOK, shell.text(ids::kOk));
    dialog.run_modal();
}

} // namespace quillon
