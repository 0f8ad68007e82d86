#include "pages/isdn_info_dialog.h"

#include <array>
#include <string>

#include "pages/isdn_info_texts.h"
#include "shell/device_set.h"
#include "shell/shell_dialogs.h"
#include "shell/shell_ids.h"
#include "dialog_ids/isdn_info_ids.h"

namespace quillon {

using namespace platform;

namespace {

using namespace dialog_ids::isdn_info;

constexpr int kSectionCount = 7;
// Labels and values are rows of seven controls.
static_assert(kLastLabel == kFirstLabel + kSectionCount - 1);
static_assert(kLastValue == kFirstValue + kSectionCount - 1);

constexpr int kCaption = 8560;
constexpr int kHelpText = 7050;
constexpr int kFirstSectionLabel = 6450;  // + 5 per section
constexpr int kProgramVersion = 13;       // one text for every language
// The device's texts of AT commands are a few hundred bytes.
constexpr std::size_t kInfoTextBytes = 4096;

enum Section { kLineState, kLastCause, kModel, kVersions, kProgram, kImportantCommands, kChangedCommands };

struct LineInformation {
    int lineState = 0;
    int lastCause = 0;
    std::string importantCommands;
    std::string changedCommands;
};

int read_number(const DeviceGate& gate, uint32_t code)
{
    DrvCmd r = blank_record();
    return accepted(gate.send(code, &r), r) ? r.value : 0;
}

// The device closes these texts without "OK": a reply is enough.
std::string read_info_text(const DeviceGate& gate, uint32_t code)
{
    std::string buffer(kInfoTextBytes, '\0');
    DrvCmd r = blank_record();
    q30::record::set_caller_buffer(r, buffer.data(), static_cast<int32_t>(buffer.size()));
    if (gate.send(code, &r) != q30::kResultOk)
        return {};
    buffer.back() = '\0';
    return device_lines_text(buffer.c_str());
}

LineInformation read_line_information(const DeviceGate& gate)
{
    LineInformation info;
    info.lineState = read_number(gate, q30::DRV_ISDN_C1);
    info.lastCause = read_number(gate, q30::DRV_ISDN_S71);
    info.importantCommands = read_info_text(gate, q30::DRV_ISDN_S0);
    info.changedCommands = read_info_text(gate, q30::DRV_ISDN_S1);
    return info;
}

class IsdnInfoDialog : public Window {
public:
    explicit IsdnInfoDialog(MainWindow& main) : Window(main.shell().ui, &main), shell_(main.shell())
    {
        create(shell_.dialog_id(ids::kIsdnInfoDialog), WindowRole::Modal);
        set_caption(shell_.text(kCaption));
        for (int i = 0; i < kSectionCount; ++i)
            set_text(kFirstLabel + i, shell_.text(kFirstSectionLabel + 5 * i));
        set_text(IDOK, shell_.text(ids::kOk));
        const AppState& state = shell_.state;
        set_value(kModel, model_with_order_number(state.modelNumber, state.isUsb));
        set_value(kVersions, versions_text(state.firmwareVersion, state.secondVersion));
        set_value(kProgram, shell_.ui.text(kProgramVersion));
        refresh();
        set_timer(kIsdnInfoTimer, kIsdnInfoPeriodMs);
    }
    ~IsdnInfoDialog() override { kill_timer(kIsdnInfoTimer); }

    void on_timer(int id) override
    {
        if (id == kIsdnInfoTimer)
            refresh();
    }
    void on_command(int id, int code) override
    {
        if (code != BN_CLICKED)
            return;
        if (id == IDOK)
            end_modal(IDOK);
        else if (id == ID_HELP)
            show_help(shell_, this, kHelpText, kCaption);
    }
    bool on_key(Key key) override
    {
        if (key != Key::Enter)
            return false;
        end_modal(IDOK);
        return true;
    }
    void on_close() override { end_modal(IDCANCEL); }

private:
    void set_value(Section s, const std::string& text) { set_text(kFirstValue + s, text); }

    // Each tick shows what it read at once, rather than at the next repaint.
    void refresh()
    {
        const LineInformation info = read_line_information(shell_.gate);
        std::string state = shell_.text(line_state_text_base(info.lineState));
        if (line_state_text_base(info.lineState) == kUnknownLineStateText)
            state += line_state_number_suffix(info.lineState);
        set_value(kLineState, state);
        set_value(kLastCause, last_cause_text(info.lastCause));
        set_value(kImportantCommands, info.importantCommands);
        set_value(kChangedCommands, info.changedCommands);
    }

    ShellContext& shell_;
};

} // namespace

int run_isdn_info_dialog(MainWindow& main)
{
    IsdnInfoDialog dialog(main);
    return dialog.run_modal();
}

} // namespace quillon
