#include "gui/window_frames.h"

#include <algorithm>

#include <QCloseEvent>
#include <QLayout>

namespace quillon::gui {
namespace {

const QColor kWindowBackground(240, 240, 240);
const QColor kWindowText(0, 0, 0);

// Close boxes ask the logic; the window stays until the logic destroys or
// ends it.
void ask_instead_of_closing(QCloseEvent* event, const std::function<void()>& onCloseBox)
{
    event->ignore();
    if (onCloseBox)
        onCloseBox();
}

// Dialogs and status windows have a fixed size: a title, the system menu
// and a close box, nothing to maximise or minimise.
constexpr Qt::WindowFlags kFixedWindowButtons =
    Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;

} // namespace

void apply_window_colours(QWidget& window)
{
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, kWindowBackground);
    palette.setColor(QPalette::WindowText, kWindowText);
    window.setPalette(palette);
}

MainFrame::MainFrame()
    : controlArea_(new QWidget(this)), pageArea_(new QWidget(controlArea_))
{
    // Its size is fixed by its pages: it can be minimised, not maximised.
    setWindowFlags(Qt::Window | kFixedWindowButtons | Qt::WindowMinimizeButtonHint);
    setCentralWidget(controlArea_);
    // The window takes exactly the size of its contents.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    apply_window_colours(*this);
    relayout();
}

void MainFrame::set_minimum_client(QSize size)
{
    minimumClient_ = size;
    relayout();
}

void MainFrame::relayout()
{
    int rowRight = 0;
    int rowBottom = 0;
    for (QWidget* control : controlArea_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (control == pageArea_ || control->isHidden())
            continue;
        rowRight = std::max(rowRight, control->geometry().right() + 1);
        rowBottom = std::max(rowBottom, control->geometry().bottom() + 1);
    }
    QSize pages(0, 0);
    for (QWidget* page : pageArea_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        pages = pages.expandedTo(page->size());

    const int width = std::max({minimumClient_.width(), rowRight, pages.width()});
    const int height = std::max(minimumClient_.height(), rowBottom + pages.height());
    pageArea_->setGeometry(0, rowBottom, width, height - rowBottom);
    controlArea_->setFixedSize(width, height);
}

void MainFrame::closeEvent(QCloseEvent* event) { ask_instead_of_closing(event, on_close_box); }

ModalFrame::ModalFrame(QWidget* parent) : QDialog(parent, Qt::Dialog | kFixedWindowButtons)
{
    apply_window_colours(*this);
}

void ModalFrame::reject()
{
    if (on_cancel)
        on_cancel();
    else
        QDialog::reject();
}

void ModalFrame::closeEvent(QCloseEvent* event) { ask_instead_of_closing(event, on_close_box); }

ModelessFrame::ModelessFrame(QWidget* parent) : QWidget(parent, Qt::Window | kFixedWindowButtons)
{
    apply_window_colours(*this);
}

void ModelessFrame::closeEvent(QCloseEvent* event) { ask_instead_of_closing(event, on_close_box); }

} // namespace quillon::gui
