#include "apps/orvane/Verdict.h"

#include <algorithm>

namespace orvane::cli {

namespace {

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
    // A write the caller did not let go ahead wrote nothing: no fault of the module.
    return Reason::None;
}

}  // namespace

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
    }
    return "";
}

const char* reasonCode(Reason reason) {
    switch (reason) {
        case Reason::None:
            return "";
        case Reason::NoResponse:
            return "no-response";
        case Reason::WrongModuleType:
            return "wrong-module-type";
        case Reason::FlashWriteError:
            return "flash-write-error";
        case Reason::FlashClearError:
            return "flash-clear-error";
        case Reason::Discrepancy:
            return "discrepancy";
        case Reason::TestDataError:
            return "test-data-error";
        case Reason::CommonParameterError:
            return "common-parameter-error";
        case Reason::PortError:
            return "port-error";
        case Reason::LogError:
            return "log-error";
        case Reason::RecordError:
            return "record-error";
        case Reason::Interrupted:
            return "interrupted";
        case Reason::LineStopped:
            return "line-stopped";
        case Reason::UsageError:
            return "usage-error";
        case Reason::InputRefused:
            return "input-refused";
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

int Verdict::exitStatus() const {
    switch (reason) {
        case Reason::None:
            return 0;
        case Reason::PortError:
            return 3;
        case Reason::LogError:
        case Reason::RecordError:
            return 4;
        case Reason::Interrupted:
            return 130;
        case Reason::UsageError:
        case Reason::InputRefused:
            return 2;
        default:
            return 1;
    }
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
