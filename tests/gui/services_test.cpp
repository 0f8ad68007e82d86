// Timers, the posted-message wake-up, the wait cursor and the user
// dialogs.
#include <QApplication>
#include <QAbstractButton>
#include <QEventLoop>
#include <QMessageBox>
#include <QTimer>

#include "gui/user_dialogs.h"
#include "gui_fixture.h"

namespace quillon::gui::test {
namespace {

using platform::WM_TIMER;

// Generous: the tests wait for events, not for speed.
constexpr int kPatienceMs = 10000;

// Runs the event loop until `done` holds or patience runs out.
bool run_until(const std::function<bool()>& done)
{
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done())
            loop.quit();
    });
    poll.start(1);
    QTimer::singleShot(kPatienceMs, &loop, &QEventLoop::quit);
    loop.exec();
    return done();
}

int timer_ticks(const RecordingWindow& w, uintptr_t id)
{
    int ticks = 0;
    for (const auto& m : w.messages)
        ticks += m.id == WM_TIMER && m.wparam == id;
    return ticks;
}

class ServicesTest : public GuiTest {
protected:
    void SetUp() override { build_main_and_pages(); }
};

TEST_F(ServicesTest, TimersDeliverTicksUntilStopped)
{
    page->set_timer(7, 10);
    ASSERT_TRUE(run_until([this] { return timer_ticks(*page, 7) >= 2; }));
    page->kill_timer(7);
    page->kill_timer(99);  // never started: harmless
    const int ticks = timer_ticks(*page, 7);
    main->set_timer(1, 10);
    ASSERT_TRUE(run_until([this] { return timer_ticks(*main, 1) >= 3; }));
    EXPECT_EQ(timer_ticks(*page, 7), ticks) << "a stopped timer stays quiet";
}

TEST_F(ServicesTest, DestroyingAWindowStopsItsTimers)
{
    page->set_timer(3, 10);
    smallPage->set_timer(3, 10);
    page->destroy();
    const auto before = page->messages.size();
    ASSERT_TRUE(run_until([this] { return timer_ticks(*smallPage, 3) >= 3; }));
    EXPECT_EQ(page->messages.size(), before);
    // The window object itself goes while its timer would run.
    smallPage.reset();
    main->set_timer(4, 10);
    ASSERT_TRUE(run_until([this] { return timer_ticks(*main, 4) >= 2; }));
}

TEST_F(ServicesTest, PostedMessagesAreDeliveredByTheEventLoop)
{
    ui.post_command(*page, 11);
    ui.post_command(*page, 12);
    ASSERT_TRUE(run_until([this] { return page->commands().size() == 2; }));
    EXPECT_EQ(page->commands().front().first, 11);
    EXPECT_FALSE(ui.has_posted());
}

TEST_F(ServicesTest, RepaintKeepsPostedMessagesForLater)
{
    main->show();
    ui.post_command(*main, 21);
    main->repaint();
    EXPECT_TRUE(main->messages.empty()) << "nothing runs inside a repaint";
    ASSERT_TRUE(run_until([this] { return main->commands().size() == 1; }));
}

TEST_F(ServicesTest, WaitCursorNests)
{
    backend.set_wait_cursor(true);
    backend.set_wait_cursor(true);
    backend.set_wait_cursor(false);
    EXPECT_NE(QGuiApplication::overrideCursor(), nullptr);
    backend.set_wait_cursor(false);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    backend.set_wait_cursor(false);  // one too many: ignored
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

// Presses a button of the message box once it is up.
void answer_message_box(QMessageBox::StandardButton button)
{
    QTimer::singleShot(0, qApp, [button] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
            box->button(button)->click();
    });
}

TEST_F(ServicesTest, MessageBoxAnswers)
{
    answer_message_box(QMessageBox::Yes);
    EXPECT_EQ(ui.message_box(page.get(), "Discard?", "Quillon", platform::MessageBoxButtons::YesNo,
                             platform::MessageBoxIcon::Question),
              platform::IDYES);
    answer_message_box(QMessageBox::Cancel);
    EXPECT_EQ(ui.message_box(nullptr, "Go on?", "Quillon", platform::MessageBoxButtons::OkCancel),
              platform::IDCANCEL);
    // Closed without a button: the negative answer.
    EXPECT_EQ(message_box_answer(QMessageBox::NoButton, platform::MessageBoxButtons::YesNo), platform::IDNO);
    EXPECT_EQ(message_box_answer(QMessageBox::NoButton, platform::MessageBoxButtons::Ok), platform::IDOK);
}

TEST(DefaultExtension, AddedOnlyToNamesWithout)
{
    EXPECT_EQ(with_default_extension("/home/a/office", "pro"), "/home/a/office.pro");
    EXPECT_EQ(with_default_extension("/home/a/office", ".pro"), "/home/a/office.pro");
    EXPECT_EQ(with_default_extension("/home/a/office.ini", "pro"), "/home/a/office.ini");
    EXPECT_EQ(with_default_extension("/home/a.b/office", "pro"), "/home/a.b/office.pro") << "dots of folders do not count";
    EXPECT_EQ(with_default_extension("/home/a/", "pro"), "/home/a/");
    EXPECT_EQ(with_default_extension("office", ""), "office");
}

} // namespace
} // namespace quillon::gui::test
