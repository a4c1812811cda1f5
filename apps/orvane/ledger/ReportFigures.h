#pragma once

#include "apps/orvane/ledger/Sqlite.h"

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace orvane::ledger {

enum class GroupBy { Nothing, Day, Station, Rig, Module, Label };

// Which attempts a report counts: those that started in [sinceMs, untilMs), grouped.
struct ReportQuery {
    std::int64_t sinceMs = std::numeric_limits<std::int64_t>::min();
    std::int64_t untilMs = std::numeric_limits<std::int64_t>::max();
    GroupBy by = GroupBy::Nothing;
    std::string label;  // the label key, for GroupBy::Label
};

struct ReasonCount {
    std::string reason;
    std::int64_t count = 0;
};

// The figures of one group (or of all attempts). A unit is a serial number; an attempt whose
// module never sent one counts only among the failures and as unidentified.
struct GroupFigures {
    std::string group;                  // the day, station, "station port", module type or label value
    std::int64_t units = 0;             // distinct serials with an attempt in the period
    std::int64_t attempts = 0;          // the attempts of those units in the period
    std::int64_t unidentified = 0;      // attempts in the period without a serial
    std::int64_t newUnits = 0;          // units whose first attempt ever lies in the period
    std::int64_t firstPassed = 0;       // ... and passed
    std::int64_t finalPassed = 0;       // units whose last attempt in the period passed
    std::int64_t retested = 0;          // units with more than one attempt in the period
    std::vector<ReasonCount> failures;  // most frequent first

    // Each ratio is 0 when nothing was counted.
    double firstPassYield() const { return ratio(firstPassed, newUnits); }
    double finalYield() const { return ratio(finalPassed, units); }
    double retestRate() const { return ratio(retested, units); }
    double attemptsPerUnit() const { return ratio(attempts, units); }

private:
    static double ratio(std::int64_t part, std::int64_t whole) {
        return whole == 0 ? 0.0 : static_cast<double>(part) / static_cast<double>(whole);
    }
};

struct ReportFigures {
    std::vector<GroupFigures> groups;  // in the order of their names (days in order); none ungrouped
    GroupFigures total;
};

// Works the figures out over the ledger: the failures and the unidentified attempts as SQL
// aggregates, the unit figures in one pass over the attempts in unit order. Within a group a
// unit's attempts are those of the group; its first attempt ever counts in the group that attempt
// belongs to. "" or why not.
std::string computeReport(Database& db, const ReportQuery& query, ReportFigures& out);

}  // namespace orvane::ledger
