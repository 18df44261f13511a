#include "commandline.h"

namespace ostrel {

QStringList SplitCommandLine(const QString &commandLine)
{
    QStringList items;
    const qsizetype n = commandLine.size();
    qsizetype i = 0;
    while (i < n) {
        while (i < n && commandLine[i] <= QLatin1Char(' '))
            ++i;
        if (i == n)
            break;
        QString item;
        while (i < n && commandLine[i] > QLatin1Char(' ')) {
            if (commandLine[i] == QLatin1Char('"')) {
                for (++i; i < n && commandLine[i] != QLatin1Char('"'); ++i)
                    item += commandLine[i];
                if (i < n)
                    ++i;
            } else {
                item += commandLine[i++];
            }
        }
        items += item;
    }
    return items;
}

QString ScriptArgument(const QStringList &arguments)
{
    return arguments.size() > 1 ? arguments[1] : QString();
}

} // namespace ostrel
