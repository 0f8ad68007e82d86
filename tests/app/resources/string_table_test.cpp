#include <climits>

#include <gtest/gtest.h>

#include "parse_errors.h"

#include "resources/string_table.h"
#include "temp_folder.h"

namespace quillon::resources {
namespace {

using testing::error_lines;

TEST(StringTableText, ResolvesEscapesAndSkipsCommentsAndBlankLines)
{
    StringTable table;
    std::vector<ParseError> errors;
    table.add_file_text("# heading\r\n"
                        "6090\tSend\\nto\\tQ20 \\\\ Q30\r\n"
                        "\n"
                        "   # indented comment\n"
                        "7050\t\\n\\n#1 ISDN status\n"
                        "6095\t",
                        0, "en.strings", errors);
    EXPECT_TRUE(errors.empty());
    EXPECT_EQ(table.get(6090), "Send\nto\tQ20 \\ Q30");
    EXPECT_EQ(table.get(7050), "\n\n#1 ISDN status");  // '#' inside a text is text
    EXPECT_TRUE(table.has(6095));
    EXPECT_EQ(table.get(6095), "");
    EXPECT_EQ(table.size(), 3u);
}

TEST(StringTableText, BadLinesAreReportedWithTheirLineAndSkipped)
{
    StringTable table;
    std::vector<ParseError> errors;
    table.add_file_text("abc\tno id\n"              // 1
                        "6095 no tab\n"             // 2
                        "-5\tnegative\n"            // 3
                        "99999999999\tbeyond int\n" // 4
                        "70000\tbeyond a resource id\n" // 5
                        "6100\tunknown \\q escape\n"    // 6
                        "6105\tlone backslash \\\n"     // 7
                        "6110\tbad \xC3\x28 UTF-8\n"    // 8
                        "6115\tkept\n"                  // 9
                        "6120\tcontrol \x01 byte\n"     // 10
                        "6125\toverlong \xC0\xAF\n"     // 11
                        "6130\tsurrogate \xED\xA0\x80\n", // 12
                        0, "en.strings", errors);
    EXPECT_EQ(error_lines(errors), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 10, 11, 12}));
    for (const ParseError& e : errors)
        EXPECT_EQ(e.file, "en.strings");
    EXPECT_EQ(table.size(), 1u);
    EXPECT_EQ(table.get(6115), "kept");
}

TEST(StringTableText, FirstDefinitionWins)
{
    StringTable table;
    std::vector<ParseError> errors;
    table.add_file_text("6090\tfirst\n6090\tsecond\n", 0, "en.strings", errors);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].line, 2);
    EXPECT_EQ(table.get(6090), "first");
}

TEST(StringTableLookup, LanguageIsClampedAndMissingTextsFallBackToEnglish)
{
    StringTable table;
    std::vector<ParseError> errors;
    table.add_file_text("6090\tSend\n6345\tCancel\n", 0, "en", errors);
    table.add_file_text("6090\tSenden\n", 1, "de", errors);
    table.add_file_text("6090\tEnvoyer\n", 2, "fr", errors);
    ASSERT_TRUE(errors.empty());

    EXPECT_EQ(table.get(6090, 1), "Senden");
    EXPECT_EQ(table.get(6090, 9), "Envoyer");
    EXPECT_EQ(table.get(6090, -4), "Send");
    EXPECT_EQ(table.get(6345, 1), "Cancel");
    EXPECT_EQ(table.get(4242, 1), "");
    EXPECT_EQ(table.get(INT_MAX, 2), "");  // base + language would overflow
    EXPECT_EQ(table.get(INT_MIN, 0), "");
}

TEST(StringTableFolder, LanguagesMustShareTheirBases)
{
    testing::TempFolder folder;
    folder.write("strings/en.strings", "6090\tSend\n6345\tCancel\n6346\tnot a base\n");
    folder.write("strings/de.strings", "6090\tSenden\n");
    folder.write("strings/fr.strings", "6090\tEnvoyer\n6345\tAnnuler\n6500\tseulement en français\n");
    folder.write("strings/common.strings", "13\tVersion 1.3A\n");

    StringTable table;
    std::vector<ParseError> errors;
    EXPECT_TRUE(table.load_directory(folder.path() + "/strings", errors));

    std::vector<std::string> reports;
    for (const ParseError& e : errors)
        reports.push_back(std::filesystem::path(e.file).filename().string() + ":" + std::to_string(e.line) + ":" +
                          e.message.substr(0, e.message.find(';')));
    EXPECT_EQ(reports, (std::vector<std::string>{"en.strings:3:the id 6346 is not a base (a multiple of 5)",
                                                 "en.strings:0:the base 6500 is missing",
                                                 "de.strings:0:the base 6345 is missing",
                                                 "de.strings:0:the base 6500 is missing"}));
    EXPECT_EQ(table.get(6345, 1), "Cancel");
    EXPECT_EQ(table.get(6345, 2), "Annuler");
    EXPECT_EQ(table.get(13), "Version 1.3A");
    EXPECT_FALSE(table.has(6346));
}

TEST(StringTableFolder, EachAreaKeepsItsTextsInASubfolder)
{
    testing::TempFolder folder;
    folder.write("strings/en.strings", "6090\tSend\n");
    folder.write("strings/de.strings", "6090\tSenden\n");
    folder.write("strings/fr.strings", "6090\tEnvoyer\n");
    folder.write("strings/common.strings", "");
    folder.write("strings/forwarding/en.strings", "9660\tProcessing\n9665\tRefused\n");
    folder.write("strings/forwarding/de.strings", "9660\tBearbeitung\n");
    folder.write("strings/forwarding/fr.strings", "9660\tTraitement\n9665\tRefus\n6090\tdeux fois\n");

    StringTable table;
    std::vector<ParseError> errors;
    EXPECT_TRUE(table.load_directory(folder.path() + "/strings", errors));
    EXPECT_EQ(table.get(9660, 1), "Bearbeitung");
    EXPECT_EQ(table.get(6090, 2), "Envoyer") << "the first definition wins";
    std::vector<std::string> reports;
    for (const ParseError& e : errors)
        reports.push_back(std::filesystem::path(e.file).parent_path().filename().string() + "/" +
                          std::filesystem::path(e.file).filename().string() + ":" +
                          e.message.substr(0, e.message.find(';')));
    EXPECT_EQ(reports, (std::vector<std::string>{"forwarding/fr.strings:the id 6092 is defined twice",
                                                 "forwarding/en.strings:the base 6090 is missing",
                                                 "forwarding/de.strings:the base 6090 is missing",
                                                 "forwarding/de.strings:the base 9665 is missing"}));
}

TEST(StringTableFolder, MissingFileIsReportedAndTheOthersAreKept)
{
    testing::TempFolder folder;
    folder.write("strings/en.strings", "6090\tSend\n");
    folder.make_folder("strings/de.strings");  // a folder where the file should be
    folder.write("strings/fr.strings", "6090\tEnvoyer\n");

    StringTable table;
    std::vector<ParseError> errors;
    EXPECT_FALSE(table.load_directory(folder.path() + "/strings", errors));
    ASSERT_EQ(errors.size(), 2u);
    EXPECT_TRUE(errors[0].file.ends_with("de.strings"));
    EXPECT_TRUE(errors[1].file.ends_with("common.strings"));
    EXPECT_EQ(table.get(6090, 1), "Send");
    EXPECT_EQ(table.get(6090, 2), "Envoyer");
}

} // namespace
} // namespace quillon::resources
