#pragma once

#include "core/window/Form1.h"
#include "platform/qt/view/WindowWidget.h"

#include <functional>
#include <memory>

namespace orvane::qt {

// The window of a program built from its window model: one widget per present control, named as
// the control, positioned from twips at the given logical dpi, and kept in step with the model in
// both directions (see ControlBinding). Timers are not here: a TimerDriver runs them on the event loop.
class QtWindowView {
public:
    // onClose runs once when the window is asked to close, before it closes.
    QtWindowView(Form1& form, double dpi, std::function<void()> onClose);
    // The same window, shown first: the top-level window is put on the display (mapped, not yet
    // painted) with `preview`'s caption, place and size, then `startUp` runs (the program's
    // start-up, which brings the model to what the preview shows), then the window follows the
    // model and the controls' widgets are built into it. The event loop, entered only after this
    // returns, paints the window whole and handles the first input. The window stands on the
    // screen as soon as its caption, place and size are known, instead of after start-up's port
    // scan and the widgets (fonts, styles, lists).
    QtWindowView(Form1& form, double dpi, std::function<void()> onClose, const Window& preview,
                 const std::function<void()>& startUp);
    ~QtWindowView();
    QtWindowView(const QtWindowView&) = delete;
    QtWindowView& operator=(const QtWindowView&) = delete;

    WindowWidget& window() { return *m_window; }

    // Widget writes made for model changes since the view was built: a model change that repeats
    // what a widget shows must not add to it.
    int widgetWrites() const { return m_widgetWrites; }

private:
    void buildControls(Form1& form);

    double m_dpi;
    int m_widgetWrites = 0;
    std::unique_ptr<WindowWidget> m_window;
};

}  // namespace orvane::qt
