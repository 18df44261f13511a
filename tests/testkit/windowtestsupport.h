#pragma once

#include <QColor>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <memory>
#include <ostream>

class QSettings;
class QSplitterHandle;
class QWidget;

// Readable values in failure messages and test names; beside Qt's types,
// where gtest looks for them.
void PrintTo(const QString &text, std::ostream *out);
void PrintTo(QSize size, std::ostream *out);
void PrintTo(QPoint point, std::ostream *out);
void PrintTo(const QRect &rect, std::ostream *out);
void PrintTo(const QColor &colour, std::ostream *out);

namespace ostrel {

// The store the window keeps its settings in, as the tests see it: the INI
// file in a temporary folder, or on Windows the registry's HKEY_CURRENT_USER
// (a scratch key for the whole test run). Keys are group paths below it.
std::unique_ptr<QSettings> SettingsStore();

// Empties the settings store.
void ForgetSettings();

// Delivers posted events, so that pending layouts and resizes are done.
void Settle();

// Shows a top-level window and waits until the platform has it on screen.
bool ShowAndWait(QWidget *window);

// Shows a top-level window, makes it the active one and waits for that.
bool ShowActiveAndWait(QWidget *window);

// Presses the left button on the handle's centre, moves the mouse by `by`
// and releases it there.
void DragSplitterHandle(QSplitterHandle *handle, QPoint by);

// Left-button press and move by `by` without the release.
void PressAndMoveSplitterHandle(QSplitterHandle *handle, QPoint by);
void ReleaseSplitterHandle(QSplitterHandle *handle, QPoint by);

// The colour of one pixel as the widget paints itself now.
QColor PixelAt(QWidget *widget, QPoint position);

} // namespace ostrel
