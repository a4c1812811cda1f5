// Drives Quorvex.exe or Brelund.exe end to end as a technician would, by window messages from
// another process: picks the port in the port box, presses Open, Get Info., Write and Check, each
// after the one before has ended, then closes the window and waits for the program to end.
//   program_driver PROGRAM.exe [COMn]
// Without a port it only waits for the window and closes it (the program writes its settings then).
// Prints each step; exits 0 when every step ended without a status message, 1 otherwise.
// scripts/wine-tests runs it against the module simulator and then checks the simulator's flash,
// the log and the settings file.
#include "core/window/Form1.h"
#include "platform/win/services/TextConvert.h"
#include "platform/win/view/WinWindowView.h"

#include <cstdio>
#include <functional>
#include <string>
#include <windows.h>

namespace {

using orvane::Control;
using orvane::Form1;
using orvane::win::WinWindowView;

constexpr DWORD kStepTimeoutMs = 20000;

bool waitFor(const std::function<bool()>& done, DWORD timeoutMs = kStepTimeoutMs) {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    while (!done()) {
        if (GetTickCount64() >= end) return false;
        Sleep(50);
    }
    return true;
}

std::string textOf(HWND hwnd) {
    wchar_t text[512] = {};
    // WM_GETTEXT crosses the process boundary; GetWindowTextW does not for another's controls.
    SendMessageW(hwnd, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
    return orvane::win::narrow(text);
}

// The program's controls, found by the ids the view gives them (WinWindowView::controlId).
class Window {
public:
    explicit Window(HWND top) : m_top(top) {}

    HWND control(const Control& model) {
        m_wanted = WinWindowView::controlId(m_form, model);
        m_found = nullptr;
        EnumChildWindows(m_top, &Window::match, reinterpret_cast<LPARAM>(this));
        return m_found;
    }
    Form1& form() { return m_form; }

private:
    static BOOL CALLBACK match(HWND child, LPARAM self) {
        auto* window = reinterpret_cast<Window*>(self);
        if (GetDlgCtrlID(child) != window->m_wanted) return TRUE;
        window->m_found = child;
        return FALSE;
    }

    HWND m_top;
    Form1 m_form;  // only for the controls' ids, which are the same in every window
    int m_wanted = 0;
    HWND m_found = nullptr;
};

// Presses a button and waits for the exchange it starts to end: the button is greyed out while it
// runs and usable again after. Fails when a status message names a fault.
bool press(Window& window, const Control& button, const char* name,
           std::initializer_list<const Control*> messages) {
    HWND hwnd = window.control(button);
    if (!hwnd || !IsWindowEnabled(hwnd)) {
        std::printf("%s: the button is missing or greyed out\n", name);
        return false;
    }
    SendMessageW(hwnd, BM_CLICK, 0, 0);
    const bool ended = waitFor([hwnd] { return IsWindowEnabled(hwnd) != FALSE; });
    std::string faults;
    for (const Control* message : messages)
        faults += textOf(window.control(*message));
    std::printf("%s: %s%s\n", name, ended ? "ended" : "did not end",
                faults.empty() ? "" : (", " + faults).c_str());
    return ended && faults.empty();
}

// Opens the port as the technician picks it from the list, then Get Info., Write and Check.
bool session(Window& window, const std::wstring& port) {
    Form1& f = window.form();
    // The list must name the port.
    HWND ports = window.control(f.Combo1);
    const auto item = SendMessageW(ports, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                   reinterpret_cast<LPARAM>(port.c_str()));
    bool ok = item != CB_ERR;
    std::printf("port list: %s %s\n", orvane::win::narrow(port).c_str(), ok ? "listed" : "not listed");
    if (ok) {
        SendMessageW(ports, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
        SendMessageW(GetParent(ports), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(ports), CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(ports));
        SendMessageW(window.control(f.ComStart), BM_CLICK, 0, 0);
        const std::string opened = textOf(window.control(f.P_Message));
        ok = opened.empty() && textOf(window.control(f.ComStart)) == "Close";
        std::printf("open: %s\n", ok ? "opened" : opened.c_str());
    }
    ok = ok && press(window, f.GetInfoSW, "get info", {&f.C_Message, &f.P_Message});
    if (ok)
        std::printf("module: %s %s\n", textOf(window.control(f.Serial)).c_str(),
                    textOf(window.control(f.Version)).c_str());
    ok = ok && press(window, f.ChWriteSW, "write", {&f.T_Message, &f.C_Message, &f.P_Message, &f.L_Message});
    return ok && press(window, f.ChCheckSW, "check", {&f.T_Message, &f.P_Message});
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: program_driver PROGRAM.exe [COMn]\n");
        return 2;
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::wstring command = L"\"" + std::wstring(argv[1]) + L"\"";
    if (!CreateProcessW(argv[1], command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        std::printf("cannot start the program: error %lu\n", GetLastError());
        return 1;
    }
    HWND top = nullptr;
    waitFor(
        [&top] { return (top = FindWindowW(L"OrvaneWindow", nullptr)) != nullptr && IsWindowVisible(top); });
    if (!top) {
        std::printf("no window\n");
        TerminateProcess(process.hProcess, 1);
        return 1;
    }
    std::printf("window: %s\n", textOf(top).c_str());
    Window window(top);
    const bool ok = argc == 2 || session(window, argv[2]);

    PostMessageW(top, WM_CLOSE, 0, 0);
    const bool ended = WaitForSingleObject(process.hProcess, kStepTimeoutMs) == WAIT_OBJECT_0;
    DWORD status = 1;
    if (ended) GetExitCodeProcess(process.hProcess, &status);
    std::printf("close: %s, exit status %lu\n", ended ? "ended" : "did not end", status);
    if (!ended) TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return ok && ended && status == 0 ? 0 : 1;
}
