// Deliveries to the logic, timers, user feedback, the clock and
// screenshots.
#include "gui/qt_backend.h"

#include <cmath>

#include <QApplication>
#include <QCursor>
#include <QLocale>
#include <QLayout>
#include <QPixmap>
#include <QScreen>
#include <QThread>

#include "gui/user_dialogs.h"
#include "platform/message_ids.h"
#include "platform/ui.h"
#include "platform/window.h"

namespace quillon::gui {

using platform::Window;

namespace {

constexpr int kDefaultDpi = 96;

} // namespace

void QtBackend::send(const WeakRecord& to, uint32_t message, uintptr_t wparam)
{
    // Held for the call: the logic may destroy the window while handling it.
    const RecordPtr record = live(to);
    if (record && ui_)
        ui_->send(*record->window, message, wparam);
}

void QtBackend::post_command_to_front(const WeakRecord& from, int id)
{
    RecordPtr target = live(from);
    if (!target || !ui_)
        return;
    // The main window's page buttons and menu act through the shown page,
    // whose pre-translation runs the leave check before its owner sees it.
    if (target->role == platform::WindowRole::Main)
        if (RecordPtr page = live(target->shownPage))
            target = page;
    ui_->post_command(*target->window, id);
}

bool QtBackend::send_key(const WeakRecord& to, platform::Key key)
{
    const RecordPtr record = live(to);
    if (!record || !ui_ || !ui_->alive(record->window))
        return false;
    return record->window->on_key(key);
}

void QtBackend::start_timer(Window& w, int id, int periodMs)
{
    const RecordPtr record = find(&w);
    if (!record || !record->top)
        return;
    QPointer<QTimer>& timer = record->timers[id];
    if (!timer) {
        timer = new QTimer(record->top);
        const WeakRecord weak = record;
        QObject::connect(timer, &QTimer::timeout, timer, [this, weak, id] { timer_fired(weak, id); });
    }
    timer->start(std::max(periodMs, kMinimumTimerMs));
}

void QtBackend::stop_timer(Window& w, int id)
{
    const RecordPtr record = find(&w);
    if (!record)
        return;
    auto found = record->timers.find(id);
    if (found == record->timers.end())
        return;
    if (QTimer* timer = found->second.data()) {
        timer->stop();
        timer->deleteLater();
    }
    record->timers.erase(found);
}

void QtBackend::timer_fired(const WeakRecord& to, int id)
{
    // A tick that comes while a repaint is being flushed is dropped, as a
    // late tick would be; the next one comes on time.
    if (holdDelivery_ == 0)
        send(to, platform::WM_TIMER, static_cast<uintptr_t>(id));
}

void QtBackend::wake()
{
    if (wakePending_)
        return;
    wakePending_ = true;
    QMetaObject::invokeMethod(wakeContext_.get(), [this] { deliver_posted(); }, Qt::QueuedConnection);
}

void QtBackend::deliver_posted()
{
    wakePending_ = false;
    if (holdDelivery_ > 0) {
        pumpMissed_ = true;
        return;
    }
    if (ui_)
        ui_->pump();
}

void QtBackend::flush_paint()
{
    // A window shown a moment ago is painted only once the windowing
    // system exposes it; let that happen, but keep the logic's own traffic
    // for later so that nothing runs inside its repaint call.
    ++holdDelivery_;
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    --holdDelivery_;
    if (holdDelivery_ == 0 && pumpMissed_) {
        pumpMissed_ = false;
        wake();
    }
}

int QtBackend::message_box(Window* owner, std::string_view text, std::string_view caption,
                           platform::MessageBoxButtons buttons, platform::MessageBoxIcon icon)
{
    QWidget* parent = owner ? window_widget(*owner) : nullptr;
    ++messageBoxesShown_;
    return run_message_box(parent ? parent->window() : nullptr, text, caption, buttons, icon);
}

std::optional<std::string> QtBackend::file_dialog(Window* owner, const platform::FileDialogRequest& request)
{
    QWidget* parent = owner ? window_widget(*owner) : nullptr;
    return run_file_dialog(parent ? parent->window() : nullptr, request);
}

void QtBackend::beep() { QApplication::beep(); }

void QtBackend::set_wait_cursor(bool on)
{
    if (on) {
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
        ++waitCursorDepth_;
    } else if (waitCursorDepth_ > 0) {
        QGuiApplication::restoreOverrideCursor();
        --waitCursorDepth_;
    }
}

uint64_t QtBackend::now_ms() const { return static_cast<uint64_t>(clock_.elapsed()); }

std::string QtBackend::locale_name() const { return QLocale::system().name().toStdString(); }

void QtBackend::sleep_ms(int ms)
{
    if (ms > 0)
        QThread::msleep(static_cast<unsigned long>(ms));
}

int QtBackend::screen_dpi() const
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? static_cast<int>(std::lround(screen->logicalDotsPerInch())) : kDefaultDpi;
}

void QtBackend::quit(int exitCode) { QCoreApplication::exit(exitCode); }

bool QtBackend::screenshot(Window& w, const std::string& pngPath)
{
    const RecordPtr record = find(&w);
    if (!record || !record->top)
        return false;
    QWidget* top = record->top.data();
    // A window never shown has not been laid out yet.
    top->ensurePolished();
    if (QLayout* layout = top->layout())
        layout->activate();
    const QPixmap picture = top->grab();
    return !picture.isNull() && picture.save(QString::fromStdString(pngPath), "PNG");
}

} // namespace quillon::gui
