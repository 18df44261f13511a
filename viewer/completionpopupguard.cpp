#include "completionpopupguard.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QDialog>
#include <QEvent>

namespace ostrel {

void CompletionPopupGuard::Attach(QDialog &dialog)
{
    new CompletionPopupGuard(dialog);
}

CompletionPopupGuard::CompletionPopupGuard(QDialog &dialog) : QObject(&dialog), dialog_(dialog)
{
    dialog_.installEventFilter(this);
}

bool CompletionPopupGuard::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == &dialog_ && event->type() == QEvent::Hide)
        HidePopups();
    return false;
}

// The completers are looked up each time: the dialog may make them late.
void CompletionPopupGuard::HidePopups() const
{
    for (const QCompleter *completer : dialog_.findChildren<QCompleter *>())
        if (QAbstractItemView *popup = completer->popup(); popup->isVisible())
            popup->hide();
}

} // namespace ostrel
