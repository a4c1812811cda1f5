#include "platform/win/WinProgramRunner.h"

#include "core/shell/App.h"
#include "core/window/TimerDriver.h"
#include "platform/win/WinAppInfo.h"
#include "platform/win/WinClock.h"
#include "platform/win/WinDialogs.h"
#include "platform/win/WinEventLoop.h"
#include "platform/win/WinFileSystem.h"
#include "platform/win/WinPortNaming.h"
#include "platform/win/WinSerialPort.h"
#include "platform/win/WinWindowView.h"

#include <algorithm>
#include <climits>

namespace orvane::win {

namespace {

// Marks a window coordinate that start-up left alone (no settings file said where the window
// goes); no coordinate that start-up sets can take this value.
constexpr int kUnplaced = INT_MIN;

// A window whose position start-up did not set stands centred on the screen, as on Linux.
void placeUnplaced(Window& window, const IScreen& screen) {
    Rect geometry = window.geometry();
    if (geometry.left == kUnplaced) geometry.left = std::max(0, (screen.widthTwips() - geometry.width) / 2);
    if (geometry.top == kUnplaced) geometry.top = std::max(0, (screen.heightTwips() - geometry.height) / 2);
    window.setGeometry(geometry);
}

// A serial port whose events the loop delivers: its wake event is watched for as long as it lives.
class LoopPort final : public WinSerialPort {
public:
    explicit LoopPort(WinEventLoop& loop) : m_loop(loop) {
        m_loop.watch(wakeEvent(), [this] { pump(); });
    }
    ~LoopPort() override { m_loop.unwatch(wakeEvent()); }
    LoopPort(const LoopPort&) = delete;
    LoopPort& operator=(const LoopPort&) = delete;

private:
    WinEventLoop& m_loop;
};

}  // namespace

int runProgram(Profile profile, IRegisterModel& registerModel) {
    WinEventLoop loop;
    loop.onTermination([&loop] { loop.quit(0); });

    LoopPort port(loop);
    WinFileDialog fileDialog;
    WinMessageBox messageBox;
    WinAppInfo appInfo(ORVANE_VERSION_MAJOR, ORVANE_VERSION_MINOR, ORVANE_VERSION_PATCH);
    WinScreen screen;
    WinClock clock;
    WinFileSystem files;
    const WinPortNaming portNaming;
    Platform platform{port, fileDialog, messageBox, appInfo, screen, clock, files, portNaming};

    App app(std::move(profile), registerModel, platform);
    Window& window = app.form().form;
    Rect unplaced = window.geometry();
    unplaced.left = kUnplaced;
    unplaced.top = kUnplaced;
    window.setGeometry(unplaced);
    app.Form_Load();
    placeUnplaced(window, screen);

    // Shut-down runs once, whether the window closes or the session ends.
    bool unloaded = false;
    auto unload = [&app, &unloaded] {
        if (unloaded) return;
        unloaded = true;
        app.Form_Unload();
    };
    WinWindowView view(app.form(), systemDpi(), unload, [&loop] { loop.quit(0); });
    // A window that starts on a monitor of another dpi takes that monitor's.
    if (const int dpi = windowDpi(view.window()); dpi != systemDpi()) view.topWindow().setDpi(dpi);
    loop.setMessageFilter([&view](tagMSG& message) { return view.dialogMessage(message); });
    view.show();

    TimerDriver timers(app.form(), loop);
    timers.start();
    const int status = loop.run();
    loop.setMessageFilter({});
    return status;
}

}  // namespace orvane::win
