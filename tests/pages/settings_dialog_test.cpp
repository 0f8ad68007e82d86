// The general settings dialog: checks while typing, the language pick, the
// currency field by firmware, and what OK sends.
#include "pages_fixture.h"
#include "pages/settings_dialog.h"
#include "dialog_ids/settings_ids.h"

using namespace quillon;
using namespace quillon::platform;

namespace {

using namespace quillon::dialog_ids::settings;

constexpr int kDialog = 847;  // small fonts

struct Settings : pagestest::Program {
    // Opens the settings and lets `act` work in the dialog.
    void open(std::function<void(Window&)> act)
    {
        backend.on_modal(kDialog, [act](Window& d) {
            act(d);
            return IDCANCEL;
        });
        backend.menu(ID_SETTINGS);
        backend.pump();
    }
};

} // namespace

TEST_F(Settings, ASeventhDigitOfTheLocalCodeIsRefused)
{
    start();
    main().general_settings().localCode = "089";
    std::string shown;
    open([&](Window& d) {
        backend.type(d, kLocalCodeEdit, "0891234");
        shown = backend.control(d, kLocalCodeEdit)->text;
    });
    ASSERT_EQ(backend.message_boxes().size(), 1u);
    EXPECT_EQ(backend.message_boxes()[0].text, ui->text(9825, 0));
    EXPECT_EQ(shown, "") << "back to the value it had when the dialog opened (the fake device has none)";
}

TEST_F(Settings, TheChargePerUnitTakesDigitsAndOneSeparatorBelow10000)
{
    start();
    open([&](Window& d) {
        backend.type(d, kChargeUnitEdit, "12,50");
        backend.type(d, kChargeUnitEdit, "10000");
        backend.type(d, kChargeUnitEdit, "12a");
        backend.type(d, kChargeUnitEdit, "9999.5");
    });
    ASSERT_EQ(backend.message_boxes().size(), 2u) << "10000 and 12a";
    EXPECT_EQ(backend.message_boxes()[0].text, ui->text(9785, 0));
}

TEST_F(Settings, PickingGermanThenCancelOnlyChangesTheDevicesDisplay)
{
    start();
    open([&](Window& d) { backend.choose(d, kLanguagePicture, 1); });
    EXPECT_EQ(device.deviceLanguage, 1) << "the device follows the pick at once";
    EXPECT_EQ(state().language, 0) << "Cancel keeps the program's language";
}

TEST_F(Settings, OkAppliesTheLanguageAndSendsOnlyTouchedTextsCurrencyFirst)
{
    start();
    open([&](Window& d) {
        backend.choose(d, kLanguagePicture, 1);
        backend.type(d, kCurrencyEdit, "EUR");
        backend.type(d, kLocalCodeEdit, "030");
        backend.click(d, kOkButton);
    });
    EXPECT_EQ(state().language, 1);
    ASSERT_EQ(sent.size() >= 2, true);
    std::vector<uint32_t> textSets;
    for (const auto& s : sent)
        if (s.record.op == q30::OP_SET && s.code != q30::DRV_LANGUAGE)
            textSets.push_back(s.code);
    EXPECT_EQ(textSets, (std::vector<uint32_t>{q30::DRV_CURRENCY, q30::DRV_LOCAL_CODE}));
    EXPECT_EQ(main().general_settings().currency, "EUR");
}

TEST_F(Settings, TheCurrencyFieldNeedsFirmware134OrLater)
{
    for (const char* firmware : {"1.3.4", "1.3.5", "1.4", "1.3.3", "1.3.10"}) {
        device.firmware = firmware;
        start();
        bool shown = false;
        open([&](Window& d) { shown = backend.control(d, kCurrencyEdit)->visible; });
        const bool expected = std::string(firmware) != "1.3.3" && std::string(firmware) != "1.3.10";
        EXPECT_EQ(shown, expected) << firmware;
        app.reset();
    }
}

TEST(SettingsPortText, NamesThePortAndItsDeviceNode)
{
    EXPECT_EQ(port_text(-1), "  COM0");
    setenv("Q30COM32_COM2", "/dev/ttyUSB7", 1);
    EXPECT_EQ(port_text(1), "  COM2 (/dev/ttyUSB7)");
    unsetenv("Q30COM32_COM2");
}
