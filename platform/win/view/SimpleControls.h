#pragma once

// The controls that hold one value each: frames, labels, lines, buttons and the check box.
// Entries, the combo boxes and the grid have files of their own.

#include "core/window/Controls.h"
#include "platform/win/view/NativeControl.h"

namespace orvane::win {

// A frame: a group box that is also the parent of its controls. The group box passes their
// notifications and colour requests on to the top-level window (see WinWindowView).
class FrameControl final : public NativeControl {
public:
    FrameControl(Frame& frame, HWND parent, ViewContext& context);

protected:
    void apply(Prop prop, int index) override;
    void applyAll() override;

    // A frame off the window's client area is hidden, so that its controls take no Tab stop.
    bool shown() const override { return m_frame.visible() && m_frame.onClientArea(); }

private:
    Frame& m_frame;
};

// A caption that wraps at its width, top-aligned; a label given a colour paints its whole box,
// one in its design state shows the frame's background. A left-aligned caption that the box cannot
// hold whole (at a dpi where the font's pixels come out wider, or where the system's line
// breaking counts the blank at a break) widens its box by what it needs, up to an eighth.
class LabelControl final : public NativeControl {
public:
    LabelControl(Label& label, HWND parent, ViewContext& context);
    HBRUSH colors(HDC dc) override;

protected:
    void apply(Prop prop, int index) override;
    void applyAll() override;
    void showGeometry() override;

private:
    // The narrowest width from `width` up at which the caption fits the box's height.
    int captionWidth(int width, int height) const;

    bool m_filled = false;
};

// A straight line from (left, top) to (left + width, top + height) in its foreground colour,
// drawn in its bounding box (one pixel wider and taller, so a flat line has room).
class LineControl final : public NativeControl {
public:
    LineControl(Line& line, HWND parent, ViewContext& context);
    void draw(const DRAWITEMSTRUCT& item) override;

protected:
    void apply(Prop prop, int index) override;
    void showGeometry() override;
};

// A push button with a caption or an arrow picture; a click runs the model's click event.
class ButtonControl final : public NativeControl {
public:
    ButtonControl(Button& button, HWND parent, ViewContext& context);
    void command(unsigned code) override;

protected:
    void apply(Prop prop, int index) override;
    void applyAll() override;

private:
    // Shows the model's picture at the dpi; false when the button already showed it.
    bool showPicture();

    Button& m_button;
    HICON m_icon = nullptr;
};

// The check box without caption: a click toggles the model value, which runs its click event;
// the box then shows what the model holds.
class CheckBoxControl final : public NativeControl {
public:
    CheckBoxControl(CheckBox& box, HWND parent, ViewContext& context);
    void command(unsigned code) override;

protected:
    void apply(Prop prop, int index) override;
    void applyAll() override;

private:
    // The system marks the focus around a check box's caption; one without a caption gets the
    // mark around its box.
    static LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                      DWORD_PTR self);
    void markFocus();

    CheckBox& m_box;
};

}  // namespace orvane::win
