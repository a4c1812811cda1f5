#pragma once

#include "core/window/Control.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

namespace orvane::qt {

// What every binding of a view shares: the dpi for twips and a count of the widget writes made
// for model changes (a model value that did not change must cost no widget write).
struct ViewContext {
    double dpi = 96;
    int* widgetWrites = nullptr;
};

// Keeps one widget in step with one model control. Model -> widget through the control's observer,
// touching only the property that changed; widget -> model in the derived classes. The binding is
// a child of its widget and dies with it; an observer that outlives it does nothing.
class ControlBinding : public QObject {
    Q_OBJECT
public:
    ControlBinding(Control& control, QWidget* widget, const ViewContext& context);

    // Shows the control's current state and starts following its changes.
    void attach();

protected:
    // Applies one changed property (index: the grid cell or column); the base handles geometry,
    // enabled, visible, tooltip and font.
    virtual void apply(Prop prop, int index);
    // Props beyond the common ones that attach() must apply once.
    virtual void applyAll() {}

    // Counts a widget write made for a model change.
    void wrote() const;

    // Sets one palette colour of the widget to a model colour; returns false when it already was.
    static bool setColor(QWidget* widget, QPalette::ColorRole role, Color color);

    Control& m_control;
    QWidget* m_widget;
    ViewContext m_context;

private:
    bool m_attaching = false;
};

}  // namespace orvane::qt
