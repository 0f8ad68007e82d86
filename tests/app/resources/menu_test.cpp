#include <gtest/gtest.h>

#include "resources/menu.h"
#include "temp_folder.h"

namespace quillon::resources {
namespace {

using Kind = MenuItem::Kind;

TEST(MenuParse, BuildsNestedPopupsWithSeparatorsAndEscapes)
{
    std::vector<ParseError> errors;
    const Menu menu = parse_menu("# the menu bar\n"
                                 "POPUP \"&File\"\n"
                                 "  ITEM 5010 \"Monitor &Mode\"  # trailing comment\n"
                                 "  SEPARATOR\n"
                                 "  POPUP \"More\"\n"
                                 "    ITEM 32795 \"What is \\\"MSN\\\"? A \\\\ B\"\n"
                                 "  END\n"
                                 "END\n"
                                 "POPUP \"&Help\"\n"
                                 "END\n",
                                 700, "700.menu", errors);
    EXPECT_TRUE(errors.empty());
    EXPECT_EQ(menu.id, 700);
    ASSERT_EQ(menu.items.size(), 2u);
    const MenuItem& file = menu.items[0];
    EXPECT_EQ(file.kind, Kind::Popup);
    EXPECT_EQ(file.caption, "&File");
    ASSERT_EQ(file.children.size(), 3u);
    EXPECT_EQ(file.children[0].kind, Kind::Command);
    EXPECT_EQ(file.children[0].id, 5010);
    EXPECT_EQ(file.children[1].kind, Kind::Separator);
    EXPECT_EQ(file.children[2].kind, Kind::Popup);
    EXPECT_TRUE(menu.items[1].children.empty());

    const MenuItem* nested = menu.find_command(32795);
    ASSERT_NE(nested, nullptr);
    EXPECT_EQ(nested->caption, "What is \"MSN\"? A \\ B");
    EXPECT_EQ(menu.find_command(4711), nullptr);
    EXPECT_EQ(menu.find_command(0), nullptr);  // popups and separators carry id 0 but are no commands
}

TEST(MenuParse, StripMnemonicsKeepsDoubledAmpersands)
{
    EXPECT_EQ(strip_mnemonics("&Load && Save"), "Load & Save");
    EXPECT_EQ(strip_mnemonics("S&ettings..."), "Settings...");
    EXPECT_EQ(strip_mnemonics("&&&x"), "&x");
    EXPECT_EQ(strip_mnemonics("trailing&"), "trailing");
    EXPECT_EQ(strip_mnemonics(""), "");
}

TEST(MenuParse, BadStatementsAreReportedAndTheRestIsKept)
{
    std::vector<ParseError> errors;
    const Menu menu = parse_menu("ITEM 1 \"outside\"\n"          // 1
                                 "END\n"                         // 2
                                 "POPUP \"&File\"\n"             // 3
                                 "  ITEM 5010 \"kept\"\n"        // 4
                                 "  ITEM x \"not a number\"\n"   // 5
                                 "  ITEM 70000 \"too big\"\n"    // 6
                                 "  ITEM 99999999999999999999 \"huge\"\n" // 7
                                 "  ITEM 5011 \"open quote\n"    // 8
                                 "  ITEM 5012\n"                 // 9
                                 "  ITEM 5013 \"x\" extra\n"     // 10
                                 "  CHECKITEM 5014 \"x\"\n"      // 11
                                 "  SEPARATOR now\n"             // 12
                                 "  ITEM 5015 \"also kept\"\n",  // 13, and no END
                                 700, "700.menu", errors);
    std::vector<int> lines;
    for (const ParseError& e : errors)
        lines.push_back(e.line);
    EXPECT_EQ(lines, (std::vector<int>{1, 2, 5, 6, 7, 8, 9, 10, 11, 12, 3}));
    ASSERT_EQ(menu.items.size(), 1u);
    ASSERT_EQ(menu.items[0].children.size(), 2u);
    EXPECT_NE(menu.find_command(5010), nullptr);
    EXPECT_NE(menu.find_command(5015), nullptr);
}

TEST(MenuParse, DeepNestingIsRefusedWithoutExhaustingTheStack)
{
    std::string text;
    for (int i = 0; i < 20000; ++i)
        text += "POPUP \"p\"\n";
    text += "ITEM 1 \"deep\"\n";
    std::vector<ParseError> errors;
    const Menu menu = parse_menu(text, 700, "700.menu", errors);
    EXPECT_FALSE(errors.empty());
    std::size_t depth = 0;
    for (const std::vector<MenuItem>* level = &menu.items; !level->empty(); level = &level->back().children)
        ++depth;
    EXPECT_LE(depth, 10u);
}

TEST(MenuFolder, LoadsMenusNamedByTheirId)
{
    testing::TempFolder folder;
    folder.write("menus/701.menu", "POPUP \"&Datei\"\n  ITEM 2153 \"&Beenden\"\nEND\n");
    folder.write("menus/notes.menu", "POPUP \"x\"\nEND\n");
    folder.write("menus/README.md", "not a menu");

    Menus menus;
    std::vector<ParseError> errors;
    EXPECT_TRUE(menus.load_directory(folder.path() + "/menus", errors));
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_TRUE(errors[0].file.ends_with("notes.menu"));
    ASSERT_NE(menus.find(701), nullptr);
    EXPECT_EQ(menus.find(701)->find_command(2153)->caption, "&Beenden");
    EXPECT_EQ(menus.find(700), nullptr);

    EXPECT_FALSE(menus.load_directory(folder.path() + "/nothing", errors));
}

} // namespace
} // namespace quillon::resources
