#include "pages/status_monitor.h"

#include <array>
#include <memory>
#include <string>

#include "pages/destination.h"
#include "pages/monitor_reading.h"
#include "pages/port_picture.h"
#include "shell/shell_ids.h"
#include "dialog_ids/monitor_ids.h"

namespace quillon {

using namespace platform;

namespace {

using namespace dialog_ids::monitor;

// Each row is a run of six controls, port 11 first and the data port last.
constexpr int kDataOffset = static_cast<int>(kMonitorDataColumn);
static_assert(kNameData == kNameFirst + kDataOffset);
static_assert(kPictureData == kPictureFirst + kDataOffset);
static_assert(kMsnData == kMsnFirst + kDataOffset);
static_assert(kCallerIdData == kCallerIdFirst + kDataOffset);
static_assert(kForwardData == kForwardFirst + kDataOffset);
static_assert(kChargesData == kChargesFirst + kDataOffset);
static_assert(kCurrentData == kCurrentFirst + kDataOffset);
static_assert(kOutgoingData == kOutgoingFirst + kDataOffset);

// Row headings: control and string base.
struct Heading {
    int control;
    int text;
};
constexpr std::array<Heading, 7> kHeadings = {{
    {kMsnHeading, 6655},
    {kCallerIdHeading, 6630},
    {kForwardHeading, 6635},
    {kChargesHeading, 6640},
    {kCurrentHeading, 6645},
    {kOutgoingHeading, 6650},
    {kTotalLabel, 8875},
}};
constexpr int kClipOffText = 8885;
constexpr int kNoForwardingText = 8890;
constexpr std::string_view kUnreadMsn = "--";

// The main window's alive poll rests while the monitor talks to the device.
class AlivePollRest {
public:
    explicit AlivePollRest(MainWindow& main) : main_(main) { main_.pause_alive_poll(); }
    ~AlivePollRest() { main_.resume_alive_poll(); }
    AlivePollRest(const AlivePollRest&) = delete;
    AlivePollRest& operator=(const AlivePollRest&) = delete;

private:
    MainWindow& main_;
};

std::string with_unit(const std::string& unit, const std::string& figure)
{
    return unit.empty() ? figure : unit + " " + figure;
}

class StatusMonitor : public Window {
public:
    explicit StatusMonitor(MainWindow& main) : Window(main.shell().ui, &main), main_(main), shell_(main.shell())
    {
        const int dialog = shell_.state.smaller_model() ? ids::kMonitorDialogSmaller : ids::kMonitorDialogLarger;
        create(shell_.dialog_id(dialog), WindowRole::Modal);
        for (const Heading& h : kHeadings)
            set_text(h.control, shell_.text(h.text));
        set_text(IDOK, shell_.text(ids::kOk));
        for (std::size_t c = 0; c < kMonitorColumns; ++c) {
            if (!present(c))
                continue;
            const int column = static_cast<int>(c);
            set_text(kNameFirst + column, port_name(c));
            const auto kind = c == kMonitorDataColumn ? PortPictureKind::DataPort : PortPictureKind::AnalogueWithMarker;
            pictures_[c] = std::make_unique<PortPicture>(shell_, *this, kPictureFirst + column, column, kind,
                                                         PortPicture::Look{false, false});
        }
        if (shell_.state.linkUp)
            refresh();
        else
            show_reading(MonitorReading{});
        set_timer(kMonitorTimer, kMonitorPeriodMs);
    }
    ~StatusMonitor() override { kill_timer(kMonitorTimer); }

    // While the link is down the timer runs on and nothing is read.
    void on_timer(int id) override
    {
        if (id == kMonitorTimer && shell_.state.linkUp && !reading_)
            refresh();
    }
    void on_command(int id, int code) override
    {
        if (id == IDOK && code == BN_CLICKED)
            end_modal(IDOK);
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
    bool present(std::size_t column) const { return monitor_column_present(column, shell_.state.portCount); }

    std::string port_name(std::size_t column) const
    {
        const std::string& alias = shell_.state.portAliases[column];
        return alias.empty() ? default_alias(static_cast<int>(column)) : alias;
    }
    std::string shown_number(const std::string& deviceForm) const
    {
        return destination_display_text(deviceForm, shell_.state.portAliases);
    }

    void refresh()
    {
        reading_ = true;
        MonitorReading reading;
        {
            // Up to about thirty commands: the window does not answer meanwhile.
            WaitCursor wait(shell_.ui);
            AlivePollRest rest(main_);
            reading = read_monitor(shell_.gate, shell_.state.portCount);
        }
        reading_ = false;
        show_reading(reading);
    }

    void show_reading(const MonitorReading& reading)
    {
        if (reading.unit)
            unit_ = *reading.unit;
        for (std::size_t c = 0; c < kMonitorColumns; ++c) {
            if (!present(c))
                continue;
            const MonitorColumn& column = reading.columns[c];
            const int offset = static_cast<int>(c);
            const std::string msn = column.firstMsn ? *column.firstMsn : std::string(kUnreadMsn);
            set_text(kMsnFirst + offset, msn);
            set_text(kCallerIdFirst + offset, column.clip ? msn : shell_.text(kClipOffText));
            set_text(kForwardFirst + offset,
                     column.forwardTarget ? shown_number(*column.forwardTarget) : shell_.text(kNoForwardingText));
            set_text(kChargesFirst + offset, with_unit(unit_, column.charges));
            set_text(kCurrentFirst + offset, with_unit(unit_, column.current));
            std::string calls;
            for (const CallEntry& entry : column.outgoing)
                calls += (calls.empty() ? "" : "\n") + call_number_text(entry, shell_.state.portAliases);
            set_text(kOutgoingFirst + offset, calls);
            if (pictures_[c])
                pictures_[c]->set_busy(column.busy);
        }
        set_text(kTotalValue, with_unit(unit_, reading.total));
        repaint();
    }

    MainWindow& main_;
    ShellContext& shell_;
    std::array<std::unique_ptr<PortPicture>, kMonitorColumns> pictures_;
    std::string unit_;
    bool reading_ = false;  // a tick that comes while the device is being asked waits for the next
};

} // namespace

int run_status_monitor(MainWindow& main)
{
    StatusMonitor monitor(main);
    return monitor.run_modal();
}

} // namespace quillon
