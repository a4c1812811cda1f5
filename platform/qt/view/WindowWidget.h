#pragma once

#include "core/window/Controls.h"

#include <QMargins>
#include <QWidget>

#include <functional>

namespace orvane::qt {

// The top-level window of a program, following the model's window control: caption, font, outer
// size and screen position (twips). The model's size is the outer size, frame and title bar
// included, so the client area is that less the window frame. A move by the user is written back
// to the model (shut-down saves it); a close request runs the close handler once and always closes.
class WindowWidget : public QWidget {
    Q_OBJECT
public:
    WindowWidget(Window& model, double dpi, std::function<void()> onClose);

    // The frame the window system adds around the client area: measured once shown, estimated
    // before (borders and a title bar of a common size).
    QMargins frameMargins() const;

    // The model's outer size and position in pixels.
    QSize outerSizePixels() const;
    QPoint positionPixels() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    void apply(Prop prop);
    void showSize();
    void showPosition();

    Window& m_model;
    double m_dpi;
    std::function<void()> m_onClose;
    bool m_closed = false;
};

}  // namespace orvane::qt
