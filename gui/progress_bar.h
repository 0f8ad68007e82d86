// A bar showing how far a long operation has come: the done part in blue,
// the rest in grey, inside a one-pixel frame, with an optional line of text
// over it (a status panel).
#pragma once

#include <QWidget>

namespace quillon::gui {

class ProgressBarWidget : public QWidget {
public:
    explicit ProgressBarWidget(QWidget* parent);
    // Clamps the position to 0..range; nothing is filled while range <= 0.
    void set_progress(int position, int range);
    int position() const { return position_; }
    int range() const { return range_; }
    void set_text(const QString& text);
    const QString& text() const { return text_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int position_ = 0;
    int range_ = 0;
    QString text_;
};

} // namespace quillon::gui
