#pragma once

#include "apps/orvane/ledger/ReportFigures.h"

#include <ostream>
#include <string>

namespace orvane::cli {

// What a report covers, as the reader gave it.
struct ReportTitle {
    std::string since;  // "" for from the start
    std::string until;  // "" for up to now
    std::string by;     // "" for the total only
};

// The report on stdout: aligned text, one JSON object per group and the total, or CSV.
void writeReportText(std::ostream& out, const ReportTitle& title, const ledger::ReportFigures& figures);
void writeReportJson(std::ostream& out, const ReportTitle& title, const ledger::ReportFigures& figures);
void writeReportCsv(std::ostream& out, const ledger::ReportFigures& figures);
// One self-contained page: the table and inline SVG bar charts, nothing fetched, no script.
std::string reportPage(const ReportTitle& title, const ledger::ReportFigures& figures);

// "93.8%", or "-" when there was nothing to count.
std::string percent(std::int64_t part, std::int64_t whole);

}  // namespace orvane::cli
