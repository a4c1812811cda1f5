#include "apps/orvane/production/Verdict.h"

#include <algorithm>
#include <iterator>

namespace orvane::cli {

namespace {

// One row per reason, in the order of the enumeration. A module's fault is retryable when its own
// answer caused it; a port failure, the other module type, another module, a lost record or an
// interrupt never is.
constexpr ReasonRow kReasons[] = {
    {Reason::None, "", kExitSuccess, false, "passed"},
    {Reason::NoResponse, "no-response", kExitModule, true, "a reply never came (the command is named)"},
    {Reason::WrongModuleType, "wrong-module-type", kExitModule, false, "the module is of the other type"},
    {Reason::FlashWriteError, "flash-write-error", kExitModule, true,
     "a channel's write was refused or its echo differs"},
    {Reason::FlashClearError, "flash-clear-error", kExitModule, true,
     "the module reported a failed flash clear"},
    {Reason::Discrepancy, "discrepancy", kExitModule, true, "a channel read back differs from what was sent"},
    {Reason::TestDataError, "test-data-error", kExitModule, true, "a test echo differs"},
    {Reason::CommonParameterError, "common-parameter-error", kExitModule, true,
     "the common parameters echoed differ"},
    {Reason::ModuleChanged, "module-changed", kExitModule, false,
     "at the end another module, or none, answered than at the start"},
    {Reason::NotWritten, "not-written", kExitModule, false,
     "the module was not let through: nothing written"},
    {Reason::PortError, "port-error", kExitPort, false, "the port failed or was closed"},
    {Reason::LogError, "log-error", kExitFile, false, "the operation log could not take the record"},
    {Reason::RecordError, "record-error", kExitFile, false,
     "the record file or the ledger could not take the record"},
    {Reason::LedgerError, "ledger-error", kExitFile, false, "the ledger could not be opened or read"},
    {Reason::LineError, "line-error", kExitLine, false, "the line's database could not be reached or read"},
    {Reason::Interrupted, "interrupted", kExitInterrupted, false, "interrupted by the technician"},
    {Reason::LineStopped, "line-stopped", kExitModule, false, "a rig stopped after --stop-after failures"},
    {Reason::UsageError, "usage-error", kExitUsage, false, "the command line is wrong"},
    {Reason::InputRefused, "input-refused", kExitUsage, false, "the channels or files were refused"},
};

static_assert(std::size(kReasons) == static_cast<std::size_t>(Reason::InputRefused) + 1);

Reason reasonOf(OutcomeKind kind) {
    switch (kind) {
        case OutcomeKind::Pass:
            return Reason::None;
        case OutcomeKind::NoResponse:
            return Reason::NoResponse;
        case OutcomeKind::WrongModuleType:
            return Reason::WrongModuleType;
        case OutcomeKind::FlashWriteError:
            return Reason::FlashWriteError;
        case OutcomeKind::FlashClearError:
            return Reason::FlashClearError;
        case OutcomeKind::Discrepancy:
            return Reason::Discrepancy;
        case OutcomeKind::TestDataError:
            return Reason::TestDataError;
        case OutcomeKind::CommonParameterError:
            return Reason::CommonParameterError;
        case OutcomeKind::PortFailure:
            return Reason::PortError;
        case OutcomeKind::NotAdmitted:
            break;
    }
    return Reason::NotWritten;
}

}  // namespace

const ReasonRow& reasonRow(Reason reason) {
    return kReasons[static_cast<std::size_t>(reason)];
}

const char* reasonCode(Reason reason) {
    return reasonRow(reason).code;
}

std::string reasonHelp() {
    std::string text;
    for (const ReasonRow& row : kReasons) {
        // No module's line carries these: a pass, a usage error (nothing ran), a write not let
        // through, and the reading commands' own failures.
        if (row.reason == Reason::None || row.reason == Reason::UsageError ||
            row.reason == Reason::NotWritten || row.reason == Reason::LedgerError ||
            row.reason == Reason::LineError)
            continue;
        std::string code = row.code;
        code.resize(std::max<std::size_t>(code.size() + 2, 24), ' ');
        text += "  " + code + row.help + " (" + std::to_string(row.exit) + ")\n";
    }
    return text;
}

const char* stepName(ExchangeKind step) {
    switch (step) {
        case ExchangeKind::GetInfo:
            return "info";
        case ExchangeKind::Test:
            return "test";
        case ExchangeKind::Check:
            return "check";
        case ExchangeKind::Write:
            return "write";
        case ExchangeKind::Identity:
            return "identity";
    }
    return "";
}

std::string Verdict::text() const {
    switch (reason) {
        case Reason::None:
            return "pass";
        case Reason::NoResponse: {
            std::string text = "no response";
            if (!command.empty()) text += " to " + command;
            if (channel >= 0) text += " (channel " + std::to_string(channel) + ")";
            return text;
        }
        case Reason::PortError:
            return "port error" + (detail.empty() ? "" : ": " + detail);
        case Reason::ModuleChanged:
            return "module changed" + (detail.empty() ? "" : " (" + detail + ")");
        case Reason::LogError:
        case Reason::RecordError:
            return std::string(reason == Reason::LogError ? "log" : "record") +
                   " error: cannot append the record to " + detail;
        default:
            break;
    }
    std::string text = reasonCode(reason);
    std::replace(text.begin(), text.end(), '-', ' ');
    if (channel >= 0) text += " on channel " + std::to_string(channel);
    return text;
}

Verdict verdictOf(const Outcome& outcome) {
    Verdict v;
    v.reason = reasonOf(outcome.kind);
    if (v.passed()) return v;
    if (v.reason == Reason::PortError) {
        v.detail = outcome.portReason;
        return v;
    }
    v.channel = outcome.channel;
    if (v.reason == Reason::NoResponse) v.command = outcome.command;
    return v;
}

Verdict verdictOf(Reason reason, std::string detail) {
    Verdict v;
    v.reason = reason;
    v.detail = std::move(detail);
    return v;
}

}  // namespace orvane::cli
