#include "scriptline.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace ostrel {

namespace {

// White space as the C library's isspace sees it in the "C" locale; bytes of
// double-byte characters are never white space.
bool IsSpace(unsigned char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

const char *SkipSpace(const char *p)
{
    while (*p && IsSpace(static_cast<unsigned char>(*p)))
        ++p;
    return p;
}

unsigned DigitValue(char c)
{
    return unsigned(static_cast<unsigned char>(c)) - '0';
}

// Parses [white space] [sign] digits at p into out and returns the end of
// the digits, or null when there is no digit. Every value of a file goes
// through here, and nearly all start with their first digit, so the blanks
// and the sign are looked for only when they do not.
const char *ParseSigned(const char *p, int32_t &out)
{
    unsigned digit = DigitValue(*p);
    bool negative = false;
    if (digit > 9) {
        p = SkipSpace(p);
        negative = *p == '-';
        if (*p == '+' || *p == '-')
            ++p;
        digit = DigitValue(*p);
        if (digit > 9)
            return nullptr;
    }
    int64_t magnitude = digit;
    for (digit = DigitValue(*++p); digit <= 9; digit = DigitValue(*++p)) {
        if (magnitude <= int64_t(INT32_MAX) + 1)
            magnitude = magnitude * 10 + digit;
    }
    const int64_t v = negative ? -magnitude : magnitude;
    out = int32_t(v < INT32_MIN ? INT32_MIN : v > INT32_MAX ? INT32_MAX : v);
    return p;
}

} // namespace

void LineReader::Fill()
{
    while (!atEnd_ && end_ - begin_ <= MaxPiece)
        ReadMore();
}

bool LineReader::ReadMore()
{
    std::memmove(buffer_, buffer_ + begin_, end_ - begin_);
    const std::size_t kept = end_ - begin_;
    const bool nulKept = nul_ < end_;
    nul_ -= begin_;
    lastLf_ = lastLf_ != NoLf && lastLf_ >= begin_ ? lastLf_ - begin_ : NoLf;
    end_ = kept;
    begin_ = 0;
    const std::size_t got = std::fread(buffer_ + end_, 1, sizeof buffer_ - end_, file_);
    end_ += got;
    bytesRead_ += got;
    atEnd_ = got == 0;
    if (!nulKept)
        nul_ = FindNul(kept);
    // Searched from the back: a block of text ends a few bytes after its
    // last line end.
    for (std::size_t i = end_; i > kept; --i) {
        if (buffer_[i - 1] == '\n') {
            lastLf_ = i - 1;
            break;
        }
    }
    return !atEnd_;
}

bool LineReader::LineEndAhead()
{
    for (;;) {
        if (lastLf_ != NoLf && lastLf_ >= begin_)
            return true;
        if (begin_ == 0 && end_ == sizeof buffer_)
            return true;
        if (atEnd_ || !ReadMore())
            return false;
    }
}

void LineReader::Resume(std::FILE *file)
{
    file_ = file;
    atEnd_ = false;
    // The end a stream has met stays set until cleared, however it grows;
    // and some C libraries read again only after the stream is positioned.
    std::clearerr(file_);
    std::fseek(file_, 0, SEEK_CUR);
}

std::size_t LineReader::FindNul(std::size_t from) const
{
    const void *nul = std::memchr(buffer_ + from, '\0', end_ - from);
    return nul ? std::size_t(static_cast<const char *>(nul) - buffer_) : end_;
}

bool LineReader::ReadLine(LinePiece &piece)
{
    if (end_ - begin_ <= MaxPiece)
        Fill();
    if (holdTail_ && !LineEndAhead())
        return false;
    char *p = buffer_ + begin_;
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
    if (nul_ < begin_ + length) {
        length = nul_ - begin_;
    } else if (length >= 2 && p[length - 1] == '\n' && p[length - 2] == '\r') {
        p[length - 2] = '\n';
        --length;
    }
    begin_ += taken;
    if (nul_ < begin_)
        nul_ = FindNul(begin_);
    piece = {p, length};
    return taken > 0;
}

bool SplitLine(LinePiece line, std::string_view &key, const char *&value)
{
    char *const end = line.Text + line.Length;
    if (line.Length == 0 || line.Text[0] == '#')
        return false;
    // Keys are a few bytes long: a plain scan beats a library call here.
    char *colon = line.Text;
    while (*colon != ':') {
        if (++colon == end)
            return false;
    }
    char *v = colon + 1;
    while (v != end && (*v == ' ' || *v == '\t'))
        ++v;
    key = std::string_view(line.Text, std::size_t(colon - line.Text));
    if (v == end) {
        value = "";
    } else {
        end[-1] = '\0';
        value = v;
    }
    return true;
}

int32_t ReadInteger(const char *value)
{
    int32_t result = 0;
    ReadIntegerList(value, &result, 1);
    return result;
}

int ReadIntegerList(const char *value, int32_t *out, int count)
{
    const char *p = value;
    for (int i = 0; i < count; ++i) {
        p = ParseSigned(p, out[i]);
        if (!p)
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

} // namespace ostrel
