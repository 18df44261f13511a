#include "windowplacement.h"

#include "pendingplacement.h"
#include "registrysettings.h"

#include <QWidget>

namespace ostrel {

namespace {

// The outer bounds the window has, or would have if it were neither
// maximised nor minimised: then with the frame of its normal state.
QRect NormalOuterBounds(const QWidget &window)
{
    if (window.isMaximized() || window.isMinimized())
        return window.normalGeometry().marginsAdded(NormalWindowFrame(window));
    return window.geometry().marginsAdded(WindowFrame(window));
}

} // namespace

bool RestoreWindowPosition(const QString &prefix, QWidget &window)
{
    // Centred unless a position is read, also when reading fails.
    PendingPlacement &placement = PendingPlacement::Of(window);
    const int top = RegistrySettings::Read(ViewerSettings::Placement(prefix, "Top"));
    const int left = RegistrySettings::Read(ViewerSettings::Placement(prefix, "Left"));
    if (top == -1)
        return false;
    // The left edge is used as read, also when only the top was stored.
    placement.SetTopLeft(QPoint(left, top));
    return true;
}

void RestoreWindowSize(const QString &prefix, QWidget &window)
{
    const int height = RegistrySettings::Read(ViewerSettings::Placement(prefix, "Height"));
    const int width = RegistrySettings::Read(ViewerSettings::Placement(prefix, "Width"));
    const bool maximized = RegistrySettings::Read(ViewerSettings::Maximized(prefix)) == 1;
    PendingPlacement &placement = PendingPlacement::Of(window);
    placement.SetMaximized(maximized);
    if (height != -1)
        placement.SetOuterSize(QSize(width, height));
}

bool SaveWindowPosition(const QString &prefix, const QWidget &window)
{
    const QRect bounds = NormalOuterBounds(window);
    const bool top = RegistrySettings::Write(ViewerSettings::Placement(prefix, "Top"), bounds.top());
    const bool left = RegistrySettings::Write(ViewerSettings::Placement(prefix, "Left"), bounds.left());
    return top && left;
}

bool SaveWindowSize(const QString &prefix, const QWidget &window)
{
    const QRect bounds = NormalOuterBounds(window);
    const bool height = RegistrySettings::Write(ViewerSettings::Placement(prefix, "Height"), bounds.height());
    const bool width = RegistrySettings::Write(ViewerSettings::Placement(prefix, "Width"), bounds.width());
    const bool maximized = RegistrySettings::Write(ViewerSettings::Maximized(prefix), window.isMaximized() ? 1 : 0);
    return height && width && maximized;
}

} // namespace ostrel
