#include "tests/support/TestProgram.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orvane::test {
namespace {

class PortSelect : public ::testing::TestWithParam<Program> {
protected:
    // The program started on a system with the given ports (COM numbers).
    void startWith(const std::vector<int>& numbers) {
        for (int n : numbers)
            p.port.ports.push_back({n, "/dev/tty" + std::to_string(n), n == 3 ? "FT232R USB UART" : ""});
        p.start();
    }
    Form1& f() { return p.form(); }
    bool tx() const { return GetParam() == Program::Quorvex; }
    std::vector<bool> switches() {
        Form1& form = f();
        return {form.ChTestSW[0].enabled(), form.ChTestSW[1].enabled(), form.ChTestSW[2].enabled(),
                form.ChTestSW[3].enabled(), form.GetInfoSW.enabled(),   form.ChCheckSW.enabled(),
                form.ChWriteSW.enabled()};
    }

    TestProgram p{GetParam()};
};

INSTANTIATE_TEST_SUITE_P(BothPrograms, PortSelect, ::testing::Values(Program::Quorvex, Program::Brelund),
                         [](const auto& param) { return nameOf(param.param); });

TEST_P(PortSelect, ScanListsThePortsThatOpen) {
    p.port.busy = {7};
    startWith({12, 3, 7});
    EXPECT_EQ(f().Combo1.list(), (std::vector<std::string>{"COM3", "COM12"}));
    EXPECT_EQ(f().Combo1.itemToolTips,
              (std::vector<std::string>{"/dev/tty3 - FT232R USB UART", "/dev/tty12"}));
    EXPECT_EQ(f().Combo1.text(), "COM3");
    EXPECT_FALSE(p.port.isOpen());

    f().Combo1.setText("COM12");
    f().ComStart.click();
    EXPECT_TRUE(p.port.isOpen());
    EXPECT_EQ(p.port.opened.back(), 12);
}

// Opening the list scans again: an adapter plugged in since start-up appears, a pulled one goes,
// the text stays; the open port is never touched.
TEST_P(PortSelect, OpeningTheListScansAgain) {
    startWith({3, 12});
    p.port.ports = {{12, "/dev/tty12", ""}, {5, "/dev/ttyUSB0", "new"}};
    f().Combo1.dropDown();
    EXPECT_EQ(f().Combo1.list(), (std::vector<std::string>{"COM5", "COM12"}));
    EXPECT_EQ(f().Combo1.itemToolTips, (std::vector<std::string>{"/dev/ttyUSB0 - new", "/dev/tty12"}));
    EXPECT_EQ(f().Combo1.text(), "COM3");

    f().Combo1.setText("COM12");
    f().ComStart.click();
    const auto opened = p.port.opened;
    p.port.ports.push_back({7, "/dev/tty7", ""});
    f().Combo1.dropDown();
    EXPECT_TRUE(p.port.isOpen());
    EXPECT_EQ(p.port.opened, opened);
    EXPECT_EQ(f().Combo1.list().size(), 2u);
}

TEST_P(PortSelect, ScanWithoutPortsLeavesAnEmptyList) {
    startWith({});
    EXPECT_TRUE(f().Combo1.list().empty());
    EXPECT_EQ(f().Combo1.text(), "");
}

TEST_P(PortSelect, OpeningShowsTheFreshPortOpenState) {
    startWith({3});
    f().P_Message.setCaption("old");
    f().P_Message.setToolTip("old reason");
    for (Label* l : {&f().C_Message, &f().T_Message, &f().L_Message})
        l->setCaption("old");
    f().Version.setText("T1.02");
    f().Serial.setText("00000005");
    f().FactoryDate.setText("2024/05/17");
    f().FOffsetV.setText("3A");
    for (auto& entry : f().ChFrequency)
        entry.setBackColor(f().ColorGreen);
    for (auto& step : f().ChStep)
        step.setBackColor(f().ColorGreen);

    f().ComStart.click();

    EXPECT_TRUE(p.port.isOpen());
    EXPECT_TRUE(p.port.dtr);
    EXPECT_TRUE(p.port.rts);
    for (Label* l : {&f().P_Message, &f().C_Message, &f().T_Message, &f().L_Message})
        EXPECT_EQ(l->caption(), "");
    EXPECT_EQ(f().P_Message.toolTip(), "");
    for (TextBox* box : {&f().Version, &f().Serial, &f().FactoryDate}) {
        EXPECT_EQ(box->text(), "");
        EXPECT_EQ(box->backColor(), f().ColorGray);
    }
    EXPECT_EQ(f().FOffsetV.text(), tx() ? "" : "3A");
    for (int ch = 0; ch < 4; ++ch) {
        EXPECT_EQ(f().ChFrequency[static_cast<std::size_t>(ch)].backColor(), f().ColorWindow);
        EXPECT_EQ(f().ChStep[static_cast<std::size_t>(ch)].backColor(),
                  tx() ? f().ColorGreen : f().ColorGray);
    }
    EXPECT_EQ(f().ComStart.caption(), "Close");
    EXPECT_FALSE(f().Combo1.enabled());
    EXPECT_EQ(f().Combo1.backColor(), f().ColorGreen);
    EXPECT_EQ(switches(), (std::vector<bool>{false, false, false, false, true, false, false}));
}

TEST_P(PortSelect, AFailedOpenSaysWhyAndStaysClosed) {
    p.port.busy = {3};
    startWith({3});
    f().Combo1.setText("COM3");
    f().ComStart.click();
    EXPECT_FALSE(p.port.isOpen());
    EXPECT_EQ(f().P_Message.caption(), tx() ? "COM Not Open!!" : "COM Not Open!");
    EXPECT_EQ(f().P_Message.toolTip(), "The port is in use by another program.");
    EXPECT_EQ(f().ComStart.caption(), "Open");
    EXPECT_TRUE(f().Combo1.enabled());
    EXPECT_FALSE(f().GetInfoSW.enabled());

    p.port.busy.clear();
    f().ComStart.click();
    EXPECT_TRUE(p.port.isOpen());
    EXPECT_EQ(f().P_Message.caption(), "");
    EXPECT_EQ(f().P_Message.toolTip(), "");
}

TEST_P(PortSelect, ClosingKeepsTheInformationAndTurnsTheButtonsOff) {
    startWith({3});
    f().ComStart.click();
    f().Version.setText("T1.02");
    f().EnableSwitches();
    f().ComStart.click();
    EXPECT_FALSE(p.port.isOpen());
    EXPECT_EQ(f().ComStart.caption(), "Open");
    EXPECT_TRUE(f().Combo1.enabled());
    EXPECT_EQ(f().Combo1.backColor(), f().ColorWindow);
    EXPECT_EQ(switches(), std::vector<bool>(7, false));
    EXPECT_EQ(f().Version.text(), "T1.02");
}

TEST_P(PortSelect, TheOpenStateOfThePortDecidesNotTheCaption) {
    startWith({3});
    f().ComStart.setCaption("Close");
    f().ComStart.click();
    EXPECT_TRUE(p.port.isOpen());
    f().ComStart.setCaption("Open");
    f().ComStart.click();
    EXPECT_FALSE(p.port.isOpen());
}

TEST_P(PortSelect, TheComboTextSelectsThePort) {
    startWith({3, 16, 20});
    struct Case {
        const char* text;
        int number;          // port opened
        const char* device;  // device path opened instead, or ""
    };
    const std::vector<Case> cases{
        {"COM16", 16, ""},
        {"COM20", 20, ""},                 // numbers above 16 select their port too
        {"/dev/pts/7", 20, "/dev/pts/7"},  // a device path opens that device
        {"COM3", 3, ""},
        {"com16", 3, ""},  // any other text: the port selected before
        {"COM016", 3, ""},
        {"", 3, ""},
    };
    for (const Case& c : cases) {
        f().Combo1.setText(c.text);
        f().ComStart.click();
        ASSERT_TRUE(p.port.isOpen()) << c.text;
        EXPECT_EQ(p.port.portNumber(), c.number) << c.text;
        EXPECT_EQ(p.port.devicePath, c.device) << c.text;
        f().ComStart.click();
    }
}

TEST_P(PortSelect, PortErrorRecoveryReturnsToThePortClosedState) {
    startWith({3});
    f().ComStart.click();
    f().EnableSwitches();
    f().Version.setText("T1.02");
    // The adapter pulled while nothing runs: the frame shows it at once, with the reason.
    p.port.lose("Device disappeared from the system");
    p.advance(0);
    EXPECT_EQ(f().P_Message.toolTip(), "Device disappeared from the system");
    EXPECT_FALSE(p.port.isOpen());
    EXPECT_EQ(f().P_Message.caption(), "Com port Error!");
    EXPECT_EQ(f().ComStart.caption(), "Open");
    EXPECT_TRUE(f().Combo1.enabled());
    EXPECT_EQ(f().Combo1.backColor(), f().ColorWindow);
    EXPECT_EQ(switches(), std::vector<bool>(7, false));
    EXPECT_EQ(f().Version.text(), "T1.02");

    // Also when the port is already closed; after re-plugging, Open works again.
    p.app->link().recoverFromPortError();
    EXPECT_EQ(f().P_Message.caption(), "Com port Error!");
    f().ComStart.click();
    EXPECT_TRUE(p.port.isOpen());
    EXPECT_EQ(f().ComStart.caption(), "Close");
}

}  // namespace
}  // namespace orvane::test
