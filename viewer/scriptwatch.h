#pragma once

#include "filechangewatch.h"
#include "replaysession.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>

namespace ostrel {

// Keeps the session's tournament in step with its file while the game
// writes it. Open loads a file as it always has; Watch() then watches it,
// and the first change seen turns the session into a live reader of it
// (read once more, whole lines only, the position and playback kept as they
// were, or moved to the new end when the slider stood at its end). From
// then on each change takes in only what was appended.
//
// A replaced file (shorter than what was loaded, or other first bytes) is
// loaded anew as Open does and announced by Reloaded(), with no message
// box; a file that is gone or cannot be read keeps the tournament shown;
// a file too short to load yet is waited for. Each of these leaves a Note.
class ScriptWatch : public QObject {
    Q_OBJECT

public:
    static constexpr int StallMs = 10000;      // no growth this long: the file stalled
    static constexpr int ReloadNoteMs = 5000;  // how long a reload's note stays

    enum class Note { None, Reloaded, ReloadFailed, Missing, Unreadable, Waiting };

    explicit ScriptWatch(ReplaySession &session, QObject *parent = nullptr);

    // A file was loaded by Open: watches it from what was loaded.
    void Watch(const QString &path);
    // Takes in what the file holds now. The watch calls it on each change
    // (coalesced); tests call it instead of waiting.
    void TakeIn();
    // While a Held lives, changes wait and are taken in together when it
    // ends: a worker thread is reading the tournament's steps.
    class Held {
    public:
        explicit Held(ScriptWatch &watch) : watch_(watch) { ++watch_.holds_; }
        ~Held() { watch_.Release(); }
        Held(const Held &) = delete;
        Held &operator=(const Held &) = delete;

    private:
        ScriptWatch &watch_;
    };
    FileChangeWatch &Files() { return files_; }

    // The file has grown since it was opened, and its events' End line has
    // not been read.
    bool Live() const;
    // Live, and no growth for StallMs.
    bool Stalled() const { return Live() && stalled_; }
    Note CurrentNote() const { return note_; }
    // The loader's first message about the last reload, 0 for none.
    int ReloadMessage() const { return reloadMessage_; }

signals:
    // A replaced file was loaded anew (or failed to load).
    void Reloaded(const LoadResult &result);
    // The note, the live state or the stall changed.
    void Updated();

private:
    void Release();
    void StartLive();
    void Grew();
    void Reload(const LoadResult &result);
    void SetNote(Note note);
    void NoteUnreadable();
    bool Replaced() const;

    ReplaySession &session_;
    FileChangeWatch files_;
    QTimer stall_;
    QTimer noteExpiry_;
    QString path_;
    // What Open loaded: a file shorter than that, or with other first
    // bytes, is another file.
    qint64 loadedSize_ = 0;
    QByteArray loadedHead_;
    bool stalled_ = false;
    int holds_ = 0;
    bool changedWhileHeld_ = false;
    Note note_ = Note::None;
    int reloadMessage_ = 0;
};

} // namespace ostrel
