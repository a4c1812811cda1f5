#pragma once

#include "apps/orvane/Report.h"
#include "apps/orvane/Session.h"
#include "apps/orvane/ledger/Ledger.h"
#include "apps/orvane/line/Line.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace orvane::cli {

// One attempt at a module, as its record gives it.
struct Attempt {
    std::string uuid;  // made before the attempt's first byte
    std::string port;  // as given with --port
    const StepResult* write = nullptr;
    const StepResult* check = nullptr;  // when one ran
    Verdict verdict;
    int attempt = 1;
};

// Where the results of the modules are kept: the windows' operation log (--log: each module that
// passed) and the record file (--record: one JSON object per module and attempt, pass or fail).
// Each record is one synced write that is taken back when it fails.
class ModuleRecords {
public:
    struct Files {
        std::string logFile;     // as given; "" for none
        std::string recordFile;  // as given; "" for none
        std::string recordPath;  // where the record file is
        std::map<std::string, std::string> labels;
        std::string orvaneVersion;               // "1.5.2"
        ledger::Ledger* ledger = nullptr;        // the station's ledger; nullptr for none
        line::LineUploader* uploader = nullptr;  // copies each committed row to the line; nullptr for none
        std::string ledgerPath;
        std::string ledgerError;  // why the ledger asked for could not be opened
        std::string station;
    };

    // `app` is a rig's window: its log and its channel texts.
    ModuleRecords(App& app, IFileSystem& files, const Files& config);

    // Why the files could not take records, checked before anything is sent (nothing is created).
    std::vector<std::string> refusals() const;
    // The log record of a module the check confirmed; the failure when it could not be appended.
    std::optional<Verdict> logPassed(const StepResult& write);
    // The record of one attempt (the ledger's row, then the record file's line); the failure when
    // it could not be kept. The ledger's row is committed when this returns.
    std::optional<Verdict> record(const Attempt& attempt);
    // When and where the unit passed before, as the ledger knows it.
    std::optional<ledger::LastPass> passedBefore(const std::string& serial);

private:
    ledger::AttemptRow ledgerRow(const Attempt& attempt) const;

    App& m_app;
    IFileSystem& m_files;
    const Files& m_config;
};

// The channels of an attempt's record: the frequency each is set to, and the text as entered.
struct RecordedChannels {
    std::array<std::string, 4> set;
    std::array<std::string, 4> entered;
};

// The JSON object of an attempt's record (one line, no line end).
std::string recordLine(const Attempt& attempt, const std::string& moduleName,
                       const RecordedChannels& channels, const std::map<std::string, std::string>& labels,
                       const std::string& orvaneVersion);

}  // namespace orvane::cli
