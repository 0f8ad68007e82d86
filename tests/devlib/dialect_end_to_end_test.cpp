// Every family of commands through D_SendDrvCmd against the emulated device
// on a pseudo-terminal: what a set writes, the query reads back.
#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cstring>
#include <memory>
#include <string>
#include <thread>

#include "device.h"
#include "fake_device.h"
#include "firmware_image.h"
#include "pty_server.h"
#include "records.h"
#include "q30com32/q30com32.h"

using namespace std::chrono_literals;
using q30::record::set_str;

namespace {

using testsupport::record;
// An emulated device on COM1, found by the library.
class Emulated {
public:
    explicit Emulated(q30sim::DeviceOptions options = seeded())
        : device_(std::make_unique<q30sim::Device>(options)),
          server_(std::make_unique<q30sim::PtyServer>(*device_))
    {
        std::string error;
        if (!server_->start(error))
            throw std::runtime_error(error);
        ports_ = std::make_unique<testsupport::ComPorts>(std::map<int, std::string>{{1, server_->slave_path()}});
        found_ = D_SendDrvCmd(q30::DRV_FIND_DEVICE, nullptr) == 0;
    }
    ~Emulated()
    {
        D_SendDrvCmd(q30::DRV_CLOSE, nullptr);
        server_->stop();
    }
    bool found() const { return found_; }
    q30sim::PtyServer& server() { return *server_; }

    static q30sim::DeviceOptions seeded()
    {
        q30sim::DeviceOptions o;
        o.seed = true;
        return o;
    }

private:
    std::unique_ptr<q30sim::Device> device_;
    std::unique_ptr<q30sim::PtyServer> server_;
    std::unique_ptr<testsupport::ComPorts> ports_;
    bool found_ = false;
};

struct Dialect : ::testing::Test {
    Emulated device;

    void SetUp() override { ASSERT_TRUE(device.found()); }

    // Sends and expects the device to have accepted the command.
    DrvCmd accepted(uint32_t code, DrvCmd r)
    {
        EXPECT_EQ(D_SendDrvCmd(code, &r), 0) << r.text;
        EXPECT_EQ(r.replied, 1) << r.text;
        EXPECT_EQ(r.ok, 1) << r.text;
        return r;
    }
    DrvCmd query(uint32_t code, int32_t port, int32_t index = 0, int32_t op = q30::OP_QUERY)
    {
        return accepted(code, record(port, index, op));
    }
};

} // namespace

TEST_F(Dialect, SwitchesRoundTrip)
{
    for (uint32_t code : {q30::DRV_CLIP, q30::DRV_ACCEPT_P2, q30::DRV_ACCEPT_P8, q30::DRV_SPECIAL_RING,
                          q30::DRV_FILTER_FLAG, q30::DRV_WAKEUP}) {
        for (int on : {1, 0}) {
            DrvCmd set = record(21, 0, q30::OP_SET);
            set.on = on;
            accepted(code, set);
            EXPECT_EQ(query(code, 21).on, on) << "code " << code;
        }
    }
    DrvCmd set = record(0, 0, q30::OP_SET);
    set.on = 1;
    accepted(q30::DRV_CALLBACK_ON, set);
    EXPECT_EQ(query(q30::DRV_CALLBACK_ON, 0).on, 1);
    accepted(q30::DRV_CLIP, set);
    EXPECT_EQ(query(q30::DRV_CLIP, 0).on, 1) << "the device-wide form";
}

TEST_F(Dialect, DigitsRoundTripAndBadDigitsAreRefused)
{
    DrvCmd set = record(22, 0, q30::OP_SET);
    set.value = 7;
    accepted(q30::DRV_ACCEPT_P9, set);
    EXPECT_EQ(query(q30::DRV_ACCEPT_P9, 22).value, 7);
    set.value = 2;
    accepted(q30::DRV_ACCEPT_P6, set);
    EXPECT_EQ(query(q30::DRV_ACCEPT_P6, 22).value, 2);
    set.value = 1;
    accepted(q30::DRV_ACCEPT_P1, set);
    EXPECT_EQ(query(q30::DRV_ACCEPT_P1, 22).value, 1);

    DrvCmd deviceWide = record(4, 0, q30::OP_SET);  // port 3..10: the second register
    deviceWide.value = 2;
    accepted(q30::DRV_ACCEPT_P1, deviceWide);
    EXPECT_EQ(query(q30::DRV_ACCEPT_P1, 4).value, 2);
    EXPECT_STREQ(query(q30::DRV_ACCEPT_P1, 4).text, "AT!V3?");

    DrvCmd language = record(0, 0, q30::OP_SET);
    language.value = 1;
    accepted(q30::DRV_LANGUAGE, language);
    EXPECT_EQ(query(q30::DRV_LANGUAGE, 0).value, 1);

    DrvCmd bad = record(22, 0, q30::OP_SET);
    bad.value = 42;
    EXPECT_EQ(D_SendDrvCmd(q30::DRV_ACCEPT_P9, &bad), 0);
    EXPECT_EQ(bad.ok, 0) << "two digits where one is taken";
}

TEST_F(Dialect, TextsRoundTripAndClear)
{
    struct Case {
        uint32_t code;
        int32_t port;
        int32_t index;
        const char* value;
    };
    const Case cases[] = {
        {q30::DRV_MSN, 22, 1, "4711022"},     {q30::DRV_MSN, 0, 4, "4711099"},
        {q30::DRV_SHORT_DIAL, 31, 9, "0891234567"}, {q30::DRV_FILTER_NUMBER, 11, 3, "0190"},
        {q30::DRV_FILTER_NUMBER, 0, 0, "0180"}, {q30::DRV_CHARGE_UNIT, 0, 0, "0,12"},
        {q30::DRV_LOCAL_CODE, 0, 0, "089"},    {q30::DRV_PABX_PREFIX, 0, 0, "0"},
        {q30::DRV_S75, 0, 0, "00"},            {q30::DRV_CALLBACK_NUMBER, 0, 5, "0307654321"},
        {q30::DRV_CURRENCY, 0, 0, "EUR"},
    };
    for (const Case& c : cases) {
        DrvCmd set = record(c.port, c.index, q30::OP_SET);
        set_str(set, c.value);
        accepted(c.code, set);
        EXPECT_STREQ(query(c.code, c.port, c.index).str, c.value) << set.text;
    }
    accepted(q30::DRV_MSN, record(22, 1, q30::OP_CLEAR));
    EXPECT_STREQ(query(q30::DRV_MSN, 22, 1).str, "") << "cleared";

    DrvCmd tooLong = record(22, 1, q30::OP_SET);
    set_str(tooLong, "1234567890123456");
    EXPECT_EQ(D_SendDrvCmd(q30::DRV_MSN, &tooLong), 0);
    EXPECT_EQ(tooLong.ok, 0) << "an MSN has at most 15 digits";

    EXPECT_STREQ(query(q30::DRV_S99, 0).text, "ATS99?");
    EXPECT_STREQ(query(q30::DRV_S99, 11).text, "AT!P26#11?");
}

TEST_F(Dialect, AControlCharacterInATextIsNeverSent)
{
    DrvCmd set = record(11, 0, q30::OP_SET);
    set_str(set, "4711\rAT&F");
    set.replied = 9;
    EXPECT_EQ(D_SendDrvCmd(q30::DRV_MSN, &set), q30::kResultRefused);
    EXPECT_EQ(set.replied, 0);
    std::size_t seen = device.server().with_device([](q30sim::Device& d) { return d.command_count(); });
    EXPECT_STRNE(query(q30::DRV_MSN, 11).str, "4711");
    std::size_t after = device.server().with_device([](q30sim::Device& d) { return d.command_count(); });
    EXPECT_EQ(after, seen + 1) << "only the query reached the device";
}

TEST_F(Dialect, LeastCostRoutingEntriesRoundTrip)
{
    DrvCmd time = record(1, 2, q30::OP_SET);
    time.from = 7;
    time.to = 18;
    accepted(q30::DRV_LCR_TIME, time);
    DrvCmd readTime = query(q30::DRV_LCR_TIME, 1, 2);
    EXPECT_EQ(readTime.from, 7);
    EXPECT_EQ(readTime.to, 18);

    DrvCmd prefix = record(1, 2, q30::OP_SET);
    q30::record::set_str3(prefix, "01019");
    accepted(q30::DRV_LCR_PREFIX, prefix);
    EXPECT_STREQ(query(q30::DRV_LCR_PREFIX, 1, 2).str3, "01019");

    DrvCmd excluded = record(1, 4, q30::OP_SET);
    set_str(excluded, "0190");
    q30::record::set_str2(excluded, "0900");
    accepted(q30::DRV_LCR_EXCLUDED, excluded);
    DrvCmd readExcluded = query(q30::DRV_LCR_EXCLUDED, 1, 4);
    EXPECT_STREQ(readExcluded.str, "0190");
    EXPECT_STREQ(readExcluded.str2, "0900");

    for (uint32_t code : {q30::DRV_LCR_LOCAL, q30::DRV_LCR_ACTIVE, q30::DRV_LCR_RANGE_ON}) {
        DrvCmd set = record(1, 3, q30::OP_SET);
        set.on = 1;
        accepted(code, set);
        EXPECT_EQ(query(code, 1, 3).on, 1) << set.text;
    }
    DrvCmd lcrOn = record(0, 0, q30::OP_SET);
    lcrOn.on = 1;
    accepted(q30::DRV_LCR_ON, lcrOn);
    EXPECT_EQ(query(q30::DRV_LCR_ON, 0).on, 1);
}

TEST_F(Dialect, ForwardingSetsAndReadsTheTarget)
{
    DrvCmd set = record(11, 0, q30::OP_SET);
    set.on = 1;
    set_str(set, "0891234567");
    DrvCmd answer = accepted(q30::DRV_FORWARD_21, set);
    EXPECT_EQ(answer.value, 1) << "the status line tells forwarding is on";
    DrvCmd read = query(q30::DRV_FORWARD_21, 11);
    EXPECT_EQ(read.on, 1);
    EXPECT_STREQ(read.str, "0891234567");

    DrvCmd off = record(11, 0, q30::OP_SET);
    accepted(q30::DRV_FORWARD_21, off);
    EXPECT_EQ(query(q30::DRV_FORWARD_21, 11).on, 0);
}

TEST(DialectForwarding, WithoutTheServiceTheDeviceSaysNotSubscribed)
{
    q30sim::DeviceOptions options = Emulated::seeded();
    options.noForwardingService = true;
    Emulated device(options);
    ASSERT_TRUE(device.found());
    DrvCmd set = record(11, 0, q30::OP_SET);
    set.on = 1;
    set_str(set, "0891234567");
    EXPECT_EQ(D_SendDrvCmd(q30::DRV_FORWARD_20, &set), 0);
    EXPECT_EQ(set.value, 2);
    EXPECT_EQ(set.on, 0);
}

TEST_F(Dialect, DataPortParametersRoundTrip)
{
    for (int protocol = 0; protocol <= 7; ++protocol) {
        DrvCmd set = record(0, 0, q30::OP_SET);
        q30::record::set_protocol_number(set, protocol);
        accepted(q30::DRV_DATA_PARAM, set);
        EXPECT_EQ(q30::record::protocol_number(query(q30::DRV_DATA_PARAM, 0)), protocol);
    }
    DrvCmd e9 = record(5, 0, q30::OP_SET);  // inverted on the line
    e9.on = 1;
    accepted(q30::DRV_DATA_PARAM, e9);
    EXPECT_EQ(query(q30::DRV_DATA_PARAM, 5).on, 1);

    DrvCmd frame = record(6, 200, q30::OP_SET);  // V.120: 128..256 bytes
    q30::record::set_protocol_number(frame, 1);
    accepted(q30::DRV_DATA_PARAM, frame);
    DrvCmd readFrame = record(6, 0, q30::OP_QUERY);
    q30::record::set_protocol_number(readFrame, 1);
    EXPECT_EQ(accepted(q30::DRV_DATA_PARAM, readFrame).index, 200);

    DrvCmd p3 = record(11, 3, q30::OP_SET);  // end point identification class 0..5
    accepted(q30::DRV_DATA_P3P4, p3);
    EXPECT_EQ(query(q30::DRV_DATA_P3P4, 11).index, 3);
    DrvCmd p4 = record(12, 0, q30::OP_SET);
    q30::record::set_data_text(p4, "12345");
    accepted(q30::DRV_DATA_P3P4, p4);
    EXPECT_EQ(q30::record::data_text(query(q30::DRV_DATA_P3P4, 12)), "12345");

    DrvCmd pn = record(7, 40, q30::OP_SET);
    accepted(q30::DRV_DATA_PN, pn);
    EXPECT_EQ(query(q30::DRV_DATA_PN, 7).index, 40);
}

TEST_F(Dialect, LineInformationAndHelpTexts)
{
    DrvCmd state = query(q30::DRV_ISDN_C1, 0);
    EXPECT_GE(state.value, 0);
    EXPECT_LE(state.value, 3);
    query(q30::DRV_ISDN_S71, 0);

    std::array<char, 4096> text{};
    DrvCmd help = record(0, 0, q30::OP_QUERY);
    q30::record::set_caller_buffer(help, text.data(), static_cast<int32_t>(text.size()));
    accepted(q30::DRV_ISDN_S0, help);
    std::string shown = text.data();
    EXPECT_GT(shown.size(), 20u);
    EXPECT_NE(shown.find("&&"), std::string::npos) << "every & doubled for display";
    EXPECT_EQ(shown.find('\b'), std::string::npos) << "cut at the backspace";
    EXPECT_EQ(shown.find("OK"), std::string::npos);

    std::array<char, 8> small{};
    q30::record::set_caller_buffer(help, small.data(), static_cast<int32_t>(small.size()));
    accepted(q30::DRV_ISDN_S1, help);
    EXPECT_LT(std::strlen(small.data()), small.size()) << "cut to the caller's buffer";
}

TEST(DialectStatus, ABusyPortShowsInItsStatusColumn)
{
    q30sim::DeviceOptions options = Emulated::seeded();
    options.callInProgress = true;
    Emulated device(options);
    ASSERT_TRUE(device.found());
    DrvCmd r = record(0, 0, q30::OP_QUERY);
    ASSERT_EQ(D_SendDrvCmd(q30::DRV_PORT_STATUS, &r), 0);
    EXPECT_EQ(q30::record::port_flag(r, 0), 1) << "port 11 is in a call";
    for (int i = 1; i < 5; ++i)
        EXPECT_EQ(q30::record::port_flag(r, i), 0) << i;
    EXPECT_EQ(D_SendDrvCmd(q30::DRV_CALL_CHECK, nullptr), 0) << "a call is in progress";
}

TEST_F(Dialect, ClockAndWakeUpTime)
{
    DrvCmd set = record(0, 0, q30::OP_SET2);
    q30::record::set_clock_fields(set, {5, 3, 2001, 7, 8, 9});
    EXPECT_STREQ(accepted(q30::DRV_CLOCK, set).text, "AT!T=05/03/2001 07:08:09");
    q30::record::ClockFields c = q30::record::clock_fields(query(q30::DRV_CLOCK, 0, 0, q30::OP_QUERY2));
    EXPECT_EQ(c.day, 5);
    EXPECT_EQ(c.month, 3);
    EXPECT_EQ(c.year, 2001);
    EXPECT_EQ(c.hour, 7);
    EXPECT_EQ(c.minute, 8);

    DrvCmd wake = record(31, 0, q30::OP_SET2);
    q30::record::set_u8(wake, q30::record::kHourOffset, 6);
    q30::record::set_u8(wake, q30::record::kMinuteOffset, 45);
    EXPECT_STREQ(accepted(q30::DRV_WAKEUP, wake).text, "AT!P18#31=06:45");
    DrvCmd read = query(q30::DRV_WAKEUP, 31, 0, q30::OP_QUERY2);
    EXPECT_EQ(q30::record::get_u8(read, q30::record::kHourOffset), 6);
    EXPECT_EQ(q30::record::get_u8(read, q30::record::kMinuteOffset), 45);
}

TEST(DialectClock, AnUnsetClockReadsAsUnset)
{
    q30sim::DeviceOptions options;
    options.clockUnset = true;
    Emulated device(options);
    ASSERT_TRUE(device.found());
    DrvCmd r = record(0, 0, q30::OP_QUERY2);
    ASSERT_EQ(D_SendDrvCmd(q30::DRV_CLOCK, &r), 0);
    EXPECT_EQ(r.value, 1);
}

TEST_F(Dialect, CallListsAreHandedOverAndCleared)
{
    std::array<char, 960> list{};
    DrvCmd r = record(11, 0, q30::OP_QUERY);
    q30::record::set_caller_buffer(r, list.data(), static_cast<int32_t>(list.size()));
    r = accepted(q30::DRV_CALL_RECORD, r);
    ASSERT_EQ(r.value, 1) << "the seeded device has outgoing calls on port 11";
    std::string rows = list.data();
    EXPECT_NE(rows.find(" DM"), std::string::npos) << rows;
    EXPECT_EQ(rows.find("Charge Amount"), std::string::npos) << "the heading is stepped over";

    accepted(q30::DRV_CALL_RECORD, record(11, 3, q30::OP_CLEAR));
    list.fill(0);
    r = record(11, 0, q30::OP_QUERY);
    q30::record::set_caller_buffer(r, list.data(), static_cast<int32_t>(list.size()));
    EXPECT_EQ(accepted(q30::DRV_CALL_RECORD, r).value, 0) << "all three lists cleared";

    DrvCmd data = record(0, 2, q30::OP_QUERY);
    q30::record::set_caller_buffer(data, list.data(), static_cast<int32_t>(list.size()));
    EXPECT_STREQ(accepted(q30::DRV_CALL_RECORD, data).text, "AT\\H2?");
}

TEST_F(Dialect, ChargesAreReadAndReset)
{
    std::array<char, 512> text{};
    for (int counter = 0; counter <= 3; ++counter) {
        text.fill(0);
        DrvCmd r = record(0, counter, q30::OP_QUERY);
        q30::record::set_caller_buffer(r, text.data(), static_cast<int32_t>(text.size()));
        accepted(q30::DRV_CHARGES, r);
        EXPECT_NE(std::string(text.data()).find("DM"), std::string::npos) << r.text << ": " << text.data();
    }
    accepted(q30::DRV_CHARGES, record(0, 3, q30::OP_CLEAR));
    text.fill(0);
    DrvCmd total = record(0, 3, q30::OP_QUERY);
    q30::record::set_caller_buffer(total, text.data(), static_cast<int32_t>(text.size()));
    accepted(q30::DRV_CHARGES, total);
    EXPECT_STREQ(text.data(), "0,000 DM");
    accepted(q30::DRV_CHARGES, record(21, 2, q30::OP_CLEAR));
}

TEST_F(Dialect, DialBackIsRecordedAsAnOutgoingCall)
{
    DrvCmd r = record(21, 0, q30::OP_SET);
    set_str(r, "0897777");
    EXPECT_EQ(D_SendDrvCmd(q30::DRV_P24, &r), 0) << "the second answer arrived";
    std::array<char, 960> list{};
    DrvCmd read = record(21, 0, q30::OP_QUERY);
    q30::record::set_caller_buffer(read, list.data(), static_cast<int32_t>(list.size()));
    EXPECT_EQ(accepted(q30::DRV_CALL_RECORD, read).value, 1);
    EXPECT_NE(std::string(list.data()).find("0897777"), std::string::npos) << list.data();
}

namespace {

// Sends an image the way the upgrade does: 512-byte blocks back to back.
void send_image(const std::vector<uint8_t>& image)
{
    for (std::size_t at = 0; at < image.size(); at += 512) {
        DrvCmd r = record(0, 0, 0);
        q30::record::set_caller_buffer(r, const_cast<uint8_t*>(image.data() + at), 512);
        q30::record::set_byte_count(r, 512);
        ASSERT_EQ(D_SendDrvCmd(q30::DRV_WRITE_RAW, &r), 1);
    }
}

// After a download the line goes back to 115200 bit/s and the device is identified again.
int32_t back_to_full_speed()
{
    DrvCmd speed = record(0, 0, 0);
    speed.value = q30::kSpeed115200;
    return D_SendDrvCmd(q30::DRV_SET_SPEED, &speed);
}

std::string firmware_reported()
{
    DrvCmd info = record(0, 0, 0);
    D_SendDrvCmd(q30::DRV_DEVICE_INFO, &info);
    return info.text;
}

} // namespace

TEST(DialectDownload, AGoodImageIsTakenAndTheNewVersionReported)
{
    Emulated device;
    ASSERT_TRUE(device.found());
    ASSERT_EQ(D_SendDrvCmd(q30::DRV_CALL_CHECK, nullptr), 1);
    ASSERT_EQ(D_SendDrvCmd(q30::DRV_DOWNLOAD_START, nullptr), 1);
    send_image(q30sim::make_firmware_image(q30sim::Model::Q30, "1.4.2"));
    EXPECT_EQ(D_SendDrvCmd(q30::DRV_DOWNLOAD_RESULT, nullptr), 3);
    EXPECT_EQ(back_to_full_speed(), 1);
    EXPECT_EQ(firmware_reported(), "1.4.2");
}

TEST(DialectDownload, AWrongImageLeavesTheDeviceInItsBootLoaderUntilAGoodOneComes)
{
    Emulated device;
    ASSERT_TRUE(device.found());
    ASSERT_EQ(D_SendDrvCmd(q30::DRV_DOWNLOAD_START, nullptr), 1);
    send_image(q30sim::make_firmware_image(q30sim::Model::Q20, "1.4.2"));
    EXPECT_EQ(D_SendDrvCmd(q30::DRV_DOWNLOAD_RESULT, nullptr), 2);

    DrvCmd reset = record(0, 0, 0);  // COM1
    EXPECT_EQ(D_SendDrvCmd(q30::DRV_BOOT_RESET, &reset), 2) << "the boot loader says FAIL";
    send_image(q30sim::make_firmware_image(q30sim::Model::Q30, "1.3.9"));
    EXPECT_EQ(D_SendDrvCmd(q30::DRV_DOWNLOAD_RESULT, nullptr), 3);
    EXPECT_EQ(back_to_full_speed(), 1);
    EXPECT_EQ(firmware_reported(), "1.3.9");
}

TEST(DialectDownload, BootOpenFindsADeviceWaitingInItsBootLoader)
{
    q30sim::DeviceOptions options;
    options.bootMode = true;
    Emulated device(options);
    EXPECT_FALSE(device.found()) << "a boot loader answers no AT command";
    DrvCmd open = record(0, 0, 0);
    EXPECT_EQ(D_SendDrvCmd(q30::DRV_BOOT_OPEN, &open), 2);
}
