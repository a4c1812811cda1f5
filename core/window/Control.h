#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace orvane {

// Colours are &H00BBGGRR values; kSystemWindowColor stands for the system's window background.
using Color = std::uint32_t;
inline constexpr Color kSystemWindowColor = 0x80000005;
inline constexpr Color kBlack = 0x00000000;
inline constexpr Color kRed = 0x000000FF;
// The colour scheme the window's colour variables take at start-up.
inline constexpr Color kColorGreen = 0xC0FFC0;   // confirmed by the module
inline constexpr Color kColorYellow = 0xC0FFFF;  // entry not acceptable
inline constexpr Color kColorGray = 0xE0E0E0;    // no value from the module
inline constexpr Color kColorPink = 0xC0C0FF;    // entry needed correction

// Position and size in twips (1/1440 inch), relative to the enclosing frame or, for frames, to the
// window's client area.
struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const Rect&) const = default;
};

struct Font {
    std::string family = "Arial";
    double points = 9.75;
    bool bold = false;
    bool operator==(const Font&) const = default;
};

enum class Kind { Window, Frame, Label, TextBox, ComboBox, Button, CheckBox, Line, Grid, Timer };
enum class Align { Left, Center, Right };

// What changed on a control; index names the cell of a grid (row * columns + column).
enum class Prop {
    Text,
    List,
    BackColor,
    ForeColor,
    Enabled,
    Visible,
    Geometry,
    ToolTip,
    Font,
    Alignment,
    Value,
    Caret,
    Cell,
    Shape,
    Armed,
    Picture
};

// A control of the window model: plain data with the properties the behaviour uses. A setter
// notifies the observers only when the value really changes, so a view never repaints for a value
// it already shows.
class Control {
public:
    using Observer = std::function<void(Prop, int index)>;

    explicit Control(Kind kind) : m_kind(kind) {}
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    Kind kind() const { return m_kind; }

    // Identity, set once by the window description: the name ("ChTestSW(2)") and the frame that
    // holds the control (nullptr for frames and the window). A control the program does not have
    // stays absent and gets no widget.
    std::string name;
    Control* parent = nullptr;
    bool present = false;

    const std::string& text() const { return m_text; }
    const std::string& caption() const { return m_text; }
    void setCaption(const std::string& caption) { setText(caption); }
    virtual void setText(const std::string& text);

    Color backColor() const { return m_backColor; }
    void setBackColor(Color color) { update(m_backColor, color, Prop::BackColor); }
    Color foreColor() const { return m_foreColor; }
    void setForeColor(Color color) { update(m_foreColor, color, Prop::ForeColor); }
    bool enabled() const { return m_enabled; }
    void setEnabled(bool on) { update(m_enabled, on, Prop::Enabled); }
    bool visible() const { return m_visible; }
    void setVisible(bool on) { update(m_visible, on, Prop::Visible); }
    const Rect& geometry() const { return m_geometry; }
    void setGeometry(const Rect& rect) { update(m_geometry, rect, Prop::Geometry); }
    int left() const { return m_geometry.left; }
    void setLeft(int left);
    int top() const { return m_geometry.top; }
    void setTop(int top);
    int width() const { return m_geometry.width; }
    void setWidth(int width);
    int height() const { return m_geometry.height; }
    void setHeight(int height);
    const std::string& toolTip() const { return m_toolTip; }
    void setToolTip(const std::string& tip) { update(m_toolTip, tip, Prop::ToolTip); }
    const Font& font() const { return m_font; }
    void setFont(const Font& font) { update(m_font, font, Prop::Font); }
    Align alignment() const { return m_alignment; }
    void setAlignment(Align align) { update(m_alignment, align, Prop::Alignment); }

    // Observers are called after the change, in the order they were added.
    void observe(Observer observer) { m_observers.push_back(std::move(observer)); }

protected:
    void notify(Prop prop, int index = -1);
    template <class T>
    bool update(T& field, const T& value, Prop prop) {
        if (field == value) return false;
        field = value;
        notify(prop);
        return true;
    }
    std::string m_text;

private:
    Kind m_kind;
    Color m_backColor = kSystemWindowColor;
    Color m_foreColor = kBlack;
    bool m_enabled = true;
    bool m_visible = true;
    Rect m_geometry;
    std::string m_toolTip;
    Font m_font;
    Align m_alignment = Align::Left;
    std::vector<Observer> m_observers;
};

}  // namespace orvane
