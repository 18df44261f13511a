#pragma once

#include "tournamentindex.h"

#include <QWidget>

namespace ostrel {

// A small chart of one entrant's hit-point rate over the whole tournament:
// a step plot from position 0 to the last, shaded where the entrant is out,
// a tick at the start of each of its battles and a line at the position
// shown. A left click reports the position under the mouse.
class RateChart : public QWidget {
    Q_OBJECT

public:
    RateChart(EntrantHistory history, int lastPosition, int shownPosition, QWidget *parent = nullptr);

    // The plot inside the chart's frame; positions run from its left edge
    // to its right edge.
    QRect PlotRect() const;
    // The column of a position (clamped into 0 .. last).
    int XOf(int position) const;
    // The position whose column is nearest to x (clamped into 0 .. last).
    int PositionAt(int x) const;

    QSize sizeHint() const override;

signals:
    void PositionClicked(int position);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    int YOf(int rate) const;

    EntrantHistory history_;
    int last_;
    int shown_;
};

} // namespace ostrel
