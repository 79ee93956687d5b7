#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tilzo {

constexpr int NameLength = 20;
constexpr int TableSize = 5;

// A name as high.dat holds it: 20 bytes of the code page. A name no file ever filled
// holds 20 zero bytes.
using NameBytes = std::array<char, NameLength>;

// A fixed-length text: cut to 20 characters (code points, so a character is never split),
// padded with spaces at the end.
std::u32string fixedText(std::u32string_view text);
// The name exactly as the file will hold it, so the table shows the same before and after
// a restart: a character the code page lacks becomes one '?'.
NameBytes nameBytes(std::u32string_view text);

struct HighScore {
    NameBytes Name{};
    std::int32_t Score = 0;

    // The name as a table line shows it, in code-page bytes: spaces trimmed at both ends,
    // zero bytes left out.
    std::string shownName() const;
};

using ScoreTable = std::array<HighScore, TableSize>; // index 0 the best

} // namespace tilzo
