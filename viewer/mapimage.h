#pragma once

#include <QWidget>

class QImage;

// Shows the map bitmap unscaled at its top-left corner. It paints straight
// from the bitmap rather than from a copy, so presenting costs nothing
// whatever the arena's size; what is drawn into the bitmap shows at the next
// Present or repaint.
class MapImage : public QWidget {
public:
    explicit MapImage(QWidget *parent = nullptr);

    // Shows bitmap (null: nothing) and takes its size.
    void Present(const QImage *bitmap);
    const QImage *Bitmap() const { return bitmap_; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    const QImage *bitmap_ = nullptr;
};
