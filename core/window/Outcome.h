#pragma once

#include <array>
#include <string>

namespace orvane {

// The exchanges with the module.
// Identity is the serial number read again, by the headless command only.
enum class ExchangeKind { GetInfo, Test, Check, Write, Identity };

// How an exchange ended. Everything but Pass is a failure.
enum class OutcomeKind {
    Pass,
    NoResponse,  // a reply never came: `command` names the command it belonged to
    WrongModuleType,
    FlashWriteError,
    FlashClearError,
    Discrepancy,  // a channel read back differs from what the window computes for it
    TestDataError,
    CommonParameterError,
    PortFailure,  // the port failed or was closed: `portReason` says why
    NotAdmitted,  // a write whose caller did not let the module identified be written (nothing was):
                  // a failure like the others, never a pass
};

// The result of one exchange, produced by the exchange itself as it runs. The window, the
// operation log and the headless command all read this value; nothing on screen stands in for
// it. A failure, once recorded, stays: only a port failure, which ends the exchange at once,
// takes the place of an earlier one.
struct Outcome {
    ExchangeKind exchange = ExchangeKind::GetInfo;
    OutcomeKind kind = OutcomeKind::Pass;
    int channel = -1;     // the channel the failure concerns; -1 when none
    std::string command;  // NoResponse: the command left unanswered ("/V", "/T", "/W 02")
    int step = -1;        // NoResponse: the step whose test found no reply
    std::string portReason;
    // Channels the module confirmed in this exchange: an echo equal to what was sent (test,
    // write), or stored values equal to what the window computes (check).
    std::array<bool, 4> confirmed{};
    // Confirmed channels whose echo stopped after the values the window compares: the values
    // beyond those were not seen (a receiver may echo only three of its five).
    std::array<bool, 4> echoedShort{};
    // The identity as the module sent it in this exchange ("" when it did not).
    std::string serial;
    std::string version;
    std::string factoryDate;    // the factory data "/D" answered with
    std::string factoryOffset;  // (the offset: transmitter only)
    // The register texts sent for each channel in this exchange, joined with "," ("" where none).
    std::array<std::string, 4> sent;
    // The register texts each channel read back in this exchange (a check), joined with ","
    // ("" where none came).
    std::array<std::string, 4> readBack;

    bool passed() const { return kind == OutcomeKind::Pass; }
    bool allConfirmed() const { return confirmed[0] && confirmed[1] && confirmed[2] && confirmed[3]; }
};

}  // namespace orvane
