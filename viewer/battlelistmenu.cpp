#include "battlelistmenu.h"

#include "replaysession.h"
#include "uitext.h"

namespace ostrel {

BattleListMenu::BattleListMenu(ReplaySession &session, int row, QWidget *parent)
    : QMenu(parent), session_(session), row_(row)
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
    session_.JumpToBattleStart(row_);
}

void BattleListMenu::OnGoToEnd()
{
    session_.JumpToBattleEnd(row_);
}

} // namespace ostrel
