// A page button of the row above the pages: a grey tab with a white label,
// or, when selected, a tab joined to the page below with a green label.
#pragma once

#include <QAbstractButton>

namespace quillon::gui {

class TabButton : public QAbstractButton {
public:
    explicit TabButton(QWidget* parent);

    bool selected() const { return selected_; }
    void set_selected(bool selected);

    // The font the label is drawn with: the button's font, made narrower
    // and then smaller when the label would not fit the button's fixed
    // width.
    QFont label_font() const;
    // Where the label's baseline lies, whatever its font: the same for
    // every button of the row.
    int label_baseline() const;

    static constexpr int kStripHeight = 9;  // light strip below a tab that is not selected
    static constexpr int kLabelX = 5;
    static constexpr int kLabelY = 5;
    static constexpr int kSelectedLabelY = 10;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QFont full_font() const;

    bool selected_ = false;
};

} // namespace quillon::gui
