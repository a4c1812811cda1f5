#include "apps/orvane/ReportOutput.h"

#include <algorithm>
#include <cstdio>

namespace orvane::cli {

namespace {

using ledger::GroupFigures;
using ledger::ReportFigures;

std::string html(const std::string& text) {
    std::string escaped;
    for (char c : text) {
        switch (c) {
            case '&':
                escaped += "&amp;";
                break;
            case '<':
                escaped += "&lt;";
                break;
            case '>':
                escaped += "&gt;";
                break;
            case '"':
                escaped += "&quot;";
                break;
            default:
                escaped += c;
        }
    }
    return escaped;
}

std::string number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", value);
    return text;
}

struct Bar {
    std::string label;
    double value = 0;  // 0..max
    std::string text;  // written beside the bar
    const char* colour;
};

// A horizontal bar chart: one row per bar, the label left, the bar scaled to `max`, its text right.
std::string barChart(const std::string& title, const std::vector<Bar>& bars, double max) {
    constexpr int kLabel = 180, kWidth = 360, kRow = 22;
    const int height = kRow * static_cast<int>(bars.size()) + 30;
    std::string svg = "<h2>" + html(title) + "</h2>\n<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
                      std::to_string(kLabel + kWidth + 120) + "\" height=\"" + std::to_string(height) +
                      "\" role=\"img\" aria-label=\"" + html(title) + "\">\n";
    int y = 10;
    for (const Bar& bar : bars) {
        const double width = max <= 0 ? 0 : kWidth * std::clamp(bar.value / max, 0.0, 1.0);
        svg += "<text x=\"" + std::to_string(kLabel - 6) + "\" y=\"" + std::to_string(y + 14) +
               "\" text-anchor=\"end\">" + html(bar.label) + "</text>";
        svg += "<rect x=\"" + std::to_string(kLabel) + "\" y=\"" + std::to_string(y + 2) + "\" width=\"" +
               number(width) + "\" height=\"" + std::to_string(kRow - 6) + "\" fill=\"" + bar.colour + "\"/>";
        svg += "<text x=\"" + number(kLabel + width + 6) + "\" y=\"" + std::to_string(y + 14) + "\">" +
               html(bar.text) + "</text>\n";
        y += kRow;
    }
    return svg + "</svg>\n";
}

std::vector<Bar> yieldBars(const std::string& name, const GroupFigures& g) {
    auto share = [](std::int64_t part, std::int64_t whole) {
        return whole == 0 ? 0.0 : 100.0 * static_cast<double>(part) / static_cast<double>(whole);
    };
    return {{name + " first-pass", share(g.firstPassed, g.newUnits), percent(g.firstPassed, g.newUnits),
             "#4a7ab5"},
            {name + " final", share(g.finalPassed, g.units), percent(g.finalPassed, g.units), "#3c9a5f"}};
}

}  // namespace

std::string reportPage(const ReportTitle& title, const ReportFigures& figures) {
    std::string heading = "Unit report";
    if (!title.by.empty()) heading += " by " + title.by;
    std::string period = (title.since.empty() ? "from the start" : "from " + title.since) +
                         (title.until.empty() ? " up to now" : " until " + title.until) + " (local time)";
    std::string page =
        "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\"><title>" + html(heading) +
        "</title>\n<style>body{font-family:sans-serif;margin:2em;color:#222}"
        "table{border-collapse:collapse}td,th{border:1px solid #bbb;padding:3px 8px;text-align:right}"
        "td:first-child,th:first-child,td:last-child{text-align:left}svg text{font-size:13px}</style>"
        "</head><body>\n<h1>" +
        html(heading) + "</h1>\n<p>Attempts " + html(period) + ".</p>\n<table>\n<tr><th>" +
        html(title.by.empty() ? "" : title.by) +
        "</th><th>units</th><th>first-pass yield</th><th>final yield</th><th>retest rate</th>"
        "<th>attempts per unit</th><th>unidentified</th><th>failures</th></tr>\n";
    auto row = [&page](const std::string& name, const GroupFigures& g) {
        std::string failures;
        for (const auto& f : g.failures)
            failures += (failures.empty() ? "" : ", ") + f.reason + " " + std::to_string(f.count);
        char perUnit[32];
        std::snprintf(perUnit, sizeof perUnit, "%.2f", g.attemptsPerUnit());
        page += "<tr><td>" + html(name) + "</td><td>" + std::to_string(g.units) + "</td><td>" +
                percent(g.firstPassed, g.newUnits) + "</td><td>" + percent(g.finalPassed, g.units) +
                "</td><td>" + percent(g.retested, g.units) + "</td><td>" + (g.units == 0 ? "-" : perUnit) +
                "</td><td>" + std::to_string(g.unidentified) + "</td><td>" +
                html(failures.empty() ? "-" : failures) + "</td></tr>\n";
    };
    for (const GroupFigures& g : figures.groups)
        row(g.group.empty() ? "(none)" : g.group, g);
    row("total", figures.total);
    page += "</table>\n";

    std::vector<Bar> yields;
    for (const GroupFigures& g : figures.groups)
        for (Bar& bar : yieldBars(g.group.empty() ? "(none)" : g.group, g))
            yields.push_back(std::move(bar));
    for (Bar& bar : yieldBars("total", figures.total))
        yields.push_back(std::move(bar));
    page += barChart("Yield per group (%)", yields, 100.0);

    std::vector<Bar> failures;
    std::int64_t most = 0;
    for (const auto& f : figures.total.failures) {
        failures.push_back({f.reason, static_cast<double>(f.count), std::to_string(f.count), "#c0504d"});
        most = std::max(most, f.count);
    }
    if (failures.empty())
        page += "<h2>Failures by reason</h2>\n<p>No failed attempts.</p>\n";
    else
        page += barChart("Failures by reason", failures, static_cast<double>(most));
    return page + "</body></html>\n";
}

}  // namespace orvane::cli
