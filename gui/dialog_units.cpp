#include "gui/dialog_units.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>

namespace quillon::gui {
namespace {

// Widgets far beyond any screen are clamped rather than overflowing Qt's
// geometry arithmetic.
constexpr int kMaxCoordinate = 32767;

constexpr int kHorizontalDivisor = 4;
constexpr int kVerticalDivisor = 8;

// value * numerator / divisor rounded half away from zero, as dialogs have
// always been scaled.
int scale(int value, int numerator, int divisor)
{
    const int64_t product = static_cast<int64_t>(value) * numerator;
    const int64_t magnitude = (std::llabs(product) + divisor / 2) / divisor;
    const int64_t result = product < 0 ? -magnitude : magnitude;
    return static_cast<int>(std::clamp<int64_t>(result, -kMaxCoordinate, kMaxCoordinate));
}

bool is_classic_face(std::string_view face)
{
    return face.empty() || face == "Small Fonts" || face == "MS Sans Serif";
}

} // namespace

int desktop_font_pixels()
{
    const QFont font = QApplication::font();
    if (font.pixelSize() > 0)
        return font.pixelSize();
    // Point sizes are given at the screen's logical resolution.
    qreal dpi = 96.0;
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        dpi = screen->logicalDotsPerInch();
    return std::max(kMinimumFontPixels, static_cast<int>(std::lround(font.pointSizeF() * dpi / 72.0)));
}

QFont template_font(int templatePixels, std::string_view face)
{
    QFont font = QApplication::font();
    if (!is_classic_face(face))
        font.setFamilies({QString::fromUtf8(face.data(), static_cast<qsizetype>(face.size())), font.family()});
    if (templatePixels > 0) {
        const int pixels = scale(std::min(templatePixels, kMaxCoordinate), desktop_font_pixels(),
                                 kReferenceTemplatePixels);
        font.setPixelSize(std::max(kMinimumFontPixels, pixels));
    }
    return font;
}

DialogUnitScale::DialogUnitScale(int averageCharWidth, int charHeight)
    : baseX_(std::max(1, averageCharWidth)), baseY_(std::max(1, charHeight))
{
}

DialogUnitScale DialogUnitScale::of(const QFont& font)
{
    const QFontMetrics metrics(font);
    return DialogUnitScale(metrics.averageCharWidth(), metrics.height());
}

int DialogUnitScale::x_pixels(int du) const { return scale(du, baseX_, kHorizontalDivisor); }

int DialogUnitScale::y_pixels(int du) const { return scale(du, baseY_, kVerticalDivisor); }

platform::Rect DialogUnitScale::to_pixels(const platform::Rect& du) const
{
    const int left = x_pixels(du.x);
    const int top = y_pixels(du.y);
    const int right = x_pixels(static_cast<int>(std::clamp<int64_t>(int64_t{du.x} + du.width, INT32_MIN, INT32_MAX)));
    const int bottom = y_pixels(static_cast<int>(std::clamp<int64_t>(int64_t{du.y} + du.height, INT32_MIN, INT32_MAX)));
    return {left, top, std::max(0, right - left), std::max(0, bottom - top)};
}

} // namespace quillon::gui
