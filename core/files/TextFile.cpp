#include "core/files/TextFile.h"

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <functional>
#include <ios>
#include <random>
#include <system_error>
#include <thread>
#include <utility>

#if defined(__unix__) || defined(__APPLE__)
#define ORVANE_POSIX_FILES 1
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/types.h>

#include <fcntl.h>
#include <unistd.h>
#endif

namespace orvane::files {

namespace fs = std::filesystem;

namespace {

std::function<void(AppendStage)>& appendObserver() {
    static std::function<void(AppendStage)> observer;
    return observer;
}

bool isDirectory(const std::string& path) {
    std::error_code error;
    return fs::is_directory(fs::path(path), error);
}

// A short random name for a temporary file, hidden and the same length whatever the target's name
// is, so that it fits beside a target whose own name is near the length limit.
std::string temporaryName() {
    static constexpr char kChars[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    thread_local std::mt19937 random{std::random_device{}()};
    std::string name = ".tmp-";
    for (int i = 0; i < 8; ++i)
        name += kChars[random() % (sizeof kChars - 1)];
    return name;
}

#ifdef ORVANE_POSIX_FILES

bool writeAll(int fd, std::string_view bytes) {
    const char* data = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, left);
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += written;
        left -= static_cast<std::size_t>(written);
    }
    return true;
}

// Makes the rename itself durable. A failure here does not undo the replacement, so it is ignored.
void syncFolder(const fs::path& folder) {
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

// The path a file operation finally lands on: symbolic links are followed to the end of a chain,
// a relative link from the link's own folder. A dangling link gives the path of its missing
// target. Nothing for a loop of links.
std::optional<fs::path> finalTarget(const fs::path& path) {
    fs::path current = path;
    for (int hops = 0; hops < 40; ++hops) {  // the system's own limit for following links
        struct stat info {};
        if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return current;
        std::error_code error;
        const fs::path link = fs::read_symlink(current, error);
        if (error) return std::nullopt;
        current = link.is_absolute() ? link : current.parent_path() / link;
    }
    return std::nullopt;
}

// A new file in the folder, open for writing, or -1 with errno set. O_EXCL never reuses a file
// that happens to carry the name; the mode goes through the umask like any new file's.
int createTemporary(const fs::path& folder, fs::path& temp) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        temp = folder / temporaryName();
        const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

// The last resort where the folder takes no new file: the file itself is cut to nothing and
// written again, as a plain save would. Not atomic, so a failure can leave it cut short.
bool overwriteInPlace(const fs::path& target, std::string_view bytes) {
    const int fd = ::open(target.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return false;
    bool ok = writeAll(fd, bytes) && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    return ok;
}

// The file opened for appending, created when missing, or -1. created tells whether this call
// made the file, so that a failed first append can take it away again.
int openForAppend(const fs::path& target, bool& created) {
    // Read access too, to look at the last byte; a file that may only be written is still
    // appended to.
    constexpr int kFlags = O_RDWR | O_APPEND | O_CLOEXEC | O_NOCTTY;
    for (int attempt = 0; attempt < 10; ++attempt) {
        int fd = ::open(target.c_str(), kFlags);
        if (fd < 0 && errno == EACCES) fd = ::open(target.c_str(), (kFlags & ~O_RDWR) | O_WRONLY);
        if (fd >= 0 || errno != ENOENT) return fd;
        fd = ::open(target.c_str(), kFlags | O_CREAT | O_EXCL, 0666);
        if (fd >= 0) created = true;
        // Another writer may have made it in between: then append to theirs.
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

// Takes the exclusive lock every append holds, waiting while another append holds it. The lock
// is on the open file itself, so every name of the file (a link among them) meets it; it ends
// with the descriptor.
bool lockForAppend(int fd) {
    return takeAppendLock([fd]() -> std::optional<bool> {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) return true;
        if (errno == EWOULDBLOCK || errno == EINTR) return false;
        return std::nullopt;
    });
}

// One try at an append: the lock, the size, the write, the flush and any taking back. Nothing
// when the file found was removed (by an append that made it and failed) before the lock was
// had: the caller opens the path again.
std::optional<bool> appendLocked(const fs::path& target, std::string_view line) {
    bool created = false;
    const int fd = openForAppend(target, created);
    if (fd < 0) return false;
    struct stat before {};
    const bool locked = lockForAppend(fd);
    bool ok = locked && ::fstat(fd, &before) == 0 && S_ISREG(before.st_mode);
    if (ok && before.st_nlink == 0) {
        ::close(fd);
        return std::nullopt;
    }
    // Another append may have had the lock, and added its line, between this call making the
    // file and taking the lock: then the file is no longer this call's to remove.
    created = created && locked && before.st_size == 0;
    if (ok) reportAppendStage(AppendStage::Locked);
    std::string bytes;
    if (ok && before.st_size > 0) {
        // A last line left without its end (by another program, or by hand) gets one first, so
        // the new line never runs on from it.
        char last = '\n';
        if (::pread(fd, &last, 1, before.st_size - 1) == 1 && last != '\n') bytes = "\r\n";
    }
    bytes.append(line);
    // One write, then to the disk; a write that fails part way is taken back, so no part line is
    // ever left for the next one to run on from. With the lock held, the bytes beyond the old
    // size are this write's own.
    const bool writing = ok;
    ok = ok && writeAll(fd, bytes) && ::fsync(fd) == 0;
    if (!ok && writing && !created) {
        while (::ftruncate(fd, before.st_size) != 0 && errno == EINTR) {
        }
        ::fsync(fd);
    }
    // A log that this append brought into being and could not fill is not left behind empty. It
    // goes while the lock is held: a writer that opened it meanwhile finds it removed once it
    // has the lock, and starts over.
    if (!ok && writing && created) ::unlink(target.c_str());
    ok = (::close(fd) == 0) && ok;
    return ok;
}

#endif

}  // namespace

void setAppendObserver(std::function<void(AppendStage)> observer) {
    appendObserver() = std::move(observer);
}

void reportAppendStage(AppendStage stage) {
    if (appendObserver()) appendObserver()(stage);
}

bool takeAppendLock(const std::function<std::optional<bool>()>& tryLock) {
    const std::optional<bool> first = tryLock();
    if (!first || *first) return first.value_or(false);
    reportAppendStage(AppendStage::WaitingForLock);
    // Another append holds the lock for the few milliseconds of its write and flush; it is asked
    // for again at short intervals, so that a stuck holder fails this append instead of hanging it.
    const auto end = std::chrono::steady_clock::now() + kAppendLockWait;
    while (std::chrono::steady_clock::now() < end) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        const std::optional<bool> taken = tryLock();
        if (!taken || *taken) return taken.value_or(false);
    }
    return false;
}

std::optional<std::string> readWholeFile(const std::string& path) {
    if (isDirectory(path)) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in.is_open()) return std::nullopt;
    std::string bytes;
    char buffer[64 * 1024];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        bytes.append(buffer, static_cast<std::size_t>(in.gcount()));
    }
    if (in.bad()) return std::nullopt;
    return bytes;
}

bool ensureFileExists(const std::string& path) {
    if (isDirectory(path)) return false;
    {
        // An existing file only needs to be readable; it may well be write-protected.
        std::ifstream in(path, std::ios::binary);
        if (in.is_open()) return true;
    }
    // Appending creates a missing file and never truncates one that appeared in the meantime.
    std::ofstream out(path, std::ios::binary | std::ios::app);
    return out.is_open();
}

std::optional<std::uintmax_t> fileSize(const std::string& path) {
    std::error_code error;
    const fs::path p(path);
    if (!fs::is_regular_file(p, error)) return std::nullopt;
    const std::uintmax_t size = fs::file_size(p, error);
    if (error) return std::nullopt;
    return size;
}

bool isMissing(const std::string& path) {
    std::error_code error;
    return fs::status(fs::path(path), error).type() == fs::file_type::not_found;
}

#ifdef ORVANE_POSIX_FILES

bool replaceFileAtomically(const std::string& path, std::string_view bytes) {
    if (fs::path(path).filename().empty()) return false;
    const std::optional<fs::path> target = finalTarget(path);
    if (!target) return false;
    struct stat old {};
    const bool exists = ::stat(target->c_str(), &old) == 0;
    // The folder's permission would let a rename replace a write-protected file; the file's own
    // protection is what the user set, so it is honoured.
    if (exists && (S_ISDIR(old.st_mode) || ::access(target->c_str(), W_OK) != 0)) return false;

    fs::path temp;
    const int fd = createTemporary(target->parent_path(), temp);
    if (fd < 0) {
        const bool folderRefuses = errno == EACCES || errno == EPERM;
        return folderRefuses && exists && S_ISREG(old.st_mode) && overwriteInPlace(*target, bytes);
    }
    bool ok = writeAll(fd, bytes);
    if (ok && exists && S_ISREG(old.st_mode)) ok = ::fchmod(fd, old.st_mode & 07777) == 0;
    ok = ok && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    // The rename replaces the target in one step: readers see the old file or the new one, never
    // a partial one.
    ok = ok && ::rename(temp.c_str(), target->c_str()) == 0;
    if (!ok) {
        ::unlink(temp.c_str());
        return false;
    }
    syncFolder(target->parent_path());
    return true;
}

bool appendLine(const std::string& path, std::string_view line) {
    const std::optional<fs::path> target = finalTarget(path);
    if (!target) return false;
    for (int attempt = 0; attempt < 10; ++attempt) {
        if (const std::optional<bool> done = appendLocked(*target, line)) return *done;
    }
    return false;
}

bool canAppendTo(const std::string& path) {
    const std::optional<fs::path> target = finalTarget(path);
    if (!target || target->filename().empty()) return false;
    struct stat info {};
    if (::stat(target->c_str(), &info) == 0)
        return S_ISREG(info.st_mode) && ::access(target->c_str(), W_OK) == 0;
    if (errno != ENOENT) return false;
    // A new file needs a folder that exists and takes new files.
    const fs::path folder = target->parent_path().empty() ? fs::path(".") : target->parent_path();
    return ::stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) &&
           ::access(folder.c_str(), W_OK | X_OK) == 0;
}

#else

// Without POSIX calls: the same temporary file and rename, but links and write protection are left
// to the system.
bool replaceFileAtomically(const std::string& path, std::string_view bytes) {
    const fs::path target(path);
    if (target.filename().empty() || isDirectory(path)) return false;
    const fs::path temp = target.parent_path() / temporaryName();
    if (fs::exists(temp)) return false;
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    std::error_code error;
    if (!out.fail()) fs::rename(temp, target, error);
    if (!out.fail() && !error) return true;
    fs::remove(temp, error);
    return false;
}

bool appendLine(const std::string& path, std::string_view line) {
    if (isDirectory(path)) return false;
    std::error_code error;
    const bool existed = !isMissing(path);
    const std::uintmax_t size = existed ? fs::file_size(fs::path(path), error) : 0;
    if (error) return false;
    std::string bytes;
    if (size > 0) {
        std::ifstream in(path, std::ios::binary);
        in.seekg(static_cast<std::streamoff>(size - 1));
        char last = '\n';
        if (!in.get(last)) return false;
        if (last != '\n') bytes = "\r\n";
    }
    bytes.append(line);
    std::ofstream out(path, std::ios::binary | std::ios::app);
    if (!out.is_open()) return false;
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out.fail()) return true;
    if (existed)
        fs::resize_file(fs::path(path), size, error);
    else
        fs::remove(fs::path(path), error);
    return false;
}

bool canAppendTo(const std::string& path) {
    const fs::path target(path);
    std::error_code error;
    if (target.filename().empty()) return false;
    const fs::file_status status = fs::status(target, error);
    if (status.type() == fs::file_type::regular)
        return (status.permissions() & fs::perms::owner_write) != fs::perms::none;
    if (status.type() != fs::file_type::not_found) return false;
    const fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
    return fs::is_directory(folder, error);
}

#endif

std::string joinPath(std::string_view folder, std::string_view name) {
    std::string path;
    path.reserve(folder.size() + 1 + name.size());
    path.append(folder);
    path.push_back('/');
    path.append(name);
    return path;
}

}  // namespace orvane::files
