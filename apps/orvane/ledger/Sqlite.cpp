#include "apps/orvane/ledger/Sqlite.h"

#include <sqlite3.h>

#include <utility>

namespace orvane::ledger {

Database::~Database() {
    if (m_db) sqlite3_close_v2(m_db);
}

Database::Database(Database&& other) noexcept : m_db(std::exchange(other.m_db, nullptr)) {}

Database& Database::operator=(Database&& other) noexcept {
    if (this != &other) {
        if (m_db) sqlite3_close_v2(m_db);
        m_db = std::exchange(other.m_db, nullptr);
    }
    return *this;
}

std::string Database::open(const std::string& path, bool create) {
    const int flags = SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0) | SQLITE_OPEN_NOMUTEX;
    const int rc = sqlite3_open_v2(path.c_str(), &m_db, flags, nullptr);
    if (rc == SQLITE_OK) {
        sqlite3_extended_result_codes(m_db, 1);
        return {};
    }
    std::string why = m_db ? sqlite3_errmsg(m_db) : sqlite3_errstr(rc);
    sqlite3_close_v2(m_db);
    m_db = nullptr;
    return why;
}

std::string Database::exec(const char* sql) {
    char* message = nullptr;
    if (sqlite3_exec(m_db, sql, nullptr, nullptr, &message) == SQLITE_OK) return {};
    std::string why = message ? message : lastError();
    sqlite3_free(message);
    return why;
}

std::optional<std::int64_t> Database::integer(const char* sql) {
    Statement query(*this, sql);
    if (!query.step()) return std::nullopt;
    return query.integer(0);
}

std::int64_t Database::lastInsertId() const {
    return sqlite3_last_insert_rowid(m_db);
}

std::string Database::lastError() const {
    return m_db ? sqlite3_errmsg(m_db) : "no database";
}

Statement::Statement(Database& db, std::string_view sql) : m_db(db) {
    if (sqlite3_prepare_v2(db.handle(), sql.data(), static_cast<int>(sql.size()), &m_stmt, nullptr) !=
        SQLITE_OK)
        m_error = db.lastError();
}

Statement::~Statement() {
    sqlite3_finalize(m_stmt);
}

Statement& Statement::bind(int index, std::string_view text) {
    sqlite3_bind_text(m_stmt, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
    return *this;
}

Statement& Statement::bind(int index, std::int64_t value) {
    sqlite3_bind_int64(m_stmt, index, value);
    return *this;
}

Statement& Statement::bindNull(int index) {
    sqlite3_bind_null(m_stmt, index);
    return *this;
}

bool Statement::step() {
    if (!m_stmt) return false;
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW) return true;
    if (rc != SQLITE_DONE) m_error = m_db.lastError();
    return false;
}

std::string Statement::run() {
    while (step()) {
    }
    return m_error;
}

void Statement::reset() {
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
    if (m_stmt) m_error.clear();  // a statement that never compiled keeps its reason
}

std::string Statement::text(int column) const {
    const unsigned char* value = sqlite3_column_text(m_stmt, column);
    if (!value) return {};
    return {reinterpret_cast<const char*>(value),
            static_cast<std::size_t>(sqlite3_column_bytes(m_stmt, column))};
}

std::int64_t Statement::integer(int column) const {
    return sqlite3_column_int64(m_stmt, column);
}

double Statement::real(int column) const {
    return sqlite3_column_double(m_stmt, column);
}

bool Statement::isNull(int column) const {
    return sqlite3_column_type(m_stmt, column) == SQLITE_NULL;
}

}  // namespace orvane::ledger
