#pragma once

#include <QObject>
#include <QSerialPort>

#include "core/platform/ISerialPort.h"

namespace orvane::qt {

// The serial port of the programs on Qt SerialPort: 4800 baud, 8N1, no handshaking; receive events
// arrive on the window's thread.
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
    std::string lastErrorText() const override;

private:
    QSerialPort m_port;
    int m_number = 1;
    std::string m_devicePath;
    std::string m_error;
    std::function<void()> m_handler;
};

}  // namespace orvane::qt
