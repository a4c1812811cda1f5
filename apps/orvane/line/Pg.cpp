#include "apps/orvane/line/Pg.h"

#include "apps/orvane/line/Line.h"

#include <libpq-fe.h>

#include <cstdlib>

namespace orvane::line {

namespace {

// libpq's messages end in a line end; a caller puts them inside its own line.
std::string trimmed(const char* message) {
    std::string text = message ? message : "";
    while (!text.empty() && (text.back() == '\n' || text.back() == ' '))
        text.pop_back();
    return text;
}

// What a station whose libpq has no TLS is told when a line asks for it.
const char* const kNoTls =
    "this build connects without TLS: use sslmode=disable, on a network the line trusts (see the README)";

bool hasTls() {
    return PQsslAttribute(nullptr, "library") != nullptr;
}

}  // namespace

std::string tlsRefusal(const std::string& conninfo) {
    if (hasTls()) return {};
    PQconninfoOption* options = PQconninfoParse(conninfo.c_str(), nullptr);
    if (!options) return {};  // libpq itself says what is wrong with it when connecting
    std::string demanded;
    for (const PQconninfoOption* o = options; o->keyword; ++o) {
        if (!o->val) continue;
        const std::string keyword = o->keyword, value = o->val;
        if (keyword == "sslmode" && (value == "require" || value.rfind("verify-", 0) == 0))
            demanded = "sslmode=" + value;
        if (keyword == "requiressl" && value == "1") demanded = "requiressl=1";
    }
    PQconninfoFree(options);
    return demanded.empty() ? std::string() : "the line asks for TLS (" + demanded + "), but " + kNoTls;
}

void PgResult::Free::operator()(pg_result* result) const {
    PQclear(result);
}

bool PgResult::ok() const {
    if (!m_result) return false;
    const ExecStatusType status = PQresultStatus(m_result.get());
    return status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK;
}

std::string PgResult::error() const {
    if (!m_result) return "no answer from the server";
    return trimmed(PQresultErrorMessage(m_result.get()));
}

int PgResult::rows() const {
    return m_result ? PQntuples(m_result.get()) : 0;
}

std::string PgResult::text(int row, int column) const {
    return PQgetvalue(m_result.get(), row, column);
}

long long PgResult::integer(int row, int column) const {
    return std::strtoll(PQgetvalue(m_result.get(), row, column), nullptr, 10);
}

bool PgResult::isNull(int row, int column) const {
    return PQgetisnull(m_result.get(), row, column) != 0;
}

void PgConnection::Close::operator()(pg_conn* conn) const {
    PQfinish(conn);
}

std::string PgConnection::open(const std::string& conninfo, int connectTimeoutSeconds) {
    // The conninfo is expanded in place of "dbname"; the entries before it are defaults that the
    // conninfo's own settings override. A server that stops answering in the middle of a statement
    // fails it after tcp_user_timeout (milliseconds) instead of holding the caller until TCP gives up.
    const std::string timeout = std::to_string(connectTimeoutSeconds);
    const std::string userTimeout = std::to_string(connectTimeoutSeconds * 1000 + 10000);
    const char* const keywords[] = {"connect_timeout", "tcp_user_timeout", "fallback_application_name",
                                    "dbname", nullptr};
    const char* const values[] = {timeout.c_str(), userTimeout.c_str(), "orvane", conninfo.c_str(), nullptr};
    m_conn.reset(PQconnectdbParams(keywords, values, 1));
    if (!m_conn) return "out of memory";
    if (PQstatus(m_conn.get()) == CONNECTION_OK) return {};
    std::string why = trimmed(PQerrorMessage(m_conn.get()));
    m_conn.reset();
    // TLS asked for outside the conninfo (PGSSLMODE, a service file).
    if (!hasTls() && why.find("SSL support is not compiled in") != std::string::npos)
        why += "; " + std::string(kNoTls);
    return why.empty() ? "cannot connect" : why;
}

bool PgConnection::isOpen() const {
    return m_conn && PQstatus(m_conn.get()) == CONNECTION_OK;
}

PgResult PgConnection::exec(const std::string& sql, const std::vector<std::string>& params) {
    std::vector<const char*> values;
    values.reserve(params.size());
    for (const std::string& p : params)
        values.push_back(p.c_str());
    return PgResult(PQexecParams(m_conn.get(), sql.c_str(), static_cast<int>(values.size()), nullptr,
                                 values.data(), nullptr, nullptr, 0));
}

std::string PgConnection::run(const std::string& sql, const std::vector<std::string>& params) {
    const PgResult result = exec(sql, params);
    return result.ok() ? std::string() : result.error();
}

std::string PgConnection::script(const char* sql) {
    const PgResult result(PQexec(m_conn.get(), sql));
    return result.ok() ? std::string() : result.error();
}

}  // namespace orvane::line
