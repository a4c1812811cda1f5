#include "core/files/TextFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#if defined(__unix__) || defined(__APPLE__)
#include <sys/resource.h>
#include <sys/wait.h>

#include <csignal>
#include <unistd.h>
#endif

namespace orvane::files {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

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
    const auto target = pathOf("a.ini");
    EXPECT_TRUE(replaceFileAtomically(target, "first\r\n"));
    EXPECT_EQ(readWholeFile(target), "first\r\n");
    write(target, std::string(10000, 'o'));
    EXPECT_TRUE(replaceFileAtomically(target, kBinary));
    EXPECT_EQ(readWholeFile(target), kBinary);
    EXPECT_TRUE(replaceFileAtomically(target, ""));
    EXPECT_EQ(readWholeFile(target), "");
    EXPECT_EQ(folderEntries(), std::vector<std::string>{"a.ini"});
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

#if defined(__unix__) || defined(__APPLE__)

TEST_F(TextFileTest, ReplaceFailingMidWriteKeepsOldFileByteForByte) {
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
}

TEST_F(TextFileTest, ReplaceKeepsPermissionBits) {
    const auto target = pathOf("a.ini");
    write(target, "old");
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_TRUE(replaceFileAtomically(target, "new"));
    EXPECT_EQ(fs::status(target).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

#endif

TEST_F(TextFileTest, AppendCreatesThenAppends) {
    const auto log = pathOf("Quorvex.log");
    EXPECT_TRUE(appendToFile(log, "one\r\n"));
    EXPECT_TRUE(appendToFile(log, ""));
    EXPECT_TRUE(appendToFile(log, "two\0\r\n"s));
    EXPECT_EQ(readWholeFile(log), "one\r\ntwo\0\r\n"s);

    EXPECT_FALSE(appendToFile(pathOf("missing/x.log"), "x"));
    EXPECT_FALSE(appendToFile(m_folder.string(), "x"));
}

TEST(JoinPath, PutsFolderInFrontWithSlash) {
    EXPECT_EQ(joinPath("/opt/app", "Quorvex.ini"), "/opt/app/Quorvex.ini");
    EXPECT_EQ(joinPath("/opt/app/", "Quorvex.ini"), "/opt/app//Quorvex.ini");
    EXPECT_EQ(joinPath("app", "a,b.log"), "app/a,b.log");
    EXPECT_EQ(joinPath("app", ""), "app/");
}

}  // namespace
}  // namespace orvane::files
