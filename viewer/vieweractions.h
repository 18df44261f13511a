#pragma once

#include <QObject>

class QAction;
class QSlider;

namespace ostrel {

class TFormView;

// The window's keyboard shortcuts, as actions of the window, so that they
// work wherever the focus is inside it. Each goes through the same handler or
// session action as the control it stands for, and is disabled while that
// control is: Sync() follows the session.
//
// The focused slider keeps its own keys (the arrows, the page keys, Home and
// End): they move it by the slider's steps, without pausing. Up and PageUp
// move it toward the start, Down and PageDown toward the end, as on the
// platform's track bar. Held with Alt they are the window's and never move
// the slider, also while the window's action is disabled.
class ViewerActions : public QObject {
    Q_OBJECT

public:
    explicit ViewerActions(TFormView &form);

    // Sets the Enabled flags from the session's controls.
    void Sync();

    QAction *PlayPause;       // Space: Pause while playing, otherwise Play
    QAction *StepBack;        // Left: one position back, paused first
    QAction *StepForward;     // Right
    QAction *PreviousBattle;  // Ctrl+Left: the nearest battle start before the position
    QAction *NextBattle;      // Ctrl+Right
    QAction *First;           // Home: position 0
    QAction *Last;            // End: the end position
    QAction *Open;            // Ctrl+O: the Open button
    QAction *Fast;            // F: the Fwd button
    QAction *Close;           // Ctrl+Q: the End button
    QAction *ZoomIn;          // Ctrl+= (or Ctrl++): the map one step closer
    QAction *ZoomOut;         // Ctrl+-: one step farther, down to the whole arena
    QAction *ZoomReset;       // Ctrl+0: the map at 100 %
    // The entrant followed; while nobody is, the three moves are disabled.
    QAction *NextFollowedBattle;      // Alt+Right: the start of its next battle
    QAction *PreviousFollowedBattle;  // Alt+Left: the start of its previous battle
    QAction *FollowedExit;            // Alt+End: the position where it went out
    QAction *FollowedBattlesOnly;     // Alt+B, checkable: the battle list shows only its battles
    QAction *GoTo;            // Ctrl+G: a position or a turn, asked for
    QAction *ShowOverview;    // Ctrl+T: the overview strip on or off (checked while on)
    QAction *Find;            // Ctrl+F: the find bar over the map
    QAction *StopFollowing;   // Esc (the open find bar takes it first)
    QAction *Recentre;        // Ctrl+L: the camera back on the followed entrant
    QAction *ExportClip;      // Ctrl+E: Export clip (hidden where clips are not built in)

    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QAction *Add(const QList<QKeySequence> &keys, void (ViewerActions::*handler)());
    static bool IsSliderKey(int key);
    void OnPlayPause();
    void OnStepBack();
    void OnStepForward();
    void OnPreviousBattle();
    void OnNextBattle();
    void OnFirst();
    void OnLast();
    void OnOpen();
    void OnFast();
    void OnClose();
    void OnZoomIn();
    void OnZoomOut();
    void OnZoomReset();
    void OnNextFollowedBattle();
    void OnPreviousFollowedBattle();
    void OnFollowedExit();
    void OnGoTo();
    void OnShowOverview(bool on);
    void OnFind();
    void OnStopFollowing();
    void OnRecentre();
    void OnExportClip();

    TFormView &form_;
    // Compared against in eventFilter, which may still be called while the
    // window is being destroyed, when its members may no longer be read.
    const QObject *const slider_;
};

} // namespace ostrel
