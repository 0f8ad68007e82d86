// What the user does reaches the window as exactly the expected messages.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include "gui/list_selector.h"
#include "gui/picture_widgets.h"
#include "gui_fixture.h"

namespace quillon::gui::test {
namespace {

using platform::BN_CLICKED;
using platform::CBN_SELCHANGE;
using platform::EN_CHANGE;
using platform::EN_KILLFOCUS;
using Commands = std::vector<std::pair<int, int>>;

void lose_focus(QWidget* target, Qt::FocusReason reason)
{
    QFocusEvent out(QEvent::FocusOut, reason);
    QApplication::sendEvent(target, &out);
}

class NotificationsTest : public GuiTest {
protected:
    void SetUp() override { build_main_and_pages(); }
};

TEST_F(NotificationsTest, ButtonsNotifyClicks)
{
    widget<QPushButton>(*page, kSend)->click();
    widget<QCheckBox>(*page, kSoundCheck)->click();
    widget<QRadioButton>(*page, kRadioB)->click();
    widget<PictureButton>(*page, kCreditsButton)->click();
    EXPECT_EQ(page->commands(),
              (Commands{{kSend, BN_CLICKED}, {kSoundCheck, BN_CLICKED}, {kRadioB, BN_CLICKED}, {kCreditsButton, BN_CLICKED}}));
    EXPECT_EQ(page->check(kSoundCheck), 1);
    EXPECT_EQ(page->check(kRadioB), 1);
}

TEST_F(NotificationsTest, HelpButtonSendsTheHelpCommand)
{
    widget<PictureButton>(*page, kHelp)->click();
    EXPECT_EQ(page->commands(), (Commands{{platform::ID_HELP, BN_CLICKED}}));
}

TEST_F(NotificationsTest, TypingNotifiesChangesWithinLimits)
{
    auto* name = widget<QLineEdit>(*page, kNameEdit);
    for (QChar c : QString("Annabel"))
        type(name, Qt::Key_A, c);
    EXPECT_EQ(page->text(kNameEdit), "Annab") << "LIMIT 5";
    auto* number = widget<QLineEdit>(*page, kNumberEdit);
    type(number, Qt::Key_4, "4");
    type(number, Qt::Key_X, "x");
    EXPECT_EQ(page->text(kNumberEdit), "4") << "NUMBER takes digits only";
    type(widget<QPlainTextEdit>(*page, kNotesEdit), Qt::Key_N, "n");
    Commands expected(5, {kNameEdit, EN_CHANGE});
    expected.insert(expected.end(), {{kNumberEdit, EN_CHANGE}, {kNotesEdit, EN_CHANGE}});
    EXPECT_EQ(page->commands(), expected);
}

TEST_F(NotificationsTest, EditsLosingFocusNotifyButNotForMenus)
{
    lose_focus(widget<QLineEdit>(*page, kNameEdit), Qt::TabFocusReason);
    lose_focus(widget<QPlainTextEdit>(*page, kNotesEdit), Qt::MouseFocusReason);
    lose_focus(widget<QLineEdit>(*page, kNumberEdit), Qt::PopupFocusReason);
    lose_focus(widget<QCheckBox>(*page, kSoundCheck), Qt::TabFocusReason);
    EXPECT_EQ(page->commands(), (Commands{{kNameEdit, EN_KILLFOCUS}, {kNotesEdit, EN_KILLFOCUS}}));
}

TEST_F(NotificationsTest, PickingFromListsNotifies)
{
    page->set_items(kDropList, {"a", "b"});
    page->set_items(kList, {"a", "b"});
    widget<QComboBox>(*page, kDropList)->setCurrentIndex(1);  // as the user's pick does
    widget<QListWidget>(*page, kList)->setCurrentRow(0);
    EXPECT_EQ(page->commands(), (Commands{{kDropList, CBN_SELCHANGE}, {kList, platform::LBN_SELCHANGE}}));
}

TEST_F(NotificationsTest, SelectorPickSendsControlClick)
{
    page->set_items(kSelector, {"0 ring", "1 ring", "2 ring"});
    widget<ListSelector>(*page, kSelector)->pick(2);
    ASSERT_EQ(page->messages.size(), 1u);
    EXPECT_EQ(page->messages[0].id, platform::UWM_CONTROL_CLICK);
    EXPECT_EQ(page->messages[0].wparam, static_cast<uintptr_t>(kSelector));
    EXPECT_EQ(page->selection(kSelector), 2) << "selected before the window hears of it";
    widget<ListSelector>(*page, kSelector)->pick(3);
    EXPECT_EQ(page->messages.size(), 1u) << "no such entry";
}

TEST_F(NotificationsTest, PageKeysGoToTheLogicOnceBeforeTheControl)
{
    auto* name = widget<QLineEdit>(*page, kNameEdit);
    page->set_focus(kNameEdit);
    page->takeKeys = true;
    type(name, Qt::Key_Tab);
    type(name, Qt::Key_Return);
    page->takeKeys = false;
    type(name, Qt::Key_Escape);  // passed on: reaches the page widget next
    EXPECT_EQ(page->keys, (std::vector{platform::Key::Tab, platform::Key::Enter, platform::Key::Escape}));
    type(name, Qt::Key_A, "a");
    EXPECT_EQ(page->keys.size(), 3u) << "other keys are the control's";
    EXPECT_TRUE(main->keys.empty()) << "the main window does not look at keys";
}

TEST_F(NotificationsTest, WindowDestroyedByItsOwnButtonIsSafe)
{
    page->command_handler = [this](int, int) { page->destroy(); };
    widget<QPushButton>(*page, kSend)->click();
    EXPECT_FALSE(page->created());
    settle();
    EXPECT_EQ(backend.window_widget(*page), nullptr);
    EXPECT_EQ(page->commands().size(), 1u);
}

} // namespace
} // namespace quillon::gui::test
