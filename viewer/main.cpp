#include "fontfaces.h"
#include "tformview.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Ostrel Script ビューアー"));
    InstallFontSubstitutions();
    TFormView formView;
    formView.show();
    return app.exec();
}
