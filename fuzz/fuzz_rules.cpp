// The rules fuzzer: each input is played and checked step by step (fuzz/RulesPlay.h says how
// an input reads).
#include "fuzz/RulesPlay.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    tilzo::fuzz::Play(data, size);
    return 0;
}
