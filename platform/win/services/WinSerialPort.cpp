#include "platform/win/services/WinSerialPort.h"

#include "platform/win/services/ComIo.h"
#include "platform/win/services/ComName.h"
#include "platform/win/services/ComPortList.h"
#include "platform/win/services/WinError.h"

#include <utility>
#include <windows.h>

namespace orvane::win {

namespace {

// The pause in the incoming data after which a read returns what it has (at 4800 baud a byte
// takes about 2 ms). No total time-out: a read waits for its first byte as long as it takes.
constexpr DWORD kReadPauseMs = 10;

}  // namespace

WinSerialPort::WinSerialPort() = default;

WinSerialPort::~WinSerialPort() {
    closeDevice();
}

std::vector<PortEntry> WinSerialPort::enumeratePorts() {
    return listComPorts();
}

bool WinSerialPort::setPortNumber(int number) {
    if (number < 1 || number > kLastComNumber) return false;
    m_number = number;
    return true;
}

int WinSerialPort::portNumber() const {
    return m_number;
}

bool WinSerialPort::setDevicePath(const std::string& path) {
    const auto number = comNumberOf(path);
    return number && setPortNumber(*number);
}

bool WinSerialPort::open() {
    if (isOpen()) {
        m_error = "The port is already open.";
        return false;
    }
    closeDevice();  // lost earlier, not yet pumped
    HANDLE handle = CreateFileW(comDevicePath(m_number).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        m_error = openErrorText(GetLastError());
        return false;
    }
    m_handle = handle;
    if (!configure()) {
        closeDevice();
        return false;
    }
    m_io = std::make_unique<ComIo>(m_handle, m_events);
    m_error.clear();
    return true;
}

bool WinSerialPort::configure() {
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    COMMTIMEOUTS timeouts{};
    timeouts.ReadIntervalTimeout = kReadPauseMs;  // writes: no time-out either
    bool ok = GetCommState(m_handle, &dcb) != FALSE;
    if (ok) {
        dcb.BaudRate = CBR_4800;
        dcb.ByteSize = 8;
        dcb.Parity = NOPARITY;
        dcb.StopBits = ONESTOPBIT;
        dcb.fBinary = TRUE;
        dcb.fParity = FALSE;
        dcb.fOutxCtsFlow = FALSE;
        dcb.fOutxDsrFlow = FALSE;
        dcb.fDsrSensitivity = FALSE;
        dcb.fOutX = FALSE;
        dcb.fInX = FALSE;
        dcb.fNull = FALSE;
        dcb.fAbortOnError = FALSE;
        // The lines take the levels set before the open as the port opens.
        dcb.fDtrControl = m_dtr ? DTR_CONTROL_ENABLE : DTR_CONTROL_DISABLE;
        dcb.fRtsControl = m_rts ? RTS_CONTROL_ENABLE : RTS_CONTROL_DISABLE;
        ok = SetCommState(m_handle, &dcb) && SetCommTimeouts(m_handle, &timeouts);
    }
    if (!ok) {
        m_error = "The port does not take the line settings: " + systemErrorText(GetLastError()) + ".";
        return false;
    }
    // Bytes that arrived before this open belong to no command of ours.
    PurgeComm(m_handle, PURGE_RXCLEAR | PURGE_TXCLEAR);
    return true;
}

void WinSerialPort::close() {
    closeDevice();
}

void WinSerialPort::closeDevice() {
    m_io.reset();  // stops the I/O thread first: it uses the handle
    if (m_handle) CloseHandle(m_handle);
    m_handle = nullptr;
    m_events.clear();
}

bool WinSerialPort::isOpen() const {
    return m_handle && m_io && !m_io->failed();
}

bool WinSerialPort::applyLine(unsigned long function) {
    if (EscapeCommFunction(m_handle, function)) return true;
    // A device without modem lines (a pseudo-terminal behind Wine) is no reason to refuse the port.
    const DWORD error = GetLastError();
    if (error == ERROR_NOT_SUPPORTED) return true;
    m_error = systemErrorText(error) + ".";
    return false;
}

bool WinSerialPort::setDtr(bool on) {
    m_dtr = on;
    if (!isOpen()) return true;
    return applyLine(on ? SETDTR : CLRDTR);
}

bool WinSerialPort::setRts(bool on) {
    m_rts = on;
    if (!isOpen()) return true;
    return applyLine(on ? SETRTS : CLRRTS);
}

std::string WinSerialPort::settings() const {
    return "4800,n,8,1";
}

bool WinSerialPort::send(std::string_view bytes) {
    if (!isOpen()) return false;
    if (const unsigned long error = m_io->write(bytes); error != 0) {
        m_error = "The device does not take data: " + systemErrorText(error) + ".";
        return false;
    }
    return true;
}

std::string WinSerialPort::readAll() {
    return m_events.takeBytes();
}

void WinSerialPort::setReceiveHandler(std::function<void()> handler) {
    m_receiveHandler = std::move(handler);
}

void WinSerialPort::setLostHandler(std::function<void()> handler) {
    m_lostHandler = std::move(handler);
}

std::string WinSerialPort::lastErrorText() const {
    return m_error;
}

int WinSerialPort::pump() {
    int delivered = 0;
    // A handler may close or reopen the port: closing drops the events still waiting, so each
    // event is taken only when the one before has been handled.
    while (auto event = m_events.take()) {
        ++delivered;
        if (event->kind == PortEvents::Kind::Received) {
            if (m_receiveHandler) m_receiveHandler();
        } else {
            m_error = event->errorText;
            closeDevice();
            if (m_lostHandler) m_lostHandler();
        }
    }
    return delivered;
}

}  // namespace orvane::win
