// The real program window on the Qt backend, against the emulated device:
// start-up to the first page, page switches and a language change.
#include <gtest/gtest.h>

#include <filesystem>

#include <QCoreApplication>
#include <QWidget>

#include "demo_device.h"
#include "gui/qt_backend.h"
#include "platform/ui.h"
#include "q30com32/q30com32.h"
#include "resources/resources.h"
#include "shell/application.h"

using namespace quillon;
using namespace quillon::platform;

namespace {

void settle(Ui& ui)
{
    for (int i = 0; i < 3; ++i) {
        ui.pump();
        QCoreApplication::processEvents();
    }
}

} // namespace

TEST(ProgramWindow, StartsOnTheEmulatedDeviceSwitchesPagesAndLanguages)
{
    // Only COM1 (the emulator) exists for this run.
    for (int n = 2; n <= 8; ++n)
        setenv(("Q30COM32_COM" + std::to_string(n)).c_str(), "/nonexistent/quillon-test-port", 1);
    q30sim::DemoDevice device;
    q30sim::DeviceOptions options;
    options.seed = true;
    std::string error;
    ASSERT_TRUE(device.start(options, error)) << error;

    resources::Resources res;
    std::vector<resources::ParseError> problems;
    ASSERT_TRUE(res.load(QUILLON_SOURCE_RES_DIR, problems));
    const auto configDir = std::filesystem::temp_directory_path() / "quillon-gui-application-test";
    std::filesystem::remove_all(configDir);

    {
        gui::QtBackend backend(res);
        Ui ui(backend, res);
        Application app(ui, D_SendDrvCmd);
        app.set_config_directory(configDir.string());
        ASSERT_TRUE(app.initialise(error)) << error;
        settle(ui);
        MainWindow& main = *app.main_window();
        EXPECT_EQ(app.state().modelName, "VornISDN Q30");
        ASSERT_NE(backend.window_widget(*main.page(0)), nullptr);
        EXPECT_TRUE(backend.window_widget(*main.page(0))->isVisible());

        ui.post_command(main, ID_PAGE_FIRST + 4);
        settle(ui);
        EXPECT_TRUE(backend.window_widget(*main.page(4))->isVisible());
        EXPECT_FALSE(backend.window_widget(*main.page(0))->isVisible()) << "one page at a time";
        EXPECT_EQ(app.state().currentPage, 4);

        QWidget* acceptanceButton = backend.control_widget(main, ID_PAGE_FIRST + 1);
        ASSERT_NE(acceptanceButton, nullptr);
        EXPECT_EQ(acceptanceButton->width(), 111);
        app.state().language = 1;
        ui.send(main, UWM_SET_LANGUAGE);
        settle(ui);
        EXPECT_EQ(acceptanceButton->width(), 91) << "German widths at once";
        EXPECT_EQ(backend.text(main, ID_PAGE_FIRST + 1), ui.text(6005, 1));

        main.on_command(ID_QUIT, BN_CLICKED);  // stores the settings and ends
    }
    D_SendDrvCmd(q30::DRV_CLOSE, nullptr);
    std::filesystem::remove_all(configDir);
}
