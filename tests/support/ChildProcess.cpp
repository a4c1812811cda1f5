#include "tests/support/ChildProcess.h"

#include <sys/resource.h>
#include <sys/types.h>
#include <sys/wait.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <exception>
#include <grp.h>
#include <unistd.h>

namespace orvane::test {

namespace {

constexpr uid_t kNobody = 65534;

std::string runBody(const ChildBody& body) {
    try {
        return body();
    } catch (const std::exception& e) {
        return std::string("the body threw: ") + e.what();
    } catch (...) {
        return "the body threw";
    }
}

std::string runInChild(const ChildBody& body, bool unprivileged) {
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0) return "no pipe for the child";
    const pid_t child = ::fork();
    if (child < 0) {
        ::close(pipeEnds[0]);
        ::close(pipeEnds[1]);
        return "no child process";
    }
    if (child == 0) {
        ::close(pipeEnds[0]);
        std::string result;
        if (unprivileged && ::geteuid() == 0) {
            if (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0) {
                result = "cannot become the unprivileged user";
            } else {
                ::setenv("TMPDIR", "/tmp", 1);
            }
        }
        if (result.empty()) result = runBody(body);
        for (std::size_t done = 0; done < result.size();) {
            const ssize_t written = ::write(pipeEnds[1], result.data() + done, result.size() - done);
            if (written <= 0) break;
            done += static_cast<std::size_t>(written);
        }
        // No destructors, atexit handlers or gtest teardown of the copied runner.
        ::_exit(0);
    }
    ::close(pipeEnds[1]);
    std::string result;
    char buffer[4096];
    for (;;) {
        const ssize_t got = ::read(pipeEnds[0], buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        result.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(pipeEnds[0]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        return result + "[the child process ended abnormally, status " + std::to_string(status) + "]";
    }
    return result;
}

}  // namespace

std::string inChildProcess(const ChildBody& body) {
    return runInChild(body, false);
}

std::string asUnprivilegedUser(const ChildBody& body) {
    return runInChild(body, true);
}

void limitFileSize(std::uintmax_t bytes) {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{static_cast<rlim_t>(bytes), static_cast<rlim_t>(bytes)};
    ::setrlimit(RLIMIT_FSIZE, &limit);
}

}  // namespace orvane::test
