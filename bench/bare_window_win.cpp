// The yardstick of the Windows programs' start-up: a bare Win32 window of a given outer size with
// a 50 ms timer running, nothing else, built with the programs' toolchain. bench/measure-windows
// starts it interleaved with the programs under the same prefix and compares when each window is
// mapped.
//
//   bare_window.exe [WIDTH HEIGHT]    outer size in pixels (default 404 x 522, the programs' at 96 dpi)
#include <cstdlib>
#include <cwchar>
#include <windows.h>

namespace {

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

// A WIN32-subsystem program entered at wWinMain, as the programs are.
int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    int width = 404;
    int height = 522;
    if (__argc == 3) {
        width = static_cast<int>(std::wcstol(__wargv[1], nullptr, 10));
        height = static_cast<int>(std::wcstol(__wargv[2], nullptr, 10));
    }
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = L"BareWindow";
    if (!RegisterClassExW(&windowClass)) return 1;
    const HWND window =
        CreateWindowExW(0, L"BareWindow", L"bare", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                        CW_USEDEFAULT, CW_USEDEFAULT, width, height, nullptr, nullptr, instance, nullptr);
    if (!window) return 1;
    SetTimer(window, 1, 50, nullptr);
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
