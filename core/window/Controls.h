#pragma once

// The small control kinds of the window model. Each is a thin layer over Control that adds the
// events the behaviour handles; the grid and the timer have files of their own.

#include "core/window/Control.h"
#include "core/window/ListStep.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace orvane {

// The top-level window: caption, position and size in twips (left/top in screen coordinates).
class Window : public Control {
public:
    Window() : Control(Kind::Window) {}
};

class Frame : public Control {
public:
    Frame() : Control(Kind::Frame) {}

    // Whether the frame lies on the window's client area. Start-up moves the debug frame off it
    // (to the left) outside debug mode; a frame off it is not shown, and its controls take no
    // focus.
    bool onClientArea() const { return left() + width() > 0 && top() + height() > 0; }
};

class Label : public Control {
public:
    Label() : Control(Kind::Label) {}
};

// A push button; `picture` names an arrow drawn on it instead of a caption.
enum class Picture { None, ArrowUp, ArrowDown };

class Button : public Control {
public:
    Button() : Control(Kind::Button) {}

    Picture picture() const { return m_picture; }
    void setPicture(Picture picture) { update(m_picture, picture, Prop::Picture); }

    // A click by the user: runs the handler only while the button is enabled.
    void click() {
        if (enabled() && onClick) onClick();
    }
    std::function<void()> onClick;

private:
    Picture m_picture = Picture::None;
};

class CheckBox : public Control {
public:
    CheckBox() : Control(Kind::CheckBox) {}

    int value() const { return m_value; }
    // Setting a different value raises the click event, as ticking the box does.
    void setValue(int value) {
        if (update(m_value, value, Prop::Value) && onClick) onClick();
    }
    // A click by the user toggles the box (only while enabled).
    void click() {
        if (enabled()) setValue(m_value == 1 ? 0 : 1);
    }
    std::function<void()> onClick;

private:
    int m_value = 0;
};

// A single- or multi-line text box. Setting a different text, from the program or by typing, runs
// the change event.
class TextBox : public Control {
public:
    TextBox() : Control(Kind::TextBox) {}

    void setText(const std::string& text) override {
        if (text == m_text) return;
        Control::setText(text);
        if (onChange) onChange();
    }

    bool multiLine = false;
    bool verticalScrollBar = false;
    bool readOnly = false;

    // Caret position (offset into the text); used to keep the newest text in view.
    std::size_t caret() const { return m_caret; }
    void setCaret(std::size_t position) { update(m_caret, position, Prop::Caret); }

    std::function<void()> onChange;

private:
    std::size_t m_caret = 0;
};

// An editable drop-down combo box. Setting a different text, from the program, by typing or by
// picking from the list, runs the change event; setting the text it already shows does not.
class ComboBox : public Control {
public:
    ComboBox() : Control(Kind::ComboBox) {}

    void setText(const std::string& text) override {
        if (text == m_text) return;
        Control::setText(text);
        if (onChange) onChange();
    }

    const std::vector<std::string>& list() const { return m_list; }
    void addItem(const std::string& item) {
        m_list.push_back(item);
        notify(Prop::List);
    }
    void clearList() {
        if (m_list.empty()) return;
        m_list.clear();
        notify(Prop::List);
    }
    // Tooltip of each list item (the scan names the device behind each port); may be shorter
    // than the list.
    std::vector<std::string> itemToolTips;

    // How the text is placed among the items for the keys and the wheel; nullptr: by the item's
    // text alone (see placeByText).
    const IListOrder* listOrder = nullptr;
    // The list's current item: the one the text names, or none.
    std::optional<std::size_t> currentItem() const { return matchingItem(m_list, m_text); }
    // Where the text lies in the list, or nothing when it has no place there.
    std::optional<ListPlace> listPlace() const {
        return listOrder ? listOrder->place(m_text, m_list) : placeByText(m_text, m_list);
    }
    // A key or wheel notch that moves through the closed list: the box takes the item `step`
    // items on from where its text lies (positive: down the list), through the same change
    // handling as typing. A text with no place in the list is left alone.
    void stepInList(int step) {
        const std::optional<ListPlace> place = listPlace();
        if (!place) return;
        if (const std::optional<std::size_t> item = itemAfterStep(*place, m_list.size(), step))
            setText(m_list[*item]);
    }

    // The input focus left the box.
    void lostFocus() {
        if (onLostFocus) onLostFocus();
    }

    std::function<void()> onChange;
    std::function<void()> onLostFocus;
    // The user opens the drop-down list; the handler may fill it anew before it shows.
    void dropDown() {
        if (onDropDown) onDropDown();
    }
    std::function<void()> onDropDown;

private:
    std::vector<std::string> m_list;
};

// A straight line from (left, top) to (left + width, top + height), in its foreground colour.
class Line : public Control {
public:
    Line() : Control(Kind::Line) {}
};

}  // namespace orvane
