#include "filechangewatch.h"

#include <QFileInfo>

namespace ostrel {

FileChangeWatch::FileChangeWatch(QObject *parent) : QObject(parent)
{
    poll_.setInterval(PollMs);
    settle_.setSingleShot(true);
    settle_.setInterval(SettleMs);
    connect(&poll_, &QTimer::timeout, this, &FileChangeWatch::Look);
    connect(&settle_, &QTimer::timeout, this, &FileChangeWatch::Changed);
    connect(&notifications_, &QFileSystemWatcher::fileChanged, this, &FileChangeWatch::FileNotified);
    // A file created, renamed or removed in the folder: the file itself may
    // be new, and only the folder's watch sees it arrive. Other files of the
    // folder count only when the look finds this one changed.
    connect(&notifications_, &QFileSystemWatcher::directoryChanged, this, &FileChangeWatch::FolderNotified);
}

void FileChangeWatch::Watch(const QString &path)
{
    path_ = path;
    settle_.stop();
    if (!notifications_.files().isEmpty())
        notifications_.removePaths(notifications_.files());
    if (!notifications_.directories().isEmpty())
        notifications_.removePaths(notifications_.directories());
    if (path.isEmpty()) {
        poll_.stop();
        return;
    }
    const QFileInfo info(path);
    size_ = info.exists() ? info.size() : -1;
    modified_ = info.lastModified();
    Rearm();
    poll_.start();
}

bool FileChangeWatch::Look()
{
    if (path_.isEmpty())
        return false;
    const QFileInfo info(path_);
    const qint64 size = info.exists() ? info.size() : -1;
    const QDateTime modified = info.lastModified();
    if (size == size_ && modified == modified_)
        return false;
    size_ = size;
    modified_ = modified;
    if (!settle_.isActive())
        settle_.start();
    return true;
}

// A write that keeps the size within the time's resolution is a change all
// the same.
void FileChangeWatch::FileNotified()
{
    Rearm();
    if (!Look() && !settle_.isActive())
        settle_.start();
}

void FileChangeWatch::FolderNotified()
{
    Rearm();
    Look();
}

// Adding a path that is watched already fails harmlessly; one that does not
// exist yet is added once it does.
void FileChangeWatch::Rearm()
{
    const QFileInfo info(path_);
    if (info.exists() && !notifications_.files().contains(path_))
        notifications_.addPath(path_);
    const QString folder = info.absolutePath();
    if (!notifications_.directories().contains(folder))
        notifications_.addPath(folder);
}

} // namespace ostrel
