// The board reader and the compact board on any bytes (tests/support/BoardsPlay.h says what is checked).
#include "tests/support/BoardsPlay.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    tilzo::support::playBoards(data, size);
    return 0;
}
