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

// The attempts with their group; the label join only when grouping by a label. Over all time a
// unit's attempts are read in the order of the serial index (no sorting, nothing but the index
// read for the total); a period is found through the start index.
std::string labelJoin(GroupBy by) {
    return by == GroupBy::Label ? " LEFT JOIN label l ON l.attempt_id = t.id AND l.key = ?3" : "";
}

std::string from(const ReportQuery& query, GroupBy by) {
    std::string sql = " FROM attempt t INDEXED BY ";
    sql +=
        query.sinceMs == std::numeric_limits<std::int64_t>::min() ? "attempt_by_serial" : "attempt_by_start";
    return sql + labelJoin(by);
}

constexpr const char* kInPeriod = " WHERE t.start_ms >= ?1 AND t.start_ms < ?2";

// Per group and unit: its attempts, whether it had more than one, whether its last one passed
// (SQLite takes a bare column from the row that max() chose: one unit is never on two rigs in
// the same millisecond), and whether its first attempt ever lies here and passed. For the total
// the serial index already holds the units in order: grouping by the serial alone needs no sort.
std::string unitsSql(const ReportQuery& query, GroupBy by) {
    const std::string perUnit = std::string("SELECT ") + groupSql(by) +
                                " AS grp, count(*) AS n, max(t.start_ms), t.outcome AS last_outcome,"
                                " sum(t.first_of_unit) AS first,"
                                " sum(t.first_of_unit AND t.outcome = 'pass') AS first_passed" +
                                from(query, by) + kInPeriod + " AND t.serial <> '' GROUP BY t.serial" +
                                (by == GroupBy::Nothing ? "" : ", grp");
    return "SELECT grp, count(*), sum(n), sum(n > 1), sum(last_outcome = 'pass'), sum(first), "
           "sum(first_passed)"
           " FROM (" +
           perUnit + ") GROUP BY grp";
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

// Runs the three queries of one grouping into `groups`, keyed by group.
std::string gather(Database& db, const ReportQuery& query, GroupBy by,
                   std::map<std::string, GroupFigures>& groups) {
    auto run = [&](const std::string& sql, auto&& onRow) -> std::string {
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
    };
    std::string why = run(unitsSql(query, by), [](const Statement& q, GroupFigures& g) {
        g.units = q.integer(1);
        g.attempts = q.integer(2);
        g.retested = q.integer(3);
        g.finalPassed = q.integer(4);
        g.newUnits = q.integer(5);
        g.firstPassed = q.integer(6);
    });
    if (why.empty())
        why = run(unidentifiedSql(by),
                  [](const Statement& q, GroupFigures& g) { g.unidentified = q.integer(1); });
    if (why.empty())
        why = run(failuresSql(by), [](const Statement& q, GroupFigures& g) {
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
    std::map<std::string, GroupFigures> total;
    std::string why = gather(db, query, GroupBy::Nothing, total);
    std::map<std::string, GroupFigures> groups;
    if (why.empty() && query.by != GroupBy::Nothing) why = gather(db, query, query.by, groups);
    db.exec("COMMIT");
    if (!why.empty()) return why;
    if (!total.empty()) out.total = total.begin()->second;
    for (auto& [name, figures] : groups)
        out.groups.push_back(std::move(figures));
    return {};
}

}  // namespace orvane::ledger
