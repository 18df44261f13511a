#pragma once

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <string_view>

// A promise of the code under test that the input broke: says which, then
// aborts, so that the fuzzer keeps the input as a crash.
inline void Require(bool condition, const char *promise)
{
    if (condition)
        return;
    std::fprintf(stderr, "broken promise: %s\n", promise);
    std::abort();
}

// Reads every byte of a text, so that the address sanitizer sees a read
// past its end; the sum goes where the optimiser cannot drop it.
inline void TouchBytes(std::string_view text)
{
    static volatile std::size_t sink;
    std::size_t sum = 0;
    for (const char c : text)
        sum += static_cast<unsigned char>(c);
    sink = sink + sum;
}
