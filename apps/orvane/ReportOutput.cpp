#include "apps/orvane/ReportOutput.h"

#include "apps/orvane/Report.h"

#include <cstdio>
#include <vector>

namespace orvane::cli {

namespace {

using ledger::GroupFigures;
using ledger::ReportFigures;

std::string fixed(double value, int decimals) {
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

// A ratio as a JSON number with four decimals, or null when there was nothing to count.
std::string jsonRatio(std::int64_t part, std::int64_t whole) {
    return whole == 0 ? "null" : fixed(static_cast<double>(part) / static_cast<double>(whole), 4);
}

std::string failuresText(const GroupFigures& g) {
    std::string text;
    for (const auto& f : g.failures)
        text += (text.empty() ? "" : ", ") + f.reason + " " + std::to_string(f.count);
    return text.empty() ? "-" : text;
}

std::string csvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (char c : text)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

std::string period(const ReportTitle& title) {
    std::string text = "attempts";
    text += title.since.empty() ? " from the start" : " from " + title.since;
    text += title.until.empty() ? " up to now" : " until " + title.until;
    return text + " (local time)";
}

}  // namespace

std::string percent(std::int64_t part, std::int64_t whole) {
    if (whole == 0) return "-";
    return fixed(100.0 * static_cast<double>(part) / static_cast<double>(whole), 1) + "%";
}

void writeReportText(std::ostream& out, const ReportTitle& title, const ReportFigures& figures) {
    out << "Report: " << period(title) << (title.by.empty() ? "" : ", by " + title.by) << '\n';
    std::vector<std::vector<std::string>> rows = {{title.by.empty() ? "" : title.by, "units", "first-pass",
                                                   "final", "retest", "att/unit", "unidentified",
                                                   "failures"}};
    auto add = [&rows](const std::string& name, const GroupFigures& g) {
        rows.push_back({name, std::to_string(g.units), percent(g.firstPassed, g.newUnits),
                        percent(g.finalPassed, g.units), percent(g.retested, g.units),
                        g.units == 0 ? "-" : fixed(g.attemptsPerUnit(), 2), std::to_string(g.unidentified),
                        failuresText(g)});
    };
    for (const GroupFigures& g : figures.groups)
        add(g.group.empty() ? "(none)" : g.group, g);
    add("total", figures.total);
    std::vector<std::size_t> widths(rows.front().size(), 0);
    for (const auto& row : rows)
        for (std::size_t i = 0; i < row.size(); ++i)
            widths[i] = std::max(widths[i], row[i].size());
    for (const auto& row : rows) {
        std::string line;
        for (std::size_t i = 0; i < row.size(); ++i) {
            std::string cell = row[i];
            if (i + 1 < row.size()) cell.resize(widths[i] + 2, ' ');
            line += cell;
        }
        out << line << '\n';
    }
}

void writeReportJson(std::ostream& out, const ReportTitle& title, const ReportFigures& figures) {
    auto line = [&](const char* step, const GroupFigures& g) {
        out << "{\"step\":\"" << step << "\",\"by\":" << (title.by.empty() ? "null" : jsonString(title.by));
        if (std::string(step) == "group") out << ",\"group\":" << jsonString(g.group);
        out << ",\"units\":" << g.units << ",\"attempts\":" << g.attempts
            << ",\"unidentified\":" << g.unidentified << ",\"new_units\":" << g.newUnits
            << ",\"first_passed\":" << g.firstPassed
            << ",\"first_pass_yield\":" << jsonRatio(g.firstPassed, g.newUnits)
            << ",\"final_passed\":" << g.finalPassed
            << ",\"final_yield\":" << jsonRatio(g.finalPassed, g.units) << ",\"retested\":" << g.retested
            << ",\"retest_rate\":" << jsonRatio(g.retested, g.units)
            << ",\"attempts_per_unit\":" << jsonRatio(g.attempts, g.units) << ",\"failures\":[";
        for (std::size_t i = 0; i < g.failures.size(); ++i)
            out << (i > 0 ? "," : "") << "{\"reason\":" << jsonString(g.failures[i].reason)
                << ",\"count\":" << g.failures[i].count << "}";
        out << "]}\n";
    };
    for (const GroupFigures& g : figures.groups)
        line("group", g);
    line("total", figures.total);
}

void writeReportCsv(std::ostream& out, const ReportFigures& figures) {
    out << "group,units,attempts,unidentified,new_units,first_passed,first_pass_yield,final_passed,final_"
           "yield,"
           "retested,retest_rate,attempts_per_unit,failures\r\n";
    auto row = [&out](const std::string& name, const GroupFigures& g) {
        auto ratio = [](std::int64_t part, std::int64_t whole) {
            return whole == 0 ? std::string() : jsonRatio(part, whole);
        };
        std::string failures;
        for (const auto& f : g.failures)
            failures += (failures.empty() ? "" : ";") + f.reason + ":" + std::to_string(f.count);
        out << csvField(name) << ',' << g.units << ',' << g.attempts << ',' << g.unidentified << ','
            << g.newUnits << ',' << g.firstPassed << ',' << ratio(g.firstPassed, g.newUnits) << ','
            << g.finalPassed << ',' << ratio(g.finalPassed, g.units) << ',' << g.retested << ','
            << ratio(g.retested, g.units) << ',' << ratio(g.attempts, g.units) << ',' << csvField(failures)
            << "\r\n";
    };
    for (const GroupFigures& g : figures.groups)
        row(g.group, g);
    row("(total)", figures.total);
}

}  // namespace orvane::cli
