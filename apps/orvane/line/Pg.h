#pragma once

#include <memory>
#include <string>
#include <vector>

struct pg_conn;
struct pg_result;

namespace orvane::line {

// A thin layer over libpq's C API: an owned connection and owned results. Values always travel as
// parameters ($1, $2, ...), never spliced into the SQL text. Errors come back as text (the
// server's or libpq's own message), never as exceptions.
class PgResult {
public:
    PgResult() = default;
    explicit PgResult(pg_result* result) : m_result(result) {}

    // Whether the command succeeded (with or without rows); else error() says why.
    bool ok() const;
    std::string error() const;
    int rows() const;
    std::string text(int row, int column) const;
    long long integer(int row, int column) const;
    bool isNull(int row, int column) const;

private:
    struct Free {
        void operator()(pg_result* result) const;
    };
    std::unique_ptr<pg_result, Free> m_result;
};

class PgConnection {
public:
    // Connects to `conninfo` (a libpq connection string or URL; passwords come from libpq's
    // password and service files), giving up after `connectTimeoutSeconds` unless the conninfo
    // names its own connect_timeout. "" when connected, else why not.
    std::string open(const std::string& conninfo, int connectTimeoutSeconds);
    bool isOpen() const;

    // Runs SQL with its values bound as text parameters.
    PgResult exec(const std::string& sql, const std::vector<std::string>& params = {});
    // Runs SQL without rows; "" or the message.
    std::string run(const std::string& sql, const std::vector<std::string>& params = {});
    // Runs several statements without values (a schema step); "" or the message.
    std::string script(const char* sql);

private:
    struct Close {
        void operator()(pg_conn* conn) const;
    };
    std::unique_ptr<pg_conn, Close> m_conn;
};

}  // namespace orvane::line
