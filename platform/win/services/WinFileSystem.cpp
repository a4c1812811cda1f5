#include "platform/win/services/WinFileSystem.h"

#include "core/files/TextFile.h"
#include "platform/win/services/TextConvert.h"

#include <iterator>
#include <optional>
#include <random>
#include <utility>
#include <windows.h>

namespace orvane::win {

namespace {

// An open file, closed with the object.
class File {
public:
    explicit File(HANDLE handle) : m_handle(handle) {}
    ~File() { close(); }
    File(File&& other) noexcept : m_handle(std::exchange(other.m_handle, INVALID_HANDLE_VALUE)) {}
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    // Open, and a file on the disk rather than a device such as "COM1" or "NUL".
    bool isDiskFile() const {
        return m_handle != INVALID_HANDLE_VALUE && GetFileType(m_handle) == FILE_TYPE_DISK;
    }
    HANDLE get() const { return m_handle; }
    void close() {
        if (m_handle != INVALID_HANDLE_VALUE) CloseHandle(m_handle);
        m_handle = INVALID_HANDLE_VALUE;
    }

private:
    HANDLE m_handle;
};

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

File open(const std::wstring& path, DWORD access, DWORD share, DWORD disposition) {
    return File(
        CreateFileW(path.c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr));
}

bool isReadOnly(DWORD attributes) {
    return (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

bool isFolder(DWORD attributes) {
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// The folder part of a path with its separator (C:\log\ of C:\log\a.txt); "" for a bare name,
// which lies in the current folder.
std::wstring folderOf(const std::wstring& path) {
    const auto slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

bool namesAFile(const std::wstring& path) {
    return !path.empty() && path.back() != L'\\' && path.back() != L'/';
}

bool writeWhole(HANDLE file, std::string_view bytes, OVERLAPPED* at = nullptr) {
    if (bytes.size() > MAXDWORD) return false;
    const auto size = static_cast<DWORD>(bytes.size());
    DWORD written = 0;
    return WriteFile(file, bytes.data(), size, &written, at) && written == size;
}

// A short random name for a temporary file in the folder.
std::wstring temporaryName(const std::wstring& folder) {
    static constexpr wchar_t kChars[] = L"abcdefghijklmnopqrstuvwxyz0123456789";
    thread_local std::mt19937 random{std::random_device{}()};
    std::wstring name = folder + L".tmp-";
    for (int i = 0; i < 8; ++i)
        name += kChars[random() % (std::size(kChars) - 1)];
    return name;
}

// A new, empty file with a short random name in the folder, open for writing; its name in `temp`.
File createTemporary(const std::wstring& folder, std::wstring& temp) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        temp = temporaryName(folder);
        // CREATE_NEW never takes over a file that happens to carry the name.
        File file = open(temp, GENERIC_WRITE, 0, CREATE_NEW);
        if (file.get() != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) return file;
    }
    return File(INVALID_HANDLE_VALUE);
}

// Takes the exclusive lock every append holds, on the whole file, waiting while another append
// holds it. Windows' locks bind every program: meanwhile no other reads or writes the file.
bool lockWholeFile(HANDLE file) {
    return files::takeAppendLock([file]() -> std::optional<bool> {
        OVERLAPPED whole{};
        if (LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, MAXDWORD, MAXDWORD,
                       &whole))
            return true;
        if (GetLastError() == ERROR_LOCK_VIOLATION) return false;
        return std::nullopt;
    });
}

// Whether the open file is still the one the path names. An append that made the file and could
// not fill it removes it again; one that waited for its lock meanwhile holds a file on its way out.
bool stillAtPath(HANDLE file, const std::wstring& path) {
    const File named = open(path, 0, kShareAll, OPEN_EXISTING);  // a file being removed opens no more
    BY_HANDLE_FILE_INFORMATION mine;
    BY_HANDLE_FILE_INFORMATION there;
    return named.get() != INVALID_HANDLE_VALUE && GetFileInformationByHandle(file, &mine) &&
           GetFileInformationByHandle(named.get(), &there) &&
           mine.dwVolumeSerialNumber == there.dwVolumeSerialNumber &&
           mine.nFileIndexHigh == there.nFileIndexHigh && mine.nFileIndexLow == there.nFileIndexLow;
}

// One try at an append, under the lock from the size check through the write, the flush and any
// taking back. Nothing when the file found was removed before the lock was had: the caller opens
// the path again.
std::optional<bool> appendLocked(const std::wstring& path, const std::string& line) {
    // Other programs may open the log too: to read it, to append to it, or (an append that made
    // it and failed) to remove it.
    File file = open(path, GENERIC_READ | GENERIC_WRITE, kShareAll, OPEN_ALWAYS);
    bool created = GetLastError() != ERROR_ALREADY_EXISTS;  // what OPEN_ALWAYS found
    if (!file.isDiskFile()) return false;
    if (!lockWholeFile(file.get())) return false;
    if (!stillAtPath(file.get(), path)) return std::nullopt;
    files::reportAppendStage(files::AppendStage::Locked);
    BY_HANDLE_FILE_INFORMATION info;
    LARGE_INTEGER before{};
    bool ok = GetFileInformationByHandle(file.get(), &info) && !isReadOnly(info.dwFileAttributes) &&
              GetFileSizeEx(file.get(), &before);
    // Another append may have had the lock, and added its line, between this call making the
    // file and taking the lock: then the file is no longer this call's to remove.
    created = created && ok && before.QuadPart == 0;
    std::string bytes;
    if (ok && before.QuadPart > 0) {
        // A last line left without its end (by another program, or by hand) gets one first, so
        // the new line never runs on from it.
        OVERLAPPED at{};
        const auto last = static_cast<ULONGLONG>(before.QuadPart - 1);
        at.Offset = static_cast<DWORD>(last);
        at.OffsetHigh = static_cast<DWORD>(last >> 32);
        char lastByte = '\n';
        DWORD got = 0;
        ok = ReadFile(file.get(), &lastByte, 1, &got, &at) && got == 1;
        if (lastByte != '\n') bytes = "\r\n";
    }
    bytes += line;
    const bool writing = ok;
    if (writing) {
        // One write at the end of the file.
        OVERLAPPED atEnd{};
        atEnd.Offset = 0xFFFFFFFF;
        atEnd.OffsetHigh = 0xFFFFFFFF;
        ok = writeWhole(file.get(), bytes, &atEnd) && FlushFileBuffers(file.get());
    }
    // With the lock held, the bytes beyond the old size are this write's own: a part line is taken
    // back, so that the next line never runs on from it.
    if (!ok && writing && !created) {
        if (SetFilePointerEx(file.get(), before, nullptr, FILE_BEGIN) && SetEndOfFile(file.get()))
            FlushFileBuffers(file.get());
    }
    // A log that this call brought into being and could not fill is not left behind empty. Its
    // name is given up while the lock is held (it is moved aside, then removed), so a writer that
    // opened it meanwhile finds it gone once it has the lock, and starts over.
    const bool removing = !ok && writing && created;
    const std::wstring aside = temporaryName(folderOf(path));
    const bool movedAside = removing && MoveFileExW(path.c_str(), aside.c_str(), 0);
    file.close();
    if (removing) DeleteFileW(movedAside ? aside.c_str() : path.c_str());
    return ok;
}

}  // namespace

std::optional<std::string> WinFileSystem::read(const std::string& path) {
    const auto wide = widen(path);
    if (!wide) return std::nullopt;
    const File file = open(*wide, GENERIC_READ, kShareAll, OPEN_EXISTING);
    if (!file.isDiskFile()) return std::nullopt;
    std::string bytes;
    char buffer[64 * 1024];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr)) return std::nullopt;
        if (got == 0) break;
        bytes.append(buffer, got);
    }
    return ansiToUtf8(bytes);
}

bool WinFileSystem::ensureExists(const std::string& path) {
    const auto wide = widen(path);
    if (!wide) return false;
    // An existing file only needs to be readable; it may well be write-protected.
    if (open(*wide, GENERIC_READ, kShareAll, OPEN_EXISTING).isDiskFile()) return true;
    // OPEN_ALWAYS creates a missing file and never truncates one that appeared in the meantime.
    return open(*wide, FILE_APPEND_DATA, kShareAll, OPEN_ALWAYS).isDiskFile();
}

std::optional<std::uintmax_t> WinFileSystem::contentSize(const std::string& path) {
    const auto wide = widen(path);
    if (!wide) return std::nullopt;
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(wide->c_str(), GetFileExInfoStandard, &data)) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return 0;
        return std::nullopt;
    }
    if (isFolder(data.dwFileAttributes)) return std::nullopt;
    return (static_cast<std::uintmax_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

bool WinFileSystem::replace(const std::string& path, std::string_view bytes) {
    const auto wide = widen(path);
    if (!wide || !namesAFile(*wide)) return false;
    const DWORD attributes = GetFileAttributesW(wide->c_str());
    // The user's write protection is honoured, not renamed over.
    if (attributes != INVALID_FILE_ATTRIBUTES && (isFolder(attributes) || isReadOnly(attributes)))
        return false;

    std::wstring temp;
    File file = createTemporary(folderOf(*wide), temp);
    if (file.get() == INVALID_HANDLE_VALUE) return false;
    bool ok = writeWhole(file.get(), utf8ToAnsi(bytes)) && FlushFileBuffers(file.get());
    file.close();
    // One step: readers see the old file or the new one. WRITE_THROUGH returns once it is on the
    // disk.
    ok = ok && MoveFileExW(temp.c_str(), wide->c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!ok) DeleteFileW(temp.c_str());
    return ok;
}

bool WinFileSystem::appendLine(const std::string& path, std::string_view line) {
    const auto wide = widen(path);
    if (!wide || !namesAFile(*wide)) return false;
    for (int attempt = 0; attempt < 10; ++attempt) {
        if (const std::optional<bool> done = appendLocked(*wide, utf8ToAnsi(line))) return *done;
    }
    return false;
}

bool WinFileSystem::canAppend(const std::string& path) {
    const auto wide = widen(path);
    if (!wide || !namesAFile(*wide)) return false;
    const DWORD attributes = GetFileAttributesW(wide->c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        if (isFolder(attributes) || isReadOnly(attributes)) return false;
        // Opening an existing file creates nothing, and tells of a lock or a denied write.
        return open(*wide, FILE_APPEND_DATA, kShareAll, OPEN_EXISTING).isDiskFile();
    }
    if (GetLastError() != ERROR_FILE_NOT_FOUND) return false;  // a missing folder among them
    const std::wstring folder = folderOf(*wide);
    return folder.empty() || isFolder(GetFileAttributesW(folder.c_str()));
}

}  // namespace orvane::win
