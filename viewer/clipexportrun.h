#pragma once

#include "clipexport.h"

#include <memory>

class QWidget;

namespace ostrel {

class ReplayCopy;

// Writes a clip on a worker thread behind a progress dialog (positions done,
// the time left, Cancel), and returns its outcome once the worker is done.
// The dialog is modal to the window, which meanwhile goes on painting and
// playing: the clip is made on the copy alone.
ClipOutcome RunClipExport(QWidget *parent, std::unique_ptr<ReplayCopy> replay, const ClipRequest &request,
                          const QString &path);

} // namespace ostrel
