#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orvane::files {

// The whole file as bytes, or nothing when it cannot be opened or read.
std::optional<std::string> readWholeFile(const std::string& path);

// Creates the file empty when it is missing and leaves an existing one unchanged. False when it
// cannot be opened or created.
bool ensureFileExists(const std::string& path);

// Size in bytes, or nothing when the file cannot be opened.
std::optional<std::uintmax_t> fileSize(const std::string& path);

// Replaces the file with the bytes: writes a temporary file in the same folder, flushes it to the
// disk and renames it over the target. On any failure the old file stays as it was, the temporary
// file is removed and the result is false.
bool replaceFileAtomically(const std::string& path, std::string_view bytes);

// Appends the bytes to the file, creating it when missing. False on any failure (the file may
// then hold part of the bytes).
bool appendToFile(const std::string& path, std::string_view bytes);

// Joins a folder and a file name with "/" (the folder is always put in front, as the programs do
// with their own folder).
std::string joinPath(std::string_view folder, std::string_view name);

}  // namespace orvane::files
