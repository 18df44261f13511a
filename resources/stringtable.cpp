#include "stringtable.h"

namespace ostrel {

const char *StringTableText(int id)
{
    switch (id) {
#define OSTREL_STRING(id, text) case id: return text;
#include "stringtable.inc"
#undef OSTREL_STRING
    }
    return "";
}

} // namespace ostrel
