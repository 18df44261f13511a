#pragma once

#include "tournamentstandings.h"

#include <QDialog>

class QTreeWidget;

namespace ostrel {

struct ReplayModel;

// The tournament summary: the winner, then each entrant's place, emblem,
// name, owner, wins and the turn it went out in, with a button that copies
// the same as tab-separated text to the clipboard. It opens by place; a click
// on a column header sorts by that column (numbers as numbers, an entrant
// never out after every turn), entrants that tie keeping their order by
// place. A double-click on an entrant reports it.
class SummaryDialog : public QDialog {
    Q_OBJECT

public:
    SummaryDialog(const ReplayModel &model, const TournamentSummary &summary, QWidget *parent = nullptr);

    // What Copy puts on the clipboard: the winner line, the column headers
    // and a line per entrant in the order shown, the cells separated by tabs.
    QString Text() const;
    void CopyToClipboard() const;

    QTreeWidget *Table;

signals:
    // The entrant (its index in the entrant table) double-clicked.
    void EntrantChosen(int entrant);

private:
    QString winnerLine_;
};

// "優勝: " and the winner's emblem and name, decoded for display; or, without
// a single winner, how many are still in play at the end.
QString WinnerLine(const ReplayModel &model, const TournamentSummary &summary);

} // namespace ostrel
