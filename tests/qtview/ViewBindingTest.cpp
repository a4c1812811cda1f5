#include "core/window/TimerDriver.h"
#include "platform/qt/services/QtClock.h"
#include "platform/qt/services/QtEventLoop.h"
#include "platform/qt/view/ModelConvert.h"
#include "platform/qt/view/QtFileDialog.h"
#include "tests/qtview/ViewFixture.h"
#include "tests/viewcases/BindingCases.h"

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
#include <QTimer>
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

// The shared binding scenarios on the Qt widgets, by Qt's own events.
class QtDriver : public ViewDriver {
public:
    explicit QtDriver(Program which) : f(which) {}

    TestProgram& program() override { return f.program; }
    void show() override {
        f.view->window().show();
        QApplication::setActiveWindow(&f.view->window());
    }
    void click(const std::string& name) override { QTest::mouseClick(f.widget(name), Qt::LeftButton); }
    void focus(const std::string& name) override { f.widget(name)->setFocus(); }
    bool hasFocus(const std::string& name) override { return f.widget(name)->hasFocus(); }
    void type(const std::string& name, const std::string& text) override {
        field(name)->clear();
        QTest::keyClicks(field(name), QString::fromStdString(text));
    }
    void paste(const std::string& name, const std::string& text) override {
        field(name)->setText(QString::fromStdString(text));
    }
    void tab() override { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab); }
    void move(const std::string& name, BoxMove move) override {
        static const Qt::Key keys[] = {Qt::Key_Down, Qt::Key_Up, Qt::Key_PageDown, Qt::Key_PageUp};
        if (move == BoxMove::WheelAway || move == BoxMove::WheelToward)
            return wheelOver(name, move == BoxMove::WheelAway ? 1 : -1);
        QTest::keyClick(combo(name), keys[static_cast<int>(move)]);
    }
    void wheelOver(const std::string& name, int notches) override {
        const QPointF inside(combo(name)->width() / 2.0, combo(name)->height() / 2.0);
        QWheelEvent turn(inside, combo(name)->mapToGlobal(inside), QPoint(), QPoint(0, 120 * notches),
                         Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(combo(name), &turn);
    }

    bool enabled(const std::string& name) override { return f.widget(name)->isEnabled(); }
    bool checked(const std::string& name) override { return f.find<QCheckBox>(name)->isChecked(); }
    std::string text(const std::string& name) override {
        QWidget* w = f.widget(name);
        if (auto* box = qobject_cast<QComboBox*>(w)) return box->currentText().toStdString();
        if (auto* edit = qobject_cast<QLineEdit*>(w)) return edit->text().toStdString();
        if (auto* term = qobject_cast<QPlainTextEdit*>(w)) return term->toPlainText().toStdString();
        return w->windowTitle().toStdString();
    }
    bool caretAtEnd(const std::string& name) override {
        auto* term = f.find<QPlainTextEdit>(name);
        return term->textCursor().position() == term->toPlainText().size();
    }
    bool filledWith(const std::string& name, Color color) override {
        const QColor wanted = qt::toQColor(color, QPalette());
        if (auto* label = f.find<QLabel>(name))
            return label->autoFillBackground() && label->palette().color(QPalette::Window) == wanted;
        // A box in a colour of the program's takes it whole: frame and button as well as text.
        if (QComboBox* box = combo(name); box && color != kSystemWindowColor &&
                                          (box->palette().color(QPalette::Base) != wanted ||
                                           box->palette().color(QPalette::Button) != wanted))
            return false;
        return field(name)->palette().color(QPalette::Base) == wanted;
    }
    bool writtenIn(const std::string& name, Color color) override {
        return f.widget(name)->palette().color(QPalette::WindowText) == qt::toQColor(color, QPalette());
    }
    std::string cell(const std::string& grid, int row, int column) override {
        return f.find<QTableWidget>(grid)->item(row, column)->text().toStdString();
    }

    int items(const std::string& name) override { return combo(name)->count(); }
    std::string item(const std::string& name, int index) override {
        return combo(name)->itemText(index).toStdString();
    }
    int currentItem(const std::string& name) override { return combo(name)->currentIndex(); }
    int findItem(const std::string& name, const std::string& text) override {
        return combo(name)->findText(QString::fromStdString(text));
    }
    void pick(const std::string& name, int index) override { combo(name)->setCurrentIndex(index); }
    void openList(const std::string& name, bool open) override {
        open ? combo(name)->showPopup() : combo(name)->hidePopup();
    }
    int listRows(const std::string& name) override { return combo(name)->maxVisibleItems(); }
    bool listShowsCurrent(const std::string& name) override {
        QAbstractItemView* list = combo(name)->view();
        return list->currentIndex().row() == combo(name)->currentIndex() &&
               list->viewport()->rect().contains(list->visualRect(list->currentIndex()));
    }
    std::string pickedToolTip(const std::string& name) override {
        QComboBox* box = combo(name);
        return box->itemData(box->currentIndex(), Qt::ToolTipRole).toString().toStdString();
    }

    // The window's own width and its frame's, as the window manager places them.
    int outerWidth() override {
        const QMargins frame = f.view->window().frameMargins();
        return f.view->window().width() + frame.left() + frame.right();
    }
    int placeX(const std::string& name) override { return f.widget(name)->x(); }
    void moveWindow(int x, int y) override {
        f.view->window().move(x, y);
        QCoreApplication::processEvents();
    }
    void close() override {
        QCloseEvent event;
        QCoreApplication::sendEvent(&f.view->window(), &event);
    }
    int closes() override { return f.closes; }
    int writes() override { return f.view->widgetWrites(); }

private:
    QComboBox* combo(const std::string& name) { return f.find<QComboBox>(name); }
    QLineEdit* field(const std::string& name) {
        if (QComboBox* box = combo(name)) return box->lineEdit();
        return f.find<QLineEdit>(name);
    }

    ViewFixture f;
};

class ViewBindingCases : public ::testing::TestWithParam<BindingCase> {};

TEST_P(ViewBindingCases, Runs) {
    QtDriver driver(GetParam().program);
    GetParam().run(driver);
}

INSTANTIATE_TEST_SUITE_P(Qt, ViewBindingCases, ::testing::ValuesIn(bindingCases()),
                         [](const auto& param) { return param.param.name; });

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

// The Qt event loop under the timer driver: model timers tick on precise QTimers, posted callbacks
// run in order, a timer disabled inside its own tick does not tick again, and a quit asked before
// the loop runs is not lost. (The driver's rules are pinned down exactly in virtual time.)
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

    // A quit before the loop runs (a signal during start-up) ends the run as soon as it starts.
    loop.post(0, [&loop] { loop.quit(7); });
    QCoreApplication::processEvents();
    QTimer::singleShot(3000, &loop, [] { QCoreApplication::exit(-1); });  // rather than hang
    EXPECT_EQ(loop.run(), 7);
}

}  // namespace
}  // namespace orvane::test
