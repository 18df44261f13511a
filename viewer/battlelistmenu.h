#pragma once

#include <QMenu>

namespace ostrel {

class ReplaySession;

// The battle list's context menu for one row: moves the replay to the start
// or the end of that row's battle, and follows either player. Only this menu
// seeks from the list; a click or a selection never does.
class BattleListMenu : public QMenu {
    Q_OBJECT

public:
    BattleListMenu(ReplaySession &session, int row, QWidget *parent);

    QAction *GoToStart;
    QAction *GoToEnd;
    // Named by the player's emblem; disabled for a side that names no entrant.
    QAction *FollowPlayer1;
    QAction *FollowPlayer2;

private:
    void OnGoToStart();
    void OnGoToEnd();
    QAction *AddFollowPlayer(int textId, int entrant);

    ReplaySession &session_;
    int row_;
};

} // namespace ostrel
