#include "platform/qt/view/ModelConvert.h"
#include "tests/qtview/ViewFixture.h"
#include "tests/viewcases/WindowCases.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
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

class WindowView : public ::testing::TestWithParam<WindowCase> {};

TEST_P(WindowView, ShowsTheWindowInItsStartState) {
    const WindowCase& c = GetParam();
    ViewFixture f(c.program, ViewFixture::ShownFirst{});
    // The title bar says the final caption from the start, before start-up adds the version.
    EXPECT_EQ(f.titleInStartUp, c.caption);
    EXPECT_EQ(f.view->window().windowTitle(), QString::fromLatin1(c.caption));
    EXPECT_EQ(f.view->window().outerSizePixels(), QSize(kOuterSize.width, kOuterSize.height));

    for (const Expected& e : c.controls) {
        SCOPED_TRACE(e.name);
        QWidget* w = f.widget(e.name);
        ASSERT_NE(w, nullptr);
        if (e.text) {
            EXPECT_EQ(shownText(w), QString::fromLatin1(e.text));
        }
        EXPECT_EQ(w->isEnabled(), e.enabled);
        if (!e.pixels.empty()) {
            EXPECT_EQ(w->geometry(), QRect(e.pixels.x, e.pixels.y, e.pixels.width, e.pixels.height));
        }
    }
    for (const char* name : c.absent)
        EXPECT_EQ(f.widget(name), nullptr) << name;

    auto* grid = f.find<QTableWidget>("MSFlexGrid1");
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->columnCount(), kGridColumns);
    EXPECT_EQ(grid->rowCount(), c.gridRows);
    EXPECT_EQ(grid->item(0, 0)->text(), QStringLiteral("Register"));
    EXPECT_EQ(grid->item(0, 4)->text(), QStringLiteral("Ch.3"));
    EXPECT_EQ(grid->columnWidth(0), kGridTitleColumnPixels);
    EXPECT_EQ(grid->columnWidth(1), kGridChannelColumnPixels);
    EXPECT_EQ(grid->item(1, 2)->textAlignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_TRUE(grid->horizontalHeader()->isHidden());

    EXPECT_EQ(f.widget("Frame5")->x(), kDebugFrameHiddenX);
    EXPECT_TRUE(f.find<QPlainTextEdit>("Term")->isReadOnly());
    // What the module sent can be copied but never typed over.
    for (const char* box : {"Version", "Serial", "FactoryDate"})
        EXPECT_TRUE(f.find<QLineEdit>(box)->isReadOnly()) << box;
    EXPECT_FALSE(f.find<QLineEdit>("LogFileName")->isReadOnly());
}

// Each caption, laid out in its label's font and wrapped at its width, fits the label.
TEST_P(WindowView, ShowsEveryCaptionWhole) {
    for (const int dpi : kCaptionDpis) {
        ViewFixture f(GetParam().program, dpi);
        for (const Control* control : captionedLabels(f.program.form())) {
            auto* label = f.find<QLabel>(control->name);
            ASSERT_NE(label, nullptr) << control->name;
            const QRect box = label->contentsRect();
            const QRect needed = QFontMetrics(label->font())
                                     .boundingRect(box, Qt::TextWordWrap | label->alignment(), label->text());
            EXPECT_LE(needed.width(), box.width()) << control->name << " at " << dpi;
            EXPECT_LE(needed.height(), box.height()) << control->name << " at " << dpi;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(BothPrograms, WindowView, ::testing::ValuesIn(kWindowCases),
                         [](const auto& param) { return nameOf(param.param.program); });

}  // namespace
}  // namespace orvane::test
