#pragma once

#include <QString>

class QMimeData;

namespace ostrel {

// The script file that dropped data names: the first of its URLs, when that
// is a local file (not a folder). Empty when there is none.
QString DroppedScript(const QMimeData *data);

} // namespace ostrel
