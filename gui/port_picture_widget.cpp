#include "gui/port_picture_widget.h"

#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QProxyStyle>

#include "gui/focus_frame.h"
#include "resources/resources.h"

namespace quillon::gui {
namespace {

const QColor kBackground(220, 220, 220);
const QColor kCorner(240, 240, 240);
const QColor kLightEdge(255, 255, 255);
const QColor kDarkEdge(128, 128, 128);

constexpr QPoint kPicturePosition(17, 1);
constexpr QPoint kDropDownPicturePosition(7, 1);
constexpr QPoint kMarkerPosition(42, 19);
constexpr int kMenuPictureSize = 34;

// Menus draw their icons small; the picture menu shows them whole.
class PictureMenuStyle : public QProxyStyle {
public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override
    {
        if (metric == PM_SmallIconSize)
            return kMenuPictureSize;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

void draw(QPainter& painter, const Picture& picture, QPoint at)
{
    if (picture)
        picture->render(&painter, QRectF(at, QSizeF(natural_size(picture))));
}

QPixmap pixmap_of(const Picture& picture)
{
    const QSize size = picture ? natural_size(picture) : QSize(kMenuPictureSize, kMenuPictureSize);
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    draw(painter, picture, QPoint(0, 0));
    return pixmap;
}

} // namespace

PortPictureWidget::PortPictureWidget(resources::PortPictureKind kind, bool dropDown, PictureLibrary& pictures,
                                     QWidget* parent)
    : QWidget(parent), kind_(kind), dropDown_(dropDown), pictures_(pictures), size_(kWidth, kHeight)
{
    // The right button opens the picture menu, never a context menu.
    setContextMenuPolicy(Qt::PreventContextMenu);
    // Reached by Tab, where Space opens the menu; a click leaves the focus
    // in the field the user was typing in.
    setFocusPolicy(Qt::TabFocus);
    if (kind_ == resources::PortPictureKind::Language) {
        QSize picture = natural_size(pictures_.get(resources::first_picture_id(kind_)));
        if (!picture.isValid())
            picture = QSize(kMenuPictureSize, kMenuPictureSize);
        size_ = picture + QSize(kLanguageExtraWidth, kLanguageExtraHeight);
    }
}

void PortPictureWidget::set_items(const std::vector<std::string>& items)
{
    items_.clear();
    for (const std::string& item : items)
        items_.append(QString::fromStdString(item));
    if (current_ >= count())
        current_ = -1;
    update();
}

QString PortPictureWidget::item(int index) const
{
    return index >= 0 && index < count() ? items_[index] : QString();
}

void PortPictureWidget::set_current(int index)
{
    current_ = index >= 0 && index < count() ? index : -1;
    update();
}

void PortPictureWidget::set_busy(bool busy)
{
    busy_ = busy;
    update();
}

void PortPictureWidget::pick(int index)
{
    if (index < 0 || index >= count())
        return;
    set_current(index);
    if (on_picked)
        on_picked(index);
}

int PortPictureWidget::menu_area_left() const
{
    const int left = kind_ == resources::PortPictureKind::Language ? kLanguageMenuAreaLeft : kMenuAreaLeft;
    // A control narrower than its menu area could never be opened with the
    // left button: then the whole control opens the menu.
    return left < width() ? left : 0;
}

QPoint PortPictureWidget::picture_position() const { return dropDown_ ? kDropDownPicturePosition : kPicturePosition; }

QRect PortPictureWidget::arrow_field() const
{
    // Inside the raised frame at the right edge.
    return QRect(width() - 1 - kArrowFieldWidth, 1, kArrowFieldWidth, height() - 2);
}

QSize PortPictureWidget::sizeHint() const { return size_; }

Picture PortPictureWidget::picture_of(int index) const
{
    const auto reference = resources::parse_picture_reference(item(index).toStdString());
    return reference ? pictures_.get(reference->id, reference->language) : Picture();
}

void PortPictureWidget::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QRect r = rect();
    p.fillRect(r, kBackground);

    // Raised frame, then the rounded corners over its ends.
    p.setPen(kLightEdge);
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.setPen(kDarkEdge);
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
    p.setPen(kCorner);
    for (const QPoint corner : {r.topLeft(), r.topRight(), r.bottomLeft(), r.bottomRight()}) {
        const int dx = corner.x() == r.left() ? 1 : -1;
        const int dy = corner.y() == r.top() ? 1 : -1;
        p.drawPoint(corner);
        p.drawPoint(corner + QPoint(dx, 0));
        p.drawPoint(corner + QPoint(0, dy));
    }

    draw(p, picture_of(current_), picture_position());
    if (resources::has_marker(kind_))
        draw(p, pictures_.get(busy_ ? kBusyMarker : kIdleMarker), kMarkerPosition);
    if (dropDown_)
        draw(p, pictures_.get(kArrowFieldPicture), arrow_field().topLeft());
    draw_focus_frame(*this, p);
}

void PortPictureWidget::keyPressEvent(QKeyEvent* event)
{
    // The keys that open a drop-down list.
    const bool opens = event->key() == Qt::Key_Space || event->key() == Qt::Key_F4 ||
                       (event->key() == Qt::Key_Down && (event->modifiers() & Qt::AltModifier));
    if (opens && isEnabled())
        open_menu(mapToGlobal(rect().center()));
    else
        QWidget::keyPressEvent(event);
}

void PortPictureWidget::mousePressEvent(QMouseEvent* event)
{
    const bool opens = event->button() == Qt::RightButton ||
                       (event->button() == Qt::LeftButton && event->position().x() >= menu_area_left());
    if (opens && isEnabled())
        open_menu(event->globalPosition().toPoint());
    else
        QWidget::mousePressEvent(event);
}

void PortPictureWidget::open_menu(QPoint globalCentre)
{
    // The menu runs its own loop, during which this widget may be
    // destroyed: it is not the widget's child, and the widget is looked at
    // again only when it still exists.
    QPointer<PortPictureWidget> self(this);
    PictureMenuStyle style;
    QMenu menu;
    menu.setStyle(&style);
    for (int i = 0; i < count(); ++i) {
        QAction* action = menu.addAction(QIcon(pixmap_of(picture_of(i))), QString());
        action->setData(i);
        action->setCheckable(true);
        action->setChecked(i == current_);
    }
    const QSize size = menu.sizeHint();
    QAction* chosen = menu.exec(globalCentre - QPoint(size.width() / 2, size.height() / 2));
    if (self && chosen)
        pick(chosen->data().toInt());
}

} // namespace quillon::gui
