#include "gui_fixture.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>

namespace quillon::gui::test {

using resources::ControlKind;
using resources::ControlTemplate;
using resources::DialogTemplate;

namespace {

ControlTemplate control(ControlKind kind, int id, platform::Rect rect, std::string text = {}, unsigned style = 0,
                        int maxLength = 0)
{
    return ControlTemplate{kind, id, rect, std::move(text), style, maxLength};
}

DialogTemplate page_with_every_control()
{
    DialogTemplate t{kPageTemplate, 414, 250, "MSN assignment", 10, "Small Fonts", {}};
    t.controls = {
        control(ControlKind::Group, kFrame, {6, 4, 200, 120}, "Port &11"),
        control(ControlKind::Edit, kNameEdit, {12, 16, 80, 12}, "", 0, 5),
        control(ControlKind::Edit, kNumberEdit, {100, 16, 60, 12}, "", resources::kStyleNumber),
        control(ControlKind::Edit, kNotesEdit, {12, 34, 148, 30}, "", resources::kStyleMultiline),
        control(ControlKind::CheckBox, kSoundCheck, {12, 70, 100, 10}, "Sound &on"),
        control(ControlKind::RadioButton, kRadioA, {12, 84, 60, 10}, "None", resources::kStyleGroupStart),
        control(ControlKind::RadioButton, kRadioB, {80, 84, 60, 10}, "All"),
        control(ControlKind::RadioButton, kRadioC, {12, 98, 60, 10}, "Alone", resources::kStyleGroupStart),
        control(ControlKind::Static, kLabel, {214, 8, 190, 40},
                "Saving && closing the profile... and a long line that has to wrap.",
                resources::kStyleWrap | resources::kStyleBlue),
        control(ControlKind::ListBox, kList, {214, 52, 90, 60}),
        control(ControlKind::DropList, kDropList, {310, 52, 94, 80}),
        control(ControlKind::Placeholder, kMark, {310, 70, 20, 20}),
        control(ControlKind::Picture, kWarningPicture, {12, 130, 30, 30}, "356"),
        control(ControlKind::PushButton, kCreditsButton, {60, 130, 60, 14}, "#371"),
        control(ControlKind::ListSelector, kSelector, {214, 130, 110, 12}),
        control(ControlKind::PortPicture, kPorts, {130, 130, 70, 60}),
        control(ControlKind::PushButton, kSend, {160, 228, 90, 14}, "Send to Q20 / Q30", resources::kStyleDefault),
        control(ControlKind::HelpButton, kHelp, {398, 236, 10, 9}),
    };
    return t;
}

} // namespace

void type(QWidget* target, Qt::Key key, const QString& text)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &press);
}

intptr_t RecordingWindow::on_message(const Message& m)
{
    messages.push_back(m);
    if (m.id == platform::WM_COMMAND && command_handler) {
        command_handler(platform::command_id(m.wparam), platform::command_code(m.wparam));
        return 1;
    }
    if (m.id == platform::WM_CLOSE && close_handler) {
        close_handler();
        return 1;
    }
    return Window::on_message(m);
}

bool RecordingWindow::on_key(platform::Key key)
{
    keys.push_back(key);
    return key_handler ? key_handler(key) : takeKeys;
}

std::vector<std::pair<int, int>> RecordingWindow::commands() const
{
    std::vector<std::pair<int, int>> result;
    for (const Message& m : messages)
        if (m.id == platform::WM_COMMAND)
            result.emplace_back(platform::command_id(m.wparam), platform::command_code(m.wparam));
    return result;
}

GuiTest::GuiTest()
{
    resources.pictureDirectory = QUILLON_TEST_PICTURES;
    resources.dialogs.add(DialogTemplate{kMainTemplate, 0, 0, "VornISDN Quillon", 0, "", {}});
    resources.dialogs.add(page_with_every_control());
    DialogTemplate small{kSmallPageTemplate, 200, 100, "Call acceptance", 10, "Small Fonts", {}};
    small.controls = {control(ControlKind::Edit, kNameEdit, {10, 10, 80, 12}),
                      control(ControlKind::PushButton, kSend, {10, 40, 80, 14}, "Send")};
    resources.dialogs.add(small);
    DialogTemplate modal{kModalTemplate, 200, 80, "Discard?", 12, "Small Fonts", {}};
    modal.controls = {control(ControlKind::Static, kLabel, {40, 8, 150, 30}, "Discard the changes?", resources::kStyleWrap),
                      control(ControlKind::Edit, kNameEdit, {40, 40, 60, 12}),
                      control(ControlKind::PushButton, kDiscard, {10, 60, 60, 14}, "Discard Changes"),
                      control(ControlKind::PushButton, kStay, {80, 60, 50, 14}, "Cancel")};
    resources.dialogs.add(modal);
}

GuiTest::~GuiTest()
{
    smallPage.reset();
    page.reset();
    main.reset();
    settle();
}

void GuiTest::build_main_and_pages()
{
    main = std::make_unique<RecordingWindow>(ui, nullptr);
    main->create(kMainTemplate, platform::WindowRole::Main);
    for (int id : {platform::ID_PAGE_FIRST, platform::ID_PAGE_FIRST + 1}) {
        main->add_control(control(ControlKind::TabButton, id, {}, id == platform::ID_PAGE_FIRST ? "MSN" : "Call acceptance"));
        main->backend().set_control_rect(*main, id, {id == platform::ID_PAGE_FIRST ? 0 : 48, 0,
                                                     id == platform::ID_PAGE_FIRST ? 48 : 111, 37});
    }
    page = std::make_unique<RecordingWindow>(ui, main.get());
    page->create(kPageTemplate, platform::WindowRole::Page);
    smallPage = std::make_unique<RecordingWindow>(ui, main.get());
    smallPage->create(kSmallPageTemplate, platform::WindowRole::Page);
}

void GuiTest::settle()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace quillon::gui::test
