#include "apps/orvane/line/Line.h"
#include "apps/orvane/line/LineSchema.h"
#include "apps/orvane/line/Outbox.h"
#include "apps/orvane/line/Pg.h"

#include <condition_variable>
#include <mutex>
#include <thread>

namespace orvane::line {

namespace {

// A station waits no longer than this for a server that does not answer.
constexpr int kConnectTimeoutSeconds = 3;
// While attempts wait in the outbox, the worker tries again this often without being woken.
constexpr auto kRetryInterval = std::chrono::seconds(30);

}  // namespace

struct LineUploader::Shared {
    std::string ledgerPath;
    std::string url;

    std::mutex mutex;
    std::condition_variable changed;
    std::uint64_t requested = 0;  // wakes so far
    std::uint64_t served = 0;     // the wakes the last finished pass covered
    bool stopping = false;
    std::int64_t pending = -1;
    std::string error;

    // Only the worker touches these.
    std::optional<ledger::Ledger> ledger;
    PgConnection conn;

    // One upload: connects when needed, copies the outbox. Runs without the mutex.
    std::pair<std::int64_t, std::string> pass() {
        if (!ledger) {
            auto opened = ledger::Ledger::openExisting(ledgerPath);
            if (!opened.ledger) return {-1, opened.error};
            ledger = std::move(opened.ledger);
        }
        std::string why;
        if (!conn.isOpen()) {
            why = conn.open(url, kConnectTimeoutSeconds);
            if (why.empty()) why = prepareLine(conn);
            if (!why.empty()) conn = PgConnection();
        }
        if (why.empty()) {
            why = uploadOutbox(ledger->database(), conn, [this] {
                      const std::lock_guard lock(mutex);
                      return stopping;
                  }).error;
            // A failed statement may mean a lost connection: the next pass connects afresh.
            if (!why.empty()) conn = PgConnection();
        }
        return {pendingCount(ledger->database()).value_or(-1), why};
    }

    void work() {
        std::unique_lock lock(mutex);
        for (;;) {
            changed.wait_for(lock, kRetryInterval, [this] { return stopping || requested != served; });
            if (stopping) break;
            if (requested == served && pending <= 0) continue;
            const std::uint64_t covering = requested;
            lock.unlock();
            auto [left, why] = pass();
            lock.lock();
            served = covering;
            pending = left;
            error = std::move(why);
            changed.notify_all();
        }
    }
};

LineUploader::LineUploader(std::string ledgerPath, std::string url) : m_shared(std::make_shared<Shared>()) {
    m_shared->ledgerPath = std::move(ledgerPath);
    m_shared->url = std::move(url);
    // The thread holds the shared state too, so one left inside a network call at the end never
    // outlives what it uses.
    std::thread([shared = m_shared] { shared->work(); }).detach();
}

LineUploader::~LineUploader() {
    if (!m_finished) finish(std::chrono::milliseconds(0));
}

void LineUploader::wake() {
    {
        const std::lock_guard lock(m_shared->mutex);
        ++m_shared->requested;
    }
    m_shared->changed.notify_all();
}

LineUploader::Left LineUploader::finish(std::chrono::milliseconds timeout) {
    m_finished = true;
    Shared& s = *m_shared;
    std::unique_lock lock(s.mutex);
    // The attempts of the last wake go up, or the server fails, or the time is up.
    const std::uint64_t wanted = ++s.requested;
    s.changed.notify_all();
    const bool done = s.changed.wait_for(lock, timeout, [&] { return s.served >= wanted; });
    s.stopping = true;
    s.changed.notify_all();
    Left left{done ? s.pending : -1, s.error};
    lock.unlock();
    if (left.pending < 0) {
        // The worker is still busy: count what waits with a connection of our own.
        if (auto opened = ledger::Ledger::openExisting(s.ledgerPath); opened.ledger)
            left.pending = pendingCount(opened.ledger->database()).value_or(-1);
        if (left.error.empty() && left.pending != 0) left.error = "the line did not answer in time";
    }
    return left;
}

}  // namespace orvane::line
