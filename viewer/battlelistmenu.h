#pragma once

#include <QMenu>

namespace ostrel {

class ReplaySession;

// The battle list's context menu for one row: moves the replay to the start
// or the end of that row's battle. Only this menu seeks from the list; a
// click or a selection never does.
class BattleListMenu : public QMenu {
    Q_OBJECT

public:
    BattleListMenu(ReplaySession &session, int row, QWidget *parent);

    QAction *GoToStart;
    QAction *GoToEnd;

private:
    void OnGoToStart();
    void OnGoToEnd();

    ReplaySession &session_;
    int row_;
};

} // namespace ostrel
