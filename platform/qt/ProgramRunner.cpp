#include "platform/qt/ProgramRunner.h"

#include "core/files/DiskFileSystem.h"
#include "core/window/TimerDriver.h"
#include "platform/linux/LinuxPortNaming.h"
#include "platform/qt/QtAppInfo.h"
#include "platform/qt/QtClock.h"
#include "platform/qt/QtEventLoop.h"
#include "platform/qt/QtFileDialog.h"
#include "platform/qt/QtMessageBox.h"
#include "platform/qt/QtScreen.h"
#include "platform/qt/QtSerialPort.h"
#include "platform/qt/QtWindowView.h"

#include <QApplication>
#include <QScreen>

#include <algorithm>
#include <climits>

namespace orvane::qt {

namespace {

// Marks a window coordinate that start-up left alone (no settings file said where the window
// goes); no coordinate that start-up sets can take this value.
constexpr int kUnplaced = INT_MIN;

// A window whose position start-up did not set stands centred on the screen, where new windows
// commonly appear.
void placeUnplaced(Window& window, const IScreen& screen) {
    Rect geometry = window.geometry();
    if (geometry.left == kUnplaced) geometry.left = std::max(0, (screen.widthTwips() - geometry.width) / 2);
    if (geometry.top == kUnplaced) geometry.top = std::max(0, (screen.heightTwips() - geometry.height) / 2);
    window.setGeometry(geometry);
}

}  // namespace

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
    Window& window = app.form().form;
    Rect unplaced = window.geometry();
    unplaced.left = kUnplaced;
    unplaced.top = kUnplaced;
    window.setGeometry(unplaced);
    app.Form_Load();
    placeUnplaced(window, screen);

    // Shut-down runs once, whether the window closes or the session ends the application.
    bool unloaded = false;
    auto unload = [&app, &unloaded] {
        if (unloaded) return;
        unloaded = true;
        app.Form_Unload();
    };
    QObject::connect(&application, &QCoreApplication::aboutToQuit, &application, unload);

    const QScreen* primary = QGuiApplication::primaryScreen();
    const double dpi = primary ? primary->logicalDotsPerInch() : 96.0;
    QtWindowView view(app.form(), dpi, unload);
    view.window().show();

    TimerDriver timers(app.form(), loop);
    timers.start();
    return loop.run();
}

}  // namespace orvane::qt
