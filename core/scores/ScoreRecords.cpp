#include "core/scores/ScoreRecords.h"

#include <algorithm>
#include <cstdint>

namespace tilzo {

namespace {

constexpr std::size_t LargestFile = 1 << 20; // a file past the table is kept, within reason

} // namespace

ScoreTable readRecords(std::string_view bytes)
{
    ScoreTable table;
    for (int k = 0; k < TableSize && std::size_t(k) * RecordSize < bytes.size(); ++k) {
        std::string record(bytes.substr(std::size_t(k) * RecordSize, RecordSize));
        record.resize(RecordSize, '\0');
        std::copy_n(record.begin(), NameLength, table[k].Name.begin());
        std::uint32_t score = 0;
        for (int i = 3; i >= 0; --i)
            score = score << 8 | static_cast<unsigned char>(record[NameLength + i]);
        table[k].Score = static_cast<std::int32_t>(score);
    }
    return table;
}

std::string writeRecords(const ScoreTable& table)
{
    std::string bytes;
    bytes.reserve(RecordsSize);
    for (const HighScore& entry : table) {
        bytes.append(entry.Name.begin(), entry.Name.end());
        const auto score = static_cast<std::uint32_t>(entry.Score);
        for (int i = 0; i < 4; ++i)
            bytes += static_cast<char>(score >> (8 * i));
    }
    return bytes;
}

std::string notATable(std::string_view bytes)
{
    if (bytes.size() > LargestFile)
        return "it is far larger than a table";
    if (!bytes.empty() && bytes.size() < std::size_t(RecordsSize))
        return "it is too short for a table (" + std::to_string(bytes.size()) + " bytes of "
               + std::to_string(RecordsSize) + ")";
    const ScoreTable table = readRecords(bytes);
    const auto better = [](const HighScore& a, const HighScore& b) { return a.Score > b.Score; };
    return std::is_sorted(table.begin(), table.end(), better) ? ""
                                                              : "its scores are not in order, best first";
}

} // namespace tilzo
