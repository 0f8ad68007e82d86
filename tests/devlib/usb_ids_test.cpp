// The USB ids behind a serial node, read from a fake sysfs tree, and the udev
// rule made from them.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "q30com32/port_probe.h"
#include "test_folder_name.h"

namespace fs = std::filesystem;

namespace {

// A throw-away sysfs root laid out as the kernel lays it out: the tty class
// entry's "device" link points into the USB device's tree.
class FakeSysfs {
public:
    FakeSysfs() : root_(fs::temp_directory_path() / test_folder_name("q30-sysfs-")) { fs::create_directories(root_); }
    ~FakeSysfs()
    {
        std::error_code ec;
        fs::remove_all(root_, ec);
    }

    // A USB device folder with its id files; an empty text leaves the file out.
    fs::path usb_device(const std::string& name, const std::string& vendor, const std::string& product)
    {
        const fs::path dir = root_ / "devices" / "usb1" / name;
        fs::create_directories(dir);
        if (!vendor.empty())
            std::ofstream(dir / "idVendor") << vendor;
        if (!product.empty())
            std::ofstream(dir / "idProduct") << product;
        return dir;
    }

    // Registers the tty `node` whose "device" link points at `target`.
    void tty(const std::string& node, const fs::path& target)
    {
        fs::create_directories(target);
        const fs::path entry = root_ / "class" / "tty" / node;
        fs::create_directories(entry);
        fs::create_directory_symlink(target, entry / "device");
    }

    std::string root() const { return root_.string(); }
    fs::path path() const { return root_; }

private:
    fs::path root_;
};

} // namespace

TEST(UsbIds, FoundForBothUsbSerialDriversLayouts)
{
    FakeSysfs sys;
    // An ACM modem: "device" is the interface, the ids sit one level up.
    const fs::path acm = sys.usb_device("1-2", "1a86\n", "55D4\n");
    sys.tty("ttyACM0", acm / "1-2:1.0");
    // A converter chip: "device" is the port below the interface, two levels down.
    const fs::path converter = sys.usb_device("1-3", "0403\n", "6001\n");
    sys.tty("ttyUSB1", converter / "1-3:1.0" / "ttyUSB1");

    const auto acmIds = q30::usb_ids_of("/dev/ttyACM0", sys.root());
    ASSERT_TRUE(acmIds);
    EXPECT_EQ(acmIds->vendor, "1a86");
    EXPECT_EQ(acmIds->product, "55d4") << "udev compares the text: it must be lower case as sysfs shows it";

    const auto usbIds = q30::usb_ids_of("/dev/ttyUSB1", sys.root());
    ASSERT_TRUE(usbIds);
    EXPECT_EQ(usbIds->vendor, "0403");
    EXPECT_EQ(usbIds->product, "6001");

    // A stable link such as /dev/serial/by-id/... names the node it points to.
    const fs::path node = sys.path() / "dev" / "ttyUSB1";
    fs::create_directories(node.parent_path());
    std::ofstream(node).put('\0');
    const fs::path byId = sys.path() / "dev" / "usb-FTDI_FT232R-if00-port0";
    fs::create_symlink(node, byId);
    const auto linked = q30::usb_ids_of(byId.string(), sys.root());
    ASSERT_TRUE(linked);
    EXPECT_EQ(linked->product, "6001");
}

TEST(UsbIds, NoneForOtherNodesOrBadIdFiles)
{
    FakeSysfs sys;
    // A built-in UART and a pseudo-terminal, even with id files nearby.
    sys.tty("ttyS0", sys.usb_device("serial8250", "0403", "6001") / "serial8250:0");
    EXPECT_FALSE(q30::usb_ids_of("/dev/ttyS0", sys.root()));
    EXPECT_FALSE(q30::usb_ids_of("/dev/pts/3", sys.root()));
    EXPECT_FALSE(q30::usb_ids_of("/dev/ttyUSB", sys.root())) << "the bare prefix is no node";
    EXPECT_FALSE(q30::usb_ids_of("/dev/ttyUSB7", sys.root())) << "a node sysfs does not know";

    // Malformed ids; a hub above with good ids must not stand in for them.
    sys.usb_device("2-1", "05e3\n", "0608\n");
    const struct {
        const char* node;
        const char* vendor;
        const char* product;
    } bad[] = {
        {"ttyACM1", "04030\n", "6001\n"}, // five digits
        {"ttyACM2", "zz03\n", "6001\n"},  // not hex
        {"ttyACM3", "0403\n", "\n"},      // empty
        {"ttyACM4", "0403\n", ""},        // no product file
        {"ttyACM5", "0403\n\n", "6001"},  // trailing junk
        {"ttyACM6", "0x40\n", "6001"},    // a prefix
    };
    for (const auto& b : bad) {
        const fs::path dev = sys.usb_device(std::string("2-1/2-1.") + (b.node + 6), b.vendor, b.product);
        sys.tty(b.node, dev / "if0");
        EXPECT_FALSE(q30::usb_ids_of(std::string("/dev/") + b.node, sys.root())) << b.node;
    }
}

TEST(UdevRule, MatchesTheAdapterAndKeepsTheModemManagerAway)
{
    const std::string rule = q30::udev_rule_for({"0403", "6001"});
    EXPECT_EQ(rule,
              "SUBSYSTEM==\"tty\", ATTRS{idVendor}==\"0403\", ATTRS{idProduct}==\"6001\", "
              "ENV{ID_MM_DEVICE_IGNORE}=\"1\"");
    EXPECT_EQ(rule.find('\n'), std::string::npos) << "udev reads one rule per line";
    EXPECT_EQ(std::string(q30::kUdevRuleFile).rfind("/etc/udev/rules.d/", 0), 0u);
}
