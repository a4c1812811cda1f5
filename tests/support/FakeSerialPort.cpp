#include "tests/support/FakeSerialPort.h"

namespace orvane::test {

void FakeSerialPort::deliver(const std::string& bytes) {
    m_input += bytes;
    if (m_handler) m_handler();
}

std::string FakeSerialPort::sent() const {
    std::string all;
    for (const auto& w : writes)
        all += w.bytes;
    return all;
}

std::vector<std::string> FakeSerialPort::sentCommands() const {
    std::vector<std::string> commands;
    for (const auto& w : writes)
        commands.push_back(w.bytes);
    return commands;
}

bool FakeSerialPort::setPortNumber(int number) {
    if (number < 1 || number > 255) return false;
    m_number = number;
    devicePath.clear();
    return true;
}

bool FakeSerialPort::setDevicePath(const std::string& path) {
    devicePath = path;
    return true;
}

bool FakeSerialPort::open() {
    if (m_open) {
        m_error = "The port is already open.";
        return false;
    }
    bool exists = !devicePath.empty();
    for (const auto& p : ports)
        exists = exists || p.number == m_number;
    if (failOpen || !exists || busy.count(m_number) > 0) {
        m_error = exists ? "The port is in use by another program." : "No such device.";
        return false;
    }
    m_open = true;
    m_lostPending = false;
    opened.push_back(m_number);
    return true;
}

void FakeSerialPort::close() {
    m_open = false;
    m_lostPending = false;
}

bool FakeSerialPort::setDtr(bool on) {
    dtr = on;
    return true;
}

bool FakeSerialPort::setRts(bool on) {
    if (m_open && failRtsWhenOpen) return false;
    rts = on;
    rtsHistory.push_back(on);
    return true;
}

bool FakeSerialPort::send(std::string_view bytes) {
    if (!m_open || failSend) return false;
    writes.push_back({now(), std::string(bytes)});
    if (failAfterSend) return false;
    if (onWrite) onWrite(writes.back().bytes);
    return true;
}

void FakeSerialPort::lose(const std::string& reason) {
    m_open = false;
    m_error = reason;
    m_lostPending = true;
    auto deliver = [this] {
        if (!m_lostPending) return;
        m_lostPending = false;
        if (m_lostHandler) m_lostHandler();
    };
    if (post)
        post(deliver);
    else
        deliver();
}

std::string FakeSerialPort::readAll() {
    std::string all;
    all.swap(m_input);
    return all;
}

}  // namespace orvane::test
