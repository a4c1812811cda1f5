#include "tests/support/MemoryFileSystem.h"

namespace orvane::test {

std::optional<std::string> MemoryFileSystem::read(const std::string& path) {
    const auto file = files.find(path);
    if (file == files.end()) return std::nullopt;
    return file->second;
}

bool MemoryFileSystem::ensureExists(const std::string& path) {
    files.try_emplace(path);
    return true;
}

std::optional<std::uintmax_t> MemoryFileSystem::contentSize(const std::string& path) {
    const auto file = files.find(path);
    return file == files.end() ? 0 : file->second.size();
}

bool MemoryFileSystem::replace(const std::string& path, std::string_view bytes) {
    files[path] = std::string(bytes);
    return true;
}

bool MemoryFileSystem::appendLine(const std::string& path, std::string_view line) {
    std::string& file = files[path];
    if (!file.empty() && file.back() != '\n') file += "\r\n";
    file += line;
    return true;
}

bool MemoryFileSystem::canAppend(const std::string&) {
    return true;
}

}  // namespace orvane::test
