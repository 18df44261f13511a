#pragma once

#include <QList>
#include <QMenu>
#include <QPoint>
#include <QString>

namespace ostrel {

class RateChart;
class ReplaySession;

// The map's context menu for a point of the map (in map pixels): a card of
// the entrant in that cell, if any, with the chart of its hit points over the
// tournament (a click on it seeks there) and following it; stopping following
// and the trail's length; then saving the map as a PNG file, copying it to
// the clipboard and the tournament summary. Before anything is loaded the
// three are disabled. A double-click on an entrant of the summary follows it.
class MapMenu : public QMenu {
    Q_OBJECT

public:
    MapMenu(ReplaySession &session, QPoint mapPoint, QWidget *parent);

    // The card's text; empty when the point shows no entrant.
    QString EntrantCard;
    // Follows the entrant of the card; null without a card.
    QAction *FollowEntrant = nullptr;
    // Disabled while nobody is followed.
    QAction *StopFollowing;
    // Checkable: the trail shows the whole path instead of the last cells;
    // the window sets and keeps its state.
    QAction *WholeTrail;
    QAction *SaveMap;
    QAction *CopyMap;
    QAction *ShowSummary;
    // The card's chart; null without a card.
    RateChart *Chart = nullptr;
    // The submenu of moves to the followed entrant; null until added.
    QMenu *FollowMenu = nullptr;

    // Adds the submenu of the window's follow actions (their keys shown).
    void AddFollowMenu(const QList<QAction *> &actions);

private:
    void AddEntrantCard(int entrant);
    void SeekFromChart(int position);
    void OnSaveMap();
    void OnCopyMap();
    void OnShowSummary();

    ReplaySession &session_;
};

// The card of entrant index as the replay stands: name, owner, emblem,
// hit-point rate, status, wins so far and the battles it has begun, a line
// each. Empty for an index outside the table.
QString EntrantCardText(const ReplaySession &session, int entrant);

} // namespace ostrel
