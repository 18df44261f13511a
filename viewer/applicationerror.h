#pragma once

#include <QApplication>
#include <QString>

namespace ostrel {

// The application's title: the title of its error box.
inline constexpr char ApplicationTitle[] = "Ostrel Script ビューアー";

// The application's error box: an error icon, an OK button, the application's
// title, and the message with "." added when its last character sorts after
// "." (as Shift-JIS bytes).
void ShowApplicationError(const QString &message);
QString ApplicationErrorText(const QString &message);

// The application object: an error that escapes an event handler is shown in
// the error box (its what() read as UTF-8) and the event loop goes on.
class ViewerApplication : public QApplication {
public:
    ViewerApplication(int &argc, char **argv);
    bool notify(QObject *receiver, QEvent *event) override;
};

} // namespace ostrel
