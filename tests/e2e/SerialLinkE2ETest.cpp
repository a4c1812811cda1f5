#include "tests/e2e/ModsimFixture.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <stdlib.h>
#include <unistd.h>

namespace orvane::test {
namespace {

class SerialLinkE2E : public ModsimFixture, public ::testing::WithParamInterface<Program> {};

INSTANTIATE_TEST_SUITE_P(BothPrograms, SerialLinkE2E, ::testing::Values(Program::Quorvex, Program::Brelund),
                         [](const auto& param) { return nameOf(param.param); });

TEST_P(SerialLinkE2E, OpensTheSimulatorByItsDevicePath) {
    startAndOpen(GetParam());
    Form1& f = program->form();
    EXPECT_EQ(f.ComStart.caption(), "Close");
    EXPECT_FALSE(f.Combo1.enabled());
    EXPECT_TRUE(f.GetInfoSW.enabled());
    EXPECT_EQ(program->port.settings(), "4800,n,8,1");

    f.ComStart.click();
    EXPECT_FALSE(program->port.isOpen());
    EXPECT_EQ(f.ComStart.caption(), "Open");
}

TEST_P(SerialLinkE2E, AVersionRequestFillsVersion) {
    startAndOpen(GetParam());
    Form1& f = program->form();
    f.ReplyFlag = 0;
    ASSERT_TRUE(program->port.send("/V\r"));
    ASSERT_TRUE(waitFor([&f] { return f.ReplyFlag == 1; })) << modsim.diagnostics();
    EXPECT_EQ(f.Version.text(), GetParam() == Program::Quorvex ? "T1.02" : "R1.02");
    EXPECT_EQ(f.Version.backColor(), f.ColorGreen);
    EXPECT_EQ(f.Term.text(), "*V " + f.Version.text() + " ORVANE-MOD\r");
}

TEST_P(SerialLinkE2E, RepliesInSingleBytesAreHandled) {
    startAndOpen(GetParam(), {QStringLiteral("--chunk"), QStringLiteral("1"), QStringLiteral("--noise")});
    Form1& f = program->form();
    ASSERT_TRUE(program->port.send("/V\r"));
    ASSERT_TRUE(program->port.send("/D\r"));
    ASSERT_TRUE(waitFor([&f] { return !f.Serial.text().empty(); })) << modsim.diagnostics();
    EXPECT_EQ(f.Serial.text(), "00662316");  // 0A1B2C
    EXPECT_EQ(f.FactoryDate.text(), "2024/05/17");
    EXPECT_EQ(f.Version.text(), GetParam() == Program::Quorvex ? "T1.02" : "R1.02");
}

TEST_P(SerialLinkE2E, TheSimulatorGoingAwayClosesThePort) {
    startAndOpen(GetParam(), {QStringLiteral("--close-after"), QStringLiteral("2")});
    Form1& f = program->form();
    ASSERT_TRUE(program->port.send("/V\r"));
    ASSERT_TRUE(waitFor([&f] { return f.ReplyFlag == 1; })) << modsim.diagnostics();
    // The second command is the simulator's last: it answers and drops the line.
    ASSERT_TRUE(program->port.send("/D\r"));
    ASSERT_TRUE(modsim.waitForExit());
    // Qt keeps reporting the lost device in a tight loop unless the port is closed: it must be,
    // and soon. Nothing runs, yet the frame shows the loss at once, with the reason.
    EXPECT_TRUE(waitFor([&f] { return f.P_Message.caption() == "Com port Error!"; }, 3000));
    EXPECT_FALSE(program->port.isOpen());
    EXPECT_EQ(f.ComStart.caption(), "Open");
    EXPECT_TRUE(f.Combo1.enabled());
    EXPECT_FALSE(f.GetInfoSW.enabled());
    EXPECT_FALSE(f.P_Message.toolTip().empty());
    EXPECT_FALSE(program->port.send("/V\r"));

    // Plugged in again: Open works.
    Modsim again;
    ASSERT_TRUE(again.start(Modsim::typeOptions(GetParam()))) << again.errorText();
    EXPECT_TRUE(program->openDevice(again.devicePath()));
    EXPECT_EQ(f.ComStart.caption(), "Close");
}

// A device that no longer takes bytes fails the very send that meets it, not a later one: the
// last command of an exchange must not pass for sent.
TEST(SerialLinkE2ESend, ASendToAVanishedDeviceFailsAtThatSend) {
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(::grantpt(master), 0);
    ASSERT_EQ(::unlockpt(master), 0);
    qt::QtSerialPort port;
    port.setDevicePath(::ptsname(master));
    ASSERT_TRUE(port.open()) << port.lastErrorText();
    ASSERT_TRUE(port.send("/V\r"));
    ::close(master);
    EXPECT_FALSE(port.send("/W 03\r"));
    EXPECT_FALSE(port.isOpen());
}

TEST(SerialLinkE2EOpen, OpenFailuresSayWhy) {
    Modsim modsim;
    ASSERT_TRUE(modsim.start()) << modsim.errorText();
    QtProgram first(Program::Quorvex);
    first.start();
    ASSERT_TRUE(first.openDevice(modsim.devicePath()));

    // A second opener of the same device finds it taken.
    QtProgram second(Program::Brelund);
    second.start();
    EXPECT_FALSE(second.openDevice(modsim.devicePath()));
    EXPECT_EQ(second.form().P_Message.caption(), "COM Not Open!");
    EXPECT_EQ(second.form().P_Message.toolTip(), "The port is in use by another program.");
    // So does one that reaches the device by another name (as root, which Qt's own guard lets by).
    const TempFolder folder;
    const std::filesystem::path link = folder.path() / "module";
    std::filesystem::create_symlink(modsim.devicePath(), link);
    EXPECT_FALSE(second.openDevice(link.string()));
    EXPECT_EQ(second.form().P_Message.toolTip(), "The port is in use by another program.");
    // Given up by the first, the device opens under either name.
    first.form().ComStart.click();
    EXPECT_TRUE(second.openDevice(link.string())) << second.form().P_Message.toolTip();
    second.form().ComStart.click();

    EXPECT_FALSE(second.openDevice("/dev/orvane-no-such-device"));
    EXPECT_EQ(second.form().P_Message.toolTip(), "No such device.");

    // A port number that names no device.
    EXPECT_TRUE(second.port.setPortNumber(255));
    EXPECT_FALSE(second.port.open());
    EXPECT_EQ(second.port.lastErrorText(), "No such device.");
    EXPECT_FALSE(second.port.setPortNumber(256));
}

}  // namespace
}  // namespace orvane::test
