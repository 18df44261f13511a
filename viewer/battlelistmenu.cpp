#include "battlelistmenu.h"

#include "replaysession.h"
#include "uitext.h"

namespace ostrel {

BattleListMenu::BattleListMenu(ReplaySession &session, int row, QWidget *parent)
    : QMenu(parent), Session(session), Row(row)
{
    GoToStart = addAction(UiText(IdsGoToBattleStart), this, &BattleListMenu::OnGoToStart);
    GoToEnd = addAction(UiText(IdsGoToBattleEnd), this, &BattleListMenu::OnGoToEnd);
    const bool movable = session.Enabled().Slider;
    GoToStart->setEnabled(movable);
    GoToEnd->setEnabled(movable);
}

// Row i shows battle i.
void BattleListMenu::OnGoToStart()
{
    Session.JumpToBattleStart(Row);
}

void BattleListMenu::OnGoToEnd()
{
    Session.JumpToBattleEnd(Row);
}

} // namespace ostrel
