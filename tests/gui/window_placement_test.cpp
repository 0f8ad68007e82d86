// Where windows open, which frame buttons they offer, and message boxes wide
// enough for their titles.
#include <QAbstractButton>
#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>

#include "gui/window_placement.h"
#include "gui_fixture.h"

namespace quillon::gui::test {
namespace {

using platform::WindowRole;

QRect screen_area() { return QGuiApplication::primaryScreen()->availableGeometry(); }

// Centres may differ by the rounding of an odd size.
void expect_centred(const QRect& window, const QRect& over, const char* what)
{
    EXPECT_LE((window.center() - over.center()).manhattanLength(), 2)
        << what << ": window " << window.x() << "," << window.y() << " " << window.width() << "x" << window.height()
        << " over " << over.x() << "," << over.y() << " " << over.width() << "x" << over.height();
}

TEST(WindowPlacement, CentredAndKeptOnTheScreen)
{
    const QRect screen(0, 0, 1280, 1024);
    EXPECT_EQ(centred_position(QSize(200, 100), QRect(100, 100, 600, 400), screen), QPoint(300, 250));
    EXPECT_EQ(centred_position(QSize(200, 100), QRect(-500, 900, 200, 200), screen), QPoint(0, 924))
        << "a window over one half off the screen stays on it";
    EXPECT_EQ(centred_position(QSize(2000, 100), screen, screen).x(), 0) << "too wide: its left part shows";
}

class WindowPlacementTest : public GuiTest {
protected:
    void SetUp() override
    {
        build_main_and_pages();
        page->show();
        main->show();
        settle();
    }
    QWidget* main_widget() const { return backend.window_widget(*main); }
};

TEST_F(WindowPlacementTest, TheMainWindowOpensInTheMiddleOfTheScreenOnce)
{
    expect_centred(main_widget()->geometry(), screen_area(), "main window");
    // Moved by the user, then hidden and shown again: it stays put.
    main_widget()->move(20, 30);
    main->show(false);
    main->show(true);
    EXPECT_EQ(main_widget()->pos(), QPoint(20, 30));
}

TEST_F(WindowPlacementTest, DialogsOpenOverTheMainWindowEveryTime)
{
    main_widget()->move(40, 60);
    RecordingWindow dialog(ui, page.get());
    dialog.create(kModalTemplate, WindowRole::Modal);
    for (int run = 0; run < 2; ++run) {
        QRect seen;
        QTimer::singleShot(0, qApp, [&] {
            seen = backend.window_widget(dialog)->geometry();
            dialog.end_modal(kStay);
        });
        EXPECT_EQ(dialog.run_modal(), kStay);
        expect_centred(seen, main_widget()->geometry(), run == 0 ? "first run" : "second run");
    }
}

TEST_F(WindowPlacementTest, StatusWindowsOpenOverTheMainWindowAndAloneOverTheScreen)
{
    main_widget()->move(300, 200);
    RecordingWindow progress(ui, main.get());
    progress.create(kSmallPageTemplate, WindowRole::Modeless);
    progress.show();
    expect_centred(backend.window_widget(progress)->geometry(), main_widget()->geometry(), "progress");

    main->show(false);
    RecordingWindow splash(ui, nullptr);
    splash.create(kSmallPageTemplate, WindowRole::Modeless);
    splash.show();
    expect_centred(backend.window_widget(splash)->geometry(), screen_area(), "without a main window");
}

TEST_F(WindowPlacementTest, OnlyTheCloseBoxNothingToMaximise)
{
    RecordingWindow dialog(ui, main.get());
    dialog.create(kModalTemplate, WindowRole::Modal);
    RecordingWindow progress(ui, main.get());
    progress.create(kSmallPageTemplate, WindowRole::Modeless);
    for (QWidget* w : {backend.window_widget(dialog), backend.window_widget(progress), main_widget()}) {
        const Qt::WindowFlags flags = w->windowFlags();
        EXPECT_TRUE(flags.testFlag(Qt::CustomizeWindowHint)) << "the window's own choice of buttons";
        EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
        EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
    }
}

TEST_F(WindowPlacementTest, MessageBoxesAreWideEnoughForTheirTitle)
{
    const std::string title = "VornISDN Quillon: Information about the profile";
    int width = 0;
    QTimer::singleShot(0, qApp, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            width = box->width();
            box->button(QMessageBox::Ok)->click();
        }
    });
    ui.message_box(main.get(), "OK.", title);
    QFont bold = QApplication::font();
    bold.setBold(true);
    // The title itself, and room for the frame's icon and buttons.
    EXPECT_GT(width, QFontMetrics(bold).horizontalAdvance(QString::fromStdString(title)) + 100);
}

} // namespace
} // namespace quillon::gui::test
