#pragma once

#include "apps/orvane/production/Verdict.h"
#include "core/platform/IEventLoop.h"
#include "core/shell/App.h"

#include <functional>
#include <optional>
#include <string>

namespace orvane::cli {

// Wall-clock time as the command reports it: ISO 8601 in UTC.
using Timestamp = std::function<std::string()>;

// One exchange's result: its outcome and the verdict it gives, and when it ran.
struct StepResult {
    ExchangeKind step = ExchangeKind::GetInfo;
    int channel = -1;  // the channel a test ran on
    Outcome outcome;
    Verdict verdict;
    std::string started;  // timestamps
    std::string ended;
    long long elapsedMs = 0;
};

// Where an exchange is: step n of m, on a channel (-1: none), for a progress line.
using ProgressFn = std::function<void(ExchangeKind, int n, int of, int channel)>;

// Runs the program's own exchanges through its headless face, one at a time, and hands on each
// exchange's outcome once its end has run. It never sends anything itself.
class Session : private IProgressWatcher {
public:
    Session(App& app, IEventLoop& loop, Timestamp timestamp);
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;
    ~Session() override;

    // Opens the port (a COMn name or a device path). Nothing when it is open, else why not.
    std::optional<std::string> open(const std::string& port) { return m_app.openPort(port); }
    // Closes the port when it is open and nothing runs.
    void close() { m_app.link().close(); }

    // Starts an exchange (`channel` for a test); `done` follows once it has ended.
    void run(ExchangeKind step, int channel, std::function<void(const StepResult&)> done);
    bool running() const { return m_running; }
    // The technician's abort: closes the port, which ends a running exchange as a port failure.
    void abort();

    // Which modules a write may go on to write once they have identified themselves.
    void setAdmission(IAdmission* admission) { m_app.write().setAdmission(admission); }
    void setProgress(ProgressFn progress) { m_progress = std::move(progress); }

    IEventLoop& loop() { return m_loop; }

private:
    void progressed(ExchangeKind exchange, const Progress& where) override;
    void ended(const Outcome& outcome);

    App& m_app;
    IEventLoop& m_loop;
    Timestamp m_timestamp;
    ProgressFn m_progress;

    // The exchange running, if any.
    bool m_running = false;
    StepResult m_result;
    long long m_startMs = 0;
    std::function<void(const StepResult&)> m_done;
};

}  // namespace orvane::cli
