#include "pages/monitor_reading.h"

#include "pages/charge_counter_read.h"
#include "shell/device_set.h"
#include "shell/device_text.h"

namespace quillon {

namespace {

// The three forwardings in the order the monitor looks for an active one:
// immediately, after 20 seconds, when busy.
constexpr std::array<uint32_t, 3> kForwardingCodes = {q30::DRV_FORWARD_20, q30::DRV_FORWARD_21,
                                                      q30::DRV_FORWARD_22};
constexpr int kFirstMsnIndex = 0;

bool query(const DeviceGate& gate, uint32_t code, DrvCmd& r) { return accepted(gate.send(code, &r), r); }

void read_msn_and_clip(const DeviceGate& roundGate, int port, MonitorColumn& column)
{
    DrvCmd msn = blank_record(port, kFirstMsnIndex);
    if (query(roundGate, q30::DRV_MSN, msn))
        column.firstMsn = device_str(msn);
    DrvCmd clip = blank_record(port);
    column.clip = query(roundGate, q30::DRV_CLIP, clip) && clip.on != 0;
}

std::optional<std::string> first_forwarding(const DeviceGate& roundGate, int port)
{
    for (uint32_t code : kForwardingCodes) {
        DrvCmd r = blank_record(port);
        if (query(roundGate, code, r) && r.value == 1 && !device_str(r).empty())
            return device_str(r);
    }
    return std::nullopt;
}

// The unit follows the counter text's last labelled figure.
std::optional<std::string> unit_of(const ChargeRow& row)
{
    std::optional<std::string> unit;
    for (const ChargeFigure& figure : row)
        if (figure.labelled)
            unit = from_device_text(figure.unit);
    return unit;
}

void read_counter_row(const DeviceGate& roundGate, int counter, int portCount, MonitorReading& reading,
                      std::string MonitorColumn::*figure)
{
    const std::optional<std::string> text = read_charge_counter(roundGate, counter);
    if (!text)
        return;
    const ChargeRow row = parse_charge_counter(*text, static_cast<std::size_t>(portCount));
    for (std::size_t c = 0; c < kMonitorColumns; ++c)
        if (monitor_column_present(c, portCount))
            reading.columns[c].*figure = row[c].amount;
    if (auto unit = unit_of(row))
        reading.unit = unit;
}

void read_port_status(const DeviceGate& roundGate, int portCount, MonitorReading& reading)
{
    DrvCmd r = blank_record();
    if (!query(roundGate, q30::DRV_PORT_STATUS, r))
        return;
    for (int i = 0; i < portCount && i < q30::record::kPortFlagCount; ++i)
        reading.columns[static_cast<std::size_t>(i)].busy = q30::record::port_flag(r, i) != 0;
}

} // namespace

bool monitor_column_present(std::size_t column, int portCount)
{
    return column == kMonitorDataColumn || column < static_cast<std::size_t>(portCount);
}

MonitorReading read_monitor(const DeviceGate& gate, int portCount)
{
    MonitorReading reading;
    // The round's own gate: after the first command without a reply it asks
    // nothing more. It stands behind the program's gate, which still closes
    // while the link is down.
    AppState linkOpen;
    linkOpen.linkUp = true;
    bool& silent = reading.deviceSilent;
    const DeviceGate roundGate(linkOpen, [&gate, &silent](uint32_t code, DrvCmd* r) {
        if (silent)
            return q30::kResultNoReply;
        const int32_t result = gate.send(code, r);
        silent = result == q30::kResultNoReply;
        return result;
    });

    for (int i = 0; i < portCount; ++i)
        read_msn_and_clip(roundGate, kPortNumbers[static_cast<std::size_t>(i)], reading.columns[static_cast<std::size_t>(i)]);
    read_msn_and_clip(roundGate, 0, reading.columns[kMonitorDataColumn]);

    for (int i = 0; i < portCount; ++i)
        reading.columns[static_cast<std::size_t>(i)].forwardTarget =
            first_forwarding(roundGate, kPortNumbers[static_cast<std::size_t>(i)]);

    read_counter_row(roundGate, kCurrentCounter, portCount, reading, &MonitorColumn::current);
    read_counter_row(roundGate, kSumCounter, portCount, reading, &MonitorColumn::charges);
    if (const std::optional<std::string> total = read_charge_counter(roundGate, kTotalCounter))
        if (std::string figure = parse_charge_total(*total); !figure.empty())
            reading.total = figure;

    for (std::size_t c = 0; c < kMonitorColumns; ++c)
        if (monitor_column_present(c, portCount))
            if (auto list = read_call_list(roundGate, kChargeColumnPorts[c], kOutgoingCalls))
                reading.columns[c].outgoing = std::move(list->entries);

    read_port_status(roundGate, portCount, reading);
    return reading;
}

} // namespace quillon
