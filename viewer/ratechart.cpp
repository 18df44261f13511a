#include "ratechart.h"

#include "uitext.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cstdint>

namespace ostrel {

namespace {

constexpr int Margin = 3;
constexpr int TickLength = 5;
constexpr int FullRate = 100;

const QColor LineColor(0, 0, 160);
const QColor OutShade(220, 220, 220);
const QColor BattleTick(0, 128, 128);  // the map's colour for a fight
const QColor ShownLine(220, 0, 0);

// Rounds n / d to the nearest integer for n >= 0, d > 0.
int RoundedQuotient(int64_t n, int64_t d)
{
    return int((2 * n + d) / (2 * d));
}

} // namespace

RateChart::RateChart(EntrantHistory history, int lastPosition, int shownPosition, QWidget *parent)
    : QWidget(parent), history_(std::move(history)), last_(std::max(lastPosition, 0)),
      shown_(std::clamp(shownPosition, 0, last_))
{
    setToolTip(UiText(IdsRateChartHint));
    setCursor(Qt::PointingHandCursor);
    setMinimumSize(sizeHint());
}

QSize RateChart::sizeHint() const
{
    return {240, 56};
}

QRect RateChart::PlotRect() const
{
    return rect().adjusted(Margin, Margin, -Margin, -Margin);
}

int RateChart::XOf(int position) const
{
    const QRect plot = PlotRect();
    if (last_ == 0)
        return plot.left();
    const int p = std::clamp(position, 0, last_);
    return plot.left() + RoundedQuotient(int64_t(p) * (plot.width() - 1), last_);
}

int RateChart::PositionAt(int x) const
{
    const QRect plot = PlotRect();
    if (plot.width() <= 1)
        return 0;
    const int column = std::clamp(x, plot.left(), plot.right()) - plot.left();
    return RoundedQuotient(int64_t(column) * last_, plot.width() - 1);
}

int RateChart::YOf(int rate) const
{
    const QRect plot = PlotRect();
    const int r = std::clamp(rate, 0, FullRate);
    return plot.bottom() - RoundedQuotient(int64_t(r) * (plot.height() - 1), FullRate);
}

void RateChart::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect plot = PlotRect();
    painter.fillRect(rect(), palette().base());

    // Spans out of play, from each change of status to the next.
    const auto &statuses = history_.Statuses;
    for (std::size_t i = 0; i < statuses.size(); ++i) {
        if (statuses[i].Value < 0)
            continue;
        const int end = i + 1 < statuses.size() ? statuses[i + 1].Position : last_;
        painter.fillRect(QRect(QPoint(XOf(statuses[i].Position), plot.top()), QPoint(XOf(end), plot.bottom())),
                         OutShade);
    }

    painter.setPen(BattleTick);
    for (const EntrantHistory::Battle &battle : history_.Battles) {
        const int x = XOf(battle.First);
        painter.drawLine(x, plot.bottom() - TickLength + 1, x, plot.bottom());
    }

    // Each rate holds from its position to the next change.
    const auto &rates = history_.Rates;
    QPolygon steps;
    for (std::size_t i = 0; i < rates.size(); ++i) {
        const int y = YOf(rates[i].Value);
        const int end = i + 1 < rates.size() ? rates[i + 1].Position : last_;
        steps << QPoint(XOf(rates[i].Position), y) << QPoint(XOf(end), y);
    }
    painter.setPen(QPen(LineColor, 1));
    painter.drawPolyline(steps);

    painter.setPen(ShownLine);
    painter.drawLine(XOf(shown_), plot.top(), XOf(shown_), plot.bottom());

    painter.setPen(palette().mid().color());
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void RateChart::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    event->accept();
    emit PositionClicked(PositionAt(event->position().toPoint().x()));
}

} // namespace ostrel
