#pragma once

#include <QDateTime>
#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

namespace ostrel {

// Tells when one file changes. The file system's notifications come first;
// they are re-armed after every event, since writers and editors replace
// files and a replaced file drops out of the watch. A poll of the size and
// the modification time every PollMs catches what notifications miss
// (network shares, watch limits). Changes are coalesced: Changed() comes
// SettleMs after the first change seen, so a burst of writes is one update
// and there are at most 1000 / SettleMs a second. An idle file costs one
// look at its size and time per poll.
class FileChangeWatch : public QObject {
    Q_OBJECT

public:
    static constexpr int PollMs = 500;
    static constexpr int SettleMs = 250;

    explicit FileChangeWatch(QObject *parent = nullptr);

    // Watches path from now on; an empty path stops watching.
    void Watch(const QString &path);
    const QString &Path() const { return path_; }

    // Looks at the file now, as the poll does: true, with Changed() to
    // follow, when its size or time differs from the last look.
    bool Look();

signals:
    void Changed();

private:
    void FileNotified();
    void FolderNotified();
    void Rearm();

    QString path_;
    QFileSystemWatcher notifications_;
    QTimer poll_;
    QTimer settle_;
    qint64 size_ = -1;  // -1 while the file is missing
    QDateTime modified_;
};

} // namespace ostrel
