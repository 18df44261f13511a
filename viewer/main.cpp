// The viewer's entry: the application, its main window and the event loop.

#include "applicationerror.h"
#include "fontfaces.h"
#include "programoptions.h"
#include "tformview.h"

#include <exception>
#include <optional>

int main(int argc, char *argv[])
{
    if (const std::optional<int> exitCode = AnswerInformationOptions(argc, argv))
        return *exitCode;
    ViewerApplication app(argc, argv);
    // The title stays out of the application's display name, which Qt would
    // append to the window's own caption.
    try {
        InstallFontSubstitutions();
        TFormView formView;
        formView.show();
        app.exec();
    } catch (const std::exception &error) {
        ShowApplicationError(QString::fromUtf8(error.what()));
    }
    return 0;
}
