#pragma once

#include "core/window/Controls.h"
#include "platform/win/view/NativeControl.h"

#include <string>

namespace orvane::win {

// A single-line text box (EDIT): typing sets the model text, which runs its change event. A
// read-only box (what the module sent) can be selected and copied, never typed over.
class TextBoxControl final : public NativeControl {
public:
    TextBoxControl(TextBox& box, HWND parent, ViewContext& context);
    void command(unsigned code) override;
    HBRUSH colors(HDC dc) override;

protected:
    void apply(Prop prop, int index) override;
    void applyAll() override;

private:
    TextBox& m_box;
    bool m_showing = false;  // the control is being set from the model: its EN_CHANGE is an echo
};

// The multi-line traffic display (EDIT, ES_MULTILINE): read-only, vertical scroll bar, the view
// following the end while the model's caret stands there. Text the program appends is appended to
// the control, not set anew, so a long run stays cheap. A CR, LF or CR LF is one line break.
class TermControl final : public NativeControl {
public:
    TermControl(TextBox& box, HWND parent, ViewContext& context);
    HBRUSH colors(HDC dc) override;

protected:
    void apply(Prop prop, int index) override;
    void applyAll() override;

private:
    void showCaret();

    TextBox& m_box;
    std::string m_shown;  // the model text the control shows
};

}  // namespace orvane::win
