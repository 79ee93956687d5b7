// The board reader on any bytes, by both rules: it reads boards that fit or names a fault, and the
// compact board plays every board it accepts.
#include <sstream>
#include <string>

#include "core/solve/BoardReader.h"
#include "tests/support/FuzzCheck.h"

using namespace tilzo::solve;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    for (const Rules rules : {Rules{Rules::Kind::Tilzo}, Rules{Rules::Kind::Standard}}) {
        std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
        BoardReader reader(in, rules);
        Grid grid;
        while (reader.next(grid)) {
            FUZZ_CHECK(rules.fits(grid.rows, grid.columns));
            Board board(grid);
            int blocks = 0;
            for (int colour = 1; colour <= board.colours(); ++colour)
                blocks += board.count(colour);
            FUZZ_CHECK(blocks == grid.rows * grid.columns && board.colours() <= MaxColours);
            Group groups[MaxGroups];
            for (int n; (n = board.groups(groups)) > 0;)
                FUZZ_CHECK(board.remove(groups[n / 2].cell) == groups[n / 2].size);
            FUZZ_CHECK(!board.hasMove());
        }
        FUZZ_CHECK(reader.error().empty() || reader.error().rfind("board ", 0) == 0);
    }
    return 0;
}
