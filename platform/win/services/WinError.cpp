#include "platform/win/services/WinError.h"

#include <windows.h>

namespace orvane::win {

std::string systemErrorText(unsigned long code) {
    char* buffer = nullptr;
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        code, 0, reinterpret_cast<LPSTR>(&buffer), 0, nullptr);
    std::string text = length > 0 && buffer ? std::string(buffer, length) : std::string();
    if (buffer) LocalFree(buffer);
    while (!text.empty() &&
           (text.back() == '\n' || text.back() == '\r' || text.back() == ' ' || text.back() == '.'))
        text.pop_back();
    return text.empty() ? "Windows error " + std::to_string(code) : text;
}

std::string openErrorText(unsigned long code) {
    switch (code) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
            return "No such device.";
        // Windows opens a serial port for one program at a time; a second open is refused so.
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
            return "The port is in use by another program.";
        default:
            return systemErrorText(code) + ".";
    }
}

}  // namespace orvane::win
