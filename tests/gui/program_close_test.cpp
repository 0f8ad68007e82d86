// The program window's close box with unsent edits, and Enter in its
// settings dialog, on the Qt backend against the emulated device.
#include <QApplication>
#include <QLineEdit>
#include <QPointer>

#include "dialog_ids/msn_ids.h"
#include "dialog_ids/settings_ids.h"
#include "gui/control_tags.h"
#include "gui_fixture.h"
#include "program_fixture.h"

namespace quillon::gui::test {
namespace {

using namespace quillon::platform;

constexpr int kPort11FirstMsn = dialog_ids::msn::kPort11Msn1Edit;
constexpr int kStillRunning = 42;
constexpr int kSettingsLocalCode = dialog_ids::settings::kLocalCodeEdit;
constexpr int kSettingsCancel = IDCANCEL;

class CloseBoxTest : public ProgramWindowTest {
protected:
    // Types a new first MSN of port 11 on the MSN page without sending it.
    void edit_first_msn(const QString& digits)
    {
        Page* msnPage = main_window().page(0);
        ASSERT_NE(msnPage, nullptr);
        msnPage->set_focus(kPort11FirstMsn);
        auto* edit = qobject_cast<QLineEdit*>(widget_of(*msnPage, kPort11FirstMsn));
        ASSERT_NE(edit, nullptr);
        edit->selectAll();
        for (QChar digit : digits)
            type(edit, static_cast<Qt::Key>(Qt::Key_0 + digit.digitValue()), QString(digit));
        ASSERT_EQ(edit->text(), digits);
    }

    // Closes the real frame inside the program's event loop: the loop's
    // result is 0 when the program ended, kStillRunning when it went on.
    int close_the_frame()
    {
        QTimer::singleShot(0, qApp, [this] {
            QPointer<QWidget> frame = backend->window_widget(main_window());
            if (frame)
                frame->close();
            if (main_window().created())
                QCoreApplication::exit(kStillRunning);
        });
        return QCoreApplication::exec();
    }

    // Answers the discard dialog with `button` once it is up.
    std::unique_ptr<NextModal> answer_discard_dialog(int button)
    {
        return std::make_unique<NextModal>([this, button](QWidget& dialog) {
            discardCaption = dialog.windowTitle().toStdString();
            discardHadItsButtons = tagged_child(dialog, ID_DISCARD) && tagged_child(dialog, ID_STAY) &&
                                   tagged_child(dialog, ID_SEND);
            click_button(dialog, button);
        });
    }

    std::string discardCaption;
    bool discardHadItsButtons = false;
};

TEST_F(CloseBoxTest, CancelStaysWithTheEditsAndSendSendsThenEnds)
{
    const std::string before = device_msn(11, 0);
    ASSERT_NE(before, "4711099");
    edit_first_msn("4711099");

    auto cancel = answer_discard_dialog(ID_STAY);
    EXPECT_EQ(close_the_frame(), kStillRunning);
    EXPECT_TRUE(cancel->seen()) << "the close box asks first";
    EXPECT_TRUE(discardHadItsButtons);
    EXPECT_TRUE(main_window().shown());
    EXPECT_EQ(backend->text(*main_window().page(0), kPort11FirstMsn), "4711099") << "the edit stays";
    EXPECT_EQ(device_msn(11, 0), before) << "nothing sent";

    auto send = answer_discard_dialog(ID_SEND);
    EXPECT_EQ(close_the_frame(), 0) << "the program ended";
    EXPECT_TRUE(send->seen());
    EXPECT_FALSE(main_window().created());
    EXPECT_EQ(device_msn(11, 0), "4711099") << "sent before the end";
}

TEST_F(CloseBoxTest, DiscardEndsWithoutSending)
{
    const std::string before = device_msn(11, 0);
    edit_first_msn("4711002");
    auto discard = answer_discard_dialog(ID_DISCARD);
    EXPECT_EQ(close_the_frame(), 0);
    EXPECT_TRUE(discard->seen());
    EXPECT_FALSE(main_window().created());
    EXPECT_EQ(device_msn(11, 0), before);
}

TEST_F(CloseBoxTest, WithoutEditsTheCloseBoxEndsAtOnce)
{
    auto none = answer_discard_dialog(ID_STAY);
    EXPECT_EQ(close_the_frame(), 0);
    EXPECT_FALSE(none->seen()) << "nothing to discard, no question";
}

TEST_F(ProgramWindowTest, EnterInTheSettingsDialogLeavesItOpen)
{
    bool openAfterEnter = false;
    bool reachedTheField = false;
    NextModal settings([&](QWidget& dialog) {
        QPointer<QWidget> guard(&dialog);
        auto* field = qobject_cast<QLineEdit*>(tagged_child(dialog, kSettingsLocalCode));
        if (!field)
            return;
        reachedTheField = true;
        field->setFocus(Qt::TabFocusReason);
        type(field, Qt::Key_Return);
        type(field, Qt::Key_Enter);
        QCoreApplication::processEvents();
        openAfterEnter = guard && guard->isVisible();
        if (guard)
            click_button(*guard, kSettingsCancel);
    });
    ui->post_command(main_window(), ID_SETTINGS);
    settle();
    ASSERT_TRUE(settings.seen());
    ASSERT_TRUE(reachedTheField);
    EXPECT_TRUE(openAfterEnter) << "Enter stores and moves on; only OK closes the dialog";
}

} // namespace
} // namespace quillon::gui::test
