#pragma once

#include <cstdint>

// The longest a player may wait for a call, in milliseconds. Sanitizer builds run the same code
// several times slower, so there the bound stretches by as much; a stall still shows, since it
// lasts seconds to minutes.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr int64_t SanitizerSlowdown = 5;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
constexpr int64_t SanitizerSlowdown = 5;
#else
constexpr int64_t SanitizerSlowdown = 1;
#endif
#else
constexpr int64_t SanitizerSlowdown = 1;
#endif

constexpr int64_t TimeBoundMs(int64_t milliseconds)
{
    return milliseconds * SanitizerSlowdown;
}

// How many rounds a soak loop plays. Sanitizer builds look for memory and undefined-behaviour
// faults, which the first rounds reach as well as the last, so there the loop is cut by the same
// factor the time bounds stretch by.
constexpr int SoakRounds(int rounds)
{
    return static_cast<int>(rounds / SanitizerSlowdown);
}
