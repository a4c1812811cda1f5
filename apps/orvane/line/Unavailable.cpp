#include "apps/orvane/line/Line.h"

// A build without a PostgreSQL client (Windows): the station keeps its ledger, and everything that
// would reach a line says it cannot.
namespace orvane::line {

namespace {

const std::string kUnavailable = "a line is not available in this build: it has no PostgreSQL client";

}  // namespace

struct LineUploader::Shared {};

bool available() {
    return false;
}

std::string initLine(const std::string&) {
    return kUnavailable;
}

SyncResult syncLedger(const std::string&, const std::string&) {
    return {0, -1, kUnavailable};
}

std::string loadUnit(const std::string&, const std::string&, ledger::Ledger&) {
    return kUnavailable;
}

std::string loadPeriod(const std::string&, const ledger::ReportQuery&, ledger::Ledger&) {
    return kUnavailable;
}

LineUploader::LineUploader(std::string, std::string) {}

LineUploader::~LineUploader() = default;

void LineUploader::wake() {}

LineUploader::Left LineUploader::finish(std::chrono::milliseconds) {
    m_finished = true;
    return {-1, kUnavailable};
}

}  // namespace orvane::line
