#pragma once

// What the bindings of both views carry between the model and the controls, as one table of
// scenarios for both: the Qt view (tests/qtview/ViewBindingTest.cpp, by Qt's events) and the
// Windows view (tests/win/WinViewBindingTest.cpp, by window messages) each implement ViewDriver
// over their own controls and run every scenario.

#include "tests/support/TestProgram.h"
#include "tests/viewcases/BoxCases.h"
#include "tests/viewcases/WindowCases.h"

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <ostream>
#include <string>
#include <vector>

namespace orvane::test {

// One program's window after start-up, driven and read back by control name as the user does it.
class ViewDriver {
public:
    virtual ~ViewDriver() = default;
    virtual TestProgram& program() = 0;
    virtual void show() = 0;
    virtual void click(const std::string& name) = 0;
    virtual void focus(const std::string& name) = 0;
    virtual bool hasFocus(const std::string& name) = 0;
    // Over what the field holds: key by key, or at once.
    virtual void type(const std::string& name, const std::string& text) = 0;
    virtual void paste(const std::string& name, const std::string& text) = 0;
    virtual void tab() = 0;
    virtual void move(const std::string& box, BoxMove move) = 0;
    virtual void wheelOver(const std::string& box, int notches) = 0;
    virtual bool enabled(const std::string& name) = 0;
    virtual bool checked(const std::string& name) = 0;
    // What the control (or, by the window's name, the title bar) shows, in UTF-8, lines ending "\n".
    virtual std::string text(const std::string& name) = 0;
    virtual bool caretAtEnd(const std::string& name) = 0;
    // The control's background in that colour: for a box the whole field, not only its text.
    virtual bool filledWith(const std::string& name, Color color) = 0;
    virtual bool writtenIn(const std::string& name, Color color) = 0;
    virtual std::string cell(const std::string& grid, int row, int column) = 0;
    // A list's items, its current item (-1: none) and the item holding a text (-1: none).
    virtual int items(const std::string& box) = 0;
    virtual std::string item(const std::string& box, int index) = 0;
    virtual int currentItem(const std::string& box) = 0;
    virtual int findItem(const std::string& box, const std::string& text) = 0;
    virtual void pick(const std::string& box, int index) = 0;
    virtual void openList(const std::string& box, bool open) = 0;
    // While the list is open: the rows it shows, and whether the current item is among them.
    virtual int listRows(const std::string& box) = 0;
    virtual bool listShowsCurrent(const std::string& box) = 0;
    // The device a picked port names, as the tooltip shows it.
    virtual std::string pickedToolTip(const std::string& box) = 0;
    virtual int outerWidth() = 0;
    // Where a control stands in its parent, or (by the window's name) the window on the screen.
    virtual int placeX(const std::string& name) = 0;
    virtual void moveWindow(int x, int y) = 0;
    virtual void close() = 0;
    virtual int closes() = 0;
    virtual int writes() = 0;  // to the controls, so far
};

struct BindingCase {
    std::string name;
    Program program;
    std::function<void(ViewDriver&)> run;
};
inline void PrintTo(const BindingCase& c, std::ostream* out) {
    *out << c.name;
}

inline void showInDebugMode(Form1& form) {
    form.form.setWidth(form.DebugWidth);
    form.Frame5.setLeft(6120);
}

inline std::vector<BindingCase> bindingCases() {
    std::vector<BindingCase> cases{
        {"ClicksReachTheModelOnlyOnEnabledButtons", Program::Brelund,
         [](ViewDriver& d) {
             Form1& form = d.program().form();
             int opens = 0, tests = 0;
             form.ComStart.onClick = [&opens] { ++opens; };
             form.ChTestSW[1].onClick = [&tests] { ++tests; };
             d.click("ComStart");
             d.click("ChTestSW(1)");
             EXPECT_EQ(opens, 1);
             EXPECT_EQ(tests, 0);
             form.ChTestSW[1].setEnabled(true);
             EXPECT_TRUE(d.enabled("ChTestSW(1)"));
             d.click("ChTestSW(1)");
             EXPECT_EQ(tests, 1);
         }},
        {"CheckBoxClickRunsTheModelHandler", Program::Quorvex,
         [](ViewDriver& d) {
             ASSERT_TRUE(d.checked("Check1"));
             d.click("Check1");
             EXPECT_EQ(d.program().form().Check1.value(), 0);
             EXPECT_FALSE(d.checked("Check1"));
             EXPECT_FALSE(d.enabled("LogFileName"));
             d.click("Check1");
             EXPECT_TRUE(d.enabled("LogFileName"));
             EXPECT_EQ(d.text("LogFileName"), "Quorvex.log");
         }},
        {"TypingPickingAndFocusInAComboBoxReachTheModel", Program::Quorvex,
         [](ViewDriver& d) {
             ComboBox& entry = d.program().form().ChFrequency[2];
             ASSERT_GT(d.items("ChFrequency(2)"), 100);
             EXPECT_EQ(d.text("ChFrequency(2)"), entry.text());
             d.type("ChFrequency(2)", "869,1");
             EXPECT_EQ(entry.text(), "869,1");
             EXPECT_EQ(d.text("ChFrequency(2)"), "869,1");  // nothing completed or corrected
             d.pick("ChFrequency(2)", 3);
             EXPECT_EQ(entry.text(), d.item("ChFrequency(2)", 3));

             d.show();
             int lost = 0;
             entry.onLostFocus = [&lost] { ++lost; };
             d.focus("ChFrequency(2)");
             d.focus("ComStart");
             EXPECT_EQ(lost, 1);

             // Opening the port list scans the ports again before it shows; the text stays.
             d.program().port.ports = {{5, "/dev/ttyUSB0", "plugged in now"}};
             d.openList("Combo1", true);
             d.openList("Combo1", false);
             ASSERT_EQ(d.items("Combo1"), 1);
             EXPECT_EQ(d.item("Combo1", 0), "COM5");
             EXPECT_EQ(d.text("Combo1"), "");
             d.pick("Combo1", 0);
             EXPECT_EQ(d.program().form().Combo1.text(), "COM5");
             EXPECT_EQ(d.pickedToolTip("Combo1"), "/dev/ttyUSB0 - plugged in now");
         }},
        {"KeysAndWheelMoveAChannelBoxFromItsValue", Program::Quorvex,
         [](ViewDriver& d) {
             d.show();
             d.focus(kKeyBox);
             ASSERT_TRUE(d.hasFocus(kKeyBox));
             for (const BoxCase& c : kBoxCases) {
                 SCOPED_TRACE(std::string(c.text) + " then move " + std::to_string(static_cast<int>(c.move)));
                 d.type(kKeyBox, c.text);
                 EXPECT_EQ(d.currentItem(kKeyBox), c.onItem ? d.findItem(kKeyBox, c.text) : -1);
                 d.move(kKeyBox, c.move);
                 EXPECT_EQ(d.program().form().ChFrequency[3].text(), c.after);
                 EXPECT_EQ(d.text(kKeyBox), c.after);
                 EXPECT_EQ(d.currentItem(kKeyBox), d.findItem(kKeyBox, c.after));
                 EXPECT_TRUE(d.filledWith(kKeyBox, c.color));
             }
         }},
        {"TheWheelLeavesABoxWithoutTheFocusAndTheListOpensOnTheValue", Program::Quorvex,
         [](ViewDriver& d) {
             d.show();
             d.focus("ComStart");
             d.wheelOver("ChFrequency(3)", 2);
             EXPECT_EQ(d.program().form().ChFrequency[3].text(), "869.7500");
             EXPECT_FALSE(d.hasFocus("ChFrequency(3)"));
             d.openList("ChFrequency(3)", true);
             EXPECT_EQ(d.listRows("ChFrequency(3)"), 8);
             EXPECT_EQ(d.currentItem("ChFrequency(3)"), d.findItem("ChFrequency(3)", "869.7500"));
             EXPECT_TRUE(d.listShowsCurrent("ChFrequency(3)"));
             d.openList("ChFrequency(3)", false);
         }},
        {"ModelColoursFillTheWholeField", Program::Brelund,
         [](ViewDriver& d) {
             Form1& form = d.program().form();
             for (Control* control :
                  std::initializer_list<Control*>{&form.Version, &form.ChFrequency[0], &form.ChStep[3]})
                 control->setBackColor(kColorGreen);
             for (const char* name : {"Version", "RxFrequency(0)", "ChStep(3)"})
                 EXPECT_TRUE(d.filledWith(name, kColorGreen)) << name;
             EXPECT_TRUE(d.writtenIn("P_Message", 0x0000FF));  // red
             form.ChFrequency[0].setBackColor(kSystemWindowColor);
             EXPECT_TRUE(d.filledWith("RxFrequency(0)", kSystemWindowColor));
         }},
        {"ModelChangesTouchTheControlOnlyWhenItShowsSomethingElse", Program::Quorvex,
         [](ViewDriver& d) {
             Form1& form = d.program().form();
             const int before = d.writes();
             form.MSFlexGrid1.setTextMatrix(1, 1, "5A");
             EXPECT_EQ(d.cell("MSFlexGrid1", 1, 1), "5A");
             EXPECT_EQ(d.writes(), before + 1);

             // The register refresh rewrites every cell with what it holds: no control write.
             d.program().app->IntervalTimer_Timer();
             const int refreshed = d.writes();
             d.program().app->IntervalTimer_Timer();
             EXPECT_EQ(d.writes(), refreshed);

             // A text that came from the control is not written back to it; one from the program is.
             d.paste("ChFrequency(1)", "868.1000");
             EXPECT_EQ(form.ChFrequency[1].text(), "868.1000");
             EXPECT_EQ(d.writes(), refreshed);
             form.ChFrequency[1].setText("869.0000");
             EXPECT_EQ(d.text("ChFrequency(1)"), "869.0000");
             EXPECT_EQ(d.writes(), refreshed + 1);
         }},
        {"TermAppendsAndFollowsTheEnd", Program::Quorvex,
         [](ViewDriver& d) {
             TextBox& term = d.program().form().Term;
             term.setText("/V\r*V T1.00\r");
             term.setText("/V\r*V T1.00\r\n*D 123\r\n");
             term.setCaret(term.text().size());
             EXPECT_EQ(d.text("Term"), "/V\n*V T1.00\n*D 123\n");
             EXPECT_TRUE(d.caretAtEnd("Term"));
             term.setText("");
             EXPECT_EQ(d.text("Term"), "");

             // A module's non-ASCII byte shows as the same character in Term and in Version.
             d.program().port.deliver("*V T1.0\xE9 ORVANE-MOD\r");
             EXPECT_EQ(d.text("Version"), "T1.0\xC3\xA9");
             EXPECT_NE(d.text("Term").find("T1.0\xC3\xA9"), std::string::npos);
             EXPECT_TRUE(d.caretAtEnd("Term"));
         }},
        {"DebugLayoutWidensTheWindowAndShowsTheDebugFrame", Program::Brelund,
         [](ViewDriver& d) {
             Form1& form = d.program().form();
             form.form.setCaption(form.form.caption() + " (Debug mode!!)");
             showInDebugMode(form);
             EXPECT_EQ(d.outerWidth(), 820);
             EXPECT_EQ(d.placeX("Frame5"), 408);
             EXPECT_TRUE(d.text("Form1").ends_with(" (Debug mode!!)"));
         }},
        {"CloseRunsTheHandlerOnceAndMovesReachTheModel", Program::Quorvex,
         [](ViewDriver& d) {
             d.show();
             d.moveWindow(120, 60);
             EXPECT_EQ(d.program().form().form.left(), 1800);
             EXPECT_EQ(d.program().form().form.top(), 900);
             d.program().form().form.setLeft(2400);
             EXPECT_EQ(d.placeX("Form1"), 160);
             d.close();
             d.close();
             EXPECT_EQ(d.closes(), 1);
         }},
    };
    // Tab goes on in the description's order and skips the controls that are not shown.
    for (const TabCase& c : kTabCases) {
        cases.push_back({std::string("TabFrom") + c.from + (c.debugMode ? "InDebugMode" : ""),
                         Program::Quorvex, [c](ViewDriver& d) {
                             if (c.debugMode) showInDebugMode(d.program().form());
                             d.show();
                             d.focus(c.from);
                             d.tab();
                             EXPECT_TRUE(d.hasFocus(c.to)) << c.to;
                         }});
    }
    return cases;
}

}  // namespace orvane::test
