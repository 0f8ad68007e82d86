#include "program_fixture.h"

#include <cstdlib>
#include <fstream>

#include <QAbstractButton>
#include <QApplication>

#include "gui/control_tags.h"
#include "pages/page_table.h"
#include "q30com32/q30com32.h"
#include "../test_folder_name.h"

namespace quillon::gui::test {

namespace {

constexpr int kPollMs = 10;

} // namespace

void ProgramWindowTest::SetUp()
{
    for (int n = 2; n <= 8; ++n)
        setenv(("Q30COM32_COM" + std::to_string(n)).c_str(), "/nonexistent/quillon-test-port", 1);
    q30sim::DeviceOptions options;
    options.seed = true;
    std::string error;
    ASSERT_TRUE(device.start(options, error)) << error;

    std::vector<resources::ParseError> problems;
    ASSERT_TRUE(res.load(QUILLON_SOURCE_RES_DIR, problems));
    configDir = std::filesystem::temp_directory_path() / test_folder_name("quillon-gui-program-");
    std::filesystem::remove_all(configDir);
    std::filesystem::create_directories(configDir);
    std::ofstream(configDir / "quillon.ini") << "[Quillon]\nFirstRun=1\n";

    backend = std::make_unique<QtBackend>(res);
    ui = std::make_unique<platform::Ui>(*backend, res);
    app = std::make_unique<Application>(*ui, D_SendDrvCmd);
    app->set_config_directory(configDir.string());
    app->set_main_window_setup(install_pages_and_dialogs);
    ASSERT_TRUE(app->initialise(error)) << error;
    settle();
}

void ProgramWindowTest::TearDown()
{
    app.reset();
    ui.reset();
    backend.reset();
    D_SendDrvCmd(q30::DRV_CLOSE, nullptr);
    std::filesystem::remove_all(configDir);
    // A program that ended outside the application loop leaves Qt's mark
    // to quit, which would end every later modal loop at once; a loop run
    // to its end clears it for the tests that follow.
    QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
    QCoreApplication::exec();
}

void ProgramWindowTest::settle()
{
    for (int i = 0; i < 3; ++i) {
        ui->pump();
        QCoreApplication::processEvents();
    }
}

std::string ProgramWindowTest::device_msn(int port, int index)
{
    DrvCmd r{};
    r.port = port;
    r.index = index;
    if (D_SendDrvCmd(q30::DRV_MSN, &r) != 0)
        return "(no answer)";
    return std::string(q30::record::str(r));
}

NextModal::NextModal(std::function<void(QWidget& dialog)> act) : act_(std::move(act))
{
    QObject::connect(&poll_, &QTimer::timeout, &poll_, [this] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (!dialog || !dialog->isVisible())
            return;
        poll_.stop();
        seen_ = true;
        act_(*dialog);
    });
    poll_.start(kPollMs);
}

QWidget* tagged_child(QWidget& window, int id)
{
    for (QWidget* child : window.findChildren<QWidget*>())
        if (tagged_control_id(child) == id)
            return child;
    return nullptr;
}

void click_button(QWidget& window, int id)
{
    if (auto* button = qobject_cast<QAbstractButton*>(tagged_child(window, id)))
        button->click();
}

} // namespace quillon::gui::test
