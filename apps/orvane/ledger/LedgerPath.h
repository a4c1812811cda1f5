#pragma once

#include <functional>
#include <optional>
#include <string>

namespace orvane::ledger {

// The value of an environment variable, or nothing when it is not set.
using EnvironmentLookup = std::function<std::optional<std::string>(const std::string& name)>;

enum class PathStyle { Posix, Windows };

// The style of the platform the program runs on.
constexpr PathStyle nativePathStyle() {
#ifdef _WIN32
    return PathStyle::Windows;
#else
    return PathStyle::Posix;
#endif
}

// Which ledger a command uses: a path, none (path "" and no error: --no-ledger), or why no path can
// be named.
struct LedgerChoice {
    std::string path;
    std::string error;
};

// --no-ledger turns the ledger off; else --ledger FILE, else $ORVANE_LEDGER, else the station's
// own: $XDG_DATA_HOME/orvane/ledger.db or ~/.local/share/orvane/ledger.db (on Windows
// %LOCALAPPDATA%\orvane\ledger.db). A variable set to "" counts as not set.
LedgerChoice chooseLedger(const std::string& option, bool off, PathStyle style, const EnvironmentLookup& env);

}  // namespace orvane::ledger
