#pragma once

#include <QLabel>

namespace ostrel {

class ReplaySession;
class ScriptWatch;

// The status bar's live indicator: whether the watched file is growing or
// has stalled, how many steps the view is behind the live end, and the
// watch's note (a reload, a missing file). Hidden while there is nothing
// to say. A click asks to go to the live end.
class LiveIndicator : public QLabel {
    Q_OBJECT

public:
    explicit LiveIndicator(QWidget *parent = nullptr);

    void Show(const ScriptWatch &watch, const ReplaySession &session);

signals:
    void Clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
};

// The indicator's text; empty when there is nothing to say.
QString LiveIndicatorText(const ScriptWatch &watch, const ReplaySession &session);

} // namespace ostrel
