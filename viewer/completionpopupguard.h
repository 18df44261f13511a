#pragma once

#include <QObject>

class QDialog;

namespace ostrel {

// Closes the completion popups of a dialog's line edits whenever the dialog
// goes away. Qt's own file dialog leaves the file-name completer's popup on
// the screen, over whatever lies below, when Return accepts a typed path while
// the popup is up; and the popup is a window of its own that hiding the
// dialog does not hide. The guard belongs to the dialog.
class CompletionPopupGuard : public QObject
{
    Q_OBJECT

public:
    static void Attach(QDialog &dialog);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit CompletionPopupGuard(QDialog &dialog);
    void HidePopups() const;

    QDialog &dialog_;
};

} // namespace ostrel
