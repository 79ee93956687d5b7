#include "fuzz/ScoreFileCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    tilzo::fuzz::checkScoreFile(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
