#pragma once

#include "commandline.h"
#include "gotodialog.h"
#include "replaysession.h"

#include <QIcon>
#include <QList>
#include <QMainWindow>
#include <QStringList>

#include <memory>
#include <optional>
#include <string>
#include <vector>

class QFileDialog;
class QFrame;
class QItemSelection;
class QLabel;
class QPlainTextEdit;
class QScrollArea;
class QSlider;
class QStatusBar;
class QTimer;

namespace ostrel {

class FindBar;
class MapCamera;
class MapImage;
class MapZoomer;
class OverviewStrip;
class PaneSplitter;
class FollowedBattleFilter;
class LiveIndicator;
class ReportListView;
class ScriptWatch;
class ToolBarButton;
class ViewerActions;

// The viewer's main window. Every control is a named member, in its initial
// state once the constructor returns: Open and End enabled, the other
// buttons and the slider disabled, the timer stopped, the list, the digest
// and the map empty. Each control event is wired to the handler named after
// the control and the event. Sizes are client-area pixels.
//
// From top to bottom: the title strip, the map pane (map on the left, battle
// list on the right), the digest, the toolbar with the position slider,
// the overview strip when it is on, and the status bar. A wider window
// widens only the map's scroll box; a taller one heightens only the digest.
// The status bar reads the position, the turn and the zoom, and at the end
// who won; beside it the live indicator tells of the open file's growth.
// The open file is watched: what the game appends appears within a second,
// and the slider follows the live end while it stands at its end.
//
// The window is a front end to its replay session, which holds the replay
// and the playback state: each handler passes its event to the session, and
// every change of the session is shown at once on the controls, the map, the
// digest and the battle list. The window itself shows the loader's messages.
class TFormView : public QMainWindow
{
    Q_OBJECT

public:
    // startup: what the command line asks; its script is opened when the
    // window is first shown, then the moment it names is shown.
    explicit TFormView(StartupArguments startup = {}, QWidget *parent = nullptr);
    ~TFormView() override;

    // Height of PanelMap and width of ListViewBattle as laid out. The setters
    // keep the panes within their minimums (60 for the map, 100 for the list).
    int MapHeight() const;
    void SetMapHeight(int height);
    int ListWidth() const;
    void SetListWidth(int width);

    // The overview strip on or off. Turning it on makes the window taller by
    // the strip's height, and turning it off gives that height back, so no
    // other pane changes size.
    void ShowOverview(bool on);
    bool OverviewShown() const { return overviewShown_; }

    // Posts the window's private reselect message. It is delivered to
    // ReselectBattleRow once the event being handled now is over.
    void PostReselectBattleRow();

    QFrame *PanelTop;
    QLabel *ImageBar;
    QLabel *LabelTitle;
    QLabel *Version;
    QWidget *PanelMap;
    ReportListView *ListViewBattle;
    // Between the session's battle rows and ListViewBattle: the followed
    // entrant's battles only, while Actions->FollowedBattlesOnly is checked.
    FollowedBattleFilter *BattleFilter;
    PaneSplitter *SplitterVert;
    QScrollArea *ScrollBoxBr;
    MapImage *ImageBr;
    PaneSplitter *SplitterHoriz;
    QStatusBar *StatusBar1;
    QWidget *ToolBarLog;
    ToolBarButton *ToolButtonOpen;
    QFrame *ToolButtonSp2;
    ToolBarButton *ToolButtonPlay;
    ToolBarButton *ToolButtonFwd;
    ToolBarButton *ToolButtonPause;
    QFrame *ToolButtonSp1;
    ToolBarButton *ToolButtonQuit;
    ToolBarButton *ToolButtonEnd;
    QFrame *ToolButtonSp3;
    QSlider *TrackBarProgress;
    QPlainTextEdit *RichEditDigest;
    QList<QIcon> ImageListLog;
    QFileDialog *OpenDialogScript;
    QTimer *TimerPlay;
    // The keyboard shortcuts.
    ViewerActions *Actions;
    // The map's zoom.
    MapZoomer *Zoomer;
    // The whole tournament at a glance, under the toolbar; hidden until
    // ShowOverview(true).
    OverviewStrip *Overview;
    // The status bar's text.
    QLabel *LabelStatus;
    // Beside it: whether the open file grows, how far the view is behind
    // its live end, and what became of the file; a click goes to the end.
    LiveIndicator *LabelLive;
    // Finds entrants; over the top of ScrollBoxBr, hidden until asked for.
    FindBar *FindBarMap;
    // Keeps the followed entrant, or else the fight, in the map pane.
    MapCamera *Camera;

    // The replay and its playback state.
    ReplaySession Session;
    // Watches the file of the tournament loaded and takes in its growth.
    ScriptWatch *Watch;
    int LastDeselectedRow = 0;

    // Open after the dialog: the session opens the file, then the window
    // shows the loader's messages; a path that names no file that can be
    // read is reported by ShowCannotOpen. True when the file's tournament is
    // loaded.
    bool OpenScript(const QString &path);
    // A file dropped on the window: Open without the dialog (the Pause
    // steps, then the load as OpenScript does it).
    void OpenDroppedScript(const QString &path);
    int CurrentPosition() const { return Session.CurrentPosition(); }
    // Follows the entrant and takes the map's camera to it.
    void FollowEntrant(int entrant);
    // The followed entrant's trail: its whole path, or its last cells.
    bool WholeTrail() const { return wholeTrail_; }
    void SetWholeTrail(bool whole);

    // Runs as the constructor's last step, once every control exists.
    void FormCreate();
    // Runs once, when the window is about to be shown for the first time.
    virtual void FormShow();
    // Runs whenever the window is closed, by any means.
    virtual void FormClose();
    virtual void ToolButtonOpenClick();
    virtual void ToolButtonPlayClick();
    virtual void ToolButtonFwdClick();
    virtual void ToolButtonPauseClick();
    virtual void ToolButtonQuitClick();
    virtual void ToolButtonEndClick();
    // The slider's position changed, by the user or by the program.
    virtual void TrackBarProgressChange();
    virtual void TimerPlayTimer();
    // One call per row of ListViewBattle that became deselected (first) or
    // selected. Rows are battles (row i shows battle i), also while the list
    // shows only the followed entrant's battles; so is LastDeselectedRow.
    virtual void ListViewBattleSelectItem(int row, bool selected);
    virtual void ReselectBattleRow();
    // Go to: asks for a position or a turn and moves the slider there, as a
    // drag would; nothing while the slider is disabled.
    void GoToClick();
    // Export clip: asks for a stretch of the replay and how to show it, then
    // writes it on a copy of the replay while this one goes on. Nothing
    // before a tournament is loaded or where clips are not built in.
    void ExportClipClick();

protected:
    // The file the user picks in OpenDialogScript; empty when cancelled.
    virtual QString AskForScriptFile();
    // Each in a message box; ends the program when memory ran out.
    virtual void ShowLoaderMessages(const LoadResult &result);
    // Says that the file at path is missing or cannot be read.
    virtual void ShowCannotOpen(const QString &path);
    // The target Go to asks for; nullopt when the user cancels.
    virtual std::optional<GoToRequest> AskGoTo();

    bool event(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void BuildTitleStrip();
    void BuildMapPane();
    void BuildDigest();
    void BuildToolBar();
    void BuildOpenDialog();
    void WireEvents();
    ToolBarButton *AddToolButton(int left, int image, const QString &caption, const QString &hint,
                                 bool showHint);
    QFrame *AddToolSeparator(int left);
    void ReportSelectionChange(const QItemSelection &selected, const QItemSelection &deselected);
    void ShowVersion();
    void ShowBattleListMenu(QPoint position);
    void ShowMapMenu(QPoint position);
    void ApplyBattleListFilter();
    // Shows what loading the file at path gave; true when it succeeded.
    bool ReportLoad(const QString &path, const LoadResult &result);
    // Sets the controls, the digest and the map from the session.
    void SyncWithSession();
    void ShowMap();
    void ShowStatus();
    void ShowLive();
    void ShowFollowOverlay();
    // A replaced file was loaded anew by the watch: what a load rebuilds.
    void WatchReloaded(const LoadResult &result);

    StartupArguments startup_;
    bool formShown_ = false;
    QSize mapSizeShown_;
    std::vector<std::string> digestShown_;
    bool overviewShown_ = false;
    bool wholeTrail_ = false;
};

} // namespace ostrel
