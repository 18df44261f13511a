#include "scriptline.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace {

// White space as the C library's isspace sees it in the "C" locale; bytes of
// double-byte characters are never white space.
bool IsSpace(unsigned char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

bool IsDigit(unsigned char c)
{
    return c >= '0' && c <= '9';
}

// Parses [sign] digits at p; returns false when there is no digit.
bool ParseSigned(const char *&p, int32_t &out)
{
    const char *q = p;
    bool negative = false;
    if (*q == '+' || *q == '-')
        negative = *q++ == '-';
    if (!IsDigit(static_cast<unsigned char>(*q)))
        return false;
    int64_t magnitude = 0;
    while (IsDigit(static_cast<unsigned char>(*q))) {
        if (magnitude <= int64_t(INT32_MAX) + 1)
            magnitude = magnitude * 10 + (*q - '0');
        ++q;
    }
    const int64_t v = negative ? -magnitude : magnitude;
    out = int32_t(v < INT32_MIN ? INT32_MIN : v > INT32_MAX ? INT32_MAX : v);
    p = q;
    return true;
}

const char *SkipSpace(const char *p)
{
    while (*p && IsSpace(static_cast<unsigned char>(*p)))
        ++p;
    return p;
}

} // namespace

void LineReader::Fill()
{
    while (!atEnd_ && end_ - begin_ <= MaxPiece) {
        std::memmove(buffer_, buffer_ + begin_, end_ - begin_);
        end_ -= begin_;
        begin_ = 0;
        const std::size_t got = std::fread(buffer_ + end_, 1, sizeof buffer_ - end_, file_);
        end_ += got;
        atEnd_ = got == 0;
    }
}

bool LineReader::ReadLine(char (&line)[BufferSize])
{
    Fill();
    const char *p = buffer_ + begin_;
    const std::size_t available = end_ - begin_;
    const std::size_t window = std::min(available, MaxPiece);
    const char *lf = static_cast<const char *>(std::memchr(p, '\n', window));
    std::size_t length = window;  // bytes handed out
    std::size_t taken = window;   // bytes consumed
    if (lf) {
        taken = length = std::size_t(lf - p) + 1;
    } else if (window == MaxPiece && available > MaxPiece && p[MaxPiece - 1] == '\r' && p[MaxPiece] == '\n') {
        // A CR LF pair across the piece's end still ends the piece.
        taken = MaxPiece + 1;
        length = MaxPiece + 1;
    }
    std::memcpy(line, p, length);
    if (length >= 2 && line[length - 1] == '\n' && line[length - 2] == '\r')
        line[--length - 1] = '\n';
    line[length] = '\0';
    begin_ += taken;
    return length > 0;
}

bool SplitLine(char *line, const char *&key, const char *&value)
{
    if (line[0] == '#')
        return false;
    char *colon = std::strchr(line, ':');
    if (!colon)
        return false;
    *colon = '\0';
    char *v = colon + 1;
    while (*v == ' ' || *v == '\t')
        ++v;
    const std::size_t length = std::strlen(v);
    if (length > 0)
        v[length - 1] = '\0';
    key = line;
    value = v;
    return true;
}

int32_t ReadInteger(const char *value)
{
    const char *p = SkipSpace(value);
    int32_t result = 0;
    return ParseSigned(p, result) ? result : 0;
}

int ReadIntegerList(const char *value, int32_t *out, int count)
{
    const char *p = value;
    for (int i = 0; i < count; ++i) {
        p = SkipSpace(p);
        if (!ParseSigned(p, out[i]))
            return i;
        if (i + 1 < count && *p++ != ',')
            return i + 1;
    }
    return count;
}

std::string_view ReadWord(const char *value)
{
    const char *begin = SkipSpace(value);
    const char *end = begin;
    while (*end && !IsSpace(static_cast<unsigned char>(*end)))
        ++end;
    return {begin, std::size_t(end - begin)};
}
