#include "platform/qt/view/ProgramRunner.h"

#include "core/files/DiskFileSystem.h"
#include "core/shell/ProgramLifetime.h"
#include "core/window/TimerDriver.h"
#include "platform/linux/LinuxPortNaming.h"
#include "platform/qt/services/QtAppInfo.h"
#include "platform/qt/services/QtClock.h"
#include "platform/qt/services/QtEventLoop.h"
#include "platform/qt/services/QtSerialPort.h"
#include "platform/qt/view/QtFileDialog.h"
#include "platform/qt/view/QtMessageBox.h"
#include "platform/qt/view/QtScreen.h"
#include "platform/qt/view/QtWindowView.h"

#include <QApplication>
#include <QScreen>

namespace orvane::qt {

int runProgram(int argc, char** argv, Profile profile, IRegisterModel& registerModel) {
    QApplication application(argc, argv);
    // A termination signal (a session logout, Ctrl+C in the terminal) quits in order, so the
    // shut-down still runs and the settings are saved.
    QtEventLoop loop;
    loop.onTermination([&loop] { loop.quit(0); });

    QtSerialPort port;
    QtFileDialog fileDialog;
    QtMessageBox messageBox;
    QtAppInfo appInfo;
    QtScreen screen;
    QtClock clock;
    files::DiskFileSystem files;
    linux_ports::LinuxPortNaming portNaming;
    Platform platform{port, fileDialog, messageBox, appInfo, screen, clock, files, portNaming};

    App app(std::move(profile), registerModel, platform);
    ProgramLifetime lifetime(app, screen);
    // Shut-down runs once, whether the window closes or the session ends the application.
    auto unload = [&lifetime] { lifetime.unload(); };
    QObject::connect(&application, &QCoreApplication::aboutToQuit, &application, unload);

    const QScreen* primary = QGuiApplication::primaryScreen();
    const double dpi = primary ? primary->logicalDotsPerInch() : 96.0;
    // The window goes on the screen first, where start-up will leave it; start-up (the port scan,
    // the settings) and the controls follow before the first paint.
    Window preview;
    lifetime.preview(preview);
    QtWindowView view(app.form(), dpi, unload, preview, [&lifetime] { lifetime.load(); });

    TimerDriver timers(app.form(), loop);
    timers.start();
    return loop.run();
}

}  // namespace orvane::qt
