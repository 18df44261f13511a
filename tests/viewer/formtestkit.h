#pragma once

// What the window's behaviour tests share: the window with its dialog and
// its message boxes answered by the test, the playback state read off the
// controls, script files written to a temporary folder, and a catcher for the
// modal boxes that the window shows by itself.

#include "playbackstate.h"
#include "sessiontestkit.h"
#include "tformview.h"

#include <QList>
#include <QStringList>
#include <QMessageBox>
#include <QString>
#include <QTimer>

#include <string>
#include <vector>

namespace ostrel {

// The playback state as the window's controls show it: the Enabled flags of
// the buttons and the slider, the timer and the session's Playing.
PlaybackState ControlsOf(const TFormView &form);

// The window with the open dialog and the loader's message boxes replaced:
// the dialog answers DialogAnswer (empty: cancelled) and notes the controls
// as they stand when it opens; loader messages are recorded, not shown.
class ScriptedFormView : public TFormView
{
public:
    using TFormView::TFormView;

    QString DialogAnswer;
    int DialogCalls = 0;
    PlaybackState AtDialog{};
    std::vector<int> LoaderMessages;
    QStringList UnopenedFiles;  // the paths ShowCannotOpen was given

protected:
    QString AskForScriptFile() override;
    void ShowLoaderMessages(const LoadResult &result) override;
    void ShowCannotOpen(const QString &path) override;
};

// Five steps over five turns, four entrants (entrant 2 has the Japanese name
// サクラ and the emblem 龍, the others are P<i> with emblem E<i>):
//   1 move:  entrants 0 and 1 one row down
//   2 fight: battle 1, 0 against 1, distance 1, guides "attack" / "defend"
//   3 fight: battle 1, its result: 0 wins
//   4 move:  entrant 2 one row down
//   5 fight: battle 2, 2 against 3, lead side 1, distance 2, guides "突撃" /
//            "defend", its result: 3 wins
std::string FiveStepTournament();
inline constexpr int FiveSteps = 5;

// Two entrants and three move steps.
std::string ThreeStepTournament();
inline constexpr int ThreeSteps = 3;

// The five-step tournament with a header version the loader refuses.
std::string RefusedScript();

// Closes every application-modal message box that opens while it lives and
// keeps what it showed.
class MessageBoxCatcher
{
public:
    struct Box
    {
        QString title, text;
        QMessageBox::Icon icon;
        const QWidget *parent;  // the window the box stands over
        bool parentOnScreen;    // that window was shown and exposed then
    };

    MessageBoxCatcher();
    QList<Box> Boxes;

private:
    void CloseActiveBox();
    QTimer Poll;
};

} // namespace ostrel
