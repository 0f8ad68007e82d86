#include <random>

#include <gtest/gtest.h>

#include "parse_errors.h"

#include "resources/dialog_template.h"

namespace quillon::resources {
namespace {

using testing::error_lines;

TEST(DialogTemplateParse, ReadsDialogFontControlsStylesAndLimit)
{
    std::vector<ParseError> errors;
    const auto dialogs = parse_dialog_templates(
        "# two dialogs in one file\n"
        "DIALOG 846 300 200 \"VornISDN \\\"Settings\\\"\"\n"
        "  FONT 10 \"Small Fonts\"\n"
        "  EDIT 1001 10 20 60 12 \"\" NUMBER LIMIT 3 RIGHT\n"
        "  RADIO 1002 10 40 60 10 \"Sound ON\" GROUPSTART DISABLED\n"
        "  BUTTON 1 120 180 50 14 \"#371\" DEFAULT\n"
        "END\n"
        "DIALOG 854 260 110 \"\"\n"
        "  STATIC 1543 38 8 214 72 \"x\" WRAP BOLD BLUE HIDDEN\n"
        "END\n",
        "a.dlg", errors);
    EXPECT_TRUE(errors.empty());
    ASSERT_EQ(dialogs.size(), 2u);

    const DialogTemplate& settings = dialogs[0];
    EXPECT_EQ(settings.id, 846);
    EXPECT_EQ(settings.width, 300);
    EXPECT_EQ(settings.height, 200);
    EXPECT_EQ(settings.caption, "VornISDN \"Settings\"");
    EXPECT_EQ(settings.fontPixels, 10);
    EXPECT_EQ(settings.fontFace, "Small Fonts");
    ASSERT_EQ(settings.controls.size(), 3u);

    const ControlTemplate* edit = settings.control(1001);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->kind, ControlKind::Edit);
    EXPECT_EQ(edit->rect, (platform::Rect{10, 20, 60, 12}));
    EXPECT_EQ(edit->style, kStyleNumber | kStyleRight);
    EXPECT_EQ(edit->maxLength, 3);
    EXPECT_EQ(settings.control(1002)->style, kStyleGroupStart | kStyleDisabled);
    EXPECT_EQ(settings.control(1)->text, "#371");
    EXPECT_EQ(settings.control(4711), nullptr);

    EXPECT_EQ(dialogs[1].fontPixels, 0);
    EXPECT_EQ(dialogs[1].controls[0].style, kStyleWrap | kStyleBold | kStyleBlue | kStyleHidden);
}

TEST(DialogTemplateParse, BadStatementsAreSkippedAndTheDialogKept)
{
    std::vector<ParseError> errors;
    const auto dialogs = parse_dialog_templates(
        "STATIC 1 0 0 1 1 \"outside\"\n"                       // 1
        "DIALOG 802 414 250 \"page\"\n"                        // 2
        "  STATIC 1000 10 10 50 10 \"first\"\n"                // 3
        "  STATIC 1000 10 30 50 10 \"second\"\n"               // 4 duplicate id
        "  SLIDER 1001 0 0 10 10 \"\"\n"                       // 5 unknown kind
        "  BUTTON 1002 0 0 10 10 \"x\" BLINK\n"                // 6 unknown style
        "  BUTTON 1003 0 0 10 10 \"x\" LIMIT 5\n"              // 7 LIMIT off an edit
        "  EDIT 1004 0 0 -10 10 \"\"\n"                        // 8 negative width
        "  EDIT 1005 0 0 10 10 \"\" LIMIT\n"                   // 9 LIMIT without number
        "  EDIT 4294967296 0 0 10 10 \"\"\n"                   // 10 id beyond int
        "  EDIT 1006 0 0 10 10 \"open\n"                       // 11 unterminated quote
        "  EDIT 1007 0 0 10 10\n"                              // 12 no text
        "  FONT 0 \"Small Fonts\"\n"                           // 13
        "  EDIT 1008 0 0 10 10 \"kept\" LIMIT 15\n"            // 14
        "DIALOG 804 414 250 \"no END before\"\n"               // 15: reports 802 (line 2)
        "END\n"                                                // 16
        "END\n"                                                // 17 END without DIALOG
        "DIALOG 802 1 1 \"again\"\nEND\n"                      // 18 duplicate dialog
        "DIALOG 806 -1 250 \"\"\n"                             // 20 negative size: not opened
        "DIALOG 808 10 10 \"never closed\"\n",                 // 21
        "bad.dlg", errors);
    EXPECT_EQ(error_lines(errors), (std::vector<int>{1, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 2, 17, 18, 20, 21}));
    for (const ParseError& e : errors)
        EXPECT_FALSE(e.message.empty());

    ASSERT_EQ(dialogs.size(), 3u);
    EXPECT_EQ(dialogs[0].id, 802);
    EXPECT_EQ(dialogs[0].caption, "page");
    ASSERT_EQ(dialogs[0].controls.size(), 2u);
    EXPECT_EQ(dialogs[0].control(1000)->text, "first");
    EXPECT_EQ(dialogs[0].control(1008)->maxLength, 15);
    EXPECT_EQ(dialogs[1].id, 804);
    EXPECT_EQ(dialogs[2].id, 808);
}

TEST(DialogTemplateParse, GarbageAndHugeLinesEndInBoundedErrors)
{
    std::mt19937 random(20240607);
    std::string garbage(256 * 1024, '\0');
    for (char& c : garbage)
        c = static_cast<char>(random());
    std::vector<ParseError> errors;
    EXPECT_TRUE(parse_dialog_templates(garbage, "garbage.dlg", errors).empty());
    EXPECT_FALSE(errors.empty());
    EXPECT_LE(errors.size(), 60u);  // it gives up instead of flooding

    errors.clear();
    const std::string hugeLine = "DIALOG 1 10 10 \"" + std::string(1024 * 1024, 'x') + "\"\nEND\n";
    EXPECT_TRUE(parse_dialog_templates(hugeLine, "huge.dlg", errors).empty());
    EXPECT_EQ(error_lines(errors), (std::vector<int>{1, 2}));
}

TEST(DialogTemplates, OddIdsShareTheEvenTemplate)
{
    DialogTemplates templates;
    templates.add(DialogTemplate{802, 414, 250, "page", 0, {}, {}});
    templates.add(DialogTemplate{804, 414, 250, "even", 0, {}, {}});
    templates.add(DialogTemplate{805, 100, 100, "own odd", 0, {}, {}});

    ASSERT_NE(templates.find(803), nullptr);
    EXPECT_EQ(templates.find(803)->id, 802);
    EXPECT_EQ(templates.find(805)->caption, "own odd");
    EXPECT_EQ(templates.find(801), nullptr);  // 800 does not exist; 802 is no match
    EXPECT_EQ(templates.find(-1), nullptr);
    EXPECT_EQ(templates.find(806), nullptr);
    EXPECT_EQ(templates.size(), 3u);
}

} // namespace
} // namespace quillon::resources
