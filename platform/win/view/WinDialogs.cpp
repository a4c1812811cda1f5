#include "platform/win/view/WinDialogs.h"

#include "platform/win/services/TextConvert.h"
#include "platform/win/view/ViewConvert.h"

#include <algorithm>
#include <windows.h>
// After windows.h, which it builds on.
#include <commdlg.h>

namespace orvane::win {

namespace {

constexpr DWORD kPathRoom = 32768;  // the longest path Windows takes

}  // namespace

std::wstring toDialogFilter(const std::string& filter) {
    std::wstring result = toWide(filter);
    for (wchar_t& c : result)
        if (c == L'|') c = L'\0';
    if (result.empty() || result.back() != L'\0') result += L'\0';
    result += L'\0';
    return result;
}

bool WinFileDialog::show(Mode mode) {
    std::wstring file(kPathRoom, L'\0');
    std::wstring folder;
    const std::wstring last = toWide(m_fileName);
    if (last.empty()) {
        folder = toWide(m_initialFolder);
    } else {
        const auto slash = last.find_last_of(L"\\/");
        folder = slash == std::wstring::npos ? std::wstring() : last.substr(0, slash);
        last.copy(file.data(), std::min<std::size_t>(last.size() - (slash + 1), kPathRoom - 1), slash + 1);
    }
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = GetActiveWindow();
    dialog.lpstrFilter = m_filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = kPathRoom;
    dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    dialog.Flags = OFN_EXPLORER | OFN_NOCHANGEDIR | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;
    const bool save = mode == Mode::Save;
    if (!save) dialog.Flags |= OFN_FILEMUSTEXIST;
    const BOOL chosen = save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
    if (!chosen) return false;
    m_fileName = narrow(file.c_str());
    return true;
}

bool WinMessageBox::askOkCancel(const std::string& text, const std::string& title) {
    const std::wstring body = toEditLines(text);
    const int answer = MessageBoxW(GetActiveWindow(), body.c_str(), toWide(title).c_str(),
                                   MB_OKCANCEL | MB_ICONWARNING | MB_DEFBUTTON1);
    return answer == IDOK;
}

int WinScreen::widthTwips() const {
    RECT area{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    return pixelsToTwips(area.right - area.left, systemDpi());
}

int WinScreen::heightTwips() const {
    RECT area{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    return pixelsToTwips(area.bottom - area.top, systemDpi());
}

int systemDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

int windowDpi(void* hwnd) {
    using GetDpiForWindowCall = UINT(WINAPI*)(HWND);
    static const auto call = reinterpret_cast<GetDpiForWindowCall>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    const UINT dpi = call ? call(static_cast<HWND>(hwnd)) : 0;
    return dpi > 0 ? static_cast<int>(dpi) : systemDpi();
}

}  // namespace orvane::win
