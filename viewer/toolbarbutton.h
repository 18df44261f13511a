#pragma once

#include <QString>
#include <QToolButton>

namespace ostrel {

// A flat toolbar button that shows its image only and never takes the
// keyboard focus. Its caption is kept as text() but not drawn. It always
// carries its hint text, and offers the hint as a tooltip only when built
// with showHint.
class ToolBarButton : public QToolButton
{
    Q_OBJECT

public:
    ToolBarButton(const QIcon &image, const QString &caption, const QString &hint, bool showHint,
                  QWidget *parent);

    const QString &Hint() const { return hintText_; }

private:
    QString hintText_;
};

} // namespace ostrel
