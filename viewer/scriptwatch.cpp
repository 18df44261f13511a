#include "scriptwatch.h"

#include <QFile>
#include <QFileInfo>

namespace ostrel {

namespace {

constexpr qint64 HeadBytes = 4096;

QByteArray HeadOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.read(HeadBytes) : QByteArray();
}

} // namespace

ScriptWatch::ScriptWatch(ReplaySession &session, QObject *parent) : QObject(parent), session_(session)
{
    stall_.setSingleShot(true);
    stall_.setInterval(StallMs);
    noteExpiry_.setSingleShot(true);
    noteExpiry_.setInterval(ReloadNoteMs);
    connect(&files_, &FileChangeWatch::Changed, this, &ScriptWatch::TakeIn);
    connect(&stall_, &QTimer::timeout, this, [this] {
        stalled_ = true;
        emit Updated();
    });
    connect(&noteExpiry_, &QTimer::timeout, this, [this] { SetNote(Note::None); });
}

void ScriptWatch::Watch(const QString &path)
{
    path_ = path;
    loadedSize_ = QFileInfo(path).size();
    loadedHead_ = HeadOf(path);
    stalled_ = false;
    stall_.stop();
    noteExpiry_.stop();
    note_ = Note::None;
    files_.Watch(path);
    emit Updated();
}

bool ScriptWatch::Live() const
{
    return session_.Watching() && !session_.LiveEnded();
}

void ScriptWatch::Release()
{
    if (--holds_ == 0 && changedWhileHeld_) {
        changedWhileHeld_ = false;
        TakeIn();
    }
}

void ScriptWatch::TakeIn()
{
    if (path_.isEmpty())
        return;
    if (holds_ > 0) {
        changedWhileHeld_ = true;
        return;
    }
    if (!session_.Watching()) {
        StartLive();
        return;
    }
    const ReplaySession::LiveTake take = session_.TakeInAppended();
    switch (take.What) {
    case ReplaySession::Growth::Waiting:
        SetNote(Note::Waiting);
        break;
    case ReplaySession::Growth::Unchanged:
        // The file is back as it was.
        if (note_ == Note::Missing || note_ == Note::Unreadable)
            SetNote(Note::None);
        break;
    case ReplaySession::Growth::Grown:
        Grew();
        break;
    case ReplaySession::Growth::Reloaded:
        Reload(take.Load);
        break;
    case ReplaySession::Growth::Unreadable:
        NoteUnreadable();
        break;
    }
}

// The session reads the file once more as a live reader. Open took in a last
// line without a line end; the live reader holds it until its end comes.
void ScriptWatch::StartLive()
{
    if (!QFileInfo::exists(path_)) {
        SetNote(Note::Missing);
        return;
    }
    const bool replaced = Replaced();
    const int position = session_.SliderPosition();
    const bool atEnd = position == session_.SliderMax();
    const int period = session_.Playing() ? session_.TimerInterval() : 0;
    const std::optional<LoadResult> load = session_.OpenLive(path_);
    if (!load) {
        SetNote(Note::Waiting);
        return;
    }
    if (load->Outcome == LoadResult::NotOpened) {
        NoteUnreadable();
        return;
    }
    if (replaced || !load->Succeeded()) {
        Reload(*load);
        return;
    }
    session_.SetSliderPosition(atEnd ? session_.SliderMax() : position);
    if (period != 0)
        session_.Click(period == ReplaySession::FastPeriod ? ReplaySession::Button::Fwd
                                                           : ReplaySession::Button::Play);
    Grew();
}

void ScriptWatch::Grew()
{
    stalled_ = false;
    stall_.start();
    // A reload's note stays its time although the new file grows at once.
    if (note_ != Note::Reloaded)
        note_ = Note::None;
    emit Updated();
}

void ScriptWatch::Reload(const LoadResult &result)
{
    reloadMessage_ = result.Messages.empty() ? 0 : result.Messages.front();
    stalled_ = false;
    stall_.start();
    SetNote(result.Succeeded() ? Note::Reloaded : Note::ReloadFailed);
    if (result.Succeeded())
        noteExpiry_.start();
    emit Reloaded(result);
}

void ScriptWatch::NoteUnreadable()
{
    SetNote(QFileInfo::exists(path_) ? Note::Unreadable : Note::Missing);
}

void ScriptWatch::SetNote(Note note)
{
    note_ = note;
    emit Updated();
}

bool ScriptWatch::Replaced() const
{
    return QFileInfo(path_).size() < loadedSize_ || HeadOf(path_).left(loadedHead_.size()) != loadedHead_;
}

} // namespace ostrel
