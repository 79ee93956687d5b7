// Any bytes as high.dat: loaded, a final score offered, maybe a reset. The table and
// the file each step must leave are worked out from the bytes alone. The
// score-file fuzzer and the scores tests both feed it.
//
// Input, read from its end: the score (4 bytes, little-endian), a control byte
// (bits 0-4 the name's length, 0x20 the name is typed text in UTF-8 rather than
// code-page bytes, 0x40 the table is reset afterwards), the name; what is left in
// front is the file.
#pragma once

#include "core/scores/CodePage.h"
#include "core/scores/HighScores.h"
#include "core/scores/ScoreRecords.h"
#include "tests/support/FuzzCheck.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

namespace tilzo::support {

// A folder of its own, removed with everything in it at the end.
struct TempFolder {
    explicit TempFolder(std::filesystem::path base = std::filesystem::temp_directory_path())
        : path(base / ("tilzo-" + std::to_string(std::random_device{}())))
    {
        std::filesystem::create_directories(path);
    }
    ~TempFolder() { std::filesystem::remove_all(path, error); }
    std::filesystem::path path;
    std::error_code error; // a folder that cannot be removed is left behind
};

inline std::string readFile(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    FUZZ_CHECK(file.is_open());
    return std::string(std::istreambuf_iterator<char>(file), {});
}

inline void writeFile(const std::filesystem::path& path, std::string_view bytes)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    FUZZ_CHECK(file.write(bytes.data(), std::streamsize(bytes.size())).flush().good());
}

// One record as the file stores it: the name's bytes cut or padded with spaces to 20, then the score.
inline std::string record(std::string name, std::int32_t score)
{
    name.resize(NameLength, ' ');
    for (int i = 0; i < 4; ++i)
        name += char(std::uint32_t(score) >> (8 * i));
    return name;
}

// The score at a byte offset; both builds run on little-endian machines, like the file.
inline std::int32_t scoreAt(std::string_view bytes, std::size_t at)
{
    std::int32_t score;
    std::memcpy(&score, bytes.data() + at, sizeof score);
    return score;
}

// The table in memory is the one the records hold.
inline void checkTable(const HighScores& scores, std::string_view records)
{
    for (int k = 0; k < TableSize; ++k)
        FUZZ_CHECK(record(std::string(scores[k].Name.begin(), scores[k].Name.end()), scores[k].Score)
                   == records.substr(k * RecordSize, RecordSize));
}

inline void checkScoreFile(std::string_view input)
{
    const std::int32_t points = input.size() >= 4 ? scoreAt(input, input.size() - 4) : 0;
    input.remove_suffix(input.size() >= 4 ? 4 : 0);
    const std::uint8_t control = input.empty() ? 0 : std::uint8_t(input.back());
    input.remove_suffix(input.empty() ? 0 : 1);
    const auto typed = input.substr(input.size() - std::min<std::size_t>(control & 0x1F, input.size()));
    input.remove_suffix(typed.size());
    // The prompt hands over a fixed-length text.
    std::u32string name;
    for (const char byte : typed)
        name += fromCodePage(byte);
    name = fixedText(control & 0x20 ? fromUtf8(typed) : name);

    // On tmpfs a save's fsync costs next to nothing.
    static TempFolder folder(std::filesystem::exists("/dev/shm") ? "/dev/shm"
                                                                 : std::filesystem::temp_directory_path());
    const std::filesystem::path path = folder.path / "high.dat";
    writeFile(path, input);
    // Missing bytes of the five records read as zero; bytes past them are kept.
    std::string records(input.substr(0, RecordsSize));
    records.resize(RecordsSize, '\0');
    const std::string tail(input.substr(std::min<std::size_t>(input.size(), RecordsSize)));

    int reports = 0;
    HighScores scores({folder.path, {}, {}, true}, [&reports](const std::string&) { ++reports; });
    scores.GetPoints();
    checkTable(scores, records);
    scores.checkpoints(name, points);
    int place = 0;
    while (place < TableSize && points <= scoreAt(records, place * RecordSize + NameLength))
        ++place;
    if (place < TableSize) {
        const NameBytes stored = nameBytes(name);
        records.insert(place * RecordSize, record(std::string(stored.begin(), stored.end()), points));
        records.resize(RecordsSize);
    }
    FUZZ_CHECK(readFile(path) == (place < TableSize ? records + tail : std::string(input)));
    checkTable(scores, records);
    if (control & 0x40) {
        scores.resetpoints();
        for (int k = 0; k < TableSize; ++k)
            records.replace(k * RecordSize, RecordSize, record("Anynomous1", 0));
        FUZZ_CHECK(readFile(path) == records + tail);
    }
    FUZZ_CHECK(reports == 0);
}

} // namespace tilzo::support
