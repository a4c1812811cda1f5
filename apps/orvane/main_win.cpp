// orvane.exe: the headless command for production lines and scripts, on Windows' own API: the
// comm API's serial ports on a message loop with high-resolution timers, files in the ANSI code
// page under UTF-16 paths. Everything else is the same code as on every platform.
#include "apps/orvane/Orvane.h"
#include "platform/win/TextConvert.h"
#include "platform/win/WinClock.h"
#include "platform/win/WinEventLoop.h"
#include "platform/win/WinFileSystem.h"
#include "platform/win/WinPortNaming.h"
#include "platform/win/WinSerialPort.h"

#include <cstdio>
#include <io.h>
#include <iostream>
#include <memory>
#include <string>
#include <vector>
#include <windows.h>

namespace {

using namespace orvane;

// A serial port whose events the loop delivers: its wake event is watched for as long as it lives.
class LoopPort final : public win::WinSerialPort {
public:
    explicit LoopPort(win::WinEventLoop& loop) : m_loop(loop) {
        m_loop.watch(wakeEvent(), [this] { pump(); });
    }
    ~LoopPort() override { m_loop.unwatch(wakeEvent()); }
    LoopPort(const LoopPort&) = delete;
    LoopPort& operator=(const LoopPort&) = delete;

private:
    win::WinEventLoop& m_loop;
};

// The time now as ISO 8601 in UTC, to the millisecond: "2026-12-07T09:50:47.801Z".
std::string timestamp() {
    SYSTEMTIME t{};
    GetSystemTime(&t);
    char text[32];
    std::snprintf(text, sizeof text, "%04u-%02u-%02uT%02u:%02u:%02u.%03uZ", t.wYear, t.wMonth, t.wDay,
                  t.wHour, t.wMinute, t.wSecond, t.wMilliseconds);
    return text;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    // Arguments arrive as UTF-16 and are UTF-8 from here on, as everywhere in the program.
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i)
        args.push_back(win::narrow(argv[i]));
    win::WinEventLoop loop;
    win::WinClock clock;
    win::WinFileSystem files;
    const win::WinPortNaming naming;
    cli::PlatformKit kit{loop,
                         clock,
                         files,
                         naming,
                         [&loop] { return std::unique_ptr<ISerialPort>(new LoopPort(loop)); },
                         timestamp,
                         _isatty(_fileno(stderr)) != 0};
    return cli::runOrvane(args, std::cout, std::cerr, kit);
}
