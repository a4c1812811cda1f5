#include "core/link/Link.h"

#include "core/window/StatusTexts.h"

#include <algorithm>

namespace orvane {

namespace {

std::string toolTipOf(const PortEntry& entry) {
    if (entry.description.empty()) return entry.device;
    return entry.device + " - " + entry.description;
}

}  // namespace

void Link::scanPorts() {
    listPorts();
    ComboBox& combo = m_form.Combo1;
    combo.setText(combo.list().empty() ? std::string() : combo.list().front());
}

void Link::Combo1_DropDown() {
    if (m_port.isOpen()) return;
    listPorts();
}

void Link::listPorts() {
    ComboBox& combo = m_form.Combo1;
    std::vector<PortEntry> ports;
    try {
        ports = m_port.enumeratePorts();
    } catch (...) {
        ports.clear();
    }
    std::stable_sort(ports.begin(), ports.end(),
                     [](const PortEntry& a, const PortEntry& b) { return a.number < b.number; });

    combo.clearList();
    combo.itemToolTips.clear();
    int lastTried = 0;
    for (const PortEntry& entry : ports) {
        if (entry.number < 1 || entry.number == lastTried) continue;
        lastTried = entry.number;
        // A port that fails in any way is simply not listed; the scan goes on with the next one.
        bool opens = false;
        try {
            if (m_port.setPortNumber(entry.number)) {
                m_port.open();
                opens = m_port.isOpen();
            }
        } catch (...) {
            opens = false;
        }
        try {
            if (m_port.isOpen()) m_port.close();
        } catch (...) {
        }
        if (!opens) continue;
        // The tooltip first: the view shows an item with its tooltip as soon as it is added.
        combo.itemToolTips.push_back(toolTipOf(entry));
        combo.addItem(m_naming.name(entry.number));
    }
}

void Link::ComStart_Click() {
    Form1& f = m_form;
    if (m_port.isOpen() || m_opened) {
        // Closing mid-exchange is the technician's abort. A port this frame opened that no longer
        // reports open was lost, and the report of it is still on its way: it is a port error now,
        // so the click can never reopen the port behind the frame's back.
        if (f.exchange.running() || !m_port.isOpen()) {
            recoverFromPortError();
            return;
        }
        close();
        return;
    }

    open(f.Combo1.text());
}

bool Link::open(const std::string& name) {
    Form1& f = m_form;
    if (m_opened) return true;
    // A "COMn" name selects its port and a device path (where the platform has them) that device;
    // any other text opens the port selected before.
    const PortChoice choice = m_naming.parse(name);
    if (choice.kind == PortChoice::Kind::Number)
        m_port.setPortNumber(choice.number);
    else if (choice.kind == PortChoice::Kind::Device)
        m_port.setDevicePath(choice.device);

    if (!m_port.setDtr(true) || !m_port.setRts(true) || !m_port.open()) {
        f.P_Message.setCaption(m_profile.comNotOpenText);
        f.P_Message.setToolTip(m_port.lastErrorText());
        return false;
    }

    f.P_Message.setCaption({});
    f.P_Message.setToolTip({});
    f.C_Message.setCaption({});
    f.T_Message.setCaption({});
    f.L_Message.setCaption({});
    std::vector<TextBox*> infoBoxes{&f.Version, &f.Serial, &f.FactoryDate};
    if (m_profile.hasOffsetBox()) infoBoxes.push_back(&f.FOffsetV);
    for (TextBox* box : infoBoxes) {
        box->setText({});
        box->setBackColor(f.ColorGray);
    }
    for (int ch = 3; ch >= 0; --ch)
        f.ChFrequency[static_cast<std::size_t>(ch)].setBackColor(f.ColorWindow);
    if (m_profile.hasStepLabels()) {
        for (int ch = 3; ch >= 0; --ch)
            f.ChStep[static_cast<std::size_t>(ch)].setBackColor(f.ColorGray);
    }
    m_opened = true;
    f.ComStart.setCaption("Close");
    f.Combo1.setEnabled(false);
    f.Combo1.setBackColor(f.ColorGreen);
    f.GetInfoSW.setEnabled(true);
    return true;
}

void Link::close() {
    if (!m_opened || m_form.exchange.running()) return;
    m_port.close();
    showPortClosed();
}

void Link::MSComm1_OnLost() {
    // A loss the frame has already shown (a close click got there first) is not shown again.
    if (m_opened) recoverFromPortError();
}

void Link::recoverFromPortError() {
    m_form.exchange.abort();
    const std::string reason = m_port.lastErrorText();
    m_form.P_Message.setCaption(status::kComPortError);
    m_form.P_Message.setToolTip(reason);
    // Also a port that already reports closed: a lost device is released here at once.
    m_port.close();
    showPortClosed();
    // The exchange that ran, if any, ends here, without its closing step.
    m_form.outcome.portFailed(reason);
    m_form.outcome.end();
}

std::string Link::openFailure() const {
    const std::string reason = m_port.lastErrorText();
    return reason.empty() ? m_form.P_Message.caption() : reason;
}

void Link::showPortClosed() {
    m_opened = false;
    m_form.ComStart.setCaption("Open");
    m_form.Combo1.setEnabled(true);
    m_form.Combo1.setBackColor(m_form.ColorWindow);
    m_form.DisableSwitches();
}

}  // namespace orvane
