// The whole program, headless, on the real library and the emulated device:
// for page tests that must see what the device keeps. COM1 points at the
// emulator's pseudo-terminal; COM2..COM8 at nothing.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "device.h"
#include "pages/page_table.h"
#include "platform/headless_backend.h"
#include "pty_server.h"
#include "q30com32/q30com32.h"
#include "shell/application.h"
#include "shell/shell_ids.h"
#include "../test_folder_name.h"

namespace pagestest {

struct EmulatedProgram : ::testing::Test {
    quillon::resources::Resources res;
    quillon::platform::HeadlessBackend backend;
    std::unique_ptr<quillon::platform::Ui> ui;
    std::string configDir;
    std::unique_ptr<q30sim::Device> device;
    std::unique_ptr<q30sim::PtyServer> server;
    std::unique_ptr<quillon::Application> app;

    void SetUp() override
    {
        std::vector<quillon::resources::ParseError> errors;
        ASSERT_TRUE(res.load(QUILLON_SOURCE_RES_DIR, errors));
        ui = std::make_unique<quillon::platform::Ui>(backend, res);
        configDir = (std::filesystem::temp_directory_path() / test_folder_name("quillon-emulated-")).string();
        std::filesystem::remove_all(configDir);
        std::filesystem::create_directories(configDir);
        std::ofstream(configDir + "/quillon.ini") << "[Quillon]\nFirstRun=1\n";
    }
    void TearDown() override
    {
        app.reset();
        DrvCmd none{};
        D_SendDrvCmd(q30::DRV_CLOSE, &none);
        if (server)
            server->stop();
        server.reset();
        device.reset();
        std::filesystem::remove_all(configDir);
    }

    // Starts the emulator with `options` and the program on it, with every
    // page and dialog installed; the first page is shown and read.
    void start(q30sim::DeviceOptions options = {})
    {
        device = std::make_unique<q30sim::Device>(options);
        server = std::make_unique<q30sim::PtyServer>(*device, options.paceBaud);
        std::string error;
        ASSERT_TRUE(server->start(error)) << error;
        setenv("Q30COM32_COM1", server->slave_path().c_str(), 1);
        for (int n = 2; n <= 8; ++n)
            setenv(("Q30COM32_COM" + std::to_string(n)).c_str(), (configDir + "/absent").c_str(), 1);
        app = std::make_unique<quillon::Application>(*ui, [](uint32_t c, DrvCmd* r) { return D_SendDrvCmd(c, r); });
        app->set_config_directory(configDir);
        app->set_main_window_setup([](quillon::MainWindow& main) { quillon::install_pages_and_dialogs(main); });
        ASSERT_TRUE(app->initialise(error)) << error;
        backend.pump();
    }

    quillon::MainWindow& main() { return *app->main_window(); }
    quillon::AppState& state() { return app->state(); }
    // Shows page `index` as the user would, by its button, and lets its first read run.
    quillon::Page& show_page(int index)
    {
        backend.menu(quillon::platform::ID_PAGE_FIRST + index);
        backend.pump();
        return *main().page(index);
    }
    // Goes to the MSN page by its button; a changed page asks, and `button`
    // of the discard dialog answers. How often the dialog was shown (0 or 1).
    int leave_for_first_page(int button)
    {
        int offered = 0;
        backend.on_modal(main().shell().dialog_id(quillon::ids::kDiscardDialog), [&](quillon::platform::Window& d) {
            ++offered;
            backend.click(d, button);
            return 0;
        });
        backend.menu(quillon::platform::ID_PAGE_FIRST);
        backend.pump();
        return offered;
    }

    // File > "Save Profile As..." and "Load Profile..." with `file` picked.
    void save_profile_as(const std::string& file)
    {
        backend.answer_file_dialogs_with({file});
        backend.menu(quillon::platform::ID_SAVE_PROFILE);
        backend.pump();
    }
    void load_profile(const std::string& file)
    {
        backend.answer_file_dialogs_with({file});
        backend.menu(quillon::platform::ID_LOAD_PROFILE);
        backend.pump();
    }
    // A register of the emulated device by its address text ("S95", "!P0#11*0").
    std::string device_setting(const std::string& key)
    {
        return server->with_device([&](q30sim::Device& d) { return d.setting(key); });
    }
    // The command lines the device received, latest last.
    std::vector<std::string> device_commands()
    {
        return server->with_device([](q30sim::Device& d) { return d.commands_seen(); });
    }
};

} // namespace pagestest
