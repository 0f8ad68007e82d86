// The program started headless on a scripted device, with the pages and
// dialogs installed, for the tests of the dialogs and profile sequences.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "fake_library.h"
#include "pages/page_table.h"
#include "platform/headless_backend.h"
#include "shell/application.h"
#include "../test_folder_name.h"

namespace pagestest {

// One command as the library received it.
struct Sent {
    uint32_t code;
    DrvCmd record;
};

struct Program : ::testing::Test {
    quillon::resources::Resources res;
    quillon::platform::HeadlessBackend backend;
    std::unique_ptr<quillon::platform::Ui> ui;
    shelltest::FakeLibrary device;
    std::vector<Sent> sent;
    // Sets the device answers with ERROR (replied, not "OK").
    std::function<bool(uint32_t code, const DrvCmd&)> deviceRefuses;
    std::string configDir;
    std::unique_ptr<quillon::Application> app;

    void SetUp() override
    {
        std::vector<quillon::resources::ParseError> errors;
        ASSERT_TRUE(res.load(QUILLON_SOURCE_RES_DIR, errors));
        ui = std::make_unique<quillon::platform::Ui>(backend, res);
        configDir = (std::filesystem::temp_directory_path() / test_folder_name("quillon-pages-")).string();
        std::filesystem::remove_all(configDir);
        // The first start opens the settings once: take that as done.
        std::filesystem::create_directories(configDir);
        std::ofstream(configDir + "/quillon.ini") << "[Quillon]\nFirstRun=1\n";
    }
    void TearDown() override
    {
        app.reset();
        std::filesystem::remove_all(configDir);
    }

    // Like the library: a text with a control character is never sent.
    // The clock, the raw block and the data port's protocol carry numbers
    // where other commands carry text.
    int32_t call(uint32_t code, DrvCmd* r)
    {
        const bool strIsText = code != q30::DRV_CLOCK && code != q30::DRV_WRITE_RAW && code != q30::DRV_DATA_PARAM;
        if (r) {
            if (strIsText)
                for (char c : quillon_text(*r))
                    if (static_cast<unsigned char>(c) < 0x20)
                        return q30::kResultRefused;
            sent.push_back({code, *r});
            if (r->op == q30::OP_SET && deviceRefuses && deviceRefuses(code, *r)) {
                r->replied = 1;
                r->ok = 0;
                return q30::kResultOk;
            }
        }
        return device(code, r);
    }
    static std::string quillon_text(const DrvCmd& r) { return std::string(q30::record::str(r)); }

    void start()
    {
        app = std::make_unique<quillon::Application>(*ui, [this](uint32_t c, DrvCmd* r) { return call(c, r); });
        app->set_config_directory(configDir);
        app->set_main_window_setup([](quillon::MainWindow& main) { quillon::install_pages_and_dialogs(main); });
        std::string error;
        ASSERT_TRUE(app->initialise(error)) << error;
        backend.pump();
        sent.clear();
    }
    quillon::MainWindow& main() { return *app->main_window(); }
    quillon::AppState& state() { return app->state(); }

    std::vector<Sent> sets_of(uint32_t code) const
    {
        std::vector<Sent> out;
        for (const Sent& s : sent)
            if (s.code == code && s.record.op == q30::OP_SET)
                out.push_back(s);
        return out;
    }
    std::string profile_text(const std::string& path) const
    {
        std::ifstream in(path);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }
};

} // namespace pagestest
