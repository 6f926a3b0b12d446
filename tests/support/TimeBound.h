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
