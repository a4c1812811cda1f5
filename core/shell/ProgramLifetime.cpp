#include "core/shell/ProgramLifetime.h"

#include <algorithm>
#include <climits>

namespace orvane {

namespace {

// Marks a window coordinate that start-up left alone (no settings file said where the window
// goes); no coordinate that start-up sets can take this value.
constexpr int kUnplaced = INT_MIN;

void markUnplaced(Window& window) {
    Rect geometry = window.geometry();
    geometry.left = kUnplaced;
    geometry.top = kUnplaced;
    window.setGeometry(geometry);
}

}  // namespace

void ProgramLifetime::load() {
    Window& window = m_app.form().form;
    markUnplaced(window);
    m_app.Form_Load();
    placeUnplaced(window);
}

void ProgramLifetime::preview(Window& window) const {
    const Window& form = m_app.form().form;
    window.setCaption(form.caption());
    window.setGeometry(form.geometry());
    window.setFont(form.font());
    markUnplaced(window);
    m_app.previewWindow(window);
    placeUnplaced(window);
}

void ProgramLifetime::placeUnplaced(Window& window) const {
    Rect geometry = window.geometry();
    if (geometry.left == kUnplaced) geometry.left = std::max(0, (m_screen.widthTwips() - geometry.width) / 2);
    if (geometry.top == kUnplaced) geometry.top = std::max(0, (m_screen.heightTwips() - geometry.height) / 2);
    window.setGeometry(geometry);
}

void ProgramLifetime::unload() {
    if (m_unloaded) return;
    m_unloaded = true;
    m_app.Form_Unload();
}

}  // namespace orvane
