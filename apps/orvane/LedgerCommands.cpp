#include "apps/orvane/LedgerCommands.h"

#include "apps/orvane/Report.h"
#include "apps/orvane/ReportOutput.h"
#include "apps/orvane/ledger/Ledger.h"
#include "apps/orvane/ledger/TimeText.h"
#include "apps/orvane/line/Line.h"
#include "apps/orvane/production/Verdict.h"

#include <fstream>

namespace orvane::cli {

namespace {

using namespace ledger;

std::string jsonOrNull(const std::string& text) {
    return text.empty() ? "null" : jsonString(text);
}

// The last line of a run with --json, as every command ends.
void endLine(std::ostream& out, bool json, int exit, const std::string& detail) {
    if (!json) return;
    out << "{\"step\":\"end\",\"exit\":" << exit << ",\"reason\":"
        << (exit == kExitSuccess ? "null"
            : exit == kExitLine  ? jsonString(reasonCode(Reason::LineError))
                                 : jsonString(reasonCode(Reason::LedgerError)))
        << ",\"detail\":" << jsonOrNull(detail) << "}\n";
}

int fail(std::ostream& out, std::ostream& err, bool json, const std::string& why, int status = kExitFile) {
    err << "orvane: " << why << '\n';
    endLine(out, json, status, why);
    return status;
}

std::string failureText(const AttemptRow& row) {
    std::string text = row.reason;
    if (!row.failCommand.empty()) text += " (" + row.failCommand + ")";
    if (row.failChannel >= 0) text += " on channel " + std::to_string(row.failChannel);
    return text;
}

void writeHistory(std::ostream& out, bool json, const std::string& serial, const UnitHistory& history) {
    if (json) {
        for (const AttemptRow& row : history.attempts)
            out << "{\"step\":\"attempt\",\"serial\":" << jsonString(serial)
                << ",\"uuid\":" << jsonString(row.uuid) << ",\"station\":" << jsonOrNull(row.station)
                << ",\"port\":" << jsonOrNull(row.port) << ",\"started\":\"" << utcText(row.startMs)
                << "\",\"ended\":\"" << utcText(row.endMs) << "\",\"outcome\":\""
                << (row.passed ? "pass" : "fail") << "\",\"reason\":" << jsonOrNull(row.reason)
                << ",\"command\":" << jsonOrNull(row.failCommand)
                << ",\"channel\":" << (row.failChannel < 0 ? "null" : std::to_string(row.failChannel))
                << ",\"attempt\":" << row.attempt << "}\n";
        out << "{\"step\":\"holds\",\"serial\":" << jsonString(serial)
            << ",\"passed\":" << (history.lastPass ? "true" : "false");
        if (const auto& pass = history.lastPass) {
            out << ",\"since\":\"" << utcText(pass->endMs) << "\",\"station\":" << jsonOrNull(pass->station)
                << ",\"port\":" << jsonOrNull(pass->port) << ",\"frequencies\":[";
            for (std::size_t ch = 0; ch < 4; ++ch)
                out << (ch > 0 ? "," : "") << jsonOrNull(pass->channels[ch].frequency);
            out << "]";
        }
        out << "}\n";
        return;
    }
    if (history.attempts.empty()) {
        out << serial << ": no attempts\n";
        return;
    }
    out << serial << ": " << history.attempts.size()
        << (history.attempts.size() == 1 ? " attempt" : " attempts") << ", newest first (local time)\n";
    for (const AttemptRow& row : history.attempts) {
        out << "  " << localText(row.startMs) << "  " << row.station << "  " << row.port << "  "
            << (row.passed ? "PASS" : "FAIL");
        if (!row.passed) out << "  " << failureText(row);
        out << '\n';
    }
    const auto& pass = history.lastPass;
    if (!pass) {
        out << "never passed\n";
        return;
    }
    out << "holds since " << localText(pass->endMs) << " (" << pass->station << " " << pass->port << "):";
    for (std::size_t ch = 0; ch < 4; ++ch)
        out << "  Ch" << ch << ' '
            << (pass->channels[ch].frequency.empty() ? "-" : pass->channels[ch].frequency);
    out << '\n';
}

int history(const Options& options, std::ostream& out, std::ostream& err, Ledger& ledger) {
    UnitHistory found;
    if (std::string why = ledger.history(options.serial, found); !why.empty())
        return fail(out, err, options.json, ledger.path() + ": " + why);
    writeHistory(out, options.json, options.serial, found);
    endLine(out, options.json, kExitSuccess, {});
    return kExitSuccess;
}

ReportQuery queryOf(const Options& options) {
    ReportQuery query;
    if (const auto since = parseLocalMoment(options.since)) query.sinceMs = since->ms;
    if (const auto until = parseLocalMoment(options.until)) query.untilMs = until->dayEndMs;
    const struct {
        const char* name;
        GroupBy by;
    } kGroups[] = {{"day", GroupBy::Day},
                   {"station", GroupBy::Station},
                   {"rig", GroupBy::Rig},
                   {"module", GroupBy::Module}};
    if (options.by.empty()) return query;
    query.by = GroupBy::Label;
    query.label = options.by;
    for (const auto& group : kGroups)
        if (options.by == group.name) query.by = group.by;
    return query;
}

int report(const Options& options, std::ostream& out, std::ostream& err, Ledger& ledger) {
    ReportFigures figures;
    if (std::string why = computeReport(ledger.database(), queryOf(options), figures); !why.empty())
        return fail(out, err, options.json, ledger.path() + ": " + why);
    const ReportTitle title{options.since, options.until, options.by};
    if (!options.htmlFile.empty()) {
        std::ofstream page(options.htmlFile, std::ios::binary | std::ios::trunc);
        page << reportPage(title, figures);
        page.close();
        if (!page) return fail(out, err, options.json, "--html " + options.htmlFile + ": cannot be written");
    }
    if (options.json)
        writeReportJson(out, title, figures);
    else if (options.csv)
        writeReportCsv(out, figures);
    else
        writeReportText(out, title, figures);
    endLine(out, options.json, kExitSuccess, {});
    return kExitSuccess;
}

// With --line: the line's attempts that the answer needs, copied into a ledger in memory, so that
// the line is answered with the very same queries as the station.
int fromLine(const Options& options, std::ostream& out, std::ostream& err) {
    if (const std::string why = line::tlsRefusal(options.lineUrl); !why.empty())
        return fail(out, err, options.json, why, kExitLine);
    auto opened = Ledger::open(":memory:");
    if (!opened.ledger) return fail(out, err, options.json, opened.error);
    const std::string why = options.command == Command::History
                                ? line::loadUnit(options.lineUrl, options.serial, *opened.ledger)
                                : line::loadPeriod(options.lineUrl, queryOf(options), *opened.ledger);
    if (!why.empty()) return fail(out, err, options.json, "the line: " + why, kExitLine);
    return options.command == Command::History ? history(options, out, err, *opened.ledger)
                                               : report(options, out, err, *opened.ledger);
}

}  // namespace

int runLedgerCommand(const Options& options, std::ostream& out, std::ostream& err,
                     const EnvironmentLookup& environment) {
    if (!options.lineUrl.empty()) return fromLine(options, out, err);
    const LedgerChoice choice = chooseLedger(options.ledgerFile, false, nativePathStyle(), environment);
    if (!choice.error.empty()) return fail(out, err, options.json, choice.error);
    auto opened = Ledger::openExisting(choice.path);
    if (!opened.ledger) return fail(out, err, options.json, opened.error);
    return options.command == Command::History ? history(options, out, err, *opened.ledger)
                                               : report(options, out, err, *opened.ledger);
}

}  // namespace orvane::cli
