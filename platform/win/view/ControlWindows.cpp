#include "platform/win/view/ControlWindows.h"

#include <commctrl.h>

namespace orvane::win {

namespace {

LRESULT CALLBACK forwarding(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    switch (message) {
        case WM_COMMAND:
        case WM_NOTIFY:
        case WM_DRAWITEM:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORLISTBOX:
            return SendMessageW(GetAncestor(window, GA_ROOT), message, wParam, lParam);
        case WM_ERASEBKGND: {
            // A group box paints its frame and caption only; the ground inside is the window's.
            RECT inside{};
            GetClientRect(window, &inside);
            FillRect(reinterpret_cast<HDC>(wParam), &inside, GetSysColorBrush(COLOR_BTNFACE));
            return TRUE;
        }
        case WM_NCDESTROY:
            RemoveWindowSubclass(window, forwarding, 0);
            break;
        default:
            break;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace

HWND makeChild(const wchar_t* className, DWORD style, DWORD exStyle, HWND parent, const Control& control) {
    const DWORD visible = control.visible() ? WS_VISIBLE : 0;
    return CreateWindowExW(exStyle, className, L"", WS_CHILD | WS_CLIPSIBLINGS | visible | style, 0, 0, 0, 0,
                           parent, nullptr, GetModuleHandleW(nullptr), nullptr);
}

void forwardToTopLevel(HWND window) {
    SetWindowSubclass(window, forwarding, 0, 0);
}

}  // namespace orvane::win
