#pragma once

#include "core/platform/IFileSystem.h"

#include <map>
#include <string>

namespace orvane::test {

// Files in memory, for runs that must not touch the disk (fuzz targets, benchmarks).
class MemoryFileSystem : public IFileSystem {
public:
    std::map<std::string, std::string> files;

    std::optional<std::string> read(const std::string& path) override;
    bool ensureExists(const std::string& path) override;
    std::optional<std::uintmax_t> contentSize(const std::string& path) override;
    bool replace(const std::string& path, std::string_view bytes) override;
    bool appendLine(const std::string& path, std::string_view line) override;
    bool canAppend(const std::string& path) override;
};

}  // namespace orvane::test
