#pragma once

#include "platform/qt/view/QtWindowView.h"
#include "tests/support/TestProgram.h"

#include <QApplication>
#include <QWidget>
#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace orvane::test {

// One program after start-up with its window built at 96 dpi; the virtual clock drives the model's
// timers, so nothing ticks unless a test advances it.
class ViewFixture {
public:
    explicit ViewFixture(Program which, double dpi = 96.0) : program(which) {
        program.start();
        view = std::make_unique<qt::QtWindowView>(program.form(), dpi, [this] { ++closes; });
    }
    // Built as the programs build it: the window shown from the preview, then start-up, then the
    // controls. `titleInStartUp` is what the window's title bar said while start-up ran.
    struct ShownFirst {};
    ViewFixture(Program which, ShownFirst) : program(which) {
        program.startShownFirst([this](const Window& preview, const std::function<void()>& startUp) {
            view = std::make_unique<qt::QtWindowView>(
                program.form(), 96.0, [this] { ++closes; }, preview,
                [&] {
                    for (QWidget* top : QApplication::topLevelWidgets())
                        if (qobject_cast<qt::WindowWidget*>(top) && top->isVisible())
                            titleInStartUp = top->windowTitle().toStdString();
                    startUp();
                });
        });
    }

    template <class W>
    W* find(const std::string& name) {
        return view->window().findChild<W*>(QString::fromStdString(name));
    }
    // Any widget of that name, the window itself included.
    QWidget* widget(const std::string& name) {
        if (view->window().objectName() == QString::fromStdString(name)) return &view->window();
        return find<QWidget>(name);
    }

    TestProgram program;
    int closes = 0;
    std::string titleInStartUp;
    std::unique_ptr<qt::QtWindowView> view;
};

}  // namespace orvane::test
