#include "overviewstrip.h"

#include "replaysession.h"
#include "uitext.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>

namespace ostrel {

namespace {

const QColor Background(255, 255, 255);
const QColor FrameColour(128, 128, 128);
// Fights in a lighter shade of the teal the map gives a fight's players, so
// that the line of the entrants in play stands out over them.
const QColor FightColour(128, 192, 192);
const QColor AliveColour(0, 0, 128);
const QColor PositionColour(255, 0, 0);
const QColor BattleMarkColour(255, 140, 0);
const QColor ExitMarkColour(192, 0, 192);

constexpr int BattleMarkHeight = 6;
constexpr int ExitMarkHalfWidth = 4;
// A column with one fight is drawn at least this high, whatever the busiest.
constexpr int LeastFightBar = 2;

} // namespace

OverviewStrip::OverviewStrip(ReplaySession &session, QWidget *parent) : QWidget(parent), session_(session)
{
    setFixedHeight(StripHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(false);
}

void OverviewStrip::Rebuild()
{
    stale_ = true;
    update();
}

const TimelineColumns &OverviewStrip::Columns()
{
    const TournamentIndex &index = session_.Index();
    if (stale_ || columns_.PositionCount() != int(index.Alive().size()) || columns_.Width() != Plot().width()) {
        columns_.Build(index.Alive(), index.BattleAt(), Plot().width());
        stale_ = false;
    }
    return columns_;
}

void OverviewStrip::Sync()
{
    if (!isVisible())
        return;
    if (stale_ || columns_.PositionCount() != int(session_.Index().Alive().size()) ||
        followed_ != session_.Followed()) {
        followed_ = session_.Followed();
        stale_ = true;
        update();
        return;
    }
    const int column = columns_.ColumnOf(session_.SliderPosition());
    if (column == lineColumn_)
        return;
    update(ColumnRect(lineColumn_));
    update(ColumnRect(column));
    lineColumn_ = column;
}

QRect OverviewStrip::Plot() const
{
    return rect().adjusted(1, 1, -1, -1);
}

// The line's column with one column either side, for the marks it crosses.
QRect OverviewStrip::ColumnRect(int column) const
{
    if (column < 0)
        return {};
    return QRect(Plot().left() + column - 1, 0, 3, height());
}

int OverviewStrip::PositionAt(int x)
{
    return Columns().PositionAt(x - Plot().left());
}

void OverviewStrip::resizeEvent(QResizeEvent *event)
{
    stale_ = true;
    QWidget::resizeEvent(event);
}

void OverviewStrip::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    const QRect exposed = event->rect();
    painter.fillRect(exposed, Background);
    painter.setPen(FrameColour);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    if (!session_.HasTournament())
        return;
    const TimelineColumns &columns = Columns();
    const QRect plot = Plot();
    if (columns.Width() == 0 || plot.height() <= 0)
        return;
    const int first = std::max(exposed.left() - plot.left() - 1, 0);
    const int last = std::min(exposed.right() - plot.left() + 1, columns.Width() - 1);

    const int most = std::max(columns.MostFights(), 1);
    for (int c = first; c <= last; ++c) {
        const int fights = columns.Fights()[std::size_t(c)];
        if (fights == 0)
            continue;
        const int bar = std::max(LeastFightBar, int(int64_t(fights) * plot.height() / most));
        painter.fillRect(plot.left() + c, plot.bottom() - bar + 1, 1, bar, FightColour);
    }

    const double perEntrant = double(plot.height() - 1) / std::max<int32_t>(columns.MostAlive(), 1);
    const auto y = [&](int32_t alive) { return plot.bottom() - int(alive * perEntrant + 0.5); };
    painter.setPen(AliveColour);
    for (int c = first; c <= last; ++c) {
        const auto column = std::size_t(c);
        int32_t low = columns.AliveLow()[column];
        int32_t high = columns.AliveHigh()[column];
        if (c > 0) {
            // Joined to the column before, so that a steep fall stays a line.
            low = std::min(low, columns.AliveHigh()[column - 1]);
            high = std::max(high, columns.AliveLow()[column - 1]);
        }
        painter.drawLine(plot.left() + c, y(high), plot.left() + c, y(low));
    }

    const auto visible = [&](int column, int reach) { return column >= first - reach && column <= last + reach; };
    if (session_.Followed() >= 0) {
        for (const EntrantHistory::Battle &battle : session_.FollowedHistory().Battles) {
            const int column = columns.ColumnOf(battle.First);
            if (visible(column, 1))
                painter.fillRect(plot.left() + column, plot.top(), 2, BattleMarkHeight, BattleMarkColour);
        }
        if (const std::optional<int> exit = session_.FollowedExit()) {
            const int column = columns.ColumnOf(*exit);
            if (visible(column, ExitMarkHalfWidth)) {
                const int x = plot.left() + column;
                const QPoint triangle[] = {{x - ExitMarkHalfWidth, plot.top()}, {x + ExitMarkHalfWidth, plot.top()},
                                           {x, plot.top() + 2 * ExitMarkHalfWidth}};
                painter.setPen(Qt::NoPen);
                painter.setBrush(ExitMarkColour);
                painter.drawPolygon(triangle, 3);
            }
        }
    }

    lineColumn_ = columns.ColumnOf(session_.SliderPosition());
    if (visible(lineColumn_, 0))
        painter.fillRect(plot.left() + lineColumn_, plot.top(), 1, plot.height(), PositionColour);
}

void OverviewStrip::SeekTo(int x)
{
    if (session_.HasTournament())
        session_.MoveSlider(PositionAt(x));
}

void OverviewStrip::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        SeekTo(event->position().toPoint().x());
}

void OverviewStrip::mouseMoveEvent(QMouseEvent *event)
{
    if (event->buttons() & Qt::LeftButton)
        SeekTo(event->position().toPoint().x());
}

bool OverviewStrip::event(QEvent *event)
{
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    const auto *help = static_cast<QHelpEvent *>(event);
    const QString tip = session_.HasTournament() ? TipAt(help->pos().x()) : QString();
    if (tip.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(help->globalPos(), tip, this, ColumnRect(Columns().ColumnOf(PositionAt(help->pos().x()))));
    return true;
}

QString OverviewStrip::TipAt(int x)
{
    return StripTipText(session_, PositionAt(x));
}

QString StripTipText(const ReplaySession &session, int position)
{
    const TournamentIndex &index = session.Index();
    if (position < 0 || std::size_t(position) >= index.Alive().size())
        return {};
    const ReplayStep *step = session.Engine().ShownStep(position);
    const int battle = std::size_t(position) < index.BattleAt().size() ? index.BattleAt()[std::size_t(position)] : 0;
    const QString battleText =
        battle > 0 ? UiText(IdsStripBattle).arg(battle - 1, 3, 10, QLatin1Char('0')).arg(battle) : UiText(IdsNone);
    return UiText(IdsStripTip)
        .arg(position)
        .arg(step ? QString::number(step->Turn) : QStringLiteral("-"))
        .arg(index.Alive()[std::size_t(position)])
        .arg(battleText);
}

} // namespace ostrel
