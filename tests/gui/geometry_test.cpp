// Dialog units and template fonts.
#include <climits>

#include <QApplication>
#include <QFontMetrics>

#include "gui/dialog_units.h"
#include "gui/qt_backend.h"
#include "gui_fixture.h"

namespace quillon::gui::test {
namespace {

TEST(DialogUnits, ScaleWithTheFontAndRound)
{
    const DialogUnitScale units(6, 14);  // a 6 x 14 pixel font
    EXPECT_EQ(units.x_pixels(4), 6);
    EXPECT_EQ(units.y_pixels(8), 14);
    EXPECT_EQ(units.x_pixels(1), 2) << "1.5 rounds up";
    EXPECT_EQ(units.x_pixels(-1), -2) << "and down for negatives";
    EXPECT_EQ(units.to_pixels({10, 10, 40, 12}), (platform::Rect{15, 18, 60, 21}));
    // Rectangles side by side stay side by side.
    const auto left = units.to_pixels({1, 0, 3, 8});
    const auto right = units.to_pixels({4, 0, 3, 8});
    EXPECT_EQ(left.right(), right.x);
}

TEST(DialogUnits, AbsurdSizesAreClampedNotOverflowed)
{
    const DialogUnitScale units(1000, 1000);
    const auto huge = units.to_pixels({INT_MAX, INT_MIN, INT_MAX, INT_MAX});
    EXPECT_LE(huge.x, 32767);
    EXPECT_GE(huge.y, -32767);
    EXPECT_GE(huge.width, 0);
    EXPECT_EQ(DialogUnitScale(0, -5).to_pixels({4, 8, 4, 8}), (platform::Rect{1, 1, 1, 1})) << "no zero font";
}

TEST(TemplateFonts, TenPixelsIsTheDesktopSize)
{
    EXPECT_EQ(template_font(10, "Small Fonts").pixelSize(), desktop_font_pixels());
    EXPECT_EQ(template_font(20, "MS Sans Serif").pixelSize(), 2 * desktop_font_pixels());
    EXPECT_EQ(template_font(10, "MS Sans Serif").family(), QApplication::font().family());
    EXPECT_GE(template_font(1, "Small Fonts").pixelSize(), kMinimumFontPixels);
    EXPECT_EQ(template_font(0, "").pointSizeF(), QApplication::font().pointSizeF()) << "no FONT line";
    EXPECT_EQ(template_font(10, "Courier New").families().value(0), "Courier New") << "other faces are asked for";
}

class WindowSizeTest : public GuiTest {};

TEST_F(WindowSizeTest, WindowsTakeTheirTemplateSize)
{
    build_main_and_pages();
    const DialogUnitScale units = DialogUnitScale::of(template_font(10, "Small Fonts"));
    const QWidget* pageWidget = backend.window_widget(*page);
    EXPECT_EQ(pageWidget->width(), units.x_pixels(414));
    EXPECT_EQ(pageWidget->height(), units.y_pixels(250));
    // Controls sit at their template position in the page's units.
    EXPECT_EQ(backend.control_widget(*page, kNameEdit)->pos(), QPoint(units.x_pixels(12), units.y_pixels(16)));
}

} // namespace
} // namespace quillon::gui::test
