#include "platform/qt/services/QtSerialPort.h"

#include "platform/linux/PortNames.h"

#include <QByteArray>
#include <QSerialPortInfo>
#include <QString>

#ifdef Q_OS_UNIX
#include <sys/file.h>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace orvane::qt {

namespace {

std::string toStd(const QString& text) {
    return text.toStdString();
}

const char* const kDeviceGone = "The device is gone (unplugged or switched off).";
const char* const kInUse = "The port is in use by another program.";

}  // namespace

QtSerialPort::QtSerialPort(QObject* parent) : QObject(parent) {
    connect(&m_port, &QSerialPort::readyRead, this, &QtSerialPort::onReadyRead);
    connect(&m_port, &QSerialPort::errorOccurred, this, &QtSerialPort::onError);
}

QtSerialPort::~QtSerialPort() {
    releaseDevice();
}

namespace {

// The serial devices as the system lists them now. Qt already leaves out the placeholder UARTs
// (ttyS entries without hardware) that every Linux system lists.
std::vector<linux_ports::SerialDevice> systemDevices() {
    std::vector<linux_ports::SerialDevice> devices;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
#ifdef Q_OS_WIN
        const QString device = info.portName();
#else
        const QString device = info.systemLocation();
#endif
        devices.push_back({toStd(device), toStd(info.description())});
    }
    return devices;
}

}  // namespace

std::vector<PortEntry> QtSerialPort::enumeratePorts() {
    return m_numbering.number(systemDevices());
}

bool QtSerialPort::setPortNumber(int number) {
    if (number < linux_ports::kFirstPortNumber || number > linux_ports::kLastPortNumber) return false;
    m_number = number;
    m_devicePath.clear();
    return true;
}

int QtSerialPort::portNumber() const {
    return m_number;
}

bool QtSerialPort::setDevicePath(const std::string& path) {
    m_devicePath = path;
    return true;
}

std::string QtSerialPort::selectedDevice() {
    if (!m_devicePath.empty()) return m_devicePath;
    // A number never listed (a name from the settings file, say) is given out now, as a scan would.
    if (!m_numbering.deviceOf(m_number)) enumeratePorts();
    return m_numbering.deviceOf(m_number).value_or(std::string());
}

bool QtSerialPort::open() {
    if (isOpen()) {
        m_error = "The port is already open.";
        return false;
    }
    releaseDevice();  // lost earlier, close not yet run
    m_lost = false;

    const std::string device = selectedDevice();
    if (device.empty()) {
        m_error = "No such device.";
        return false;
    }
    if (!lockDevice(device)) {
        m_error = kInUse;
        return false;
    }
    m_port.setPortName(QString::fromStdString(device));
    m_port.setBaudRate(QSerialPort::Baud4800);
    m_port.setDataBits(QSerialPort::Data8);
    m_port.setParity(QSerialPort::NoParity);
    m_port.setStopBits(QSerialPort::OneStop);
    m_port.setFlowControl(QSerialPort::NoFlowControl);
    if (!m_port.open(QIODevice::ReadWrite)) {
        m_error = openErrorText(device);
        releaseDevice();
        return false;
    }
    if (!applyLine(m_port.setDataTerminalReady(m_dtr)) || !applyLine(m_port.setRequestToSend(m_rts))) {
        m_error = toStd(m_port.errorString());
        releaseDevice();
        return false;
    }
    m_error.clear();
    return true;
}

bool QtSerialPort::lockDevice(const std::string& device) {
#ifdef Q_OS_UNIX
    // One device, one user. Qt's own guards do not hold for that: its lock file is named after the
    // name it is given (a link to the device passes it) and its exclusive mode does not stop root.
    // A lock on the device itself is met by every name and every user. It is taken through a
    // descriptor of its own before Qt opens the port, so a second opener never touches the line
    // settings of the port another program holds.
    const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return errno != EBUSY;  // the holder's exclusive mode; else Qt's open says why
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK) {
        ::close(fd);
        return false;
    }
    // A device that takes no lock at all is opened without one.
    m_lockFd = fd;
#else
    (void)device;
#endif
    return true;
}

void QtSerialPort::releaseDevice() {
    if (m_port.isOpen()) m_port.close();
#ifdef Q_OS_UNIX
    if (m_lockFd >= 0) ::close(m_lockFd);
    m_lockFd = -1;
#endif
}

std::string QtSerialPort::openErrorText(const std::string& device) const {
    switch (m_port.error()) {
        case QSerialPort::DeviceNotFoundError:
            return "No such device.";
        case QSerialPort::PermissionError:
#ifdef Q_OS_UNIX
            // Qt reports a device held by another program (its lock file, or the device busy) as a
            // permission error too; the device's own access rights tell the two apart.
            if (::access(device.c_str(), R_OK | W_OK) != 0)
                return "Permission denied: the user must be in the dialout group.";
#else
            (void)device;
#endif
            return kInUse;
        default:
            return toStd(m_port.errorString());
    }
}

bool QtSerialPort::applyLine(bool ok) {
    if (ok) return true;
    // A pseudo-terminal has no modem lines; that is no reason to refuse the port.
    if (m_port.error() == QSerialPort::UnsupportedOperationError) {
        m_port.clearError();
        return true;
    }
    return false;
}

void QtSerialPort::close() {
    m_lost = false;
    releaseDevice();
}

bool QtSerialPort::isOpen() const {
    return m_port.isOpen() && !m_lost;
}

bool QtSerialPort::setDtr(bool on) {
    m_dtr = on;
    if (!isOpen()) return true;
    return applyLine(m_port.setDataTerminalReady(on));
}

bool QtSerialPort::setRts(bool on) {
    m_rts = on;
    if (!isOpen()) return true;
    return applyLine(m_port.setRequestToSend(on));
}

std::string QtSerialPort::settings() const {
    return "4800,n,8,1";
}

bool QtSerialPort::send(std::string_view bytes) {
    if (!isOpen()) return false;
    const QByteArray data(bytes.data(), static_cast<qsizetype>(bytes.size()));
    m_port.clearError();
    // write() only queues the bytes; flush() hands them to the device now, so a device that no
    // longer takes them fails this send, not a later one. A failing write marks the port lost.
    if (m_port.write(data) != data.size() || (!m_port.flush() && m_port.error() != QSerialPort::NoError)) {
        // Qt names whatever call failed last ("Inappropriate ioctl for device"); what the
        // technician needs to hear is that the device is gone.
        if (m_error.empty()) m_error = kDeviceGone;
        return false;
    }
    return isOpen();
}

std::string QtSerialPort::readAll() {
    const QByteArray data = m_port.readAll();
    return std::string(data.constData(), static_cast<std::size_t>(data.size()));
}

void QtSerialPort::setReceiveHandler(std::function<void()> handler) {
    m_handler = std::move(handler);
}

void QtSerialPort::setLostHandler(std::function<void()> handler) {
    m_lostHandler = std::move(handler);
}

std::string QtSerialPort::lastErrorText() const {
    return m_error;
}

void QtSerialPort::onReadyRead() {
    if (m_handler && !m_lost) m_handler();
}

void QtSerialPort::onError(QSerialPort::SerialPortError error) {
    if (error != QSerialPort::ResourceError && error != QSerialPort::ReadError &&
        error != QSerialPort::WriteError)
        return;
    if (!m_port.isOpen() || m_lost) return;
    // What arrived before the end went away is still a reply.
    if (m_port.bytesAvailable() > 0 && m_handler) m_handler();
    // Qt's own text for a vanished device names whatever call failed last ("Inappropriate ioctl
    // for device"); the technician needs to hear what happened.
    m_error = kDeviceGone;
    markLost();
}

void QtSerialPort::markLost() {
    // Qt would report a vanished device again and again at full CPU load while the port still
    // claims to be open and writes still "succeed".
    m_lost = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (!m_lost) return;  // closed or reopened in the meantime
            releaseDevice();
            if (m_lostHandler) m_lostHandler();
        },
        Qt::QueuedConnection);
}

}  // namespace orvane::qt
