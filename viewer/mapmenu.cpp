#include "mapmenu.h"

#include "applicationerror.h"
#include "completionpopupguard.h"
#include "ratechart.h"
#include "replaysession.h"
#include "sjisdecoder.h"
#include "summarydialog.h"
#include "uitext.h"

#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QVBoxLayout>
#include <QWidgetAction>

namespace ostrel {

namespace {

// More captions than this make the card wider than the screen.
constexpr int MaxBattleCaptions = 10;

QString BattlesText(const std::vector<int> &battles)
{
    if (battles.empty())
        return UiText(IdsNone);
    QStringList captions;
    for (std::size_t i = 0; i < battles.size() && i < std::size_t(MaxBattleCaptions); ++i)
        captions << QStringLiteral("B%1").arg(battles[i], 3, 10, QLatin1Char('0'));
    if (battles.size() > std::size_t(MaxBattleCaptions))
        captions << QStringLiteral("…");
    return QStringLiteral("%1 (%2)").arg(battles.size()).arg(captions.join(QStringLiteral(", ")));
}

} // namespace

QString EntrantCardText(const ReplaySession &session, int entrant)
{
    const Entrant *shown = session.Model().EntrantAt(entrant);
    if (!shown)
        return {};
    const EntrantRecord record = session.RecordOf(entrant);
    const QStringList lines{
        UiText(IdsEntrantName).arg(DecodeSjisForDisplay(shown->Doller.View())),
        UiText(IdsEntrantOwner).arg(DecodeSjisForDisplay(shown->Owner.View())),
        UiText(IdsEntrantEmblem).arg(DecodeSjisForDisplay(shown->Emblem.View())),
        UiText(IdsEntrantRate).arg(shown->HitPointRate),
        shown->Status == -1 ? UiText(IdsEntrantInPlay) : UiText(IdsEntrantOut).arg(shown->Status),
        UiText(IdsEntrantWins).arg(record.Wins),
        UiText(IdsEntrantBattles).arg(BattlesText(record.Battles)),
    };
    return lines.join(QLatin1Char('\n'));
}

MapMenu::MapMenu(ReplaySession &session, QPoint mapPoint, QWidget *parent) : QMenu(parent), session_(session)
{
    const int entrant = session.EntrantAtMapPoint(mapPoint);
    AddEntrantCard(entrant);
    if (!EntrantCard.isEmpty())
        FollowEntrant = addAction(UiText(IdsFollowEntrant), this, [this, entrant] { session_.Follow(entrant); });
    StopFollowing = addAction(UiText(IdsStopFollowing), this, [this] { session_.StopFollowing(); });
    StopFollowing->setEnabled(session.Followed() >= 0);
    WholeTrail = addAction(UiText(IdsWholeTrail));
    WholeTrail->setCheckable(true);
    addSeparator();
    const bool loaded = session.Grid().IsDrawn();
    SaveMap = addAction(UiText(IdsSaveMap), this, &MapMenu::OnSaveMap);
    CopyMap = addAction(UiText(IdsCopyMap), this, &MapMenu::OnCopyMap);
    addSeparator();
    ShowSummary = addAction(UiText(IdsShowSummary), this, &MapMenu::OnShowSummary);
    for (QAction *action : {SaveMap, CopyMap, ShowSummary})
        action->setEnabled(loaded);
}

void MapMenu::AddEntrantCard(int entrant)
{
    EntrantCard = EntrantCardText(session_, entrant);
    if (EntrantCard.isEmpty())
        return;
    auto *card = new QWidget(this);
    auto *column = new QVBoxLayout(card);
    column->setContentsMargins(8, 4, 8, 4);
    column->addWidget(new QLabel(EntrantCard));
    // The followed entrant's history is at hand; any other is built here,
    // in one walk over the steps.
    Chart = new RateChart(entrant == session_.Followed() ? session_.FollowedHistory()
                                                         : session_.Index().HistoryOf(session_.Model(), entrant),
                          session_.SliderMax(), session_.SliderPosition());
    Chart->setEnabled(session_.Enabled().Slider);
    connect(Chart, &RateChart::PositionClicked, this, &MapMenu::SeekFromChart);
    column->addWidget(Chart);
    auto *action = new QWidgetAction(this);
    action->setDefaultWidget(card);
    addAction(action);
    addSeparator();
}

// The card shows the position the menu opened at, so the menu goes.
void MapMenu::SeekFromChart(int position)
{
    session_.MoveSlider(position);
    close();
}

void MapMenu::AddFollowMenu(const QList<QAction *> &actions)
{
    if (!FollowMenu) {
        addSeparator();
        FollowMenu = addMenu(UiText(IdsFollowMenu));
    }
    FollowMenu->addActions(actions);
}

void MapMenu::OnSaveMap()
{
    // The map as it is now: play may go on while the dialog is open.
    const QImage picture = session_.MapPicture();
    QFileDialog dialog(parentWidget(), UiText(IdsSaveMapTitle), QString(), UiText(IdsSaveMapFilter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("png"));
    CompletionPopupGuard::Attach(dialog);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QString path = dialog.selectedFiles().value(0);
    if (!picture.save(path, "PNG"))
        QMessageBox::warning(parentWidget(), QString::fromUtf8(ApplicationTitle),
                             UiText(IdsMapNotSaved) + QStringLiteral("\n") + QDir::toNativeSeparators(path));
}

void MapMenu::OnCopyMap()
{
    QGuiApplication::clipboard()->setImage(session_.MapPicture());
}

void MapMenu::OnShowSummary()
{
    SummaryDialog dialog(session_.Model(), session_.Summary(), parentWidget());
    connect(&dialog, &SummaryDialog::EntrantChosen, &dialog, [this, &dialog](int entrant) {
        session_.Follow(entrant);
        dialog.accept();
    });
    dialog.exec();
}

} // namespace ostrel
