#pragma once

#include <QString>

class QWidget;

namespace ostrel {

// The window's place and outer size, kept in the product-wide settings key
// under value names made of a prefix and "Top", "Left", "Height", "Width".
// A stored top of -1 means no stored position: RestoreWindowPosition returns
// false and the window is centred when it is shown. The restored bounds hold
// for the frame the window manager gives the window once it is on screen.
// The bounds saved for a maximised or minimised window are its normal ones;
// the size operations also keep whether it was maximised (prefix +
// "Maximized"), and a window restored so is maximised once it is on the
// screen, its normal bounds those stored.
// Reading a value that is not text throws SettingsTypeError.
bool RestoreWindowPosition(const QString &prefix, QWidget &window);
void RestoreWindowSize(const QString &prefix, QWidget &window);
bool SaveWindowPosition(const QString &prefix, const QWidget &window);
bool SaveWindowSize(const QString &prefix, const QWidget &window);

} // namespace ostrel
