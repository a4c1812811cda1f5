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

}  // namespace
}  // namespace orvane::test
