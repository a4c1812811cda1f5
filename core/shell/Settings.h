#pragma once

#include "core/files/FieldReader.h"
#include "core/platform/Platform.h"
#include "core/window/Form1.h"
#include "core/window/Profile.h"

#include <string>
#include <string_view>

namespace orvane {

// The settings file beside the program: applied at the end of start-up, written at shut-down.
class Settings {
public:
    Settings(Form1& form, const Profile& profile, Platform& platform)
        : m_form(form), m_profile(profile), m_platform(platform) {}

    // Creates a missing file empty and applies the records of the file in order. Reading ends at
    // the end of the file, at a record cut short by it, at a TOP or LEFT value that is not a
    // number, or at any failure; what was applied before stays. Never throws.
    void ReadSettingsFile();
    // Applies the file's records as ReadSettingsFile does, but only reads: a missing file stays
    // missing. Never throws.
    void applySettingsFile();

    // Replaces the file with the current position, port text, log name, channel texts and debug
    // switch, as files::replaceFileAtomically does: the new file is complete or the old one stays
    // untouched (bar an in-place overwrite in a read-only folder); a failure is silent.
    void writeSettingsFile();

    // Applies the records held in the bytes, as ReadSettingsFile does with the file's content.
    // May throw when a control's change handling does; ReadSettingsFile catches that.
    void applySettingsText(std::string_view bytes);

    // Program folder, "/", executable base name and ".ini".
    std::string settingsPath() const;

private:
    void readFile(bool createMissing);
    // Applies one record; false when reading has to end at it.
    bool applyRecord(const files::Record& record);

    Form1& m_form;
    const Profile& m_profile;
    Platform& m_platform;
};

}  // namespace orvane
