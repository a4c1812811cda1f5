#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace orvane::files {

// The lines joined, each followed by CR LF, as the settings, table and log files are written.
std::string crlfLines(const std::vector<std::string>& lines);

// A value holding a comma, put between double quotes so that the field reader takes it back as one
// field; any other value unchanged. A value holding both a comma and a double quote cannot be read
// back whole by the field reader in any form.
std::string quoteIfNeeded(std::string_view value);

}  // namespace orvane::files
