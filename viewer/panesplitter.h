#pragma once

#include <QSize>
#include <QSplitter>

#include <array>
#include <optional>

namespace ostrel {

// A splitter between exactly two panes. Dragging its handle never snaps a pane
// shut; while the left button is held a line follows the mouse, and the panes
// are resized when it is released. While a drag lasts, each pane can be held
// to a larger minimum than it has at rest (SetDragMinimums).
class PaneSplitter : public QSplitter
{
    Q_OBJECT

public:
    PaneSplitter(Qt::Orientation orientation, QWidget *parent);

    // Minimum extent along the splitter's orientation of the first and the
    // second pane while a handle is being dragged.
    void SetDragMinimums(int first, int second);

protected:
    QSplitterHandle *createHandle() override;

private:
    class DragHandle;

    void BeginDrag();
    void EndDrag();
    void SetExtentMinimum(QWidget *pane, int extent);

    std::array<int, 2> dragMinimums_{0, 0};
    std::optional<std::array<QSize, 2>> restingMinimums_;
};

} // namespace ostrel
