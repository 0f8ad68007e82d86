// Where the caret goes when a field gets the focus, and which part of a
// long text a field shows.
#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>

#include "gui_fixture.h"

namespace quillon::gui::test {
namespace {

using platform::Key;

// A click as the window system delivers it: the focus first, then the
// button (events sent from here are not the window system's own, which
// alone move the focus).
void click_at(QWidget* target, QPoint at)
{
    target->setFocus(Qt::MouseFocusReason);
    const QPointF local(at);
    const QPointF global(target->mapToGlobal(at));
    QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(target, &release);
}

class FieldFocusTest : public GuiTest {
protected:
    void SetUp() override
    {
        build_main_and_pages();
        page->show();
        main->show();
        QApplication::setActiveWindow(backend.window_widget(*main));
        page->set_text(kNameEdit, "Anna");
        page->set_text(kNumberEdit, "4711001");
    }
    QLineEdit* name() const { return widget<QLineEdit>(*page, kNameEdit); }
    QLineEdit* number() const { return widget<QLineEdit>(*page, kNumberEdit); }
};

TEST_F(FieldFocusTest, AFieldTheProgramMovesToIsSelectedWholeSoTypingReplacesIt)
{
    page->set_focus(kNumberEdit);
    EXPECT_EQ(number()->selectedText(), "4711001");
    type(number(), Qt::Key_7, "7");
    EXPECT_EQ(number()->text(), "7") << "not 47110017";

    // Moved to again while it has the focus already (a refused entry put back).
    page->set_text(kNumberEdit, "4711001");
    page->set_focus(kNumberEdit);
    EXPECT_EQ(number()->selectedText(), "4711001");
}

TEST_F(FieldFocusTest, EnterAndTabMoveThroughTheLogicToASelectedField)
{
    // The logic stores the field and moves on, as pages and dialogs do.
    page->key_handler = [this](Key) {
        page->set_focus(page->focus() == kNameEdit ? kNumberEdit : kNameEdit);
        return true;
    };
    page->set_focus(kNameEdit);
    type(name(), Qt::Key_Return);
    ASSERT_EQ(page->focus(), kNumberEdit);
    EXPECT_EQ(number()->selectedText(), "4711001");
    type(number(), Qt::Key_Tab);
    ASSERT_EQ(page->focus(), kNameEdit);
    EXPECT_EQ(name()->selectedText(), "Anna");
    type(name(), Qt::Key_B, "B");
    EXPECT_EQ(name()->text(), "B");

    // Tab the logic leaves alone moves on the usual way, selecting too.
    page->key_handler = nullptr;
    number()->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(number()->selectedText(), "4711001");
}

TEST_F(FieldFocusTest, AMouseClickKeepsTheCaretWhereTheClickWas)
{
    page->set_focus(kNameEdit);
    // Between the second and the third digit.
    const QMargins margins = number()->textMargins();
    const QFontMetrics metrics(number()->font());
    const int x = number()->rect().left() + margins.left() + 2 + metrics.horizontalAdvance("47") + 1;
    click_at(number(), QPoint(x, number()->height() / 2));
    ASSERT_EQ(page->focus(), kNumberEdit);
    EXPECT_TRUE(number()->selectedText().isEmpty());
    EXPECT_GT(number()->cursorPosition(), 0);
    EXPECT_LT(number()->cursorPosition(), 7);
}

TEST_F(FieldFocusTest, AFieldWithoutTheFocusShowsTheStartOfALongText)
{
    const std::string longNumber = "0123456789012345678901234567890123456789";
    page->set_focus(kNameEdit);
    page->set_text(kNumberEdit, longNumber);
    EXPECT_EQ(number()->cursorPosition(), 0) << "set by the program";

    // Left after typing at its end: back to the start.
    page->set_focus(kNumberEdit);
    number()->end(false);
    page->set_focus(kNameEdit);
    EXPECT_EQ(number()->cursorPosition(), 0);

    // Set to what the user is typing: the caret stays where the typing goes on.
    page->set_focus(kNumberEdit);
    number()->end(false);
    type(number(), Qt::Key_5, "5");
    page->set_text(kNumberEdit, longNumber + "5");
    EXPECT_EQ(number()->cursorPosition(), static_cast<int>(longNumber.size()) + 1);
}

} // namespace
} // namespace quillon::gui::test
