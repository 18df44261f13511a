#include "tformview.h"

#include "applicationerror.h"
#include "battlelist.h"
#include "battlelistmenu.h"
#include "battlelistview.h"
#include "commandline.h"
#include "completionpopupguard.h"
#ifdef OSTREL_HAS_CLIP
#include "clipdialog.h"
#include "clipexportrun.h"
#include "replaycopy.h"
#endif
#include "droppedscript.h"
#include "findbar.h"
#include "followedbattlefilter.h"
#include "fontfaces.h"
#include "gotodialog.h"
#include "liveindicator.h"
#include "mapcamera.h"
#include "mapimage.h"
#include "mapmenu.h"
#include "mapzoomer.h"
#include "overviewstrip.h"
#include "panesplitter.h"
#include "pendingplacement.h"
#include "positionstatus.h"
#include "registrysettings.h"
#include "reportlistview.h"
#include "scriptwatch.h"
#include "sjisdecoder.h"
#include "stringtable.h"
#include "toolbarbutton.h"
#include "uitext.h"
#include "vieweractions.h"
#include "versiondata.h"
#include "versioninfo.h"
#include "windowplacement.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QScreen>
#include <QScrollBar>
#include <QFrame>
#include <QHBoxLayout>
#include <QItemSelection>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QSlider>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

#include <cstdlib>
#include <initializer_list>
#include <optional>

namespace ostrel {

namespace {

// The window's one private message. It keeps the offset it has on Windows,
// where it is WM_APP + 402.
constexpr auto ReselectBattleRowEvent = static_cast<QEvent::Type>(QEvent::User + 402);

// The design window is 480 × 465 outside and 472 × 438 inside; its smallest
// outer size, 459 × 465, is turned into a client size on the assumption that
// the frame keeps those 8 × 27 pixels.
constexpr QSize DesignClientSize(472, 438);
constexpr QSize MinimumClientSize(459 - 8, 465 - 27);

constexpr int TitleStripHeight = 25;
constexpr int SplitterThickness = 5;
constexpr int ToolBarHeight = 36;
constexpr int StatusBarHeight = 20;
constexpr int DesignMapHeight = 216;
constexpr int DesignListWidth = 250;
constexpr int MinimumMapHeight = 60;
constexpr int MinimumDigestHeightWhileDragging = 60;
constexpr int MinimumPaneWidth = 100;

constexpr QSize ToolButtonSize(37, 36);
constexpr int ToolSeparatorWidth = 8;
constexpr QSize ToolImageSize(30, 30);
constexpr int ToolImageCount = 9;

const QColor TitleTextColor(0, 0, 128);

constexpr int DesignTickInterval = 10;

// The slider marks every tenth position; past 50 marks in its 200 pixels
// they would run together into a bar (and cost a line each to draw), so the
// interval then grows with the range, in tens.
int TickIntervalFor(int maximum)
{
    constexpr int MostTicks = 50;
    const int ticks = maximum / DesignTickInterval;
    return ticks <= MostTicks ? DesignTickInterval : DesignTickInterval * ((ticks + MostTicks - 1) / MostTicks);
}

QFont PixelFont(const char *face, int pixelSize, QFont::StyleHint hint)
{
    QFont font(QString::fromUtf8(face));
    font.setPixelSize(pixelSize);
    font.setStyleHint(hint);
    return font;
}

QLabel *TitleLabel(const QString &text, QPoint position, int pixelSize, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    QFont font = PixelFont(TitleSerifFace, pixelSize, QFont::Serif);
    font.setBold(true);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, TitleTextColor);
    label->setPalette(palette);
    label->move(position);
    label->adjustSize();
    return label;
}

// A message of the loader: modal over the whole application, OK only.
void ShowLoaderBox(QWidget *window, QMessageBox::Icon icon, const QString &text)
{
    QMessageBox box(icon, UiText(IdsLoaderCaption), text, QMessageBox::Ok, window);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

// A splitter between two panes, of which only the stretching one grows and
// shrinks with the window.
PaneSplitter *NewSplitter(Qt::Orientation orientation, QWidget *first, QWidget *second, int stretching)
{
    auto *splitter = new PaneSplitter(orientation, nullptr);
    splitter->setHandleWidth(SplitterThickness);
    splitter->addWidget(first);
    splitter->addWidget(second);
    splitter->setStretchFactor(stretching, 1);
    splitter->setStretchFactor(1 - stretching, 0);
    return splitter;
}

} // namespace

TFormView::TFormView(StartupArguments startup, QWidget *parent) : QMainWindow(parent), startup_(std::move(startup))
{
    setWindowIcon(QIcon(QStringLiteral(":/images/view.png")));
    setFont(PixelFont(ProportionalGothicFace, 12, QFont::SansSerif));
    for (int image = 0; image < ToolImageCount; ++image)
        ImageListLog << QIcon(QStringLiteral(":/images/toolbar%1.png").arg(image));

    auto *client = new QWidget(this);
    auto *column = new QVBoxLayout(client);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    setCentralWidget(client);

    BuildTitleStrip();
    BuildMapPane();
    BuildDigest();
    BuildToolBar();
    column->addWidget(PanelTop);
    column->addWidget(SplitterHoriz, 1);
    column->addWidget(ToolBarLog);
    Overview = new OverviewStrip(Session);
    Overview->hide();
    column->addWidget(Overview);

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setFixedHeight(StatusBarHeight);
    StatusBar1->setSizeGripEnabled(true);
    setStatusBar(StatusBar1);
    // A label of its own, so that the status tips of menus never wipe it.
    LabelStatus = new QLabel;
    StatusBar1->addWidget(LabelStatus, 1);
    LabelLive = new LiveIndicator;
    StatusBar1->addPermanentWidget(LabelLive);
    Watch = new ScriptWatch(Session, this);

    BuildOpenDialog();
    TimerPlay = new QTimer(this);
    TimerPlay->setInterval(500);
    BattleFilter = new FollowedBattleFilter(this);
    ShowBattleRows(*ListViewBattle, Session, *BattleFilter);
    Zoomer = new MapZoomer(*ScrollBoxBr, *ImageBr, this);
    Camera = new MapCamera(*ScrollBoxBr, *ImageBr, this);
    Actions = new ViewerActions(*this);
    setAcceptDrops(true);

    setMinimumSize(MinimumClientSize);
    resize(DesignClientSize);
    SetMapHeight(DesignMapHeight);
    SetListWidth(DesignListWidth);

    WireEvents();
    ShowVersion();
    FormCreate();
}

TFormView::~TFormView() = default;

// Without version data the label keeps its design text "Version" and the
// caption names the viewer without a version.
void TFormView::ShowVersion()
{
    VersionInfo info(OSTREL_VERSION_FILE);
    const std::optional<QString> version = info.GetFileVersion();
    if (!version) {
        setWindowTitle(QStringLiteral("OstrelScirpt ビューアー"));
        return;
    }
    Version->setText(QStringLiteral("Version %1").arg(*version));
    Version->adjustSize();
    setWindowTitle(QStringLiteral("OstrelScirpt ビューアー Ver.%1").arg(*version));
}

void TFormView::BuildTitleStrip()
{
    // A lowered outer and a raised inner bevel of one pixel each: the etched
    // look that QFrame draws as a sunken box.
    PanelTop = new QFrame;
    PanelTop->setFrameStyle(QFrame::Box | QFrame::Sunken);
    PanelTop->setLineWidth(1);
    PanelTop->setMidLineWidth(0);
    PanelTop->setFixedHeight(TitleStripHeight);

    ImageBar = new QLabel(PanelTop);
    ImageBar->setPixmap(QPixmap(QStringLiteral(":/images/titlebar.png")));
    ImageBar->setScaledContents(true);
    auto *fill = new QHBoxLayout(PanelTop);
    fill->setContentsMargins(0, 0, 0, 0);
    fill->addWidget(ImageBar);

    LabelTitle = TitleLabel(QStringLiteral("OstrelScript Viewer"), QPoint(16, 2), 19, PanelTop);
    Version = TitleLabel(QStringLiteral("Version"), QPoint(328, 3), 16, PanelTop);
}

void TFormView::BuildMapPane()
{
    ImageBr = new MapImage;
    ImageBr->setMinimumSize(100, 100);

    ScrollBoxBr = new QScrollArea;
    ScrollBoxBr->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    ScrollBoxBr->setFocusPolicy(Qt::NoFocus);
    ScrollBoxBr->setWidgetResizable(false);
    ScrollBoxBr->setWidget(ImageBr);
    // A child of the scroll box's viewport, beside the map, not in a
    // layout: open, it covers the top of the map; closed, it takes no room.
    FindBarMap = new FindBar(Session, ScrollBoxBr->viewport());

    ListViewBattle = new ReportListView(nullptr);
    ListViewBattle->SetColumns({
        {QStringLiteral("試合番号"), 60, 10},
        {QStringLiteral("プレイヤー１"), 150, 30},
        {QStringLiteral("プレイヤー２"), 150, 30},
        {QStringLiteral("試合時間"), 90, 10},
        {QStringLiteral("試合結果"), 100, 10},
    });
    ListViewBattle->setMinimumSize(MinimumPaneWidth, 100);
    ListViewBattle->setFocusPolicy(Qt::ClickFocus);
    ListViewBattle->setLayoutDirection(Qt::LeftToRight);
    ListViewBattle->setFont(PixelFont(FixedGothicFace, 12, QFont::TypeWriter));

    // The scroll box takes what the window gains in width.
    SplitterVert = NewSplitter(Qt::Horizontal, ScrollBoxBr, ListViewBattle, 0);
    SplitterVert->SetDragMinimums(MinimumPaneWidth, MinimumPaneWidth);

    PanelMap = new QWidget;
    // Set explicitly: the list's minimum height of 100 must not become the
    // map pane's, which the splitter may take down to 60.
    PanelMap->setMinimumHeight(MinimumMapHeight);
    auto *fill = new QHBoxLayout(PanelMap);
    fill->setContentsMargins(0, 0, 0, 0);
    fill->addWidget(SplitterVert);
}

void TFormView::BuildDigest()
{
    RichEditDigest = new QPlainTextEdit;
    RichEditDigest->setReadOnly(true);
    RichEditDigest->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    RichEditDigest->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    RichEditDigest->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    RichEditDigest->setMinimumSize(100, 50);
    RichEditDigest->setFont(PixelFont(FixedGothicFace, 12, QFont::TypeWriter));

    // The digest takes what the window gains in height.
    SplitterHoriz = NewSplitter(Qt::Vertical, PanelMap, RichEditDigest, 1);
    SplitterHoriz->SetDragMinimums(MinimumMapHeight, MinimumDigestHeightWhileDragging);
}

void TFormView::BuildToolBar()
{
    // No layout manager: the items sit at fixed lefts, so the 446-pixel row
    // never wraps and never moves whatever the window's width.
    ToolBarLog = new QWidget;
    ToolBarLog->setFixedHeight(ToolBarHeight);

    ToolButtonOpen = AddToolButton(0, 8, QStringLiteral("ToolButtonOpen"),
                                   QStringLiteral("ostrelScript ファイルをオープンする。"), false);
    ToolButtonSp2 = AddToolSeparator(37);
    ToolButtonPlay = AddToolButton(45, 0, QStringLiteral("進む"),
                                   QStringLiteral("試合を再生します（低速）"), true);
    ToolButtonFwd = AddToolButton(82, 1, QStringLiteral("実行"),
                                  QStringLiteral("試合を再生します（高速）"), true);
    ToolButtonPause = AddToolButton(119, 7, QStringLiteral("ポーズ"),
                                    QStringLiteral("試合の再生をポーズします"), true);
    ToolButtonSp1 = AddToolSeparator(156);
    ToolButtonQuit = AddToolButton(164, 2, QStringLiteral("中断"),
                                   QStringLiteral("試合再生を初期状態に戻します"), true);
    ToolButtonEnd = AddToolButton(201, 5, QStringLiteral("終了"),
                                  QStringLiteral("ビューアーを終了します"), true);
    ToolButtonSp3 = AddToolSeparator(238);

    TrackBarProgress = new QSlider(Qt::Horizontal, ToolBarLog);
    TrackBarProgress->setGeometry(246, 0, 200, ToolBarHeight);
    TrackBarProgress->setRange(0, 30);
    TrackBarProgress->setValue(0);
    TrackBarProgress->setTickPosition(QSlider::TicksBelow);
    TrackBarProgress->setTickInterval(DesignTickInterval);
    TrackBarProgress->setSingleStep(1);
    TrackBarProgress->setPageStep(2);
    TrackBarProgress->setFocusPolicy(Qt::StrongFocus);

    for (QWidget *control : std::initializer_list<QWidget *>{ToolButtonPlay, ToolButtonFwd, ToolButtonPause,
                                                              ToolButtonQuit, TrackBarProgress})
        control->setEnabled(false);
}

ToolBarButton *TFormView::AddToolButton(int left, int image, const QString &caption, const QString &hint,
                                        bool showHint)
{
    auto *button = new ToolBarButton(ImageListLog.value(image), caption, hint, showHint, ToolBarLog);
    button->setIconSize(ToolImageSize);
    button->setGeometry(QRect(QPoint(left, 0), ToolButtonSize));
    return button;
}

QFrame *TFormView::AddToolSeparator(int left)
{
    auto *separator = new QFrame(ToolBarLog);
    separator->setFrameStyle(QFrame::VLine | QFrame::Sunken);
    separator->setGeometry(left, 0, ToolSeparatorWidth, ToolBarHeight);
    return separator;
}

void TFormView::BuildOpenDialog()
{
    // One dialog for the window's whole life, so it remembers the last
    // folder and file between openings.
    OpenDialogScript = new QFileDialog(this, QStringLiteral("再生したい ostrelScript ファイルを選んでください"));
    OpenDialogScript->setAcceptMode(QFileDialog::AcceptOpen);
    OpenDialogScript->setFileMode(QFileDialog::ExistingFile);
    OpenDialogScript->setOption(QFileDialog::ReadOnly, false);
    OpenDialogScript->setNameFilters({QStringLiteral("Torvex のバトルロイヤルスクリプト (*.ostrelScript)"),
                                      QStringLiteral("全てのファイル (*.*)")});
    OpenDialogScript->selectNameFilter(OpenDialogScript->nameFilters().constFirst());
    OpenDialogScript->setSizeGripEnabled(true);
    CompletionPopupGuard::Attach(*OpenDialogScript);
}

void TFormView::WireEvents()
{
    connect(ToolButtonOpen, &QToolButton::clicked, this, &TFormView::ToolButtonOpenClick);
    connect(ToolButtonPlay, &QToolButton::clicked, this, &TFormView::ToolButtonPlayClick);
    connect(ToolButtonFwd, &QToolButton::clicked, this, &TFormView::ToolButtonFwdClick);
    connect(ToolButtonPause, &QToolButton::clicked, this, &TFormView::ToolButtonPauseClick);
    connect(ToolButtonQuit, &QToolButton::clicked, this, &TFormView::ToolButtonQuitClick);
    connect(ToolButtonEnd, &QToolButton::clicked, this, &TFormView::ToolButtonEndClick);
    connect(TrackBarProgress, &QSlider::valueChanged, this, &TFormView::TrackBarProgressChange);
    connect(TimerPlay, &QTimer::timeout, this, &TFormView::TimerPlayTimer);
    connect(ListViewBattle->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TFormView::ReportSelectionChange);
    connect(&Session, &ReplaySession::Changed, this, &TFormView::SyncWithSession);
    connect(&Session, &ReplaySession::TimerRestarted, TimerPlay, qOverload<int>(&QTimer::start));
    connect(&Session, &ReplaySession::TimerStopped, TimerPlay, &QTimer::stop);
    connect(Zoomer, &MapZoomer::ScaleChanged, this, &TFormView::ShowStatus);
    ListViewBattle->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ListViewBattle, &QWidget::customContextMenuRequested, this, &TFormView::ShowBattleListMenu);
    ImageBr->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ImageBr, &QWidget::customContextMenuRequested, this, &TFormView::ShowMapMenu);
    connect(Actions->FollowedBattlesOnly, &QAction::toggled, this, &TFormView::ApplyBattleListFilter);
    connect(FindBarMap, &FindBar::FollowRequested, this, &TFormView::FollowEntrant);
    connect(Watch, &ScriptWatch::Updated, this, &TFormView::ShowLive);
    connect(Watch, &ScriptWatch::Reloaded, this, &TFormView::WatchReloaded);
    connect(LabelLive, &LiveIndicator::Clicked, this, [this] { Session.MoveSlider(Session.SliderMax()); });
}

int TFormView::MapHeight() const
{
    return SplitterHoriz->sizes().value(0);
}

void TFormView::SetMapHeight(int height)
{
    // The digest is the pane that stretches: whatever it is given here, it
    // takes the height that the map leaves.
    SplitterHoriz->setSizes({height, 1});
}

int TFormView::ListWidth() const
{
    return SplitterVert->sizes().value(1);
}

void TFormView::SetListWidth(int width)
{
    SplitterVert->setSizes({1, width});
}

void TFormView::ShowOverview(bool on)
{
    if (on == overviewShown_)
        return;
    overviewShown_ = on;
    const int change = on ? OverviewStrip::StripHeight : -OverviewStrip::StripHeight;
    // Taken before the strip shows: a window at its smallest grows by
    // itself to its new minimum.
    const int height = this->height() + change;
    setMinimumHeight(minimumHeight() + change);
    Overview->setVisible(on);
    if (!isMaximized() && !isFullScreen())
        resize(width(), height);
    Actions->ShowOverview->setChecked(on);
    Overview->Sync();
}

void TFormView::PostReselectBattleRow()
{
    QCoreApplication::postEvent(this, new QEvent(ReselectBattleRowEvent));
}

bool TFormView::event(QEvent *event)
{
    if (event->type() == ReselectBattleRowEvent) {
        ReselectBattleRow();
        return true;
    }
    return QMainWindow::event(event);
}

void TFormView::showEvent(QShowEvent *event)
{
    // Qt sends the show event before the window appears on the screen.
    if (!formShown_) {
        formShown_ = true;
        FormShow();
    }
    QMainWindow::showEvent(event);
}

void TFormView::closeEvent(QCloseEvent *event)
{
    FormClose();
    QMainWindow::closeEvent(event);
}

// The battle list's logic wants one report per row, the row that lost the
// selection before the row that gained it.
void TFormView::ReportSelectionChange(const QItemSelection &selected, const QItemSelection &deselected)
{
    const auto report = [this](const QItemSelection &rows, bool nowSelected) {
        for (const QModelIndex &index : rows.indexes()) {
            if (index.column() != 0)
                continue;
            ListViewBattleSelectItem(BattleFilter->BattleAt(index.row()), nowSelected);
        }
    };
    report(deselected, false);
    report(selected, true);
}

void TFormView::FormCreate()
{
    // First, so that the stored window size, which includes the strip when
    // it was on, is what the window gets. A broken value of its own leaves
    // the rest to be read.
    try {
        ShowOverview(RegistrySettings::Read(ViewerSettings::OverviewStripShown) != 0);
    } catch (const SettingsTypeError &error) {
        ShowApplicationError(QString::fromUtf8(error.what()));
    }
    try {
        RestoreWindowPosition(QLatin1String(ViewerSettings::WindowPrefix), *this);
        RestoreWindowSize(QLatin1String(ViewerSettings::WindowPrefix), *this);
        SetMapHeight(RegistrySettings::Read(ViewerSettings::MapHeight));
        SetListWidth(RegistrySettings::Read(ViewerSettings::ListWidth));
        Zoomer->SetPercent(RegistrySettings::Read(ViewerSettings::MapZoom));
    } catch (const SettingsTypeError &error) {
        ShowApplicationError(QString::fromUtf8(error.what()));
    }
    // Qt paints every widget double-buffered already, the scroll box and the
    // list included.
}

void TFormView::FormShow()
{
    if (startup_.Script.isEmpty())
        return;
    const LoadResult result = Session.OpenScript(startup_.Script);
    if (!result.Succeeded()) {
        // Said over the window once it is on the screen, not before it is.
        WhenOnScreen(*this, [this, result] { ReportLoad(startup_.Script, result); });
        return;
    }
    ReportLoad(startup_.Script, result);
    if (startup_.Follow)
        Session.Follow(*startup_.Follow);
    if (startup_.Position)
        Session.SetSliderPosition(*startup_.Position);
}

void TFormView::FormClose()
{
    const QString prefix = QLatin1String(ViewerSettings::WindowPrefix);
    bool saved = SaveWindowPosition(prefix, *this);
    saved = SaveWindowSize(prefix, *this) && saved;
    saved = RegistrySettings::Write(ViewerSettings::MapHeight, MapHeight()) && saved;
    saved = RegistrySettings::Write(ViewerSettings::ListWidth, ListWidth()) && saved;
    saved = RegistrySettings::Write(ViewerSettings::MapZoom, Zoomer->Percent()) && saved;
    saved = RegistrySettings::Write(ViewerSettings::OverviewStripShown, overviewShown_ ? 1 : 0) && saved;
    // The window closes all the same; the user learns that the placement
    // will not be there next time.
    if (!saved)
        QMessageBox::warning(this, QString::fromUtf8(ApplicationTitle), UiText(IdsSettingsNotSaved));
}

bool TFormView::OpenScript(const QString &path)
{
    return ReportLoad(path, Session.OpenScript(path));
}

bool TFormView::ReportLoad(const QString &path, const LoadResult &result)
{
    // The loader has a word only for files it could read.
    if (result.Outcome == LoadResult::NotOpened)
        ShowCannotOpen(path);
    ShowLoaderMessages(result);
    if (result.Succeeded()) {
        Overview->Rebuild();
        Watch->Watch(path);
    }
    // What was found named entrants of the tournament replaced.
    if (result.ModelReplaced)
        FindBarMap->FindAgain();
    return result.Succeeded();
}

// The status bar tells of the reload: no message box comes up over a
// tournament the user is watching. Running out of memory still ends the
// program as a load does.
void TFormView::WatchReloaded(const LoadResult &result)
{
    if (result.Outcome == LoadResult::OutOfMemory)
        ShowLoaderMessages(result);
    if (result.Succeeded())
        Overview->Rebuild();
    if (result.ModelReplaced)
        FindBarMap->FindAgain();
}

void TFormView::ShowLoaderMessages(const LoadResult &result)
{
    for (int id : result.Messages)
        ShowLoaderBox(this, id == IdsMemoryFailure ? QMessageBox::Critical : QMessageBox::Warning,
                      UiText(id));
    if (result.Outcome == LoadResult::OutOfMemory)
        std::exit(1);
}

void TFormView::SyncWithSession()
{
    const PlaybackControls &enabled = Session.Enabled();
    ToolButtonPlay->setEnabled(enabled.Play);
    ToolButtonFwd->setEnabled(enabled.Fwd);
    ToolButtonPause->setEnabled(enabled.Pause);
    ToolButtonQuit->setEnabled(enabled.Quit);
    TrackBarProgress->setEnabled(enabled.Slider);
    Actions->Sync();
    ApplyBattleListFilter();
    {
        // The session has handled the change already.
        const QSignalBlocker blocker(TrackBarProgress);
        TrackBarProgress->setMaximum(Session.SliderMax());
        TrackBarProgress->setTickInterval(TickIntervalFor(Session.SliderMax()));
        TrackBarProgress->setValue(Session.SliderPosition());
    }

    if (Session.Digest() != digestShown_) {
        digestShown_ = Session.Digest();
        RichEditDigest->clear();
        for (const std::string &line : digestShown_)
            RichEditDigest->appendPlainText(DecodeSjisForDisplay(line));
        // The digest reads from its turn line down, also when the pane is
        // too low for all five lines.
        RichEditDigest->verticalScrollBar()->setValue(0);
    }

    // The map is painted from the grid's state, which any action may have
    // changed; painting covers only what the scroll box shows.
    const ArenaGrid &grid = Session.Grid();
    if (mapSizeShown_ != (grid.IsDrawn() ? grid.MapSize() : QSize()))
        ShowMap();
    ImageBr->update();
    Overview->Sync();
    ShowStatus();
    ShowLive();
    ShowFollowOverlay();
    Camera->Sync(Session);
    FindBarMap->RefreshInPlay();
}

// The zoom as shown: a fitting zoom reads as the scale that fits.
void TFormView::ShowStatus()
{
    LabelStatus->setText(PositionStatusText(Session, int(ImageBr->Scale() * 100 + 0.5)));
}

void TFormView::ShowLive()
{
    LabelLive->Show(*Watch, Session);
}

void TFormView::ShowFollowOverlay()
{
    ImageBr->SetFollowOverlay(FollowOverlayAt(Session.FollowedHistory(), Session.CurrentPosition(), wholeTrail_));
}

void TFormView::FollowEntrant(int entrant)
{
    Session.Follow(entrant);
    Camera->Recentre(Session);
}

void TFormView::SetWholeTrail(bool whole)
{
    wholeTrail_ = whole;
    ShowFollowOverlay();
}

// The map image spans the map, so the scroll ranges follow its size; an
// arrow click scrolls by a hundredth of it (nothing below 100 pixels).
void TFormView::ShowMap()
{
    const ArenaGrid &grid = Session.Grid();
    ImageBr->Present(&grid);
    QPalette palette = ScrollBoxBr->viewport()->palette();
    palette.setColor(QPalette::Window, QColor(ArenaGrid::MapBackgroundColor));
    ScrollBoxBr->viewport()->setPalette(palette);
    ScrollBoxBr->viewport()->setAutoFillBackground(grid.IsDrawn());
    mapSizeShown_ = grid.IsDrawn() ? grid.MapSize() : QSize();
    // The image takes the map's size at the zoom.
    Zoomer->Apply();
    const QSize size = grid.IsDrawn() ? ImageBr->size() : QSize();
    ScrollBoxBr->verticalScrollBar()->setSingleStep(size.height() / 100);
    ScrollBoxBr->horizontalScrollBar()->setSingleStep(size.width() / 100);
}

void TFormView::ShowCannotOpen(const QString &path)
{
    ShowLoaderBox(this, QMessageBox::Warning,
                  UiText(IdsCannotOpen).arg(QDir::toNativeSeparators(path)));
}

QString TFormView::AskForScriptFile()
{
    if (OpenDialogScript->exec() != QDialog::Accepted)
        return {};
    return OpenDialogScript->selectedFiles().value(0);
}

void TFormView::ToolButtonOpenClick()
{
    QString path;
    const std::optional<LoadResult> result = Session.ToolButtonOpenClick([this, &path]() -> std::optional<QString> {
        // Let the toolbar show its paused state before the modal dialog takes over.
        QCoreApplication::processEvents();
        path = AskForScriptFile();
        return path.isEmpty() ? std::nullopt : std::optional<QString>(path);
    });
    if (result)
        ReportLoad(path, *result);
}

void TFormView::OpenDroppedScript(const QString &path)
{
    ReportLoad(path, Session.ToolButtonOpenClick(path));
}

void TFormView::dragEnterEvent(QDragEnterEvent *event)
{
    if (!DroppedScript(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

// The file is opened once the drop is over, so that the loader's messages
// never hold up the program the file was dragged from.
void TFormView::dropEvent(QDropEvent *event)
{
    const QString path = DroppedScript(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    QMetaObject::invokeMethod(
        this, [this, path] { OpenDroppedScript(path); }, Qt::QueuedConnection);
}

// A click beside the rows offers only the filter, so that a list that the
// filter left empty can still be given back its rows.
void TFormView::ShowBattleListMenu(QPoint position)
{
    const QPoint global = ListViewBattle->viewport()->mapToGlobal(position);
    const int battle = BattleFilter->BattleAt(ListViewBattle->indexAt(position).row());
    if (battle < 0) {
        if (!BattleFilter->Filtering())
            return;
        QMenu menu(this);
        menu.addAction(Actions->FollowedBattlesOnly);
        menu.exec(global);
        return;
    }
    BattleListMenu menu(Session, battle, this);
    menu.addSeparator();
    menu.addAction(Actions->FollowedBattlesOnly);
    menu.exec(global);
}

void TFormView::ShowMapMenu(QPoint position)
{
    MapMenu menu(Session, ImageBr->MapPoint(position), this);
    menu.AddFollowMenu({Actions->NextFollowedBattle, Actions->PreviousFollowedBattle, Actions->FollowedExit,
                        Actions->FollowedBattlesOnly});
    menu.insertAction(menu.actions().value(menu.actions().indexOf(menu.CopyMap) + 1), Actions->ExportClip);
    menu.addSeparator();
    menu.addAction(Actions->GoTo);
    menu.addAction(Actions->ShowOverview);
    if (menu.FollowEntrant)
        connect(menu.FollowEntrant, &QAction::triggered, this, [this] { Camera->Recentre(Session); });
    menu.WholeTrail->setChecked(wholeTrail_);
    connect(menu.WholeTrail, &QAction::toggled, this, &TFormView::SetWholeTrail);
    menu.exec(ImageBr->mapToGlobal(position));
}

void TFormView::ApplyBattleListFilter()
{
    FilterBattleRows(*ListViewBattle, Session, *BattleFilter, Actions->FollowedBattlesOnly->isChecked());
}

std::optional<GoToRequest> TFormView::AskGoTo()
{
    GoToDialog dialog(Session.SliderMax(), this);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Request();
}

void TFormView::GoToClick()
{
    if (!Session.Enabled().Slider)
        return;
    if (const std::optional<GoToRequest> request = AskGoTo())
        Session.MoveSlider(GoToPosition(Session, *request));
}

#ifdef OSTREL_HAS_CLIP
void TFormView::ExportClipClick()
{
    if (!Session.Grid().IsDrawn())
        return;
    // The battle chosen in the list with ten positions either side, or the
    // hundred positions from the one shown.
    ClipDialogSetup setup{Session.SliderMax(), Session.CurrentPosition(), Session.CurrentPosition() + 100};
    const int battle = BattleFilter->BattleAt(ListViewBattle->currentIndex().row());
    if (battle >= 0 && std::size_t(battle) < Session.Model().Battles.size()) {
        setup.First = Session.Model().Battles[std::size_t(battle)].StartPosition - 10;
        setup.Last = Session.Model().Battles[std::size_t(battle)].EndPosition + 10;
    }
    setup.First = std::clamp(setup.First, 0, setup.SliderMax);
    setup.Last = std::clamp(setup.Last, 0, setup.SliderMax);
    setup.WindowScale = ImageBr->Scale();
    setup.InView = QRect(ScrollBoxBr->horizontalScrollBar()->value(), ScrollBoxBr->verticalScrollBar()->value(),
                         ScrollBoxBr->viewport()->width(), ScrollBoxBr->viewport()->height());
    setup.CanOverlay = Session.Followed() >= 0;
    ClipDialog dialog(Session.Model(), Session.Grid().MapSize(), setup, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    ClipRequest request = dialog.Request();
    const bool gif = request.Format == ClipFormat::Gif;
    QFileDialog files(this, UiText(IdsExportClip), QString(), UiText(gif ? IdsClipGifFilter : IdsClipWebPFilter));
    files.setAcceptMode(QFileDialog::AcceptSave);
    files.setDefaultSuffix(gif ? QStringLiteral("gif") : QStringLiteral("webp"));
    CompletionPopupGuard::Attach(files);
    if (files.exec() != QDialog::Accepted)
        return;
    const QString path = files.selectedFiles().value(0);
    // The overlay as the window draws it, from a copy of what it needs.
    if (dialog.IncludeOverlay()) {
        request.Overlay = [history = Session.FollowedHistory(), whole = wholeTrail_,
                           scale = request.Scale](QPainter &painter, int position) {
            PaintFollowOverlay(painter, FollowOverlayAt(history, position, whole), scale);
        };
    }
    // The export's worker reads the tournament's steps, which a growing file
    // would extend under it.
    std::optional<ScriptWatch::Held> held(std::in_place, *Watch);
    const ClipOutcome outcome = RunClipExport(this, ReplayCopy::Of(Session), request, path);
    held.reset();
    if (outcome.Result == ClipOutcome::Cancelled)
        return;
    if (outcome.Result != ClipOutcome::Written)
        QMessageBox::warning(this, QString::fromUtf8(ApplicationTitle),
                             UiText(IdsClipNotSaved) + QStringLiteral("\n") + QDir::toNativeSeparators(path));
    else if (!outcome.Exact)
        QMessageBox::information(this, QString::fromUtf8(ApplicationTitle), UiText(IdsClipNotExact));
}
#else
void TFormView::ExportClipClick() {}
#endif

void TFormView::ToolButtonPlayClick()
{
    Session.ToolButtonPlayClick();
}

void TFormView::ToolButtonFwdClick()
{
    Session.ToolButtonFwdClick();
}

void TFormView::ToolButtonPauseClick()
{
    Session.ToolButtonPauseClick();
}

void TFormView::ToolButtonQuitClick()
{
    Session.ToolButtonQuitClick();
}

void TFormView::ToolButtonEndClick()
{
    close();
}

void TFormView::TrackBarProgressChange()
{
    Session.SetSliderPosition(TrackBarProgress->value());
}

void TFormView::TimerPlayTimer()
{
    Session.TimerPlayTimer();
}

// A row that loses the selection is remembered; once the event that caused
// it is over, ReselectBattleRow selects it again if nothing else took its
// place. So a click beside the rows never leaves the list without a selection.
void TFormView::ListViewBattleSelectItem(int row, bool selected)
{
    if (selected)
        return;
    LastDeselectedRow = row;
    PostReselectBattleRow();
}

void TFormView::ReselectBattleRow()
{
    if (ListViewBattle->SelectedRow() >= 0)
        return;
    const int row = BattleFilter->ViewRow(LastDeselectedRow);
    if (row >= 0 && row < ListViewBattle->RowCount())
        ListViewBattle->SelectRow(row);
}

} // namespace ostrel
