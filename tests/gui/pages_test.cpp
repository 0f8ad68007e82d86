// The main window with its pages: one page shown, the page buttons and the
// menu acting through it, sizes, captions, and destruction.
#include <QApplication>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>

#include "gui/tab_button.h"
#include "gui/window_frames.h"
#include "gui_fixture.h"

namespace quillon::gui::test {
namespace {

using platform::ID_PAGE_FIRST;
using resources::Menu;
using resources::MenuItem;

Menu file_menu(const std::string& popup, const std::string& item)
{
    MenuItem quit{MenuItem::Kind::Command, platform::ID_QUIT, item, {}};
    MenuItem separator{MenuItem::Kind::Separator, 0, "", {}};
    MenuItem monitor{MenuItem::Kind::Command, platform::ID_MONITOR, "Monitor &Mode", {}};
    return Menu{700, {MenuItem{MenuItem::Kind::Popup, 0, popup, {monitor, separator, quit}}}};
}

class PagesTest : public GuiTest {
protected:
    void SetUp() override { build_main_and_pages(); }

    MainFrame* frame() const { return static_cast<MainFrame*>(backend.window_widget(*main)); }
    QAction* menu_action(int index) const
    {
        QMenu* first = frame()->menuBar()->actions().value(0)->menu();
        return first ? first->actions().value(index) : nullptr;
    }
};

TEST_F(PagesTest, OnePageIsShownAtATime)
{
    EXPECT_FALSE(page->shown());
    EXPECT_FALSE(smallPage->shown());
    page->show();
    EXPECT_TRUE(page->shown());
    smallPage->show();
    EXPECT_TRUE(smallPage->shown());
    EXPECT_FALSE(page->shown());
    smallPage->show(false);
    EXPECT_FALSE(smallPage->shown());
    EXPECT_FALSE(page->shown());
}

TEST_F(PagesTest, MainWindowHoldsButtonRowAndLargestPage)
{
    const QWidget* pageWidget = backend.window_widget(*page);
    const QWidget* pageArea = frame()->page_area();
    EXPECT_EQ(pageWidget->parentWidget(), pageArea);
    EXPECT_EQ(pageArea->y(), 37) << "the page area starts below the page buttons";
    EXPECT_EQ(frame()->control_area()->width(), pageWidget->width());
    EXPECT_EQ(frame()->control_area()->height(), 37 + pageWidget->height());
    // Buttons moved past the page's width widen the window.
    main->backend().set_control_rect(*main, ID_PAGE_FIRST + 1, {700, 0, 111, 37});
    EXPECT_EQ(frame()->control_area()->width(), 811);
}

TEST_F(PagesTest, PageButtonClicksArePostedToTheShownPage)
{
    auto* tab = widget<TabButton>(*main, ID_PAGE_FIRST + 1);
    tab->click();
    ASSERT_TRUE(ui.has_posted()) << "posted, not sent";
    EXPECT_TRUE(main->messages.empty());
    ui.pump();
    EXPECT_EQ(main->commands(), (std::vector<std::pair<int, int>>{{ID_PAGE_FIRST + 1, 0}})) << "no page shown yet";

    page->show();
    tab->click();
    ui.pump();
    EXPECT_EQ(page->commands(), (std::vector<std::pair<int, int>>{{ID_PAGE_FIRST + 1, 0}}));
    EXPECT_EQ(main->commands().size(), 1u);
}

TEST_F(PagesTest, MenuCommandsArePostedToTheShownPage)
{
    const Menu english = file_menu("&File", "&Quit");
    backend.set_menu(*main, &english);
    ASSERT_NE(menu_action(2), nullptr);
    EXPECT_EQ(frame()->menuBar()->actions().value(0)->text(), "&File") << "mnemonics kept";
    EXPECT_TRUE(menu_action(1)->isSeparator());

    smallPage->show();
    menu_action(2)->trigger();
    EXPECT_TRUE(smallPage->messages.empty());
    ui.pump();
    EXPECT_EQ(smallPage->commands(), (std::vector<std::pair<int, int>>{{platform::ID_QUIT, 0}}));
}

TEST_F(PagesTest, ShownPageLendsItsMenuAndCaption)
{
    const Menu english = file_menu("&File", "&Quit");
    const Menu german = file_menu("&Datei", "&Beenden");
    backend.set_menu(*main, &english);
    backend.set_menu(*page, &german);
    main->set_caption("VornISDN Quillon");
    EXPECT_EQ(frame()->menuBar()->actions().value(0)->text(), "&File");

    page->show();
    EXPECT_EQ(frame()->menuBar()->actions().value(0)->text(), "&Datei");
    EXPECT_EQ(frame()->windowTitle(), "MSN assignment");
    page->set_caption("Rufnummern");
    EXPECT_EQ(frame()->windowTitle(), "Rufnummern");

    page->destroy();
    EXPECT_EQ(frame()->menuBar()->actions().value(0)->text(), "&File");
    EXPECT_EQ(frame()->windowTitle(), "VornISDN Quillon");
}

TEST_F(PagesTest, GreyedOutCommandsCannotBeChosen)
{
    const Menu english = file_menu("&File", "&Quit");
    backend.set_menu(*main, &english);
    backend.enable_menu_command(*main, platform::ID_MONITOR, false);
    EXPECT_FALSE(menu_action(0)->isEnabled());
    EXPECT_TRUE(menu_action(2)->isEnabled());
    menu_action(0)->trigger();
    ui.pump();
    EXPECT_TRUE(main->messages.empty());

    // The state outlives a new menu (a language change).
    const Menu german = file_menu("&Datei", "&Beenden");
    backend.set_menu(*main, &german);
    EXPECT_FALSE(menu_action(0)->isEnabled());
    backend.enable_menu_command(*main, platform::ID_MONITOR, true);
    EXPECT_TRUE(menu_action(0)->isEnabled());
}

TEST_F(PagesTest, DestroyedPageLeavesTheMainWindow)
{
    const int before = frame()->control_area()->height();
    page->show();
    page->destroy();
    EXPECT_LT(frame()->control_area()->height(), before) << "sized for the remaining page";
    widget<TabButton>(*main, ID_PAGE_FIRST)->click();
    ui.pump();
    EXPECT_EQ(main->commands().size(), 1u) << "with no page shown the main window gets the command";
}

TEST_F(PagesTest, CloseBoxAsksTheLogic)
{
    main->show();
    frame()->close();
    EXPECT_TRUE(main->shown()) << "the logic decides";
    ASSERT_EQ(main->messages.size(), 1u);
    EXPECT_EQ(main->messages[0].id, platform::WM_CLOSE);
}

TEST_F(PagesTest, ScreenshotOfMainWindowWithItsPage)
{
    page->show();
    main->set_check(ID_PAGE_FIRST, 1);
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string path = dir.filePath("main.png").toStdString();
    ASSERT_TRUE(backend.screenshot(*main, path));
    const QImage image(QString::fromStdString(path));
    ASSERT_FALSE(image.isNull());
    EXPECT_GE(image.height(), 37 + backend.window_widget(*page)->height());
    // A selected page button reaches down to its page: grey where one not
    // selected shows its light strip.
    const QPoint selectedBottom = frame()->control_area()->mapTo(frame(), QPoint(25, 33));
    const QPoint otherBottom = frame()->control_area()->mapTo(frame(), QPoint(48 + 25, 33));
    EXPECT_EQ(image.pixelColor(selectedBottom), QColor(128, 128, 128));
    EXPECT_EQ(image.pixelColor(otherBottom), QColor(240, 240, 240));
    EXPECT_FALSE(backend.screenshot(*main, dir.filePath("missing/dir/x.png").toStdString()));
}

} // namespace
} // namespace quillon::gui::test
