#include "vieweractions.h"

#include "findbar.h"
#include "mapcamera.h"
#include "mapzoomer.h"
#include "tformview.h"

#include <QAction>
#include <QKeyEvent>
#include <QSlider>

namespace ostrel {

ViewerActions::ViewerActions(TFormView &form) : QObject(&form), form_(form), slider_(form.TrackBarProgress)
{
    PlayPause = Add({Qt::Key_Space}, &ViewerActions::OnPlayPause);
    StepBack = Add({Qt::Key_Left}, &ViewerActions::OnStepBack);
    StepForward = Add({Qt::Key_Right}, &ViewerActions::OnStepForward);
    PreviousBattle = Add({Qt::CTRL | Qt::Key_Left}, &ViewerActions::OnPreviousBattle);
    NextBattle = Add({Qt::CTRL | Qt::Key_Right}, &ViewerActions::OnNextBattle);
    First = Add({Qt::Key_Home}, &ViewerActions::OnFirst);
    Last = Add({Qt::Key_End}, &ViewerActions::OnLast);
    Open = Add({QKeySequence::Open}, &ViewerActions::OnOpen);
    Fast = Add({Qt::Key_F}, &ViewerActions::OnFast);
    Close = Add({Qt::CTRL | Qt::Key_Q}, &ViewerActions::OnClose);
    ZoomIn = Add({Qt::CTRL | Qt::Key_Equal, QKeySequence::ZoomIn}, &ViewerActions::OnZoomIn);
    ZoomOut = Add({Qt::CTRL | Qt::Key_Minus}, &ViewerActions::OnZoomOut);
    ZoomReset = Add({Qt::CTRL | Qt::Key_0}, &ViewerActions::OnZoomReset);
    Find = Add({QKeySequence::Find}, &ViewerActions::OnFind);
    StopFollowing = Add({Qt::Key_Escape}, &ViewerActions::OnStopFollowing);
    Recentre = Add({Qt::CTRL | Qt::Key_L}, &ViewerActions::OnRecentre);
    form_.TrackBarProgress->installEventFilter(this);
    Sync();
}

QAction *ViewerActions::Add(const QList<QKeySequence> &keys, void (ViewerActions::*handler)())
{
    auto *action = new QAction(&form_);
    action->setShortcuts(keys);
    action->setShortcutContext(Qt::WindowShortcut);
    connect(action, &QAction::triggered, this, handler);
    form_.addAction(action);
    return action;
}

void ViewerActions::Sync()
{
    const ReplaySession &session = form_.Session;
    const PlaybackControls &enabled = session.Enabled();
    PlayPause->setEnabled(session.Playing() ? enabled.Pause : enabled.Play);
    Fast->setEnabled(enabled.Fwd);
    for (QAction *move : {StepBack, StepForward, PreviousBattle, NextBattle, First, Last})
        move->setEnabled(enabled.Slider);
    for (QAction *zoom : {ZoomIn, ZoomOut, ZoomReset})
        zoom->setEnabled(session.Grid().IsDrawn());
    Find->setEnabled(session.Grid().IsDrawn());
    for (QAction *follow : {StopFollowing, Recentre})
        follow->setEnabled(session.Followed() >= 0);
}

// A shortcut is offered to the focused widget first; accepting the offer
// hands the key to the slider as an ordinary key press.
bool ViewerActions::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != slider_ || event->type() != QEvent::ShortcutOverride)
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    switch (key->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
        event->accept();
        return true;
    default:
        return false;
    }
}

void ViewerActions::OnPlayPause()
{
    form_.Session.PlayOrPause();
}

void ViewerActions::OnStepBack()
{
    form_.Session.StepBy(-1);
}

void ViewerActions::OnStepForward()
{
    form_.Session.StepBy(1);
}

void ViewerActions::OnPreviousBattle()
{
    form_.Session.JumpToPreviousBattle();
}

void ViewerActions::OnNextBattle()
{
    form_.Session.JumpToNextBattle();
}

void ViewerActions::OnFirst()
{
    form_.Session.MoveSlider(0);
}

void ViewerActions::OnLast()
{
    form_.Session.MoveSlider(form_.Session.SliderMax());
}

void ViewerActions::OnOpen()
{
    form_.ToolButtonOpenClick();
}

void ViewerActions::OnFast()
{
    form_.Session.Click(ReplaySession::Button::Fwd);
}

void ViewerActions::OnClose()
{
    form_.ToolButtonEndClick();
}

void ViewerActions::OnZoomIn()
{
    form_.Zoomer->ZoomIn();
}

void ViewerActions::OnZoomOut()
{
    form_.Zoomer->ZoomOut();
}

void ViewerActions::OnZoomReset()
{
    form_.Zoomer->Reset();
}

void ViewerActions::OnFind()
{
    form_.FindBarMap->Open();
}

void ViewerActions::OnStopFollowing()
{
    form_.Session.StopFollowing();
}

void ViewerActions::OnRecentre()
{
    form_.Camera->Recentre(form_.Session);
}

} // namespace ostrel
