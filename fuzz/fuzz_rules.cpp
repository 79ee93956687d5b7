// The rules fuzzer: each input is played and checked step by step (tests/support/RulesPlay.h says how
// an input reads).
#include "tests/support/RulesPlay.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    tilzo::support::Play(data, size);
    return 0;
}
