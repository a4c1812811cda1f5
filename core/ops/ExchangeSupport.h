#pragma once

#include "core/link/Link.h"
#include "core/platform/ISerialPort.h"
#include "core/window/Form1.h"
#include "core/window/Grid.h"
#include "core/window/Profile.h"
#include "core/window/Timer.h"

#include <optional>
#include <string>
#include <string_view>

namespace orvane::ops {

// The step number that marks an aborted exchange: the next tick runs its closing step.
inline constexpr int kAbortStep = 100;

// The line rate the port is fixed at. It stands in for a settings text whose first four
// characters give no usable rate.
inline constexpr double kFixedBaudRate = 4800;

// The baud rate the exchanges time their reply waits with: the number at the start of the first
// four characters of the port's settings text ("4800,n,8,1" -> 4800; "19200,..." -> 1920). A text
// without a number, a zero, negative or sub-1 rate, or a rate so high that the wait would round
// to 0 ms gives kFixedBaudRate instead, so a wait is always at least 1 ms and at most 1 000 000 ms.
double baudRate(std::string_view settingsText);

// The reply wait for `characters` characters of 10 bits at that rate, in whole milliseconds,
// rounded half to even: (characters * 10 000) / B. 100 characters at 4800 baud give 208 ms,
// 70 characters 146 ms.
int replyWait(std::string_view settingsText, int characters);

// The "/T " payload of a channel: the grid cells of rows 1 to `rows` in column channel + 1, as they
// are now, joined with ",". Nothing when a cell is empty: the channel's registers could not be
// computed from its text, and no made-up value may reach the module.
std::optional<std::string> registerTexts(const Grid& grid, int channel, int rows);

// Empties the module information boxes the program has (Version, Serial, FactoryDate and, where
// present, FOffsetV) and greys them: no value from the module yet.
void clearIdentity(Form1& form, const Profile& profile);

// The start of a check or a write: the four channel entries (and the receiver's step labels) lose
// their green marks, the exchange takes the lock (the operation buttons go off with everything
// else that could disturb it), and its timer starts at step 0 with the given interval. The click
// sends nothing.
void startSequence(Form1& form, const Profile& profile, Timer& timer, int intervalMs);

// The port-error trap of the exchanges. Each call does its one port operation; when it fails
// (false or an exception), it stops `timer` (when given) and runs the port-error recovery, which
// also ends the running exchange, and returns false. The caller then ends its tick without
// advancing its step.
bool sendOrRecover(ISerialPort& port, Link& link, Timer* timer, std::string_view bytes);
// Switching RTS counts as failed on a closed port: the exchanges switch the line of an open
// port only, and a closed one is exactly the fault the trap is there for.
bool switchRtsOrRecover(ISerialPort& port, Link& link, Timer* timer, bool on);

}  // namespace orvane::ops
