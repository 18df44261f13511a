#pragma once

#include "arenagrid.h"
#include "battlelist.h"
#include "loaderhost.h"
#include "replaymodel.h"
#include "replayview.h"
#include "stepengine.h"

#include <QIcon>
#include <QList>
#include <QMainWindow>

#include <memory>

class QFileDialog;
class QFrame;
class QItemSelection;
class QLabel;
class QPlainTextEdit;
class QScrollArea;
class QSlider;
class QStatusBar;
class QTimer;
class QTreeWidgetItem;
class BattleListView;
class MapImage;
class PaneSplitter;
class ReportListView;
class ToolBarButton;

// The viewer's main window. Every control is a named member, in its initial
// state once the constructor returns: Open and End enabled, the other
// buttons and the slider disabled, the timer stopped, the list, the digest
// and the map empty. Each control event is wired to the handler named after
// the control and the event. Sizes are client-area pixels.
//
// From top to bottom: the title strip, the map pane (map on the left, battle
// list on the right), the digest, the toolbar with the position slider and
// the status bar. A wider window widens only the map's scroll box; a taller
// one heightens only the digest.
//
// The window is the hub of the viewer: it owns the replay model, the arena
// grid that holds the map and the step engine, shows the loader's messages
// and is the view the engine draws the replay into. The playback state is the
// flag Playing together with the Enabled flags of the controls.
class TFormView : public QMainWindow, public LoaderHost, public ReplayView
{
    Q_OBJECT

public:
    explicit TFormView(QWidget *parent = nullptr);
    ~TFormView() override;

    // Height of PanelMap and width of ListViewBattle as laid out. The setters
    // keep the panes within their minimums (60 for the map, 100 for the list).
    int MapHeight() const;
    void SetMapHeight(int height);
    int ListWidth() const;
    void SetListWidth(int width);

    // Posts the window's private reselect message. It is delivered to
    // ReselectBattleRow once the event being handled now is over.
    void PostReselectBattleRow();

    QFrame *PanelTop;
    QLabel *ImageBar;
    QLabel *LabelTitle;
    QLabel *Version;
    QWidget *PanelMap;
    ReportListView *ListViewBattle;
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

    // The loaded tournament and what shows it.
    ReplayModel Model;
    ArenaGrid Grid;
    StepEngine Engine{Model, Grid, *this};
    bool Playing = false;
    bool SeekBusy = false;
    int LastDeselectedRow = 0;

    // Loads a script file into Model; true when it now holds the file's
    // tournament. The caller then rebuilds the map and enables the controls.
    bool LoadScript(const QString &path);
    // Load, then on success rebuild the grid, draw the map and enable the
    // controls: what the Open button and the start-up do.
    bool OpenScript(const QString &path);
    // Draws the map of the grid in full and shows it.
    void CreateMapBitmap();
    void SetMapScrollRanges();
    // Enables Play, Fwd, Quit and the slider (or disables them) and sets the
    // slider's maximum to the number of steps + 1.
    void EnableControls(bool on);
    bool SeekTo(int target) { return Engine.SeekTo(target); }
    int CurrentPosition() const { return Engine.CurrentPosition(); }

    // LoaderHost
    void ResetToStart() override { Engine.ResetToStart(); }
    void ReleaseModelReferences() override;
    void ShowLoaderMessage(int id) override;
    [[noreturn]] void MemoryFailure() override;

    // ReplayView
    void ClearDigest() override;
    void AppendDigestLine(std::string_view line) override;
    void PresentMap() override;
    void RepaintMapNow() override;
    void RefreshBattleList(int position, const ReplayStep *reference) override;
    void ClearBattleList() override;
    void StopPlaying() override { Playing = false; }
    void SetSliderPosition(int position) override;
    int SliderMax() const override;

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
    // selected.
    virtual void ListViewBattleSelectItem(QTreeWidgetItem *item, bool selected);
    virtual void ReselectBattleRow();

protected:
    // The file the user picks in OpenDialogScript; empty when cancelled.
    virtual QString AskForScriptFile();

    bool event(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

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
    void SetPlayButtons(bool play, bool fwd, bool pause);

    bool FormShown = false;
    bool CentreOnShow = true;
    std::unique_ptr<BattleListView> BattleList;
    BattleListMemo BattleListShown;
};
