#include "gui/menu_builder.h"

#include <QMenu>

namespace quillon::gui {
namespace {

using resources::MenuItem;

// QMenuBar and QMenu both take actions, separators and sub-menus.
template <typename Container>
void add_items(Container& container, const std::vector<MenuItem>& items, const std::function<void(int)>& onCommand,
               int depth);

// Menus nest a handful deep; a resource that nests deeper is cut off
// rather than recursing without bound.
constexpr int kMaxMenuDepth = 16;

template <typename Container>
void add_item(Container& container, const MenuItem& item, const std::function<void(int)>& onCommand, int depth)
{
    const QString caption = QString::fromStdString(item.caption);
    switch (item.kind) {
    case MenuItem::Kind::Popup:
        if (depth < kMaxMenuDepth)
            add_items(*container.addMenu(caption), item.children, onCommand, depth + 1);
        break;
    case MenuItem::Kind::Separator:
        container.addSeparator();
        break;
    case MenuItem::Kind::Command: {
        QAction* action = container.addAction(caption);
        action->setData(item.id);
        QObject::connect(action, &QAction::triggered, &container, [onCommand, id = item.id] { onCommand(id); });
        break;
    }
    }
}

template <typename Container>
void add_items(Container& container, const std::vector<MenuItem>& items, const std::function<void(int)>& onCommand,
               int depth)
{
    for (const MenuItem& item : items)
        add_item(container, item, onCommand, depth);
}

void enable_actions(const QList<QAction*>& actions, const std::function<bool(int)>& enabled)
{
    for (QAction* action : actions) {
        if (QMenu* popup = action->menu())
            enable_actions(popup->actions(), enabled);
        else if (action->data().isValid())
            action->setEnabled(enabled(action->data().toInt()));
    }
}

} // namespace

void fill_menu_bar(QMenuBar& bar, const resources::Menu* menu, const std::function<void(int)>& onCommand)
{
    // clear() drops the bar's actions but leaves its menus alive.
    const auto oldMenus = bar.findChildren<QMenu*>(Qt::FindDirectChildrenOnly);
    bar.clear();
    for (QMenu* old : oldMenus)
        old->deleteLater();
    if (menu)
        add_items(bar, menu->items, onCommand, 0);
}


void enable_menu_commands(QMenuBar& bar, const std::function<bool(int)>& enabled)
{
    enable_actions(bar.actions(), enabled);
}

} // namespace quillon::gui
