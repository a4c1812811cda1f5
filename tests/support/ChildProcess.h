#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace orvane::test {

// A test body run in another process. It reports by its result: what it found wrong, "" when
// nothing. It must not use gtest assertions (their failures would stay in the child process).
using ChildBody = std::function<std::string()>;

// Runs the body in a forked child process, so that what it changes in the process (a resource
// limit, the user) never touches the test runner. Returns the body's result, or how the child
// failed when it did not return normally.
std::string inChildProcess(const ChildBody& body);

// As inChildProcess, but a child of root first becomes the unprivileged user and group 65534
// with no supplementary groups, so that file permissions apply as they do to a user (root ignores
// them). That user may not reach the runner's folders (the tests may live under /root): the body
// makes its own temporary folder and removes it again; TempFolder does, as the child's TMPDIR is
// set to /tmp. Not as root, the body runs as the current user.
std::string asUnprivilegedUser(const ChildBody& body);

// For a child body: makes every write beyond the size fail (EFBIG, with SIGXFSZ ignored), as a
// full disk would.
void limitFileSize(std::uintmax_t bytes);

}  // namespace orvane::test
