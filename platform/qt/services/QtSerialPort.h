#pragma once

#include "core/platform/ISerialPort.h"
#include "platform/linux/PortNumbering.h"

#include <QObject>
#include <QSerialPort>

#include <vector>

namespace orvane::qt {

// The serial port of the programs on Qt SerialPort: 4800 baud, 8N1, no handshaking; receive events
// arrive on the window's thread. Port numbers map to devices by the core's port numbering, bound
// for the life of the process; a device path selects that device directly. A send that cannot be
// written out fails at once, and a device that goes away is reported through the lost handler.
class QtSerialPort : public QObject, public ISerialPort {
    Q_OBJECT
public:
    explicit QtSerialPort(QObject* parent = nullptr);
    ~QtSerialPort() override;

    std::vector<PortEntry> enumeratePorts() override;
    bool setPortNumber(int number) override;
    int portNumber() const override;
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

private:
    void onError(QSerialPort::SerialPortError error);
    void onReadyRead();
    // The other end is gone: the port counts as closed at once; the device is really closed, and
    // the lost handler told, from the event loop (closing inside Qt's own error report is not safe).
    void markLost();
    // The device the next open uses: the path set, else the device the number was given to.
    std::string selectedDevice();
    std::string openErrorText(const std::string& device) const;
    // Takes the device for this process alone; false when another holds it.
    bool lockDevice(const std::string& device);
    // Closes the port and gives the device up.
    void releaseDevice();
    // Applies a modem line level to the open port; a device without modem lines counts as done.
    bool applyLine(bool ok);

    QSerialPort m_port;
    linux_ports::PortNumbering m_numbering;
    int m_number = 1;
    std::string m_devicePath;
    bool m_dtr = false;
    bool m_rts = false;
    bool m_lost = false;
    int m_lockFd = -1;  // the descriptor that holds the device's lock while the port is open
    std::string m_error;
    std::function<void()> m_handler;
    std::function<void()> m_lostHandler;
};

}  // namespace orvane::qt
