#include "tests/line/PgCluster.h"

#include "apps/orvane/line/Pg.h"

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <sstream>

namespace orvane::test {

namespace {

// Runs the cluster script; its exit status, and its stdout in `out`.
int script(const std::string& args, std::string& out) {
    const std::string command = std::string(ORVANE_TEST_POSTGRES) + " " + args;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return -1;
    std::array<char, 256> buffer{};
    while (std::fgets(buffer.data(), static_cast<int>(buffer.size()), pipe))
        out += buffer.data();
    const int status = pclose(pipe);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

std::unique_ptr<PgCluster> PgCluster::create(std::string& why, bool& missing) {
    std::string out;
    const int status = script("create", out);
    missing = status == 77;
    std::istringstream words(out);
    std::string folder, port;
    if (status != 0 || !(words >> folder >> port)) {
        why = missing
                  ? "no PostgreSQL server installed (/usr/lib/postgresql/15/bin; Debian package postgresql)"
                  : "scripts/test-postgres create failed with status " + std::to_string(status);
        return nullptr;
    }
    return std::unique_ptr<PgCluster>(new PgCluster(folder, port));
}

PgCluster::~PgCluster() {
    std::string ignored;
    script("remove " + m_folder, ignored);
}

std::string PgCluster::stop() {
    std::string ignored;
    return script("stop " + m_folder, ignored) == 0 ? "" : "the server did not stop";
}

std::string PgCluster::start() {
    std::string ignored;
    return script("start " + m_folder, ignored) == 0 ? "" : "the server did not start";
}

std::string PgCluster::newDatabase(const std::string& name) {
    line::PgConnection admin;
    if (admin.open(conninfo("postgres"), 10).empty()) {
        // A name of the test's own, never a user's value: spliced, as CREATE DATABASE takes no
        // parameters.
        admin.run("DROP DATABASE IF EXISTS " + name);
        admin.run("CREATE DATABASE " + name);
    }
    return conninfo(name);
}

std::string PgCluster::conninfo(const std::string& database, const std::string& user) const {
    return "host=127.0.0.1 port=" + m_port + " user=" + user + " dbname=" + database;
}

}  // namespace orvane::test
