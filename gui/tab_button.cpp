#include "gui/tab_button.h"

#include <QPainter>

#include "gui/dialog_units.h"

namespace quillon::gui {
namespace {

const QColor kFace(128, 128, 128);
const QColor kPageBackground(240, 240, 240);
const QColor kLabel(255, 255, 255);
const QColor kSelectedLabel(0, 255, 0);
// The five bevel pens, darkest first.
const QColor kShadowInner(64, 64, 64);
const QColor kShadowOuter(0, 0, 0);
const QColor kLightInner(160, 160, 160);
const QColor kLightOuter(191, 191, 191);

constexpr int kNotch = 2;  // how far the bevel steps in at the bottom corners of a selected tab
constexpr int kStretchStep = 5;
constexpr int kNarrowestStretch = 80;  // percent of the normal width
constexpr int kTextFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextHideMnemonic;

void vertical(QPainter& p, const QColor& c, int x, int top, int bottom)
{
    p.setPen(c);
    p.drawLine(x, top, x, bottom);
}

void horizontal(QPainter& p, const QColor& c, int y, int left, int right)
{
    p.setPen(c);
    p.drawLine(left, y, right, y);
}

} // namespace

TabButton::TabButton(QWidget* parent) : QAbstractButton(parent)
{
    // A click on a page button must not take the focus from the page's field.
    setFocusPolicy(Qt::NoFocus);
}

void TabButton::set_selected(bool selected)
{
    if (selected_ == selected)
        return;
    selected_ = selected;
    update();
}

QFont TabButton::full_font() const
{
    QFont font = this->font();
    if (font.pixelSize() <= 0)
        font.setPixelSize(desktop_font_pixels());
    return font;
}

QFont TabButton::label_font() const
{
    QFont font = full_font();
    const int room = width() - 2 * kLabelX;
    auto fits = [&] { return QFontMetrics(font).boundingRect(QRect(), kTextFlags, text()).width() <= room; };
    // Narrower letters first, so that the label keeps the height of the
    // others; smaller letters only when that is not enough.
    for (int stretch = QFont::Unstretched - kStretchStep; !fits() && stretch >= kNarrowestStretch;
         stretch -= kStretchStep)
        font.setStretch(stretch);
    while (!fits() && font.pixelSize() > kMinimumFontPixels)
        font.setPixelSize(font.pixelSize() - 1);
    return font;
}

int TabButton::label_baseline() const
{
    return (selected_ ? kSelectedLabelY : kLabelY) + QFontMetrics(full_font()).ascent();
}

void TabButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const int w = width();
    const int h = height();
    const int right = w - 1;
    const int bottom = h - 1;
    p.fillRect(rect(), kFace);

    if (selected_) {
        // Joined to the page: no bottom edge, the sides step in at the
        // bottom corners, which show the page's light background.
        const int cornerTop = h - kStripHeight;
        p.fillRect(0, cornerTop, kNotch, kStripHeight, kPageBackground);
        p.fillRect(w - kNotch, cornerTop, kNotch, kStripHeight, kPageBackground);
        horizontal(p, kLightOuter, 0, 0, right - 1);
        horizontal(p, kLightInner, 1, 1, right - 2);
        vertical(p, kLightOuter, 0, 0, cornerTop - 1);
        vertical(p, kLightInner, 1, 1, cornerTop - 1);
        vertical(p, kLightOuter, kNotch, cornerTop, bottom);
        vertical(p, kLightInner, kNotch + 1, cornerTop, bottom);
        vertical(p, kShadowOuter, right, 0, cornerTop - 1);
        vertical(p, kShadowInner, right - 1, 1, cornerTop - 1);
        vertical(p, kShadowOuter, right - kNotch, cornerTop, bottom);
        vertical(p, kShadowInner, right - kNotch - 1, cornerTop, bottom);
    } else {
        const int faceBottom = bottom - kStripHeight;
        p.fillRect(0, h - kStripHeight, w, kStripHeight, kPageBackground);
        horizontal(p, kLightOuter, 0, 0, right - 1);
        vertical(p, kLightOuter, 0, 0, faceBottom - 1);
        horizontal(p, kLightInner, 1, 1, right - 2);
        vertical(p, kLightInner, 1, 1, faceBottom - 2);
        horizontal(p, kShadowOuter, faceBottom, 0, right);
        vertical(p, kShadowOuter, right, 0, faceBottom);
        horizontal(p, kShadowInner, faceBottom - 1, 1, right - 1);
        vertical(p, kShadowInner, right - 1, 1, faceBottom - 1);
    }

    const QFont font = label_font();
    p.setFont(font);
    p.setPen(selected_ ? kSelectedLabel : kLabel);
    // A label drawn smaller sits on the same line as the others.
    const int labelY = label_baseline() - QFontMetrics(font).ascent();
    p.drawText(QRect(kLabelX, labelY, w - kLabelX, h - labelY), kTextFlags, text());
}

} // namespace quillon::gui
