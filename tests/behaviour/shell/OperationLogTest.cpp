// The operation log record, appended directly from a write's outcome.
#include "core/files/TextFile.h"
#include "tests/support/TestProgram.h"
#ifdef ORVANE_TEST_CHILD_PROCESS
#include "tests/support/ChildProcess.h"
#endif

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

namespace orvane::test {
namespace {

namespace fs = std::filesystem;

// A program after a clean write: the four channels on screen. The identity boxes hold text typed
// over what the module sent: the record takes the module's.
void showWrittenModule(TestProgram& p) {
    p.start();
    Form1& f = p.form();
    f.Serial.setText("typed");
    f.Version.setText("typed");
    const std::array<std::string, 4> channels{"869.9250", "869.8000", "868.3000", "869.7500"};
    for (std::size_t ch = 0; ch < 4; ++ch)
        f.ChFrequency[ch].setText(channels[ch]);
}

// The outcome of a write the module confirmed.
Outcome confirmedWrite() {
    Outcome write;
    write.exchange = ExchangeKind::Write;
    write.confirmed = {true, true, true, true};
    write.serial = "12345678";
    write.version = "T1.02";
    return write;
}

const std::string kRecord =
    "12345678,T1.02,869.7500,868.3000,869.8000,869.9250,2026/12/07,10:20:30,1.5.2\r\n";

class OperationLogRecord : public ::testing::TestWithParam<Program> {};

TEST_P(OperationLogRecord, FirstRecordCreatesTheFileAndLaterOnesAppend) {
    TestProgram p(GetParam());
    showWrittenModule(p);
    const std::string path = p.folder.str() + "/" + p.form().LogFileName.text();
    ASSERT_FALSE(fs::exists(path));

    p.app->operationLog().appendRecord(confirmedWrite());
    EXPECT_EQ(readBytes(path), kRecord);
    EXPECT_EQ(p.form().L_Message.caption(), "");

    p.form().ChFrequency[0].setText("868.0500");
    p.wallClock.time = "10:21:00";
    p.app->operationLog().appendRecord(confirmedWrite());
    EXPECT_EQ(readBytes(path),
              kRecord + "12345678,T1.02,869.7500,868.3000,869.8000,868.0500,2026/12/07,10:21:00,1.5.2\r\n");
}

INSTANTIATE_TEST_SUITE_P(BothPrograms, OperationLogRecord,
                         ::testing::Values(Program::Quorvex, Program::Brelund),
                         [](const auto& param) { return nameOf(param.param); });

TEST(OperationLog, NeverTruncatesWhatIsThere) {
    TestProgram p(Program::Quorvex);
    showWrittenModule(p);
    const std::string path = p.folder.str() + "/Quorvex.log";
    {
        std::ofstream out(path, std::ios::binary);
        out << "an older line without its end";
    }
    p.app->operationLog().appendRecord(confirmedWrite());
    EXPECT_EQ(readBytes(path), "an older line without its end\r\n" + kRecord);
}

TEST(OperationLog, WritesFieldsUnquotedAndChannelsWithAPoint) {
    TestProgram p(Program::Quorvex);
    showWrittenModule(p);
    p.wallClock.date = "Mon, 7 Dec 2026";
    p.form().ChFrequency[3].setText("869,7500");
    p.form().LogFileName.setText("logs/ops.txt");  // a sub-folder that exists, no extension added
    fs::create_directory(p.folder.path() / "logs");
    p.app->operationLog().appendRecord(confirmedWrite());
    EXPECT_EQ(readBytes(p.folder.str() + "/logs/ops.txt"),
              "12345678,T1.02,869.7500,868.3000,869.8000,869.9250,Mon, 7 Dec 2026,10:20:30,1.5.2\r\n");
    EXPECT_EQ(p.form().L_Message.caption(), "");
}

// Text from the module never shifts or splits a record: its commas and control characters are
// written as "?".
TEST(OperationLog, AModulesTextCannotBreakTheRecord) {
    TestProgram p(Program::Quorvex);
    showWrittenModule(p);
    Outcome write = confirmedWrite();
    write.version = "T1,\n2";
    p.app->operationLog().appendRecord(write);
    EXPECT_EQ(readBytes(p.folder.str() + "/" + p.form().LogFileName.text()),
              "12345678,T1??2,869.7500,868.3000,869.8000,869.9250,2026/12/07,10:20:30,1.5.2\r\n");
}

TEST(OperationLog, FailureShowsTheLogErrorAndTouchesNothingElse) {
    struct Case {
        const char* name;
        std::function<std::string(const TestProgram&)> logName;
        std::function<void(const TestProgram&)> prepare = [](const TestProgram&) {};
    };
    const Case cases[] = {
        {"empty name", [](const TestProgram&) { return std::string(); }},
        {"missing sub-folder", [](const TestProgram&) { return std::string("missing/ops.log"); }},
        {"absolute path gets the folder in front",
         [](const TestProgram& p) { return p.folder.str() + "/abs.log"; }},
        {"a folder in the way", [](const TestProgram&) { return std::string("taken.log"); },
         [](const TestProgram& p) { fs::create_directory(p.folder.path() / "taken.log"); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestProgram p(Program::Brelund);
        showWrittenModule(p);
        c.prepare(p);
        p.form().LogFileName.setText(c.logName(p));
        p.form().T_Message.setCaption("");
        p.app->operationLog().appendRecord(confirmedWrite());
        EXPECT_EQ(p.form().L_Message.caption(), "Log File Write Error!!");
        EXPECT_EQ(p.form().T_Message.caption(), "");
        EXPECT_EQ(p.form().Serial.text(), "typed");
        // Only the settings file (made at start-up) and what the case prepared are in the folder.
        EXPECT_FALSE(fs::exists(p.folder.path() / "abs.log"));
        EXPECT_FALSE(fs::exists(p.folder.path() / "missing"));
    }
}

// Only a write that passed with every channel confirmed earns a record.
TEST(OperationLog, NoRecordForAWriteNotConfirmedWhole) {
    TestProgram p(Program::Quorvex);
    showWrittenModule(p);
    Outcome failed = confirmedWrite();
    failed.kind = OutcomeKind::FlashWriteError;
    Outcome partial = confirmedWrite();
    partial.confirmed[1] = false;
    for (const Outcome& write : {failed, partial})
        EXPECT_FALSE(p.app->operationLog().appendRecord(write));
    EXPECT_FALSE(fs::exists(p.folder.path() / "Quorvex.log"));
}

TEST(OperationLog, FailedFirstRecordLeavesNoEmptyLogBehind) {
#ifndef ORVANE_TEST_CHILD_PROCESS
    GTEST_SKIP() << "a full disk is made by a file size limit (setrlimit) in a forked child: POSIX "
                    "only, so the case cannot apply on Windows";
#else
    TestProgram p(Program::Quorvex);
    showWrittenModule(p);
    EXPECT_EQ(inChildProcess([&p] {
                  limitFileSize(0);  // the record cannot be written, as on a full disk
                  p.app->operationLog().appendRecord(confirmedWrite());
                  return p.form().L_Message.caption();
              }),
              "Log File Write Error!!");
    EXPECT_FALSE(fs::exists(p.folder.path() / "Quorvex.log"));
#endif
}

TEST(OperationLog, WriteProtectedLogIsAnErrorAndStaysAsItWas) {
#ifndef ORVANE_TEST_CHILD_PROCESS
    GTEST_SKIP() << "write protection is checked as an unprivileged user in a forked child (fork, "
                    "setuid): POSIX only, so the case cannot apply on Windows";
#else
    EXPECT_EQ(asUnprivilegedUser([] {
                  TestProgram p(Program::Quorvex);
                  showWrittenModule(p);
                  const std::string path = p.folder.str() + "/Quorvex.log";
                  writeBytes(path, "old\r\n");
                  fs::permissions(path, fs::perms::owner_read);
                  p.app->operationLog().appendRecord(confirmedWrite());
                  if (readBytes(path) != "old\r\n") return "a write-protected log changed";
                  if (p.form().L_Message.caption() != "Log File Write Error!!") return "no error shown";
                  return "";
              }),
              "");
#endif
}

}  // namespace
}  // namespace orvane::test
