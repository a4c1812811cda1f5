// orvane.exe: the headless command for production lines and scripts, on Windows' own API: the
// comm API's serial ports on a message loop with high-resolution timers, files in the ANSI code
// page under UTF-16 paths. Everything else is the same code as on every platform.
#include "apps/orvane/Orvane.h"
#include "platform/win/services/LoopSerialPort.h"
#include "platform/win/services/TextConvert.h"
#include "platform/win/services/WinClock.h"
#include "platform/win/services/WinEventLoop.h"
#include "platform/win/services/WinFileSystem.h"
#include "platform/win/services/WinPortNaming.h"

#include <cstdio>
#include <io.h>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>
#include <windows.h>

namespace {

using namespace orvane;

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
                         [&loop] { return std::unique_ptr<ISerialPort>(new win::LoopSerialPort(loop)); },
                         timestamp,
                         _isatty(_fileno(stderr)) != 0,
                         [](const std::string& name) -> std::optional<std::string> {
                             // The UTF-16 environment, so a user folder beyond the code page reads right.
                             const auto wide = win::widen(name);
                             const wchar_t* value = wide ? _wgetenv(wide->c_str()) : nullptr;
                             return value ? std::optional<std::string>(win::narrow(value)) : std::nullopt;
                         },
                         cli::windowsWords()};
    wchar_t host[256];
    DWORD size = 256;
    if (GetComputerNameExW(ComputerNameDnsHostname, host, &size))
        kit.hostName = win::narrow(std::wstring(host, size));
    return cli::runOrvane(args, std::cout, std::cerr, kit);
}
