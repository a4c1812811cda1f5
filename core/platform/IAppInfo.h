#pragma once

#include <string>

namespace orvane {

// What the program knows about itself and its surroundings.
class IAppInfo {
public:
    virtual ~IAppInfo() = default;

    virtual int versionMajor() const = 0;
    virtual int versionMinor() const = 0;
    virtual int versionRevision() const = 0;

    // The folder that holds the settings file, the log and the table dialog's start folder
    // (the executable's folder, or a per-user folder when that cannot be written). No trailing "/".
    virtual std::string programFolder() const = 0;

    // The executable's base name: "Quorvex" or "Brelund".
    virtual std::string exeBaseName() const = 0;

    // The system's decimal separator for numbers that are only displayed.
    virtual char decimalSeparator() const = 0;
};

}  // namespace orvane
