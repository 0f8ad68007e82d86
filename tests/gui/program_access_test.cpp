// The real pages and dialogs for assistive tools and the keyboard alone:
// every control a user can reach has a name, Tab follows the template, the
// pages turn by keyboard, and a language switch renames everything.
#include <filesystem>
#include <set>

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>

#include "gui/control_tags.h"
#include "gui/tab_button.h"
#include "gui_fixture.h"
#include "platform/message_ids.h"
#include "program_fixture.h"
#include "resources/menu.h"

namespace quillon::gui::test {
namespace {

using resources::ControlKind;

constexpr int kPageButtonLabelBase = 6000;

bool reachable(const QWidget& top, const QWidget& w)
{
    return top.isAncestorOf(&w) && (w.focusPolicy() & Qt::TabFocus) && !w.focusProxy() && w.isEnabledTo(&top) &&
           w.isVisibleTo(&top);
}

// Names of the controls Tab reaches in the window, with what is wrong.
std::vector<std::string> unnamed_controls(QWidget& top)
{
    std::vector<std::string> problems;
    for (QWidget* w : top.findChildren<QWidget*>()) {
        const auto id = tagged_control_id(w);
        if (!id || !reachable(top, *w))
            continue;
        const QString name = w->accessibleName();
        if (name.trimmed().isEmpty() || name.contains('&'))
            problems.push_back(std::to_string(*id) + ": \"" + name.toStdString() + "\"");
    }
    return problems;
}

// The template's controls that Tab reaches, in template order, against the
// order the focus chain visits them (controls added at run time left out).
std::pair<std::vector<int>, std::vector<int>> template_and_chain_order(QWidget& top,
                                                                       const resources::DialogTemplate& t)
{
    std::vector<int> expected;
    std::set<int> inTemplate;
    for (const auto& c : t.controls) {
        QWidget* w = tagged_child(top, c.id);
        if (w && reachable(top, *w) && inTemplate.insert(c.id).second)
            expected.push_back(c.id);
    }
    std::vector<int> chain;
    if (expected.empty())
        return {expected, chain};
    QWidget* first = tagged_child(top, expected.front());
    QWidget* w = first;
    do {
        const auto id = tagged_control_id(w);
        if (id && inTemplate.count(*id) && reachable(top, *w))
            chain.push_back(*id);
        w = w->nextInFocusChain();
    } while (w != first && chain.size() <= expected.size());
    return {expected, chain};
}

class ProgramAccessTest : public ProgramWindowTest {
protected:
    QWidget& main_widget() { return *backend->window_widget(main_window()); }
    QWidget& page_widget(int index) { return *backend->window_widget(*main_window().page(index)); }
    void press_ctrl(int key, Qt::KeyboardModifiers more = Qt::NoModifier)
    {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &main_widget();
        QKeyEvent event(QEvent::KeyPress, key, Qt::ControlModifier | more);
        QApplication::sendEvent(target, &event);
        settle();
    }
};

// One program start (it takes seconds) for the walk and the language switch.
TEST_F(ProgramAccessTest, CtrlTabWalksThePagesWhoseNamesFollowTheLanguage)
{
    main_widget().show();
    QApplication::setActiveWindow(&main_widget());
    EXPECT_EQ(unnamed_controls(main_widget()), std::vector<std::string>{});
    for (int i = 0; i < platform::kPageCount; ++i) {
        ASSERT_EQ(app->state().currentPage, i);
        QWidget& page = page_widget(i);
        const auto* t = main_window().page(i)->dialog_template();
        ASSERT_NE(t, nullptr);
        EXPECT_EQ(unnamed_controls(page), std::vector<std::string>{}) << "page " << i;
        const auto [expected, chain] = template_and_chain_order(page, *t);
        EXPECT_FALSE(expected.empty()) << "page " << i;
        EXPECT_EQ(chain, expected) << "page " << i;
        press_ctrl(Qt::Key_Tab);
    }
    EXPECT_EQ(app->state().currentPage, 0) << "round to the first page";
    press_ctrl(Qt::Key_PageUp);
    EXPECT_EQ(app->state().currentPage, platform::kPageCount - 1);
    press_ctrl(Qt::Key_PageDown);
    EXPECT_EQ(app->state().currentPage, 0);

    constexpr int kGerman = 1;
    app->state().language = kGerman;
    ui->send(main_window(), platform::UWM_SET_LANGUAGE);
    settle();
    for (int i = 0; i < platform::kPageCount; ++i) {
        const std::string label = res.strings.get(kPageButtonLabelBase + 5 * i, kGerman);
        EXPECT_EQ(widget_of(main_window(), platform::ID_PAGE_FIRST + i)->accessibleName().toStdString(),
                  resources::strip_mnemonics(label));
        QWidget& page = page_widget(i);
        // A labelled edit is named by what its label shows now.
        for (auto* label : page.findChildren<QLabel*>()) {
            if (label->buddy()) {
                const QString shown =
                    QString::fromStdString(resources::strip_mnemonics(label->text().toStdString())).simplified();
                EXPECT_EQ(label->buddy()->accessibleName(), shown) << "page " << i;
            }
        }
        if (QWidget* help = tagged_child(page, platform::ID_HELP)) {
            EXPECT_EQ(help->accessibleName(), "Hilfe") << "page " << i;
        }
    }
}

// Every dialog template as a modal window of its own, no program around it.
TEST(DialogAccessTest, EveryDialogNamesItsControlsAndChainsThemInTemplateOrder)
{
    resources::Resources res;
    std::vector<resources::ParseError> problems;
    ASSERT_TRUE(res.load(QUILLON_SOURCE_RES_DIR, problems));
    QtBackend backend(res);
    platform::Ui ui(backend, res);
    std::vector<int> ids;
    for (const auto& entry : std::filesystem::directory_iterator(QUILLON_SOURCE_RES_DIR "/dialogs"))
        if (entry.path().extension() == ".dlg")
            ids.push_back(std::stoi(entry.path().filename().string()));
    ASSERT_GT(ids.size(), 20u);
    for (int id : ids) {
        const resources::DialogTemplate* t = res.dialogs.find(id);
        ASSERT_NE(t, nullptr) << id;
        RecordingWindow dialog(ui, nullptr);
        dialog.create(id, platform::WindowRole::Modal);
        QWidget& top = *backend.window_widget(dialog);
        EXPECT_EQ(unnamed_controls(top), std::vector<std::string>{}) << "dialog " << id;
        const auto [expected, chain] = template_and_chain_order(top, *t);
        EXPECT_EQ(chain, expected) << "dialog " << id;
    }
    GuiTest::settle();
}

} // namespace
} // namespace quillon::gui::test
