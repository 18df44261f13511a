#include "liveindicator.h"

#include "replaysession.h"
#include "scriptwatch.h"
#include "uitext.h"

#include <QMouseEvent>
#include <QStringList>

namespace ostrel {

namespace {

QString NoteText(const ScriptWatch &watch)
{
    switch (watch.CurrentNote()) {
    case ScriptWatch::Note::None:
        return {};
    case ScriptWatch::Note::Reloaded:
        return UiText(IdsLiveReloaded);
    case ScriptWatch::Note::ReloadFailed:
        return UiText(IdsLiveReloadFailed).arg(UiText(watch.ReloadMessage()));
    case ScriptWatch::Note::Missing:
        return UiText(IdsLiveMissing);
    case ScriptWatch::Note::Unreadable:
        return UiText(IdsLiveUnreadable);
    case ScriptWatch::Note::Waiting:
        return UiText(IdsLiveWaiting);
    }
    return {};
}

} // namespace

QString LiveIndicatorText(const ScriptWatch &watch, const ReplaySession &session)
{
    QStringList parts;
    if (const QString note = NoteText(watch); !note.isEmpty())
        parts << note;
    if (watch.Live()) {
        parts << (watch.Stalled() ? UiText(IdsLiveStalled).arg(ScriptWatch::StallMs / 1000)
                                  : UiText(IdsLiveGrowing));
        const int behind = session.SliderMax() - session.SliderPosition();
        parts << (behind > 0 ? UiText(IdsLiveBehind).arg(behind) : UiText(IdsLiveAtEnd));
    }
    return parts.join(QStringLiteral("  "));
}

LiveIndicator::LiveIndicator(QWidget *parent) : QLabel(parent)
{
    setToolTip(UiText(IdsLiveTip));
    setCursor(Qt::PointingHandCursor);
    hide();
}

// Only a changed text is laid out and painted again.
void LiveIndicator::Show(const ScriptWatch &watch, const ReplaySession &session)
{
    const QString text = LiveIndicatorText(watch, session);
    if (text != this->text())
        setText(text);
    setVisible(!text.isEmpty());
}

void LiveIndicator::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit Clicked();
    QLabel::mousePressEvent(event);
}

} // namespace ostrel
