#include "platform/linux/PortNames.h"
#include "platform/linux/PortNumbering.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace orvane::linux_ports {
namespace {

TEST(PortNames, FixedNumbersOfTheKnownDevices) {
    auto check = [](const char* device, std::optional<int> expected) {
        EXPECT_EQ(fixedPortNumber(device), expected) << device;
    };
    check("/dev/ttyS0", 1);
    check("/dev/ttyS3", 4);
    check("/dev/ttyS4", std::nullopt);
    check("/dev/ttyUSB0", 5);
    check("/dev/ttyUSB5", 10);
    check("/dev/ttyUSB6", std::nullopt);
    check("/dev/ttyACM0", 11);
    check("/dev/ttyACM5", 16);
    check("/dev/ttyACM6", std::nullopt);
    check("/dev/ttyUSB00", std::nullopt);  // not the same device as ttyUSB0
    check("/dev/ttyUSB", std::nullopt);
    check("/dev/ttyAMA0", std::nullopt);
    check("/dev/rfcomm0", std::nullopt);
    check("/tmp/dev/ttyS0", std::nullopt);
}

TEST(PortNames, ComTexts) {
    auto check = [](const char* text, std::optional<int> expected) {
        EXPECT_EQ(comPortNumber(text), expected) << text;
    };
    check("COM1", 1);
    check("COM9", 9);
    check("COM16", 16);
    check("COM17", 17);
    check("COM255", 255);
    check("COM256", std::nullopt);
    check("COM0", std::nullopt);
    check("COM01", std::nullopt);
    check("com1", std::nullopt);
    check("COM", std::nullopt);
    check("COM1 ", std::nullopt);
    check(" COM1", std::nullopt);
    check("COM-1", std::nullopt);
    check("COM1000", std::nullopt);
    EXPECT_EQ(comPortName(12), "COM12");
}

std::vector<std::string> devicesOf(const std::vector<PortEntry>& entries) {
    std::vector<std::string> devices;
    for (const auto& e : entries)
        devices.push_back(std::to_string(e.number) + "=" + e.device);
    return devices;
}

TEST(PortNames, OtherDevicesFollowFromSeventeenInAFixedOrder) {
    const std::vector<SerialDevice> devices{
        {"/dev/ttyUSB10", ""}, {"/dev/rfcomm0", "bt"}, {"/dev/ttyUSB0", "FT232R USB UART"},
        {"/dev/ttyUSB6", ""},  {"/dev/ttyAMA0", ""},   {"/dev/ttyS1", ""},
        {"/dev/ttyACM7", ""},  {"/dev/ttyS4", ""},     {"/dev/ttyUSB9", ""},
    };
    const std::vector<std::string> expected{"2=/dev/ttyS1",    "5=/dev/ttyUSB0",  "17=/dev/rfcomm0",
                                            "18=/dev/ttyACM7", "19=/dev/ttyAMA0", "20=/dev/ttyS4",
                                            "21=/dev/ttyUSB6", "22=/dev/ttyUSB9", "23=/dev/ttyUSB10"};
    EXPECT_EQ(devicesOf(PortNumbering().number(devices)), expected);

    // The listing order of the platform does not matter.
    std::vector<SerialDevice> reversed(devices.rbegin(), devices.rend());
    EXPECT_EQ(devicesOf(PortNumbering().number(reversed)), expected);

    const auto entries = PortNumbering().number(devices);
    EXPECT_EQ(entries[1].description, "FT232R USB UART");
}

TEST(PortNames, NumbersRunOutAt255AndEachDeviceIsListedOnce) {
    std::vector<SerialDevice> many;
    for (int i = 0; i < 300; ++i)
        many.push_back({"/dev/ttyX" + std::to_string(i), ""});
    const auto entries = PortNumbering().number(many);
    ASSERT_EQ(entries.size(), 255u - 16u);
    EXPECT_EQ(entries.front().number, 17);
    EXPECT_EQ(entries.back().number, 255);
    EXPECT_EQ(entries.back().device, "/dev/ttyX238");

    // A device the system lists twice is numbered and listed once.
    const auto twice =
        PortNumbering().number({{"/dev/ttyUSB0", ""}, {"/dev/ttyUSB0", ""}, {"/dev/ttyS1", ""}});
    EXPECT_EQ(devicesOf(twice), (std::vector<std::string>{"2=/dev/ttyS1", "5=/dev/ttyUSB0"}));
}

// A name keeps meaning the device it was first given to: one that vanishes keeps its number (and
// a later open of that name fails), one that appears takes a number never given before.
TEST(PortNames, NumbersStayBoundForTheLifeOfTheProcess) {
    PortNumbering numbering;
    EXPECT_EQ(devicesOf(numbering.number({{"/dev/ttyUSB9", ""}, {"/dev/ttyUSB6", ""}})),
              (std::vector<std::string>{"17=/dev/ttyUSB6", "18=/dev/ttyUSB9"}));
    EXPECT_EQ(devicesOf(numbering.number({{"/dev/ttyUSB9", ""}, {"/dev/ttyAMA0", ""}})),
              (std::vector<std::string>{"18=/dev/ttyUSB9", "19=/dev/ttyAMA0"}));
    EXPECT_EQ(numbering.deviceOf(17), "/dev/ttyUSB6");
    EXPECT_EQ(devicesOf(numbering.number({{"/dev/ttyUSB6", ""}, {"/dev/ttyUSB0", ""}})),
              (std::vector<std::string>{"5=/dev/ttyUSB0", "17=/dev/ttyUSB6"}));
    EXPECT_EQ(numbering.deviceOf(20), std::nullopt);
}

}  // namespace
}  // namespace orvane::linux_ports
