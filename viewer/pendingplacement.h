#pragma once

#include <QMargins>
#include <QObject>
#include <QPoint>
#include <QSize>

#include <functional>
#include <optional>

class QWidget;
class QWindow;

namespace ostrel {

// The frame around a window's client area, as far as the platform knows it:
// none before the window is on the screen where the window manager adds it
// only then (X11).
QMargins WindowFrame(const QWidget &window);

// The frame the window had when it was last seen on the screen in its normal
// state; its frame now when it never was. A maximised window has a frame of
// its own (thinner, or none), which would misstate its normal bounds.
QMargins NormalWindowFrame(const QWidget &window);

// Runs action from the event loop once the window is on the screen: framed
// and shown by the window manager. A message shown from there stands over the
// window instead of appearing before it.
void WhenOnScreen(QWidget &window, std::function<void()> action);

// A top-level window's outer place and size (frame included), asked for
// before the window is shown. On X11 the window manager frames a window only
// once it is mapped, so its frame is unknown before: the bounds are applied
// with the frame known so far, and once more when the window first shows on
// the screen and its frame is known. Until then a window with no place asked
// for is centred on its screen. A window to be maximised is maximised only
// then, so that the window manager keeps the exact normal bounds to return
// to.
class PendingPlacement : public QObject
{
    Q_OBJECT

public:
    // The placement of window, made and attached on first use.
    static PendingPlacement &Of(QWidget &window);

    void SetTopLeft(QPoint topLeft);
    void SetOuterSize(QSize size);
    void SetMaximized(bool maximized);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit PendingPlacement(QWidget &window);
    void Apply();
    void Finish();

    QWidget &window_;
    QWindow *native_ = nullptr;
    std::optional<QPoint> topLeft_;   // none: centred on the screen
    std::optional<QSize> outerSize_;  // none: the client size stays
    bool maximized_ = false;
};

} // namespace ostrel
