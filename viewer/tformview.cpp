#include "tformview.h"

#include "fontfaces.h"
#include "panesplitter.h"
#include "reportlistview.h"
#include "toolbarbutton.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFrame>
#include <QHBoxLayout>
#include <QItemSelection>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QSlider>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

#include <initializer_list>

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

} // namespace

TFormView::TFormView(QWidget *parent) : QMainWindow(parent)
{
    setWindowTitle(QStringLiteral("Ostrel Script ビューアー"));
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

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setFixedHeight(StatusBarHeight);
    StatusBar1->setSizeGripEnabled(true);
    setStatusBar(StatusBar1);

    BuildOpenDialog();
    TimerPlay = new QTimer(this);
    TimerPlay->setInterval(500);

    setMinimumSize(MinimumClientSize);
    resize(DesignClientSize);
    SetMapHeight(DesignMapHeight);
    SetListWidth(DesignListWidth);

    WireEvents();
    FormCreate();
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
    ImageBr = new QLabel;
    ImageBr->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    ImageBr->setMinimumSize(100, 100);

    ScrollBoxBr = new QScrollArea;
    ScrollBoxBr->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    ScrollBoxBr->setFocusPolicy(Qt::NoFocus);
    ScrollBoxBr->setWidgetResizable(false);
    ScrollBoxBr->setWidget(ImageBr);

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

    SplitterVert = new PaneSplitter(Qt::Horizontal, nullptr);
    SplitterVert->setHandleWidth(SplitterThickness);
    SplitterVert->addWidget(ScrollBoxBr);
    SplitterVert->addWidget(ListViewBattle);
    SplitterVert->setStretchFactor(0, 1);
    SplitterVert->setStretchFactor(1, 0);
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

    SplitterHoriz = new PaneSplitter(Qt::Vertical, nullptr);
    SplitterHoriz->setHandleWidth(SplitterThickness);
    SplitterHoriz->addWidget(PanelMap);
    SplitterHoriz->addWidget(RichEditDigest);
    SplitterHoriz->setStretchFactor(0, 0);
    SplitterHoriz->setStretchFactor(1, 1);
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
    TrackBarProgress->setTickInterval(10);
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
    if (!FormShown) {
        FormShown = true;
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
            if (QTreeWidgetItem *item = ListViewBattle->itemFromIndex(index))
                ListViewBattleSelectItem(item, nowSelected);
        }
    };
    report(deselected, false);
    report(selected, true);
}

void TFormView::FormCreate()
{
    // Placement and pane sizes are restored here with the settings.
}

void TFormView::FormShow()
{
    // The script named on the command line is loaded here with start-up.
}

void TFormView::FormClose()
{
    // Placement and pane sizes are saved here with the settings.
}

void TFormView::ToolButtonOpenClick()
{
    // Pause, ask for a file and load it: comes with the playback controls.
}

void TFormView::ToolButtonPlayClick()
{
    // Slow play: comes with the playback controls.
}

void TFormView::ToolButtonFwdClick()
{
    // Fast play: comes with the playback controls.
}

void TFormView::ToolButtonPauseClick()
{
    // Pause: comes with the playback controls.
}

void TFormView::ToolButtonQuitClick()
{
    // Back to the start: comes with the playback controls.
}

void TFormView::ToolButtonEndClick()
{
    close();
}

void TFormView::TrackBarProgressChange()
{
    // Seeking to the new position: comes with the playback controls.
}

void TFormView::TimerPlayTimer()
{
    // One play tick: comes with the playback controls.
}

void TFormView::ListViewBattleSelectItem(QTreeWidgetItem *, bool)
{
    // The deselection guard: comes with the battle list.
}

void TFormView::ReselectBattleRow()
{
    // Selecting the last deselected row again: comes with the battle list.
}
