// The program on the real library and the emulated device, headless: the
// device is unplugged (its emulator stops) and plugged in again behind a new
// pseudo-terminal under the same COM path, as a re-plugged USB adapter gets a
// new node. The alive poll must find it again with the unsent edits kept.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "device.h"
#include "platform/headless_backend.h"
#include "pty_server.h"
#include "q30com32/q30com32.h"
#include "shell/application.h"
#include "shell/shell_ids.h"
#include "../../test_folder_name.h"

using namespace quillon;
using namespace quillon::platform;

namespace {

// A page whose edits the test controls.
class EditedPage : public Page {
public:
    using Page::Page;
    bool dirty = false;

protected:
    bool changed() const override { return dirty; }
};

// One plugged-in device: an emulator behind the COM path's link.
struct PluggedDevice {
    q30sim::Device device{q30sim::DeviceOptions{}};
    q30sim::PtyServer server{device};

    bool plug_in(const std::string& link)
    {
        std::string error;
        if (!server.start(error))
            return false;
        std::filesystem::remove(link);
        std::filesystem::create_symlink(server.slave_path(), link);
        return true;
    }
};

struct DeviceReturn : ::testing::Test {
    resources::Resources res;
    HeadlessBackend backend;
    std::unique_ptr<Ui> ui;
    std::string dir;
    std::string link;
    std::unique_ptr<PluggedDevice> plugged;
    std::unique_ptr<Application> app;

    void SetUp() override
    {
        std::vector<resources::ParseError> errors;
        ASSERT_TRUE(res.load(QUILLON_SOURCE_RES_DIR, errors));
        ui = std::make_unique<Ui>(backend, res);
        dir = (std::filesystem::temp_directory_path() / test_folder_name("quillon-return-")).string();
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        std::ofstream(dir + "/quillon.ini") << "[Quillon]\nFirstRun=1\n";
        link = dir + "/ttyUSB-adapter";
        setenv("Q30COM32_COM1", link.c_str(), 1);
        for (int n = 2; n <= 8; ++n)
            setenv(("Q30COM32_COM" + std::to_string(n)).c_str(), (dir + "/absent").c_str(), 1);
    }
    void TearDown() override
    {
        app.reset();
        DrvCmd none{};
        D_SendDrvCmd(q30::DRV_CLOSE, &none);
        plugged.reset();
        std::filesystem::remove_all(dir);
    }
    void plug_in()
    {
        plugged = std::make_unique<PluggedDevice>();
        ASSERT_TRUE(plugged->plug_in(link));
    }
    void unplug()
    {
        plugged->server.stop();
        plugged.reset();
        std::filesystem::remove(link);
    }
    MainWindow& main() { return *app->main_window(); }
    AppState& state() { return app->state(); }
};

} // namespace

TEST_F(DeviceReturn, ARepluggedIsFoundAgainAndTheEditsStay)
{
    plug_in();
    app = std::make_unique<Application>(*ui, [](uint32_t c, DrvCmd* r) { return D_SendDrvCmd(c, r); });
    app->set_config_directory(dir);
    app->set_main_window_setup([](MainWindow& m) {
        m.set_page_factory([](ShellContext& s, Window& w, int i) { return std::make_unique<EditedPage>(s, w, i); });
    });
    std::string error;
    ASSERT_TRUE(app->initialise(error)) << error;
    backend.pump();
    ASSERT_TRUE(state().connected);
    static_cast<EditedPage*>(main().page(0))->dirty = true;

    unplug();
    backend.advance(5000);
    EXPECT_FALSE(state().linkUp);
    ASSERT_EQ(backend.message_boxes().size(), 1u);
    EXPECT_EQ(backend.message_boxes()[0].text, ui->text(ids::kDeviceLost, 0));
    backend.advance(5000);
    EXPECT_EQ(backend.message_boxes().size(), 1u) << "told once per loss";

    plug_in();
    const int beeps = backend.beeps();
    backend.advance(5000);
    EXPECT_TRUE(state().linkUp) << "the poll opened the port again";
    EXPECT_FALSE(state().deviceLost);
    EXPECT_GT(backend.beeps(), beeps);
    EXPECT_EQ(state().modelNumber, 30);
    EXPECT_TRUE(static_cast<EditedPage*>(main().page(0))->dirty) << "the unsent edits are kept";
    DrvCmd ping{};
    EXPECT_EQ(D_SendDrvCmd(q30::DRV_PING, &ping), 1) << "the library talks to the new node";
}
