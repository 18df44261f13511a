#include "toolbarbutton.h"

namespace ostrel {

ToolBarButton::ToolBarButton(const QIcon &image, const QString &caption, const QString &hint,
                             bool showHint, QWidget *parent)
    : QToolButton(parent), hintText_(hint)
{
    setAutoRaise(true);
    setToolButtonStyle(Qt::ToolButtonIconOnly);
    setFocusPolicy(Qt::NoFocus);
    setIcon(image);
    setText(caption);
    if (showHint)
        setToolTip(hint);
}

} // namespace ostrel
