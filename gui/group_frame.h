// A group frame as dialogs draw it: an etched rectangle whose top line
// runs through the middle of its title. Drawn behind the controls it
// surrounds; it is not their parent.
#pragma once

#include <QWidget>

namespace quillon::gui {

class GroupFrame : public QWidget {
public:
    GroupFrame(const QString& title, QWidget* parent);

    QString title() const { return title_; }
    // '&' marks a mnemonic, "&&" shows '&'.
    void set_title(const QString& title);

    static constexpr int kTitleIndent = 8;
    static constexpr int kTitlePadding = 2;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString title_;
};

} // namespace quillon::gui
