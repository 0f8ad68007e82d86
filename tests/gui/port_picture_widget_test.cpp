// The port picture selector on Qt: it paints its field, picture, marker and
// arrow field, and a pick from its menu reaches the window as a click.
#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QTimer>

#include "gui/port_picture_widget.h"
#include "gui_fixture.h"
#include "resources/port_picture_kind.h"

namespace quillon::gui::test {
namespace {

constexpr int kDataPicture = 1091;
constexpr int kMarkedPicture = 1092;
constexpr int kLanguagePicture = 1093;

class PortPictureWidgetTest : public GuiTest {
protected:
    void SetUp() override
    {
        // A program run by an earlier test may have asked the application
        // to quit while no loop ran, which ends every later loop (a menu's
        // too) at once; one short application loop clears that.
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        QApplication::exec();
        build_main_and_pages();
        add(kDataPicture, resources::PortPictureKind::DataPort, resources::kStyleDropDown, {4, 200, 42, 21});
        add(kMarkedPicture, resources::PortPictureKind::AnalogueWithMarker, 0, {60, 200, 42, 21});
        add(kLanguagePicture, resources::PortPictureKind::Language, 0, {120, 200, 42, 21});
        page->set_items(kDataPicture, {"315:en", "316:en", "317:en", "318:en", "319:en", "320:en"});
        page->set_items(kMarkedPicture, {"300:de", "301:de"});
        page->set_selection(kDataPicture, 5);
    }
    void add(int id, resources::PortPictureKind kind, unsigned style, platform::Rect rect)
    {
        page->add_control({resources::ControlKind::PortPicture, id, rect, resources::port_picture_kind_text(kind), style, 0});
    }
    PortPictureWidget& picture(int id) { return *widget<PortPictureWidget>(*page, id); }
    static QImage image_of(QWidget& w)
    {
        QImage image(w.size(), QImage::Format_RGB32);
        image.fill(Qt::black);
        w.render(&image);
        return image;
    }
    static bool same_area(const QImage& a, const QImage& b, QRect area)
    {
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                if (a.pixel(x, y) != b.pixel(x, y))
                    return false;
        return true;
    }
    static void press(QWidget& w, QPoint at, Qt::MouseButton button)
    {
        QMouseEvent event(QEvent::MouseButtonPress, QPointF(at), QPointF(w.mapToGlobal(at)), button, button,
                          Qt::NoModifier);
        QApplication::sendEvent(&w, &event);
    }
    // Answers the menu the next press opens: picks entry `index`, or closes
    // it for -1. Whether a menu opened shows in menuSeen once the events of
    // the press were delivered.
    static void answer_next_menu(int index)
    {
        menuSeen = false;
        QTimer::singleShot(0, [index] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!menu)
                return;
            menuSeen = true;
            if (index < 0 || index >= menu->actions().size()) {
                menu->close();
                return;
            }
            menu->setActiveAction(menu->actions().at(index));
            QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
            QApplication::sendEvent(menu, &enter);
        });
        // A menu that did not take the key must not hang the test.
        QTimer::singleShot(5000, [] {
            if (QWidget* popup = QApplication::activePopupWidget())
                popup->close();
        });
    }
    static bool pressed_opened_menu(QWidget& w, QPoint at, Qt::MouseButton button, int pick)
    {
        answer_next_menu(pick);
        press(w, at, button);
        QCoreApplication::processEvents();
        return menuSeen;
    }
    static inline bool menuSeen = false;

    int clicks_of(int id) const
    {
        int n = 0;
        for (const Message& m : page->messages)
            n += m.id == platform::UWM_CONTROL_CLICK && static_cast<int>(m.wparam) == id;
        return n;
    }
};

TEST_F(PortPictureWidgetTest, PaintsFieldPictureMarkerAndArrowField)
{
    PortPictureWidget& data = picture(kDataPicture);
    EXPECT_EQ(data.size(), QSize(72, 37));
    EXPECT_EQ(picture(kLanguagePicture).size(), QSize(34 + 30, 34 + 5)) << "the language look: picture + 30 by + 5";
    EXPECT_EQ(page->selection(kDataPicture), 5);

    const QImage shown = image_of(data);
    EXPECT_EQ(QColor(shown.pixel(0, 0)), QColor(240, 240, 240)) << "a rounded corner";
    EXPECT_EQ(QColor(shown.pixel(3, 30)), QColor(220, 220, 220)) << "the field left of the picture";
    EXPECT_EQ(QColor(shown.pixel(36, 0)), QColor(255, 255, 255)) << "the raised frame's light edge";
    EXPECT_EQ(QColor(shown.pixel(36, 36)), QColor(128, 128, 128)) << "and its dark edge";

    page->set_items(kDataPicture, {});
    const QImage empty = image_of(data);
    EXPECT_FALSE(same_area(shown, empty, QRect(7, 1, 34, 34))) << "the picture at (7, 1) in the drop-down look";
    EXPECT_EQ(QColor(empty.pixel(24, 18)), QColor(220, 220, 220)) << "no picture: only the field";
    const QRect field = data.arrow_field();
    int arrow = 0;
    for (int y = field.top(); y <= field.bottom(); ++y)
        for (int x = field.left(); x <= field.right(); ++x)
            arrow += QColor(empty.pixel(x, y)) == QColor(Qt::black);
    EXPECT_GT(arrow, 10) << "the arrow of the drop-down look's arrow field";

    PortPictureWidget& marked = picture(kMarkedPicture);
    const QImage idle = image_of(marked);
    page->set_check(kMarkedPicture, 1);
    EXPECT_EQ(page->check(kMarkedPicture), 1);
    EXPECT_FALSE(same_area(idle, image_of(marked), QRect(42, 19, 12, 12))) << "the busy marker replaces the idle one";
}

TEST_F(PortPictureWidgetTest, AMenuPickReachesTheWindowAndTheLeftButtonOnlyOpensItAtTheRight)
{
    PortPictureWidget& data = picture(kDataPicture);
    EXPECT_FALSE(pressed_opened_menu(data, QPoint(10, 10), Qt::LeftButton, -1)) << "left of x = 50: no menu";
    EXPECT_EQ(clicks_of(kDataPicture), 0);

    EXPECT_TRUE(pressed_opened_menu(data, QPoint(10, 10), Qt::RightButton, 2)) << "the right button anywhere";
    EXPECT_EQ(clicks_of(kDataPicture), 1);
    EXPECT_EQ(page->selection(kDataPicture), 2);
    ASSERT_FALSE(page->messages.empty());
    EXPECT_EQ(page->messages.back().id, platform::UWM_CONTROL_CLICK);

    EXPECT_TRUE(pressed_opened_menu(data, QPoint(60, 20), Qt::LeftButton, 4)) << "the left button in the arrow field";
    EXPECT_EQ(page->selection(kDataPicture), 4);
    EXPECT_TRUE(pressed_opened_menu(data, QPoint(60, 20), Qt::RightButton, -1));
    EXPECT_EQ(clicks_of(kDataPicture), 2) << "a closed menu picks nothing";

    page->set_enabled(kDataPicture, false);
    EXPECT_FALSE(pressed_opened_menu(data, QPoint(60, 20), Qt::RightButton, 1)) << "disabled: display only";
    EXPECT_EQ(page->selection(kDataPicture), 4);
}

} // namespace
} // namespace quillon::gui::test
