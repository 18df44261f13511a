#pragma once

#include <chrono>

// The wall-clock seconds that work takes.
template <typename F>
double Seconds(F &&work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}
