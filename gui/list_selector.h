// The drop-down list selector of the pages: a white field showing the
// current entry and a grey button with a down arrow; a click opens a menu
// of the entries, and a pick selects it and tells the owner.
#pragma once

#include <functional>

#include <QStringList>
#include <QWidget>

namespace quillon::gui {

class ListSelector : public QWidget {
public:
    explicit ListSelector(QWidget* parent);

    // The menu lists `items`; the field shows `shown[i]` where given, else
    // items[i]. The current entry stays when it still exists.
    void set_items(const QStringList& items, const QStringList& shown);
    int count() const { return static_cast<int>(items_.size()); }
    // -1: none.
    int current() const { return current_; }
    // An index outside the entries selects none.
    void set_current(int index);
    QString current_item() const;
    QString current_shown() const;

    // The user picked entry `index` from the menu: select it, then call
    // `on_picked`.
    void pick(int index);
    std::function<void(int)> on_picked;

    // The grey button at the right edge.
    QRect button_field() const;

    static constexpr int kTextX = 4;
    static constexpr int kFieldLeftFromRight = 15;
    static constexpr int kFieldRightFromRight = 2;
    static constexpr int kFieldInset = 2;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void open_menu();
    void set_pressed(bool pressed);

    QStringList items_;
    QStringList shown_;
    int current_ = -1;
    bool pressed_ = false;
};

} // namespace quillon::gui
