#include "shell/progress_window.h"

#include "dialog_ids/progress_ids.h"
#include "shell/shell_ids.h"

namespace quillon {

using namespace platform;

ProgressWindow::ProgressWindow(ShellContext& shell, Window& owner) : Window(shell.ui, &owner), shell_(shell)
{
    create(kDialog, WindowRole::Modeless);
    set_caption(shell.ui.text(ids::kProgressTitle));
    show(true);
}

void ProgressWindow::set_line(const std::string& text)
{
    set_text(dialog_ids::progress::kTextLine, text);
    repaint();
}

void ProgressWindow::set_position(int position, int range)
{
    set_progress(dialog_ids::progress::kBar, position, range);
    repaint();
}

void ProgressWindow::start_clock(int rangeMs)
{
    startMs_ = shell_.ui.now_ms();
    rangeMs_ = rangeMs;
    set_position(0, rangeMs_);
}

void ProgressWindow::tick()
{
    if (rangeMs_ > 0)
        set_position(static_cast<int>(shell_.ui.now_ms() - startMs_), rangeMs_);
}

} // namespace quillon
