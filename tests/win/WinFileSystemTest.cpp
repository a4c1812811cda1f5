// The files on Windows: UTF-8 paths as UTF-16 names, contents in the ANSI code page on the disk,
// all-or-nothing replace and append, and the read-only attribute. scripts/wine-tests runs Wine with
// code page 1252; the byte checks skip under any other.
#include "core/files/TextFile.h"
#include "platform/win/services/WinFileSystem.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <string>
#include <vector>
#include <windows.h>

namespace orvane::win {
namespace {

// A fresh folder under the temporary folder, removed with its files afterwards. Files are looked
// at by their UTF-16 names and raw bytes, past the file system under test.
class WinFileSystemTest : public testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        m_folder = std::wstring(temp) + L"orvane-files-" + std::to_wstring(std::random_device{}());
        ASSERT_TRUE(CreateDirectoryW(m_folder.c_str(), nullptr));
    }
    void TearDown() override {
        for (const std::wstring& name : names()) {
            SetFileAttributesW(wide(name).c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileW(wide(name).c_str());
            RemoveDirectoryW(wide(name).c_str());
        }
        RemoveDirectoryW(m_folder.c_str());
    }

    std::wstring wide(const std::wstring& name) const { return m_folder + L"\\" + name; }
    // The same path as the programs give it: UTF-8.
    std::string path(const std::wstring& name) const {
        const std::wstring full = wide(name);
        const int size = WideCharToMultiByte(CP_UTF8, 0, full.c_str(), -1, nullptr, 0, nullptr, nullptr);
        std::string utf8(static_cast<std::size_t>(size), '\0');
        WideCharToMultiByte(CP_UTF8, 0, full.c_str(), -1, utf8.data(), size, nullptr, nullptr);
        utf8.pop_back();
        return utf8;
    }
    std::string rawBytes(const std::wstring& name) const {
        const HANDLE file = CreateFileW(wide(name).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                        OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE) return "(missing)";
        char buffer[4096];
        DWORD got = 0;
        ReadFile(file, buffer, sizeof buffer, &got, nullptr);
        CloseHandle(file);
        return std::string(buffer, got);
    }
    void writeRaw(const std::wstring& name, const std::string& bytes) const {
        const HANDLE file =
            CreateFileW(wide(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        CloseHandle(file);
    }
    // What the folder holds, by name: a temporary file left behind shows here.
    std::vector<std::wstring> names() const {
        std::vector<std::wstring> found;
        WIN32_FIND_DATAW data;
        const HANDLE find = FindFirstFileW((m_folder + L"\\*").c_str(), &data);
        if (find == INVALID_HANDLE_VALUE) return found;
        do {
            const std::wstring name = data.cFileName;
            if (name != L"." && name != L"..") found.push_back(name);
        } while (FindNextFileW(find, &data));
        FindClose(find);
        std::sort(found.begin(), found.end());
        return found;
    }
    static bool ansi1252() { return GetACP() == 1252; }

    WinFileSystem m_files;
    std::wstring m_folder;
};

TEST_F(WinFileSystemTest, NonAsciiNameAndTextTravelAsUtf8AndLieInTheCodePage) {
    if (!ansi1252()) GTEST_SKIP() << "the expected bytes are code page 1252's";
    const std::wstring name = L"Kan\u00e4le \u00b5-\u20ac.frq";
    ASSERT_TRUE(m_files.replace(path(name), "Frequenz f\xc3\xbcr Kanal \xc3\xa4: 868,3\r\n"));
    ASSERT_TRUE(m_files.appendLine(path(name),
                                   "Gr\xc3\xb6\xc3\x9f"
                                   "e \xe2\x82\xac\r\n"));
    EXPECT_EQ(names(), std::vector<std::wstring>{name});
    const std::string onDisk =
        "Frequenz f\xfcr Kanal \xe4: 868,3\r\nGr\xf6\xdf"
        "e \x80\r\n";
    EXPECT_EQ(rawBytes(name), onDisk);
    EXPECT_EQ(m_files.contentSize(path(name)), onDisk.size());
    EXPECT_EQ(m_files.read(path(name)),
              "Frequenz f\xc3\xbcr Kanal \xc3\xa4: 868,3\r\nGr\xc3\xb6\xc3\x9f"
              "e \xe2\x82\xac\r\n");
}

TEST_F(WinFileSystemTest, CharactersTheCodePageLacksBecomeQuestionMarks) {
    if (!ansi1252()) GTEST_SKIP() << "the expected bytes are code page 1252's";
    // Omega has no place in 1252; a-macron would "best fit" to a plain a; a byte that is not UTF-8.
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"\xce\xa9", "?"}, {"\xc4\x81", "?"}, {"x\xffy", "x?y"}, {"\xc2\xb5", "\xb5"}};
    for (const auto& [text, expected] : cases) {
        ASSERT_TRUE(m_files.replace(path(L"t.frq"), text));
        EXPECT_EQ(rawBytes(L"t.frq"), expected) << text;
    }
}

TEST_F(WinFileSystemTest, AFailedReplaceLeavesTheOldFileAndNoTemporary) {
    writeRaw(L"table.frq", "old\r\n");
    // Held open without sharing, the file cannot be replaced until it is closed.
    const HANDLE held =
        CreateFileW(wide(L"table.frq").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(m_files.replace(path(L"table.frq"), "new\r\n"));
    CloseHandle(held);
    EXPECT_EQ(rawBytes(L"table.frq"), "old\r\n");
    EXPECT_EQ(names(), std::vector<std::wstring>{L"table.frq"});
    EXPECT_TRUE(m_files.replace(path(L"table.frq"), "new\r\n"));
    EXPECT_EQ(rawBytes(L"table.frq"), "new\r\n");
    EXPECT_EQ(names(), std::vector<std::wstring>{L"table.frq"});
}

TEST_F(WinFileSystemTest, AReadOnlyFileIsRefusedAndLeftAlone) {
    const std::vector<std::pair<const char*, std::function<bool(const std::string&)>>> writes = {
        {"replace", [&](const std::string& p) { return m_files.replace(p, "new\r\n"); }},
        {"appendLine", [&](const std::string& p) { return m_files.appendLine(p, "new\r\n"); }},
        {"canAppend", [&](const std::string& p) { return m_files.canAppend(p); }},
    };
    writeRaw(L"log.txt", "old\r\n");
    ASSERT_TRUE(SetFileAttributesW(wide(L"log.txt").c_str(), FILE_ATTRIBUTE_READONLY));
    for (const auto& [what, write] : writes) {
        EXPECT_FALSE(write(path(L"log.txt"))) << what;
        EXPECT_EQ(rawBytes(L"log.txt"), "old\r\n") << what;
        EXPECT_EQ(names(), std::vector<std::wstring>{L"log.txt"}) << what;
    }
    EXPECT_EQ(m_files.read(path(L"log.txt")), "old\r\n");  // still read
}

TEST_F(WinFileSystemTest, AppendEndsAnUnfinishedLastLineAndCreatesAMissingFile) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"a", "a\r\nb\r\n"}, {"a\r\n", "a\r\nb\r\n"}, {"", "b\r\n"}};
    for (const auto& [before, after] : cases) {
        writeRaw(L"log.txt", before);
        EXPECT_TRUE(m_files.appendLine(path(L"log.txt"), "b\r\n"));
        EXPECT_EQ(rawBytes(L"log.txt"), after) << before;
    }
    EXPECT_TRUE(m_files.appendLine(path(L"new.txt"), "b\r\n"));
    EXPECT_EQ(rawBytes(L"new.txt"), "b\r\n");
    EXPECT_FALSE(m_files.appendLine(path(L"no folder\\new.txt"), "b\r\n"));
}

// Another writer holds the file locked in the middle of its own append (a part line written) and
// fails: it takes its part back, or removes the file it made, and lets go once the append has met
// its lock. The append then holds a lock of its own through its write, and its line is all the
// other left.
TEST_F(WinFileSystemTest, AnAppendWaitsForAnothersLockAndHoldsItsOwn) {
    for (const bool othersFile : {false, true}) {
        SCOPED_TRACE(othersFile ? "a file the other made" : "an existing file");
        const std::wstring name = othersFile ? L"new.log" : L"old.log";
        const std::string old = othersFile ? "" : "old\r\n";
        if (!othersFile) writeRaw(name, old);
        const HANDLE other = CreateFileW(wide(name).c_str(), GENERIC_READ | GENERIC_WRITE | DELETE,
                                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                         OPEN_ALWAYS, 0, nullptr);
        ASSERT_NE(other, INVALID_HANDLE_VALUE);
        OVERLAPPED whole{};
        ASSERT_TRUE(LockFileEx(other, LOCKFILE_EXCLUSIVE_LOCK, 0, MAXDWORD, MAXDWORD, &whole));
        DWORD written = 0;
        SetFilePointer(other, 0, nullptr, FILE_END);
        ASSERT_TRUE(WriteFile(other, "part", 4, &written, nullptr));

        std::vector<std::string> seen;
        bool lockedOut = false;
        files::setAppendObserver([&](files::AppendStage stage) {
            if (stage == files::AppendStage::WaitingForLock) {
                seen.push_back("waiting");
                LARGE_INTEGER size{};
                size.QuadPart = static_cast<LONGLONG>(old.size());
                SetFilePointerEx(other, size, nullptr, FILE_BEGIN);
                SetEndOfFile(other);
                // A file it made goes as an append's does: its name given up under the lock.
                if (othersFile) MoveFileExW(wide(name).c_str(), wide(L"aside").c_str(), 0);
                CloseHandle(other);  // its lock ends with it
                if (othersFile) DeleteFileW(wide(L"aside").c_str());
                return;
            }
            seen.push_back("locked");
            const HANDLE probe =
                CreateFileW(wide(name).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
            OVERLAPPED at{};
            lockedOut = !LockFileEx(probe, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, MAXDWORD,
                                    MAXDWORD, &at);
            CloseHandle(probe);
        });
        EXPECT_TRUE(m_files.appendLine(path(name), "line\r\n"));
        files::setAppendObserver({});
        EXPECT_EQ(seen, (std::vector<std::string>{"waiting", "locked"}));
        EXPECT_TRUE(lockedOut) << "another could lock the file during the append";
        EXPECT_EQ(rawBytes(name), old + "line\r\n");
    }
}

TEST_F(WinFileSystemTest, CanAppendCreatesNothingAndNeedsAFolder) {
    writeRaw(L"log.txt", "old\r\n");
    CreateDirectoryW(wide(L"folder").c_str(), nullptr);
    const std::vector<std::pair<std::wstring, bool>> cases = {
        {L"log.txt", true}, {L"missing.txt", true}, {L"no folder\\missing.txt", false}, {L"folder", false}};
    for (const auto& [name, expected] : cases)
        EXPECT_EQ(m_files.canAppend(path(name)), expected) << testing::PrintToString(name);
    EXPECT_EQ(names(), (std::vector<std::wstring>{L"folder", L"log.txt"}));
}

TEST_F(WinFileSystemTest, SizeAndExistenceOfMissingFilesAndFolders) {
    CreateDirectoryW(wide(L"folder").c_str(), nullptr);
    EXPECT_EQ(m_files.contentSize(path(L"missing.txt")), 0u);
    EXPECT_EQ(m_files.contentSize(path(L"folder")), std::nullopt);
    EXPECT_EQ(m_files.read(path(L"missing.txt")), std::nullopt);
    EXPECT_FALSE(m_files.ensureExists(path(L"folder")));
    EXPECT_TRUE(m_files.ensureExists(path(L"missing.txt")));
    EXPECT_EQ(m_files.read(path(L"missing.txt")), "");
    writeRaw(L"kept.txt", "kept");
    EXPECT_TRUE(m_files.ensureExists(path(L"kept.txt")));
    EXPECT_EQ(rawBytes(L"kept.txt"), "kept");
}

}  // namespace
}  // namespace orvane::win
