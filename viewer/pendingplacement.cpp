#include "pendingplacement.h"

#include <QEvent>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace ostrel {

QMargins WindowFrame(const QWidget &window)
{
    const QWindow *native = window.windowHandle();
    return native ? native->frameMargins() : QMargins();
}

PendingPlacement &PendingPlacement::Of(QWidget &window)
{
    if (auto *placement = window.findChild<PendingPlacement *>(QString(), Qt::FindDirectChildrenOnly))
        return *placement;
    return *new PendingPlacement(window);
}

PendingPlacement::PendingPlacement(QWidget &window) : QObject(&window), Window(window)
{
    Window.installEventFilter(this);
}

// Both are applied at once as well, so that the window lays itself out with
// its size from the start and reads back what was asked for.
void PendingPlacement::SetTopLeft(QPoint topLeft)
{
    TopLeft = topLeft;
    Apply();
}

void PendingPlacement::SetOuterSize(QSize size)
{
    OuterSize = size;
    Apply();
}

void PendingPlacement::Apply()
{
    const QMargins frame = WindowFrame(Window);
    if (OuterSize) {
        const QSize minimum = Window.minimumSize();
        Window.resize(std::max(OuterSize->width() - frame.left() - frame.right(), minimum.width()),
                      std::max(OuterSize->height() - frame.top() - frame.bottom(), minimum.height()));
    }
    QPoint topLeft;
    if (TopLeft) {
        topLeft = *TopLeft;
    } else if (QScreen *screen = Window.screen(); screen && Window.windowHandle()) {
        QRect outer(QPoint(), Window.size().grownBy(frame));
        outer.moveCenter(screen->availableGeometry().center());
        topLeft = outer.topLeft();
    } else {
        return;  // centred once it is shown
    }
    // Before the native window exists Qt takes the position as the frame's;
    // once it exists, as the frame's known so far.
    Window.move(topLeft);
}

bool PendingPlacement::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == &Window && event->type() == QEvent::Show && !Native) {
        Native = Window.windowHandle();
        if (!TopLeft)
            Apply();
        if (Native)
            Native->installEventFilter(this);
        else
            Finish();
    } else if (watched == Native && event->type() == QEvent::Expose && Native->isExposed()) {
        // Framed and on the screen: the frame is known now.
        Apply();
        Finish();
    }
    return false;
}

void PendingPlacement::Finish()
{
    Window.removeEventFilter(this);
    if (Native)
        Native->removeEventFilter(this);
    deleteLater();
}

} // namespace ostrel
