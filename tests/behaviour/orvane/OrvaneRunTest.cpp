// The production line in virtual time: rigs of fake modules that come and go, one port per rig,
// all rigs in one event loop; every module accounted for, records, retries, interrupts.
#include "tests/behaviour/orvane/OrvaneLine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace orvane::test {
namespace {

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> all;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        all.push_back(line);
    return all;
}

// Every module placed gets exactly one line, also one of the other type or without a serial
// number placed right after another; only a module the check confirmed is in the log; every
// module and attempt is in the record file, with what was sent.
TEST(OrvaneRun, EveryModuleOnceWithItsLineAndItsRecord) {
    Line line(Program::Quorvex);
    FakeModule& rig = line.rig({unit(1), unit(2, [](auto& f) { f.writeErrorSlots = {2}; }),
                                unit(3, [](auto& f) { f.wrongType = true; }),
                                unit(4, [](auto& f) { f.noReply = {"/D"}; }), unit(5, [](auto& f) {
                                    f.corrupt = true;
                                    f.corruptOn = {"/R 03"};
                                })});
    const Ran ran = line.run("run", kFreq + " --count 5 --log " + line.path("ops.log") + " --record " +
                                        line.path("units.json") + " --label lot=7");
    EXPECT_EQ(ran.status, 1) << ran.err;
    EXPECT_EQ(ran.out,
              "PASS 00000001\nFAIL 00000002 flash write error on channel 2\nFAIL 00000003 wrong module type\n"
              "FAIL (no serial number) no response to /D\nFAIL 00000005 discrepancy on channel 3\n"
              "passed 1, failed 4: 00000002 00000003 (no serial number) 00000005\n");
    std::vector<int> writes;
    for (const modsim::ModuleSim& module : rig.rig->placed())
        writes.push_back(module.writeCount(0));
    EXPECT_EQ(writes, (std::vector<int>{1, 1, 0, 0, 1}));
    EXPECT_EQ(lines(line.text("ops.log")).size(), 1u);
    EXPECT_TRUE(line.text("ops.log").starts_with("00000001,T1.02,869.7500,")) << line.text("ops.log");

    const std::vector<std::string> records = lines(line.text("units.json"));
    ASSERT_EQ(records.size(), 5u);
    std::string registers;
    for (int ch = 0; ch < 4; ++ch) {
        std::string slot = rig.rig->placed()[0].flashSlotText(ch);
        std::string quoted;
        for (std::size_t at = 0; at < slot.size(); at += 3)
            quoted += (at > 0 ? ",\"" : "\"") + slot.substr(at, 2) + "\"";
        registers += (ch > 0 ? ",[" : "[") + quoted + "]";
    }
    EXPECT_EQ(
        records[0],
        R"({"serial":"00000001","module":"transmitter","version":"T1.02","port":"COM1","outcome":"pass",)"
        R"("reason":null,"channel":null,"channels":["869.9250","869.8000","868.3000","869.7500"],)"
        R"("entered":["869.9250","869.8000","868.3000","869.7500"],"registers":[)" +
            registers + R"(],"started":"2026-12-07T10:20:30.000Z","ended":"2026-12-07T10:20:30.000Z",)" +
            records[0].substr(records[0].find("\"elapsed_ms\"")));
    EXPECT_TRUE(has(records[0], R"("orvane_version":"1.5.2","labels":{"lot":"7"},"attempt":1})"))
        << records[0];
    EXPECT_TRUE(has(records[1], R"("serial":"00000002")") &&
                has(records[1], R"("reason":"flash-write-error","channel":2)"));
    EXPECT_TRUE(has(records[3], R"({"serial":null,)") && has(records[3], R"("reason":"no-response")"));
}

// The flash of a placed module as a record's "registers" array.
std::string flashArray(const modsim::ModuleSim& module) {
    std::string json;
    for (int ch = 0; ch < 4; ++ch) {
        const std::string slot = module.flashSlotText(ch);
        std::string quoted;
        for (std::size_t at = 0; at < slot.size(); at += 3)
            quoted += (at > 0 ? ",\"" : "\"") + slot.substr(at, 2) + "\"";
        json += (ch > 0 ? ",[" : "[") + quoted + "]";
    }
    return "\"registers\":[" + json + "]";
}

// A module swapped for another after it gave its identity: the first fails as module-changed (no
// log record, no PASS), never retried; on the line the second one then gets its own write, check
// and line. Each record names the module whose flash holds what it says.
TEST(OrvaneRun, AModuleSwappedDuringItsWriteIsNeverPassed) {
    modsim::RigModule first = unit(0xA);
    first.faults.leaveAfter = "/D";

    Line single(Program::Quorvex);
    single.rig({first, unit(0xB)}, 20000, 0);
    const Ran written = single.run("write", kFreq + " --check --retries 2 --log " + single.path("ops.log"));
    EXPECT_EQ(written.status, 1);
    EXPECT_EQ(written.out,
              "write: FAIL serial 00000010 version T1.02: module changed (00000011 answered at the "
              "end, 00000010 at the start)\n");
    EXPECT_EQ(single.text("ops.log"), "");

    Line line(Program::Quorvex);
    FakeModule& rig = line.rig({first, unit(0xB)}, 20000, 0);
    const Ran ran = line.run(
        "run", kFreq + " --count 2 --log " + line.path("ops.log") + " --record " + line.path("units.json"));
    EXPECT_EQ(ran.status, 1) << ran.err;
    EXPECT_EQ(ran.out,
              "FAIL 00000010 module changed (00000011 answered at the end, 00000010 at the start)\n"
              "PASS 00000011\npassed 1, failed 1: 00000010\n");
    const std::vector<std::string> records = lines(line.text("units.json"));
    ASSERT_EQ(records.size(), 2u);
    EXPECT_TRUE(has(records[0], R"("serial":"00000010")") && has(records[0], R"("reason":"module-changed")"));
    EXPECT_TRUE(has(records[1], R"("serial":"00000011")") && has(records[1], R"("outcome":"pass")"));
    EXPECT_TRUE(has(records[1], flashArray(rig.rig->placed()[1]))) << records[1];
    EXPECT_EQ(rig.rig->placed()[0].writeCount(0), 0);
    EXPECT_TRUE(line.text("ops.log").starts_with("00000011,")) << line.text("ops.log");
    EXPECT_EQ(lines(line.text("ops.log")).size(), 1u);
}

// A module taken off and another with the same serial number put on, the rig empty for half a
// second between them, is a placement of its own: written, checked, and its line says its serial
// passed before. While a handled module sits on the rig, the progress line says to take it off.
TEST(OrvaneRun, EveryPlacementCountsAlsoWithTheSameSerial) {
    Line line(Program::Quorvex);
    line.liveProgress = true;
    FakeModule& rig = line.rig({unit(1), unit(1), unit(2)}, 3000, 500);
    const Ran ran = line.run("run", kFreq + " --count 3 --no-ledger");
    EXPECT_EQ(ran.status, 0) << ran.err;
    EXPECT_EQ(ran.out, "PASS 00000001\nPASS 00000001 (again)\nPASS 00000002\npassed 3, failed 0\n");
    EXPECT_TRUE(has(ran.err, "00000001 done: take it off")) << ran.err;
    for (const modsim::ModuleSim& module : rig.rig->placed())
        EXPECT_EQ(module.writeCount(0), 1);
}

// From the moment a module is placed to the first byte of the write that writes it: under 0.8 s
// at the median, the rig watched with the write's own identity steps.
TEST(OrvaneRun, APlacedModuleIsWrittenSoon) {
    Line line(Program::Brelund);
    std::vector<modsim::RigModule> modules;
    for (unsigned serial = 1; serial <= 10; ++serial)
        modules.push_back(unit(serial));
    FakeModule& rig = line.rig(modules, 3000, 700);
    ASSERT_EQ(line.run("run", kFreq + " --count 10").status, 0);
    std::vector<long long> waits;
    for (const modsim::RigEvent& event : rig.rigEvents) {
        if (!event.on) continue;
        // The write that wrote it is the last opening byte before its first "/W 00" (or, placed
        // during that write, the first command it heard).
        std::size_t first = 0;
        while (first < rig.commands.size() && rig.commandTimes[first] < event.atMs)
            ++first;
        std::size_t w00 = first;
        while (w00 < rig.commands.size() && rig.commands[w00] != "/W 00")
            ++w00;
        ASSERT_LT(w00, rig.commands.size());
        std::size_t start = w00;
        while (start > first && rig.commands[start] != "\x80")
            --start;
        waits.push_back(rig.commandTimes[start] - event.atMs);
    }
    ASSERT_EQ(waits.size(), 10u);
    std::sort(waits.begin(), waits.end());
    EXPECT_LE((waits[4] + waits[5]) / 2, 800);
}

// Several rigs at once: each line names its rig, each rig its summary, the whole line last. A rig
// whose port fails stops alone, with the module in hand failed; the status is the worst.
TEST(OrvaneRun, RigsSideBySide) {
    Line line(Program::Quorvex);
    line.rig({unit(1), unit(2), unit(6)});
    line.rig({unit(3), unit(4, [](auto& f) { f.closeAfter = 8; })});
    const Ran ran = line.run("run", kFreq + " --count 4");
    EXPECT_EQ(ran.status, 3) << ran.out << ran.err;
    std::vector<std::string> results = lines(ran.out);
    ASSERT_EQ(results.size(), 7u) << ran.out;
    std::sort(results.begin(), results.begin() + 4);
    EXPECT_EQ(results[0], "FAIL COM2 00000004 port error: The device is gone.");
    EXPECT_EQ(results[1], "PASS COM1 00000001");
    EXPECT_EQ(results[2], "PASS COM1 00000002");
    EXPECT_EQ(results[3], "PASS COM2 00000003");
    EXPECT_EQ(results[4], "COM1: passed 2, failed 0");
    EXPECT_EQ(results[5], "COM2: passed 1, failed 1: 00000004");
    EXPECT_EQ(results[6], "passed 3, failed 1: 00000004");
}

// Interrupts: the first lets the module in hand finish and ends the line; a batch of --count N
// cut short says so with 130. A second one aborts the module in hand, which fails as interrupted.
TEST(OrvaneRun, Interrupts) {
    struct Case {
        const char* name;
        std::string arguments;
        std::vector<long long> interruptsAt;
        int status;
        std::string out;
    };
    const Case cases[] = {
        {"after a module, with --count", "--count 5", {4000}, 130, "PASS 00000001\npassed 1, failed 0\n"},
        {"after a module, without", "", {4000}, 0, "PASS 00000001\npassed 1, failed 0\n"},
        {"twice mid-write",
         "--count 5",
         {1000, 1100},
         130,
         "FAIL 00000001 interrupted\npassed 0, failed 1: 00000001\n"},
        {"twice mid-write, without --count",
         "",
         {1000, 1100},
         1,
         "FAIL 00000001 interrupted\npassed 0, failed 1: 00000001\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Line line(Program::Quorvex);
        line.rig({unit(1), unit(2), unit(3)});
        for (long long at : c.interruptsAt)
            line.clock.after(at, [&line] { line.clock.terminate(); });
        const Ran ran = line.run("run", kFreq + " " + c.arguments);
        EXPECT_EQ(ran.status, c.status);
        EXPECT_EQ(ran.out, c.out);
        EXPECT_TRUE(has(ran.err, "stopping after the modules in hand")) << ran.err;
    }
}

// A write and check that failed by the module's answer is tried again, each attempt recorded; a
// rig where modules keep failing stops after --stop-after of them in a row.
TEST(OrvaneRun, RetriesAndLineStop) {
    Line retried(Program::Quorvex);
    FakeModule& rig = retried.rig({unit(1)}, 10000);
    rig.replaceReplies("/W 01", "*W Err\r", 1);
    const Ran first =
        retried.run("run", kFreq + " --count 1 --retries 2 --record " + retried.path("units.json"));
    EXPECT_EQ(first.status, 0) << first.err;

    EXPECT_EQ(first.out, "PASS 00000001 (attempt 2)\npassed 1, failed 0\n");
    const std::vector<std::string> records = lines(retried.text("units.json"));
    ASSERT_EQ(records.size(), 2u);
    EXPECT_TRUE(has(records[0], R"("outcome":"fail","reason":"flash-write-error","channel":1)"))
        << records[0];
    EXPECT_TRUE(has(records[0], R"("attempt":1})") && has(records[1], R"("outcome":"pass")") &&
                has(records[1], R"("attempt":2})"));
    EXPECT_EQ(rig.rig->placed()[0].writeCount(0), 2);

    Line stopped(Program::Quorvex);
    stopped.rig({unit(1, [](auto& f) { f.writeErrorSlots = {0}; }),
                 unit(2, [](auto& f) { f.writeErrorSlots = {0}; }), unit(3)});
    const Ran second = stopped.run("run", kFreq + " --stop-after 2 --json");
    EXPECT_EQ(second.status, 1);
    EXPECT_TRUE(has(second.out, R"({"step":"end","exit":1,"reason":"line-stopped")")) << second.out;
    EXPECT_EQ(std::count(second.out.begin(), second.out.end(), '\n'), 2 + 1 + 1) << second.out;
}

// The system's serial ports as one bus: every port object the command makes sees them all, by
// number, each fake port with the module on it.
class BusPort : public ISerialPort {
public:
    explicit BusPort(Line& line) : m_line(line) {}
    std::vector<PortEntry> enumeratePorts() override {
        std::vector<PortEntry> all;
        for (std::size_t i = 0; i < m_line.portCount(); ++i)
            all.push_back({static_cast<int>(i) + 1, "/dev/ttyS" + std::to_string(i + 1), ""});
        return all;
    }
    bool setPortNumber(int number) override {
        m_number = number;
        return true;
    }
    int portNumber() const override { return m_number; }
    bool setDevicePath(const std::string&) override { return false; }
    bool open() override {
        device().setReceiveHandler(m_receive);
        device().setPortNumber(m_number);
        return device().open();
    }
    void close() override { device().close(); }
    bool isOpen() const override { return m_line.port(index()).isOpen(); }
    bool setDtr(bool on) override { return device().setDtr(on); }
    bool setRts(bool on) override { return device().setRts(on); }
    std::string settings() const override { return "4800,n,8,1"; }
    bool send(std::string_view bytes) override { return device().send(bytes); }
    std::string readAll() override { return device().readAll(); }
    void setReceiveHandler(std::function<void()> handler) override { m_receive = std::move(handler); }
    void setLostHandler(std::function<void()>) override {}
    std::string lastErrorText() const override { return {}; }

private:
    std::size_t index() const { return static_cast<std::size_t>(m_number - 1); }
    FakeSerialPort& device() { return m_line.port(index()); }
    Line& m_line;
    int m_number = 1;
    std::function<void()> m_receive;
};

// Which module answers on which port: asked as the transmitter first, as the receiver where that
// finds the other type.
TEST(OrvanePorts, TheProbeSaysWhichModuleAnswersWhere) {
    Line line(Program::Quorvex);
    line.module({}, 'T');
    line.module({}, 'R');
    line.module({}, 'T').sim.faults().silent = true;
    line.makePort = [&line] { return std::make_unique<BusPort>(line); };
    const Ran ran = line.orvane("ports --probe");
    EXPECT_EQ(ran.status, 0) << ran.err;
    EXPECT_EQ(ran.out,
              "COM1\t/dev/ttyS1\t-\tavailable\ttransmitter 00662316 version T1.02\n"
              "COM2\t/dev/ttyS2\t-\tavailable\treceiver 00662316 version R1.02\n"
              "COM3\t/dev/ttyS3\t-\tavailable\tno module answers\n");
}

}  // namespace
}  // namespace orvane::test
