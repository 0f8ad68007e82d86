// Windows: creation by role, showing, captions, menus, modal runs and
// destruction.
#include "gui/qt_backend.h"

#include <algorithm>

#include <QApplication>
#include <QMenuBar>

#include "gui/control_factory.h"
#include "gui/menu_builder.h"
#include "gui/page_shortcuts.h"
#include "gui/window_frames.h"
#include "gui/window_placement.h"
#include "platform/message_ids.h"
#include "platform/ui.h"
#include "platform/window.h"

namespace quillon::gui {

using platform::Window;
using platform::WindowRole;

QtBackend::QtBackend(const resources::Resources& resources)
    : pictures_(resources), wakeContext_(std::make_unique<QObject>())
{
    // The logic ends the program, not the last window that closes.
    QApplication::setQuitOnLastWindowClosed(false);
    clock_.start();
}

QtBackend::~QtBackend()
{
    std::vector<QPointer<QWidget>> tops;
    for (auto& [window, record] : windows_) {
        record->destroyed = true;
        for (auto& [id, timer] : record->timers)
            if (timer)
                timer->stop();
        tops.emplace_back(record->top);
    }
    windows_.clear();
    // Pages go with their main window; the QPointers notice.
    for (auto& top : tops)
        delete top.data();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void QtBackend::bind(platform::Ui& ui) { ui_ = &ui; }

RecordPtr QtBackend::find(const Window* w) const
{
    auto found = windows_.find(w);
    return found == windows_.end() ? nullptr : found->second;
}

MainFrame* QtBackend::main_frame(const WindowRecord& record)
{
    return record.role == WindowRole::Main ? static_cast<MainFrame*>(record.top.data()) : nullptr;
}

QWidget* QtBackend::window_widget(const Window& w) const
{
    const RecordPtr record = find(&w);
    return record ? record->top.data() : nullptr;
}

QWidget* QtBackend::shown_main_window() const
{
    for (const auto& [window, record] : windows_)
        if (record->role == WindowRole::Main && record->top && record->top->isVisible())
            return record->top.data();
    return nullptr;
}

void QtBackend::place_window(WindowRecord& record)
{
    QWidget* top = record.top.data();
    if (!top || !top->isWindow())
        return;
    // The application window opens in the middle of the screen, once;
    // afterwards it stays where the user put it.
    if (record.role == WindowRole::Main) {
        if (!record.placed)
            place_centred(*top, nullptr);
        record.placed = true;
        return;
    }
    place_centred(*top, shown_main_window());
}

QWidget* QtBackend::create_frame(WindowRecord& record, const RecordPtr& owner, QSize clientSize)
{
    const WeakRecord weak = record.weak_from_this();
    QWidget* ownerWindow = owner && owner->top ? owner->top->window() : nullptr;
    auto closeBox = [this, weak] { send(weak, platform::WM_CLOSE); };

    switch (record.role) {
    case WindowRole::Main: {
        auto* frame = new MainFrame();
        frame->on_close_box = closeBox;
        install_page_shortcuts(*frame, [this, weak](int step) { turn_page(weak, step); });
        frame->set_minimum_client(clientSize);
        record.controlParent = frame->control_area();
        return frame;
    }
    case WindowRole::Page: {
        RecordPtr main = owner && owner->role == WindowRole::Page ? live(owner->mainWindow) : owner;
        if (main && main->role == WindowRole::Main && main_frame(*main)) {
            auto* page = new QWidget(main_frame(*main)->page_area());
            page->setFixedSize(clientSize);
            page->hide();
            record.mainWindow = main;
            record.controlParent = page;
            return page;
        }
        // A page without a main window stands on its own.
        auto* page = new ModelessFrame(ownerWindow);
        page->on_close_box = closeBox;
        page->setFixedSize(clientSize);
        record.controlParent = page;
        return page;
    }
    case WindowRole::Modal: {
        auto* dialog = new ModalFrame(ownerWindow);
        dialog->on_close_box = [this, weak] { ask_then_end_modal(weak, platform::WM_CLOSE, 0); };
        dialog->on_cancel = [this, weak] {
            ask_then_end_modal(weak, platform::WM_COMMAND, platform::command_wparam(platform::IDCANCEL, platform::BN_CLICKED));
        };
        dialog->setFixedSize(clientSize);
        record.controlParent = dialog;
        return dialog;
    }
    case WindowRole::Modeless:
        break;
    }
    auto* frame = new ModelessFrame(ownerWindow);
    frame->on_close_box = closeBox;
    frame->setFixedSize(clientSize);
    record.controlParent = frame;
    return frame;
}

void QtBackend::create_window(Window& w, const resources::DialogTemplate& t, Window* owner, WindowRole role)
{
    destroy_window(w);
    auto record = std::make_shared<WindowRecord>();
    record->window = &w;
    record->role = role;
    const QFont font = template_font(t.fontPixels, t.fontFace);
    record->units = DialogUnitScale::of(font);
    const platform::Rect client = record->units.to_pixels({0, 0, t.width, t.height});
    windows_[&w] = record;

    QWidget* top = create_frame(*record, live(find(owner)), QSize(client.width, client.height));
    record->top = top;
    top->setFont(font);
    record->caption = QString::fromStdString(t.caption);
    top->setWindowTitle(record->caption);

    const WeakRecord weak = record;
    WindowEvents::Handlers handlers;
    handlers.focus_lost = [this, weak](int id) {
        send(weak, platform::WM_COMMAND, platform::command_wparam(id, platform::EN_KILLFOCUS));
    };
    if (role == WindowRole::Page || role == WindowRole::Modal) {
        handlers.key = [this, weak](platform::Key key) { return send_key(weak, key); };
        handlers.tab = [this, weak](bool backwards) { return tab_through_logic(weak, backwards); };
    }
    record->events = new WindowEvents(*top, std::move(handlers));

    for (const resources::ControlTemplate& c : t.controls)
        add_control_to(record, c);
    chain_controls_of(*record);
    name_controls_of(*record);
    relayout_main_of(*record);
}

void QtBackend::destroy_window(Window& w)
{
    auto found = windows_.find(&w);
    if (found == windows_.end())
        return;
    const RecordPtr record = found->second;
    windows_.erase(found);
    // From here on no callback reaches the logic window, which may be in
    // its destructor.
    record->destroyed = true;
    for (auto& [id, timer] : record->timers) {
        if (timer) {
            timer->stop();
            timer->deleteLater();
        }
    }
    record->timers.clear();

    QWidget* top = record->top.data();
    if (record->role == WindowRole::Modal && record->running && top)
        static_cast<ModalFrame*>(top)->done(platform::IDCANCEL);
    if (top) {
        top->hide();
        // Out of the page area at once, so the main window no longer makes
        // room for it; deleted later, as the widget may be busy emitting
        // the signal that led here.
        if (record->role == WindowRole::Page && !top->isWindow())
            top->setParent(nullptr);
        top->deleteLater();
    }
    if (const RecordPtr main = live(record->mainWindow)) {
        if (main->shownPage.lock() == record)
            main->shownPage.reset();
        refresh_main_frame(*main);
        relayout_main_of(*main);
    }
}

void QtBackend::relayout_main_of(const WindowRecord& record) const
{
    if (MainFrame* frame = main_frame(record))
        frame->relayout();
    else if (const RecordPtr main = live(record.mainWindow))
        relayout_main_of(*main);
}

void QtBackend::refresh_main_frame(WindowRecord& main)
{
    MainFrame* frame = main_frame(main);
    if (!frame)
        return;
    const RecordPtr page = live(main.shownPage);
    frame->setWindowTitle(page && !page->caption.isEmpty() ? page->caption : main.caption);

    const resources::Menu* menu = page && page->menu ? page->menu : main.menu;
    if (menu != main.barMenu) {
        main.barMenu = menu;
        const WeakRecord weak = main.weak_from_this();
        fill_menu_bar(*frame->menuBar(), menu, [this, weak](int id) { post_command_to_front(weak, id); });
        // Help buttons are called after the menu's Help, in its language.
        for (const auto& [window, record] : windows_)
            name_controls_of(*record);
    }
    if (!frame->menuWidget())
        return;
    auto enabledBy = [](const WindowRecord* record, int id) {
        if (!record)
            return true;
        auto found = record->menuEnabled.find(id);
        return found == record->menuEnabled.end() || found->second;
    };
    enable_menu_commands(*frame->menuBar(), [&](int id) { return enabledBy(&main, id) && enabledBy(page.get(), id); });
}

void QtBackend::show_page(const RecordPtr& page, bool show)
{
    const RecordPtr main = live(page->mainWindow);
    if (!main) {
        page->top->setVisible(show);
        return;
    }
    if (show) {
        for (auto& [window, other] : windows_)
            if (other != page && other->top && live(other->mainWindow) == main)
                other->top->hide();
        page->top->show();
        main->shownPage = page;
        bring_focus_into(*page);
    } else {
        page->top->hide();
        if (main->shownPage.lock() == page)
            main->shownPage.reset();
    }
    refresh_main_frame(*main);
}

void QtBackend::show_window(Window& w, bool show)
{
    const RecordPtr record = find(&w);
    if (!record || !record->top)
        return;
    if (record->role == WindowRole::Page) {
        show_page(record, show);
        return;
    }
    // A dialog shown anew starts without an answer from before.
    if (show && record->role == WindowRole::Modal)
        record->earlyResult.reset();
    if (show && record->top->isHidden())
        place_window(*record);
    record->top->setVisible(show);
}

bool QtBackend::window_shown(const Window& w) const
{
    const RecordPtr record = find(&w);
    return record && record->top && !record->top->isHidden();
}

void QtBackend::set_caption(Window& w, std::string_view caption)
{
    const RecordPtr record = find(&w);
    if (!record || !record->top)
        return;
    record->caption = QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size()));
    record->top->setWindowTitle(record->caption);
    name_controls_of(*record);  // a control named by nothing else takes the caption
    if (const RecordPtr main = live(record->mainWindow))
        refresh_main_frame(*main);
}

void QtBackend::set_menu(Window& w, const resources::Menu* menu)
{
    const RecordPtr record = find(&w);
    if (!record)
        return;
    record->menu = menu;
    if (record->role == WindowRole::Main)
        refresh_main_frame(*record);
    else if (const RecordPtr main = live(record->mainWindow))
        refresh_main_frame(*main);
}

void QtBackend::enable_menu_command(Window& w, int commandId, bool enabled)
{
    const RecordPtr record = find(&w);
    if (!record)
        return;
    record->menuEnabled[commandId] = enabled;
    if (record->role == WindowRole::Main)
        refresh_main_frame(*record);
    else if (const RecordPtr main = live(record->mainWindow))
        refresh_main_frame(*main);
}

void QtBackend::repaint(Window& w)
{
    const RecordPtr record = find(&w);
    if (!record || !record->top)
        return;
    for (auto& [id, control] : record->controls)
        if (control.widget)
            control.widget->update();
    record->top->update();
    if (record->top->isVisible())
        flush_paint();
}

void QtBackend::set_client_size(Window& w, int width, int height)
{
    const RecordPtr record = find(&w);
    if (!record || !record->top || record->role == WindowRole::Main)
        return;
    record->top->setFixedSize(std::max(width, 1), std::max(height, 1));
}

int QtBackend::run_modal(Window& w)
{
    RecordPtr record = find(&w);
    if (!record || record->role != WindowRole::Modal || !record->top || record->running)
        return -1;
    if (record->earlyResult) {
        const int result = *record->earlyResult;
        record->earlyResult.reset();
        return result;
    }
    auto* dialog = static_cast<ModalFrame*>(record->top.data());
    if (dialog->isHidden())
        place_window(*record);
    const WeakRecord weak = record;
    record->running = true;
    record.reset();
    if (modalObserver_) {
        dialog->show();
        flush_paint();
        auto observer = modalObserver_;
        int answer = observer(w);
        const RecordPtr after = live(weak);
        if (!after)
            return platform::IDCANCEL;
        after->running = false;
        if (dialog->isVisible())
            dialog->done(answer);
        else
            answer = dialog->result();
        return answer;
    }
    const int result = dialog->exec();
    // The logic may have destroyed the window meanwhile.
    const RecordPtr after = live(weak);
    if (!after)
        return platform::IDCANCEL;
    after->running = false;
    return result;
}

void QtBackend::end_modal(Window& w, int result)
{
    const RecordPtr record = find(&w);
    if (!record || record->role != WindowRole::Modal || !record->top)
        return;
    if (!record->running)
        record->earlyResult = result;
    static_cast<ModalFrame*>(record->top.data())->done(result);
}

void QtBackend::ask_then_end_modal(const WeakRecord& dialog, uint32_t message, uintptr_t wparam)
{
    send(dialog, message, wparam);
    // The logic had its say; a dialog it left open ends as cancelled.
    const RecordPtr record = live(dialog);
    if (record && record->top && record->top->isVisible())
        static_cast<ModalFrame*>(record->top.data())->done(platform::IDCANCEL);
}

} // namespace quillon::gui
