#pragma once

#include "core/window/Grid.h"

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

// How an outcome names a command: without its CR, a register load as "/T" and the common
// parameters as "/M" ("/W 02", "/R 00", "/V"; the opening byte is "0x80").
std::string commandName(std::string_view bytes);

}  // namespace orvane::ops
