#include "apps/orvane/ledger/ReportFigures.h"

#include <map>

namespace orvane::ledger {

namespace {

// The group of an attempt `t` as SQL. Only these constant fragments ever enter the SQL text; the
// period and the label key are bound values (?1, ?2, ?3).
const char* groupSql(GroupBy by) {
    switch (by) {
        case GroupBy::Nothing:
            return "''";
        case GroupBy::Day:
            return "date(t.start_ms / 1000, 'unixepoch', 'localtime')";
        case GroupBy::Station:
            return "t.station";
        case GroupBy::Rig:
            return "t.station || ' ' || t.port";
        case GroupBy::Module:
            return "t.module_type";
        case GroupBy::Label:
            return "coalesce(l.value, '')";
    }
    return "''";
}

// The label's value beside each attempt, only when grouping by a label.
std::string labelJoin(GroupBy by) {
    return by == GroupBy::Label ? " LEFT JOIN label l ON l.attempt_id = t.id AND l.key = ?3" : "";
}

// The attempts with their group. Over all time they are read through the serial index, which
// holds everything the unit figures need; a period is found through the start index.
std::string from(const ReportQuery& query, GroupBy by) {
    std::string sql = " FROM attempt t INDEXED BY ";
    sql +=
        query.sinceMs == std::numeric_limits<std::int64_t>::min() ? "attempt_by_serial" : "attempt_by_start";
    return sql + labelJoin(by);
}

constexpr const char* kInPeriod = " WHERE t.start_ms >= ?1 AND t.start_ms < ?2";

// The period's attempts of identified units, a unit's attempts one after the other: over all time
// straight from the serial index (no sort), for a period from the start index, sorted.
std::string unitAttemptsSql(const ReportQuery& query, GroupBy by) {
    return std::string("SELECT t.serial, ") + groupSql(by) +
           ", t.start_ms, t.outcome = 'pass', t.first_of_unit" + from(query, by) + kInPeriod +
           " AND t.serial <> '' ORDER BY t.serial";
}

// One unit's attempts within one group (or all of them).
struct UnitTally {
    std::int64_t attempts = 0;
    std::int64_t lastMs = std::numeric_limits<std::int64_t>::min();
    bool lastPassed = false;
    std::int64_t first = 0;  // its first attempt ever is among these
    std::int64_t firstPassed = 0;

    void add(std::int64_t startMs, bool passed, bool firstOfUnit) {
        ++attempts;
        if (startMs >= lastMs) {
            lastMs = startMs;
            lastPassed = passed;
        }
        first += firstOfUnit ? 1 : 0;
        firstPassed += firstOfUnit && passed ? 1 : 0;
    }
    void countInto(GroupFigures& g) const {
        ++g.units;
        g.attempts += attempts;
        g.retested += attempts > 1 ? 1 : 0;
        g.finalPassed += lastPassed ? 1 : 0;
        g.newUnits += first;
        g.firstPassed += firstPassed;
    }
};

// The unit figures of every group and of the total in one pass over the attempts. SQLite's own
// grouping would sort the million (unit, group) pairs twice over, which costs several times the
// reading itself; here each unit is folded as its attempts go by.
std::string unitFigures(Database& db, const ReportQuery& query, std::map<std::string, GroupFigures>& groups,
                        GroupFigures& total) {
    Statement q(db, unitAttemptsSql(query, query.by));
    if (q.failed()) return q.error();
    q.bind(1, query.sinceMs).bind(2, query.untilMs);
    if (query.by == GroupBy::Label) q.bind(3, query.label);
    std::string unit;
    UnitTally all;
    std::map<std::string, UnitTally> perGroup;  // the unit's groups: mostly one
    auto flush = [&] {
        if (all.attempts == 0) return;
        all.countInto(total);
        for (const auto& [name, tally] : perGroup) {
            GroupFigures& g = groups[name];
            g.group = name;
            tally.countInto(g);
        }
        all = {};
        perGroup.clear();
    };
    while (q.step()) {
        std::string serial = q.text(0);
        if (serial != unit) {
            flush();
            unit = std::move(serial);
        }
        const std::int64_t startMs = q.integer(2);
        const bool passed = q.integer(3) != 0;
        const bool first = q.integer(4) != 0;
        all.add(startMs, passed, first);
        if (query.by != GroupBy::Nothing) perGroup[q.text(1)].add(startMs, passed, first);
    }
    flush();
    return q.error();
}

std::string unidentifiedSql(GroupBy by) {
    return std::string("SELECT ") + groupSql(by) + " AS grp, count(*) FROM attempt t" + labelJoin(by) +
           kInPeriod + " AND t.serial = '' GROUP BY grp";
}

std::string failuresSql(GroupBy by) {
    return std::string("SELECT ") + groupSql(by) +
           " AS grp, t.reason, count(*) FROM attempt t INDEXED BY attempt_failures" + labelJoin(by) +
           " WHERE t.outcome = 'fail' AND t.start_ms >= ?1 AND t.start_ms < ?2"
           " GROUP BY grp, t.reason ORDER BY grp, 3 DESC, t.reason";
}

// Runs the per-group SQL aggregate `sql` into `groups`.
template <typename OnRow>
std::string aggregate(Database& db, const ReportQuery& query, GroupBy by, const std::string& sql,
                      std::map<std::string, GroupFigures>& groups, OnRow onRow) {
    Statement q(db, sql);
    if (q.failed()) return q.error();
    q.bind(1, query.sinceMs).bind(2, query.untilMs);
    if (by == GroupBy::Label) q.bind(3, query.label);
    while (q.step()) {
        GroupFigures& g = groups[q.text(0)];
        g.group = q.text(0);
        onRow(q, g);
    }
    return q.error();
}

// The attempts without a unit and the failures by reason, of one grouping.
std::string attemptFigures(Database& db, const ReportQuery& query, GroupBy by,
                           std::map<std::string, GroupFigures>& groups) {
    std::string why = aggregate(db, query, by, unidentifiedSql(by), groups,
                                [](const Statement& q, GroupFigures& g) { g.unidentified = q.integer(1); });
    if (why.empty())
        why = aggregate(db, query, by, failuresSql(by), groups, [](const Statement& q, GroupFigures& g) {
            g.failures.push_back({q.text(1), q.integer(2)});
        });
    return why;
}

}  // namespace

std::string computeReport(Database& db, const ReportQuery& query, ReportFigures& out) {
    out = {};
    // One read transaction: the groups and the total come from the same state of the file while
    // other processes keep appending.
    if (std::string why = db.exec("BEGIN"); !why.empty()) return why;
    std::map<std::string, GroupFigures> groups;
    std::map<std::string, GroupFigures> total;
    std::string why = unitFigures(db, query, groups, total[""]);
    if (why.empty()) why = attemptFigures(db, query, GroupBy::Nothing, total);
    if (why.empty() && query.by != GroupBy::Nothing) why = attemptFigures(db, query, query.by, groups);
    db.exec("COMMIT");
    if (!why.empty()) return why;
    out.total = std::move(total[""]);
    for (auto& [name, figures] : groups)
        out.groups.push_back(std::move(figures));
    return {};
}

}  // namespace orvane::ledger
