#include <gtest/gtest.h>

#include "dialog_ids_header.h"
#include "parse_errors.h"
#include "resources/dialog_template.h"
#include "temp_folder.h"

namespace quillon::resources {
namespace {

using testing::error_lines;
using testing::TempFolder;

std::vector<int> control_ids(const DialogTemplate& t)
{
    std::vector<int> ids;
    for (const ControlTemplate& c : t.controls)
        ids.push_back(c.id);
    return ids;
}

TEST(DialogNames, DeclaredAndBareNamesStandForTheirNumbers)
{
    std::vector<ParseError> errors;
    const auto dialogs = parse_dialog_templates(
        "DIALOG 846 300 200 \"one\"\n"
        "  EDIT   kNameEdit=2140 10 20 60 12 \"\" LIMIT 49\n"
        "  BUTTON 2 10 40 60 14 \"Cancel\"\n"
        "END\n"
        "DIALOG 848 300 200 \"two, later in the same file\"\n"
        "  EDIT   kNameEdit   99 20 60 12 \"\"\n"
        "  CHECKBOX kSound2Check=1476 10 40 60 10 \"\"\n"
        "END\n",
        "a.dlg", errors);
    EXPECT_TRUE(errors.empty()) << errors.front().message;
    ASSERT_EQ(dialogs.size(), 2u);

    const ControlTemplate* declared = dialogs[0].control(2140);
    ASSERT_NE(declared, nullptr);
    EXPECT_EQ(declared->name, "kNameEdit");
    EXPECT_TRUE(declared->declaresName);
    EXPECT_EQ(declared->maxLength, 49);
    EXPECT_TRUE(dialogs[0].control(2)->name.empty()) << "a plain number has no name";

    const ControlTemplate* bare = dialogs[1].control(2140);
    ASSERT_NE(bare, nullptr) << "the bare name takes the number declared earlier in the file";
    EXPECT_FALSE(bare->declaresName);
    EXPECT_EQ(bare->rect.x, 99) << "with its own position";
    EXPECT_EQ(dialogs[1].control(1476)->name, "kSound2Check");
}

TEST(DialogNames, AVariantTakesEveryIdFromItsBaseByName)
{
    std::vector<ParseError> errors;
    const auto dialogs = parse_dialog_templates(
        "DIALOG 802 414 250 \"larger\"\n"
        "  EDIT   kFirstEdit=3000 200 25 56 12 \"\"\n"
        "  EDIT   kLastEdit=3014  200 137 56 12 \"\"\n"
        "  BUTTON 2154 152 230 110 14 \"Send\"\n"
        "END\n"
        "DIALOG 826 414 250 \"smaller\" IDS 802\n"
        "  EDIT   kLastEdit  200 189 56 12 \"\" HIDDEN\n"
        "  EDIT   kFirstEdit 200  25 56 12 \"\"\n"
        "  BUTTON 2154 152 230 110 14 \"Send\"\n"
        "  STATIC kOwnNote=1300 6 6 100 10 \"only here\"\n"
        "END\n",
        "msn.dlg", errors);
    EXPECT_TRUE(errors.empty()) << errors.front().message;
    ASSERT_EQ(dialogs.size(), 2u);
    const DialogTemplate& variant = dialogs[1];
    EXPECT_EQ(variant.baseId, 802);
    EXPECT_EQ(control_ids(variant), (std::vector<int>{3014, 3000, 2154, 1300}));
    EXPECT_EQ(variant.control(3014)->rect.y, 189);
    EXPECT_EQ(variant.control(3014)->style, kStyleHidden);
}

TEST(DialogNames, UnknownNamesAndNamesDeclaredTwiceAreErrorsWithTheirLine)
{
    std::vector<ParseError> errors;
    const auto dialogs = parse_dialog_templates(
        "DIALOG 802 414 250 \"base\"\n"                          // 1
        "  EDIT   kFirstEdit=3000 0 0 10 10 \"\"\n"              // 2
        "  EDIT   kFirstEdit=3001 0 0 10 10 \"\"\n"              // 3 same name, other number
        "  EDIT   kMissing 0 0 10 10 \"\"\n"                     // 4 not declared, no base
        "  EDIT   kOther=3000 0 0 10 10 \"\"\n"                  // 5 the number twice in the dialog
        "  EDIT   kSecond=3002 0 0 10 10 \"\"\n"                 // 6
        "END\n"                                                  // 7
        "DIALOG 826 414 250 \"variant\" IDS 802\n"               // 8
        "  EDIT   kSecond=3005 0 0 10 10 \"\"\n"                 // 9 the base says 3002
        "  EDIT   kNowhere 0 0 10 10 \"\"\n"                     // 10 neither here nor in the base
        "  EDIT   kFirstEdit 0 0 10 10 \"\"\n"                   // 11
        "END\n"                                                  // 12
        "DIALOG 828 414 250 \"itself\" IDS 828\n"                // 13
        "END\n",                                                 // 14
        "names.dlg", errors);
    EXPECT_EQ(error_lines(errors), (std::vector<int>{3, 4, 5, 9, 10, 13}));
    for (const ParseError& e : errors)
        EXPECT_EQ(e.file, "names.dlg");
    EXPECT_NE(errors[0].message.find("kFirstEdit"), std::string::npos) << errors[0].message;
    EXPECT_NE(errors[0].message.find("line 2"), std::string::npos) << "names the first declaration";
    EXPECT_NE(errors[3].message.find("3002"), std::string::npos) << errors[3].message;
    EXPECT_NE(errors[4].message.find("kNowhere"), std::string::npos) << errors[4].message;

    ASSERT_EQ(dialogs.size(), 3u) << "a dialog naming itself as its base is kept without one";
    EXPECT_EQ(dialogs[2].baseId, kNoBaseDialog);
    EXPECT_EQ(control_ids(dialogs[0]), (std::vector<int>{3000, 3002}));
    EXPECT_EQ(control_ids(dialogs[1]), (std::vector<int>{3000})) << "the controls in error are dropped";
}

TEST(DialogNames, IdWordsThatAreNoNameOrNumberAreRefused)
{
    std::vector<ParseError> errors;
    const auto dialogs = parse_dialog_templates(
        "DIALOG 802 414 250 \"\"\n"                              // 1
        "  EDIT name=5 0 0 10 10 \"\"\n"                         // 2 no k
        "  EDIT kname=5 0 0 10 10 \"\"\n"                        // 3 no capital
        "  EDIT kA_b=5 0 0 10 10 \"\"\n"                         // 4 underscore
        "  EDIT kA= 0 0 10 10 \"\"\n"                            // 5 no number
        "  EDIT kA=70000 0 0 10 10 \"\"\n"                       // 6 beyond a resource id
        "  EDIT kA=-1 0 0 10 10 \"\"\n"                          // 7
        "  EDIT kA=1x 0 0 10 10 \"\"\n"                          // 8
        "  EDIT =5 0 0 10 10 \"\"\n"                             // 9
        "  EDIT \"kA\" 0 0 10 10 \"\"\n"                         // 10 quoted
        "  EDIT kA=5 0 0 10 10\n"                                // 11 the rest is still checked
        "  EDIT kGood1=7 0 0 10 10 \"\"\n"                       // 12
        "END\n",
        "bad.dlg", errors);
    EXPECT_EQ(error_lines(errors), (std::vector<int>{2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(control_ids(dialogs[0]), (std::vector<int>{7}));
}

TEST(DialogNames, AFolderResolvesBasesInOtherFilesWhateverTheirOrder)
{
    TempFolder folder;
    // The variant's file sorts before its base's; its base takes names from a third.
    folder.write("dialogs/100-small.dlg",
                 "DIALOG 100 10 10 \"small\" IDS 826\n"
                 "  STATIC kTitle 0 0 5 5 \"\"\n"
                 "  EDIT   kFirstEdit 0 0 5 5 \"\"\n"
                 "END\n");
    folder.write("dialogs/802-msn.dlg",
                 "DIALOG 802 414 250 \"larger\"\n"
                 "  STATIC kTitle=1231 0 0 5 5 \"\"\n"
                 "  EDIT   kFirstEdit=3000 0 0 5 5 \"\"\n"
                 "  EDIT   kLastEdit=3014 0 0 5 5 \"\"\n"
                 "END\n");
    folder.write("dialogs/826-msn-q20.dlg",
                 "DIALOG 826 414 250 \"smaller\" IDS 802\n"
                 "  EDIT   kFirstEdit 1 1 5 5 \"\"\n"
                 "  STATIC kTitle 1 1 5 5 \"\"\n"
                 "END\n");
    DialogTemplates templates;
    std::vector<ParseError> errors;
    ASSERT_TRUE(templates.load_directory(folder.path() + "/dialogs", errors));
    EXPECT_TRUE(errors.empty()) << errors.front().file << ":" << errors.front().line << ": "
                                << errors.front().message;
    EXPECT_EQ(control_ids(*templates.find(826)), (std::vector<int>{3000, 1231}));
    EXPECT_EQ(control_ids(*templates.find(100)), (std::vector<int>{1231, 3000}));
    EXPECT_EQ(templates.find(827), templates.find(826)) << "the small-font id as before";
}

TEST(DialogNames, AMissingBaseOrACircleOfBasesIsReportedWhereTheDialogStarts)
{
    TempFolder folder;
    const std::string lost = folder.write("dialogs/826-lost.dlg",
                                          "# the base is gone\n"
                                          "DIALOG 826 10 10 \"\" IDS 802\n"
                                          "  EDIT kFirstEdit 0 0 5 5 \"\"\n"
                                          "  BUTTON 2154 0 0 5 5 \"\"\n"
                                          "END\n");
    folder.write("dialogs/900-circle.dlg",
                 "DIALOG 900 10 10 \"\" IDS 902\n"
                 "  EDIT kA=1 0 0 5 5 \"\"\n"
                 "END\n");
    const std::string circle = folder.write("dialogs/902-circle.dlg",
                                            "DIALOG 902 10 10 \"\" IDS 900\n"
                                            "  EDIT kB 0 0 5 5 \"\"\n"
                                            "END\n");
    DialogTemplates templates;
    std::vector<ParseError> errors;
    ASSERT_TRUE(templates.load_directory(folder.path() + "/dialogs", errors));
    ASSERT_EQ(errors.size(), 4u);
    EXPECT_EQ(errors[0].file, lost);
    EXPECT_EQ(error_lines({errors[0], errors[1]}), (std::vector<int>{2, 3})) << "the base, then the name";
    EXPECT_EQ(errors[2].file, circle);
    EXPECT_NE(errors[2].message.find("lead back"), std::string::npos) << errors[2].message;
    EXPECT_EQ(errors[2].line, 1);
    EXPECT_EQ(errors[3].line, 2) << "kB is in neither file nor base";
    ASSERT_NE(templates.find(826), nullptr) << "the dialog stays, without the control in error";
    EXPECT_EQ(control_ids(*templates.find(826)), (std::vector<int>{2154}));
    EXPECT_EQ(control_ids(*templates.find(900)), (std::vector<int>{1}));
    EXPECT_TRUE(templates.find(902)->controls.empty());
}

TEST(DialogIdsHeader, HoldsEachDeclaredNameOnceInFileOrder)
{
    std::vector<ParseError> errors;
    const auto dialogs = parse_dialog_templates(
        "DIALOG 802 414 250 \"\"\n"
        "  EDIT   kZetaEdit=3000 0 0 5 5 \"\"\n"
        "  BUTTON 2154 0 0 5 5 \"\"\n"
        "  EDIT   kAlphaEdit=2140 0 0 5 5 \"\"\n"
        "END\n"
        "DIALOG 826 414 250 \"\" IDS 802\n"
        "  EDIT   kAlphaEdit 0 0 5 5 \"\"\n"
        "  EDIT   kZetaEdit=3000 0 0 5 5 \"\"\n"
        "  STATIC kOwnLabel=1300 0 0 5 5 \"\"\n"
        "END\n",
        "802-msn.dlg", errors);
    ASSERT_TRUE(errors.empty());
    const std::string header = dialog_ids_header(dialogs, "msn", "802-msn.dlg");
    EXPECT_NE(header.find("#pragma once"), std::string::npos);
    EXPECT_NE(header.find("802-msn.dlg"), std::string::npos);
    const std::size_t open = header.find("namespace quillon::dialog_ids::msn {");
    const std::size_t zeta = header.find("inline constexpr int kZetaEdit = 3000;\n");
    const std::size_t alpha = header.find("inline constexpr int kAlphaEdit = 2140;\n");
    const std::size_t own = header.find("inline constexpr int kOwnLabel = 1300;\n");
    ASSERT_NE(open, std::string::npos);
    ASSERT_NE(zeta, std::string::npos);
    ASSERT_NE(alpha, std::string::npos);
    ASSERT_NE(own, std::string::npos);
    EXPECT_TRUE(open < zeta && zeta < alpha && alpha < own) << header;
    EXPECT_EQ(header.find("kZetaEdit", alpha), std::string::npos) << "declared twice, written once";
    EXPECT_EQ(header.find("2154"), std::string::npos) << "numbers without a name stay out";

    EXPECT_TRUE(is_ids_namespace("msn_q20"));
    EXPECT_FALSE(is_ids_namespace("msn-q20"));
    EXPECT_FALSE(is_ids_namespace("802_msn"));
    EXPECT_FALSE(is_ids_namespace(""));
}

} // namespace
} // namespace quillon::resources
