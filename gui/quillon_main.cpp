// quillon: the configuration program.
//
//   quillon [--demo [q20|q30|q30-usb]] [--config-dir DIR] [--screenshot DIR]
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include <QApplication>

#include "demo_device.h"
#include "gui/application_icon.h"
#include "gui/qt_backend.h"
#include "gui/screenshots.h"
#include "gui/start_options.h"
#include "platform/ui.h"
#include "q30com32/q30com32.h"
#include "resources/resources.h"
#include "pages/page_table.h"
#include "shell/application.h"
#include "shell/scratch_config.h"

namespace {

constexpr const char* kUsage =
    "usage: quillon [--demo [q20|q30|q30-usb]] [--config-dir DIR] [--screenshot DIR]\n"
    "  --demo [MODEL]    run on an emulated device with demo data (COM1 points at it)\n"
    "  --config-dir DIR  keep default.pro and quillon.ini in DIR instead of\n"
    "                    $XDG_CONFIG_HOME/quillon (unset: ~/.config/quillon)\n"
    "  --screenshot DIR  save the main window with each page, and each dialog, in each\n"
    "                    language as PNG files in DIR, then end\n"
    "  --version         print the program's version\n"
    "  -h, --help        print this help\n";

struct Options {
    bool demo = false;
    q30sim::DeviceOptions device;
    std::string configDir;
    std::string screenshotDir;
};

std::optional<Options> parse(int argc, char** argv)
{
    Options o;
    o.device.seed = true;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        auto value = [&]() -> std::optional<std::string> {
            if (i + 1 < argc)
                return std::string(argv[++i]);
            std::fprintf(stderr, "quillon: %s needs a value\n", a.c_str());
            return std::nullopt;
        };
        if (a == "--demo") {
            o.demo = true;
            if (i + 1 < argc)
                if (auto model = q30sim::parse_model(argv[i + 1])) {
                    o.device.model = *model;
                    ++i;
                }
        } else if (a == "--config-dir") {
            auto v = value();
            if (!v)
                return std::nullopt;
            o.configDir = *v;
        } else if (a == "--screenshot") {
            auto v = value();
            if (!v)
                return std::nullopt;
            o.screenshotDir = *v;
        } else if (a == "--help" || a == "-h") {
            std::fputs(kUsage, stdout);
            std::exit(0);
        } else if (a == "--version") {
            std::printf("quillon %s\n", QUILLON_VERSION);
            std::exit(0);
        } else {
            std::fprintf(stderr, "quillon: unknown option %s\n%s", a.c_str(), kUsage);
            return std::nullopt;
        }
    }
    return o;
}

} // namespace

int main(int argc, char** argv)
{
    std::optional<Options> options = parse(argc, argv);
    if (!options)
        return 2;
    QApplication qapp(argc, argv);
    QApplication::setApplicationVersion(QStringLiteral(QUILLON_VERSION));

    quillon::resources::Resources resources;
    std::vector<quillon::resources::ParseError> problems;
    const std::string resDir = quillon::resources::find_resource_directory(argv[0]);
    if (!resources.load(resDir, problems)) {
        std::fprintf(stderr, "quillon: the program's resources are missing (%s)\n", resDir.c_str());
        return 1;
    }
    for (const auto& p : problems)
        std::fprintf(stderr, "quillon: %s:%d: %s\n", p.file.c_str(), p.line, p.message.c_str());
    // The desktop matches the windows to the program's entry and shows its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(QUILLON_APP_ID));
    QApplication::setWindowIcon(quillon::gui::application_icon(QUILLON_APP_ID, resDir));

    q30sim::DemoDevice demo;
    if (options->demo) {
        std::string error;
        if (!demo.start(options->device, error)) {
            std::fprintf(stderr, "quillon: cannot start the emulated device: %s\n", error.c_str());
            return 1;
        }
    }

    quillon::gui::QtBackend backend(resources);
    quillon::platform::Ui ui(backend, resources);
    // Pictures for review run on a copy of the configuration folder: never a
    // first start (the settings dialog is photographed with the others, no
    // dialog waits for a person), and the user's folder stays as it was.
    const bool screenshots = !options->screenshotDir.empty();
    std::optional<quillon::ScratchConfigFolder> scratch;
    if (screenshots) {
        scratch.emplace(options->configDir, "screenshots");
        if (scratch->path().empty()) {
            std::fprintf(stderr, "quillon: cannot make a temporary folder for the screenshots: %s\n",
                         scratch->error().c_str());
            return 1;
        }
    }
    quillon::Application app(ui, D_SendDrvCmd);
    app.set_config_directory(screenshots ? scratch->path() : options->configDir);
    app.set_main_window_setup(quillon::install_pages_and_dialogs);
    std::string error;
    if (!app.initialise(error)) {
        if (!error.empty()) {
            std::fprintf(stderr, "quillon: %s\n", error.c_str());
            if (!screenshots)
                quillon::gui::show_start_failure(ui, error);
        }
        return 1;
    }
    if (screenshots)
        return quillon::gui::take_screenshots(backend, ui, app, options->screenshotDir) ? 0 : 1;
    return qapp.exec();
}
