// The MSN page templates as the program draws them: every MSN field shows
// a whole 15-digit number, and each port's fields stand on one tidy line.
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>

#include "dialog_ids/msn_ids.h"
#include "gui_fixture.h"

namespace quillon::gui::test {
namespace {

constexpr int kLargerModelPage = 802;
constexpr int kSmallerModelPage = 826;
constexpr int kFirstMsn = dialog_ids::msn::kPort11Msn1Edit;
constexpr int kMsnCount = dialog_ids::msn::kDataMsn5Edit - kFirstMsn + 1;
constexpr int kFirstAlias = dialog_ids::msn::kPort11AliasEdit;
constexpr int kFirstClip = dialog_ids::msn::kPort11ClipBox;
constexpr int kLongestMsnDigits = 15;
// A line edit keeps this much room beside its text inside its frame.
constexpr int kLineEditTextMargin = 2;

// The width a line edit has for its text.
int text_room(QLineEdit& edit)
{
    QStyleOptionFrame option;
    option.initFrom(&edit);
    option.rect = edit.rect();
    option.lineWidth = edit.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &edit);
    const QRect contents = edit.style()->subElementRect(QStyle::SE_LineEditContents, &option, &edit);
    const QMargins margins = edit.textMargins();
    return contents.width() - margins.left() - margins.right() - 2 * kLineEditTextMargin;
}

// The program's own templates, not the test ones of GuiTest.
class MsnTemplateTest : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override
    {
        std::vector<resources::ParseError> problems;
        resources.dialogs.load_directory(std::string(QUILLON_SOURCE_RES_DIR) + "/dialogs", problems);
        ASSERT_NE(resources.dialogs.find(GetParam()), nullptr);
        window = std::make_unique<RecordingWindow>(ui, nullptr);
        window->create(GetParam(), platform::WindowRole::Modeless);
    }
    void TearDown() override
    {
        window.reset();
        GuiTest::settle();
    }

    QLineEdit* edit(int id) const { return dynamic_cast<QLineEdit*>(backend.control_widget(*window, id)); }
    QRect rect_of(int id) const { return backend.control_widget(*window, id)->geometry(); }

    resources::Resources resources;
    QtBackend backend{resources};
    platform::Ui ui{backend, resources};
    std::unique_ptr<RecordingWindow> window;
};

TEST_P(MsnTemplateTest, EveryMsnFieldShowsFifteenDigits)
{
    const std::string number = "012345678901234";
    ASSERT_EQ(number.size(), static_cast<std::size_t>(kLongestMsnDigits));
    for (int id = kFirstMsn; id < kFirstMsn + kMsnCount; ++id) {
        QLineEdit* field = edit(id);
        ASSERT_NE(field, nullptr) << id;
        EXPECT_GE(text_room(*field), QFontMetrics(field->font()).horizontalAdvance(QString::fromStdString(number)))
            << "MSN field " << id << " is " << field->width() << " px wide";
    }
}

TEST_P(MsnTemplateTest, EachPortsFieldsStandOnOneLineInsideThePage)
{
    const QRect page(QPoint(0, 0), backend.window_widget(*window)->size());
    for (int port = 0; port < 6; ++port) {
        const QRect alias = rect_of(kFirstAlias + port);
        const QRect clip = rect_of(kFirstClip + port);
        QRect previous = alias;
        for (int i = 0; i < 3; ++i) {
            const QRect msn = rect_of(kFirstMsn + 3 * port + i);
            EXPECT_EQ(msn.top(), alias.top()) << "port " << port << " MSN " << i;
            EXPECT_GT(msn.left(), previous.right()) << "port " << port << " MSN " << i << " overlaps";
            previous = msn;
        }
        EXPECT_GT(clip.left(), previous.right()) << "port " << port;
        EXPECT_TRUE(page.contains(clip)) << "port " << port;
    }
}

INSTANTIATE_TEST_SUITE_P(BothModels, MsnTemplateTest, ::testing::Values(kLargerModelPage, kSmallerModelPage));

} // namespace
} // namespace quillon::gui::test
