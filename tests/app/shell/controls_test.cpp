// The page buttons' layout per language and the drop-down list selector.
#include <gtest/gtest.h>

#include "platform/headless_backend.h"
#include "platform/ui.h"
#include "shell/languages.h"
#include "shell/list_selector.h"

using namespace quillon;
using namespace quillon::platform;

TEST(PageButtons, EachLanguagesRowFillsTheSameWidth)
{
    for (int language = 0; language < 3; ++language) {
        EXPECT_EQ(page_button_x(language, 9) + page_button_width(language, 9), 620) << language;
        EXPECT_EQ(page_button_x(language, 0), 0);
    }
    EXPECT_EQ(page_button_width(0, 1), 111);
    EXPECT_EQ(page_button_width(1, 1), 91);
    EXPECT_EQ(page_button_x(2, 2), 48 + 81);
    EXPECT_EQ(page_button_width(7, 1), 111) << "an unknown language counts as English";
}

namespace {

struct Recorder : Window {
    using Window::Window;
    std::vector<int> clicks;
    intptr_t on_message(const Message& m) override
    {
        if (m.id == UWM_CONTROL_CLICK)
            clicks.push_back(static_cast<int>(m.wparam));
        return Window::on_message(m);
    }
};

} // namespace

TEST(ListSelectorControl, KeepsItsEntryAcrossALanguageChangeAndReportsPicks)
{
    resources::Resources res;
    HeadlessBackend backend;
    Ui ui(backend, res);
    Recorder page(ui, nullptr);
    page.create(0, WindowRole::Page);

    ListSelector rings(page, SelectorKind::RingCount, 1800, {10, 10, 60, 12}, true, 0);
    EXPECT_EQ(backend.control(page, 1800)->items.front(), "0 ring");
    backend.choose(page, 1800, 4);
    EXPECT_EQ(page.clicks, std::vector<int>{1800});
    EXPECT_EQ(rings.current(), 4);

    rings.set_language(2);
    const auto* c = backend.control(page, 1800);
    ASSERT_EQ(c->items.size(), 10u);
    EXPECT_EQ(c->items.front(), "0 x Sonner");
    EXPECT_EQ(c->items.back(), "9 x Sonner");
    EXPECT_EQ(rings.current(), 4);

    ListSelector callerId(page, SelectorKind::CallerId, 1801, {10, 30, 60, 12}, false, 1);
    const auto* id = backend.control(page, 1801);
    EXPECT_FALSE(id->visible);
    EXPECT_EQ(id->shownItems[1], "(FSK)Ruf.....") << "the closed selector shows the short text";
    EXPECT_EQ(id->items[1], "(FSK)Rufnummer an Gengenstelle") << "its menu the long one";
    callerId.set_current(7);
    EXPECT_EQ(callerId.current(), 0) << "out of range is ignored";
}
