// Checks of the repository's own res/: everything loads cleanly, the three
// menus agree, and every dialog template keeps the layout rules and holds
// the controls the program addresses.
#include <filesystem>
#include <map>
#include <set>

#include <gtest/gtest.h>

#include "dialog_ids/about_ids.h"
#include "dialog_ids/credits_ids.h"
#include "dialog_ids/discard_ids.h"
#include "dialog_ids/help_ids.h"
#include "dialog_ids/no_response_ids.h"
#include "platform/message_ids.h"
#include "resources/resources.h"
#include "shell/shell_ids.h"

namespace quillon::resources {
namespace {

namespace fs = std::filesystem;

constexpr int kMarginDu = 4;

std::string describe(const std::vector<ParseError>& errors)
{
    std::string text;
    for (const ParseError& e : errors)
        text += e.file + ":" + std::to_string(e.line) + ": " + e.message + "\n";
    return text;
}

class ShippedResources : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        resources_ = new Resources;
        loaded_ = resources_->load(QUILLON_TEST_RES_DIR, errors_);
    }
    static void TearDownTestSuite()
    {
        delete resources_;
        resources_ = nullptr;
    }

    static const Resources& res() { return *resources_; }
    static std::vector<ParseError> errors_in(std::string_view folder)
    {
        std::vector<ParseError> found;
        for (const ParseError& e : errors_) {
            if (e.file.find(folder) != std::string::npos)
                found.push_back(e);
        }
        return found;
    }

    static Resources* resources_;
    static bool loaded_;
    static std::vector<ParseError> errors_;
};

Resources* ShippedResources::resources_ = nullptr;
bool ShippedResources::loaded_ = false;
std::vector<ParseError> ShippedResources::errors_;

TEST_F(ShippedResources, StringsLoadWithTheSameBasesInEveryLanguage)
{
    ASSERT_TRUE(loaded_);
    EXPECT_TRUE(errors_in("/strings").empty()) << describe(errors_in("/strings"));
    EXPECT_EQ(res().strings.get(6090, 0), "Send to Q20 / Q30");
    EXPECT_EQ(res().strings.get(57344), "VornISDN Quillon");
}

TEST_F(ShippedResources, TheThreeMenusOfferTheSameCommands)
{
    EXPECT_TRUE(errors_in("/menus").empty()) << describe(errors_in("/menus"));
    const Menu* english = res().menus.find(700);
    ASSERT_NE(english, nullptr);
    std::vector<int> englishIds;
    const auto collect = [](const std::vector<MenuItem>& items, std::vector<int>& ids, auto& self) -> void {
        for (const MenuItem& item : items) {
            if (item.kind == MenuItem::Kind::Command)
                ids.push_back(item.id);
            self(item.children, ids, self);
        }
    };
    collect(english->items, englishIds, collect);
    EXPECT_GT(englishIds.size(), 30u);
    for (const int language : {701, 702}) {
        const Menu* other = res().menus.find(language);
        ASSERT_NE(other, nullptr) << language;
        std::vector<int> ids;
        collect(other->items, ids, collect);
        EXPECT_EQ(ids, englishIds) << "menu " << language << " differs from menu 700";
        EXPECT_EQ(other->items.size(), english->items.size()) << language;
    }
}

TEST_F(ShippedResources, EveryDialogTemplateLoadsAndIsNamedAfterItsId)
{
    EXPECT_TRUE(errors_in("/dialogs").empty()) << describe(errors_in("/dialogs"));
    for (const auto& entry : fs::directory_iterator(fs::path(QUILLON_TEST_RES_DIR) / "dialogs")) {
        const std::string name = entry.path().filename().string();
        const int id = std::atoi(name.c_str());
        const DialogTemplate* t = res().dialogs.find(id);
        ASSERT_NE(t, nullptr) << name;
        EXPECT_EQ(t->id, id) << name << " should be named <id>-<name>.dlg";
    }
}

TEST_F(ShippedResources, ShellDialogsAndBothModelsPagesExistWithTheControlsTheProgramUses)
{
    using namespace platform;
    using namespace dialog_ids;
    constexpr int kHeaderPicture = 251;  // shown, never addressed
    const std::map<int, std::vector<int>> required = {
        {369, {about::kAboutPicture, about::kCreditsButton}},
        {850, {kHeaderPicture, help::kHelpTextPlace, IDOK}},
        {852,
         {kHeaderPicture, credits::kProgramBlock, credits::kAuthorsBlock, credits::kThanksBlock,
          credits::kCopyrightBlock, IDOK}},
        {854,
         {no_response::kWarningPlace, no_response::kNoResponseTextPlace, no_response::kNoResponseHintsPlace,
          no_response::kTryAgainButton, no_response::kQuitButton}},
        {856, {discard::kWarningPlace, discard::kDiscardTextPlace, ID_DISCARD, ID_STAY, ID_SEND}},
    };
    std::map<int, std::vector<int>> expected = required;
    const std::vector<int> pages = {802, 804, 806, 808, 810, 812, 814, 816, 818,
                                    820, 826, 828, 830, 832, 834, 836, 838, 840};
    for (const int page : pages)
        expected[page] = {ID_SEND, ID_HELP};
    // A page still to be built shows its placeholder text and nothing else.
    for (const int page : pages) {
        const DialogTemplate* t = res().dialogs.find(page);
        if (t && t->control(ids::kPageMessage)) {
            EXPECT_EQ(t->controls.size(), 3u) << "page " << page << " is half built";
        }
    }

    for (const auto& [id, controls] : expected) {
        const DialogTemplate* t = res().dialogs.find(id);
        ASSERT_NE(t, nullptr) << "dialog " << id;
        if (id % 2 == 0) {
            EXPECT_EQ(res().dialogs.find(id + 1), t) << "the small-font variant of " << id;
        }
        for (const int control : controls)
            EXPECT_NE(t->control(control), nullptr) << "dialog " << id << " lacks control " << control;
    }
    for (const int page : pages)
        EXPECT_EQ(res().dialogs.find(page)->control(ID_HELP)->kind, ControlKind::HelpButton);
}

// A variant (IDS) is its base with positions of its own and some controls
// hidden: the page's code addresses every control of the base in both.
TEST_F(ShippedResources, EveryVariantHoldsEachNamedControlOfItsBase)
{
    EXPECT_EQ(res().dialogs.find(826)->baseId, 802) << "the Q20 MSN page takes its ids from the Q30 one";
    for (const auto& entry : fs::directory_iterator(fs::path(QUILLON_TEST_RES_DIR) / "dialogs")) {
        const DialogTemplate* t = res().dialogs.find(std::atoi(entry.path().filename().string().c_str()));
        if (!t || t->baseId == kNoBaseDialog)
            continue;
        const DialogTemplate* base = res().dialogs.find(t->baseId);
        ASSERT_NE(base, nullptr) << "dialog " << t->id;
        for (const ControlTemplate& c : base->controls) {
            if (c.name.empty())
                continue;
            const ControlTemplate* same = t->control(c.id);
            EXPECT_TRUE(same && same->name == c.name && same->kind == c.kind)
                << "dialog " << t->id << " lacks " << c.name << " of dialog " << base->id;
        }
    }
}

bool overlaps(const platform::Rect& a, const platform::Rect& b)
{
    return a.x < b.right() && b.x < a.right() && a.y < b.bottom() && b.y < a.bottom();
}

bool contains(const platform::Rect& outer, const platform::Rect& inner)
{
    return inner.x >= outer.x && inner.y >= outer.y && inner.right() <= outer.right() &&
           inner.bottom() <= outer.bottom();
}

TEST_F(ShippedResources, ControlsStayInsideTheirDialogAndApart)
{
    for (const auto& entry : fs::directory_iterator(fs::path(QUILLON_TEST_RES_DIR) / "dialogs")) {
        const DialogTemplate* t = res().dialogs.find(std::atoi(entry.path().filename().c_str()));
        ASSERT_NE(t, nullptr);
        const platform::Rect inside{kMarginDu, kMarginDu, t->width - 2 * kMarginDu, t->height - 2 * kMarginDu};
        for (std::size_t i = 0; i < t->controls.size(); ++i) {
            const ControlTemplate& a = t->controls[i];
            EXPECT_TRUE(contains(inside, a.rect)) << "dialog " << t->id << ": control " << a.id << " is too close to the edge";
            for (std::size_t k = i + 1; k < t->controls.size(); ++k) {
                const ControlTemplate& b = t->controls[k];
                const bool framed = (a.kind == ControlKind::Group && contains(a.rect, b.rect)) ||
                                    (b.kind == ControlKind::Group && contains(b.rect, a.rect));
                // Placeholders only mark where the program puts or paints something.
                const bool marker = a.kind == ControlKind::Placeholder || b.kind == ControlKind::Placeholder;
                EXPECT_FALSE(overlaps(a.rect, b.rect) && !framed && !marker)
                    << "dialog " << t->id << ": controls " << a.id << " and " << b.id << " overlap";
            }
        }
    }
}

TEST_F(ShippedResources, EveryPictureATemplateNamesExists)
{
    for (const auto& entry : fs::directory_iterator(fs::path(QUILLON_TEST_RES_DIR) / "dialogs")) {
        const DialogTemplate* t = res().dialogs.find(std::atoi(entry.path().filename().c_str()));
        ASSERT_NE(t, nullptr);
        for (const ControlTemplate& c : t->controls) {
            std::string pictureId;
            if (c.kind == ControlKind::Picture)
                pictureId = c.text;
            else if (c.kind == ControlKind::PushButton && c.text.starts_with('#'))
                pictureId = c.text.substr(1);
            if (pictureId.empty())
                continue;
            EXPECT_FALSE(res().picture_path(std::atoi(pictureId.c_str())).empty())
                << "dialog " << t->id << " control " << c.id << " names picture " << pictureId;
        }
    }
}

} // namespace
} // namespace quillon::resources
