#pragma once

#include "platform/qt/view/QtWindowView.h"
#include "tests/support/TestProgram.h"

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
    std::unique_ptr<qt::QtWindowView> view;
};

}  // namespace orvane::test
