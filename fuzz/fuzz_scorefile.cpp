#include "tests/support/ScoreFileCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    tilzo::support::checkScoreFile(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
