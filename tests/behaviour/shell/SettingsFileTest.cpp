// Reading and writing the settings file through start-up and shut-down of a whole program.
#include "core/files/TextFile.h"
#include "tests/support/TestProgram.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace orvane::test {
namespace {

namespace fs = std::filesystem;

// What a program shows after start-up when its settings file is empty.
struct Baseline {
    int top, left, width;
    std::string caption, port, logFile;
    std::array<std::string, 4> channels;
};

Baseline baselineOf(Program which) {
    TestProgram p(which);
    p.start();
    Form1& f = p.form();
    return {
        f.form.top(),
        f.form.left(),
        f.form.width(),
        f.form.caption(),
        f.Combo1.text(),
        f.LogFileName.text(),
        {f.ChFrequency[0].text(), f.ChFrequency[1].text(), f.ChFrequency[2].text(), f.ChFrequency[3].text()}};
}

TEST(SettingsRead, MissingFileIsCreatedEmptyAndNothingChanges) {
    TestProgram p(Program::Quorvex);
    const Baseline base = baselineOf(Program::Quorvex);
    p.start();
    EXPECT_EQ(readBytes(settingsPath(p)), "");
    EXPECT_EQ(p.form().form.top(), base.top);
    EXPECT_EQ(p.form().form.caption(), base.caption);
    EXPECT_EQ(p.form().DebugMode, "");
}

// One settings file per case, read by the transmitter program (the reading is the same in both).
struct ReadCase {
    const char* name;
    std::string file;
    std::function<void(const Form1&, const Baseline&)> expect;
    int screenHeight = 16200;
};

void expectUnchanged(const Form1& f, const Baseline& b) {
    EXPECT_EQ(f.form.top(), b.top);
    EXPECT_EQ(f.form.left(), b.left);
    EXPECT_EQ(f.form.width(), b.width);
    EXPECT_EQ(f.form.caption(), b.caption);
    EXPECT_EQ(f.Combo1.text(), b.port);
    EXPECT_EQ(f.LogFileName.text(), b.logFile);
    for (std::size_t ch = 0; ch < 4; ++ch)
        EXPECT_EQ(f.ChFrequency[ch].text(), b.channels[ch]);
    EXPECT_EQ(f.DebugMode, "");
    EXPECT_EQ(f.Frame5.left(), -6000);
}

const std::string kDebugSuffix = " (Debug mode!!)";

std::vector<ReadCase> readCases() {
    return {
        {"empty file", "", expectUnchanged},
        {"unknown and lower-case keys",
         "top  ,100,c\r\nFOO  ,1,c\r\nCom  ,COM9,c\r\ndebug,ON,\r\nDEBUG,,\r\n", expectUnchanged},
        {"position inside the screen", "TOP  , 1800 ,c\r\nLEFT , 2400 ,c\r\n",
         [](const Form1& f, const Baseline&) {
             EXPECT_EQ(f.form.top(), 1800);
             EXPECT_EQ(f.form.left(), 2400);
         }},
        {"negative TOP and LEFT give 0", "TOP  ,500,c\r\nTOP  ,-100,c\r\nLEFT ,500,c\r\nLEFT ,-5,c\r\n",
         [](const Form1& f, const Baseline&) {
             EXPECT_EQ(f.form.top(), 0);
             EXPECT_EQ(f.form.left(), 0);
         }},
        {"beyond the screen gives the last fitting place", "TOP  ,99999,c\r\nLEFT ,99999,c\r\n",
         [](const Form1& f, const Baseline&) {
             EXPECT_EQ(f.form.top(), 16200 - 7830);
             EXPECT_EQ(f.form.left(), 28800 - 6060);
         }},
        {"huge TOP", "TOP  ,1E400,c\r\nLEFT ,-1E400,c\r\n",
         [](const Form1& f, const Baseline&) {
             EXPECT_EQ(f.form.top(), 16200 - 7830);
             EXPECT_EQ(f.form.left(), 0);
         }},
        {"window taller than the screen", "TOP  ,100,c\r\n",
         [](const Form1& f, const Baseline&) { EXPECT_EQ(f.form.top(), 5000 - 7830); }, 5000},
        {"TOP abc ends the reading", "COM  ,COM5,c\r\nTOP  ,abc,c\r\nLOGF ,x.log,c\r\n",
         [](const Form1& f, const Baseline& b) {
             EXPECT_EQ(f.Combo1.text(), "COM5");
             EXPECT_EQ(f.form.top(), b.top);
             EXPECT_EQ(f.LogFileName.text(), b.logFile);
         }},
        {"empty LEFT ends the reading", "LEFT ,,c\r\nCOM  ,COM5,c\r\n",
         [](const Form1& f, const Baseline& b) {
             EXPECT_EQ(f.form.left(), b.left);
             EXPECT_EQ(f.Combo1.text(), b.port);
         }},
        {"texts taken as written", "COM  ,COM7,c\r\nLOGF ,ops.txt,c\r\nCH3F ,870.5000,c\r\nCH0F ,abc,c\r\n",
         [](const Form1& f, const Baseline& b) {
             EXPECT_EQ(f.Combo1.text(), "COM7");  // the scan found no such port
             EXPECT_EQ(f.LogFileName.text(), "ops.txt");
             EXPECT_EQ(f.ChFrequency[3].text(), "870.5000");
             EXPECT_EQ(f.ChFrequency[0].text(), "abc");
             EXPECT_EQ(f.ChFrequency[1].text(), b.channels[1]);
         }},
        {"later records override earlier ones", "COM  ,COM1,c\r\nCOM  ,COM2,c\r\n",
         [](const Form1& f, const Baseline&) { EXPECT_EQ(f.Combo1.text(), "COM2"); }},
        {"quoted value keeps its comma", "LOGF ,\"a,b.log\",c\r\nCOM  ,COM3,c\r\n",
         [](const Form1& f, const Baseline&) {
             EXPECT_EQ(f.LogFileName.text(), "a,b.log");
             EXPECT_EQ(f.Combo1.text(), "COM3");
         }},
        {"unquoted comma cuts the value and shifts the records",
         "LOGF ,a,b.log,  Log File Name\r\nCH3F ,869.0000,c\r\n",
         [](const Form1& f, const Baseline& b) {
             EXPECT_EQ(f.LogFileName.text(), "a");
             EXPECT_EQ(f.ChFrequency[3].text(), b.channels[3]);
         }},
        {"two-field line takes its comment from the next line", "COM  ,COM4\r\nLOGF ,my.log,c\r\n",
         [](const Form1& f, const Baseline& b) {
             EXPECT_EQ(f.Combo1.text(), "COM4");
             EXPECT_EQ(f.LogFileName.text(), b.logFile);
         }},
        {"four-field line shifts the rest", "COM  ,COM4,c,extra\r\nLOGF ,my.log,c\r\nCH0F ,868.1000,c\r\n",
         [](const Form1& f, const Baseline& b) {
             EXPECT_EQ(f.Combo1.text(), "COM4");
             EXPECT_EQ(f.LogFileName.text(), b.logFile);
             EXPECT_EQ(f.ChFrequency[0].text(), b.channels[0]);
         }},
        {"debug on", "DEBUG,ON,\r\n",
         [](const Form1& f, const Baseline& b) {
             EXPECT_EQ(f.DebugMode, "ON");
             EXPECT_EQ(f.form.width(), 12300);
             EXPECT_EQ(f.form.caption(), b.caption + kDebugSuffix);
             EXPECT_EQ(f.Frame5.left(), 6120);
         }},
        {"debug twice appends the suffix twice", "DEBUG,ON,\r\nDEBUG,ON,\r\n",
         [](const Form1& f, const Baseline& b) {
             EXPECT_EQ(f.form.caption(), b.caption + kDebugSuffix + kDebugSuffix);
         }},
        {"debug before LEFT limits with the debug width", "DEBUG,ON,\r\nLEFT ,99999,c\r\n",
         [](const Form1& f, const Baseline&) { EXPECT_EQ(f.form.left(), 28800 - 12300); }},
        {"debug without its final comma", "COM  ,COM2,c\r\nDEBUG,ON",
         [](const Form1& f, const Baseline& b) {
             EXPECT_EQ(f.Combo1.text(), "COM2");
             EXPECT_EQ(f.DebugMode, "");
             EXPECT_EQ(f.form.caption(), b.caption);
         }},
        {"debug compared exactly", "DEBUG,on,\r\nDEBUG,OFF,\r\nDEBUG, ON ,\r\n",
         [](const Form1& f, const Baseline& b) {
             // Blanks around a field are dropped, so " ON " is "ON"; "on" and "OFF" do nothing.
             EXPECT_EQ(f.form.caption(), b.caption + kDebugSuffix);
         }},
    };
}

TEST(SettingsRead, AppliesEachRule) {
    const Baseline base = baselineOf(Program::Quorvex);
    for (const ReadCase& c : readCases()) {
        SCOPED_TRACE(c.name);
        TestProgram p(Program::Quorvex);
        p.screen.height = c.screenHeight;
        writeBytes(settingsPath(p), c.file);
        p.start();
        c.expect(p.form(), base);
        EXPECT_EQ(readBytes(settingsPath(p)), c.file);  // reading never changes the file
    }
}

TEST(SettingsRead, SurvivesBinaryGarbage) {
    std::mt19937 random(7);
    for (int round = 0; round < 20; ++round) {
        std::string bytes(4096, '\0');
        for (char& c : bytes)
            c = static_cast<char>(random() % 256);
        TestProgram p(Program::Brelund);
        writeBytes(settingsPath(p), bytes);
        EXPECT_NO_THROW(p.start());
        EXPECT_TRUE(p.form().form.width() == 6060 || p.form().form.width() == 12300);
    }
}

TEST(SettingsRead, ReadsABigFileToTheEnd) {
    TestProgram p(Program::Quorvex);
    std::string bytes;
    const std::string filler = "NOTE ,some value,some comment\r\n";
    while (bytes.size() < 256 * 1024)
        bytes += filler;
    bytes += "COM  ,COM9,c\r\n";
    writeBytes(settingsPath(p), bytes);
    p.start();
    EXPECT_EQ(p.form().Combo1.text(), "COM9");
}

TEST(SettingsRead, IniThatIsAFolderAppliesNothing) {
    TestProgram p(Program::Quorvex);
    fs::create_directory(settingsPath(p));
    const Baseline base = baselineOf(Program::Quorvex);
    EXPECT_NO_THROW(p.start());
    expectUnchanged(p.form(), base);
}

}  // namespace
}  // namespace orvane::test
