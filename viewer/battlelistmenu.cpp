#include "battlelistmenu.h"

#include "replaysession.h"
#include "sjisdecoder.h"
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
    addSeparator();
    const BattleEntry &battle = session.Model().Battles.at(std::size_t(row));
    FollowPlayer1 = AddFollowPlayer(IdsFollowPlayer1, battle.Player1);
    FollowPlayer2 = AddFollowPlayer(IdsFollowPlayer2, battle.Player2);
}

QAction *BattleListMenu::AddFollowPlayer(int textId, int entrant)
{
    const Entrant *player = session_.Model().EntrantAt(entrant);
    const QString emblem = player ? DecodeSjisForDisplay(player->Emblem.View()) : QStringLiteral("-");
    QAction *follow = addAction(UiText(textId).arg(emblem), this, [this, entrant] { session_.Follow(entrant); });
    follow->setEnabled(player != nullptr);
    return follow;
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
