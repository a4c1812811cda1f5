#pragma once

#include "core/platform/ISerialPort.h"

#include <functional>
#include <set>
#include <string>
#include <vector>

namespace orvane::test {

// A serial port in memory. Records every write with the virtual time it was made at; injected
// input is delivered synchronously through the receive handler. Flags make any operation fail.
class FakeSerialPort : public ISerialPort {
public:
    struct Write {
        long long time;
        std::string bytes;
    };

    // Configuration by the test.
    std::vector<PortEntry> ports;  // what the system has
    std::set<int> busy;            // port numbers that fail to open
    bool failOpen = false;
    bool failSend = false;
    // A send whose bytes go out but whose completion fails, as a flush that fails after the write.
    bool failAfterSend = false;
    bool failRtsWhenOpen = false;
    std::string settingsText = "4800,n,8,1";
    std::function<long long()> now = [] { return 0LL; };
    // Called after every successful write (a fake module answers from here).
    std::function<void(const std::string&)> onWrite;
    // How the lost event reaches the program: as with the real port, from the event loop a moment
    // after the device went (a test program posts it on its clock); without it, at once.
    std::function<void(std::function<void()>)> post;

    // What the program did.
    std::vector<Write> writes;
    std::vector<int> opened;  // port numbers opened, in order
    bool dtr = false;
    bool rts = false;
    std::vector<bool> rtsHistory;
    std::string devicePath;

    // Delivers bytes from the "module": appended to the input, then the receive event.
    void deliver(const std::string& bytes);
    // Every byte written so far, in order.
    std::string sent() const;
    // The writes as texts, in order.
    std::vector<std::string> sentCommands() const;

    std::vector<PortEntry> enumeratePorts() override { return ports; }
    bool setPortNumber(int number) override;
    int portNumber() const override { return m_number; }
    bool setDevicePath(const std::string& path) override;
    bool open() override;
    void close() override;
    bool isOpen() const override { return m_open; }
    bool setDtr(bool on) override;
    bool setRts(bool on) override;
    std::string settings() const override { return settingsText; }
    bool send(std::string_view bytes) override;
    std::string readAll() override;
    void setReceiveHandler(std::function<void()> handler) override { m_handler = std::move(handler); }
    void setLostHandler(std::function<void()> handler) override { m_lostHandler = std::move(handler); }
    // The device goes away: the port reports closed at once and the lost event follows (see
    // post), unless the port is closed or opened again before it is delivered.
    void lose(const std::string& reason);
    std::string lastErrorText() const override { return m_error; }

private:
    int m_number = 1;
    bool m_open = false;
    bool m_lostPending = false;
    std::string m_input;
    std::string m_error;
    std::function<void()> m_handler;
    std::function<void()> m_lostHandler;
};

}  // namespace orvane::test
