#include "commandline.h"

#include <QRegularExpression>

#include <algorithm>
#include <climits>
#include <utility>

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

namespace {

// The integer a value gives, saturated into an int; none when it is no
// decimal integer.
std::optional<int> IntegerValue(const QString &value)
{
    static const QRegularExpression decimal(QStringLiteral("^[+-]?[0-9]+$"));
    if (!decimal.match(value).hasMatch())
        return std::nullopt;
    bool ok = false;
    const qlonglong number = value.toLongLong(&ok);
    if (!ok)
        return value.startsWith(QLatin1Char('-')) ? INT_MIN : INT_MAX;
    return int(std::clamp<qlonglong>(number, INT_MIN, INT_MAX));
}

} // namespace

ParsedStartup ParseStartupArguments(const QStringList &arguments)
{
    StartupArguments startup;
    bool scriptNamed = false;
    bool optionsEnded = false;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        const bool dashed = !optionsEnded && argument.size() > 1 && argument.startsWith(QLatin1Char('-'));
        if (dashed && argument == QLatin1String("--")) {
            optionsEnded = true;
            continue;
        }
        if (!dashed) {
            if (scriptNamed)
                return {std::nullopt, QStringLiteral("more than one file named: '%1'").arg(argument)};
            startup.Script = argument;
            scriptNamed = true;
            continue;
        }
        std::optional<int> *target = nullptr;
        QString name;
        for (const auto &[option, field] : {std::pair{PositionOption, &startup.Position},
                                             std::pair{FollowOption, &startup.Follow}}) {
            const QString flag = QStringLiteral("--") + QLatin1String(option);
            if (argument == flag || argument.startsWith(flag + QLatin1Char('='))) {
                target = field;
                name = flag;
            }
        }
        if (!target)
            return {std::nullopt, QStringLiteral("unknown option '%1'").arg(argument)};
        QString value;
        if (argument.size() > name.size()) {
            value = argument.mid(name.size() + 1);
        } else if (i + 1 < arguments.size()) {
            value = arguments[++i];
        } else {
            return {std::nullopt, QStringLiteral("missing value for %1").arg(name)};
        }
        *target = IntegerValue(value);
        if (!*target)
            return {std::nullopt, QStringLiteral("invalid value '%1' for %2: not an integer").arg(value, name)};
    }
    return {startup, {}};
}

} // namespace ostrel
