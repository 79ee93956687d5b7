#pragma once

#include "core/game/Game.h"
#include "core/render/Surface.h"

#include <optional>

// Where things sit in the frame, and which cell a press in it names: the one home of the
// frame's geometry, for the drawing, the presses and the artwork alike.
namespace tilzo {

constexpr Size FrameSize{364, 420}; // the back buffer and the background bitmap
constexpr Size TilesSize{16, 80}; // five 16 by 16 tile images, stacked

constexpr int BoardOrigin = 54; // frame x and y of cell (0, 0)
constexpr int CellSize = 16; // a cell and a tile image are 16 by 16

// A press counts on the board strictly inside these bounds. The right and bottom ones fall
// short of the board's last pixels (309): presses there do nothing.
constexpr int PressLeft = 54;
constexpr int PressTop = 54;
constexpr int PressRight = 308;
constexpr int PressBottom = 307;

// The parts of the frame that hold something, top to bottom: a screen too small for the
// whole frame may show them apart, each at a scale of its own. The black margins beside the
// board are in none.
constexpr Rect HeaderBand{0, 0, 364, 40}; // the score and the title
constexpr Rect BoardBand{48, 47, 267, 266}; // the board in its border; the end message lies on it
constexpr Rect FooterBand{0, 316, 364, 104}; // the table under its heading, and the line at the foot
constexpr Rect FrameBands[] = {HeaderBand, BoardBand, FooterBand};

constexpr Point cellOrigin(int column, int row)
{
    return {BoardOrigin + CellSize * column, BoardOrigin + CellSize * row};
}

constexpr Rect cellRect(int column, int row)
{
    return {cellOrigin(column, row).x, cellOrigin(column, row).y, CellSize, CellSize};
}

// The cell a press at frame point (x, y) acts on, or nothing off the board.
constexpr std::optional<CellPos> pressedCell(double x, double y)
{
    if (!(x > PressLeft && x < PressRight && y > PressTop && y < PressBottom))
        return std::nullopt;
    return CellPos{static_cast<std::int16_t>((x - BoardOrigin) / CellSize),
                   static_cast<std::int16_t>((y - BoardOrigin) / CellSize)};
}

} // namespace tilzo
