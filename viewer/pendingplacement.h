#pragma once

#include <QMargins>
#include <QObject>
#include <QPoint>
#include <QSize>

#include <optional>

class QWidget;
class QWindow;

namespace ostrel {

// The frame around a window's client area, as far as the platform knows it:
// none before the window is on the screen where the window manager adds it
// only then (X11).
QMargins WindowFrame(const QWidget &window);

// A top-level window's outer place and size (frame included), asked for
// before the window is shown. On X11 the window manager frames a window only
// once it is mapped, so its frame is unknown before: the bounds are applied
// with the frame known so far, and once more when the window first shows on
// the screen and its frame is known. Until then a window with no place asked
// for is centred on its screen.
class PendingPlacement : public QObject
{
    Q_OBJECT

public:
    // The placement of window, made and attached on first use.
    static PendingPlacement &Of(QWidget &window);

    void SetTopLeft(QPoint topLeft);
    void SetOuterSize(QSize size);

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
};

} // namespace ostrel
