// The Windows serial port against the module simulator. scripts/wine-tests serves a simulator on a
// pseudo-terminal as Wine's COM5, and one that drops the link after its first reply as COM6, and
// names them in ORVANE_TEST_COM_PORT and ORVANE_TEST_CLOSING_COM_PORT.
#include "platform/win/services/WinSerialPort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>
#include <windows.h>

namespace orvane::win {
namespace {

constexpr const char* kNoSimulator =
    "needs a COM port served by the module simulator, which scripts/wine-tests sets up";

// Runs the owner's side as an event loop would: waits for the port's wake event and pumps, until
// done() or the time is up.
bool pumpUntil(WinSerialPort& port, const std::function<bool()>& done, DWORD timeoutMs = 5000) {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    while (!done()) {
        const ULONGLONG now = GetTickCount64();
        if (now >= end) return false;
        WaitForSingleObject(port.wakeEvent(), static_cast<DWORD>(end - now));
        port.pump();
    }
    return true;
}

TEST(WinSerialPort, RefusesUnusableNumbersNamesAndMissingPorts) {
    WinSerialPort port;
    EXPECT_FALSE(port.setPortNumber(0));
    EXPECT_FALSE(port.setPortNumber(4097));
    EXPECT_FALSE(port.setDevicePath("/dev/ttyUSB0"));
    EXPECT_TRUE(port.setDevicePath("\\\\.\\com12"));
    EXPECT_EQ(port.portNumber(), 12);
    ASSERT_TRUE(port.setPortNumber(201));
    EXPECT_FALSE(port.open());
    EXPECT_EQ(port.lastErrorText(), "No such device.");
    EXPECT_FALSE(port.isOpen());
    EXPECT_FALSE(port.send("/V\r"));
}

TEST(WinSerialPort, SendsACommandAndDeliversTheReplyOnTheOwnersThread) {
    const char* name = std::getenv("ORVANE_TEST_COM_PORT");
    if (!name) GTEST_SKIP() << kNoSimulator;
    WinSerialPort port;
    ASSERT_TRUE(port.setDevicePath(name));
    std::string received;
    bool onOwnersThread = true;
    const DWORD owner = GetCurrentThreadId();
    port.setReceiveHandler([&] {
        onOwnersThread = onOwnersThread && GetCurrentThreadId() == owner;
        received += port.readAll();
    });
    // Levels set before the open apply with it; on the open port a device without modem lines
    // (the pseudo-terminal) still counts as success.
    EXPECT_TRUE(port.setDtr(true));
    EXPECT_TRUE(port.setRts(true));
    ASSERT_TRUE(port.open()) << port.lastErrorText();
    EXPECT_EQ(port.settings(), "4800,n,8,1");
    EXPECT_TRUE(port.setDtr(false));
    EXPECT_TRUE(port.setRts(false));

    ASSERT_TRUE(port.send("/V\r"));
    ASSERT_TRUE(pumpUntil(port, [&] { return received.find('\r') != std::string::npos; })) << received;
    EXPECT_TRUE(received.starts_with("*V T")) << received;
    EXPECT_TRUE(onOwnersThread);

    // Closed, the device is free again: the port opens anew and still answers.
    port.close();
    EXPECT_FALSE(port.isOpen());
    EXPECT_FALSE(port.send("/V\r"));
    ASSERT_TRUE(port.open()) << port.lastErrorText();
    received.clear();
    ASSERT_TRUE(port.send("/V\r"));
    EXPECT_TRUE(pumpUntil(port, [&] { return received.find('\r') != std::string::npos; })) << received;
}

TEST(WinSerialPort, ADeviceThatGoesAwayIsLostAfterItsLastReply) {
    const char* name = std::getenv("ORVANE_TEST_CLOSING_COM_PORT");
    if (!name) GTEST_SKIP() << kNoSimulator;
    WinSerialPort port;
    ASSERT_TRUE(port.setDevicePath(name));
    std::vector<std::string> seen;
    std::string received;
    port.setReceiveHandler([&] {
        seen.push_back("received");
        received += port.readAll();
    });
    port.setLostHandler([&] { seen.push_back("lost"); });
    ASSERT_TRUE(port.open()) << port.lastErrorText();
    ASSERT_TRUE(port.send("/V\r"));
    ASSERT_TRUE(pumpUntil(port, [&] { return !seen.empty() && seen.back() == "lost"; })) << received;
    EXPECT_EQ(seen.front(), "received");
    EXPECT_EQ(std::count(seen.begin(), seen.end(), "lost"), 1);
    EXPECT_TRUE(received.starts_with("*V T")) << received;
    EXPECT_FALSE(port.isOpen());
    EXPECT_FALSE(port.send("/V\r"));
    EXPECT_EQ(port.lastErrorText(), "The device is gone (unplugged or switched off).");
    // Nothing more arrives for the handlers.
    EXPECT_EQ(port.pump(), 0);
}

}  // namespace
}  // namespace orvane::win
