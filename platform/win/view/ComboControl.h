#pragma once

#include "core/window/Controls.h"
#include "platform/win/view/NativeControl.h"

#include <string>
#include <vector>

namespace orvane::win {

// An editable drop-down combo box (COMBOBOX, CBS_DROPDOWN). Typing and picking from the list set
// the model text (which runs its change event); the input focus leaving the box runs its
// lost-focus event; opening the list runs its drop-down event first, so that the list can be
// filled anew. The box never completes or corrects what is typed. Its tooltip is the model's, or,
// while the text names an item of the list, that item's (the port box names the port's device).
// The list's current item follows the text; the arrow and page keys and, in the focused box, the
// wheel move through the closed list as the model decides. The open list shows eight items, and
// the model's colour fills the whole field inside the border.
class ComboControl final : public NativeControl {
public:
    ComboControl(ComboBox& combo, HWND parent, ViewContext& context);
    std::vector<HWND> parts() const override;
    std::vector<HWND> tipWindows() const override;
    void command(unsigned code) override;
    HBRUSH colors(HDC dc) override;

protected:
    void apply(Prop prop, int index) override;
    void applyAll() override;
    void showGeometry() override;
    std::string toolTipText() const override;

private:
    static LRESULT CALLBACK partProcedure(HWND part, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                          DWORD_PTR self);
    LRESULT partMessage(HWND part, UINT message, WPARAM wParam, LPARAM lParam);
    void wheel(int delta);
    void droppedDown();
    void followText();
    void paintField();
    void showText();
    void showList();
    void fromControl(const std::wstring& text);
    std::wstring itemText(int item) const;
    int itemCount() const;

    ComboBox& m_combo;
    HWND m_edit = nullptr;  // the edit field and the drop-down list inside the box
    HWND m_list = nullptr;
    bool m_showing = false;  // the control is being set from the model: its notifications are echoes
    int m_wheelTurn = 0;     // wheel turns short of a notch
};

}  // namespace orvane::win
