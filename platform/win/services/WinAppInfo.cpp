#include "platform/win/services/WinAppInfo.h"

#include "platform/win/services/TextConvert.h"

#include <windows.h>

namespace orvane::win {

namespace {

std::wstring withoutTrailingSeparator(std::wstring folder) {
    while (!folder.empty() && (folder.back() == L'\\' || folder.back() == L'/'))
        folder.pop_back();
    return folder;
}

// Whether a file can be created in the folder: one is, and is gone again when closed. (A 64-bit
// program is never redirected to the VirtualStore, so a protected folder really refuses.)
bool canCreateFileIn(const std::wstring& folder) {
    const std::wstring probe =
        folder + L"\\.orvane-write-test-" + std::to_wstring(GetCurrentProcessId()) + L".tmp";
    const HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
}

// The installer leaves this file beside the programs: installed, they keep their files per user
// even where the folder would take them (an administrator's own account, Wine).
bool isInstalledIn(const std::wstring& folder) {
    const DWORD attributes = GetFileAttributesW((folder + L"\\installed").c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool makeFolder(const std::wstring& folder) {
    return CreateDirectoryW(folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

// The executable's full path; long paths too.
std::wstring exePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);  // cut short: try again with more room
    }
}

std::wstring environment(const wchar_t* name) {
    const DWORD size = GetEnvironmentVariableW(name, nullptr, 0);
    if (size == 0) return {};
    std::wstring value(size, L'\0');
    const DWORD length = GetEnvironmentVariableW(name, value.data(), size);
    value.resize(length < size ? length : 0);
    return value;
}

char userDecimalSeparator() {
    wchar_t text[8] = {};
    if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, text, 8) == 2 && text[0] > 0 &&
        text[0] < 0x80)
        return static_cast<char>(text[0]);
    return '.';
}

}  // namespace

std::string chooseProgramFolder(const std::wstring& exeFolder, const std::wstring& baseName,
                                const std::wstring& localAppData) {
    const std::wstring own = withoutTrailingSeparator(exeFolder);
    if (!isInstalledIn(own) && canCreateFileIn(own)) return narrow(own);
    const std::wstring base = withoutTrailingSeparator(localAppData);
    if (base.empty()) return narrow(own);
    const std::wstring orvane = base + L"\\orvane";
    const std::wstring user = orvane + L"\\" + baseName;
    if (!makeFolder(orvane) || !makeFolder(user)) return narrow(own);
    return narrow(user);
}

WinAppInfo::WinAppInfo(int major, int minor, int revision)
    : m_major(major), m_minor(minor), m_revision(revision), m_separator(userDecimalSeparator()) {
    const std::wstring path = exePath();
    const auto slash = path.find_last_of(L"\\/");
    const std::wstring folder = slash == std::wstring::npos ? L"." : path.substr(0, slash);
    std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
    if (const auto dot = name.find_last_of(L'.'); dot != std::wstring::npos && dot > 0) name.resize(dot);
    m_baseName = narrow(name);
    m_folder = chooseProgramFolder(folder, name, environment(L"LOCALAPPDATA"));
}

}  // namespace orvane::win
