#pragma once

#include <istream>
#include <string>

#include "core/solve/Board.h"
#include "core/solve/Rules.h"

namespace tilzo::solve {

// Boards as text: rows of digits between spaces, top row first; a blank line or the end ends a board.
// Each board is checked against the rules' sizes; the first fault ends the reading.
class BoardReader {
public:
    BoardReader(std::istream& in, Rules rules);

    // The next board: true, or false at the end of the input or at a fault, which error() then names.
    bool next(Grid& grid);
    // One line naming the board and the line at fault; empty after a clean end.
    const std::string& error() const { return error_; }

private:
    bool fail(int line, const std::string& what);
    bool readRow(const std::string& text, Grid& grid);

    std::istream& in_;
    Rules rules_;
    int line_ = 0;
    int board_ = 0;
    std::string error_;
};

} // namespace tilzo::solve
