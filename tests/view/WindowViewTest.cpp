#include "platform/qt/ModelConvert.h"
#include "tests/view/ViewFixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <gtest/gtest.h>

namespace orvane::test {
namespace {

QString shownText(QWidget* widget) {
    if (auto* label = qobject_cast<QLabel*>(widget)) return label->text();
    if (auto* button = qobject_cast<QPushButton*>(widget)) return button->text();
    if (auto* frame = qobject_cast<QGroupBox*>(widget)) return frame->title();
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) return edit->text();
    if (auto* combo = qobject_cast<QComboBox*>(widget)) return combo->currentText();
    return widget->windowTitle();
}

struct Expected {
    const char* name;
    const char* text;  // nullptr: not checked
    bool enabled;
    QRect pixels;  // geometry at 96 dpi; empty: not checked
};

struct WindowCase {
    Program program;
    const char* caption;
    int gridRows;
    std::vector<Expected> controls;
    std::vector<const char*> absent;
};

class WindowView : public ::testing::TestWithParam<WindowCase> {};

TEST_P(WindowView, ShowsTheWindowInItsStartState) {
    const WindowCase& c = GetParam();
    ViewFixture f(c.program);
    EXPECT_EQ(f.view->window().windowTitle(), QString::fromLatin1(c.caption));
    EXPECT_EQ(f.view->window().outerSizePixels(), QSize(404, 522));

    for (const Expected& e : c.controls) {
        SCOPED_TRACE(e.name);
        QWidget* w = f.widget(e.name);
        ASSERT_NE(w, nullptr);
        if (e.text) {
            EXPECT_EQ(shownText(w), QString::fromLatin1(e.text));
        }
        EXPECT_EQ(w->isEnabled(), e.enabled);
        if (!e.pixels.isEmpty()) {
            EXPECT_EQ(w->geometry(), e.pixels);
        }
    }
    for (const char* name : c.absent)
        EXPECT_EQ(f.widget(name), nullptr) << name;

    auto* grid = f.find<QTableWidget>("MSFlexGrid1");
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->columnCount(), 5);
    EXPECT_EQ(grid->rowCount(), c.gridRows);
    EXPECT_EQ(grid->item(0, 0)->text(), QStringLiteral("Register"));
    EXPECT_EQ(grid->item(0, 4)->text(), QStringLiteral("Ch.3"));
    EXPECT_EQ(grid->columnWidth(0), 80);
    EXPECT_EQ(grid->columnWidth(1), 66);
    EXPECT_EQ(grid->item(1, 2)->textAlignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_TRUE(grid->horizontalHeader()->isHidden());

    // The debug frame stands off the client area until debug mode moves it in.
    EXPECT_EQ(f.widget("Frame5")->x(), -400);
    EXPECT_TRUE(f.find<QPlainTextEdit>("Term")->isReadOnly());
    // What the module sent can be copied but never typed over.
    for (const char* box : {"Version", "Serial", "FactoryDate"})
        EXPECT_TRUE(f.find<QLineEdit>(box)->isReadOnly()) << box;
    EXPECT_FALSE(f.find<QLineEdit>("LogFileName")->isReadOnly());
}

const std::vector<Expected> kCommon{
    {"Frame1", "Port select", true, {16, 8, 361, 73}},
    {"Combo1", "", true, {}},
    {"ComStart", "Open", true, {}},
    {"GetInfoSW", "Get Info.", false, {}},
    {"Label5", "FW Ver.", true, {}},
    {"Serial", "", true, {240, 20, 105, 27}},
    {"ChTestSW(3)", "Test", false, {288, 56, 57, 25}},
    {"ChTestSW(0)", "Test", false, {288, 128, 57, 25}},
    {"Fup(2)", "", true, {}},
    {"Fdown(1)", "", true, {}},
    {"FreqLoadSaveSW(0)", "Load", true, {}},
    {"FreqLoadSaveSW(1)", "Save", true, {}},
    {"FreqDefaultSW", "Default Set", true, {}},
    {"ChCheckSW", "Check", false, {}},
    {"ChWriteSW", "Write", false, {}},
    {"T_Message", "", true, {}},
    {"Check1", nullptr, true, {}},
    {"LogFileName", nullptr, true, {40, 24, 305, 24}},
    {"Frame4", "Log File", true, {16, 400, 361, 73}},
    {"FactoryDate", "", true, {}},
    {"Line1", nullptr, true, {}},
};

std::vector<Expected> with(std::vector<Expected> extra) {
    std::vector<Expected> all = kCommon;
    all.insert(all.end(), extra.begin(), extra.end());
    return all;
}

INSTANTIATE_TEST_SUITE_P(
    BothPrograms, WindowView,
    ::testing::Values(WindowCase{Program::Quorvex,
                                 "ORVANE-T(869M)_Setup   Ver.=1.5.2",
                                 13,
                                 with({{"Form1", "ORVANE-T(869M)_Setup   Ver.=1.5.2", true, {}},
                                       {"Frame3", "Get Target Information", true, {}},
                                       {"Frame2", "Ch Setting", true, {}},
                                       {"ChFrequency(3)", nullptr, true, {142, 56, 85, 24}},
                                       {"Label6", "Freq. [MHz]    Up  Down", true, {}},
                                       {"FOffsetV", "", true, {}},
                                       {"Label1", "Factory test date:", true, {24, 24, 57, 33}},
                                       {"LogFileName", "Quorvex.log", true, {}}}),
                                 {"LoFrequency(0)", "ChStep(3)", "RxFrequency(0)", "Label8", "Label11"}},
                      WindowCase{Program::Brelund,
                                 "ORVANE-R(868M)_Setup   Ver.=1.5.2",
                                 6,
                                 with({{"Frame2", "Get Target Information", true, {}},
                                       {"Frame3", "Ch Setting", true, {}},
                                       {"RxFrequency(0)", nullptr, true, {}},
                                       {"Label8", "Freq. [MHz]    Up  Down", true, {}},
                                       {"ComStart", "Open", true, {248, 24, 97, 25}},
                                       {"ChStep(2)", nullptr, true, {160, 244, 57, 17}},
                                       {"SwallowCounter(0)", nullptr, true, {}},
                                       {"Label11", "Factory test date:", true, {}},
                                       {"LogFileName", "Brelund.log", true, {}}}),
                                 {"FOffsetV", "ChFrequency(0)", "Label6", "Label2(4)"}}),
    [](const auto& param) { return nameOf(param.param.program); });

}  // namespace
}  // namespace orvane::test
