#include "core/files/TextFile.h"
#include "tests/support/TestProgram.h"
#ifdef ORVANE_TEST_CHILD_PROCESS
#include "tests/support/ChildProcess.h"
#endif

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#ifdef ORVANE_TEST_CHILD_PROCESS
#include <sys/resource.h>
#include <sys/wait.h>

#include <cerrno>
#include <csignal>
#include <unistd.h>
#endif

namespace orvane::files {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

#ifdef _WIN32
constexpr bool kWindows = true;
#else
constexpr bool kWindows = false;
#endif

// Why the cases that need a child process are skipped where there is none.
constexpr const char* kNoChildProcess =
    "needs fork() and a file size limit (setrlimit) in a child process: POSIX only, so the case "
    "cannot apply on Windows";

class TextFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::random_device random;
        m_folder = fs::temp_directory_path() / ("orvane-textfile-"s + info->name() + "-" +
                                                std::to_string(random()) + std::to_string(random()));
        fs::create_directories(m_folder);
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(m_folder, ignored);
    }

    std::string pathOf(const std::string& name) const { return (m_folder / name).string(); }

    static void write(const std::string& path, const std::string& bytes) {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << bytes;
    }

    std::vector<std::string> folderEntries() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(m_folder))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path m_folder;
};

const std::string kBinary = "TOP  , 1800 ,c\r\nx\ry\n\0\xFF\x80 end"s;

TEST_F(TextFileTest, ReadWholeFileGivesExactBytes) {
    write(pathOf("a.ini"), kBinary);
    EXPECT_EQ(readWholeFile(pathOf("a.ini")), kBinary);
    write(pathOf("empty.ini"), "");
    EXPECT_EQ(readWholeFile(pathOf("empty.ini")), "");
    EXPECT_EQ(readWholeFile(pathOf("missing.ini")), std::nullopt);
    EXPECT_EQ(readWholeFile(m_folder.string()), std::nullopt);
}

TEST_F(TextFileTest, ReadWholeFileOfLargeFile) {
    std::string big(3u << 20, 'x');
    for (std::size_t i = 0; i < big.size(); i += 997)
        big[i] = static_cast<char>(i);
    write(pathOf("big"), big);
    EXPECT_EQ(readWholeFile(pathOf("big")), big);
}

TEST_F(TextFileTest, EnsureFileExistsCreatesMissingAndKeepsExisting) {
    EXPECT_TRUE(ensureFileExists(pathOf("new.ini")));
    EXPECT_EQ(readWholeFile(pathOf("new.ini")), "");

    write(pathOf("old.ini"), kBinary);
    EXPECT_TRUE(ensureFileExists(pathOf("old.ini")));
    EXPECT_EQ(readWholeFile(pathOf("old.ini")), kBinary);

    EXPECT_FALSE(ensureFileExists(pathOf("no-such-folder/x.ini")));
    EXPECT_FALSE(ensureFileExists(m_folder.string()));
}

TEST_F(TextFileTest, FileSize) {
    write(pathOf("a.tbl"), kBinary);
    EXPECT_EQ(fileSize(pathOf("a.tbl")), kBinary.size());
    write(pathOf("empty.tbl"), "");
    EXPECT_EQ(fileSize(pathOf("empty.tbl")), 0u);
    EXPECT_EQ(fileSize(pathOf("missing.tbl")), std::nullopt);
    EXPECT_EQ(fileSize(m_folder.string()), std::nullopt);
}

TEST_F(TextFileTest, ReplaceCreatesAndReplacesWithoutLeftovers) {
    // A name of 250 bytes, near the system's limit, leaves no room for a longer temporary name.
    for (const std::string& name : {"a.ini"s, std::string(250, 'n')}) {
        const auto target = pathOf(name);
        EXPECT_TRUE(replaceFileAtomically(target, "first\r\n"));
        EXPECT_EQ(readWholeFile(target), "first\r\n");
        write(target, std::string(10000, 'o'));
        EXPECT_TRUE(replaceFileAtomically(target, kBinary));
        EXPECT_EQ(readWholeFile(target), kBinary);
        EXPECT_TRUE(replaceFileAtomically(target, ""));
        EXPECT_EQ(readWholeFile(target), "");
        EXPECT_EQ(folderEntries(), std::vector<std::string>{name});
        fs::remove(target);
    }
}

TEST_F(TextFileTest, ReplaceFailureLeavesTargetAndNoTemporary) {
    // A target that is a folder: the rename must fail and the folder keep its content.
    fs::create_directory(m_folder / "dir.ini");
    write(pathOf("dir.ini/inside"), "keep");
    EXPECT_FALSE(replaceFileAtomically(pathOf("dir.ini"), "new"));
    EXPECT_TRUE(fs::is_directory(m_folder / "dir.ini"));
    EXPECT_EQ(readWholeFile(pathOf("dir.ini/inside")), "keep");

    // A folder that does not exist: nothing can be written and nothing is created.
    EXPECT_FALSE(replaceFileAtomically(pathOf("missing/a.ini"), "new"));
    EXPECT_FALSE(fs::exists(m_folder / "missing"));

    // A folder path that is really a file.
    write(pathOf("plain"), "plain");
    EXPECT_FALSE(replaceFileAtomically(pathOf("plain/a.ini"), "new"));
    EXPECT_EQ(readWholeFile(pathOf("plain")), "plain");

    EXPECT_EQ(folderEntries(), (std::vector<std::string>{"dir.ini", "plain"}));
}

TEST_F(TextFileTest, ReplaceFailingMidWriteKeepsOldFileByteForByte) {
#ifndef ORVANE_TEST_CHILD_PROCESS
    GTEST_SKIP() << kNoChildProcess;
#else
    // A file size limit makes the write of the temporary file fail part-way, as a full disk would.
    // It is set in a child process so that the limit does not touch the test runner.
    const auto target = pathOf("a.ini");
    write(target, kBinary);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{4096, 4096};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        ::_exit(replaceFileAtomically(target, std::string(100000, 'n')) ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the replace reported success";
    EXPECT_EQ(readWholeFile(target), kBinary);
    EXPECT_EQ(folderEntries(), std::vector<std::string>{"a.ini"});
#endif
}

TEST_F(TextFileTest, ReplaceAndAppendWriteThroughLinks) {
    if (kWindows)
        GTEST_SKIP() << "on Windows a symbolic link needs a privilege to make, and the save leaves "
                        "links to the system there";
    // A relative link, an absolute link to it (a chain), and a link to a file not yet made.
    fs::create_directory(m_folder / "real");
    write(pathOf("real/a.ini"), "old");
    fs::create_symlink("real/a.ini", m_folder / "link");
    fs::create_symlink(m_folder / "link", m_folder / "chain");
    fs::create_symlink("real/new.ini", m_folder / "dangling");
    for (const std::string link : {"link", "chain"}) {
        EXPECT_TRUE(replaceFileAtomically(pathOf(link), link));
        EXPECT_EQ(readWholeFile(pathOf("real/a.ini")), link);
        EXPECT_TRUE(appendLine(pathOf(link), "+\r\n"));
        EXPECT_EQ(readWholeFile(pathOf("real/a.ini")), link + "\r\n+\r\n");
    }
    EXPECT_TRUE(replaceFileAtomically(pathOf("dangling"), "new"));
    EXPECT_EQ(readWholeFile(pathOf("real/new.ini")), "new");
    for (const std::string link : {"link", "chain", "dangling"})
        EXPECT_TRUE(fs::is_symlink(m_folder / link)) << link;

    fs::create_symlink("loop", m_folder / "loop");
    EXPECT_FALSE(replaceFileAtomically(pathOf("loop"), "x"));
    EXPECT_EQ(folderEntries(), (std::vector<std::string>{"chain", "dangling", "link", "loop", "real"}));
}

TEST(TextFilePermissions, WriteProtectedFileIsRefusedAndReadOnlyFolderOverwrittenInPlace) {
#ifndef ORVANE_TEST_CHILD_PROCESS
    GTEST_SKIP() << "needs POSIX permission bits and a child process as an unprivileged user "
                    "(fork, setuid): Windows protects files by a read-only attribute and access "
                    "lists instead";
#else
    EXPECT_EQ(test::asUnprivilegedUser([] {
                  const test::TempFolder folder;
                  const std::string file = folder.str() + "/protected.ini";
                  test::writeBytes(file, "old");
                  fs::permissions(file, fs::perms::owner_read);
                  if (replaceFileAtomically(file, "new")) return "a write-protected file was replaced";
                  if (appendLine(file, "new")) return "a write-protected file was appended to";
                  if (canAppendTo(file)) return "a write-protected file counts as appendable";
                  if (readWholeFile(file) != "old") return "a write-protected file changed";

                  const fs::path readOnly = folder.path() / "read-only";
                  fs::create_directory(readOnly);
                  test::writeBytes((readOnly / "a.ini").string(), "old");
                  fs::permissions(readOnly, fs::perms::owner_read | fs::perms::owner_exec);
                  const bool replaced = replaceFileAtomically((readOnly / "a.ini").string(), "new");
                  const bool created = replaceFileAtomically((readOnly / "b.ini").string(), "new");
                  const bool logAllowed = canAppendTo((readOnly / "c.log").string());
                  fs::permissions(readOnly, fs::perms::owner_all);
                  if (logAllowed) return "a new log counts as appendable in a read-only folder";
                  if (!replaced || readWholeFile((readOnly / "a.ini").string()) != "new")
                      return "a writable file in a read-only folder was not overwritten";
                  if (created || fs::exists(readOnly / "b.ini")) return "a read-only folder got a new file";
                  return "";
              }),
              "");
#endif
}

// A disk that is full before the line or fills part way through it: the file stays as it was,
// so the next line never runs on from a part line.
TEST_F(TextFileTest, FailedOrPartialAppendLeavesTheFileAsItWas) {
#ifndef ORVANE_TEST_CHILD_PROCESS
    GTEST_SKIP() << kNoChildProcess;
#else
    const std::string old = pathOf("old.log");
    write(old, "old\r\n");
    EXPECT_EQ(test::inChildProcess([&] {
                  test::limitFileSize(0);
                  if (appendLine(pathOf("new.log"), "x\r\n")) return "append beyond the size limit succeeded";
                  test::limitFileSize(9);  // room for four bytes of the line
                  if (appendLine(old, "new record\r\n")) return "a partial append succeeded";
                  return "";
              }),
              "");
    EXPECT_EQ(folderEntries(), std::vector<std::string>{"old.log"});
    EXPECT_EQ(readWholeFile(old), "old\r\n");
    EXPECT_TRUE(appendLine(old, "next\r\n"));
    EXPECT_EQ(readWholeFile(old), "old\r\nnext\r\n");
#endif
}

// Two processes append to one file, the first held in the middle of its append (lock taken, size
// read) until the second has met it; then the first fails part way (its file size limit) and
// takes its part back. The second's line survives that, whether the first found the file or made
// it (and removes it again).
TEST_F(TextFileTest, AFailedAppendNeverTakesAnotherProcesssLine) {
#ifndef ORVANE_TEST_CHILD_PROCESS
    GTEST_SKIP() << kNoChildProcess;
#else
    for (const std::string& old : {"old\r\n"s, ""s}) {
        SCOPED_TRACE(old.empty() ? "a file the held append makes" : "an existing file");
        const std::string log = pathOf(old.empty() ? "new.log" : "old.log");
        if (!old.empty()) write(log, old);
        int held[2];
        int go[2];
        ASSERT_EQ(::pipe(held), 0);
        ASSERT_EQ(::pipe(go), 0);
        const pid_t first = ::fork();
        ASSERT_GE(first, 0);
        if (first == 0) {
            setAppendObserver([&](AppendStage stage) {
                char signal = 'h';
                if (stage != AppendStage::Locked || ::write(held[1], &signal, 1) != 1) return;
                while (::read(go[0], &signal, 1) < 0 && errno == EINTR) {
                }
            });
            test::limitFileSize(old.size() + 4);  // room for four bytes of the line
            ::_exit(appendLine(log, "first record\r\n") ? 1 : 0);
        }
        char signal = 0;
        ASSERT_EQ(::read(held[0], &signal, 1), 1);
        // The first goes on once the second has found the file locked, or has done without a lock.
        bool released = false;
        const auto release = [&] {
            if (!released) released = ::write(go[1], "g", 1) == 1;
        };
        setAppendObserver([&](AppendStage stage) {
            if (stage == AppendStage::WaitingForLock) release();
        });
        const bool appended = appendLine(log, "second\r\n");
        release();
        setAppendObserver({});
        int status = 0;
        ASSERT_EQ(::waitpid(first, &status, 0), first);
        for (const int end : {held[0], held[1], go[0], go[1]})
            ::close(end);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the held append did not fail";
        EXPECT_TRUE(appended);
        EXPECT_EQ(readWholeFile(log), old + "second\r\n");
    }
#endif
}

TEST_F(TextFileTest, ReplaceKeepsPermissionBits) {
    if (kWindows) GTEST_SKIP() << "Windows keeps no owner, group and other permission bits to carry over";
    const auto target = pathOf("a.ini");
    write(target, "old");
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_TRUE(replaceFileAtomically(target, "new"));
    EXPECT_EQ(fs::status(target).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(TextFileTest, AppendCreatesThenAppends) {
    const auto log = pathOf("Quorvex.log");
    EXPECT_TRUE(appendLine(log, "one\r\n"));
    EXPECT_TRUE(appendLine(log, ""));
    EXPECT_TRUE(appendLine(log, "two\0\r\n"s));
    EXPECT_EQ(readWholeFile(log), "one\r\ntwo\0\r\n"s);
    // A last line without its end (left by another program) is ended before the new one.
    write(log, "cut");
    EXPECT_TRUE(appendLine(log, "three\r\n"));
    EXPECT_EQ(readWholeFile(log), "cut\r\nthree\r\n");

    EXPECT_FALSE(appendLine(pathOf("missing/x.log"), "x"));
    EXPECT_FALSE(appendLine(m_folder.string(), "x"));

    // Whether an append could work is known without creating anything.
    EXPECT_TRUE(canAppendTo(log));
    EXPECT_TRUE(canAppendTo(pathOf("fresh.log")));
    EXPECT_FALSE(fs::exists(pathOf("fresh.log")));
    EXPECT_FALSE(canAppendTo(pathOf("missing/x.log")));
    EXPECT_FALSE(canAppendTo(m_folder.string()));
}

TEST(JoinPath, PutsFolderInFrontWithSlash) {
    EXPECT_EQ(joinPath("/opt/app", "Quorvex.ini"), "/opt/app/Quorvex.ini");
    EXPECT_EQ(joinPath("/opt/app/", "Quorvex.ini"), "/opt/app//Quorvex.ini");
    EXPECT_EQ(joinPath("app", "a,b.log"), "app/a,b.log");
    EXPECT_EQ(joinPath("app", ""), "app/");
}

}  // namespace
}  // namespace orvane::files
