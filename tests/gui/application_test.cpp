// The real program window on the Qt backend, against the emulated device:
// start-up to the first page, page switches and a language change.
#include <QWidget>

#include "program_fixture.h"

namespace quillon::gui::test {
namespace {

using namespace quillon::platform;

TEST_F(ProgramWindowTest, StartsOnTheEmulatedDeviceSwitchesPagesAndLanguages)
{
    MainWindow& main = main_window();
    EXPECT_EQ(app->state().modelName, "VornISDN Q30");
    ASSERT_NE(backend->window_widget(*main.page(0)), nullptr);
    EXPECT_TRUE(backend->window_widget(*main.page(0))->isVisible());

    ui->post_command(main, ID_PAGE_FIRST + 4);
    settle();
    EXPECT_TRUE(backend->window_widget(*main.page(4))->isVisible());
    EXPECT_FALSE(backend->window_widget(*main.page(0))->isVisible()) << "one page at a time";
    EXPECT_EQ(app->state().currentPage, 4);

    QWidget* acceptanceButton = widget_of(main, ID_PAGE_FIRST + 1);
    ASSERT_NE(acceptanceButton, nullptr);
    EXPECT_EQ(acceptanceButton->width(), 111);
    app->state().language = 1;
    ui->send(main, UWM_SET_LANGUAGE);
    settle();
    EXPECT_EQ(acceptanceButton->width(), 91) << "German widths at once";
    EXPECT_EQ(backend->text(main, ID_PAGE_FIRST + 1), ui->text(6005, 1));

    main.on_command(ID_QUIT, BN_CLICKED);  // stores the settings and ends
}

} // namespace
} // namespace quillon::gui::test
