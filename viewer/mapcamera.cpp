#include "mapcamera.h"

#include "arenagrid.h"
#include "mapimage.h"
#include "replaysession.h"

#include <QScrollArea>
#include <QScrollBar>

#include <cmath>

namespace ostrel {

MapCamera::MapCamera(QScrollArea &pane, MapImage &image, QObject *parent)
    : QObject(parent), pane_(pane), image_(image)
{
    for (QScrollBar *bar : {pane_.horizontalScrollBar(), pane_.verticalScrollBar()})
        connect(bar, &QAbstractSlider::actionTriggered, this, &MapCamera::OnUserScroll);
}

void MapCamera::OnUserScroll()
{
    attached_ = false;
    sinceUserScroll_.start();
}

void MapCamera::Recentre(const ReplaySession &session)
{
    followedSeen_ = session.Followed();
    attached_ = followedSeen_ >= 0;
    if (const Entrant *entrant = session.Model().EntrantAt(followedSeen_))
        Centre(CellRect(entrant->X, entrant->Y));
}

void MapCamera::Sync(const ReplaySession &session)
{
    const int position = session.CurrentPosition();
    const bool landed = position != positionSeen_;
    positionSeen_ = position;
    if (!image_.Grid())
        return;
    if (session.Followed() != followedSeen_) {
        Recentre(session);
        return;
    }
    if (const Entrant *followed = session.Model().EntrantAt(session.Followed())) {
        if (!attached_)
            return;
        // Centring only once the cell nears the edge keeps the map still
        // while the entrant walks about in the middle of the pane.
        const QRect cell = CellRect(followed->X, followed->Y);
        const int pitch = int(std::ceil(ArenaGrid::CellPitch * image_.Scale()));
        if (!Visible().contains(cell.adjusted(-pitch, -pitch, pitch, pitch)))
            Centre(cell);
        return;
    }
    const StepEngine &engine = session.Engine();
    const ReplayStep *step = engine.ShownStep(position);
    if (!landed || !engine.HighlightActive() || !step || !step->IsFight())
        return;
    if (sinceUserScroll_.isValid() && !sinceUserScroll_.hasExpired(ManualScrollHoldMs))
        return;
    const Entrant *first = session.Model().EntrantAt(engine.HighlightPlayer1());
    const Entrant *second = session.Model().EntrantAt(engine.HighlightPlayer2());
    QRect fight;
    for (const Entrant *player : {first, second}) {
        if (player)
            fight |= CellRect(player->X, player->Y);
    }
    if (!fight.isEmpty())
        Reveal(fight);
}

QRect MapCamera::CellRect(int column, int row) const
{
    const double scale = image_.Scale();
    const double left = (ArenaGrid::Margin + double(ArenaGrid::CellPitch) * column) * scale;
    const double top = (ArenaGrid::Margin + double(ArenaGrid::CellPitch) * row) * scale;
    const int side = std::max(1, int(std::ceil(ArenaGrid::CellPitch * scale)));
    return {int(std::floor(left)), int(std::floor(top)), side, side};
}

QRect MapCamera::Visible() const
{
    return {pane_.horizontalScrollBar()->value(), pane_.verticalScrollBar()->value(), pane_.viewport()->width(),
            pane_.viewport()->height()};
}

void MapCamera::Centre(QRect rect)
{
    const QPoint centre = rect.center();
    pane_.horizontalScrollBar()->setValue(centre.x() - pane_.viewport()->width() / 2);
    pane_.verticalScrollBar()->setValue(centre.y() - pane_.viewport()->height() / 2);
}

void MapCamera::Reveal(QRect rect)
{
    // A cell's worth of room around the players, when the pane has it.
    const int room = int(std::ceil(ArenaGrid::CellPitch * image_.Scale()));
    const QRect visible = Visible();
    const auto scroll = [room](QScrollBar *bar, int start, int end, int shown) {
        const int value = bar->value();
        if (end - start + 2 * room > shown) {
            bar->setValue((start + end - shown) / 2);
            return;
        }
        if (start - room < value)
            bar->setValue(start - room);
        else if (end + room > value + shown)
            bar->setValue(end + room - shown);
    };
    scroll(pane_.horizontalScrollBar(), rect.left(), rect.right() + 1, visible.width());
    scroll(pane_.verticalScrollBar(), rect.top(), rect.bottom() + 1, visible.height());
}

} // namespace ostrel
