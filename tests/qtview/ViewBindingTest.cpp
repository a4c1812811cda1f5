#include "core/window/TimerDriver.h"
#include "platform/qt/services/QtClock.h"
#include "platform/qt/services/QtEventLoop.h"
#include "platform/qt/view/ModelConvert.h"
#include "platform/qt/view/QtFileDialog.h"
#include "tests/qtview/ViewFixture.h"
#include "tests/viewcases/BoxCases.h"
#include "tests/viewcases/WindowCases.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

namespace orvane::test {
namespace {

const QColor kGreen(0xC0, 0xFF, 0xC0);

TEST(ViewConversion, TwipsToPixelsAtTheLogicalDpi) {
    struct Case {
        int twips;
        double dpi;
        int pixels;
    };
    for (const Case& c :
         {Case{6060, 96, 404}, Case{7830, 96, 522}, Case{12300, 96, 820}, Case{-6000, 96, -400},
          Case{7, 96, 0}, Case{8, 96, 1}, Case{1440, 120, 120}, Case{6060, 144, 606}}) {
        EXPECT_EQ(qt::twipsToPixels(c.twips, c.dpi), c.pixels) << c.twips << " at " << c.dpi;
    }
    EXPECT_EQ(qt::pixelsToTwips(120, 96), 1800);
    EXPECT_EQ(qt::toQColor(0xC0FFC0, QPalette()), kGreen);
    EXPECT_EQ(qt::toQColor(0x0000FF, QPalette()), QColor(Qt::red));
    EXPECT_EQ(qt::toQColor(kSystemWindowColor, QPalette()), QPalette().color(QPalette::Base));
}

TEST(ViewConversion, FilterBecomesQtNameFilters) {
    struct Case {
        std::string filter;
        QStringList expected;
    };
    const std::vector<Case> cases{
        {"Freq. Table File(*.tbl)|*.tbl|All File|*.*|",
         {QStringLiteral("Freq. Table File(*.tbl)"), QStringLiteral("All File (*)")}},
        {"Texts|*.txt;*.log", {QStringLiteral("Texts (*.txt *.log)")}},
        {"", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(qt::toNameFilters(c.filter), c.expected) << c.filter;
}

TEST(ViewConversion, TimeFormatLosesOnlyItsZone) {
    const std::pair<QString, QString> cases[] = {
        {QStringLiteral("HH:mm:ss t"), QStringLiteral("HH:mm:ss")},
        {QStringLiteral("h:mm:ss AP tttt"), QStringLiteral("h:mm:ss AP")},
        {QStringLiteral("'kello' H.mm.ss t"), QStringLiteral("'kello' H.mm.ss")},
        {QStringLiteral("H 'tuntia' mm 'o''clock' ss"), QStringLiteral("H 'tuntia' mm 'o''clock' ss")},
    };
    for (const auto& [format, expected] : cases)
        EXPECT_EQ(qt::withoutTimeZone(format), expected) << format.toStdString();
}

TEST(ViewBinding, TypingAndPickingInAComboBoxSetTheModelText) {
    ViewFixture f(Program::Quorvex);
    auto* box = f.find<QComboBox>("ChFrequency(2)");
    ASSERT_NE(box, nullptr);
    ASSERT_GT(box->count(), 100);
    EXPECT_EQ(box->currentText(), QString::fromStdString(f.program.form().ChFrequency[2].text()));

    box->lineEdit()->clear();
    QTest::keyClicks(box->lineEdit(), QStringLiteral("869,1"));
    EXPECT_EQ(f.program.form().ChFrequency[2].text(), "869,1");
    EXPECT_EQ(box->currentText(), QStringLiteral("869,1"));  // nothing completed or corrected

    box->setCurrentIndex(3);
    EXPECT_EQ(f.program.form().ChFrequency[2].text(), box->itemText(3).toStdString());

    int lost = 0;
    f.program.form().ChFrequency[2].onLostFocus = [&lost] { ++lost; };
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(box, &out);
    EXPECT_EQ(lost, 1);

    // Opening the port list scans the ports again before it shows; the text stays.
    auto* ports = f.find<QComboBox>("Combo1");
    f.program.port.ports = {{5, "/dev/ttyUSB0", "plugged in now"}};
    ports->showPopup();
    ASSERT_EQ(ports->count(), 1);
    EXPECT_EQ(ports->itemText(0), QStringLiteral("COM5"));
    EXPECT_EQ(ports->itemData(0, Qt::ToolTipRole).toString(),
              QStringLiteral("/dev/ttyUSB0 - plugged in now"));
    EXPECT_EQ(ports->currentText(), QString());
    ports->hidePopup();
}

void wheel(QComboBox* box, int delta) {
    const QPointF inside(box->width() / 2.0, box->height() / 2.0);
    QWheelEvent turn(inside, box->mapToGlobal(inside), QPoint(), QPoint(0, delta), Qt::NoButton,
                     Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(box, &turn);
}

void make(QComboBox* box, BoxMove move) {
    switch (move) {
        case BoxMove::Down:
            return QTest::keyClick(box, Qt::Key_Down);
        case BoxMove::Up:
            return QTest::keyClick(box, Qt::Key_Up);
        case BoxMove::PageDown:
            return QTest::keyClick(box, Qt::Key_PageDown);
        case BoxMove::PageUp:
            return QTest::keyClick(box, Qt::Key_PageUp);
        case BoxMove::WheelAway:
            return wheel(box, 120);
        case BoxMove::WheelToward:
            return wheel(box, -120);
    }
}

TEST(ViewBinding, KeysAndWheelMoveAChannelBoxFromItsValue) {
    ViewFixture f(Program::Quorvex);
    auto* box = f.find<QComboBox>(kKeyBox);
    f.view->window().show();
    QApplication::setActiveWindow(&f.view->window());
    box->setFocus();
    ASSERT_TRUE(box->hasFocus());
    for (const BoxCase& c : kBoxCases) {
        SCOPED_TRACE(std::string(c.text) + " then move " + std::to_string(static_cast<int>(c.move)));
        box->lineEdit()->clear();
        QTest::keyClicks(box, QString::fromLatin1(c.text));
        EXPECT_EQ(box->currentIndex(), c.onItem ? box->findText(QString::fromLatin1(c.text)) : -1);
        make(box, c.move);
        EXPECT_EQ(f.program.form().ChFrequency[3].text(), c.after);
        EXPECT_EQ(box->currentText(), QString::fromLatin1(c.after));
        EXPECT_EQ(box->currentIndex(), box->findText(QString::fromLatin1(c.after)));
        EXPECT_EQ(box->lineEdit()->palette().color(QPalette::Base), qt::toQColor(c.color, QPalette()));
    }
}

TEST(ViewBinding, TheWheelLeavesABoxWithoutTheFocusAndTheListOpensOnTheValue) {
    ViewFixture f(Program::Quorvex);
    f.view->window().show();
    QApplication::setActiveWindow(&f.view->window());
    f.find<QPushButton>("ComStart")->setFocus();
    auto* box = f.find<QComboBox>("ChFrequency(3)");
    wheel(box, 240);
    EXPECT_EQ(f.program.form().ChFrequency[3].text(), "869.7500");
    EXPECT_FALSE(box->hasFocus());

    EXPECT_EQ(box->maxVisibleItems(), 8);
    box->showPopup();
    EXPECT_EQ(box->view()->currentIndex().row(), box->findText(QStringLiteral("869.7500")));
    EXPECT_TRUE(
        box->view()->viewport()->rect().contains(box->view()->visualRect(box->view()->currentIndex())));
    box->hidePopup();
}

TEST(ViewBinding, ClicksReachTheModelOnlyOnEnabledButtons) {
    ViewFixture f(Program::Brelund);
    Form1& form = f.program.form();
    int opens = 0;
    int tests = 0;
    form.ComStart.onClick = [&opens] { ++opens; };
    form.ChTestSW[1].onClick = [&tests] { ++tests; };
    QTest::mouseClick(f.find<QPushButton>("ComStart"), Qt::LeftButton);
    QTest::mouseClick(f.find<QPushButton>("ChTestSW(1)"), Qt::LeftButton);
    EXPECT_EQ(opens, 1);
    EXPECT_EQ(tests, 0);

    form.ChTestSW[1].setEnabled(true);
    EXPECT_TRUE(f.find<QPushButton>("ChTestSW(1)")->isEnabled());
    QTest::mouseClick(f.find<QPushButton>("ChTestSW(1)"), Qt::LeftButton);
    EXPECT_EQ(tests, 1);
}

TEST(ViewBinding, CheckBoxClickRunsTheModelHandler) {
    ViewFixture f(Program::Quorvex);
    auto* check = f.find<QCheckBox>("Check1");
    ASSERT_TRUE(check->isChecked());
    QTest::mouseClick(check, Qt::LeftButton);
    EXPECT_EQ(f.program.form().Check1.value(), 0);
    EXPECT_FALSE(check->isChecked());
    EXPECT_FALSE(f.find<QLineEdit>("LogFileName")->isEnabled());
    QTest::mouseClick(check, Qt::LeftButton);
    EXPECT_TRUE(f.find<QLineEdit>("LogFileName")->isEnabled());
    EXPECT_EQ(f.find<QLineEdit>("LogFileName")->text(), QStringLiteral("Quorvex.log"));
}

TEST(ViewBinding, ModelColoursPaintTheWholeBox) {
    ViewFixture f(Program::Brelund);
    Form1& form = f.program.form();
    form.Version.setBackColor(0xC0FFC0);
    form.ChFrequency[0].setBackColor(0xC0FFC0);
    form.ChStep[3].setBackColor(0xC0FFC0);
    EXPECT_EQ(f.find<QLineEdit>("Version")->palette().color(QPalette::Base), kGreen);
    auto* box = f.find<QComboBox>("RxFrequency(0)");
    EXPECT_EQ(box->palette().color(QPalette::Base), kGreen);
    EXPECT_EQ(box->palette().color(QPalette::Button), kGreen);
    EXPECT_EQ(box->lineEdit()->palette().color(QPalette::Base), kGreen);
    auto* step = f.find<QLabel>("ChStep(3)");
    EXPECT_TRUE(step->autoFillBackground());
    EXPECT_EQ(step->palette().color(QPalette::Window), kGreen);
    EXPECT_EQ(f.find<QLabel>("P_Message")->palette().color(QPalette::WindowText), QColor(Qt::red));
    EXPECT_FALSE(f.find<QLabel>("P_Message")->autoFillBackground());

    form.ChFrequency[0].setBackColor(kSystemWindowColor);
    EXPECT_EQ(box->lineEdit()->palette().color(QPalette::Base), QPalette().color(QPalette::Base));
}

TEST(ViewBinding, ModelChangesTouchTheWidgetOnlyWhenItShowsSomethingElse) {
    ViewFixture f(Program::Quorvex);
    Form1& form = f.program.form();
    auto* grid = f.find<QTableWidget>("MSFlexGrid1");
    const int before = f.view->widgetWrites();

    form.MSFlexGrid1.setTextMatrix(1, 1, "5A");
    EXPECT_EQ(grid->item(1, 1)->text(), QStringLiteral("5A"));
    EXPECT_EQ(f.view->widgetWrites(), before + 1);

    // The register refresh rewrites every cell with what it holds: no widget write.
    f.program.app->IntervalTimer_Timer();
    const int refreshed = f.view->widgetWrites();
    f.program.app->IntervalTimer_Timer();
    EXPECT_EQ(f.view->widgetWrites(), refreshed);

    // A text that came from the widget is not written back to it.
    auto* box = f.find<QComboBox>("ChFrequency(1)");
    const int typed = f.view->widgetWrites();
    box->lineEdit()->setText(QStringLiteral("868.1000"));
    EXPECT_EQ(form.ChFrequency[1].text(), "868.1000");
    EXPECT_EQ(f.view->widgetWrites(), typed);

    // A text from the program is shown.
    form.ChFrequency[1].setText("869.0000");
    EXPECT_EQ(box->currentText(), QStringLiteral("869.0000"));
    EXPECT_EQ(f.view->widgetWrites(), typed + 1);
}

TEST(ViewBinding, ListChangesKeepTheModelText) {
    ViewFixture f(Program::Quorvex);
    ComboBox& ports = f.program.form().Combo1;
    auto* box = f.find<QComboBox>("Combo1");
    ports.setText("COM7");
    ports.itemToolTips = {"/dev/ttyS0 - serial", "/dev/ttyUSB0 - FT232R USB UART"};
    ports.addItem("COM1");
    ports.addItem("COM5");
    EXPECT_EQ(box->count(), 2);
    EXPECT_EQ(box->currentText(), QStringLiteral("COM7"));
    EXPECT_EQ(ports.text(), "COM7");
    EXPECT_EQ(box->itemData(1, Qt::ToolTipRole).toString(), QStringLiteral("/dev/ttyUSB0 - FT232R USB UART"));
    ports.clearList();
    EXPECT_EQ(box->count(), 0);
    EXPECT_EQ(box->currentText(), QStringLiteral("COM7"));
}

TEST(ViewBinding, TermAppendsAndFollowsTheEnd) {
    ViewFixture f(Program::Quorvex);
    TextBox& term = f.program.form().Term;
    auto* edit = f.find<QPlainTextEdit>("Term");
    term.setText("/V\r*V T1.00\r");
    term.setText("/V\r*V T1.00\r\n*D 123\r\n");
    term.setCaret(term.text().size());
    EXPECT_EQ(edit->toPlainText(), QStringLiteral("/V\n*V T1.00\n*D 123\n"));
    EXPECT_EQ(edit->textCursor().position(), edit->toPlainText().size());
    term.setText("");
    EXPECT_EQ(edit->toPlainText(), QString());

    // A module's non-ASCII byte shows as the same character in Term and in Version.
    f.program.port.deliver("*V T1.0\xE9 ORVANE-MOD\r");
    const QString version = QStringLiteral("T1.0") + QChar(0xE9);
    EXPECT_EQ(f.find<QLineEdit>("Version")->text(), version);
    EXPECT_TRUE(edit->toPlainText().contains(version));
    EXPECT_EQ(edit->textCursor().position(), edit->toPlainText().size());
}

TEST(ViewBinding, DebugLayoutWidensTheWindowAndShowsTheDebugFrame) {
    ViewFixture f(Program::Brelund);
    Form1& form = f.program.form();
    form.form.setWidth(form.DebugWidth);
    form.form.setCaption(form.form.caption() + " (Debug mode!!)");
    form.Frame5.setLeft(6120);
    EXPECT_EQ(f.view->window().outerSizePixels(), QSize(820, 522));
    EXPECT_EQ(f.view->window().width(),
              820 - f.view->window().frameMargins().left() - f.view->window().frameMargins().right());
    EXPECT_EQ(f.widget("Frame5")->x(), 408);
    EXPECT_TRUE(f.view->window().windowTitle().endsWith(QStringLiteral(" (Debug mode!!)")));
}

TEST(ViewWindow, TabSkipsTheControlsOfAFrameOffTheWindow) {
    for (const TabCase& c : kTabCases) {
        ViewFixture f(Program::Quorvex);
        Form1& form = f.program.form();
        if (c.debugMode) {
            form.form.setWidth(form.DebugWidth);
            form.Frame5.setLeft(6120);
        }
        f.view->window().show();
        QApplication::setActiveWindow(&f.view->window());
        f.widget(c.from)->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        ASSERT_NE(QApplication::focusWidget(), nullptr);
        EXPECT_EQ(QApplication::focusWidget()->objectName().toStdString(), c.to)
            << "debug mode " << c.debugMode;
    }
}

TEST(ViewWindow, CloseRunsTheHandlerOnceAndMovesReachTheModel) {
    ViewFixture f(Program::Quorvex);
    qt::WindowWidget& window = f.view->window();
    window.show();
    window.move(120, 60);
    QCoreApplication::processEvents();
    EXPECT_EQ(f.program.form().form.left(), 1800);
    EXPECT_EQ(f.program.form().form.top(), 900);

    f.program.form().form.setLeft(2400);
    EXPECT_EQ(window.pos(), QPoint(160, 60));

    QCloseEvent first;
    QCloseEvent second;
    QCoreApplication::sendEvent(&window, &first);
    QCoreApplication::sendEvent(&window, &second);
    EXPECT_TRUE(first.isAccepted());
    EXPECT_EQ(f.closes, 1);
}

// The Qt event loop under the timer driver: model timers tick on precise QTimers, posted callbacks
// run in order, and a timer disabled inside its own tick does not tick again. (The driver's rules
// are pinned down exactly in virtual time.)
TEST(ViewTimers, QtLoopRunsTheModelTimers) {
    qt::QtEventLoop loop;
    Form1 form;
    for (Timer* timer : form.timers())
        timer->setTimerEnabled(false);
    TimerDriver driver(form, loop);
    driver.start();

    std::vector<int> posted;
    loop.post(20, [&posted] { posted.push_back(2); });
    loop.post(0, [&posted] { posted.push_back(1); });
    int ticks = 0;
    form.ReadAllTimer.onTick = [&] {
        ++ticks;
        form.ReadAllTimer.setTimerEnabled(false);  // an exchange that ends on its first tick
    };
    const long long start = loop.now();
    form.ReadAllTimer.setInterval(30);
    form.ReadAllTimer.setTimerEnabled(true);
    ASSERT_TRUE(QTest::qWaitFor([&ticks] { return ticks > 0; }, 5000));
    EXPECT_GE(loop.now() - start, 29);
    QTest::qWait(100);
    EXPECT_EQ(ticks, 1);
    EXPECT_EQ(posted, (std::vector<int>{1, 2}));
}

}  // namespace
}  // namespace orvane::test
