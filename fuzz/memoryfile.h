#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>

// The fuzzer's input as a read-only stream, so that it reaches the loader
// through the same stdio path as a file on disk. Null when the C library
// cannot make the stream.
struct MemoryFileCloser {
    void operator()(std::FILE *file) const { std::fclose(file); }
};
using MemoryFile = std::unique_ptr<std::FILE, MemoryFileCloser>;

inline MemoryFile OpenMemory(const uint8_t *data, std::size_t size)
{
    // fmemopen wants a buffer even for an empty input; in "r" mode it never
    // writes to it.
    static uint8_t empty = 0;
    void *buffer = size > 0 ? const_cast<uint8_t *>(data) : &empty;
    return MemoryFile(fmemopen(buffer, size, "r"));
}
