// The ledger's costs: one attempt committed with synchronous=FULL (a real fsync), and the answers
// over a generated ledger of 1 000 000 attempts (a unit's history, the report by lot). The large
// ledger is made once in the temporary folder and reused by later runs.
#include "apps/orvane/ledger/Ledger.h"
#include "apps/orvane/ledger/ReportFigures.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <vector>

namespace {

using namespace orvane::ledger;
namespace fs = std::filesystem;

constexpr int kAttempts = 1'000'000;

AttemptRow sampleRow(const std::string& serial) {
    AttemptRow row;
    row.uuid = newUuid();
    row.serial = serial;
    row.moduleType = "transmitter";
    row.firmware = "T1.02";
    row.station = "station-3";
    row.port = "COM5";
    row.labels = {{"lot", "7"}, {"operator", "kb"}};
    row.passed = true;
    for (auto& channel : row.channels)
        channel = {"869.9250", "869.9250", "42 95 5A 1D 1C 0A 6E 70 40 FF 0C 41",
                   "42 95 5A 1D 1C 0A 6E 70 40 FF 0C 41"};
    return row;
}

// Milliseconds of each iteration, reported as median and 99th percentile.
void percentiles(benchmark::State& state, std::vector<double>& ms) {
    if (ms.empty()) return;
    std::sort(ms.begin(), ms.end());
    state.counters["median_ms"] = ms[ms.size() / 2];
    state.counters["p99_ms"] = ms[std::min(ms.size() - 1, ms.size() * 99 / 100)];
}

void AppendOneAttempt(benchmark::State& state) {
    const fs::path folder = fs::temp_directory_path() / "orvane-ledger-bench-append";
    fs::remove_all(folder);
    auto opened = Ledger::open((folder / "ledger.db").string());
    if (!opened.ledger) {
        state.SkipWithError(opened.error.c_str());
        return;
    }
    std::vector<double> ms;
    int n = 0;
    for (auto _ : state) {
        const AttemptRow row = sampleRow(std::to_string(n++));
        const auto start = std::chrono::steady_clock::now();
        if (!opened.ledger->append(row).empty()) state.SkipWithError("append failed");
        ms.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    percentiles(state, ms);
    opened.ledger.reset();
    fs::remove_all(folder);
}
BENCHMARK(AppendOneAttempt)->Iterations(500)->Unit(benchmark::kMillisecond);

// 1 000 000 attempts over a year: about 870 000 units on 4 stations x 2 rigs, 400 lots, one
// attempt in eight failed and retried; written in one transaction, straight through SQL.
std::string bigLedger() {
    const fs::path path = fs::temp_directory_path() / "orvane-ledger-bench-1M.db";
    if (fs::exists(path)) {
        auto opened = Ledger::openExisting(path.string());
        if (opened.ledger && opened.ledger->database().integer("SELECT count(*) FROM attempt") == kAttempts)
            return path.string();
        opened.ledger.reset();
        fs::remove(path);
    }
    auto opened = Ledger::open(path.string());
    Database& db = opened.ledger->database();
    db.exec("PRAGMA synchronous = OFF; BEGIN");
    Statement attempt(
        db,
        "INSERT INTO attempt (uuid, serial, module_type, firmware, factory_date, factory_offset, "
        "station, port, start_ms, end_ms, outcome, reason, fail_command, fail_channel, attempt, "
        "orvane_version, first_of_unit) VALUES (?1, ?2, 'transmitter', 'T1.02', '2024/03/11', '-3', ?3, ?4, "
        "?5, "
        "?5 + 3500, ?6, ?7, '', NULL, ?8, '1.5.2', ?8 = 1)");
    Statement channel(db, "INSERT INTO channel VALUES (?1, ?2, '869.9250', '869.9250', '42 95 5A 1D', ?3)");
    Statement label(db, "INSERT INTO label VALUES (?1, ?2, ?3)");
    Statement outbox(db, "INSERT INTO outbox VALUES (?1)");
    const char* reasons[] = {"no-response", "discrepancy", "flash-write-error", "port-error"};
    std::mt19937 random(7);
    const std::int64_t yearStart = 1'765'000'000'000;
    std::int64_t unit = 0;
    int retry = 1;
    for (int i = 0; i < kAttempts; ++i) {
        const bool failed = random() % 8 == 0;
        const std::int64_t start = yearStart + static_cast<std::int64_t>(i) * 31'000;
        const std::int64_t station = unit % 4;
        char serial[24];
        std::snprintf(serial, sizeof serial, "%08lld", static_cast<long long>(unit));
        attempt.reset();
        attempt.bind(1, newUuid()).bind(2, serial).bind(3, "station-" + std::to_string(station));
        attempt.bind(4, "COM" + std::to_string(5 + unit % 2))
            .bind(5, start)
            .bind(6, failed ? "fail" : "pass");
        attempt.bind(7, failed ? reasons[random() % 4] : "").bind(8, std::int64_t{retry});
        attempt.run();
        const std::int64_t id = db.lastInsertId();
        for (std::int64_t ch = 0; ch < 4; ++ch) {
            channel.reset();
            channel.bind(1, id).bind(2, ch).bind(3, "42 95 5A 1D");
            channel.run();
        }
        for (const auto& [key, value] :
             {std::pair<std::string, std::string>{"lot", std::to_string(unit / 2200)}, {"operator", "kb"}}) {
            label.reset();
            label.bind(1, id).bind(2, key).bind(3, value);
            label.run();
        }
        outbox.reset();
        outbox.bind(1, id);
        outbox.run();
        // A failed unit is tried again (once or twice), a passed one leaves the rig.
        if (failed && retry < 3) {
            ++retry;
        } else {
            retry = 1;
            ++unit;
        }
    }
    db.exec("COMMIT");
    return path.string();
}

void HistoryOfOneUnit(benchmark::State& state) {
    auto opened = Ledger::openExisting(bigLedger());
    std::vector<double> ms;
    std::mt19937 random(3);
    for (auto _ : state) {
        char serial[16];
        std::snprintf(serial, sizeof serial, "%08u", static_cast<unsigned>(random() % 800'000));
        UnitHistory history;
        const auto start = std::chrono::steady_clock::now();
        opened.ledger->history(serial, history);
        ms.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        benchmark::DoNotOptimize(history);
    }
    percentiles(state, ms);
}
BENCHMARK(HistoryOfOneUnit)->Iterations(200)->Unit(benchmark::kMillisecond);

// The report by lot over the whole year (every attempt), and over one day.
void ReportByLot(benchmark::State& state) {
    auto opened = Ledger::openExisting(bigLedger());
    ReportQuery query;
    query.by = GroupBy::Label;
    query.label = "lot";
    if (state.range(0) == 1) {
        query.sinceMs = 1'765'000'000'000 + 100 * 86'400'000LL;
        query.untilMs = query.sinceMs + 86'400'000LL;
    }
    std::vector<double> ms;
    for (auto _ : state) {
        ReportFigures figures;
        const auto start = std::chrono::steady_clock::now();
        if (!computeReport(opened.ledger->database(), query, figures).empty())
            state.SkipWithError("report failed");
        ms.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        benchmark::DoNotOptimize(figures);
    }
    percentiles(state, ms);
}
BENCHMARK(ReportByLot)->Arg(0)->Arg(1)->Iterations(5)->Unit(benchmark::kMillisecond);

}  // namespace
