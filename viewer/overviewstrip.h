#pragma once

#include "timelinecolumns.h"

#include <QWidget>

namespace ostrel {

class ReplaySession;

// The overview strip under the toolbar: the whole tournament across its
// width. Per pixel column it draws the fight steps (bars from the bottom,
// scaled to the busiest column), the entrants in play (a line, scaled to the
// most), the followed entrant's battles (ticks at the top) and where it went
// out for good (a triangle), and the position shown (a vertical line).
//
// A click or a drag seeks as a drag of the slider does, through the session;
// hovering tells the position, its turn, the entrants in play and the battle
// fought there. The columns are built once per load and width; a move of the
// position repaints only the columns of the old and the new line.
class OverviewStrip : public QWidget {
    Q_OBJECT

public:
    static constexpr int StripHeight = 40;

    explicit OverviewStrip(ReplaySession &session, QWidget *parent = nullptr);

    // A tournament was loaded: the columns are built anew when next needed.
    void Rebuild();
    // Follows the session's change: repaints what changed.
    void Sync();

    const TimelineColumns &Columns();
    // The position a click at x (in widget pixels) seeks to.
    int PositionAt(int x);

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    // The strip's columns: inside the one-pixel frame.
    QRect Plot() const;
    QRect ColumnRect(int column) const;
    void SeekTo(int x);
    QString TipAt(int x);

    ReplaySession &session_;
    TimelineColumns columns_;
    bool stale_ = true;
    int lineColumn_ = -1;
    int followed_ = -1;
};

// The strip's tooltip for a position: the position, the turn of the step
// shown there, the entrants in play and the battle fought there, a line
// each; empty for a position outside the tournament.
QString StripTipText(const ReplaySession &session, int position);

} // namespace ostrel
