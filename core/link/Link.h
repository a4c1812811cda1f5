#pragma once

#include "core/platform/IPortNaming.h"
#include "core/platform/ISerialPort.h"
#include "core/window/Form1.h"
#include "core/window/Profile.h"

#include <string>

namespace orvane {

// The "Port select" frame: the port scan at start-up, opening and closing the port, and the
// port-error recovery the exchanges run when a send fails.
class Link {
public:
    Link(Form1& form, const Profile& profile, ISerialPort& port, const IPortNaming& naming)
        : m_form(form), m_profile(profile), m_port(port), m_naming(naming) {}

    // Lists every port that opens as "COMn" in Combo1 (its tooltip names the device) and shows the
    // first one. Never fails: a port that misbehaves is left out.
    void scanPorts();

    // The port list is opened: it is scanned again as at start-up, so an adapter plugged in since
    // appears and one pulled goes, but the text stays as it is. An open port is left alone (the
    // list cannot be opened then: Combo1 is disabled).
    void Combo1_DropDown();

    // Opens the port named by Combo1 when it is closed, closes it when it is open. A failed open
    // says so in P_Message and gives the reason in its tooltip. Closing the port while an exchange
    // runs is the technician's abort, and closing a port that was lost is a port error: both take
    // the port-error path.
    void ComStart_Click();

    // Opens the port a name selects ("COMn", or a device path where the platform has them), as
    // "Open" opens the port box's choice; the box itself is left as it is. True when the port is
    // open (also when it was already); else P_Message says why, as for a click.
    bool open(const std::string& name);

    // Closes the open port as "Close" does between exchanges; nothing while one runs.
    void close();

    // The open port failed on its own (the adapter was pulled): the port-error path at once, so
    // the frame never shows a port as open that is gone.
    void MSComm1_OnLost();

    // "Com port Error!" (the reason in its tooltip), the running exchange stopped without its
    // closing step (its outcome: a port failure), and back to the port-closed state with every
    // operation button off.
    void recoverFromPortError();

    // The frame shows the port open ("Close"): it opened the port and nothing has closed it since.
    bool portOpen() const { return m_opened; }
    // Why the last open failed, in plain words.
    std::string openFailure() const;

private:
    // Fills Combo1's list with the ports that open.
    void listPorts();
    // Caption "Open", Combo1 usable again, every operation button off.
    void showPortClosed();

    Form1& m_form;
    const Profile& m_profile;
    ISerialPort& m_port;
    const IPortNaming& m_naming;
    bool m_opened = false;
};

}  // namespace orvane
