#pragma once

#include "core/link/Link.h"
#include "core/platform/Platform.h"
#include "core/window/Form1.h"
#include "core/window/Profile.h"

namespace orvane {

// What every exchange with the module works on: the window and its state, the program's
// differences, the platform (the port above all) and the port select frame, whose recovery a
// failed send runs.
class Exchange {
public:
    Exchange(Form1& form, const Profile& profile, Platform& platform, Link& link)
        : m_form(form), m_profile(profile), m_platform(platform), m_link(link) {}

protected:
    Form1& m_form;
    const Profile& m_profile;
    Platform& m_platform;
    Link& m_link;
};

}  // namespace orvane
