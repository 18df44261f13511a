#include "formtestkit.h"

#include "scripttext.h"
#include "toolbarbutton.h"

#include <QApplication>
#include <QFile>
#include <QSlider>
#include <QWindow>

namespace ostrel {

PlaybackState ControlsOf(const TFormView &form)
{
    return {{form.ToolButtonPlay->isEnabled(), form.ToolButtonFwd->isEnabled(), form.ToolButtonPause->isEnabled(),
             form.ToolButtonQuit->isEnabled(), form.TrackBarProgress->isEnabled()},
            form.TimerPlay->isActive() ? form.TimerPlay->interval() : 0,
            form.Session.Playing()};
}

void ScriptedFormView::ShowLoaderMessages(const LoadResult &result)
{
    LoaderMessages.insert(LoaderMessages.end(), result.Messages.begin(), result.Messages.end());
}

void ScriptedFormView::ShowCannotOpen(const QString &path)
{
    UnopenedFiles << path;
}

QString ScriptedFormView::AskForScriptFile()
{
    ++DialogCalls;
    AtDialog = ControlsOf(*this);
    return DialogAnswer;
}

std::string FiveStepTournament()
{
    return Header(4) + EntrantBlock("P0", "E0", 0, 0) + EntrantBlock("P1", "E1", 1, 0)
        + EntrantBlock(Sjis("サクラ"), Sjis("龍"), 2, 0)
        + EntrantBlock("P3", "E3", 3, 0)
        + "Turn: 1\nMove: 0,0,1\nMove: 1,0,1\n"
          "Turn: 2\n" + Fight(1, 0, 1) + "Guide1: attack\nGuide2: defend\n" + HitPointLine(1, 80) + HitPointLine(2, 40)
        + "Turn: 3\n" + Fight(1, 0, 1) + HitPointLine(1, 70) + HitPointLine(2, 0) + "Result: 0,0,1\n"
        + "Turn: 4\nMove: 2,0,1\n"
          "Turn: 5\n" + Fight(2, 2, 3, 1, 2) + "Guide1: " + Sjis("突撃")
        + "\nGuide2: defend\n" + HitPointLine(1, 0) + HitPointLine(2, 50) + "Result: 0,1,3\n"
        + "End\n";
}

std::string ThreeStepTournament()
{
    return Preamble(2) + "Turn: 1\nMove: 0,1,0\nTurn: 2\nMove: 0,1,0\nTurn: 3\nMove: 1,1,0\nEnd\n";
}

std::string RefusedScript()
{
    std::string text = FiveStepTournament();
    const std::string accepted = "Version: 00.00.02";
    text.replace(text.find(accepted), accepted.size(), "Version: 00.00.03");
    return text;
}

MessageBoxCatcher::MessageBoxCatcher()
{
    Poll.setInterval(10);
    QObject::connect(&Poll, &QTimer::timeout, [this] { CloseActiveBox(); });
    Poll.start();
}

void MessageBoxCatcher::CloseActiveBox()
{
    auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
    if (!box)
        return;
    const QWidget *parent = box->parentWidget();
    const bool onScreen = parent && parent->isVisible() && parent->windowHandle() &&
                          parent->windowHandle()->isExposed();
    Boxes << Box{box->windowTitle(), box->text(), box->icon(), parent, onScreen};
    box->done(QMessageBox::Ok);
}

} // namespace ostrel
