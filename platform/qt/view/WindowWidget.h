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
    // A window that shows `preview`'s caption, font, size and place until follow(): the model may
    // change meanwhile (start-up bringing it to what the preview shows) without the window taking
    // each step. `preview` (which may be the model itself) must live until then.
    WindowWidget(const Window& preview, Window& model, double dpi, std::function<void()> onClose);

    // From now on the window shows the model and follows its changes.
    void follow();

    // The frame the window system adds around the client area: measured once shown, estimated
    // before (borders and a title bar of a common size).
    QMargins frameMargins() const;

    // The outer size and position in pixels of the model (of the preview before follow()).
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
    const Window* m_shown;  // the preview, then the model
    bool m_following = false;
    double m_dpi;
    std::function<void()> m_onClose;
    bool m_closed = false;
};

}  // namespace orvane::qt
