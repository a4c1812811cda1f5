#pragma once

#include "core/platform/IFileSystem.h"

namespace orvane::files {

// The files on the disk.
class DiskFileSystem : public IFileSystem {
public:
    std::optional<std::string> read(const std::string& path) override;
    bool ensureExists(const std::string& path) override;
    std::optional<std::uintmax_t> contentSize(const std::string& path) override;
    bool replace(const std::string& path, std::string_view bytes) override;
    bool appendLine(const std::string& path, std::string_view line) override;
    bool canAppend(const std::string& path) override;
};

}  // namespace orvane::files
