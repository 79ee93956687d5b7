// The game as the page's own layer and its live region read it: each cell's colour and group,
// where the canvas shows it, and the frame's words as text.
#include "Access.h"

#include "core/render/Frame.h"
#include "core/scores/CodePage.h"
#include "core/shell/Words.h"

#include <emscripten.h>

#include <string>

namespace tilzo {

namespace {

frmMain* form = nullptr;
const Page* page = nullptr;

bool onBoard(int column, int row)
{
    return column >= 0 && column < BoardSize && row >= 0 && row < BoardSize;
}

} // namespace

void attachAccess(frmMain& game, const Page& shown)
{
    form = &game;
    page = &shown;
}

} // namespace tilzo

using namespace tilzo;

extern "C" {

// The colour code of a cell, 0 when empty; column and row from the top left.
EMSCRIPTEN_KEEPALIVE int tilzo_cell(int column, int row)
{
    return onBoard(column, row) ? form->game.Map[column][row] : 0;
}

EMSCRIPTEN_KEEPALIVE int tilzo_group(int column, int row)
{
    return form->game.GroupSize(column, row);
}

// The cells a press on (column, row) would take, a byte each, column by column from the top: 1 for
// those that go.
EMSCRIPTEN_KEEPALIVE const std::uint8_t* tilzo_group_cells(int column, int row)
{
    static std::uint8_t cells[BoardSize][BoardSize];
    form->game.GroupSize(column, row, cells);
    return &cells[0][0];
}

EMSCRIPTEN_KEEPALIVE int tilzo_points()
{
    return form->game.Points;
}

EMSCRIPTEN_KEEPALIVE const char* tilzo_colour(int code)
{
    return code >= 1 && code <= ColourCount ? words::ColourNames[code - 1] : "";
}

// Where the canvas shows a cell: x, y, width and height in pixels of its backing store.
EMSCRIPTEN_KEEPALIVE const int* tilzo_cell_box(int column, int row)
{
    static int box[4];
    const Rect shown = page->shownRect(cellRect(column, row));
    box[0] = shown.x;
    box[1] = shown.y;
    box[2] = shown.width;
    box[3] = shown.height;
    return box;
}

// The frame's words, a line each: the score, the end message and the bonus (empty while the
// game runs), then the table's lines.
EMSCRIPTEN_KEEPALIVE const char* tilzo_texts()
{
    static std::string texts;
    const Game& game = form->game;
    texts = scoreLine(game.Points) + '\n';
    texts += game.GameOver ? endMessage(game) + '\n' + bonusLine(game.Bonus) + '\n' : "\n\n";
    for (int i = 0; i < TableSize; ++i)
        texts += codePageToUtf8(tableLine(form->scores[i])) + '\n';
    return texts.c_str();
}
}
