// Controls get the right widgets, and values set by the program read back
// without notifying the window.
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include "gui/group_frame.h"
#include "gui/list_selector.h"
#include "gui/picture_widgets.h"
#include "gui/tab_button.h"
#include "gui_fixture.h"

namespace quillon::gui::test {
namespace {

class ControlsTest : public GuiTest {
protected:
    void SetUp() override { build_main_and_pages(); }
};

TEST_F(ControlsTest, EveryKindGetsItsWidget)
{
    EXPECT_NE(widget<QLineEdit>(*page, kNameEdit), nullptr);
    EXPECT_NE(widget<QPlainTextEdit>(*page, kNotesEdit), nullptr);
    EXPECT_NE(widget<QCheckBox>(*page, kSoundCheck), nullptr);
    EXPECT_NE(widget<QRadioButton>(*page, kRadioA), nullptr);
    EXPECT_NE(widget<QLabel>(*page, kLabel), nullptr);
    EXPECT_NE(widget<QListWidget>(*page, kList), nullptr);
    EXPECT_NE(widget<QComboBox>(*page, kDropList), nullptr);
    EXPECT_NE(widget<GroupFrame>(*page, kFrame), nullptr);
    EXPECT_NE(widget<PictureView>(*page, kWarningPicture), nullptr);
    EXPECT_NE(widget<PictureButton>(*page, kCreditsButton), nullptr);
    EXPECT_NE(widget<PictureButton>(*page, kHelp), nullptr);
    EXPECT_NE(widget<ListSelector>(*page, kSelector), nullptr);
    EXPECT_NE(widget<TabButton>(*main, platform::ID_PAGE_FIRST), nullptr);
    ASSERT_NE(widget<QPushButton>(*page, kSend), nullptr);
    EXPECT_TRUE(widget<QPushButton>(*page, kSend)->isDefault());
    EXPECT_EQ(widget<QLineEdit>(*page, kNameEdit)->maxLength(), 5);
    EXPECT_FALSE(page->visible(kMark)) << "placeholders only mark a place";
    EXPECT_TRUE(page->has_control(kPorts));
    EXPECT_FALSE(page->has_control(4242));
}

TEST_F(ControlsTest, ABlueTextIsPaintedInBlue)
{
    EXPECT_EQ(widget<QLabel>(*page, kLabel)->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    EXPECT_NE(widget<QCheckBox>(*page, kSoundCheck)->palette().color(QPalette::WindowText), QColor(0, 0, 255));
}

TEST_F(ControlsTest, PicturesKeepTheirNaturalSize)
{
    EXPECT_EQ(widget<PictureView>(*page, kWarningPicture)->size(), QSize(32, 32));
    EXPECT_EQ(widget<PictureButton>(*page, kCreditsButton)->size(), QSize(80, 18));
    EXPECT_EQ(widget<PictureButton>(*page, kHelp)->size(), QSize(15, 15));
    // A picture changed by its text; an unknown one leaves the place empty.
    page->set_text(kWarningPicture, "370");
    EXPECT_EQ(widget<PictureView>(*page, kWarningPicture)->sizeHint(), QSize(300, 336));
    page->set_text(kWarningPicture, "not a number");
    EXPECT_FALSE(widget<PictureView>(*page, kWarningPicture)->sizeHint().isValid());
}

TEST_F(ControlsTest, TextsRoundTripWithoutNotifying)
{
    page->set_text(kNameEdit, "Anna");
    EXPECT_EQ(page->text(kNameEdit), "Anna");
    page->set_text(kNotesEdit, "one\r\ntwo");
    EXPECT_EQ(page->text(kNotesEdit), "one\ntwo");
    page->set_text(kLabel, "Load && Save");
    EXPECT_EQ(page->text(kLabel), "Load && Save") << "the text as given";
    EXPECT_EQ(widget<QLabel>(*page, kLabel)->text(), "Load & Save") << "shown as a static shows it";
    page->set_text(kSend, "Senden");
    EXPECT_EQ(widget<QPushButton>(*page, kSend)->text(), "Senden");
    page->set_text(kNumberEdit, "12a");  // the program may set what the user could not type
    EXPECT_EQ(page->text(kNumberEdit), "12a");
    EXPECT_TRUE(page->messages.empty());
}

TEST_F(ControlsTest, ChecksRoundTripWithoutNotifying)
{
    page->set_check(kSoundCheck, 1);
    EXPECT_EQ(page->check(kSoundCheck), 1);
    page->set_check(kSoundCheck, 2);
    EXPECT_EQ(page->check(kSoundCheck), 2);

    page->set_check(kRadioA, 1);
    page->set_check(kRadioC, 1);
    EXPECT_EQ(page->check(kRadioA), 1) << "GROUPSTART begins a separate group";
    page->set_check(kRadioB, 1);
    EXPECT_EQ(page->check(kRadioA), 0) << "radios of one group exclude each other";
    page->set_check(kRadioB, 0);
    EXPECT_EQ(page->check(kRadioB), 0) << "the program can clear a group";

    main->set_check(platform::ID_PAGE_FIRST, 1);
    EXPECT_EQ(main->check(platform::ID_PAGE_FIRST), 1);
    EXPECT_TRUE(widget<TabButton>(*main, platform::ID_PAGE_FIRST)->selected());
    EXPECT_TRUE(page->messages.empty());
    EXPECT_TRUE(main->messages.empty());
}

TEST_F(ControlsTest, ListsRoundTripWithoutNotifying)
{
    for (int id : {kList, kDropList}) {
        SCOPED_TRACE(id);
        page->set_items(id, {"COM1", "COM2", "COM3"});
        EXPECT_EQ(page->selection(id), -1) << "new entries have no current one";
        page->set_selection(id, 2);
        EXPECT_EQ(page->selection(id), 2);
        EXPECT_EQ(page->text(id), "COM3");
        page->set_items(id, {"COM 1", "COM 2", "COM 3"});
        EXPECT_EQ(page->selection(id), 2) << "relabelled entries keep the choice";
        page->set_items(id, {"COM1"});
        EXPECT_EQ(page->selection(id), -1) << "unless it is gone";
        page->set_selection(id, 7);
        EXPECT_EQ(page->selection(id), -1);
    }
    EXPECT_TRUE(page->messages.empty());
}

TEST_F(ControlsTest, SelectorShowsShortTextsAndKeepsItsEntry)
{
    auto* selector = widget<ListSelector>(*page, kSelector);
    EXPECT_EQ(page->selection(kSelector), -1) << "no entries yet";
    page->set_items(kSelector, {"No Caller ID presentation", "(FSK)Send Phone Number"},
                    {"No Caller ID.....", "(FSK)Send....."});
    page->set_selection(kSelector, 1);
    EXPECT_EQ(selector->current_shown(), "(FSK)Send.....");
    EXPECT_EQ(page->text(kSelector), "(FSK)Send Phone Number");
    // A language change brings new texts; the entry stays.
    page->set_items(kSelector, {"keine", "(FSK)Rufnummer"});
    EXPECT_EQ(page->selection(kSelector), 1);
    EXPECT_EQ(selector->current_shown(), "(FSK)Rufnummer") << "without short texts the entry itself shows";
    page->set_items(kSelector, {"only"});
    EXPECT_EQ(page->selection(kSelector), -1);
    EXPECT_EQ(selector->current_shown(), "");
    EXPECT_TRUE(page->messages.empty());
}

TEST_F(ControlsTest, StateOfControls)
{
    page->set_enabled(kSend, false);
    EXPECT_FALSE(page->enabled(kSend));
    page->set_visible(kSend, false);
    EXPECT_FALSE(page->visible(kSend));
    page->set_visible(kSend, true);
    EXPECT_TRUE(page->visible(kSend)) << "visible as a control even while its page is hidden";
    page->set_focus(kNumberEdit);
    EXPECT_EQ(page->focus(), kNumberEdit);
    EXPECT_EQ(main->focus(), 0) << "a page's control is not one of the main window's";
    // Unknown ids are harmless.
    page->set_text(4242, "x");
    EXPECT_EQ(page->text(4242), "");
    EXPECT_EQ(page->selection(4242), -1);
}

TEST_F(ControlsTest, PageButtonLabelsShrinkToFitTheirButton)
{
    auto* tab = widget<TabButton>(*main, platform::ID_PAGE_FIRST + 1);
    main->set_text(platform::ID_PAGE_FIRST + 1, "Rufnummernzuordnung");
    const QFont font = tab->label_font();
    EXPECT_LT(font.pixelSize(), tab->font().pixelSize());
    EXPECT_LE(QFontMetrics(font).horizontalAdvance(tab->text()), tab->width() - 2 * TabButton::kLabelX);
    main->set_text(platform::ID_PAGE_FIRST + 1, "&Log");
    EXPECT_EQ(tab->label_font().pixelSize(), tab->font().pixelSize()) << "short labels keep the font";
}

// The lowest row of the label's pixels: its baseline, for a label without
// descenders.
int label_bottom(TabButton& tab)
{
    const QImage image = tab.grab().toImage();
    for (int y = image.height() - 1; y >= 0; --y)
        for (int x = TabButton::kLabelX; x < image.width() - TabButton::kLabelX; ++x)
            if (image.pixelColor(x, y) == QColor(Qt::white))
                return y;
    return -1;
}

TEST_F(ControlsTest, PageButtonLabelsThatGiveWayStayOnTheRowsLine)
{
    auto* msn = widget<TabButton>(*main, platform::ID_PAGE_FIRST);
    auto* other = widget<TabButton>(*main, platform::ID_PAGE_FIRST + 1);
    main->set_text(platform::ID_PAGE_FIRST, "MSN");
    main->set_text(platform::ID_PAGE_FIRST + 1, "CALL ACCEPTANCE");
    main->set_control_rect(platform::ID_PAGE_FIRST + 1, {48, 0, 80, 37});
    ASSERT_LT(other->label_font().pixelSize(), other->font().pixelSize()) << "a label that has to shrink";
    EXPECT_EQ(label_bottom(*other), label_bottom(*msn)) << "drawn on the same line, not higher";
    EXPECT_EQ(other->label_baseline(), msn->label_baseline());

    // A little too wide: narrower letters of the same height.
    main->set_text(platform::ID_PAGE_FIRST + 1, "Forwardings");
    const int fullWidth = QFontMetrics(other->font()).horizontalAdvance("Forwardings");
    main->set_control_rect(platform::ID_PAGE_FIRST + 1, {48, 0, fullWidth + 2 * TabButton::kLabelX - 3, 37});
    const QFont narrower = other->label_font();
    EXPECT_EQ(narrower.pixelSize(), other->font().pixelSize());
    EXPECT_LT(narrower.stretch(), QFont::Unstretched);
}

TEST_F(ControlsTest, AddingAControlAgainReplacesIt)
{
    page->add_control({resources::ControlKind::Static, kNameEdit, {1, 1, 20, 8}, "now a label", 0, 0});
    EXPECT_NE(widget<QLabel>(*page, kNameEdit), nullptr);
    EXPECT_EQ(page->text(kNameEdit), "now a label");
}

} // namespace
} // namespace quillon::gui::test
