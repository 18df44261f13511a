#include "positionstatus.h"

#include "replaysession.h"
#include "summarydialog.h"
#include "uitext.h"

#include <QStringList>

namespace ostrel {

QString PositionStatusText(const ReplaySession &session, int zoomPercent)
{
    if (!session.HasTournament())
        return {};
    const int position = session.SliderPosition();
    QStringList parts{UiText(IdsStatusPosition).arg(position).arg(session.SliderMax())};
    if (const ReplayStep *step = session.Engine().ShownStep(position))
        parts << UiText(IdsStatusTurn).arg(step->Turn);
    parts << UiText(IdsStatusZoom).arg(zoomPercent);
    // The digest is blank at the end; this is where the user learns who won.
    if (position == session.SliderMax())
        parts << WinnerLine(session.Model(), session.Summary());
    return parts.join(QStringLiteral("  "));
}

} // namespace ostrel
