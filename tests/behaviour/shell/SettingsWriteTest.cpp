// The settings file as shut-down writes it, and read back by the next run.
#include "core/files/TextFile.h"
#include "tests/support/TestProgram.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <string>

namespace orvane::test {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

void setChannels(Form1& f, const std::array<std::string, 4>& channels) {
    for (std::size_t ch = 0; ch < 4; ++ch)
        f.ChFrequency[ch].setText(channels[ch]);
}

const std::array<std::string, 4> kDefaults{"869.9250", "869.8000", "868.3000", "869.7500"};

TEST(SettingsWrite, WritesTheReferenceTransmitterFile) {
    TestProgram p(Program::Quorvex);
    writeBytes(settingsPath(p), "DEBUG,ON,\r\n");
    p.start();
    Form1& f = p.form();
    f.form.setTop(1800);
    f.form.setLeft(2400);
    f.Combo1.setText("COM3");
    setChannels(f, kDefaults);
    p.stop();
    EXPECT_EQ(readBytes(settingsPath(p)),
              "TOP  , 1800 ,            Window Top position\r\n"
              "LEFT , 2400 ,            Window Left position\r\n"
              "COM  ,COM3,              Select Com Port: [COM1 to COM16]\r\n"
              "LOGF ,Quorvex.log,  Log File Name\r\n"
              "CH3F ,869.7500,           Frequency:  [868.0500 to 869.9750 MHz] at S2/S1=Open /Open \r\n"
              "CH2F ,868.3000,           Frequency:  [868.0500 to 869.9750 MHz] at S2/S1=Open /Short\r\n"
              "CH1F ,869.8000,           Frequency:  [868.0500 to 869.9750 MHz] at S2/S1=Short/Open \r\n"
              "CH0F ,869.9250,           Frequency:  [868.0500 to 869.9750 MHz] at SS/S1=Short/Short\r\n"
              "DEBUG,ON,\r\n");
}

TEST(SettingsWrite, WritesTheReceiverFileWithoutDebugLine) {
    TestProgram p(Program::Brelund);
    writeBytes(settingsPath(p), "DEBUG,OFF,\r\nTOP  ,-60,c\r\n");
    p.start();
    Form1& f = p.form();
    f.form.setTop(-60);
    f.form.setLeft(0);
    f.Combo1.setText("");
    setChannels(f,
                {"868,0500", "869.8000", "868.3000", "870.5000"});  // a decimal comma, an out-of-band value
    p.stop();
    EXPECT_EQ(readBytes(settingsPath(p)),
              "TOP  ,-60 ,            Window Top position\r\n"
              "LEFT , 0 ,            Window Left position\r\n"
              "COM  ,,              Select Com Port: [COM1 to COM16]\r\n"
              "LOGF ,Brelund.log,  Log File Name\r\n"
              "CH3F ,870.5000,           Frequency: [868.0500 tp 869.975 MHz] at S2/S1=Open /Open \r\n"
              "CH2F ,868.3000,           Frequency: [868.0500 to 869.975 MHz] at S2/S1=Open /Short\r\n"
              "CH1F ,869.8000,           Frequency: [868.0500 to 869.975 MHz] at S2/S1=Short/Open \r\n"
              "CH0F ,868.0500,           Frequency: [868.0500 to 869.975 MHz] at S2/S1=Short/Short\r\n");
}

class SettingsRoundTrip : public ::testing::TestWithParam<Program> {};

TEST_P(SettingsRoundTrip, NextRunRestoresWhatThisRunShowed) {
    TestProgram first(GetParam());
    writeBytes(settingsPath(first), "DEBUG,ON,\r\n");
    first.start();
    Form1& f = first.form();
    f.form.setTop(1234);
    f.form.setLeft(4321);
    f.Combo1.setText("COM12");
    f.LogFileName.setText("a,b.log");  // written in quotes, so it comes back whole
    setChannels(f, {"868.0500", "868.1250", "869,9750", "870.5000"});
    first.stop();

    TestProgram second(GetParam());
    fs::copy_file(settingsPath(first), settingsPath(second));
    second.start();
    const Form1& g = second.form();
    EXPECT_EQ(g.form.top(), 1234);
    EXPECT_EQ(g.form.left(), 4321);
    EXPECT_EQ(g.Combo1.text(), "COM12");
    EXPECT_EQ(g.LogFileName.text(), "a,b.log");
    EXPECT_EQ(g.ChFrequency[0].text(), "868.0500");
    EXPECT_EQ(g.ChFrequency[1].text(), "868.1250");
    EXPECT_EQ(g.ChFrequency[2].text(), "869.9750");
    EXPECT_EQ(g.ChFrequency[3].text(), "870.5000");
    EXPECT_EQ(g.DebugMode, "ON");
    EXPECT_EQ(g.form.width(), 12300);

    // The file written by the second run is the same as the first one's.
    second.stop();
    EXPECT_EQ(readBytes(settingsPath(second)), readBytes(settingsPath(first)));
}

INSTANTIATE_TEST_SUITE_P(BothPrograms, SettingsRoundTrip,
                         ::testing::Values(Program::Quorvex, Program::Brelund),
                         [](const auto& param) { return nameOf(param.param); });

TEST(SettingsWrite, NextRunGetsBackEveryValueAFileGave) {
    struct Case {
        const char* what;
        std::string file;
    };
    const Case cases[] = {
        {"found by the fuzz target: a port text holding a line end",
         "COM\n\"\x01\n\0\"\x01"
         "DEBUG\0\"\x01\n\0\"C\x01"
         "DEBUGF\nCHH0F\n\n\nLOGF\n0F\n\0\"\n\x86\n\n"s},
        {"quoted values with edge blanks and a CR",
         "COM  ,\" COM3 \",c\r\nLOGF ,\"a\rb.log\",c\r\nCH0F ,\"\t868.1\",c\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TestProgram first(Program::Quorvex);
        writeBytes(settingsPath(first), c.file);
        first.start();
        first.stop();
        TestProgram second(Program::Quorvex);
        fs::copy_file(settingsPath(first), settingsPath(second));
        second.start();
        const Form1& f = first.form();
        const Form1& g = second.form();
        EXPECT_EQ(g.Combo1.text(), f.Combo1.text());
        EXPECT_EQ(g.LogFileName.text(), f.LogFileName.text());
        for (std::size_t ch = 0; ch < 4; ++ch)
            EXPECT_EQ(g.ChFrequency[ch].text(), f.ChFrequency[ch].text()) << ch;
    }
}

TEST(SettingsWrite, DebugLineIsDroppedWhenTheFileDidNotHaveIt) {
    TestProgram p(Program::Quorvex);
    writeBytes(settingsPath(p), "DEBUG,on,\r\n");
    p.start();
    p.stop();
    EXPECT_EQ(readBytes(settingsPath(p)).find("DEBUG"), std::string::npos);
}

TEST(SettingsWrite, FailedWriteLeavesWhatWasThereAndEndsSilently) {
    {
        // The settings path is taken by a folder: it stays, with its content.
        TestProgram p(Program::Quorvex);
        fs::create_directory(settingsPath(p));
        writeBytes(settingsPath(p) + "/keep.txt", "keep");
        p.start();
        EXPECT_NO_THROW(p.stop());
        EXPECT_TRUE(fs::is_directory(settingsPath(p)));
        EXPECT_EQ(readBytes(settingsPath(p) + "/keep.txt"), "keep");
    }
    {
        // The program folder disappeared during the run: nothing is written anywhere.
        TestProgram p(Program::Brelund);
        p.start();
        const std::string gone = p.folder.str() + "/gone";
        p.appInfo.folder = gone;
        EXPECT_NO_THROW(p.stop());
        EXPECT_FALSE(fs::exists(gone));
    }
    {
        // A successful replace leaves no temporary file behind and keeps the old file until then.
        TestProgram p(Program::Quorvex);
        writeBytes(settingsPath(p), "COM  ,COM2,c\r\n");
        p.start();
        p.stop();
        std::size_t entries = 0;
        for ([[maybe_unused]] const auto& entry : fs::directory_iterator(p.folder.path()))
            ++entries;
        EXPECT_EQ(entries, 1u);
        EXPECT_NE(readBytes(settingsPath(p)).find("COM  ,COM2,"), std::string::npos);
    }
}

TEST(SettingsWrite, ALinkedFileIsWrittenThroughTheLink) {
#ifdef _WIN32
    GTEST_SKIP() << "on Windows a symbolic link needs a privilege to make, and the save leaves links "
                    "to the system there";
#endif
    TestProgram p(Program::Quorvex);
    const TempFolder elsewhere;
    const std::string real = elsewhere.str() + "/real.ini";
    writeBytes(real, "COM  ,COM7,c\r\n");
    fs::create_symlink(real, settingsPath(p));
    p.start();
    p.stop();
    EXPECT_TRUE(fs::is_symlink(settingsPath(p)));
    EXPECT_NE(readBytes(real).find("COM  ,COM7,"), std::string::npos);
    EXPECT_NE(readBytes(real).find("LOGF ,Quorvex.log,"), std::string::npos);
}

}  // namespace
}  // namespace orvane::test
