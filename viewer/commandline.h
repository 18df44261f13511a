#pragma once

#include <QString>
#include <QStringList>

namespace ostrel {

// Splits a raw command line the way the viewer reads its arguments: at blanks
// and control characters, a pair of double quotes enclosing blanks, the quotes
// themselves removed. The first item is the program.
QStringList SplitCommandLine(const QString &commandLine);

// The script file named on the command line: the first argument after the
// program, or an empty text when there is none. Further arguments are ignored.
QString ScriptArgument(const QStringList &arguments);

} // namespace ostrel
