#include "core/shell/KeptGame.h"

#include "core/game/NumberedDeals.h"
#include "core/scores/CodePage.h"
#include "core/scores/HighScore.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace tilzo {

namespace {

constexpr char Header[] = "Tilzo game 1";
constexpr int Cells = BoardSize * BoardSize;

using Cells16 = std::uint8_t[BoardSize][BoardSize];

// Column by column, each from the top: the order of a deal.
void putCells(std::string& text, const auto& map)
{
    for (int c = 0; c < BoardSize; ++c)
        for (int r = 0; r < BoardSize; ++r)
            text += static_cast<char>('0' + map[c][r]);
}

// The lines of text, one by one, each taken only when it starts with its key.
class Lines {
public:
    explicit Lines(std::string_view text)
        : rest_(text)
    {
    }

    std::optional<std::string_view> take(std::string_view key)
    {
        const std::size_t end = rest_.find('\n');
        if (end == std::string_view::npos || rest_.substr(0, key.size()) != key)
            return std::nullopt;
        const std::string_view value = rest_.substr(key.size(), end - key.size());
        rest_.remove_prefix(end + 1);
        return value;
    }
    bool done() const { return rest_.empty(); }

private:
    std::string_view rest_;
};

template <typename Number>
std::optional<Number> number(std::optional<std::string_view> text)
{
    Number value{};
    if (!text || text->empty())
        return std::nullopt;
    const auto [end, error] = std::from_chars(text->data(), text->data() + text->size(), value);
    if (error != std::errc() || end != text->data() + text->size())
        return std::nullopt;
    return value;
}

// A board the rules can leave: codes 0..5, no block above a hole, no empty column left of a
// filled one.
bool readBoard(std::string_view text, Cells16& map)
{
    if (text.size() != std::size_t(Cells))
        return false;
    bool emptyColumnSeen = false;
    for (int c = 0; c < BoardSize; ++c) {
        bool blockSeen = false;
        for (int r = 0; r < BoardSize; ++r) {
            const char code = text[c * BoardSize + r];
            if (code < '0' || code > '0' + ColourCount || (blockSeen && code == '0'))
                return false;
            blockSeen = blockSeen || code != '0';
            map[c][r] = static_cast<std::uint8_t>(code - '0');
        }
        if (emptyColumnSeen && blockSeen)
            return false;
        emptyColumnSeen = !blockSeen;
    }
    return true;
}

int coloursLeft(const Cells16& map)
{
    std::array<bool, ColourCount + 1> present{};
    for (const auto& column : map)
        for (const std::uint8_t code : column)
            present[code] = true;
    return static_cast<int>(std::count(present.begin() + 1, present.end(), true));
}

// A name the prompt could have given: well-formed UTF-8, no control characters, no longer
// than the table takes, trimmed.
bool readName(std::string_view text)
{
    const std::u32string name = fromUtf8(text);
    return toUtf8(name) == text && name.size() <= std::size_t(NameLength)
           && (name.empty() || (name.front() != U' ' && name.back() != U' '))
           && std::none_of(name.begin(), name.end(), [](char32_t c) { return c < U' ' || c == 0x7F; });
}

} // namespace

std::string keptGame(const Game& game, std::uint32_t board, std::u32string_view playerName)
{
    // The name without the padding of its fixed length.
    const std::size_t end = playerName.find_last_not_of(std::u32string_view(U" \0", 2));
    std::string text = std::string(Header) + "\nboard " + std::to_string(board) + "\nname "
                       + toUtf8(playerName.substr(0, end == std::u32string_view::npos ? 0 : end + 1))
                       + "\npoints " + std::to_string(game.Points) + "\nbonus " + std::to_string(game.Bonus)
                       + "\nover " + (game.GameOver ? "1" : "0") + "\nmap ";
    putCells(text, game.Map);
    if (game.UndoSaved()) {
        text += "\nundo " + std::to_string(game.UndoPoints) + " ";
        putCells(text, game.UndoMap);
    } else {
        text += "\nundo none";
    }
    return text + "\n";
}

std::optional<KeptFacts> resumeGame(std::string_view text, Game& game)
{
    Lines lines(text);
    Cells16 map, undoMap;
    if (!lines.take(Header).has_value())
        return std::nullopt;
    const auto board = number<std::uint32_t>(lines.take("board "));
    const auto name = lines.take("name ");
    const auto points = number<std::int32_t>(lines.take("points "));
    const auto bonus = number<std::int32_t>(lines.take("bonus "));
    const auto over = number<int>(lines.take("over "));
    const auto cells = lines.take("map ");
    const auto undo = lines.take("undo ");
    if (!board || *board < NumberedDeals::FirstBoard || *board > NumberedDeals::LastBoard || !name
        || !readName(*name) || !points || *points < 0 || !bonus || !over || *over < 0 || *over > 1 || !cells
        || !readBoard(*cells, map) || !undo || !lines.done())
        return std::nullopt;
    // The bonus is earned at the end only, 5000 for each colour gone.
    if (*bonus != (*over ? ClearBonus * (ColourCount - coloursLeft(map)) : 0) || *points < *bonus)
        return std::nullopt;
    const bool undoSaved = *undo != "none";
    std::optional<std::int32_t> undoPoints;
    if (undoSaved) {
        const std::size_t space = undo->find(' ');
        undoPoints = number<std::int32_t>(undo->substr(0, space));
        // The snapshot is taken before a move, and moves only add points.
        if (space == std::string_view::npos || !undoPoints || *undoPoints < 0 || *undoPoints > *points
            || !readBoard(undo->substr(space + 1), undoMap))
            return std::nullopt;
    }
    for (int c = 0; c < BoardSize; ++c) {
        std::copy(map[c], map[c] + BoardSize, game.Map[c]);
        if (undoSaved)
            std::copy(undoMap[c], undoMap[c] + BoardSize, game.UndoMap[c]);
    }
    game.Points = *points;
    game.Bonus = *bonus;
    game.GameOver = *over == 1;
    if (undoSaved)
        game.UndoPoints = *undoPoints;
    game.AdoptUndo(undoSaved);
    return KeptFacts{*board, std::string(*name)};
}

} // namespace tilzo
