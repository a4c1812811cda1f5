// Writes pictures of both windows into a folder: each window normally and in debug mode, and a
// session of each (written and checked against a simulated module in virtual time). The windows
// are grabbed on Qt's offscreen platform, so no display is needed and the pictures do not depend
// on a window manager. Usage: screenshots FOLDER (scripts/screenshots runs it for docs/).
#include "platform/qt/view/QtWindowView.h"
#include "tests/support/FakeModule.h"
#include "tests/support/TestProgram.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>

#include <iostream>
#include <string>

namespace {

using orvane::Form1;
using orvane::test::Program;
using orvane::test::TestProgram;

// Debug mode switched on through the model, the way the settings file's DEBUG record does it.
void switchDebugOn(Form1& form) {
    form.DebugMode = "ON";
    form.form.setWidth(form.DebugWidth);
    form.form.setCaption(form.form.caption() + " (Debug mode!!)");
    form.Frame5.setLeft(6120);
}

bool save(TestProgram& program, const QDir& folder, const char* file) {
    orvane::qt::QtWindowView view(program.form(), 96.0, [] {});
    view.window().show();
    QCoreApplication::processEvents();
    const bool saved = view.window().grab().save(folder.filePath(QString::fromLatin1(file)));
    if (!saved) std::cerr << "screenshots: cannot write " << file << '\n';
    return saved;
}

bool windowImages(const QDir& folder) {
    struct Shot {
        Program program;
        bool debug;
        const char* file;
    };
    bool all = true;
    for (const Shot& shot :
         {Shot{Program::Quorvex, false, "quorvex.png"}, Shot{Program::Quorvex, true, "quorvex-debug.png"},
          Shot{Program::Brelund, false, "brelund.png"}, Shot{Program::Brelund, true, "brelund-debug.png"}}) {
        TestProgram program(shot.program);
        program.start();
        Form1& form = program.form();
        if (shot.debug) switchDebugOn(form);
        if (shot.program == Program::Quorvex && !shot.debug) {
            // Entry colours as a session shows them: confirmed, not acceptable, corrected.
            form.ChFrequency[3].setBackColor(form.ColorGreen);
            form.ChFrequency[1].setText("869.8010");
            form.ChFrequency[0].setBackColor(form.ColorPink);
            form.Version.setBackColor(form.ColorGreen);
            form.Version.setText("T1.02");
            form.P_Message.setCaption("COM Not Open!!");
        }
        program.advance(100);  // the register refresh fills the grid
        all = save(program, folder, shot.file) && all;
    }
    return all;
}

// A whole session in debug mode: port opened, identity read, the four channels written and
// checked back. The picture shows what success looks like.
bool sessionImages(const QDir& folder) {
    bool all = true;
    for (const auto& [which, file] : {std::pair{Program::Quorvex, "quorvex-session.png"},
                                      std::pair{Program::Brelund, "brelund-session.png"}}) {
        TestProgram program(which);
        program.start();
        Form1& form = program.form();
        switchDebugOn(form);
        program.port.ports = {{5, "/dev/ttyUSB0", "USB serial adapter"}};
        form.Combo1.setText("COM5");
        orvane::test::FakeModule module(program);
        form.ComStart.click();
        form.GetInfoSW.click();
        program.advance(1000);
        form.ChWriteSW.click();
        program.advance(3000);
        form.ChCheckSW.click();
        program.advance(1000);
        if (!form.T_Message.caption().empty() || form.ChFrequency[0].backColor() != form.ColorGreen) {
            std::cerr << "screenshots: the session of " << file << " did not succeed\n";
            all = false;
            continue;
        }
        all = save(program, folder, file) && all;
    }
    return all;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (argc != 2) {
        std::cerr << "Usage: screenshots FOLDER\n";
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.exists()) {
        std::cerr << "screenshots: no folder " << argv[1] << '\n';
        return 2;
    }
    const bool windows = windowImages(folder);
    const bool sessions = sessionImages(folder);
    return windows && sessions ? 0 : 1;
}
