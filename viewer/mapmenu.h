#pragma once

#include <QMenu>
#include <QPoint>
#include <QString>

namespace ostrel {

class ReplaySession;

// The map's context menu for a point of the map (in map pixels): a card of
// the entrant in that cell, if any, with following it; stopping following
// and the trail's length; then saving the map as a PNG file, copying it to
// the clipboard and the tournament summary. Before anything is loaded the
// three are disabled.
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

private:
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
