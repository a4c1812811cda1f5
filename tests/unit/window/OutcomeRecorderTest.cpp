#include "core/window/OutcomeRecorder.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

// The first failure an exchange records stays; only a port failure, which ends the exchange,
// takes its place. Nothing is recorded between exchanges.
TEST(OutcomeRecorder, TheFirstFailureStaysUnlessThePortFails) {
    OutcomeRecorder r;
    r.fail(OutcomeKind::Discrepancy, 1);  // no exchange runs: nothing to record into
    r.begin(ExchangeKind::Write);
    EXPECT_TRUE(r.current().passed());
    r.fail(OutcomeKind::FlashWriteError, 2);
    r.unanswered("/W 03", 3, 11);
    r.fail(OutcomeKind::Discrepancy, 0);
    EXPECT_EQ(r.current().kind, OutcomeKind::FlashWriteError);
    EXPECT_EQ(r.current().channel, 2);
    EXPECT_EQ(r.current().command, "");
    r.portFailed("gone");
    EXPECT_EQ(r.current().kind, OutcomeKind::PortFailure);
    EXPECT_EQ(r.current().channel, -1);
    EXPECT_EQ(r.current().portReason, "gone");
}

}  // namespace
}  // namespace orvane
