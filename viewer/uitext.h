#pragma once

#include "stringtable.h"

#include <QString>

namespace ostrel {

// A text of the string table, ready for a widget.
inline QString UiText(int id)
{
    return QString::fromUtf8(StringTableText(id));
}

} // namespace ostrel
