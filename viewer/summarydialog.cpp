#include "summarydialog.h"

#include "replaymodel.h"
#include "sjisdecoder.h"
#include "uitext.h"

#include <algorithm>
#include <cstdint>

#include <QClipboard>
#include <QStringList>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace ostrel {

namespace {

QString EmblemAndName(const Entrant &entrant)
{
    return DecodeSjisForDisplay(entrant.Emblem.View()) + QLatin1Char(' ') + DecodeSjisForDisplay(entrant.Doller.View());
}

enum Column { PlaceColumn, EmblemColumn, NameColumn, OwnerColumn, WinsColumn, OutTurnColumn };

// A row that sorts by the value its cell stands for. The summary's own order
// (by place, then by index) breaks every tie, so a sort is the same whatever
// order came before it.
class StandingItem : public QTreeWidgetItem {
public:
    StandingItem(const Standing &standing, int order) : standing_(standing), order_(order) {}

    int Entrant() const { return standing_.Entrant; }

    bool operator<(const QTreeWidgetItem &other) const override
    {
        const auto &that = static_cast<const StandingItem &>(other);
        const int column = treeWidget() ? treeWidget()->sortColumn() : PlaceColumn;
        if (column == PlaceColumn || column == WinsColumn || column == OutTurnColumn) {
            const int64_t mine = Key(column);
            const int64_t theirs = that.Key(column);
            if (mine != theirs)
                return mine < theirs;
        } else {
            const int order = text(column).localeAwareCompare(that.text(column));
            if (order != 0)
                return order < 0;
        }
        return order_ < that.order_;
    }

private:
    // An entrant never out lasted longer than every turn.
    int64_t Key(int column) const
    {
        switch (column) {
        case PlaceColumn: return standing_.Place;
        case WinsColumn: return standing_.Wins;
        default: return standing_.OutTurn == -1 ? INT64_MAX : standing_.OutTurn;
        }
    }

    Standing standing_;
    int order_;
};

} // namespace

QString WinnerLine(const ReplayModel &model, const TournamentSummary &summary)
{
    if (const Entrant *winner = model.EntrantAt(summary.Winner))
        return UiText(IdsSummaryWinner).arg(EmblemAndName(*winner));
    const auto inPlay = std::count_if(summary.Standings.begin(), summary.Standings.end(),
                                      [](const Standing &s) { return s.OutTurn == -1; });
    return UiText(IdsSummaryNoWinner).arg(inPlay);
}

SummaryDialog::SummaryDialog(const ReplayModel &model, const TournamentSummary &summary, QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(UiText(IdsSummaryTitle));
    winnerLine_ = WinnerLine(model, summary);

    Table = new QTreeWidget;
    Table->setRootIsDecorated(false);
    Table->setHeaderLabels({UiText(IdsSummaryPlace), UiText(IdsSummaryEmblem), UiText(IdsSummaryName),
                            UiText(IdsSummaryOwner), UiText(IdsSummaryWins), UiText(IdsSummaryOutTurn)});
    Table->setToolTip(UiText(IdsSummaryFollowHint));
    int order = 0;
    for (const Standing &standing : summary.Standings) {
        const Entrant *entrant = model.EntrantAt(standing.Entrant);
        if (!entrant)
            continue;
        auto *row = new StandingItem(standing, order++);
        Table->addTopLevelItem(row);
        row->setText(0, QString::number(standing.Place));
        row->setText(1, DecodeSjisForDisplay(entrant->Emblem.View()));
        row->setText(2, DecodeSjisForDisplay(entrant->Doller.View()));
        row->setText(3, DecodeSjisForDisplay(entrant->Owner.View()));
        row->setText(4, QString::number(standing.Wins));
        row->setText(5, standing.OutTurn == -1 ? QStringLiteral("-") : QString::number(standing.OutTurn));
        for (int column : {0, 4, 5})
            row->setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
    }
    for (int column = 0; column < Table->columnCount(); ++column)
        Table->resizeColumnToContents(column);
    Table->sortByColumn(PlaceColumn, Qt::AscendingOrder);
    Table->setSortingEnabled(true);
    connect(Table, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem *item) {
        emit EntrantChosen(static_cast<StandingItem *>(item)->Entrant());
    });

    auto *buttons = new QDialogButtonBox;
    QPushButton *copy = buttons->addButton(UiText(IdsSummaryCopy), QDialogButtonBox::ActionRole);
    QPushButton *close = buttons->addButton(UiText(IdsSummaryClose), QDialogButtonBox::RejectRole);
    connect(copy, &QPushButton::clicked, this, &SummaryDialog::CopyToClipboard);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    auto *column = new QVBoxLayout(this);
    column->addWidget(new QLabel(winnerLine_));
    column->addWidget(Table);
    column->addWidget(buttons);
    resize(560, 480);
}

QString SummaryDialog::Text() const
{
    QStringList lines{winnerLine_};
    QStringList cells;
    for (int column = 0; column < Table->columnCount(); ++column)
        cells << Table->headerItem()->text(column);
    lines << cells.join(QLatin1Char('\t'));
    for (int i = 0; i < Table->topLevelItemCount(); ++i) {
        cells.clear();
        for (int column = 0; column < Table->columnCount(); ++column)
            cells << Table->topLevelItem(i)->text(column);
        lines << cells.join(QLatin1Char('\t'));
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

void SummaryDialog::CopyToClipboard() const
{
    QGuiApplication::clipboard()->setText(Text());
}

} // namespace ostrel
