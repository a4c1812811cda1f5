#pragma once

#include "core/files/TextFile.h"
#include "tests/support/FakeModule.h"
#include "tests/support/TestProgram.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace orvane::test {

// One program with its port open and a fake module on the line, for the exchanges. Time starts
// once the register grid has been refreshed; writes before that (opening the port) are forgotten.
class OpsBench {
public:
    using Wire = std::vector<std::pair<long long, std::string>>;

    explicit OpsBench(Program which, modsim::SimConfig config = {}, bool allButtons = true)
        : p(which),
          module(p, withType(which, std::move(config))),
          f(p.form()),
          tx(which == Program::Quorvex) {
        p.port.ports = {{1, "/dev/ttyS0", ""}};
        p.start();
        f.ComStart.click();
        p.advance(100);
        // As after a successful "Get Info.", unless the test starts from a freshly opened port.
        if (allButtons) f.EnableSwitches();
        p.port.writes.clear();
        p.port.rtsHistory.clear();
        module.commands.clear();
    }

    static modsim::SimConfig withType(Program which, modsim::SimConfig config) {
        config.type = which == Program::Quorvex ? 'T' : 'R';
        return config;
    }

    // Clicks a button and notes the time, so that wire() is relative to the click.
    void click(Button& button) {
        m_start = p.clock.now();
        button.click();
    }
    // Runs until every exchange timer has stopped, then 1 s more for late replies.
    void finish() {
        p.clock.runUntilIdle({&f.GetInfoTimer, &f.TestTimer, &f.ReadAllTimer, &f.WriteAllTimer});
        p.advance(1000);
    }
    // Advances to `ms` after the click.
    void at(long long ms) { p.clock.advanceTo(m_start + ms); }

    // Each write with its time after the click.
    Wire wire() const {
        Wire all;
        for (const auto& w : p.port.writes)
            all.emplace_back(w.time - m_start, w.bytes);
        return all;
    }
    std::vector<std::string> sent() const { return p.port.sentCommands(); }

    // The register texts of a channel as the grid holds them, joined as "/T " sends them.
    std::string gridTexts(int ch) const {
        std::string texts;
        for (int row = 1; row <= (tx ? 12 : 5); ++row)
            texts += (row > 1 ? "," : "") + f.MSFlexGrid1.textMatrix(row, ch + 1);
        return texts;
    }
    std::string testCommand(int ch) const { return "/T " + gridTexts(ch) + "\r"; }

    bool green(int ch) const {
        const auto i = static_cast<std::size_t>(ch);
        const bool entry = f.ChFrequency[i].backColor() == f.ColorGreen;
        return tx ? entry : entry && f.ChStep[i].backColor() == f.ColorGreen;
    }
    std::vector<bool> greens() const { return {green(0), green(1), green(2), green(3)}; }

    std::string logPath() const { return p.folder.str() + "/" + f.LogFileName.text(); }
    bool logExists() const { return std::filesystem::exists(logPath()); }
    std::string logText() const { return files::readWholeFile(logPath()).value_or(""); }

    // The buttons as a group: "all", "info" (only Get Info.), "none" or "mixed".
    std::string buttons() const {
        bool anyTest = false;
        bool allTests = true;
        for (const auto& b : f.ChTestSW) {
            anyTest = anyTest || b.enabled();
            allTests = allTests && b.enabled();
        }
        const bool others = f.ChCheckSW.enabled() && f.ChWriteSW.enabled();
        if (allTests && others && f.GetInfoSW.enabled()) return "all";
        if (!anyTest && !f.ChCheckSW.enabled() && !f.ChWriteSW.enabled())
            return f.GetInfoSW.enabled() ? "info" : "none";
        return "mixed";
    }

    // The last exchange's outcome in a few words: its kind, the command left unanswered and the
    // channel it concerns ("pass", "flash-write-error ch 2", "no-response /W 01 ch 1").
    std::string ending() const {
        static constexpr const char* kKinds[] = {"pass",
                                                 "no-response",
                                                 "wrong-module-type",
                                                 "flash-write-error",
                                                 "flash-clear-error",
                                                 "discrepancy",
                                                 "test-data-error",
                                                 "common-parameter-error",
                                                 "port-failure",
                                                 "not-admitted"};
        const Outcome& o = f.outcome.current();
        std::string text = kKinds[static_cast<int>(o.kind)];
        if (!o.command.empty()) text += " " + o.command;
        if (o.channel >= 0) text += " ch " + std::to_string(o.channel);
        return text;
    }

    // The port-closed state the port-error recovery leaves.
    void expectPortErrorState() const {
        EXPECT_EQ(f.P_Message.caption(), "Com port Error!");
        EXPECT_FALSE(p.port.isOpen());
        EXPECT_EQ(f.ComStart.caption(), "Open");
        EXPECT_TRUE(f.Combo1.enabled());
        EXPECT_EQ(f.Combo1.backColor(), f.ColorWindow);
        EXPECT_EQ(buttons(), "none");
    }

    TestProgram p;
    FakeModule module;
    Form1& f;
    bool tx;

private:
    long long m_start = 0;
};

inline std::string programName(const ::testing::TestParamInfo<Program>& info) {
    return nameOf(info.param);
}

// "Quorvex_Silent": the program and the case's name, for table-driven tests over both programs.
template <class Case>
std::string caseName(const ::testing::TestParamInfo<std::tuple<Program, Case>>& param) {
    return nameOf(std::get<0>(param.param)) + "_" + std::get<1>(param.param).name;
}

}  // namespace orvane::test
