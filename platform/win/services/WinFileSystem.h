#pragma once

#include "core/platform/IFileSystem.h"

namespace orvane::win {

// The files on the disk through Windows' own calls, with the promises of core/files/TextFile.h.
// Paths are UTF-8 and reach the system as UTF-16 (a path that is not UTF-8 names no file). The
// contents are the programs' UTF-8 text and lie on the disk in the system's ANSI code page, as
// these programs have always written their files on Windows: read converts to UTF-8; replace and
// appendLine convert from it, a character the code page cannot hold written as "?" (see
// utf8ToAnsi). Devices ("COM1", "NUL") are no files here.
//
// Where it differs from the POSIX files: a file with the read-only attribute is refused for
// replace, appendLine and canAppend (checked by the attribute itself: Wine running as root would
// otherwise write it); replace never falls back to overwriting the file in place, so a folder that
// takes no new file makes it fail, the old file untouched.
class WinFileSystem final : public IFileSystem {
public:
    std::optional<std::string> read(const std::string& path) override;
    bool ensureExists(const std::string& path) override;
    std::optional<std::uintmax_t> contentSize(const std::string& path) override;
    // The bytes go to a new file in the target's folder, flushed to the disk, which then replaces
    // the target in one step (MoveFileExW): readers see the old file or the new one.
    bool replace(const std::string& path, std::string_view bytes) override;
    // The line goes out in one write at the end of the file and is flushed to the disk; a write
    // that fails part way is cut off again, a file this call created is removed. Throughout, the
    // append holds a lock on the whole file (LockFileEx), waiting for another append's to end.
    bool appendLine(const std::string& path, std::string_view line) override;
    bool canAppend(const std::string& path) override;
};

}  // namespace orvane::win
