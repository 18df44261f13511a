#include "vieweractions.h"

#include "findbar.h"
#include "mapcamera.h"
#include "mapzoomer.h"
#include "tformview.h"
#include "uitext.h"

#include <QAction>
#include <QKeyEvent>
#include <QSlider>

namespace ostrel {

namespace {

// A horizontal QSlider takes Up and PageUp toward its maximum; the platform's
// track bar, and the users who know it, take them toward the start. The
// slider's own actions keep the move what a drag would be. True when the
// key was one of those.
bool MoveAsTrackBar(QSlider *slider, int key)
{
    switch (key) {
    case Qt::Key_Up:
        slider->triggerAction(QAbstractSlider::SliderSingleStepSub);
        return true;
    case Qt::Key_Down:
        slider->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        return true;
    case Qt::Key_PageUp:
        slider->triggerAction(QAbstractSlider::SliderPageStepSub);
        return true;
    case Qt::Key_PageDown:
        slider->triggerAction(QAbstractSlider::SliderPageStepAdd);
        return true;
    default:
        return false;
    }
}

} // namespace

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
    NextFollowedBattle = Add({Qt::ALT | Qt::Key_Right}, &ViewerActions::OnNextFollowedBattle);
    PreviousFollowedBattle = Add({Qt::ALT | Qt::Key_Left}, &ViewerActions::OnPreviousFollowedBattle);
    FollowedExit = Add({Qt::ALT | Qt::Key_End}, &ViewerActions::OnFollowedExit);
    // The window applies the toggle: it narrows the window's own list.
    FollowedBattlesOnly = Add({Qt::ALT | Qt::Key_B}, nullptr);
    FollowedBattlesOnly->setCheckable(true);
    NextFollowedBattle->setText(UiText(IdsFollowedNextBattle));
    PreviousFollowedBattle->setText(UiText(IdsFollowedPreviousBattle));
    FollowedExit->setText(UiText(IdsFollowedExit));
    FollowedBattlesOnly->setText(UiText(IdsFollowedBattlesOnly));
    GoTo = Add({Qt::CTRL | Qt::Key_G}, &ViewerActions::OnGoTo);
    GoTo->setText(UiText(IdsGoTo) + QStringLiteral("…"));
    ShowOverview = new QAction(UiText(IdsShowOverviewStrip), &form_);
    ShowOverview->setShortcut(Qt::CTRL | Qt::Key_T);
    ShowOverview->setShortcutContext(Qt::WindowShortcut);
    ShowOverview->setCheckable(true);
    connect(ShowOverview, &QAction::toggled, this, &ViewerActions::OnShowOverview);
    form_.addAction(ShowOverview);
    Find = Add({QKeySequence::Find}, &ViewerActions::OnFind);
    StopFollowing = Add({Qt::Key_Escape}, &ViewerActions::OnStopFollowing);
    Recentre = Add({Qt::CTRL | Qt::Key_L}, &ViewerActions::OnRecentre);
    ExportClip = Add({Qt::CTRL | Qt::Key_E}, &ViewerActions::OnExportClip);
    ExportClip->setText(UiText(IdsExportClip) + QStringLiteral("…"));
#ifndef OSTREL_HAS_CLIP
    ExportClip->setVisible(false);
#endif
    form_.TrackBarProgress->installEventFilter(this);
    Sync();
}

QAction *ViewerActions::Add(const QList<QKeySequence> &keys, void (ViewerActions::*handler)())
{
    auto *action = new QAction(&form_);
    action->setShortcuts(keys);
    action->setShortcutContext(Qt::WindowShortcut);
    if (handler)
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
    for (QAction *move : {StepBack, StepForward, PreviousBattle, NextBattle, First, Last, GoTo})
        move->setEnabled(enabled.Slider);
    for (QAction *zoom : {ZoomIn, ZoomOut, ZoomReset})
        zoom->setEnabled(session.Grid().IsDrawn());
    for (QAction *move : {NextFollowedBattle, PreviousFollowedBattle, FollowedExit})
        move->setEnabled(enabled.Slider && session.Followed() >= 0);
    Find->setEnabled(session.Grid().IsDrawn());
    ExportClip->setEnabled(session.Grid().IsDrawn());
    for (QAction *follow : {StopFollowing, Recentre})
        follow->setEnabled(session.Followed() >= 0);
}

// A shortcut is offered to the focused widget first; accepting the offer
// hands the key to the slider as an ordinary key press.
bool ViewerActions::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != slider_ || (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress))
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    if (!IsSliderKey(key->key()))
        return false;
    if (event->type() == QEvent::KeyPress) {
        // The slider reads Alt+End as End: the follow keys, disabled while
        // nobody is followed, must not move it instead.
        if ((modifiers & Qt::AltModifier) != 0)
            return true;
        return modifiers == Qt::NoModifier && MoveAsTrackBar(static_cast<QSlider *>(watched), key->key());
    }
    if (modifiers != Qt::NoModifier)
        return false;
    event->accept();
    return true;
}

bool ViewerActions::IsSliderKey(int key)
{
    switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
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

void ViewerActions::OnNextFollowedBattle()
{
    form_.Session.JumpToFollowedBattle(1);
}

void ViewerActions::OnPreviousFollowedBattle()
{
    form_.Session.JumpToFollowedBattle(-1);
}

void ViewerActions::OnFollowedExit()
{
    form_.Session.JumpToFollowedExit();
}

void ViewerActions::OnExportClip()
{
    form_.ExportClipClick();
}

void ViewerActions::OnGoTo()
{
    form_.GoToClick();
}

void ViewerActions::OnShowOverview(bool on)
{
    form_.ShowOverview(on);
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
