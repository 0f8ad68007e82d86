#include "profile_save_reads.h"

#include <cstring>

#include "q30com32/command_codes.h"

namespace bench {

namespace {

using namespace q30;

constexpr int32_t kQ30Ports[] = {11, 21, 22, 31, 32};
constexpr int32_t kDataCallPort = 0;
constexpr int32_t kSoftFaxPort = 3;
constexpr int kCallbackNumbers = 10;
constexpr int kShortDialSlots = 10;
constexpr int kFilterNumbers = 10;
constexpr int kDayGroups = 2;
constexpr int kLcrRows = 6;
constexpr int kLcrRanges = 8;

// Data port parameters and registers, in the page's order.
constexpr int32_t kProtocolParam = 0, kAutoIdParam = 1, kMultilinkParam = 2, kDbaParam = 3, kBodParam = 4,
                  kIFrameParam = 5, kFrameSizeParam = 6;
constexpr int32_t kEidClassPort = 11, kEidNumberPort = 12;
constexpr int32_t kPppProtocol = 0, kV120Protocol = 1, kX75Protocol = 3, kHdlcProtocol = 6;
constexpr int32_t kWaterRegisters[] = {7, 9, 8, 10};

void callback_settings(std::vector<Read>& out)
{
    out.push_back({DRV_CALLBACK_ON, 0, 0, OP_QUERY});
    for (int i = 0; i < kCallbackNumbers; ++i)
        out.push_back({DRV_CALLBACK_NUMBER, 0, i, OP_QUERY});
}

void call_acceptance(std::vector<Read>& out)
{
    out.push_back({DRV_ACCEPT_P1, kDataCallPort, 0, OP_QUERY});
    out.push_back({DRV_ACCEPT_P1, kSoftFaxPort, 0, OP_QUERY});
    for (int32_t port : kQ30Ports)
        for (uint32_t code : {DRV_ACCEPT_P1, DRV_ACCEPT_P6, DRV_ACCEPT_P9, DRV_ACCEPT_P2, DRV_ACCEPT_P8})
            out.push_back({code, port, 0, OP_QUERY});
}

void short_dial(std::vector<Read>& out)
{
    for (int32_t port : kQ30Ports)
        out.push_back({DRV_SPECIAL_RING, port, 0, OP_QUERY});
    for (int32_t port : kQ30Ports)
        for (int slot = 0; slot < kShortDialSlots; ++slot)
            out.push_back({DRV_SHORT_DIAL, port, slot, OP_QUERY});
}

void forwarding(std::vector<Read>& out)
{
    for (int32_t port : kQ30Ports)
        for (uint32_t code : {DRV_FORWARD_20, DRV_FORWARD_22, DRV_FORWARD_21})
            out.push_back({code, port, 0, OP_QUERY});
}

void call_filter(std::vector<Read>& out)
{
    for (int32_t port : kQ30Ports)
        out.push_back({DRV_FILTER_FLAG, port, 0, OP_QUERY});
    out.push_back({DRV_FILTER_FLAG, kDevicePort, 0, OP_QUERY});
    for (int32_t port : kQ30Ports)
        for (int i = 0; i < kFilterNumbers; ++i)
            out.push_back({DRV_FILTER_NUMBER, port, i, OP_QUERY});
    for (int i = 0; i < kFilterNumbers; ++i)
        out.push_back({DRV_FILTER_NUMBER, kDevicePort, i, OP_QUERY});
}

void data_protocol(std::vector<Read>& out)
{
    out.push_back({DRV_DATA_PARAM, kProtocolParam, 0, OP_QUERY});
    out.push_back({DRV_DATA_PARAM, kAutoIdParam, 0, OP_QUERY});
    out.push_back({DRV_DATA_PARAM, kMultilinkParam, 0, OP_QUERY, kPppProtocol});
    out.push_back({DRV_DATA_PARAM, kDbaParam, 0, OP_QUERY});
    out.push_back({DRV_DATA_PARAM, kBodParam, 0, OP_QUERY});
    out.push_back({DRV_DATA_P3P4, kEidClassPort, 0, OP_QUERY});
    out.push_back({DRV_DATA_P3P4, kEidNumberPort, 0, OP_QUERY});
    out.push_back({DRV_DATA_PARAM, kFrameSizeParam, 0, OP_QUERY, kV120Protocol});
    out.push_back({DRV_DATA_PARAM, kIFrameParam, 0, OP_QUERY});
    out.push_back({DRV_DATA_PARAM, kMultilinkParam, 0, OP_QUERY, kX75Protocol});
    out.push_back({DRV_DATA_PARAM, kFrameSizeParam, 0, OP_QUERY, kX75Protocol});
    out.push_back({DRV_DATA_PARAM, kFrameSizeParam, 0, OP_QUERY, kHdlcProtocol});
    for (int32_t reg : kWaterRegisters)
        out.push_back({DRV_DATA_PN, reg, 0, OP_QUERY});
}

void least_cost_routing(std::vector<Read>& out)
{
    out.push_back({DRV_LCR_ON, 0, 0, OP_QUERY});
    for (int group = 0; group < kDayGroups; ++group) {
        for (int row = 0; row < kLcrRows; ++row)
            for (uint32_t code : {DRV_LCR_TIME, DRV_LCR_PREFIX, DRV_LCR_LOCAL, DRV_LCR_ACTIVE})
                out.push_back({code, group, row, OP_QUERY});
        for (int range = 0; range < kLcrRanges; ++range)
            for (uint32_t code : {DRV_LCR_EXCLUDED, DRV_LCR_RANGE_ON})
                out.push_back({code, group, range, OP_QUERY});
    }
}

void timer(std::vector<Read>& out)
{
    for (int32_t port : kQ30Ports)
        out.push_back({DRV_WAKEUP, port, 0, OP_QUERY});
    for (int32_t port : kQ30Ports)
        out.push_back({DRV_WAKEUP, port, 0, OP_QUERY2});
    out.push_back({DRV_CLOCK, 0, 0, OP_QUERY2});
}

} // namespace

std::vector<Read> profile_save_reads()
{
    std::vector<Read> out;
    callback_settings(out);
    call_acceptance(out);
    short_dial(out);
    forwarding(out);
    call_filter(out);
    data_protocol(out);
    least_cost_routing(out);
    timer(out);
    return out;
}

DrvCmd record_for(const Read& read)
{
    DrvCmd r;
    std::memset(&r, 0, sizeof r);
    r.port = read.port;
    r.index = read.index;
    r.op = read.op;
    if (read.code == DRV_DATA_PARAM)
        q30::record::set_protocol_number(r, read.protocol);
    return r;
}

} // namespace bench
