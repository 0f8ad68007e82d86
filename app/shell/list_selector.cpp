#include "shell/list_selector.h"

namespace quillon {

ListSelector::ListSelector(platform::Window& window, SelectorKind kind, int id, const platform::Rect& rect,
                           bool shown, int language)
    : window_(window), kind_(kind), id_(id)
{
    resources::ControlTemplate c;
    c.kind = resources::ControlKind::ListSelector;
    c.id = id;
    c.rect = rect;
    c.style = shown ? resources::kStyleNone : resources::kStyleHidden;
    window_.add_control(c);
    set_language(language);
    set_current(0);
}

int ListSelector::count() const { return kind_ == SelectorKind::RingCount ? 10 : 3; }

int ListSelector::current() const
{
    const int index = window_.selection(id_);
    return index < 0 ? 0 : index;
}

void ListSelector::set_current(int index)
{
    if (index >= 0 && index < count())
        window_.set_selection(id_, index);
}

void ListSelector::set_language(int language)
{
    const int keep = current();
    const SelectorTexts texts = selector_texts(kind_, language);
    window_.set_items(id_, texts.menu, texts.shown);
    set_current(keep);
}

} // namespace quillon
