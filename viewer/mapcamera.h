#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QRect>

class QScrollArea;

namespace ostrel {

class MapImage;
class ReplaySession;

// Moves the map pane to what the replay is about. While an entrant is
// followed it keeps the entrant's cell in view, until the user scrolls by
// hand; Recentre takes the camera back to it. While nobody is followed, a
// position that lands on a fight scrolls the pane just enough to show both
// players' cells, unless the user has scrolled it in the last few seconds.
// Scrolling by hand is whatever the user does to the scroll bars (the
// wheel, a drag, a click); the zoom's own scrolling is not.
class MapCamera : public QObject {
    Q_OBJECT

public:
    static constexpr int ManualScrollHoldMs = 3000;

    MapCamera(QScrollArea &pane, MapImage &image, QObject *parent = nullptr);

    // The session has changed: follows the entrant or shows the fight.
    void Sync(const ReplaySession &session);
    // Follows the followed entrant with the camera again and centres it.
    void Recentre(const ReplaySession &session);
    // Whether the camera keeps the followed entrant in view.
    bool FollowsEntrant() const { return attached_; }

private:
    void OnUserScroll();
    // A cell's rectangle in the image's pixels.
    QRect CellRect(int column, int row) const;
    QRect Visible() const;
    void Centre(QRect rect);
    // Scrolls the least that brings rect into view (its centre when it is
    // larger than the pane).
    void Reveal(QRect rect);

    QScrollArea &pane_;
    MapImage &image_;
    int followedSeen_ = -1;
    int positionSeen_ = -1;
    bool attached_ = false;
    QElapsedTimer sinceUserScroll_;
};

} // namespace ostrel
