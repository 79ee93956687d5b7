#pragma once

#include <cstdio>
#include <cstdlib>

// A broken invariant ends the run like a crash, so libFuzzer keeps the input.
#define FUZZ_CHECK(condition) \
    ((condition) ? void() : ::tilzo::fuzz::fail(#condition, __FILE__, __LINE__))

namespace tilzo::fuzz {

[[noreturn]] inline void fail(const char* condition, const char* file, int line)
{
    std::fprintf(stderr, "%s:%d: check failed: %s\n", file, line, condition);
    std::abort();
}

} // namespace tilzo::fuzz
