#include "droppedscript.h"

#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

namespace ostrel {

QString DroppedScript(const QMimeData *data)
{
    if (!data || !data->hasUrls())
        return {};
    const QUrl url = data->urls().value(0);
    if (!url.isLocalFile() || !QFileInfo(url.toLocalFile()).isFile())
        return {};
    return url.toLocalFile();
}

} // namespace ostrel
