#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orvane {

// The files the programs read and write: settings, frequency tables and the operation log. Paths
// are in the system's file-name encoding.
class IFileSystem {
public:
    virtual ~IFileSystem() = default;
    // The whole file, or nothing when it cannot be opened or read.
    virtual std::optional<std::string> read(const std::string& path) = 0;
    // Creates the file empty when it is missing; an existing one stays as it is. False when it
    // cannot be opened or created.
    virtual bool ensureExists(const std::string& path) = 0;
    // What the file holds, in bytes: 0 when nothing is at the path; nothing when something is
    // there that cannot be read as a file.
    virtual std::optional<std::uintmax_t> contentSize(const std::string& path) = 0;
    // Replaces the file with the bytes, all or nothing (see files::replaceFileAtomically).
    virtual bool replace(const std::string& path, std::string_view bytes) = 0;
    // Appends one line, creating a missing file; all or nothing (see files::appendLine).
    virtual bool appendLine(const std::string& path, std::string_view line) = 0;
    // Whether a line could be appended now, without creating anything (see files::canAppendTo).
    virtual bool canAppend(const std::string& path) = 0;
};

}  // namespace orvane
