// Widgets that show pictures at their natural size: a plain picture and a
// push button drawn as one picture normally and another while pressed.
#pragma once

#include <functional>

#include <QAbstractButton>
#include <QWidget>

#include "gui/picture_library.h"

namespace quillon::gui {

class PictureView : public QWidget {
public:
    PictureView(Picture picture, QWidget* parent);
    void set_picture(Picture picture);
    QSize sizeHint() const override;
    // Called when the picture is clicked (the About window closes on a click).
    void on_click(std::function<void()> clicked) { clicked_ = std::move(clicked); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    Picture picture_;
    std::function<void()> clicked_;
};

class PictureButton : public QAbstractButton {
public:
    PictureButton(Picture normal, Picture pressed, QWidget* parent);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Picture normal_;
    Picture pressed_;
};

} // namespace quillon::gui
