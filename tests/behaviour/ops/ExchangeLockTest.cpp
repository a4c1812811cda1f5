// One exchange at a time: while an exchange runs, no click on any other button of the window
// changes what goes on the wire or how the window ends up.
#include "tests/behaviour/ops/OpsBench.h"

#include <gtest/gtest.h>

#include <ostream>
#include <sstream>

namespace orvane::test {
namespace {

struct LockCase {
    const char* name;
    Button& (*button)(Form1&);
    Timer& (*timer)(Form1&);
    // A wrong-type "*V" line arrives this long after the click (0: none).
    long long strayVersionAt = 0;
    // Only this control is clicked (empty: every one).
    const char* only = "";
};

void PrintTo(const LockCase& c, std::ostream* os) {
    *os << c.name;
}

const LockCase kLockCases[] = {
    {"GetInfo", [](Form1& f) -> Button& { return f.GetInfoSW; },
     [](Form1& f) -> Timer& { return f.GetInfoTimer; }},
    {"Test", [](Form1& f) -> Button& { return f.ChTestSW[1]; },
     [](Form1& f) -> Timer& { return f.TestTimer; }},
    {"Check", [](Form1& f) -> Button& { return f.ChCheckSW; },
     [](Form1& f) -> Timer& { return f.ReadAllTimer; }},
    {"Write", [](Form1& f) -> Button& { return f.ChWriteSW; },
     [](Form1& f) -> Timer& { return f.WriteAllTimer; }},
    // Its "*V" makes the reply handler switch to "Get Info. only", which must wait for the end.
    {"WriteWithStrayVersion", [](Form1& f) -> Button& { return f.ChWriteSW; },
     [](Form1& f) -> Timer& { return f.WriteAllTimer; }, 1100, "GetInfoSW"},
};

// Every button and the log tick box, by name; an exchange's own button is left out by the caller.
std::vector<Control*> clickables(Form1& f) {
    std::vector<Control*> all;
    for (Control* c : f.controls()) {
        if (c->present && (c->kind() == Kind::Button || c->kind() == Kind::CheckBox) && c != &f.ComStart)
            all.push_back(c);
    }
    return all;
}

void click(Control& c) {
    if (c.kind() == Kind::CheckBox)
        static_cast<CheckBox&>(c).click();
    else
        static_cast<Button&>(c).click();
}

// What the technician sees of every control, the log file, and the wire.
std::string outcome(const OpsBench& b) {
    std::ostringstream out;
    for (Control* c : const_cast<Form1&>(b.f).controls()) {
        if (!c->present) continue;
        out << c->name << '|' << c->text() << '|' << c->backColor() << '|' << c->enabled() << '\n';
    }
    const Grid& grid = b.f.MSFlexGrid1;
    for (int row = 0; row < grid.rows(); ++row)
        for (int col = 0; col < grid.columns(); ++col)
            out << grid.textMatrix(row, col) << ',';
    out << "\nlog:" << b.logText() << "\nwire:";
    for (const auto& [time, bytes] : b.wire())
        out << time << '=' << bytes << ';';
    return out.str();
}

class ExchangeLock : public ::testing::TestWithParam<std::tuple<Program, LockCase>> {
protected:
    // One run: the exchange's click, then, `at` ms later, a click on the control named `other`
    // (none when empty). `ticks` collects the times the exchange's timer ticked.
    std::string run(const std::string& other, long long at, std::vector<long long>* ticks = nullptr) {
        const auto& [program, c] = GetParam();
        OpsBench b(program);
        // Entries away from the defaults and a table to load: any click that reached them shows.
        b.f.ChFrequency[0].setText("868.0500");
        b.p.advance(100);
        const std::string table = b.p.folder.str() + "/t.tbl";
        writeBytes(table, "CH1F ,868.5000,c\r\n");
        b.p.dialog.answers.push_back({true, table});
        Timer& timer = c.timer(b.f);
        if (ticks) {
            auto inner = timer.onTick;
            timer.onTick = [&b, ticks, inner] {
                ticks->push_back(b.p.clock.now());
                inner();
            };
        }
        b.click(c.button(b.f));
        if (c.strayVersionAt > 0)
            b.p.clock.after(c.strayVersionAt, [&b] { b.p.port.deliver("*V R1.99 0000000000000\r"); });
        if (!other.empty()) {
            b.at(at);
            for (Control* candidate : clickables(b.f))
                if (candidate->name == other) click(*candidate);
        }
        b.finish();
        return outcome(b);
    }
};

TEST_P(ExchangeLock, NoOtherClickDisturbsARunningExchange) {
    const auto& [program, c] = GetParam();
    std::vector<long long> ticks;
    const std::string undisturbed = run({}, 0, &ticks);
    ASSERT_FALSE(ticks.empty());

    // Right after the click, and right after every tick but the last, which ends the exchange
    // (ticks are absolute times; the click came 100 ms after the bench's start).
    OpsBench names(program);
    const long long clickedAt = names.p.clock.now() + 100;
    std::vector<long long> moments{1};
    for (std::size_t i = 0; i + 1 < ticks.size(); ++i)
        moments.push_back(ticks[i] - clickedAt + 1);

    const bool test = c.timer(names.f).name == "TestTimer";
    const std::string own = c.button(names.f).name;
    for (Control* other : clickables(names.f)) {
        // Another channel's test click restarts a running test on purpose.
        if (other->name == own || (test && other->name.starts_with("ChTestSW"))) continue;
        if (*c.only != '\0' && other->name != c.only) continue;
        for (long long moment : moments) {
            if (run(other->name, moment) != undisturbed) {
                ADD_FAILURE() << other->name << " clicked " << moment << " ms after " << c.name;
                break;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, ExchangeLock,
                         ::testing::Combine(::testing::Values(Program::Quorvex, Program::Brelund),
                                            ::testing::ValuesIn(kLockCases)),
                         caseName<LockCase>);

}  // namespace
}  // namespace orvane::test
