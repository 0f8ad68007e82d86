// A Main window with two pages and a modal dialog built from templates
// written here, around logic windows that record what reaches them.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "gui/qt_backend.h"
#include "platform/ui.h"
#include "platform/window.h"

namespace quillon::gui::test {

using platform::Message;

// Records every message and key; handlers may be set to act on them.
class RecordingWindow : public platform::Window {
public:
    using Window::Window;

    intptr_t on_message(const Message& m) override;
    bool on_key(platform::Key key) override;

    std::vector<Message> messages;
    std::vector<platform::Key> keys;
    std::function<void(int id, int code)> command_handler;
    std::function<void()> close_handler;
    // Answers on_key when set; else takeKeys does.
    std::function<bool(platform::Key)> key_handler;
    bool takeKeys = false;

    // The WM_COMMANDs received, as (id, code).
    std::vector<std::pair<int, int>> commands() const;
};

// Template and control ids of the test windows.
enum : int {
    kMainTemplate = 700,
    kPageTemplate = 802,
    kSmallPageTemplate = 804,
    kModalTemplate = 856,

    kNameEdit = 1001,      // LIMIT 5
    kNumberEdit = 1002,    // NUMBER
    kNotesEdit = 1003,     // MULTILINE
    kSoundCheck = 1010,
    kRadioA = 1020,        // GROUPSTART
    kRadioB = 1021,
    kRadioC = 1022,        // GROUPSTART: a group of its own
    kLabel = 1030,         // WRAP BLUE
    kList = 1040,
    kDropList = 1041,
    kFrame = 1050,
    kMark = 1060,
    kWarningPicture = 1070,  // picture 356, 32 x 32
    kCreditsButton = 1052,   // "#371": pictures 371/372, 80 x 18
    kSelector = 1080,
    kPorts = 1090,
    kSend = 2154,            // DEFAULT
    kHelp = 57670,

    kDiscard = 1053,
    kStay = 1054,
};

// A key press sent to `target`, as typed (text: what the key types).
void type(QWidget* target, Qt::Key key, const QString& text = {});

class GuiTest : public ::testing::Test {
protected:
    GuiTest();
    ~GuiTest() override;

    // Main window with both pages; page buttons 5000 and 5001 in its row.
    void build_main_and_pages();
public:
    // Deletes what was destroyed and delivers queued Qt events.
    static void settle();

protected:

    template <typename T>
    T* widget(const platform::Window& w, int id) const
    {
        return dynamic_cast<T*>(backend.control_widget(w, id));
    }

    resources::Resources resources;
    QtBackend backend{resources};
    platform::Ui ui{backend, resources};
    std::unique_ptr<RecordingWindow> main;
    std::unique_ptr<RecordingWindow> page;
    std::unique_ptr<RecordingWindow> smallPage;
};

} // namespace quillon::gui::test
