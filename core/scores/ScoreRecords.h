#pragma once

#include "core/scores/HighScore.h"

#include <string>
#include <string_view>

namespace tilzo {

// high.dat holds five records and no header: a name of 20 bytes in the code
// page, then the score as a 32-bit little-endian signed integer.
constexpr int RecordSize = NameLength + 4;
constexpr int RecordsSize = TableSize * RecordSize; // 120

// The table the bytes hold. Records the bytes hold only in part take what is
// there and zero for the rest; absent records stay as never filled.
ScoreTable readRecords(std::string_view bytes);

// The 120 bytes of the table.
std::string writeRecords(const ScoreTable& table);

// Why bytes are no high.dat the game writes, empty when they may be one: the file is empty
// or holds the five records best first, then at most a megabyte more.
std::string notATable(std::string_view bytes);

} // namespace tilzo
