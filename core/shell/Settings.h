#pragma once

#include "core/platform/Platform.h"
#include "core/window/Form1.h"
#include "core/window/Profile.h"

namespace orvane {

// The settings file beside the program: applied at the end of start-up, written at shut-down.
class Settings {
public:
    Settings(Form1& form, const Profile& profile, Platform& platform)
        : m_form(form), m_profile(profile), m_platform(platform) {}

    void ReadSettingsFile();
    void writeSettingsFile();

private:
    Form1& m_form;
    const Profile& m_profile;
    Platform& m_platform;
};

}  // namespace orvane
