#pragma once

#include <QString>
#include <string_view>

namespace ostrel {

// Decodes Shift-JIS (code page 932) bytes for display.
//   DecodeSjis: every byte sequence that is not a character becomes U+FFFD,
//   so nothing is lost silently (used where texts are reported, e.g. JSON).
//   DecodeSjisForDisplay: like DecodeSjis, but a lone lead byte at the end of
//   the text (left by a cut at a byte count) is dropped instead of shown.
QString DecodeSjis(std::string_view bytes);
QString DecodeSjisForDisplay(std::string_view bytes);

// Encodes text to Shift-JIS (code page 932) bytes, for tools and tests that
// write files. A character the code page lacks becomes one '?' (a pair of
// surrogates counts as one character). Where the code page has several byte
// pairs for one character, the one Windows writes is chosen.
std::string EncodeSjis(const QString &text);

} // namespace ostrel
