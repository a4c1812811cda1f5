#include "tests/support/TestProgram.h"

#include <gtest/gtest.h>

namespace orvane::test {
namespace {

class Startup : public ::testing::TestWithParam<Program> {};

TEST_P(Startup, BringsTheWindowIntoItsWorkingState) {
    TestProgram p(GetParam());
    p.start();
    Form1& f = p.form();
    const bool tx = GetParam() == Program::Quorvex;

    EXPECT_EQ(f.form.caption(),
              std::string(tx ? "ORVANE-T(869M)_Setup" : "ORVANE-R(868M)_Setup") + "   Ver.=1.5.2");
    EXPECT_EQ(f.form.width(), 6060);
    EXPECT_EQ(f.form.height(), 7830);
    EXPECT_EQ(f.DebugWidth, 12300);
    EXPECT_EQ(f.Frame5.left(), -6000);
    EXPECT_EQ(f.RefFrequency, tx ? 13 : 21.25);
    EXPECT_EQ(f.CommonParam, tx ? "0A,26,C8" : "");
    EXPECT_EQ(f.PrescalerModulus, tx ? 0 : 128);
    EXPECT_EQ(f.ColorGreen, 0xC0FFC0u);
    EXPECT_EQ(f.ColorYellow, 0xC0FFFFu);
    EXPECT_EQ(f.ColorGray, 0xE0E0E0u);
    EXPECT_EQ(f.ColorPink, 0xC0C0FFu);
    EXPECT_EQ(f.ColorWindow, kSystemWindowColor);
    EXPECT_EQ(f.LogFileName.text(), tx ? "Quorvex.log" : "Brelund.log");
    EXPECT_EQ(f.ComStart.toolTip(), "Port Open/Close.");
    EXPECT_EQ(f.Serial.toolTip(), "Identification code used in factory inspection.");
    EXPECT_EQ(p.dialog.filter, "Freq. Table File(*.tbl)|*.tbl|All File|*.*|");
    EXPECT_EQ(p.dialog.initialFolder, p.folder.str());

    // Only the port button and the channel editing buttons respond before the port is open.
    EXPECT_TRUE(f.ComStart.enabled());
    EXPECT_FALSE(f.GetInfoSW.enabled());
    EXPECT_FALSE(f.ChCheckSW.enabled());
    EXPECT_FALSE(f.ChWriteSW.enabled());
    for (auto& b : f.ChTestSW)
        EXPECT_FALSE(b.enabled());
    EXPECT_TRUE(f.Check1.value() == 1 && f.LogFileName.enabled());
    EXPECT_TRUE(f.IntervalTimer.isEnabled());
    EXPECT_EQ(f.IntervalTimer.interval(), 50);
    EXPECT_EQ(f.WriteAllTimer.interval(), tx ? 200 : 100);
    EXPECT_EQ(f.FOffsetV.present, tx);
    EXPECT_EQ(f.ChStep[0].present, !tx);
}

TEST_P(Startup, ShapesTheRegisterGrid) {
    TestProgram p(GetParam());
    p.start();
    const Grid& g = p.form().MSFlexGrid1;
    const bool tx = GetParam() == Program::Quorvex;
    EXPECT_EQ(g.columns(), 5);
    EXPECT_EQ(g.rows(), tx ? 13 : 6);
    EXPECT_EQ(g.textMatrix(0, 0), "Register");
    for (int col = 1; col <= 4; ++col) {
        EXPECT_EQ(g.textMatrix(0, col), "Ch." + std::to_string(col - 1));
        EXPECT_EQ(g.columnWidth(col), 990);
        EXPECT_EQ(g.columnAlignment(col), Align::Center);
    }
    EXPECT_EQ(g.columnWidth(0), 1200);
    EXPECT_EQ(g.textMatrix(1, 0), tx ? "PLLINT" : "Counter-R");
    EXPECT_EQ(g.textMatrix(tx ? 12 : 5, 0), tx ? "VAC1" : "Counter-A");
    EXPECT_EQ(g.textMatrix(2, 0), tx ? "PLLFRAC0" : "   ''     (MSB)");
    // Data cells wait for the first register refresh.
    EXPECT_EQ(g.textMatrix(1, 1), "");
}

INSTANTIATE_TEST_SUITE_P(BothPrograms, Startup, ::testing::Values(Program::Quorvex, Program::Brelund),
                         [](const auto& param) { return nameOf(param.param); });

// The grid column of a channel, rows 1..n joined with ",".
std::string column(Form1& f, int ch, int rows) {
    std::string out;
    for (int row = 1; row <= rows; ++row)
        out += (row > 1 ? "," : "") + f.MSFlexGrid1.textMatrix(row, ch + 1);
    return out;
}

TEST(RegisterRefresh, TransmitterGridFollowsTheEntriesEveryTick) {
    TestProgram p(Program::Quorvex);
    p.start();
    Form1& f = p.form();
    f.ChFrequency[0].setText("868.3000");
    f.ChFrequency[1].setText("869.9750");
    f.ChFrequency[2].setText("");
    f.ChFrequency[3].setText("868,3000");
    p.advance(49);
    EXPECT_EQ(column(f, 0, 12), ",,,,,,,,,,,");  // nothing before the first tick
    p.advance(1);
    EXPECT_EQ(column(f, 0, 12), "42,95,5A,19,1C,0A,6E,70,40,FF,0B,41");
    EXPECT_EQ(column(f, 1, 12), "42,17,7A,1D,1C,0A,6E,70,40,FF,0C,41");
    EXPECT_EQ(column(f, 2, 12), "00,00,00,00,1C,0A,6E,70,40,FF,00,40");
    EXPECT_EQ(column(f, 3, 12), "42,95,5A,19,1C,0A,6E,70,40,FF,0B,41");
    EXPECT_EQ(f.ChFrequency[3].backColor(), f.ColorPink);
    EXPECT_EQ(f.ChFrequency[3].text(), "868,3000");

    f.ChFrequency[0].setText("869.7500");
    p.advance(50);
    EXPECT_EQ(column(f, 0, 12), "42,4E,EC,1C,1C,0A,6E,70,40,FF,0C,41");
}

TEST(RegisterRefresh, OverflowingTextsNeitherStopNorWrapAround) {
    TestProgram p(Program::Quorvex);
    p.start();
    Form1& f = p.form();
    const char* texts[] = {"1E400", "3E10", "-1E308", "2147.483648"};
    for (int ch = 0; ch < 4; ++ch)
        f.ChFrequency[static_cast<std::size_t>(ch)].setText(texts[ch]);
    p.advance(50);
    EXPECT_EQ(column(f, 0, 12), ",,,,,,,,,,,");  // infinite: the column is emptied
    EXPECT_EQ(column(f, 1, 12), ",,,,,,,,,,,");
    EXPECT_EQ(column(f, 2, 12), ",,,,,,,,,,,");
    EXPECT_EQ(f.MSFlexGrid1.textMatrix(1, 4), "A5");  // 2147.483648 / 13 = 165.19...
}

TEST(RegisterRefresh, ReceiverStepCaptionsLabelsAndGrid) {
    TestProgram p(Program::Brelund);
    p.start();
    Form1& f = p.form();
    f.ChFrequency[0].setText("868.0600");
    f.ChFrequency[1].setText("868.3000");
    f.ChFrequency[2].setText("868.3050");
    f.ChFrequency[3].setText("abc");
    f.ChFrequency[2].setBackColor(f.ColorWindow);
    p.advance(50);
    EXPECT_EQ(f.ChStep[0].caption(), "10.0");
    EXPECT_EQ(f.ChStep[1].caption(), "12.5");
    EXPECT_EQ(f.ChStep[3].caption(), "12.5");
    EXPECT_EQ(f.LoFrequency[1].caption(), "846.6000");
    EXPECT_EQ(f.Rcounter[1].caption(), "1700");
    EXPECT_EQ(f.ProgramCounter[1].caption(), "529");
    EXPECT_EQ(f.SwallowCounter[1].caption(), "16");
    EXPECT_EQ(column(f, 1, 5), "A4,06,11,02,10");
    EXPECT_EQ(column(f, 2, 5), "4D,08,95,02,34");
    EXPECT_EQ(f.ChFrequency[2].backColor(), f.ColorPink);
    EXPECT_NE(f.ChFrequency[1].backColor(), f.ColorPink);
    EXPECT_EQ(column(f, 3, 5), "A4,06,F2,FF,38");
    EXPECT_EQ(f.SwallowCounter[3].caption(), "56");
}

// A decimal comma programs exactly what its point twin programs (and what the entry holds after
// the next start, when the comma is gone); the entry is marked pink all the same.
TEST(RegisterRefresh, ReceiverCommaEntryProgramsItsPointTwin) {
    TestProgram p(Program::Brelund);
    p.start();
    Form1& f = p.form();
    f.ChFrequency[0].setText("868,31");
    f.ChFrequency[1].setText("868.31");
    p.advance(50);
    EXPECT_EQ(f.ChStep[0].caption(), "10.0");
    EXPECT_EQ(column(f, 0, 5), column(f, 1, 5));
    EXPECT_EQ(f.ChFrequency[0].backColor(), f.ColorPink);
}

TEST(RegisterRefresh, ReceiverHugeTextsKeepTheProgramRunning) {
    TestProgram p(Program::Brelund);
    p.start();
    Form1& f = p.form();
    const char* texts[] = {"1E400", "2147.483648", "-1E400", "3E10"};
    for (int ch = 0; ch < 4; ++ch)
        f.ChFrequency[static_cast<std::size_t>(ch)].setText(texts[ch]);
    p.advance(100);
    EXPECT_EQ(f.ChStep[0].caption(), "10.0");
    EXPECT_EQ(f.ChStep[1].caption(), "10.0");
    EXPECT_EQ(f.MSFlexGrid1.textMatrix(1, 1), "");
    EXPECT_EQ(f.LoFrequency[0].caption(), "");
    EXPECT_FALSE(f.MSFlexGrid1.textMatrix(1, 2).empty());  // 2147 MHz still fits the counters
}

}  // namespace
}  // namespace orvane::test
