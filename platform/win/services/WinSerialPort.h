#pragma once

#include "core/platform/ISerialPort.h"
#include "platform/win/services/PortEvents.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace orvane::win {

class ComIo;

// The serial port of the programs on Windows' own API: port n is the device "\\.\COMn", opened for
// overlapped I/O at 4800 baud, 8N1, no handshaking. Reads and writes never block the caller: an
// I/O thread receives, and a send returns once its write has started (a write that fails at once
// fails the send; one that fails on its way out reports the port lost).
//
// The handlers run on the owner's thread only: the I/O thread posts what happened, and pump(),
// called by the owner's loop whenever wakeEvent() is signalled, delivers it in order.
class WinSerialPort : public ISerialPort {
public:
    WinSerialPort();
    ~WinSerialPort() override;
    WinSerialPort(const WinSerialPort&) = delete;
    WinSerialPort& operator=(const WinSerialPort&) = delete;

    std::vector<PortEntry> enumeratePorts() override;
    bool setPortNumber(int number) override;
    int portNumber() const override;
    // Takes a port name, "COM12" or "\\.\COM12" in any case; false for anything else.
    bool setDevicePath(const std::string& path) override;
    bool open() override;
    void close() override;
    bool isOpen() const override;
    bool setDtr(bool on) override;
    bool setRts(bool on) override;
    std::string settings() const override;
    bool send(std::string_view bytes) override;
    std::string readAll() override;
    void setReceiveHandler(std::function<void()> handler) override;
    void setLostHandler(std::function<void()> handler) override;
    std::string lastErrorText() const override;

    // Delivers what the I/O thread posted, in order, on the calling (owner's) thread: the receive
    // handler for arrived bytes; for a lost port, the device is closed and the lost handler
    // called. Returns the number of events delivered.
    int pump();
    // A Windows event handle that is signalled while pump() has something to deliver.
    void* wakeEvent() const { return m_events.wakeEvent(); }

private:
    bool configure();
    // Applies a modem line level (an EscapeCommFunction code) to the open device.
    bool applyLine(unsigned long function);
    void closeDevice();

    int m_number = 1;
    bool m_dtr = false;
    bool m_rts = false;
    void* m_handle = nullptr;  // the open device, or null
    std::string m_error;
    std::function<void()> m_receiveHandler;
    std::function<void()> m_lostHandler;
    PortEvents m_events;
    std::unique_ptr<ComIo> m_io;
};

}  // namespace orvane::win
