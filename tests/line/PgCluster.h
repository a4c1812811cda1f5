#pragma once

#include <memory>
#include <string>

namespace orvane::test {

// A throwaway PostgreSQL server for the line's tests (scripts/test-postgres): started on a free
// port of 127.0.0.1 with trust authentication, stopped and removed with the object.
class PgCluster {
public:
    // A running server, or nothing and why not; `missing` when the server binaries are not
    // installed (the tests skip then).
    static std::unique_ptr<PgCluster> create(std::string& why, bool& missing);
    ~PgCluster();
    PgCluster(const PgCluster&) = delete;
    PgCluster& operator=(const PgCluster&) = delete;

    // Stops and starts the server again on the same port; "" or why not.
    std::string stop();
    std::string start();

    // A new empty database; its connection string.
    std::string newDatabase(const std::string& name);
    // The URL of a database, as the user postgres.
    std::string url(const std::string& database) const {
        return "postgresql://postgres@127.0.0.1:" + m_port + "/" + database;
    }
    // The connection string of a database as a user.
    std::string conninfo(const std::string& database, const std::string& user = "postgres") const;

private:
    PgCluster(std::string folder, std::string port) : m_folder(std::move(folder)), m_port(std::move(port)) {}

    std::string m_folder;
    std::string m_port;
};

}  // namespace orvane::test
