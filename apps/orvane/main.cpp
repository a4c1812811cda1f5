// orvane: the headless command for production lines and scripts, on Linux. A QCoreApplication (no
// widgets) with the Qt serial port, clock and event loop; everything else is the same code as on
// every platform.
#include "apps/orvane/Orvane.h"
#include "core/files/DiskFileSystem.h"
#include "platform/linux/LinuxPortNaming.h"
#include "platform/qt/services/QtClock.h"
#include "platform/qt/services/QtEventLoop.h"
#include "platform/qt/services/QtSerialPort.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QSysInfo>

#include <cstdlib>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <unistd.h>
#include <vector>

int main(int argc, char** argv) {
    using namespace orvane;
    QCoreApplication application(argc, argv);
    qt::QtEventLoop loop;
    qt::QtClock clock;
    files::DiskFileSystem disk;
    const linux_ports::LinuxPortNaming naming;
    cli::PlatformKit kit{
        loop,
        clock,
        disk,
        naming,
        [] { return std::unique_ptr<ISerialPort>(new qt::QtSerialPort()); },
        [] { return QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs).toStdString(); },
        ::isatty(STDERR_FILENO) != 0,
        [](const std::string& name) -> std::optional<std::string> {
            const char* value = std::getenv(name.c_str());
            return value ? std::optional<std::string>(value) : std::nullopt;
        }};
    kit.hostName = QSysInfo::machineHostName().toStdString();
    return cli::runOrvane(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr, kit);
}
