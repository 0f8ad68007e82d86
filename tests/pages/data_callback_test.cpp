// The data callback dialog: numbers checked as typed, only changes sent.
#include "pages_fixture.h"
#include "dialog_ids/data_callback_ids.h"

using namespace quillon;
using namespace quillon::platform;

namespace {

using quillon::dialog_ids::data_callback::kFirstNumber;

constexpr int kDialog = 823;

struct Callback : pagestest::Program {
    void open(std::function<void(Window&)> act)
    {
        backend.on_modal(kDialog, [act](Window& d) {
            act(d);
            return IDCANCEL;
        });
        backend.menu(ID_DATA_CALLBACK);
        backend.pump();
    }
};

} // namespace

TEST_F(Callback, ALetterOrASixteenthDigitIsRefusedFifteenAreTaken)
{
    start();
    std::string afterLetter, afterSixteen;
    open([&](Window& d) {
        backend.type(d, kFirstNumber, "0891234");
        backend.type(d, kFirstNumber, "0891234x");
        afterLetter = backend.control(d, kFirstNumber)->text;
        backend.type(d, kFirstNumber + 1, "123456789012345");
        backend.type(d, kFirstNumber + 1, "1234567890123456");
        afterSixteen = backend.control(d, kFirstNumber + 1)->text;
    });
    EXPECT_EQ(backend.message_boxes().size(), 2u);
    EXPECT_EQ(afterLetter, "") << "the last accepted number, not the last keystroke";
    EXPECT_EQ(afterSixteen, "");
}

TEST_F(Callback, ChangingOneNumberSendsExactlyThatNumber)
{
    start();
    open([&](Window& d) {
        backend.type(d, kFirstNumber + 3, "0301234");
        backend.click(d, ID_SEND);
    });
    const auto numbers = sets_of(q30::DRV_CALLBACK_NUMBER);
    ASSERT_EQ(numbers.size(), 1u);
    EXPECT_EQ(numbers[0].record.index, 3);
    EXPECT_EQ(std::string(q30::record::str(numbers[0].record)), "0301234");
    EXPECT_TRUE(sets_of(q30::DRV_CALLBACK_ON).empty());
    EXPECT_EQ(main().callback_settings().numbers[3], "0301234");
}

TEST_F(Callback, CancelSendsNothing)
{
    start();
    open([&](Window& d) {
        backend.type(d, kFirstNumber, "0301234");
        backend.click(d, IDCANCEL);
    });
    EXPECT_TRUE(sets_of(q30::DRV_CALLBACK_NUMBER).empty());
}
