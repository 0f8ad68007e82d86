#include "gui/group_frame.h"

#include <algorithm>

#include <QPainter>

namespace quillon::gui {
namespace {

const QColor kEtchShadow(160, 160, 160);
const QColor kEtchLight(255, 255, 255);
constexpr int kTitleFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextHideMnemonic;

} // namespace

GroupFrame::GroupFrame(const QString& title, QWidget* parent) : QWidget(parent), title_(title)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void GroupFrame::set_title(const QString& title)
{
    title_ = title;
    update();
}

void GroupFrame::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QFontMetrics metrics(font());
    const int top = metrics.height() / 2;
    // Two rectangles a pixel apart make the etched line.
    const QRect frame(0, top, width() - 2, height() - top - 2);
    p.setPen(kEtchShadow);
    p.drawRect(frame);
    p.setPen(kEtchLight);
    p.drawRect(frame.translated(1, 1));

    if (title_.isEmpty())
        return;
    const QRect room(kTitleIndent, 0, std::max(0, width() - 2 * kTitleIndent), metrics.height());
    QRect titleRect = metrics.boundingRect(room, kTitleFlags, title_).intersected(room);
    titleRect.adjust(-kTitlePadding, 0, kTitlePadding, 0);
    p.fillRect(titleRect, palette().color(QPalette::Window));
    p.setPen(palette().color(QPalette::WindowText));
    p.drawText(room, kTitleFlags, title_);
}

} // namespace quillon::gui
