// Modal dialogs: run until ended, and what their close box and Escape do.
#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QTimer>

#include "gui_fixture.h"

namespace quillon::gui::test {
namespace {

using platform::IDCANCEL;

class ModalTest : public GuiTest {
protected:
    void SetUp() override
    {
        dialog = std::make_unique<RecordingWindow>(ui, nullptr);
        dialog->create(kModalTemplate, platform::WindowRole::Modal);
        // The buttons end the dialog with their ids, as the logic does.
        dialog->command_handler = [this](int id, int) {
            if (id == kDiscard || id == kStay)
                dialog->end_modal(id);
        };
    }
    void TearDown() override { dialog.reset(); }

    // Runs `action` once the dialog's loop runs, then the dialog.
    int run_with(std::function<void()> action)
    {
        QTimer::singleShot(0, qApp, std::move(action));
        return dialog->run_modal();
    }
    QWidget* dialog_widget() const { return backend.window_widget(*dialog); }
    void press(Qt::Key key)
    {
        dialog->set_focus(kNameEdit);
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(backend.control_widget(*dialog, kNameEdit), &event);
    }

    std::unique_ptr<RecordingWindow> dialog;
};

TEST_F(ModalTest, RunsUntilTheLogicEndsIt)
{
    EXPECT_EQ(run_with([this] { widget<QPushButton>(*dialog, kDiscard)->click(); }), kDiscard);
    EXPECT_FALSE(dialog->shown());
    // The same dialog runs again.
    EXPECT_EQ(run_with([this] { widget<QPushButton>(*dialog, kStay)->click(); }), kStay);
}

TEST_F(ModalTest, EndedBeforeItRunsReturnsAtOnce)
{
    dialog->end_modal(kStay);
    EXPECT_EQ(dialog->run_modal(), kStay);
}

TEST_F(ModalTest, CloseBoxAsksTheLogicThenCancels)
{
    EXPECT_EQ(run_with([this] { dialog_widget()->close(); }), IDCANCEL);
    ASSERT_FALSE(dialog->messages.empty());
    EXPECT_EQ(dialog->messages.back().id, platform::WM_CLOSE);

    dialog->close_handler = [this] { dialog->end_modal(kDiscard); };
    EXPECT_EQ(run_with([this] { dialog_widget()->close(); }), kDiscard) << "the logic's own answer wins";
}

TEST_F(ModalTest, EscapeIsOfferedToTheLogicThenCancels)
{
    EXPECT_EQ(run_with([this] { press(Qt::Key_Escape); }), IDCANCEL);
    EXPECT_EQ(dialog->keys, std::vector{platform::Key::Escape});
    EXPECT_EQ(dialog->commands().back(), std::make_pair(IDCANCEL, 0));

    // Taken by the logic, Escape leaves the dialog open.
    dialog->takeKeys = true;
    EXPECT_EQ(run_with([this] {
                  press(Qt::Key_Escape);
                  if (dialog->shown())
                      dialog->end_modal(kStay);
              }),
              kStay);
}

TEST_F(ModalTest, EnterGoesToTheLogicAndPressesNoButtonOfItsOwn)
{
    // The logic leaves Enter alone: none of the buttons is the default.
    EXPECT_EQ(run_with([this] {
                  press(Qt::Key_Return);
                  press(Qt::Key_Enter);
                  if (dialog->shown())
                      dialog->end_modal(kStay);
              }),
              kStay);
    EXPECT_EQ(dialog->keys, (std::vector{platform::Key::Enter, platform::Key::Enter}));
    for (const auto& [id, code] : dialog->commands())
        EXPECT_NE(code, platform::BN_CLICKED) << "button " << id << " pressed by Enter";
}

TEST_F(ModalTest, EnterPressesTheTemplatesDefaultButtonOnlyWhenTheLogicLeavesIt)
{
    dialog->add_control({resources::ControlKind::PushButton, platform::IDOK, {140, 60, 50, 14}, "OK",
                         resources::kStyleDefault, 0});
    dialog->command_handler = [this](int id, int code) {
        if (code == platform::BN_CLICKED)
            dialog->end_modal(id);
    };
    dialog->takeKeys = true;
    EXPECT_EQ(run_with([this] {
                  press(Qt::Key_Return);
                  if (dialog->shown())
                      dialog->end_modal(kStay);
              }),
              kStay);
    dialog->takeKeys = false;
    EXPECT_EQ(run_with([this] { press(Qt::Key_Return); }), platform::IDOK);
}

TEST_F(ModalTest, DestroyedWhileRunningReturnsCancel)
{
    EXPECT_EQ(run_with([this] { dialog->destroy(); }), IDCANCEL);
    EXPECT_EQ(dialog->run_modal(), -1) << "no window any more";
}

TEST_F(ModalTest, ModelessWindowsAskTheLogicAndDoNotRun)
{
    RecordingWindow modeless(ui, nullptr);
    modeless.create(kSmallPageTemplate, platform::WindowRole::Modeless);
    EXPECT_EQ(modeless.run_modal(), -1);
    modeless.show();
    backend.window_widget(modeless)->close();
    EXPECT_TRUE(modeless.shown()) << "the logic decides";
    ASSERT_EQ(modeless.messages.size(), 1u);
    EXPECT_EQ(modeless.messages[0].id, platform::WM_CLOSE);
}

} // namespace
} // namespace quillon::gui::test
