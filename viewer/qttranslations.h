#pragma once

#include <QStringList>

class QTranslator;

namespace ostrel {

// Where Qt's own Japanese texts are looked for, first found first: the folder
// "translations" beside the program, as the Windows package ships them, then
// Qt's own translations folder. Needs the application object.
QStringList QtTranslationFolders();

// Installs Qt's Japanese texts (qtbase_ja.qm: the buttons of the dialogs, the
// standard menus), so that they match the window's own texts, from the first
// of folders that holds them. The translator belongs to the application; null
// when no folder holds them, and Qt's texts stay English.
QTranslator *InstallQtTranslations(const QStringList &folders);

} // namespace ostrel
