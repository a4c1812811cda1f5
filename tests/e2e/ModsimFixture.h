#pragma once

#include "apps/brelund/BrelundRegisterModel.h"
#include "apps/quorvex/QuorvexRegisterModel.h"
#include "core/files/DiskFileSystem.h"
#include "core/shell/App.h"
#include "core/window/TimerDriver.h"
#include "platform/qt/services/QtEventLoop.h"
#include "platform/qt/services/QtSerialPort.h"
#include "tests/support/Fakes.h"
#include "tests/support/TestProgram.h"

#include <QProcess>
#include <QStringList>
#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace orvane::test {

// The module simulator (tools/modsim) as a child process serving a pseudo-terminal. It ends with
// the object, and on its own when this process dies (its standard input closes).
class Modsim {
public:
    Modsim() = default;
    ~Modsim();
    Modsim(const Modsim&) = delete;
    Modsim& operator=(const Modsim&) = delete;

    // Starts the simulator with these options ("--type", "R", "--chunk", "1", ...) and waits until
    // it names its device. False (and the reason in errorText()) when it does not start.
    bool start(const QStringList& options = {}, int timeoutMs = 10000);
    // Asks it to stop (SIGTERM) and waits; kills it when it does not go.
    void stop();
    // Waits until it ends by itself (the close-after fault); false on time-out.
    bool waitForExit(int timeoutMs = 5000);

    bool isRunning() const { return m_process.state() != QProcess::NotRunning; }
    // The pseudo-terminal's device path ("/dev/pts/5").
    const std::string& devicePath() const { return m_devicePath; }
    // What went wrong on start, with the simulator's diagnostics.
    const std::string& errorText() const { return m_error; }
    // Everything the simulator wrote to standard error so far (its --log trace goes there).
    std::string diagnostics();
    QProcess& process() { return m_process; }

    // "--type T" or "--type R" for the module the program talks to.
    static QStringList typeOptions(Program which);

private:
    QProcess m_process;
    std::string m_devicePath;
    std::string m_error;
    std::string m_stderr;
};

// A whole program over the real Qt serial port, with fakes for the other platform services and
// its timers on QTimers: what the user runs, minus the widgets.
class QtProgram {
public:
    explicit QtProgram(Program which);
    ~QtProgram();
    QtProgram(const QtProgram&) = delete;
    QtProgram& operator=(const QtProgram&) = delete;

    // Form_Load (scan included), then the timers run with the event loop.
    void start();
    Form1& form() { return app->form(); }
    // Opens a device through the "Port select" frame, as a technician types its path into Combo1
    // and clicks "Open". True when the port is open afterwards.
    bool openDevice(const std::string& path);

    Program which;
    TempFolder folder;
    qt::QtSerialPort port;
    FakeFileDialog dialog;
    FakeMessageBox messageBox;
    FakeAppInfo appInfo;
    FakeScreen screen;
    FakeClock wallClock;
    files::DiskFileSystem files;
    linux_ports::LinuxPortNaming portNaming;
    Platform platform{port, dialog, messageBox, appInfo, screen, wallClock, files, portNaming};
    quorvex::QuorvexRegisterModel transmitterModel;
    brelund::BrelundRegisterModel receiverModel;
    std::unique_ptr<App> app;
    qt::QtEventLoop loop;
    std::unique_ptr<TimerDriver> timers;
};

// A test with a simulator and a program opened on its pseudo-terminal.
class ModsimFixture : public ::testing::Test {
protected:
    // Starts the simulator of the program's module type with the extra options, starts the program
    // and opens the simulator's device; a failure ends the test with the reason.
    void startAndOpen(Program which, const QStringList& options = {});
    // Waits (running the event loop) until the condition holds; false after timeoutMs.
    static bool waitFor(const std::function<bool()>& condition, int timeoutMs = 5000);

    Modsim modsim;
    std::unique_ptr<QtProgram> program;
};

}  // namespace orvane::test
