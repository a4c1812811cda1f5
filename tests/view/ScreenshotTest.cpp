#include "tests/support/FakeModule.h"
#include "tests/view/ViewFixture.h"

#include <QCoreApplication>
#include <QDir>
#include <QPixmap>
#include <gtest/gtest.h>

#include <cstdlib>

namespace orvane::test {
namespace {

// Writes pictures of both windows, normal and in debug mode, into the folder named by
// ORVANE_SCREENSHOT_DIR (scripts/screenshots sets it); skipped otherwise. Debug mode is switched
// on through the model the way the settings file's DEBUG record does it.
TEST(Screenshots, WriteWindowImages) {
    const char* folder = std::getenv("ORVANE_SCREENSHOT_DIR");
    if (!folder) GTEST_SKIP() << "ORVANE_SCREENSHOT_DIR not set";
    struct Shot {
        Program program;
        bool debug;
        const char* file;
    };
    for (const Shot& shot :
         {Shot{Program::Quorvex, false, "quorvex.png"}, Shot{Program::Quorvex, true, "quorvex-debug.png"},
          Shot{Program::Brelund, false, "brelund.png"}, Shot{Program::Brelund, true, "brelund-debug.png"}}) {
        ViewFixture f(shot.program);
        Form1& form = f.program.form();
        if (shot.debug) {
            form.DebugMode = "ON";
            form.form.setWidth(form.DebugWidth);
            form.form.setCaption(form.form.caption() + " (Debug mode!!)");
            form.Frame5.setLeft(6120);
        }
        if (shot.program == Program::Quorvex && !shot.debug) {
            // Entry colours as a session shows them: confirmed, not acceptable, corrected.
            form.ChFrequency[3].setBackColor(form.ColorGreen);
            form.ChFrequency[1].setText("869.8010");
            form.ChFrequency[0].setBackColor(form.ColorPink);
            form.Version.setBackColor(form.ColorGreen);
            form.Version.setText("T1.02");
            form.P_Message.setCaption("COM Not Open!!");
        }
        f.program.advance(100);  // the register refresh fills the grid
        f.view->window().show();
        QCoreApplication::processEvents();
        const QString path = QDir(QString::fromLocal8Bit(folder)).filePath(QString::fromLatin1(shot.file));
        EXPECT_TRUE(f.view->window().grab().save(path)) << shot.file;
        f.view->window().hide();
    }
}

// A whole session against a module in virtual time, in debug mode: port opened, identity read,
// the four channels written and checked back. The picture shows what success looks like.
TEST(Screenshots, WriteSessionImages) {
    const char* folder = std::getenv("ORVANE_SCREENSHOT_DIR");
    if (!folder) GTEST_SKIP() << "ORVANE_SCREENSHOT_DIR not set";
    for (const auto& [program, file] : {std::pair{Program::Quorvex, "quorvex-session.png"},
                                        std::pair{Program::Brelund, "brelund-session.png"}}) {
        ViewFixture f(program);
        Form1& form = f.program.form();
        form.DebugMode = "ON";
        form.form.setWidth(form.DebugWidth);
        form.form.setCaption(form.form.caption() + " (Debug mode!!)");
        form.Frame5.setLeft(6120);
        f.program.port.ports = {{5, "/dev/ttyUSB0", "USB serial adapter"}};
        form.Combo1.setText("COM5");
        FakeModule module(f.program);
        form.ComStart.click();
        form.GetInfoSW.click();
        f.program.advance(1000);
        form.ChWriteSW.click();
        f.program.advance(3000);
        form.ChCheckSW.click();
        f.program.advance(1000);
        ASSERT_EQ(form.T_Message.caption(), "") << file;
        ASSERT_EQ(form.ChFrequency[0].backColor(), form.ColorGreen) << file;
        f.view->window().show();
        QCoreApplication::processEvents();
        const QString path = QDir(QString::fromLocal8Bit(folder)).filePath(QString::fromLatin1(file));
        EXPECT_TRUE(f.view->window().grab().save(path)) << file;
        f.view->window().hide();
    }
}

}  // namespace
}  // namespace orvane::test
