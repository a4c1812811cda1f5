#include "core/window/Controls.h"
#include "core/window/Form1.h"
#include "core/window/FramesFirst.h"
#include "core/window/Grid.h"
#include "core/window/Timer.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace orvane {
namespace {

struct Counter {
    int count = 0;
    std::vector<Prop> props;
    void attach(Control& c) {
        c.observe([this](Prop p, int) {
            ++count;
            props.push_back(p);
        });
    }
};

TEST(Control, NotifiesOnlyRealChanges) {
    Label label;
    Counter seen;
    seen.attach(label);
    label.setCaption("A");
    label.setCaption("A");
    label.setBackColor(0xC0FFC0);
    label.setBackColor(0xC0FFC0);
    label.setLeft(10);
    label.setLeft(10);
    EXPECT_EQ(seen.count, 3);
}

TEST(Grid, RewritingTheSameCellTextIsSilent) {
    Grid grid;
    grid.setShape(13, 5);
    Counter seen;
    seen.attach(grid);
    grid.setTextMatrix(3, 2, "5A");
    grid.setTextMatrix(3, 2, "5A");
    EXPECT_EQ(seen.count, 1);
    EXPECT_EQ(grid.textMatrix(3, 2), "5A");
    EXPECT_THROW(grid.setTextMatrix(13, 0, "x"), std::out_of_range);
}

// What each setter notifies is what a view decodes from it, so the views show the right cell.
TEST(Grid, NotificationsDecodeToWhatAViewShowsAgain) {
    using What = Grid::Change::What;
    Grid grid;
    std::vector<std::tuple<What, int, int>> seen;
    grid.observe([&](Prop prop, int index) {
        const Grid::Change change = grid.change(prop, index);
        seen.emplace_back(change.what, change.row, change.column);
    });
    grid.setShape(13, 5);
    grid.setTextMatrix(3, 2, "5A");
    grid.setColumnWidth(4, 900);
    grid.setFixedAlignment(1, Align::Center);
    grid.setAlignment(Align::Right);
    EXPECT_EQ(seen, (std::vector<std::tuple<What, int, int>>{{What::Shape, 0, 0},
                                                             {What::Cell, 3, 2},
                                                             {What::ColumnWidth, 0, 4},
                                                             {What::ColumnAlignment, 0, 1},
                                                             {What::Other, 0, 0}}));
    EXPECT_EQ(Grid().change(Prop::Cell, 0).what, What::Nothing);  // no columns, no cells
}

// A control goes into its frame's view; one whose frame is absent or has no view is left out.
TEST(FramesFirst, ControlsGoIntoTheirFramesViewOrAreLeftOut) {
    Frame shown, absent, viewless;
    Label inShown, inAbsent, inViewless, alone;
    for (auto [control, name, frame, present] :
         {std::tuple<Control*, const char*, Control*, bool>{&shown, "shown", nullptr, true},
          {&absent, "absent", nullptr, false},
          {&viewless, "viewless", nullptr, true},
          {&inShown, "inShown", &shown, true},
          {&inAbsent, "inAbsent", &absent, true},
          {&inViewless, "inViewless", &viewless, true},
          {&alone, "alone", nullptr, true}}) {
        control->name = name;
        control->parent = frame;
        control->present = present;
    }
    std::vector<std::string> built;
    const std::string window = "window";
    buildFramesFirst<const std::string*>(
        {&shown, &absent, &viewless, &inShown, &inAbsent, &inViewless, &alone}, &window,
        [&built](Control& control, const std::string* parent) -> const std::string* {
            built.push_back(control.name + " in " + *parent);
            return control.name == "viewless" ? nullptr : &control.name;
        });
    EXPECT_EQ(built, (std::vector<std::string>{"shown in window", "viewless in window", "inShown in shown",
                                               "alone in window"}));
}

TEST(ComboBox, ChangeEventRunsOnlyWhenTheTextChanges) {
    ComboBox box;
    int changes = 0;
    box.onChange = [&] { ++changes; };
    box.setText("868.3000");
    box.setText("868.3000");
    box.setText("868,3");
    EXPECT_EQ(changes, 2);
}

// A list of no known order (the ports): its current item is the one the text names; the keys move
// from there, from before the first item when the box is empty, and leave other texts alone.
TEST(ComboBox, KeysMoveThroughAListByItsTexts) {
    struct Case {
        std::string text;
        int step;
        std::string after;
        std::optional<std::size_t> current;
    };
    const Case cases[] = {
        {"COM5", 1, "COM8", 1}, {"COM5", -1, "COM1", 1}, {"COM8", 7, "COM8", 2},
        {"", 1, "COM1", {}},    {"COM7", 1, "COM7", {}}, {"com5", -1, "com5", {}},
    };
    for (const Case& c : cases) {
        ComboBox ports;
        for (const char* item : {"COM1", "COM5", "COM8"})
            ports.addItem(item);
        ports.setText(c.text);
        EXPECT_EQ(ports.currentItem(), c.current) << c.text;
        ports.stepInList(c.step);
        EXPECT_EQ(ports.text(), c.after) << c.text << " by " << c.step;
    }
}

TEST(Button, DisabledButtonIgnoresClicks) {
    Button button;
    int clicks = 0;
    button.onClick = [&] { ++clicks; };
    button.setEnabled(false);
    button.click();
    button.setEnabled(true);
    button.click();
    EXPECT_EQ(clicks, 1);
}

TEST(Timer, IntervalAndEnableRearm) {
    Timer timer;
    timer.setTimerEnabled(false);
    Counter seen;
    seen.attach(timer);
    timer.setInterval(200);  // disabled: nothing to restart
    timer.setTimerEnabled(true);
    timer.setInterval(200);  // same value still restarts the count
    timer.setTimerEnabled(true);
    timer.setTimerEnabled(false);
    EXPECT_EQ(seen.props, (std::vector<Prop>{Prop::Enabled, Prop::Armed, Prop::Armed, Prop::Enabled}));
}

TEST(Form1, Check1GreysOutTheLogName) {
    Form1 f;
    f.LogFileName.setText("Quorvex.log");
    f.Check1.setValue(1);
    f.Check1.click();
    EXPECT_EQ(f.Check1.value(), 0);
    EXPECT_FALSE(f.LogFileName.enabled());
    f.Check1.click();
    EXPECT_TRUE(f.LogFileName.enabled());
    EXPECT_EQ(f.LogFileName.text(), "Quorvex.log");
}

}  // namespace
}  // namespace orvane
