#include "apps/orvane/Verdict.h"

#include <algorithm>

namespace orvane::cli {

namespace {

const char* reasonOf(OutcomeKind kind) {
    switch (kind) {
        case OutcomeKind::Pass:
            return "";
        case OutcomeKind::NoResponse:
            return "no-response";
        case OutcomeKind::WrongModuleType:
            return "wrong-module-type";
        case OutcomeKind::FlashWriteError:
            return "flash-write-error";
        case OutcomeKind::FlashClearError:
            return "flash-clear-error";
        case OutcomeKind::Discrepancy:
            return "discrepancy";
        case OutcomeKind::TestDataError:
            return "test-data-error";
        case OutcomeKind::CommonParameterError:
            return "common-parameter-error";
        case OutcomeKind::PortFailure:
            return "port-error";
    }
    return "";
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

std::string Verdict::text() const {
    switch (kind) {
        case Kind::Pass:
            return "pass";
        case Kind::PortError:
            return "port error" + (detail.empty() ? "" : ": " + detail);
        case Kind::LogError:
            return "log error: cannot append the record to " + detail;
        case Kind::Fail:
            break;
    }
    std::string text = reason;
    std::replace(text.begin(), text.end(), '-', ' ');
    if (reason == "no-response" && step >= 0) return text + " at step " + std::to_string(step);
    if (channel >= 0) return text + " on channel " + std::to_string(channel);
    return text;
}

Verdict verdictOf(const Outcome& outcome) {
    Verdict v;
    v.reason = reasonOf(outcome.kind);
    if (outcome.passed()) return v;
    if (outcome.kind == OutcomeKind::PortFailure) {
        v.kind = Verdict::Kind::PortError;
        v.detail = outcome.portReason;
        return v;
    }
    v.kind = Verdict::Kind::Fail;
    v.channel = outcome.channel;
    v.step = outcome.kind == OutcomeKind::NoResponse ? outcome.step : -1;
    return v;
}

Verdict logError(const std::string& path) {
    Verdict v;
    v.kind = Verdict::Kind::LogError;
    v.reason = "log-error";
    v.detail = path;
    return v;
}

}  // namespace orvane::cli
