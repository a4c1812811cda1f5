#pragma once

#include "core/window/Controls.h"
#include "platform/win/view/NativeControl.h"

#include <functional>
#include <memory>
#include <windows.h>

namespace orvane::win {

// The top-level window of a program, following the model's window control: caption, outer size
// and screen position (twips; the model's size is the outer size, frame and title bar included).
// Its size is fixed: the layout is in twips. A move by the user is written back to the model
// (shut-down saves it). A close request, or the end of the session (logoff, shutdown), runs the
// close handler once; a close request then destroys the window. The messages of the controls
// inside (notifications, colour and drawing requests) go to the router; a change of the monitor's
// dpi goes to the dpi handler after the window took its new size.
class TopWindow {
public:
    struct Handlers {
        std::function<void()> onClose;
        std::function<void()> onDestroyed;
        // Returns true with the result when the message was a control's and was handled.
        std::function<bool(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)> route;
        std::function<void()> onDpiChanged;
    };

    // A window that shows `preview`'s caption, size and place until follow(): the model may change
    // meanwhile (start-up bringing it to what the preview shows) without the window taking each
    // step. `preview` (which may be the model itself) must live until then.
    TopWindow(const Window& preview, Window& model, ViewContext& context, Handlers handlers);
    ~TopWindow();
    TopWindow(const TopWindow&) = delete;
    TopWindow& operator=(const TopWindow&) = delete;

    HWND hwnd() const { return m_hwnd; }
    // From now on the window shows the model and follows its changes.
    void follow();
    // The outer size and screen position in pixels of the model (of the preview before follow()).
    PixelRect outerPixels() const;
    void show();
    // Takes another dpi: the window its size at it, then the controls theirs.
    void setDpi(int dpi);

private:
    static void registerClass();
    static LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void apply(Prop prop);
    void showGeometry();
    void moved();
    void closeOnce();
    void dpiChanged(int dpi, const RECT& suggested);

    Window& m_model;
    const Window* m_shown;  // the preview, then the model
    ViewContext& m_context;
    Handlers m_handlers;
    HWND m_hwnd = nullptr;
    bool m_closed = false;
    bool m_placed = false;  // following the model: moves from now on are the user's
    std::shared_ptr<int> m_alive = std::make_shared<int>(0);
};

}  // namespace orvane::win
