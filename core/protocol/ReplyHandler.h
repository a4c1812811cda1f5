#pragma once

#include "core/platform/ISerialPort.h"
#include "core/window/Form1.h"
#include "core/window/Profile.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace orvane {

// The receive handler: collects the module's text, mirrors it in Term, cuts it into reply lines
// and acts on each line by its prefix. It never sends anything. What it finds goes into the running
// exchange's outcome: failures, the identity, and the channels the module confirmed (only an echo
// of the kind that exchange confirms with, equal to what it sent or computes, turns a channel
// green). ReplyFlag = 1 tells the running exchange that the reply its step waits for came in.
class ReplyHandler {
public:
    ReplyHandler(Form1& form, const Profile& profile, ISerialPort& port)
        : m_form(form), m_profile(profile), m_port(port) {}

    // The "characters received" event of the port. Work is proportional to the text received:
    // text that cannot start a line is dropped at once, and a line still waiting for its CR is
    // searched only in the part that arrived since the last event.
    void MSComm1_OnComm();

private:
    // Acts on one reply line; false when the handler must stop (the lines after it wait for the
    // next receive event).
    bool dispatch(std::string_view line);
    void flashClear(std::string_view line);
    void identity(std::string_view line);
    void commonParameters(std::string_view line);
    bool readBack(std::string_view line);
    bool testEcho(std::string_view line);
    void version(std::string_view line);
    bool writeEcho(std::string_view line);

    // ReplyFlag = 1 when the line answers the step the running exchange waits on.
    void raiseReplyFlag(std::string_view line);
    bool running(ExchangeKind exchange) const;
    void showInTerm(const std::string& chunk);
    // True when `count` values of the line, the first at 1-based `firstPosition` and each three
    // further on, equal rows 1 to count of the channel's grid column. A channel without a column
    // (outside 0 to 3) matches nothing.
    bool echoMatchesGrid(std::string_view line, std::size_t firstPosition, int count, long long ch) const;
    // The channel's entry (and in the receiver its step label) turns green: the module confirmed it
    // in the running exchange.
    void confirmChannel(long long ch, bool whole = true);

    Form1& m_form;
    const Profile& m_profile;
    ISerialPort& m_port;
    // How much of RxBuffer the line search has already been through (see appendAndCutLines).
    std::size_t m_searched = 0;
    // What Term shows: the last bytes received as characters, and how many characters that is.
    std::string m_termText;
    std::size_t m_termChars = 0;
};

}  // namespace orvane
