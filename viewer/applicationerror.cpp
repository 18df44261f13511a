#include "applicationerror.h"

#include "sjisdecoder.h"

#include <QMessageBox>

#include <exception>

namespace ostrel {

QString ApplicationErrorText(const QString &message)
{
    if (message.isEmpty())
        return message;
    const std::string last = EncodeSjis(message.right(1));
    return !last.empty() && uchar(last[0]) > uchar('.') ? message + QLatin1Char('.') : message;
}

void ShowApplicationError(const QString &message)
{
    QMessageBox box(QMessageBox::Critical, QString::fromUtf8(ApplicationTitle), ApplicationErrorText(message),
                    QMessageBox::Ok);
    box.exec();
}

ViewerApplication::ViewerApplication(int &argc, char **argv) : QApplication(argc, argv) {}

bool ViewerApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &error) {
        ShowApplicationError(QString::fromUtf8(error.what()));
    }
    return false;
}

} // namespace ostrel
