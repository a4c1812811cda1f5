#include "apps/orvane/Verdict.h"

#include <algorithm>

namespace orvane::cli {

namespace {

constexpr const char* kNoResponse = "Not Response!!";
constexpr const char* kNoIdentity = "Not Response!! (or target error)";

// The channel at which the first of `texts` was shown, or nothing when none was.
const std::pair<std::string, int>* seen(const ExchangeRecord& r, std::initializer_list<std::string> texts) {
    for (const auto& message : r.messages) {
        if (std::find(texts.begin(), texts.end(), message.first) != texts.end()) return &message;
    }
    return nullptr;
}

Verdict fail(std::string reason, int channel = -1) {
    Verdict v;
    v.outcome = Outcome::Fail;
    v.reason = std::move(reason);
    v.channel = channel;
    return v;
}

}  // namespace

const char* stepName(Step step) {
    switch (step) {
        case Step::Info:
            return "info";
        case Step::Test:
            return "test";
        case Step::Check:
            return "check";
        case Step::Write:
            return "write";
    }
    return "";
}

std::string Verdict::text() const {
    if (outcome == Outcome::Pass) return "pass";
    if (outcome == Outcome::PortError) return "port error" + (detail.empty() ? "" : ": " + detail);
    std::string text = reason;
    std::replace(text.begin(), text.end(), '-', ' ');
    if (reason == "no-response" && step >= 0) return text + " at step " + std::to_string(step);
    if (channel >= 0) return text + " on channel " + std::to_string(channel);
    return text;
}

Verdict judge(const ExchangeRecord& r, const Profile& profile) {
    if (r.portFailed) {
        Verdict v;
        v.outcome = Outcome::PortError;
        v.reason = "port-error";
        v.detail = r.portReason;
        return v;
    }
    // The write and test echo faults belong to the channel the exchange was at; a check's
    // discrepancy to the first channel its reads did not confirm.
    const bool channelled = r.step == Step::Write || r.step == Step::Test;
    if (seen(r, {"Target error!!"})) return fail("wrong-module-type");
    if (const auto* m = seen(r, {profile.writeErrText, "Flash Write Error!!"}))
        return fail("flash-write-error", channelled ? m->second : -1);
    if (seen(r, {profile.flashClearErrorText})) return fail("flash-clear-error");
    if (const auto* m = seen(r, {"Test Data error!!"}))
        return fail("test-data-error", channelled ? m->second : -1);
    if (seen(r, {"Common Parameter Error!"})) return fail("common-parameter-error");
    const auto unconfirmed = std::find(r.green.begin(), r.green.end(), false);
    const int firstUnconfirmed =
        unconfirmed == r.green.end() ? -1 : static_cast<int>(unconfirmed - r.green.begin());
    if (seen(r, {"Discrepancy!!"})) return fail("discrepancy", firstUnconfirmed);
    if (seen(r, {kNoResponse, kNoIdentity}) || r.unansweredStep >= 0) {
        Verdict v = fail("no-response");
        v.step = r.unansweredStep;
        return v;
    }
    if ((r.step == Step::Check || r.step == Step::Write) && firstUnconfirmed >= 0)
        return fail("discrepancy", firstUnconfirmed);
    if (r.step == Step::Info && !r.identified) return fail("no-response");
    return {};
}

}  // namespace orvane::cli
