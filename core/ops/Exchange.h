#pragma once

#include "core/link/Link.h"
#include "core/platform/ISerialPort.h"
#include "core/window/Faults.h"
#include "core/window/Form1.h"
#include "core/window/Profile.h"

#include <initializer_list>
#include <string_view>

namespace orvane {

// Where a running exchange is, for a progress line: step `step` of `of`, on a channel (-1: none).
struct Progress {
    int step = 0;
    int of = 0;
    int channel = -1;
};

// Told where the running exchange is after each of its ticks (a progress line).
class IProgressWatcher {
public:
    virtual ~IProgressWatcher() = default;
    virtual void progressed(ExchangeKind exchange, const Progress& where) = 0;
};

// What every exchange with the module works on (the window and its state, the program's
// differences, the port, and the port select frame, whose recovery a failed send runs) and what
// they share: the start, the sends under the port-error trap, the record of a missing reply and
// the end that hands the outcome on.
class Exchange {
public:
    Exchange(Form1& form, const Profile& profile, ISerialPort& port, Link& link)
        : m_form(form), m_profile(profile), m_port(port), m_link(link) {}

protected:
    // The exchange begins: a fresh outcome, and the lock on everything that could disturb it.
    void begin(ExchangeKind kind, Timer& timer, bool keepTestButtons = false);
    // The start of a check or a write: the four channel entries (and the receiver's step labels)
    // lose their green marks, the exchange begins, and its timer starts at step 0 with the given
    // interval. The click sends nothing.
    void beginSequence(ExchangeKind kind, Timer& timer, int intervalMs);
    // The port-error trap: one command sent, the step then waiting for replies of the given kinds
    // ("*V", "*W", ...; none for a command nothing answers). When the send fails (false or an
    // exception) the timer stops and the port-error recovery runs, which ends the exchange; the
    // caller then ends its tick without advancing its step.
    bool send(Timer& timer, std::string_view bytes, std::initializer_list<std::string_view> replies,
              int channel = -1);
    // The same trap around switching RTS. A closed port counts as failed: the exchanges switch
    // the line of an open port only. `timer` may be null (at a click).
    bool switchRts(Timer* timer, bool on);
    // Empties the module information boxes the program has and greys them.
    void clearIdentity();
    // The step's test found no reply: the command it waited for is recorded as unanswered (the
    // label shows it later, at the closing step).
    void unanswered();
    // The same, shown at once on the fault's label.
    void unanswered(Fault shown);
    // The module's identity as this exchange received it is of the program's own module type.
    bool ownModule() const;
    // The closing step of a check or a write, after the last command or an abort: the buttons
    // come back, the timer stops, "Not Response!!" when the last reply is missing; a run that
    // found no fault yet confirmed fewer than four channels fails with `unconfirmed` on the first
    // of them. Then the exchange ends.
    void closeSequence(Timer& timer, Fault unconfirmed);
    // The exchange ends (its lock already given back): its outcome goes to everyone listening.
    void finish();

    Form1& m_form;
    const Profile& m_profile;
    ISerialPort& m_port;
    Link& m_link;
};

}  // namespace orvane
