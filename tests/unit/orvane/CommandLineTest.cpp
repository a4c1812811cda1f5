#include "apps/orvane/CommandLine.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace orvane::cli {
namespace {

const std::vector<std::string> kModules{"transmitter", "quorvex", "receiver", "brelund"};

std::vector<std::string> words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> all;
    for (std::string word; in >> word;)
        all.push_back(word);
    return all;
}

Parsed parse(const std::string& line) {
    return parseArguments(words(line), kModules);
}

TEST(OrvaneCommandLine, ReadsEachCommand) {
    const Options write = parse(
                              "write --module quorvex --port COM5 --freq 868.3,868.3125,869.75,869.9 --check "
                              "--log l.log --json")
                              .options;
    EXPECT_EQ(write.command, Command::Write);
    EXPECT_EQ(write.module, "quorvex");
    EXPECT_EQ(write.ports, std::vector<std::string>{"COM5"});
    EXPECT_EQ(*write.channels.texts, (std::array<std::string, 4>{"868.3", "868.3125", "869.75", "869.9"}));
    EXPECT_TRUE(write.checkAfterWrite && write.json);
    EXPECT_EQ(write.logFile, "l.log");

    const Options test = parse("test --module=receiver --port=/dev/pts/3 --table t.tbl --channel=2").options;
    EXPECT_EQ(test.module, "receiver");
    EXPECT_EQ(test.channels.file, "t.tbl");
    EXPECT_EQ(test.channel, 2);
    const Options run = parse(
                            "run --module brelund --port COM1 --port /dev/pts/2 --settings B.ini --count 3 "
                            "--stop-after 2 --retries 1 --record r.json --label lot=7 --label station=B")
                            .options;
    EXPECT_EQ(run.count, 3);
    EXPECT_EQ(run.ports, (std::vector<std::string>{"COM1", "/dev/pts/2"}));
    EXPECT_EQ(run.stopAfter, 2);
    EXPECT_EQ(run.retries, 1);
    EXPECT_EQ(run.labels, (std::map<std::string, std::string>{{"lot", "7"}, {"station", "B"}}));
    // --json shapes the answer to a line that is otherwise wrong too.
    EXPECT_TRUE(parse("--json info --bogus").options.json);
    EXPECT_TRUE(parse("ports --probe").options.probe);
    EXPECT_TRUE(parse("--version").options.version);
    EXPECT_TRUE(parse("write --help").options.help);
    const Options history = parse("history 00662316 --ledger l.db").options;
    EXPECT_EQ(history.serial, "00662316");
    EXPECT_EQ(history.ledgerFile, "l.db");
    const Options report = parse("report --since 2026-12-07 --until=2026-12-08T06:00 --by lot --csv").options;
    EXPECT_EQ(report.by, "lot");
    EXPECT_EQ(report.until, "2026-12-08T06:00");
    EXPECT_TRUE(report.csv);
    const Options init = parse("line init postgresql://db.line/orvane").options;
    EXPECT_EQ(init.command, Command::Line);
    EXPECT_EQ(init.lineUrl, "postgresql://db.line/orvane");
    const Options sync = parse("sync --ledger l.db --line service=line").options;
    EXPECT_EQ(sync.command, Command::Sync);
    EXPECT_EQ(sync.lineUrl, "service=line");
    EXPECT_EQ(parse("run --module quorvex --port COM5 --freq 1,2,3,4 --line=host=db").options.lineUrl,
              "host=db");
}

TEST(OrvaneCommandLine, RefusesWhatItCannotRun) {
    const std::pair<std::string, std::string> cases[] = {
        {"", "a command is needed"},
        {"flash", "unknown command 'flash'"},
        {"info --port COM1", "--module is needed"},
        {"info --module transmitter", "--port is needed"},
        {"info --module satellite --port COM1",
         "--module: expects transmitter, quorvex, receiver or brelund"},
        {"write --module transmitter --port COM1", "the channels are needed: --freq, --table or --settings"},
        {"write --module transmitter --port COM1 --freq 1,2,3",
         "--freq: expects four frequencies F0,F1,F2,F3 (Ch0 first)"},
        {"write --module transmitter --port COM1 --freq 1,2,3,4,5",
         "--freq: expects four frequencies F0,F1,F2,F3 (Ch0 first)"},
        {"write --module transmitter --port COM1 --freq 1,2,3,4 --table t",
         "give the channels once: --freq, --table or --settings"},
        {"test --module transmitter --port COM1 --freq 1,2,3,4", "--channel is needed"},
        {"test --module transmitter --port COM1 --freq 1,2,3,4 --channel 4",
         "--channel: expects a channel 0 to 3"},
        {"info --module transmitter --port COM1 --check", "--check: not an option of 'info'"},
        {"run --module transmitter --port COM1 --freq 1,2,3,4 --count 0",
         "--count: expects a number of modules from 1 up"},
        {"write --module transmitter --port COM1 --freq 1,2,3,4 --json=yes", "--json: takes no value"},
        {"info --module transmitter --port", "--port: needs a value"},
        {"info extra", "extra: unexpected argument"},
        {"write --module transmitter --port COM1 --port COM2 --freq 1,2,3,4",
         "--port: given twice (only run takes several ports)"},
        {"write --module transmitter --port COM1 --freq 1,2,3,4 --log a --log b", "--log: given twice"},
        {"run --module transmitter --port COM1 --freq 1,2,3,4 --label lot", "--label: expects KEY=VALUE"},
        {"info --module transmitter --port COM1 --probe", "--probe: not an option of 'info'"},
        {"history", "the unit's serial number is needed"},
        {"history 1 2", "2: unexpected argument"},
        {"report --since 2026-02-30",
         "--since: expects a date 2026-12-07 or a date and time 2026-12-07T06:00"},
        {"report --until 2026-12-07T24:00",
         "--until: expects a date 2026-12-07 or a date and time 2026-12-07T06:00"},
        {"report --json --csv", "give one of --json and --csv"},
        {"line", "what to do with the line is needed: 'orvane line init URL'"},
        {"line drop x", "drop: unexpected argument"},
        {"line init a b", "b: unexpected argument"},
        {"info --module transmitter --port COM1 --line x", "--line: not an option of 'info'"},
    };
    for (const auto& [line, error] : cases)
        EXPECT_EQ(parse(line).error, error) << line;
}

// Each command's help lists its own options and only the exit statuses it can return.
TEST(OrvaneCommandLine, HelpListsEachCommandsOwnOptionsAndStatuses) {
    const std::string info = usageText(Command::Info, kModules);
    const std::string write = usageText(Command::Write, kModules);
    const std::string ports = usageText(Command::Ports, kModules);
    EXPECT_EQ(info.find("\n  4  "), std::string::npos) << info;
    EXPECT_EQ(info.find("--log"), std::string::npos) << info;
    EXPECT_NE(write.find("\n  4  "), std::string::npos) << write;
    EXPECT_NE(write.find("--record FILE"), std::string::npos) << write;
    EXPECT_EQ(ports.find("\n  1  "), std::string::npos) << ports;
    EXPECT_NE(ports.find("--probe"), std::string::npos) << ports;
}

// On Windows the help speaks of COM ports only, and of Windows' own interrupts.
TEST(OrvaneCommandLine, HelpSpeaksThePlatformsWords) {
    const std::string windows = usageText(Command::Run, kModules, windowsWords());
    EXPECT_NE(windows.find("Ctrl-C, Ctrl-Break or closing the console ends the line"), std::string::npos)
        << windows;
    for (const char* linuxOnly : {"SIGTERM", "device path"})
        EXPECT_EQ(windows.find(linuxOnly), std::string::npos) << linuxOnly;
    EXPECT_NE(usageText(Command::Run, kModules).find("or a device path"), std::string::npos);
}

}  // namespace
}  // namespace orvane::cli
