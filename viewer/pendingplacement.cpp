#include "pendingplacement.h"

#include <QEvent>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <utility>

namespace ostrel {

QMargins WindowFrame(const QWidget &window)
{
    const QWindow *native = window.windowHandle();
    return native ? native->frameMargins() : QMargins();
}

namespace {

// Where the window keeps the frame it had when last shown in its normal state.
constexpr char NormalFrameProperty[] = "ostrelNormalFrame";

// Runs an action once a native window is first exposed.
class ExposeWatcher : public QObject
{
public:
    ExposeWatcher(QWindow &native, std::function<void()> action)
        : QObject(&native), action_(std::move(action))
    {
        native.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Expose && static_cast<QWindow *>(watched)->isExposed()) {
            // Not from inside the expose: the action may run a modal loop.
            QMetaObject::invokeMethod(watched, std::move(action_), Qt::QueuedConnection);
            watched->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }

private:
    std::function<void()> action_;
};

} // namespace

QMargins NormalWindowFrame(const QWidget &window)
{
    const QVariant normal = window.property(NormalFrameProperty);
    return normal.isValid() ? normal.value<QMargins>() : WindowFrame(window);
}

void WhenOnScreen(QWidget &window, std::function<void()> action)
{
    QWindow *native = window.windowHandle();
    if (!native || native->isExposed())
        QMetaObject::invokeMethod(&window, std::move(action), Qt::QueuedConnection);
    else
        new ExposeWatcher(*native, std::move(action));
}

PendingPlacement &PendingPlacement::Of(QWidget &window)
{
    if (auto *placement = window.findChild<PendingPlacement *>(QString(), Qt::FindDirectChildrenOnly))
        return *placement;
    return *new PendingPlacement(window);
}

PendingPlacement::PendingPlacement(QWidget &window) : QObject(&window), window_(window)
{
    window_.installEventFilter(this);
}

// Both are applied at once as well, so that the window lays itself out with
// its size from the start and reads back what was asked for.
void PendingPlacement::SetTopLeft(QPoint topLeft)
{
    topLeft_ = topLeft;
    Apply();
}

void PendingPlacement::SetOuterSize(QSize size)
{
    outerSize_ = size;
    Apply();
}

void PendingPlacement::SetMaximized(bool maximized)
{
    maximized_ = maximized;
}

void PendingPlacement::Apply()
{
    const QMargins frame = WindowFrame(window_);
    if (outerSize_) {
        const QSize minimum = window_.minimumSize();
        window_.resize(std::max(outerSize_->width() - frame.left() - frame.right(), minimum.width()),
                      std::max(outerSize_->height() - frame.top() - frame.bottom(), minimum.height()));
    }
    QPoint topLeft;
    if (topLeft_) {
        topLeft = *topLeft_;
    } else if (QScreen *screen = window_.screen(); screen && window_.windowHandle()) {
        QRect outer(QPoint(), window_.size().grownBy(frame));
        outer.moveCenter(screen->availableGeometry().center());
        topLeft = outer.topLeft();
    } else {
        return;  // centred once it is shown
    }
    // Before the native window exists Qt takes the position as the frame's;
    // once it exists, as the frame's known so far.
    window_.move(topLeft);
}

bool PendingPlacement::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == &window_ && event->type() == QEvent::Show && !native_) {
        native_ = window_.windowHandle();
        if (!topLeft_)
            Apply();
        if (native_)
            native_->installEventFilter(this);
        else
            Finish();
    } else if (watched == native_ && event->type() == QEvent::Expose && native_->isExposed()) {
        // Framed and on the screen: the frame is known now.
        Apply();
        Finish();
    }
    return false;
}

void PendingPlacement::Finish()
{
    if (native_ && native_->isExposed() && !window_.isMaximized() && !window_.isMinimized())
        window_.setProperty(NormalFrameProperty, QVariant::fromValue(WindowFrame(window_)));
    if (maximized_)
        window_.setWindowState(window_.windowState() | Qt::WindowMaximized);
    window_.removeEventFilter(this);
    if (native_)
        native_->removeEventFilter(this);
    deleteLater();
}

} // namespace ostrel
