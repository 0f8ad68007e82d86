#include "gui/page_shortcuts.h"

#include <QKeySequence>
#include <QShortcut>
#include <QWidget>

namespace quillon::gui {

void install_page_shortcuts(QWidget& window, const std::function<void(int step)>& turn)
{
    // Shift+Tab reaches the program as Backtab, with or without Shift.
    const QKeySequence next[] = {QKeySequence(Qt::CTRL | Qt::Key_Tab), QKeySequence(Qt::CTRL | Qt::Key_PageDown)};
    const QKeySequence previous[] = {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab),
                                     QKeySequence(Qt::CTRL | Qt::Key_Backtab),
                                     QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab),
                                     QKeySequence(Qt::CTRL | Qt::Key_PageUp)};
    auto add = [&](const QKeySequence& keys, int step) {
        auto* shortcut = new QShortcut(keys, &window);
        shortcut->setContext(Qt::WindowShortcut);
        QObject::connect(shortcut, &QShortcut::activated, &window, [turn, step] { turn(step); });
        // The window system may offer one key press as several of these
        // sequences (Shift+Tab as Backtab with and without Shift); Qt then
        // calls that ambiguous and tells just one of them.
        QObject::connect(shortcut, &QShortcut::activatedAmbiguously, &window, [turn, step] { turn(step); });
    };
    for (const QKeySequence& keys : next)
        add(keys, 1);
    for (const QKeySequence& keys : previous)
        add(keys, -1);
}

int page_after(int current, int step, int count)
{
    if (count <= 0)
        return -1;
    if (current < 0 || current >= count)
        return step > 0 ? 0 : count - 1;
    return ((current + step) % count + count) % count;
}

} // namespace quillon::gui
