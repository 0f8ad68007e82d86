// Names for assistive tools: every control is called by its own caption or,
// when it has none (edits, lists, pictures), by the label that describes it.
//
// The label of a control is the nearest static text (one with a letter or
// digit) before it in the template; a static that follows it directly on
// the same row (a picture at the start of its row) wins over one before it
// on an earlier row. The group frame around a control describes it. A label directly before an edit
// becomes the edit's buddy, so that the label's mnemonic moves the focus.
#pragma once

#include <map>
#include <string_view>
#include <vector>

#include <QString>

#include "gui/control_access.h"

namespace quillon::gui {

// `order`: the window's control ids in template order. Help buttons, which
// show no text, are called `helpName`; anything else without caption or
// label takes the window's caption.
void name_controls(const std::vector<int>& order, const std::map<int, ControlRecord>& controls,
                   const QString& helpName, const QString& windowCaption);

// A caption as a name: without '&' marks, on one line.
QString plain_caption(std::string_view text);

// What a static shows: a label with a buddy shows its mnemonic, others drop
// single '&' marks.
QString label_display_text(std::string_view text, bool hasBuddy);

} // namespace quillon::gui
