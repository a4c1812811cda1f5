#include "apps/orvane/LineCommands.h"

#include "apps/orvane/Report.h"
#include "apps/orvane/line/Line.h"
#include "apps/orvane/production/Verdict.h"

namespace orvane::cli {

namespace {

// The reason a status stands for in the end line.
const char* reasonOf(int status) {
    switch (status) {
        case kExitSuccess:
            return "null";
        case kExitUsage:
            return "\"usage-error\"";
        case kExitFile:
            return "\"ledger-error\"";
        default:
            return "\"line-error\"";
    }
}

int end(std::ostream& out, std::ostream& err, bool json, int status, const std::string& why) {
    if (!why.empty()) err << "orvane: " << why << '\n';
    if (json)
        out << "{\"step\":\"end\",\"exit\":" << status << ",\"reason\":" << reasonOf(status)
            << ",\"detail\":" << (why.empty() ? "null" : jsonString(why)) << "}\n";
    return status;
}

int sync(const Options& options, std::ostream& out, std::ostream& err, const std::string& url,
         const ledger::EnvironmentLookup& environment) {
    const ledger::LedgerChoice choice =
        ledger::chooseLedger(options.ledgerFile, false, ledger::nativePathStyle(), environment);
    if (!choice.error.empty()) return end(out, err, options.json, kExitFile, choice.error);
    const line::SyncResult result = line::syncLedger(choice.path, url);
    if (result.pending < 0 && result.uploaded == 0)
        return end(out, err, options.json, kExitFile, result.error);
    if (options.json)
        out << "{\"step\":\"sync\",\"uploaded\":" << result.uploaded << ",\"pending\":" << result.pending
            << "}\n";
    else
        out << result.uploaded << (result.uploaded == 1 ? " attempt" : " attempts") << " copied to the line, "
            << result.pending << " left in the outbox\n";
    return end(out, err, options.json, result.error.empty() ? kExitSuccess : kExitLine, result.error);
}

}  // namespace

int runLineCommand(const Options& options, std::ostream& out, std::ostream& err,
                   const ledger::EnvironmentLookup& environment) {
    const line::LineChoice choice = line::chooseLine(options.lineUrl, environment);
    if (!choice.error.empty()) return end(out, err, options.json, kExitLine, choice.error);
    if (choice.url.empty())
        return end(out, err, options.json, kExitUsage, "no line named: give --line URL or set ORVANE_LINE");
    if (options.command == Command::Sync) return sync(options, out, err, choice.url, environment);
    if (std::string why = line::initLine(choice.url); !why.empty())
        return end(out, err, options.json, kExitLine, why);
    if (!options.json) out << "the line's tables are ready\n";
    return end(out, err, options.json, kExitSuccess, {});
}

}  // namespace orvane::cli
