#include "core/solve/Board.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <emmintrin.h>

namespace tilzo::solve {

namespace {

constexpr int index(int column, int height)
{
    return column * MaxSide + height;
}

// A column's cells, one byte a cell from the bottom, empty cells and columns past the last 0, as
// one SSE2 register: so a whole column compares at once. The page's compiler maps SSE2 onto
// WebAssembly's vector instructions.
static_assert(MaxSide == 16);
__m128i bytes(const std::uint8_t* column)
{
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(column));
}

// Bit h for each byte h where a compare held.
std::uint16_t bits(__m128i mask)
{
    return std::uint16_t(_mm_movemask_epi8(mask));
}

// The cells of `of` that `seeds` reach up and down the column through cells of `of`, the reach
// doubling at each step.
std::uint16_t fill(std::uint32_t seeds, std::uint32_t of)
{
    std::uint32_t up = seeds;
    std::uint32_t down = seeds;
    std::uint32_t upRun = of;
    std::uint32_t downRun = of;
    for (int step = 1; step < MaxSide; step *= 2) {
        up |= upRun & up << step;
        down |= downRun & down >> step;
        upRun &= upRun << step;
        downRun &= downRun >> step;
    }
    return std::uint16_t(up | down);
}

// Bytes 0 to h - 1 set, for each height h.
struct Below {
    alignas(16) std::uint8_t at[MaxSide][MaxSide];
    constexpr Below()
        : at{}
    {
        for (int h = 0; h < MaxSide; ++h)
            for (int b = 0; b < h; ++b)
                at[h][b] = 0xFF;
    }
};
constexpr Below below;

// The column with the cells at the heights in `mask` taken out and those above moved down onto
// them; from the top down, so each height still names its cell. Returns how many went.
int squeeze(std::uint8_t* cells, std::uint32_t mask)
{
    __m128i column = bytes(cells);
    int taken = 0;
    for (; mask != 0; ++taken) {
        const int h = std::bit_width(mask) - 1;
        mask &= ~(1u << h);
        const __m128i kept = bytes(below.at[h]);
        column = _mm_or_si128(_mm_and_si128(kept, column), _mm_andnot_si128(kept, _mm_srli_si128(column, 1)));
    }
    _mm_storeu_si128(reinterpret_cast<__m128i*>(cells), column);
    return taken;
}

} // namespace

Board::Board(const Grid& grid)
    : columns_(std::uint8_t(grid.columns))
    , rows_(std::uint8_t(grid.rows))
{
    bool used[256] = {};
    for (int r = 0; r < grid.rows; ++r)
        for (int c = 0; c < grid.columns; ++c)
            used[grid.cell[r][c]] = true;
    std::uint8_t code[256] = {};
    for (int value = 0; value < 256; ++value)
        if (used[value])
            code[value] = ++colours_;
    for (int c = 0; c < grid.columns; ++c) {
        height_[c] = rows_;
        for (int h = 0; h < grid.rows; ++h) {
            cell_[c][h] = code[grid.cell[grid.rows - 1 - h][c]];
            ++count_[cell_[c][h]];
        }
    }
}

Board::Board(const Game& game)
    : rows_(std::uint8_t(BoardSize))
    , colours_(std::uint8_t(ColourCount))
{
    for (int c = 0; c < BoardSize; ++c) {
        for (int r = BoardSize - 1; r >= 0 && game.Map[c][r] != 0; --r) {
            const std::uint8_t code = game.Map[c][r];
            cell_[c][height_[c]++] = code;
            ++count_[code];
        }
        columns_ += height_[c] != 0;
    }
}

int Board::coloursLeft() const
{
    return int(std::count_if(count_ + 1, count_ + colours_ + 1, [](std::uint16_t n) { return n != 0; }));
}

void Board::movableCells(std::uint8_t colour, std::uint16_t* of, std::uint16_t* other, Columns columns) const
{
    // What a column shares with its right neighbour, that neighbour shares with its left. Two
    // empty cells compare equal, so the empty cells are taken out once, at the end.
    const __m128i all = _mm_set1_epi8(char(colour));
    const __m128i none = _mm_setzero_si128();
    __m128i here = bytes(cell_[columns.first]);
    __m128i sameLeft = columns.first > 0 ? _mm_cmpeq_epi8(here, bytes(cell_[columns.first - 1])) : none;
    for (int c = columns.first; c < columns.end; ++c) {
        const __m128i right = c + 1 < MaxSide ? bytes(cell_[c + 1]) : none;
        const __m128i sameRight = _mm_cmpeq_epi8(here, right);
        const __m128i up = _mm_cmpeq_epi8(here, _mm_srli_si128(here, 1));
        const __m128i any
            = _mm_or_si128(_mm_or_si128(up, _mm_slli_si128(up, 1)), _mm_or_si128(sameRight, sameLeft));
        const std::uint16_t movable = bits(any) & ~bits(_mm_cmpeq_epi8(here, none));
        const std::uint16_t ofColour = movable & bits(_mm_cmpeq_epi8(here, all));
        of[c] = ofColour;
        other[c] = std::uint16_t(movable & ~ofColour);
        sameLeft = sameRight;
        here = right;
    }
}

std::uint16_t Board::same(int column, std::uint8_t colour) const
{
    return bits(_mm_cmpeq_epi8(bytes(cell_[column]), _mm_set1_epi8(char(colour))));
}

int Board::group(Cell start, std::uint16_t* masks) const
{
    std::uint16_t in[MaxSide];
    std::uint32_t touched = 0;
    const int size = reach(start, in, touched);
    if (masks)
        std::memcpy(masks, in, sizeof in);
    return size;
}

int Board::reach(Cell start, std::uint16_t* in, std::uint32_t& touched) const
{
    // Column masks throughout: the group grows a column at a time, and each column's cells of its
    // colour are found when the group first reaches beside it.
    const std::uint8_t colour = cell_[start.column][start.height];
    std::uint16_t of[MaxSide];
    std::memset(in, 0, MaxSide * sizeof *in);
    std::uint32_t known = 1u << start.column;
    std::uint8_t todo[MaxCells]; // each column goes in when it gains a cell
    int top = 0;
    of[start.column] = same(start.column, colour);
    in[start.column] = fill(1u << start.height, of[start.column]);
    todo[top++] = start.column;
    while (top > 0) {
        const int c = todo[--top];
        for (int n = c - 1; n <= c + 1; n += 2) {
            if (n < 0 || n >= columns_)
                continue;
            if (!(known >> n & 1)) {
                of[n] = same(n, colour);
                known |= 1u << n;
            }
            const std::uint16_t seeds = in[c] & of[n] & ~in[n];
            if (seeds) {
                in[n] = std::uint16_t(in[n] | fill(seeds, of[n]));
                todo[top++] = std::uint8_t(n);
            }
        }
    }
    touched = 0;
    int size = 0;
    for (std::uint32_t left = known; left != 0; left &= left - 1) {
        const int c = std::countr_zero(left);
        if (in[c] != 0) {
            touched |= 1u << c;
            size += int(halfCounts(in[c]));
        }
    }
    return size;
}

bool Board::pair(Cell start, std::uint16_t* masks, std::uint32_t& touched) const
{
    // Six moves in ten of a playout take a pair, which a few comparisons find faster than a
    // flood. Empty cells hold 0 and the columns past the last are empty, so only the edges of the
    // array need testing.
    const int c = start.column;
    const int h = start.height;
    const std::uint8_t colour = cell_[c][h];
    const bool up = h + 1 < MaxSide && cell_[c][h + 1] == colour;
    const bool down = h > 0 && cell_[c][h - 1] == colour;
    const bool right = c + 1 < MaxSide && cell_[c + 1][h] == colour;
    const bool left = c > 0 && cell_[c - 1][h] == colour;
    if (up + down + right + left != 1)
        return false;
    const int oc = c + right - left;
    const int oh = h + up - down;
    const int others = (oh + 1 < MaxSide && oh + 1 != h && cell_[oc][oh + 1] == colour)
                       + (oh > 0 && oh - 1 != h && cell_[oc][oh - 1] == colour)
                       + (oc + 1 < MaxSide && oc + 1 != c && cell_[oc + 1][oh] == colour)
                       + (oc > 0 && oc - 1 != c && cell_[oc - 1][oh] == colour);
    if (others != 0)
        return false;
    masks[c] = std::uint16_t(1u << h);
    masks[oc] = std::uint16_t((oc == c ? masks[c] : 0u) | 1u << oh);
    touched = 1u << c | 1u << oc;
    return true;
}

int Board::groups(Group* out) const
{
    // One pass: a cell joins the group of its left or lower neighbour of its colour, with two
    // labels merged when it has both; union-find on the labels.
    std::uint8_t label[MaxCells];
    std::uint8_t parent[MaxCells];
    std::uint16_t size[MaxCells] = {};
    int labels = 0;
    auto root = [&](int l) {
        while (parent[l] != l)
            l = parent[l] = parent[parent[l]];
        return l;
    };
    for (int c = 0; c < columns_; ++c)
        for (int h = 0; h < height_[c]; ++h) {
            const std::uint8_t colour = cell_[c][h];
            const bool left = c > 0 && h < height_[c - 1] && cell_[c - 1][h] == colour;
            const bool below = h > 0 && cell_[c][h - 1] == colour;
            int l;
            if (left && below) {
                l = root(label[index(c - 1, h)]);
                const int other = root(label[index(c, h - 1)]);
                if (other != l) {
                    parent[other] = std::uint8_t(l);
                    size[l] = std::uint16_t(size[l] + size[other]);
                }
            } else if (left || below) {
                l = root(label[left ? index(c - 1, h) : index(c, h - 1)]);
            } else {
                l = labels++;
                parent[l] = std::uint8_t(l);
            }
            label[index(c, h)] = std::uint8_t(l);
            ++size[l];
        }
    int n = 0;
    bool named[MaxCells] = {};
    for (int c = 0; c < columns_; ++c)
        for (int h = 0; h < height_[c]; ++h) {
            const int l = root(label[index(c, h)]);
            if (size[l] >= 2 && !named[l]) {
                named[l] = true;
                out[n++] = Group{Cell{std::uint8_t(c), std::uint8_t(h)}, size[l], cell_[c][h]};
            }
        }
    return n;
}

bool Board::hasMove() const
{
    for (int c = 0; c < columns_; ++c)
        for (int h = 0; h < height_[c]; ++h)
            if ((h + 1 < height_[c] && cell_[c][h + 1] == cell_[c][h])
                || (c + 1 < columns_ && h < height_[c + 1] && cell_[c + 1][h] == cell_[c][h]))
                return true;
    return false;
}

int Board::remove(Cell start, Columns* changed)
{
    if (start.column >= columns_ || start.height >= height_[start.column])
        return 0;
    std::uint16_t masks[MaxSide];
    std::uint32_t touched = 0;
    const int size = pair(start, masks, touched) ? 2 : reach(start, masks, touched);
    if (size < 2)
        return 0;
    const std::uint8_t colour = cell_[start.column][start.height];
    count_[colour] = std::uint16_t(count_[colour] - size);
    const int first = std::countr_zero(touched);
    const int last = std::bit_width(touched) - 1;
    bool emptied = false;
    for (; touched != 0; touched &= touched - 1) {
        const int c = std::countr_zero(touched);
        const int kept = height_[c] - squeeze(cell_[c], masks[c]);
        height_[c] = std::uint8_t(kept);
        emptied |= kept == 0;
    }
    // Beside the group its neighbours' cells may have lost or gained a match; after an emptied
    // column every column moved.
    if (changed)
        *changed
            = Columns{std::max(0, first - 1), emptied ? int(columns_) : std::min(int(columns_), last + 2)};
    if (emptied) {
        int kept = 0;
        for (int c = 0; c < columns_; ++c)
            if (height_[c] != 0) {
                if (kept != c) {
                    std::memcpy(cell_[kept], cell_[c], MaxSide);
                    height_[kept] = height_[c];
                }
                ++kept;
            }
        for (int c = kept; c < columns_; ++c) {
            std::memset(cell_[c], 0, MaxSide);
            height_[c] = 0;
        }
        columns_ = std::uint8_t(kept);
    }
    return size;
}

std::uint64_t Board::hash() const
{
    // A column's two words, empty cells zero, tell its height too; each word is mixed in by a
    // multiply and a shift.
    std::uint64_t h = columns_;
    for (int c = 0; c < columns_; ++c) {
        std::uint64_t words[2];
        std::memcpy(words, cell_[c], sizeof words);
        for (const std::uint64_t word : words) {
            h = (h ^ word) * 0x9E3779B97F4A7C15u;
            h ^= h >> 29;
        }
    }
    return h;
}

} // namespace tilzo::solve
