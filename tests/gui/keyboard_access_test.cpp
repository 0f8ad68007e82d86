// What assistive tools and keyboard-only users get: the names of the
// controls, the tab order, Tab in a page and the keys that turn the pages.
#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QTimer>

#include "gui/window_frames.h"
#include "gui_fixture.h"

namespace quillon::gui::test {
namespace {

using platform::Key;
using resources::ControlKind;
using resources::ControlTemplate;
using resources::Menu;
using resources::MenuItem;

enum : int {
    kRowsTemplate = 846,
    kRing = 2011,          // selector inside the frame, no label before it
    kVolumeLabel = 2012,
    kVolume = 2013,        // drop-down list inside the frame
    kPortLabel = 2001,     // "&Port 11"
    kAlias = 2002,         // directly after its label
    kMsn = 2003,           // after the alias and a dash
    kDash = 2014,
    kClip = 2004,
    kPicturePlace = 2005,  // the port picture goes here at run time
    kPort21Label = 2006,
    kAlias21 = 2007,
    kOptions = 2010,       // group frame "&Options"
    kPicture = 2020,
};

ControlTemplate control(ControlKind kind, int id, platform::Rect rect, std::string text = {})
{
    return ControlTemplate{kind, id, rect, std::move(text), 0, 0};
}

// Rows as the pages have them: a label above its edits, a picture at the
// start of a row before its label, a frame around a selector and a list.
resources::DialogTemplate rows_template()
{
    resources::DialogTemplate t{kRowsTemplate, 414, 250, "Settings", 10, "Small Fonts", {}};
    t.controls = {
        control(ControlKind::Group, kOptions, {6, 150, 200, 60}, "&Options"),
        control(ControlKind::ListSelector, kRing, {12, 160, 100, 12}),
        control(ControlKind::Static, kVolumeLabel, {12, 180, 40, 8}, "Volume"),
        control(ControlKind::DropList, kVolume, {60, 178, 80, 40}),
        control(ControlKind::Static, kPortLabel, {60, 20, 120, 8}, "&Port 11"),
        control(ControlKind::Edit, kAlias, {60, 29, 58, 12}),
        control(ControlKind::Static, kDash, {120, 31, 2, 8}, "-"),
        control(ControlKind::Edit, kMsn, {122, 29, 82, 12}),
        control(ControlKind::CheckBox, kClip, {380, 30, 30, 10}, "C&LIP"),
        control(ControlKind::Placeholder, kPicturePlace, {6, 48, 50, 21}),
        control(ControlKind::Static, kPort21Label, {60, 48, 120, 8}, "Port 21"),
        control(ControlKind::Edit, kAlias21, {60, 57, 58, 12}),
        control(ControlKind::PushButton, kSend, {152, 230, 110, 14}, "Send to Q20 / Q30"),
        control(ControlKind::HelpButton, kHelp, {396, 234, 10, 10}),
    };
    return t;
}

Menu menu_with_help(int id, const std::string& help)
{
    MenuItem about{MenuItem::Kind::Command, platform::ID_ABOUT, "&About...", {}};
    return Menu{id, {MenuItem{MenuItem::Kind::Popup, 0, help, {about}}}};
}

void press(QWidget* target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QKeyEvent event(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(target, &event);
}

class KeyboardAccessTest : public GuiTest {
protected:
    void SetUp() override
    {
        resources.dialogs.add(rows_template());
        build_main_and_pages();
        backend.set_menu(*main, &english);
        rows = std::make_unique<RecordingWindow>(ui, main.get());
        rows->create(kRowsTemplate, platform::WindowRole::Page);
        rows->add_control(control(ControlKind::PortPicture, kPicture, {0, 0, 0, 0}, "0"));
        rows->backend().place_control_over(*rows, kPicture, kPicturePlace);
        rows->show();
        main->show();
        QApplication::setActiveWindow(backend.window_widget(*main));
    }
    void TearDown() override { rows.reset(); }

    QWidget* at(int id) const { return backend.control_widget(*rows, id); }
    QString name(int id) const { return at(id)->accessibleName(); }
    // The ids Tab visits from `id`, as the window's focus chain gives them.
    std::vector<int> chain_from(int id, std::size_t count) const
    {
        std::vector<int> ids;
        QWidget* top = backend.window_widget(*rows);
        for (QWidget* w = at(id); ids.size() < count; w = w->nextInFocusChain()) {
            if (!top->isAncestorOf(w) || !(w->focusPolicy() & Qt::TabFocus) || !w->isEnabled() || w->isHidden())
                continue;
            const auto tagged = w->property("quillonControlId");
            ids.push_back(tagged.isValid() ? tagged.toInt() : 0);
        }
        return ids;
    }
    // The page's own Enter and Tab walk: on to the next field of the template.
    void walk_fields_like_a_page()
    {
        rows->key_handler = [this](Key) {
            const std::vector<int> fields = {kVolume, kAlias, kMsn, kClip, kAlias21};
            auto it = std::find(fields.begin(), fields.end(), rows->focus());
            rows->set_focus(it == fields.end() || it + 1 == fields.end() ? fields.front() : *(it + 1));
            return true;
        };
    }

    Menu english = menu_with_help(700, "&Help");
    Menu german = menu_with_help(701, "&Hilfe");
    std::unique_ptr<RecordingWindow> rows;
};

TEST_F(KeyboardAccessTest, ControlsAreNamedByCaptionLabelOrFrame)
{
    EXPECT_EQ(name(kClip), "CLIP") << "its own caption, without the mnemonic mark";
    EXPECT_EQ(name(kSend), "Send to Q20 / Q30");
    EXPECT_EQ(name(kAlias), "Port 11") << "the label just before it";
    EXPECT_EQ(name(kMsn), "Port 11") << "the label of its row, further back in the template, not the dash";
    EXPECT_EQ(name(kAlias21), "Port 21");
    rows->set_text(kPort21Label, "Port\n  21 ");
    EXPECT_EQ(name(kAlias21), "Port 21") << "on one line";
    EXPECT_EQ(name(kPicture), "Port 21") << "a picture at the start of a row takes the label after it";
    EXPECT_EQ(name(kVolume), "Volume");
    EXPECT_EQ(at(kVolume)->accessibleDescription(), "Options") << "the frame around it describes it";
    EXPECT_EQ(name(kRing), "Options") << "nothing before it: the frame names it";
    EXPECT_EQ(name(kHelp), "Help") << "the Help menu's title";
    EXPECT_EQ(widget<QWidget>(*main, platform::ID_PAGE_FIRST + 1)->accessibleName(), "Call acceptance");
}

TEST_F(KeyboardAccessTest, ALabelRightBeforeAnEditMovesTheFocusThereByItsMnemonic)
{
    auto* label = widget<QLabel>(*rows, kPortLabel);
    EXPECT_EQ(label->buddy(), at(kAlias));
    EXPECT_EQ(widget<QLabel>(*rows, kVolumeLabel)->buddy(), nullptr) << "a list is no edit";
    EXPECT_EQ(widget<QLabel>(*rows, kPort21Label)->buddy(), at(kAlias21));

    rows->set_focus(kClip);
    press(at(kClip), Qt::Key_P, Qt::AltModifier);
    EXPECT_EQ(rows->focus(), kAlias);

    // A label without a buddy still drops its mark; with one it shows it.
    rows->set_text(kVolumeLabel, "&Volume");
    EXPECT_EQ(widget<QLabel>(*rows, kVolumeLabel)->text(), "Volume");
    rows->set_text(kPortLabel, "P&ort 11");
    EXPECT_EQ(label->text(), "P&ort 11");
}

TEST_F(KeyboardAccessTest, NamesFollowNewTextsAndTheMenuLanguage)
{
    rows->set_text(kPortLabel, "Anschluss &11");
    rows->set_text(kClip, "&Rufnummer");
    rows->set_text(kOptions, "Optionen");
    main->set_text(platform::ID_PAGE_FIRST + 1, "Rufannahme");
    backend.set_menu(*main, &german);

    EXPECT_EQ(name(kAlias), "Anschluss 11");
    EXPECT_EQ(name(kMsn), "Anschluss 11");
    EXPECT_EQ(name(kClip), "Rufnummer");
    EXPECT_EQ(at(kVolume)->accessibleDescription(), "Optionen");
    EXPECT_EQ(name(kHelp), "Hilfe");
    backend.set_menu(*main, nullptr);
    backend.set_caption(*rows, "Einstellungen");
    EXPECT_EQ(name(kHelp), "Einstellungen") << "no Help menu: the window's caption";
    EXPECT_EQ(widget<QWidget>(*main, platform::ID_PAGE_FIRST + 1)->accessibleName(), "Rufannahme");
}

TEST_F(KeyboardAccessTest, TabOrderIsTemplateOrderWithPlacedAndReplacedControls)
{
    const std::vector<int> order = {kRing, kVolume, kAlias, kMsn, kClip, kPicture, kAlias21, kSend, kHelp, kRing};
    EXPECT_EQ(chain_from(kRing, order.size()), order) << "statics, frames and placeholders take no focus";

    // A control added again under its id keeps its place.
    rows->add_control(control(ControlKind::Edit, kMsn, {122, 29, 82, 12}));
    EXPECT_EQ(chain_from(kRing, order.size()), order);

    // Hidden and disabled controls are passed over.
    rows->set_visible(kMsn, false);
    rows->set_enabled(kClip, false);
    EXPECT_EQ(chain_from(kAlias, 3), (std::vector<int>{kAlias, kPicture, kAlias21}));
}

TEST_F(KeyboardAccessTest, TabInAPageStopsAtButtonsAndPicturesAndShiftTabGoesBack)
{
    walk_fields_like_a_page();
    rows->set_focus(kClip);
    press(at(kClip), Qt::Key_Tab);
    EXPECT_EQ(rows->focus(), kPicture) << "the picture between the fields";
    ASSERT_EQ(rows->keys.size(), 1u) << "the page stored the field first";

    rows->set_focus(kMsn);
    QWidget* frame = backend.window_widget(*main);
    frame->setAttribute(Qt::WA_KeyboardFocusChange, false);
    press(at(kMsn), Qt::Key_Tab);
    EXPECT_EQ(rows->focus(), kClip) << "field to field: the page's own choice";
    EXPECT_TRUE(frame->testAttribute(Qt::WA_KeyboardFocusChange)) << "drawn as moved by the keyboard";
    rows->set_focus(kAlias21);
    press(at(kAlias21), Qt::Key_Tab);
    EXPECT_EQ(rows->focus(), kSend);
    press(at(kSend), Qt::Key_Tab);
    EXPECT_EQ(rows->focus(), kHelp);

    press(at(kHelp), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(rows->focus(), kSend);
    press(at(kSend), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(rows->focus(), kAlias21);
    EXPECT_EQ(rows->keys.size(), 6u);
}

TEST_F(KeyboardAccessTest, AnEntryThePageRefusesWithAMessageKeepsTheFocus)
{
    rows->key_handler = [this](Key) {
        QTimer::singleShot(0, qApp, [] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
                box->button(QMessageBox::Ok)->click();
        });
        ui.message_box(rows.get(), "Error Format", "Quillon");
        return true;
    };
    rows->set_focus(kAlias21);
    press(at(kAlias21), Qt::Key_Tab);
    EXPECT_EQ(rows->focus(), kAlias21);
    press(at(kAlias21), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(rows->focus(), kAlias21);
}

TEST_F(KeyboardAccessTest, CtrlTabAndCtrlPageKeysTurnThePagesRoundTheRow)
{
    QWidget* frame = backend.window_widget(*main);
    main->set_check(platform::ID_PAGE_FIRST, 1);
    auto turned_to = [&](int key, Qt::KeyboardModifiers modifiers) {
        rows->messages.clear();
        press(at(kAlias), key, modifiers);
        ui.pump();
        auto commands = rows->commands();
        return commands.empty() ? 0 : commands.front().first;
    };
    // The page in front hears of it first, as of a click on a page button.
    EXPECT_EQ(turned_to(Qt::Key_Tab, Qt::ControlModifier), platform::ID_PAGE_FIRST + 1);
    EXPECT_EQ(turned_to(Qt::Key_PageDown, Qt::ControlModifier), platform::ID_PAGE_FIRST + 1);
    EXPECT_EQ(turned_to(Qt::Key_PageUp, Qt::ControlModifier), platform::ID_PAGE_FIRST + 1) << "round the row";
    main->set_check(platform::ID_PAGE_FIRST, 0);
    main->set_check(platform::ID_PAGE_FIRST + 1, 1);
    EXPECT_EQ(turned_to(Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier), platform::ID_PAGE_FIRST);
    EXPECT_EQ(turned_to(Qt::Key_Tab, Qt::ControlModifier), platform::ID_PAGE_FIRST);
    EXPECT_TRUE(rows->keys.empty()) << "not a Tab for the page";
    EXPECT_TRUE(frame->isVisible());
}

TEST_F(KeyboardAccessTest, APageComingToTheFrontTakesTheFocusBackWhereItWas)
{
    rows->set_focus(kMsn);
    smallPage->show();
    EXPECT_EQ(smallPage->focus(), kNameEdit) << "its first control";
    EXPECT_TRUE(widget<QWidget>(*smallPage, kNameEdit)->hasFocus());
    smallPage->set_focus(kSend);
    rows->show();
    EXPECT_TRUE(at(kMsn)->hasFocus()) << "where it was when it went";
    smallPage->show();
    EXPECT_TRUE(widget<QWidget>(*smallPage, kSend)->hasFocus());
}

TEST_F(KeyboardAccessTest, SpaceOpensThePortPicturesMenuAndShowsWhereTheFocusIs)
{
    QWidget* picture = at(kPicture);
    rows->set_focus(kPicture);
    ASSERT_EQ(rows->focus(), kPicture);
    const QImage focused = picture->grab().toImage();
    bool opened = false;
    QTimer::singleShot(0, qApp, [&] {
        if (QWidget* popup = QApplication::activePopupWidget()) {
            opened = qobject_cast<QMenu*>(popup) != nullptr;
            popup->close();
        }
    });
    press(picture, Qt::Key_Space);
    EXPECT_TRUE(opened);

    rows->set_focus(kAlias);
    EXPECT_NE(picture->grab().toImage(), focused) << "the focus is drawn";
}

} // namespace
} // namespace quillon::gui::test
