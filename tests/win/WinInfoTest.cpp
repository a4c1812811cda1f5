// The clock's texts and what the program knows of itself on Windows.
#include "platform/win/services/WinAppInfo.h"
#include "platform/win/services/WinClock.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>
#include <windows.h>

namespace orvane::win {
namespace {

std::wstring tempFolder() {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    return std::wstring(temp) + L"orvane-info-" + std::to_wstring(std::random_device{}());
}

std::string utf8(const std::wstring& text) {
    std::string out;
    for (wchar_t c : text)
        out += static_cast<char>(c);  // the test's folders are ASCII
    return out;
}

TEST(WinClock, DateAndTimeAreTheUsersShortFormatsWithoutAZone) {
    const WinClock clock;
    SYSTEMTIME now;
    GetLocalTime(&now);
    const std::string date = clock.shortDate();
    const std::string time = clock.timeOfDay();
    // Every short date format shows the year, at least its last two digits.
    EXPECT_NE(date.find(std::to_string(now.wYear % 100)), std::string::npos) << date;
    ASSERT_FALSE(time.empty());
    for (const char* zone : {"UTC", "GMT", "+0", "-0"})
        EXPECT_EQ(time.find(zone), std::string::npos) << time;
}

TEST(WinAppInfo, ProgramFolderIsTheExecutablesWhenItTakesFilesAndIsNotInstalledElseThePerUserOne) {
    const std::wstring root = tempFolder();
    ASSERT_TRUE(CreateDirectoryW(root.c_str(), nullptr));
    const std::wstring writable = root + L"\\portable";
    CreateDirectoryW(writable.c_str(), nullptr);
    // Writable, as Program Files is under Wine, but with the installer's mark.
    const std::wstring installed = root + L"\\installed";
    CreateDirectoryW(installed.c_str(), nullptr);
    const std::wstring mark = installed + L"\\installed";
    CloseHandle(CreateFileW(mark.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
    const std::wstring missing = root + L"\\gone";  // no file can be created in it
    const std::wstring local = root + L"\\Local";
    CreateDirectoryW(local.c_str(), nullptr);
    struct Case {
        std::wstring exeFolder;
        std::wstring localAppData;
        std::wstring chosen;
    };
    const std::vector<Case> cases = {
        {writable + L"\\", local, writable},
        {missing, local, local + L"\\orvane\\Quorvex"},
        {installed, local, local + L"\\orvane\\Quorvex"},
        {installed, root + L"\\no\\such", installed},
        {missing, root + L"\\no\\such", missing},  // the per-user folder cannot be made either
        {missing, L"", missing},
    };
    for (const Case& c : cases)
        EXPECT_EQ(chooseProgramFolder(c.exeFolder, L"Quorvex", c.localAppData), utf8(c.chosen))
            << utf8(c.exeFolder);
    EXPECT_NE(GetFileAttributesW((local + L"\\orvane\\Quorvex").c_str()), INVALID_FILE_ATTRIBUTES);
    // No probe file is left in the portable folder.
    EXPECT_TRUE(RemoveDirectoryW(writable.c_str()));
    DeleteFileW(mark.c_str());
    RemoveDirectoryW(installed.c_str());
    RemoveDirectoryW((local + L"\\orvane\\Quorvex").c_str());
    RemoveDirectoryW((local + L"\\orvane").c_str());
    RemoveDirectoryW(local.c_str());
    RemoveDirectoryW(root.c_str());
}

TEST(WinAppInfo, NamesTheExecutableAndItsFolder) {
    const WinAppInfo info(1, 5, 2);
    EXPECT_EQ(info.exeBaseName(), "win_tests");
    // The build folder takes files, so it is the program folder.
    wchar_t exe[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, exe, MAX_PATH);
    const std::wstring path(exe, length);
    EXPECT_EQ(info.programFolder(), utf8(path.substr(0, path.find_last_of(L'\\'))));
}

}  // namespace
}  // namespace orvane::win
