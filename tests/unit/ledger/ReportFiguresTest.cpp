#include "apps/orvane/ledger/Ledger.h"
#include "apps/orvane/ledger/ReportFigures.h"
#include "tests/unit/ledger/LedgerFolder.h"

#include <gtest/gtest.h>

namespace orvane::ledger {
namespace {

using ReportFiguresTest = test::LedgerFolder;

// A small hand-made ledger; times in hours from 0, the period is [10 h, 20 h).
//   A  lot 1  st-1  5 h fail(no-response)  12 h pass             first attempt before the period
//   B  lot 1  st-1  11 h pass                                    first pass
//   C  lot 2  st-2  12 h fail(discrepancy) 13 h pass (st-1)      retest, passes in the end
//   D  lot 2  st-2  14 h fail(discrepancy) 15 h fail(no-response) never passes
//   E  lot 2  st-2  21 h pass                                    after the period
//   -  lot 1  st-1  16 h fail(no-response), no serial            unidentified
constexpr std::int64_t kHour = 3'600'000;

struct Row {
    const char* serial;
    const char* lot;
    const char* station;
    int hour;
    const char* reason;  // "" for a pass
};

constexpr Row kRows[] = {
    {"A", "1", "st-1", 5, "no-response"},  {"A", "1", "st-1", 12, ""}, {"B", "1", "st-1", 11, ""},
    {"C", "2", "st-2", 12, "discrepancy"}, {"C", "2", "st-1", 13, ""}, {"D", "2", "st-2", 14, "discrepancy"},
    {"D", "2", "st-2", 15, "no-response"}, {"E", "2", "st-2", 21, ""}, {"", "1", "st-1", 16, "no-response"},
};

class Figures : public ReportFiguresTest {
protected:
    void SetUp() override {
        ReportFiguresTest::SetUp();
        auto opened = Ledger::open(pathOf("ledger.db"));
        ASSERT_TRUE(opened.ledger) << opened.error;
        m_ledger.emplace(std::move(*opened.ledger));
        for (const Row& r : kRows) {
            AttemptRow row;
            row.uuid = newUuid();
            row.serial = r.serial;
            row.labels = {{"lot", r.lot}};
            row.station = r.station;
            row.port = "COM5";
            row.startMs = r.hour * kHour;
            row.endMs = row.startMs + 2000;
            row.passed = std::string(r.reason).empty();
            row.reason = r.reason;
            ASSERT_EQ(m_ledger->append(row), "");
        }
    }
    ReportFigures report(GroupBy by, const std::string& label = {}) {
        ReportFigures figures;
        EXPECT_EQ(computeReport(m_ledger->database(), {10 * kHour, 20 * kHour, by, label}, figures), "");
        return figures;
    }
    std::optional<Ledger> m_ledger;
};

TEST_F(Figures, TotalFollowsTheDefinitions) {
    const GroupFigures t = report(GroupBy::Nothing).total;
    EXPECT_EQ(t.units, 4);     // A B C D (E lies after the period; the unidentified is no unit)
    EXPECT_EQ(t.attempts, 6);  // A 1, B 1, C 2, D 2
    EXPECT_EQ(t.unidentified, 1);
    EXPECT_EQ(t.newUnits, 3);     // B C D: A's first attempt lies before the period
    EXPECT_EQ(t.firstPassed, 1);  // B
    EXPECT_EQ(t.finalPassed, 3);  // A B C
    EXPECT_EQ(t.retested, 2);     // C D
    EXPECT_DOUBLE_EQ(t.firstPassYield(), 1.0 / 3);
    EXPECT_DOUBLE_EQ(t.finalYield(), 0.75);
    EXPECT_DOUBLE_EQ(t.attemptsPerUnit(), 1.5);
    // no-response: D at 15 h and the unidentified at 16 h (A's at 5 h is outside); discrepancy: C, D.
    ASSERT_EQ(t.failures.size(), 2u);
    EXPECT_EQ(t.failures[0].reason, "discrepancy");  // a tie goes by the code's name
    EXPECT_EQ(t.failures[0].count, 2);
    EXPECT_EQ(t.failures[1].count, 2);

    // Over all time (read another way): A..E are units, all new; B and E passed first; all but D
    // passed last; A, C and D were retested.
    ReportFigures all;
    ASSERT_EQ(computeReport(m_ledger->database(), {}, all), "");
    EXPECT_EQ(all.total.units, 5);
    EXPECT_EQ(all.total.newUnits, 5);
    EXPECT_EQ(all.total.firstPassed, 2);
    EXPECT_EQ(all.total.finalPassed, 4);
    EXPECT_EQ(all.total.retested, 3);
}

TEST_F(Figures, GroupsCountTheirOwnAttempts) {
    const struct {
        GroupBy by;
        const char* label;
        const char* group;
        std::int64_t units, newUnits, firstPassed, finalPassed, retested, unidentified;
    } cases[] = {
        // lot 1: A (12 h pass), B (first pass); the unidentified failure.
        {GroupBy::Label, "lot", "1", 2, 1, 1, 2, 0, 1},
        // lot 2: C (fails then passes), D (fails twice); both first attempts in the period, neither passed.
        {GroupBy::Label, "lot", "2", 2, 2, 0, 1, 2, 0},
        // st-1 sees A, B and C's pass; C's first attempt was on st-2, so st-1 counts only B as new.
        {GroupBy::Station, "", "st-1", 3, 1, 1, 3, 0, 1},
        // st-2 sees C's failure and D: C's last attempt on st-2 failed.
        {GroupBy::Station, "", "st-2", 2, 2, 0, 0, 1, 0},
        // A label no attempt has: one group "" holding everything.
        {GroupBy::Label, "operator", "", 4, 3, 1, 3, 2, 1},
    };
    for (const auto& c : cases) {
        const ReportFigures figures = report(c.by, c.label);
        const GroupFigures* g = nullptr;
        for (const GroupFigures& candidate : figures.groups)
            if (candidate.group == c.group) g = &candidate;
        ASSERT_NE(g, nullptr) << c.group;
        EXPECT_EQ(g->units, c.units) << c.group;
        EXPECT_EQ(g->newUnits, c.newUnits) << c.group;
        EXPECT_EQ(g->firstPassed, c.firstPassed) << c.group;
        EXPECT_EQ(g->finalPassed, c.finalPassed) << c.group;
        EXPECT_EQ(g->retested, c.retested) << c.group;
        EXPECT_EQ(g->unidentified, c.unidentified) << c.group;
    }
}

}  // namespace
}  // namespace orvane::ledger
