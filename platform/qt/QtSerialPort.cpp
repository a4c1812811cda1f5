#include "platform/qt/QtSerialPort.h"

namespace orvane::qt {

// Placeholder until the serial layer lands: a port that never opens.
QtSerialPort::QtSerialPort(QObject* parent) : QObject(parent) {}
QtSerialPort::~QtSerialPort() = default;
std::vector<PortEntry> QtSerialPort::enumeratePorts() { return {}; }
bool QtSerialPort::setPortNumber(int number) {
    m_number = number;
    return true;
}
int QtSerialPort::portNumber() const { return m_number; }
bool QtSerialPort::setDevicePath(const std::string& path) {
    m_devicePath = path;
    return true;
}
bool QtSerialPort::open() { return false; }
void QtSerialPort::close() {}
bool QtSerialPort::isOpen() const { return false; }
bool QtSerialPort::setDtr(bool) { return true; }
bool QtSerialPort::setRts(bool) { return true; }
std::string QtSerialPort::settings() const { return "4800,n,8,1"; }
bool QtSerialPort::send(std::string_view) { return false; }
std::string QtSerialPort::readAll() { return {}; }
void QtSerialPort::setReceiveHandler(std::function<void()> handler) { m_handler = std::move(handler); }
std::string QtSerialPort::lastErrorText() const { return m_error; }

}  // namespace orvane::qt
