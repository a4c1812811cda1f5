#pragma once

#include "core/link/Link.h"
#include "core/platform/Platform.h"
#include "core/window/Form1.h"
#include "core/window/Profile.h"

namespace orvane {

// The "Write" exchange: identity, common parameters, then each channel loaded and written.
class WriteExchange {
public:
    WriteExchange(Form1& form, const Profile& profile, Platform& platform, Link& link)
        : m_form(form), m_profile(profile), m_platform(platform), m_link(link) {}

    void ChWriteSW_Click();
    void WriteAllTimer_Timer();

private:
    Form1& m_form;
    const Profile& m_profile;
    Platform& m_platform;
    Link& m_link;
};

}  // namespace orvane
