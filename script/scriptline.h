#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string_view>

namespace ostrel {

// One piece of a line, as the reader hands it out: writable in place, and
// valid until the next read. The text stops at the piece's first NUL byte:
// nothing the format reads looks past one.
struct LinePiece {
    char *Text;
    std::size_t Length;
};

// Reading a script file line by line, as text: a CR LF pair and a lone LF both
// end a line. A line is handed out in pieces of at most MaxPiece bytes, line
// end included (a CR LF pair counting as its LF), so that a longer line is
// read as several lines. The file is read in large blocks and the pieces are
// handed out where they lie in the block, without a copy.
class LineReader {
public:
    static constexpr std::size_t MaxPiece = 511;

    explicit LineReader(std::FILE *file) : file_(file) {}

    // Reads the next piece; false at the end of the file, or, while the tail
    // is held, where only an unterminated tail is left.
    bool ReadLine(LinePiece &piece);

    // While on, a line is handed out only once its line end has been read
    // (a file still being written may hold half a line at its end), except
    // a line longer than the buffer, which goes in pieces as it comes.
    void HoldTail(bool on) { holdTail_ = on; }
    // Reads on from file, which stands at BytesRead(), after the reader ran
    // out (a file that has grown, opened anew).
    void Resume(std::FILE *file);
    // The bytes read from the file, and of them the ones handed out.
    uint64_t BytesRead() const { return bytesRead_; }
    uint64_t BytesHandedOut() const { return bytesRead_ - (end_ - begin_); }

private:
    // Makes at least MaxPiece + 1 bytes available, fewer only at the end.
    void Fill();
    // Moves what is left to the front and reads once more; false at the end.
    bool ReadMore();
    // Whether the rest of the current line is in the buffer (or the buffer
    // is full of it), reading more as needed.
    bool LineEndAhead();
    // The first NUL at or after from, or end_ when there is none.
    std::size_t FindNul(std::size_t from) const;

    std::FILE *file_;
    char buffer_[64 * 1024];
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
    std::size_t nul_ = 0;  // FindNul(begin_), kept up to date: NULs are rare
    std::size_t lastLf_ = NoLf;  // the last LF of the buffer, NoLf when none
    uint64_t bytesRead_ = 0;
    bool atEnd_ = false;
    bool holdTail_ = false;

    static constexpr std::size_t NoLf = std::size_t(-1);
};

// Splits a piece in place into key and value. Yields false for a comment line
// ("#" first) and a line without ":". The key is everything before the first
// ":"; the value skips leading blanks and tabs and loses its last character
// (the line end, or on a last line without one, its own last character). The
// value is NUL-terminated.
bool SplitLine(LinePiece line, std::string_view &key, const char *&value);

// Value kinds of the format.
//   ReadInteger: leading white space, optional sign, decimal digits; anything
//   after the digits is ignored; no digits give 0; out-of-range values clamp.
int32_t ReadInteger(const char *value);
//   ReadIntegerList: up to count integers, each but the last followed directly
//   by ","; stops at the first that does not fit. Returns how many were read;
//   the elements of out after them are left as they were.
int ReadIntegerList(const char *value, int32_t *out, int count);
//   ReadWord: the value from its first non-white-space byte to the next white
//   space.
std::string_view ReadWord(const char *value);

} // namespace ostrel
