#include "platform/win/view/WinProgramRunner.h"

#include "core/shell/App.h"
#include "core/shell/ProgramLifetime.h"
#include "core/window/TimerDriver.h"
#include "platform/win/services/LoopSerialPort.h"
#include "platform/win/services/WinAppInfo.h"
#include "platform/win/services/WinClock.h"
#include "platform/win/services/WinEventLoop.h"
#include "platform/win/services/WinFileSystem.h"
#include "platform/win/services/WinPortNaming.h"
#include "platform/win/view/WinDialogs.h"
#include "platform/win/view/WinWindowView.h"

namespace orvane::win {

int runProgram(Profile profile, IRegisterModel& registerModel) {
    WinEventLoop loop;
    loop.onTermination([&loop] { loop.quit(0); });

    LoopSerialPort port(loop);
    WinFileDialog fileDialog;
    WinMessageBox messageBox;
    WinAppInfo appInfo(ORVANE_VERSION_MAJOR, ORVANE_VERSION_MINOR, ORVANE_VERSION_PATCH);
    WinScreen screen;
    WinClock clock;
    WinFileSystem files;
    const WinPortNaming portNaming;
    Platform platform{port, fileDialog, messageBox, appInfo, screen, clock, files, portNaming};

    App app(std::move(profile), registerModel, platform);
    ProgramLifetime lifetime(app, screen);
    // Shut-down runs once, whether the window closes or the session ends.
    auto unload = [&lifetime] { lifetime.unload(); };
    // The window goes on the screen first, where start-up will leave it; start-up (the port scan,
    // the settings) and the controls follow before the first paint.
    Window preview;
    lifetime.preview(preview);
    WinWindowView view(
        app.form(), systemDpi(), unload, [&loop] { loop.quit(0); }, preview,
        [&lifetime] { lifetime.load(); });
    loop.setMessageFilter([&view](tagMSG& message) { return view.dialogMessage(message); });

    TimerDriver timers(app.form(), loop);
    timers.start();
    const int status = loop.run();
    loop.setMessageFilter({});
    return status;
}

}  // namespace orvane::win
