#pragma once

#include "core/link/Link.h"
#include "core/platform/Platform.h"
#include "core/window/Form1.h"
#include "core/window/Profile.h"

namespace orvane {

// The "Get Info." exchange: opening byte, version and identity requests, verdict.
class GetInfoExchange {
public:
    GetInfoExchange(Form1& form, const Profile& profile, Platform& platform, Link& link)
        : m_form(form), m_profile(profile), m_platform(platform), m_link(link) {}

    void GetInfoSW_Click();
    void GetInfoTimer_Timer();

private:
    Form1& m_form;
    const Profile& m_profile;
    Platform& m_platform;
    Link& m_link;
};

}  // namespace orvane
