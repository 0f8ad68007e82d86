// The port picture selector as drawn: a light grey field with the picture
// of the terminal on a port, a raised frame, and for the drop-down look an
// arrow field at the right edge. The right button anywhere, or the left one
// in the menu area, opens a menu of the pictures; a pick selects it and
// tells the owner. A disabled selector only shows its picture.
//
// Entries are picture references ("300:en", "344": see
// resources::picture_reference); the check state picks the state marker of
// the kinds that have one (0 idle, 1 busy).
#pragma once

#include <functional>
#include <vector>

#include <QPoint>
#include <QStringList>
#include <QWidget>

#include "gui/picture_library.h"
#include "resources/port_picture_kind.h"

namespace quillon::gui {

class PortPictureWidget : public QWidget {
public:
    PortPictureWidget(resources::PortPictureKind kind, bool dropDown, PictureLibrary& pictures, QWidget* parent);

    resources::PortPictureKind kind() const { return kind_; }
    bool drop_down() const { return dropDown_; }

    // The current entry stays when it still exists.
    void set_items(const std::vector<std::string>& items);
    int count() const { return static_cast<int>(items_.size()); }
    QString item(int index) const;
    // -1: none; an index outside the entries selects none.
    int current() const { return current_; }
    void set_current(int index);
    bool busy() const { return busy_; }
    void set_busy(bool busy);

    // The user picked entry `index`: select it, then call `on_picked`.
    void pick(int index);
    std::function<void(int)> on_picked;

    // Where the left button opens the menu: from this x to the right edge.
    int menu_area_left() const;
    // Where the picture and the marker are drawn, and the arrow field.
    QPoint picture_position() const;
    QRect arrow_field() const;

    QSize sizeHint() const override;

    static constexpr int kWidth = 72;
    static constexpr int kHeight = 37;
    static constexpr int kLanguageExtraWidth = 30;   // kind Language: picture + 30 by picture + 5
    static constexpr int kLanguageExtraHeight = 5;
    static constexpr int kMenuAreaLeft = 50;
    static constexpr int kLanguageMenuAreaLeft = 146;
    static constexpr int kArrowFieldWidth = 20;
    static constexpr int kIdleMarker = 346;
    static constexpr int kBusyMarker = 347;
    static constexpr int kArrowFieldPicture = 348;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    Picture picture_of(int index) const;
    void open_menu(QPoint globalCentre);

    resources::PortPictureKind kind_;
    bool dropDown_;
    PictureLibrary& pictures_;
    QStringList items_;
    int current_ = -1;
    bool busy_ = false;
    QSize size_;
};

} // namespace quillon::gui
