#include "core/solve/BoardReader.h"

namespace tilzo::solve {

namespace {

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool blank(const std::string& text)
{
    for (char c : text)
        if (!isSpace(c))
            return false;
    return true;
}

} // namespace

BoardReader::BoardReader(std::istream& in, Rules rules)
    : in_(in)
    , rules_(rules)
{
}

bool BoardReader::fail(int line, const std::string& what)
{
    error_ = "board " + std::to_string(board_) + ", line " + std::to_string(line) + ": " + what;
    return false;
}

bool BoardReader::next(Grid& grid)
{
    grid = Grid{};
    if (!error_.empty())
        return false;
    std::string text;
    while (std::getline(in_, text)) {
        ++line_;
        if (blank(text)) {
            if (grid.rows > 0)
                break;
            continue;
        }
        if (grid.rows == 0)
            ++board_;
        if (!readRow(text, grid))
            return false;
    }
    if (grid.rows == 0)
        return false;
    if (!rules_.fits(grid.rows, grid.columns))
        return fail(line_ - (in_ ? 1 : 0), "Tilzo's rules need 16 rows of 16 cells, not "
                                               + std::to_string(grid.rows) + " rows of "
                                               + std::to_string(grid.columns));
    return true;
}

bool BoardReader::readRow(const std::string& text, Grid& grid)
{
    if (grid.rows == MaxSide)
        return fail(line_, "more than 16 rows");
    int columns = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::string where = "character " + std::to_string(i + 1);
        if (isSpace(text[i]))
            continue;
        if (!isDigit(text[i]))
            return fail(line_, where + " is not a digit");
        if (i + 1 < text.size() && !isSpace(text[i + 1]))
            return fail(line_, where + " is not followed by a space");
        if (columns == MaxSide)
            return fail(line_, "more than 16 cells in a row");
        grid.cell[grid.rows][columns++] = std::uint8_t(text[i] - '0');
    }
    if (grid.rows > 0 && columns != grid.columns)
        return fail(line_, "cells in this row: " + std::to_string(columns)
                               + ", in the rows above: " + std::to_string(grid.columns));
    grid.columns = columns;
    ++grid.rows;
    return true;
}

} // namespace tilzo::solve
