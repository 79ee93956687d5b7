#include "fuzz/ScoreFileCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    tilzo::fuzz::checkScoreFile(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)));
    return 0;
}
