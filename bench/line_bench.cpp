// The line's upload, in real time against a PostgreSQL server of its own (scripts/test-postgres,
// with the server's fsync on): how fast a station's outbox catches up after an outage, and how long
// wake() (the one call on the event loop's path) takes while the server is away, and how long a
// report over all time takes from the line.
//
//   build-release/bench/line_bench [ATTEMPTS]      (default 5000)

#include "apps/orvane/line/Line.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using namespace orvane;

std::string shell(const std::string& command) {
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return out;
    std::array<char, 256> buffer{};
    while (std::fgets(buffer.data(), static_cast<int>(buffer.size()), pipe))
        out += buffer.data();
    pclose(pipe);
    return out;
}

ledger::AttemptRow attempt(int i) {
    ledger::AttemptRow row;
    row.uuid = ledger::newUuid();
    row.serial = std::to_string(10000000 + i);
    row.moduleType = "transmitter";
    row.station = "bench";
    row.port = "COM5";
    row.startMs = 1765000000000 + i * 1000LL;
    row.endMs = row.startMs + 900;
    row.passed = i % 10 != 0;
    row.reason = row.passed ? "" : "discrepancy";
    row.labels = {{"lot", "L1"}, {"operator", "ab"}};
    for (auto& ch : row.channels)
        ch = {"868.3", "868.3000", "0D 8A 1F", "0D 8A 1F"};
    return row;
}

double ms(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

}  // namespace

int main(int argc, char** argv) {
    const int count = argc > 1 ? std::atoi(argv[1]) : 5000;
    std::istringstream cluster(shell(std::string("PG_FSYNC=on ") + ORVANE_TEST_POSTGRES + " create"));
    std::string folder, port;
    if (!(cluster >> folder >> port)) {
        std::cerr << "line_bench: no PostgreSQL server could be started\n";
        return 1;
    }
    const std::string url = "host=127.0.0.1 port=" + port + " user=postgres dbname=postgres";
    const std::string ledgerPath = folder + "-ledger.db";
    int status = 0;
    {
        auto opened = ledger::Ledger::open(ledgerPath);
        if (std::string why = line::initLine(url); !why.empty() || !opened.ledger) {
            std::cerr << "line_bench: " << why << opened.error << '\n';
            status = 1;
        } else {
            // The outage: the server stopped, the station goes on appending and waking its uploader.
            shell(std::string(ORVANE_TEST_POSTGRES) + " stop " + folder);
            line::LineUploader uploader(ledgerPath, url);
            std::vector<double> wakes;
            for (int i = 0; i < count; ++i) {
                opened.ledger->append(attempt(i));
                const auto before = Clock::now();
                uploader.wake();
                wakes.push_back(ms(Clock::now() - before));
            }
            const line::LineUploader::Left left = uploader.finish(std::chrono::milliseconds(2000));
            std::sort(wakes.begin(), wakes.end());
            std::cout << "outage: " << count << " wakes, median " << wakes[wakes.size() / 2] << " ms, 99th "
                      << wakes[wakes.size() * 99 / 100] << " ms, max " << wakes.back() << " ms; "
                      << left.pending << " left in the outbox\n";
            // The server is back: the catch-up.
            shell(std::string(ORVANE_TEST_POSTGRES) + " start " + folder);
            const auto start = Clock::now();
            const line::SyncResult synced = line::syncLedger(ledgerPath, url);
            const double took = ms(Clock::now() - start);
            std::cout << "catch-up: " << synced.uploaded << " attempts in " << took << " ms, "
                      << static_cast<double>(synced.uploaded) * 1000.0 / took << " attempts/s; "
                      << synced.pending << " left" << (synced.error.empty() ? "" : ": " + synced.error)
                      << '\n';
            // A report over all time from the line: every attempt read into a ledger in memory.
            const auto reportStart = Clock::now();
            auto memory = ledger::Ledger::open(":memory:");
            ledger::ReportFigures figures;
            std::string failed = line::loadPeriod(url, {}, *memory.ledger);
            if (failed.empty()) failed = ledger::computeReport(memory.ledger->database(), {}, figures);
            std::cout << "report --line over all time: " << figures.total.attempts << " attempts in "
                      << ms(Clock::now() - reportStart) << " ms" << (failed.empty() ? "" : ": " + failed)
                      << '\n';
        }
    }
    shell(std::string(ORVANE_TEST_POSTGRES) + " remove " + folder);
    std::filesystem::remove(ledgerPath);
    std::filesystem::remove(ledgerPath + "-wal");
    std::filesystem::remove(ledgerPath + "-shm");
    return status;
}
