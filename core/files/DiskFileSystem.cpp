#include "core/files/DiskFileSystem.h"

#include "core/files/TextFile.h"

namespace orvane::files {

std::optional<std::string> DiskFileSystem::read(const std::string& path) {
    return readWholeFile(path);
}

bool DiskFileSystem::ensureExists(const std::string& path) {
    return ensureFileExists(path);
}

std::optional<std::uintmax_t> DiskFileSystem::contentSize(const std::string& path) {
    if (isMissing(path)) return 0;
    return fileSize(path);
}

bool DiskFileSystem::replace(const std::string& path, std::string_view bytes) {
    return replaceFileAtomically(path, bytes);
}

bool DiskFileSystem::appendLine(const std::string& path, std::string_view line) {
    return files::appendLine(path, line);
}

bool DiskFileSystem::canAppend(const std::string& path) {
    return canAppendTo(path);
}

}  // namespace orvane::files
