// The real program window on the Qt backend, started against the emulated
// device (COM1; the other ports lead nowhere), with a fresh configuration
// folder that has had its first start.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

#include "demo_device.h"
#include "gui/qt_backend.h"
#include "platform/ui.h"
#include "resources/resources.h"
#include "shell/application.h"

namespace quillon::gui::test {

class ProgramWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Delivers posted messages and queued Qt events.
    void settle();
    MainWindow& main_window() { return *app->main_window(); }
    QWidget* widget_of(const platform::Window& w, int id) const { return backend->control_widget(w, id); }
    // A value the device holds, read past the program.
    static std::string device_msn(int port, int index);

    q30sim::DemoDevice device;
    resources::Resources res;
    std::filesystem::path configDir;
    std::unique_ptr<QtBackend> backend;
    std::unique_ptr<platform::Ui> ui;
    std::unique_ptr<Application> app;
};

// Acts on the next modal dialog once it is up (`act` gets the dialog's
// window), polling the event loops that run meanwhile; until then
// seen() is false.
class NextModal {
public:
    explicit NextModal(std::function<void(QWidget& dialog)> act);
    bool seen() const { return seen_; }

private:
    std::function<void(QWidget&)> act_;
    QTimer poll_;
    bool seen_ = false;
};

// The control of a window's widget tree with that id, null when none.
QWidget* tagged_child(QWidget& window, int id);
// Clicks the button with that id of the window, if there is one.
void click_button(QWidget& window, int id);

} // namespace quillon::gui::test
