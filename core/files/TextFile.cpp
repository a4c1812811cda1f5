#include "core/files/TextFile.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <ios>
#include <random>
#include <system_error>

#if defined(__unix__) || defined(__APPLE__)
#define ORVANE_POSIX_FILES 1
#include <sys/stat.h>
#include <sys/types.h>

#include <fcntl.h>
#include <unistd.h>
#endif

namespace orvane::files {

namespace fs = std::filesystem;

namespace {

bool isDirectory(const std::string& path) {
    std::error_code error;
    return fs::is_directory(fs::path(path), error);
}

// A name for the temporary file beside the target: hidden, derived from the target's name, and
// made unique by the process id, a per-process counter and a random number, so concurrent writers
// never share one.
fs::path temporaryPathFor(const fs::path& target) {
    static std::atomic<unsigned long> counter{0};
    static const unsigned long long seed = std::random_device{}();
    std::string name = "." + target.filename().string() + ".tmp-";
#ifdef ORVANE_POSIX_FILES
    name += std::to_string(static_cast<long long>(::getpid())) + "-";
#endif
    name += std::to_string(seed) + "-" + std::to_string(counter.fetch_add(1));
    return target.parent_path() / name;
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
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

bool writeTemporary(const fs::path& temp, const fs::path& target, std::string_view bytes) {
    // O_EXCL: never reuse a file that happens to carry the name. The mode goes through the umask
    // like any new file's; an existing target's permission bits are copied over below.
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) return false;
    bool ok = writeAll(fd, bytes);
    struct stat targetStat {};
    if (ok && ::stat(target.c_str(), &targetStat) == 0 && S_ISREG(targetStat.st_mode)) {
        ok = ::fchmod(fd, targetStat.st_mode & 07777) == 0;
    }
    ok = ok && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    return ok;
}

#else

bool writeTemporary(const fs::path& temp, const fs::path& /*target*/, std::string_view bytes) {
    if (fs::exists(temp)) return false;
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out.is_open()) return false;
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    out.close();
    return !out.fail();
}

#endif

}  // namespace

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

bool replaceFileAtomically(const std::string& path, std::string_view bytes) {
    const fs::path target(path);
    if (target.filename().empty()) return false;
    const fs::path temp = temporaryPathFor(target);
    if (!writeTemporary(temp, target, bytes)) {
        std::error_code ignored;
        fs::remove(temp, ignored);
        return false;
    }
    // The rename replaces the target in one step: readers see the old file or the new one, never
    // a partial one. It fails on a target that is a folder, which leaves that folder untouched.
    std::error_code error;
    fs::rename(temp, target, error);
    if (error) {
        std::error_code ignored;
        fs::remove(temp, ignored);
        return false;
    }
#ifdef ORVANE_POSIX_FILES
    syncFolder(target.parent_path());
#endif
    return true;
}

bool appendToFile(const std::string& path, std::string_view bytes) {
    if (isDirectory(path)) return false;
    std::ofstream out(path, std::ios::binary | std::ios::app);
    if (!out.is_open()) return false;
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    out.close();
    return !out.fail();
}

std::string joinPath(std::string_view folder, std::string_view name) {
    std::string path;
    path.reserve(folder.size() + 1 + name.size());
    path.append(folder);
    path.push_back('/');
    path.append(name);
    return path;
}

}  // namespace orvane::files
