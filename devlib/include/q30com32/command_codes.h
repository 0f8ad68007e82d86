// Command codes of D_SendDrvCmd, operations and result values.
#pragma once

#include <cstdint>

namespace q30 {

enum CommandCode : uint32_t {
    DRV_FIND_DEVICE = 0,
    DRV_PING = 1,
    DRV_NOP = 2,
    DRV_CLOSE = 3,
    DRV_MSN = 4,
    DRV_CLIP = 5,
    DRV_STORE = 6,
    DRV_WAKEUP = 7,
    DRV_CLOCK = 8,
    DRV_ACCEPT_P2 = 9,
    DRV_ACCEPT_P8 = 10,
    DRV_ACCEPT_P9 = 11,
    DRV_ACCEPT_P6 = 12,
    DRV_ACCEPT_P1 = 13,
    DRV_SPECIAL_RING = 14,
    DRV_SHORT_DIAL = 15,
    DRV_P24_OLD = 16,
    DRV_FORWARD_20 = 17,
    DRV_FORWARD_21 = 18,
    DRV_FORWARD_22 = 19,
    DRV_FILTER_FLAG = 20,
    DRV_FILTER_NUMBER = 21,
    DRV_LCR_ON = 22,
    DRV_LCR_TIME = 23,
    DRV_LCR_PREFIX = 24,
    DRV_LCR_LOCAL = 25,
    DRV_LCR_ACTIVE = 26,
    DRV_LCR_EXCLUDED = 27,
    DRV_LCR_RANGE_ON = 28,
    DRV_CALL_RECORD = 29,
    DRV_CHARGES = 30,
    DRV_DEVICE_INFO = 31,
    DRV_CALL_CHECK = 32,
    DRV_DOWNLOAD_START = 33,
    DRV_WRITE_RAW = 34,
    DRV_DOWNLOAD_RESULT = 35,
    DRV_NOP36 = 36,
    DRV_BOOT_OPEN = 37,
    DRV_SET_SPEED = 38,
    DRV_LANGUAGE = 39,
    DRV_CHARGE_UNIT = 40,
    DRV_LOCAL_CODE = 41,
    DRV_PABX_PREFIX = 42,
    DRV_S75 = 43,
    DRV_CALLBACK_ON = 44,
    DRV_CALLBACK_NUMBER = 45,
    DRV_P24 = 46,
    DRV_DATA_PARAM = 47,
    DRV_DATA_P3P4 = 48,
    DRV_DATA_PN = 49,
    DRV_ISDN_C1 = 50,
    DRV_ISDN_S71 = 51,
    DRV_ISDN_S0 = 52,
    DRV_ISDN_S1 = 53,
    DRV_PORT_STATUS = 54,
    DRV_PING2 = 55,     // a second name of DRV_PING
    DRV_BOOT_RESET = 56,
    DRV_REOPEN = 57,
    DRV_NOP58 = 58,     // 58..63 do nothing
    DRV_NOP63 = 63,
    DRV_S99 = 64,
    DRV_P25 = 65,
    DRV_CURRENCY = 66,
};

inline constexpr uint32_t kHighestCommandCode = 66;

// The record's `op`.
enum Operation : int32_t {
    OP_QUERY = 0,
    OP_SET = 1,
    OP_CLEAR = 2,
    OP_QUERY2 = 3,
    OP_SET2 = 4,
};

// Results shared by many codes.
inline constexpr int32_t kResultOk = 0;         // generic codes: a reply arrived
inline constexpr int32_t kResultNoReply = -2;   // generic codes: nothing arrived
inline constexpr int32_t kResultRefused = -3;   // the record cannot be put on the line

// Model numbers reported by DRV_DEVICE_INFO.
inline constexpr int32_t kModelUnknown = 0;
inline constexpr int32_t kModelQ20 = 20;
inline constexpr int32_t kModelQ30 = 30;

// Speed selectors of DRV_SET_SPEED.
inline constexpr int kSpeed115200 = 1;
inline constexpr int kSpeed57600 = 2;
inline constexpr int kSpeed19200 = 6;

// Analogue port numbers and the device-wide form.
inline constexpr int32_t kDevicePort = 0;
inline constexpr int32_t kFirstAnaloguePort = 11;

} // namespace q30
