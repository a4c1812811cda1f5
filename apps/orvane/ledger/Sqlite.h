#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace orvane::ledger {

// A thin layer over SQLite's C API: an owned connection and owned prepared statements whose
// values are always bound, never spliced into the SQL text. Errors come back as text (SQLite's own
// message), never as exceptions, so a caller decides what a failure means for its command.
class Statement;

class Database {
public:
    Database() = default;
    ~Database();
    Database(Database&& other) noexcept;
    Database& operator=(Database&& other) noexcept;
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // Opens (and with `create` creates) the file; "" when it opened, else why not.
    std::string open(const std::string& path, bool create);

    // Runs SQL without values (schema, pragmas, BEGIN/COMMIT); "" or SQLite's message.
    std::string exec(const char* sql);
    // The first column of the first row of a query without values (a pragma's answer).
    std::optional<std::int64_t> integer(const char* sql);
    std::int64_t lastInsertId() const;
    std::string lastError() const;

    sqlite3* handle() const { return m_db; }

private:
    sqlite3* m_db = nullptr;
};

class Statement {
public:
    Statement(Database& db, std::string_view sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    // Why the SQL did not compile ("" when it did).
    const std::string& error() const { return m_error; }

    // Binds to the parameter at index (1-based); the text is copied.
    Statement& bind(int index, std::string_view text);
    Statement& bind(int index, std::int64_t value);
    Statement& bindNull(int index);

    // One step: true while a row stands ready; false at the end or on an error (see failed()).
    bool step();
    // Runs a statement that returns no rows; "" or SQLite's message.
    std::string run();
    bool failed() const { return !m_error.empty(); }
    // Ready for another round of binds and steps.
    void reset();

    std::string text(int column) const;
    std::int64_t integer(int column) const;
    double real(int column) const;
    bool isNull(int column) const;

private:
    Database& m_db;
    sqlite3_stmt* m_stmt = nullptr;
    std::string m_error;
};

}  // namespace orvane::ledger
