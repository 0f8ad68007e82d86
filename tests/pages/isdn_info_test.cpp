// The ISDN information dialog: the device's line state, last disconnection
// cause, identity and texts of AT commands, read again every three seconds;
// on a scripted device the values the emulator never reports.
#include "emulated_program.h"
#include "scripted_program.h"

#include <algorithm>

#include "pages/isdn_info_dialog.h"
#include "shell/shell_ids.h"
#include "dialog_ids/isdn_info_ids.h"

using namespace quillon;
using namespace quillon::platform;
using namespace quillon::dialog_ids::isdn_info;

namespace {

enum Section { kLineState, kLastCause, kModel, kVersions, kProgram, kImportant, kChanged };

// Opens the dialog from the menu and runs `look` while it is shown.
template <typename Fixture>
void open_info(Fixture& f, const std::function<void(Window&)>& look)
{
    f.backend.on_modal(f.main().shell().dialog_id(ids::kIsdnInfoDialog), [&](Window& d) { return look(d), IDOK; });
    f.backend.menu(ID_ISDN_INFO);
    f.backend.pump();
}

template <typename Fixture>
std::string value(Fixture& f, Window& d, Section s)
{
    return f.backend.control(d, kFirstValue + s)->text;
}

struct IsdnInfoOnDevice : pagestest::EmulatedProgram {
    int line_state_queries()
    {
        const auto all = device_commands();
        return static_cast<int>(std::count(all.begin(), all.end(), "AT!C1?"));
    }
};

struct IsdnInfoScripted : pagestest::ScriptedProgram {};

} // namespace

TEST_F(IsdnInfoOnDevice, ShowsTheDevicesValuesAndReadsThemAgainEveryThreeSeconds)
{
    q30sim::DeviceOptions options;
    options.seed = true;
    start(options);
    int queriesAtClose = 0;
    open_info(*this, [&](Window& d) {
        EXPECT_EQ(backend.state(d)->caption, "ISDN Info");
        EXPECT_EQ(backend.control(d, kFirstLabel)->text, "#1 ISDN status && connection status of the modem");
        EXPECT_EQ(value(*this, d, kLineState), ui->text(6610, 0)) << "the emulated line is synchronised";
        EXPECT_EQ(value(*this, d, kLastCause), "ok (0)");
        EXPECT_EQ(value(*this, d, kModel), "VornISDN Q30 KLM-230S");
        EXPECT_EQ(value(*this, d, kVersions), "1.3.4 BOOT CODE 1.02");
        EXPECT_EQ(value(*this, d, kProgram), "Version 1.3A");
        // One device line per line, "&" doubled for the control, no CR or backspace.
        const std::string important = value(*this, d, kImportant);
        EXPECT_EQ(important.rfind("Important AT commands:\n", 0), 0u) << important;
        EXPECT_NE(important.find("store settings && keep them"), std::string::npos) << important;
        EXPECT_EQ(important.find_first_of("\r\b"), std::string::npos);
        EXPECT_EQ(value(*this, d, kChanged).rfind("Changed AT commands:\n", 0), 0u);

        backend.advance(2999);
        EXPECT_EQ(line_state_queries(), 1);
        // A call from port 21 ends normally (dialling back waits for its end).
        DrvCmd dial = blank_record(21, 0, q30::OP_SET);
        q30::record::set_str(dial, "0301234");
        main().shell().gate.send(q30::DRV_P24, &dial);
        backend.advance(1);
        EXPECT_EQ(line_state_queries(), 2);
        EXPECT_EQ(value(*this, d, kLastCause), "(16)");

        int helpShown = 0;
        backend.on_modal(main().shell().dialog_id(ids::kHelpDialog), [&](Window& h) {
            EXPECT_NE(backend.state(h)->caption.find("ISDN Info"), std::string::npos);
            return ++helpShown, IDOK;
        });
        backend.click(d, ID_HELP);
        EXPECT_EQ(helpShown, 1);
        queriesAtClose = line_state_queries();
    });
    backend.advance(9000);
    EXPECT_EQ(line_state_queries(), queriesAtClose) << "closing stops the timer";
}

TEST_F(IsdnInfoScripted, UnknownStatesShowTheirNumberAndUnreadValuesTheirPlaceholders)
{
    device.model = 20;
    int lineState = 7;
    answer = [&](uint32_t code, DrvCmd* r) -> std::optional<int32_t> {
        switch (code) {
        case q30::DRV_ISDN_C1: return pagestest::answered(r, lineState);
        case q30::DRV_ISDN_S71: return pagestest::answered(r, 34);
        case q30::DRV_ISDN_S0:
            std::snprintf(q30::record::caller_buffer(*r), static_cast<std::size_t>(r->bufferSize),
                          "\r\nAT%%A5=1 \xE4nderung\r\n\r\n");
            return pagestest::answered(r, 0);
        default: return std::nullopt;
        }
    };
    start_scripted();
    state().language = 1;
    open_info(*this, [&](Window& d) {
        EXPECT_EQ(backend.control(d, kFirstLabel + kModel)->text, "#3 Modemmodell");
        EXPECT_EQ(value(*this, d, kLineState),
                  "Das VornISDN-Modem meldet einen Leitungszustand, den dieses Programm nicht kennt. ( 7 )");
        EXPECT_EQ(value(*this, d, kLastCause), "(34)");
        EXPECT_EQ(value(*this, d, kModel), "VornISDN Q20  KLM-220S");
        EXPECT_EQ(value(*this, d, kImportant), "AT%A5=1 \xC3\xA4nderung") << "the device's 8-bit text as UTF-8";

        lineState = -1;
        backend.advance(3000);
        EXPECT_TRUE(value(*this, d, kLineState).ends_with(" ( -1 )")) << value(*this, d, kLineState);

        // No device at all: the first state, a normal end, no texts.
        answer = nullptr;
        device.present = false;
        backend.advance(3000);
        EXPECT_EQ(value(*this, d, kLineState), ui->text(6595, 1));
        EXPECT_EQ(value(*this, d, kLastCause), "ok (0)");
        EXPECT_EQ(value(*this, d, kImportant), "");
    });
}
