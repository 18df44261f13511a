#include "fontfaces.h"

#include <QFont>
#include <QStringList>

namespace ostrel {

void InstallFontSubstitutions()
{
    // IPA first: it is what the Debian desktop ships for Japanese. Liberation
    // Serif keeps the metrics of Times New Roman; DejaVu Serif is the fallback
    // that every Debian desktop has.
    QFont::insertSubstitutions(QString::fromUtf8(ProportionalGothicFace),
                               {QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP")});
    QFont::insertSubstitutions(QString::fromUtf8(FixedGothicFace),
                               {QStringLiteral("IPAGothic"), QStringLiteral("Noto Sans Mono CJK JP")});
    QFont::insertSubstitutions(QString::fromUtf8(TitleSerifFace),
                               {QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif")});
}

} // namespace ostrel
