#pragma once

#include "mapzoom.h"

#include <QObject>
#include <QPoint>

class QScrollArea;

namespace ostrel {

class MapImage;

// Zooms the map pane: keeps the zoom, gives the map image the scale it
// stands for whenever the map, the pane or the zoom changes, and zooms by
// Ctrl and the mouse wheel over the map, keeping the map point under the
// mouse where it is. Without Ctrl the wheel scrolls as before.
class MapZoomer : public QObject {
    Q_OBJECT

public:
    MapZoomer(QScrollArea &pane, MapImage &image, QObject *parent = nullptr);

    // The zoom as kept with the settings, as MapZoom::Percent() gives it.
    int Percent() const { return zoom_.Percent(); }
    void SetPercent(int percent);

    // Each keeps the centre of the pane in place.
    void ZoomIn();
    void ZoomOut();
    void Reset();
    // The map or the pane has changed.
    void Apply();

    bool eventFilter(QObject *watched, QEvent *event) override;

signals:
    // The map shows at another scale.
    void ScaleChanged();

private:
    double FitScale() const;
    // Applies the zoom keeping the map point under viewport point anchor.
    void ApplyKeeping(QPoint anchor);
    QPoint PaneCentre() const;

    QScrollArea &pane_;
    // Compared against in eventFilter, which may still be called while the
    // pane is being destroyed, when its members may no longer be called.
    const QObject *const viewport_;
    MapImage &image_;
    MapZoom zoom_;
    int wheelAngle_ = 0;  // eighths of a degree not yet turned into steps
};

} // namespace ostrel
