#pragma once

#include "core/window/Control.h"
#include "platform/win/view/ViewConvert.h"
#include "platform/win/view/ViewResources.h"

#include <memory>
#include <string>
#include <vector>
#include <windows.h>

namespace orvane::win {

// What every control of a window view shares: the dpi for twips, the GDI objects, the tooltip
// window, and a count of the control writes made for model changes (a model value that did not
// change must cost no control write, so no repaint).
struct ViewContext {
    int dpi = 96;
    int controlWrites = 0;
    HWND toolTip = nullptr;
    ViewResources resources;
};

// Keeps one native control in step with one model control. Model -> control through the model's
// observer, touching only the property that changed, and only when the control shows something
// else; control -> model in the derived classes, from the notifications its parent receives
// (WM_COMMAND, WM_NOTIFY), which the view hands to the control they name. An observer that
// outlives its control does nothing.
class NativeControl {
public:
    NativeControl(Control& control, HWND hwnd, ViewContext& context);
    virtual ~NativeControl() = default;
    NativeControl(const NativeControl&) = delete;
    NativeControl& operator=(const NativeControl&) = delete;

    // Shows the model control's current state and starts following its changes.
    void attach();

    HWND hwnd() const { return m_hwnd; }
    Control& model() const { return m_control; }
    // The windows whose notifications and colour requests are this control's (a combo box's edit
    // field and list besides the box itself).
    virtual std::vector<HWND> parts() const { return {m_hwnd}; }
    // The windows the mouse rests on to show the control's tooltip.
    virtual std::vector<HWND> tipWindows() const { return {m_hwnd}; }

    // A WM_COMMAND notification code from the control.
    virtual void command(unsigned /*code*/) {}
    // A WM_NOTIFY from the control; `handled` false leaves it to the default.
    virtual LRESULT notify(NMHDR& /*header*/, bool& handled) {
        handled = false;
        return 0;
    }
    // A WM_CTLCOLOR* request from one of the parts: sets the colours on the device context and
    // returns the background brush, or nullptr for the system's default.
    virtual HBRUSH colors(HDC /*dc*/) { return nullptr; }
    // A WM_DRAWITEM for an owner-drawn control.
    virtual void draw(const DRAWITEMSTRUCT& /*item*/) {}

    // The dpi changed: places and fonts again.
    void rescale();

protected:
    // Applies one changed property (index: the grid cell or column); the base handles geometry,
    // enabled, visible, tooltip and font.
    virtual void apply(Prop prop, int index);
    // Props beyond the common ones that attach() must apply once.
    virtual void applyAll() {}
    // The pixel rectangle the control takes in its parent; the base places it there.
    virtual void showGeometry();
    // Whether the control is shown; the base follows the model's visibility.
    virtual bool shown() const { return m_control.visible(); }
    // The tooltip the control shows; the base shows the model's.
    virtual std::string toolTipText() const { return m_control.toolTip(); }
    void showToolTip();

    // Counts a control write made for a model change.
    void wrote();
    std::wstring windowText() const;
    // Sets the control's text; false when it already showed it.
    bool setWindowText(const std::wstring& text);
    // Sets the text and background colours of a model control on a device context and returns
    // the background's brush.
    HBRUSH paint(HDC dc, Color back, Color fore);

    Control& m_control;
    HWND m_hwnd;
    ViewContext& m_context;

private:
    std::shared_ptr<int> m_alive = std::make_shared<int>(0);
    bool m_attaching = false;
    std::wstring m_toolTip;
    bool m_toolAdded = false;
};

}  // namespace orvane::win
