#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

// One serial port of the system as the scan sees it.
struct PortEntry {
    int number = 0;           // the n of "COMn"
    std::string device;       // e.g. "/dev/ttyUSB0"
    std::string description;  // e.g. "FT232R USB UART"; may be empty
};

// The serial communications object of the window. Fixed line settings: 4800 baud, no parity,
// 8 data bits, 1 stop bit, no handshaking. All calls and the receive callback happen on the
// window's thread.
class ISerialPort {
public:
    virtual ~ISerialPort() = default;

    // The ports present, in ascending order of number (they are not opened here).
    virtual std::vector<PortEntry> enumeratePorts() = 0;

    // Selects the port the next open uses: a number ("COMn"), or a device path for texts that
    // name a device directly. False when the number is unusable.
    virtual bool setPortNumber(int number) = 0;
    virtual int portNumber() const = 0;
    virtual bool setDevicePath(const std::string& path) = 0;

    // Opens the selected port with the fixed settings and the DTR/RTS levels set before. False on
    // failure; lastErrorText() then says why in plain words.
    virtual bool open() = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;

    // Line levels. On a closed port they are kept for the next open and succeed; on an open port
    // they are applied at once and fail when the device fails (a device without modem lines, such
    // as a pseudo-terminal, counts as success).
    virtual bool setDtr(bool on) = 0;
    virtual bool setRts(bool on) = 0;

    // The line settings text, beginning with the baud rate: "4800,n,8,1".
    virtual std::string settings() const = 0;

    // One write of the whole command. False when the port is not open or the write fails.
    virtual bool send(std::string_view bytes) = 0;

    // Everything received so far; empties the input.
    virtual std::string readAll() = 0;

    // Called whenever characters have arrived (the "received" communication event).
    virtual void setReceiveHandler(std::function<void()> handler) = 0;
    // Called once when the open port fails on its own (the device went away or stopped taking
    // writes), after what it received before has been handed to the receive handler. The port
    // reports closed from then on.
    virtual void setLostHandler(std::function<void()> handler) = 0;

    // Why the last open failed or the port was lost, in plain words for the technician ("" when
    // unknown).
    virtual std::string lastErrorText() const = 0;
};

}  // namespace orvane
