// The toolkit windows behind the logic's windows, one class per role.
// Their close boxes and cancel keys call back instead of closing, so that
// the logic decides.
#pragma once

#include <functional>

#include <QDialog>
#include <QMainWindow>
#include <QWidget>

namespace quillon::gui {

// Every window of the program has the same light grey background and
// black text.
void apply_window_colours(QWidget& window);

// The application window: the menu bar, a row of controls (the page
// buttons) along the top, and below it the area the pages lie in.
class MainFrame : public QMainWindow {
public:
    MainFrame();

    QWidget* control_area() const { return controlArea_; }
    QWidget* page_area() const { return pageArea_; }
    // At least the size of the window's own template.
    void set_minimum_client(QSize size);
    // Fits the page area below the lowest control and the window around
    // the largest page; call after controls or pages moved, came or went.
    void relayout();

    std::function<void()> on_close_box;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* controlArea_;
    QWidget* pageArea_;
    QSize minimumClient_;
};

// A dialog run modally.
class ModalFrame : public QDialog {
public:
    explicit ModalFrame(QWidget* parent);

    std::function<void()> on_close_box;
    // Escape, or anything else that would reject the dialog.
    std::function<void()> on_cancel;

    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;
};

// A window of its own beside the main window (splash, progress).
class ModelessFrame : public QWidget {
public:
    explicit ModelessFrame(QWidget* parent);

    std::function<void()> on_close_box;

protected:
    void closeEvent(QCloseEvent* event) override;
};

} // namespace quillon::gui
