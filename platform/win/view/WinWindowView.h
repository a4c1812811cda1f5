#pragma once

#include "core/window/Form1.h"
#include "platform/win/view/NativeControl.h"
#include "platform/win/view/TopWindow.h"

#include <functional>
#include <map>
#include <memory>
#include <string_view>
#include <vector>
#include <windows.h>

namespace orvane::win {

// The window of a program built from its window model on Windows' own controls: one native control
// per present model control, in its frame's group box, placed from twips at the given dpi, and
// kept in step with the model in both directions (see NativeControl). Each control's id is
// controlId() of its model control, so that another program can find it. Timers are not here: a
// TimerDriver runs them on the event loop.
class WinWindowView {
public:
    // onClose runs once when the window is asked to close or the session ends, before the window
    // goes; onDestroyed when it is gone.
    WinWindowView(Form1& form, int dpi, std::function<void()> onClose,
                  std::function<void()> onDestroyed = {});
    // The same window, shown first: the top window is made with `preview`'s caption, place and
    // size, takes its monitor's dpi and is shown (not yet painted); then `startUp` runs (the
    // program's start-up, which brings the model to what the preview shows), the window follows
    // the model, the controls are made in it and the whole window is painted. The window stands on
    // the screen as soon as its caption, place and size are known, instead of after start-up's
    // port scan and every control; no message is pumped in between, so no input comes before them.
    WinWindowView(Form1& form, int dpi, std::function<void()> onClose, std::function<void()> onDestroyed,
                  const Window& preview, const std::function<void()>& startUp);
    ~WinWindowView();
    WinWindowView(const WinWindowView&) = delete;
    WinWindowView& operator=(const WinWindowView&) = delete;

    HWND window() const { return m_window->hwnd(); }
    TopWindow& topWindow() { return *m_window; }
    void show() { m_window->show(); }
    // The native control of the model control of that name, or nullptr.
    HWND control(std::string_view name) const;
    // The tooltip window that holds every control's tooltip.
    HWND toolTip() const { return m_context.toolTip; }
    // Handles the keys that move between controls (Tab, Shift+Tab); true when the message was one.
    bool dialogMessage(MSG& message);

    // Control writes made for model changes since the view was built: a model change that repeats
    // what a control shows must not add to it.
    int controlWrites() const { return m_context.controlWrites; }

    // The id of a model control's native window: 1000 + its place among the form's controls, the
    // same for both programs and every run.
    static int controlId(Form1& form, const Control& control);

private:
    void makeWindow(const Window& preview, Form1& form, int dpi, std::function<void()> onClose,
                    std::function<void()> onDestroyed);
    void makeToolTip();
    void buildControls(Form1& form);
    bool route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    NativeControl* find(HWND hwnd) const;
    void rescale();

    ViewContext m_context;
    std::unique_ptr<TopWindow> m_window;
    std::vector<std::unique_ptr<NativeControl>> m_controls;
    std::map<HWND, NativeControl*> m_byWindow;
};

}  // namespace orvane::win
