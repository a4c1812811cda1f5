#pragma once

#include "core/platform/ISerialPort.h"
#include "core/window/Form1.h"
#include "core/window/Profile.h"

namespace orvane {

// The receive handler: collects the module's text, mirrors it in Term, cuts it into reply lines
// and acts on each line by its prefix.
class ReplyHandler {
public:
    ReplyHandler(Form1& form, const Profile& profile, ISerialPort& port)
        : m_form(form), m_profile(profile), m_port(port) {}

    // The "characters received" event of the port.
    void MSComm1_OnComm();

private:
    Form1& m_form;
    const Profile& m_profile;
    ISerialPort& m_port;
};

}  // namespace orvane
