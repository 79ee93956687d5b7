// Any bytes as high.dat: loaded, a final score offered, maybe a reset. The table and
// the file each step must leave are worked out from the bytes alone. The
// score-file fuzzer and the scores tests both feed it.
//
// Input, read from its end: the score (4 bytes, little-endian), a control byte
// (bits 0-4 the name's length, 0x20 the name is typed text in UTF-8 rather than
// code-page bytes, 0x40 the table is reset afterwards), the name; what is left in
// front is the file.
#pragma once

#include "fuzz/FuzzCheck.h"
#include "scores/CodePage.h"
#include "scores/HighScores.h"
#include "scores/ScoreRecords.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

namespace tilzo::fuzz {

inline QByteArray readFile(const QString& path)
{
    QFile file(path);
    FUZZ_CHECK(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

// One record as the file stores it: the name's bytes cut or padded with spaces to 20, then the score.
inline QByteArray record(const QByteArray& name, std::int32_t score)
{
    char bytes[4];
    qToLittleEndian(score, bytes);
    return name.left(NameLength).leftJustified(NameLength, ' ') + QByteArray(bytes, 4);
}

// The table in memory is the one the records hold.
inline void checkTable(const HighScores& scores, const QByteArray& records)
{
    for (int k = 0; k < TableSize; ++k)
        FUZZ_CHECK(record(toCodePage(scores[k].Name), scores[k].Score) == records.sliced(k * RecordSize, RecordSize));
}

inline void checkScoreFile(QByteArrayView input)
{
    std::int32_t points = 0;
    if (input.size() >= 4) points = qFromLittleEndian<std::int32_t>(input.last(4).data()), input.chop(4);
    const std::uint8_t control = input.empty() ? 0 : std::uint8_t(input.back());
    input.chop(input.empty() ? 0 : 1);
    const QByteArrayView typed = input.last(std::min<qsizetype>(control & 0x1F, input.size()));
    input.chop(typed.size());
    // The prompt hands over a fixed-length text.
    const QString name = fixedName(control & 0x20 ? QString::fromUtf8(typed) : fromCodePage(typed));

    // On tmpfs a save's fsync costs next to nothing.
    static QTemporaryDir folder(QDir("/dev/shm").exists() ? "/dev/shm/tilzo-fuzz-XXXXXX" : QDir::tempPath() + "/fuzz-XXXXXX");
    const QString path = folder.filePath("high.dat");
    if (QFile file(path); !file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(input.data(), input.size()) != input.size()) FUZZ_CHECK(false);
    // Missing bytes of the five records read as zero; bytes past them are kept.
    QByteArray records = input.first(std::min<qsizetype>(input.size(), RecordsSize)).toByteArray();
    records.resize(RecordsSize, '\0');
    const QByteArray tail = input.sliced(std::min<qsizetype>(input.size(), RecordsSize)).toByteArray();

    int reports = 0;
    HighScores scores(folder.path(), QString(), [&reports](const QString&) { ++reports; });
    scores.GetPoints();
    checkTable(scores, records);
    scores.checkpoints(name, points);
    int place = 0;
    while (place < TableSize && points <= qFromLittleEndian<std::int32_t>(records.constData() + place * RecordSize + NameLength)) ++place;
    if (place < TableSize)
        records = records.first(place * RecordSize) + record(toCodePage(name), points)
                + records.sliced(place * RecordSize, (TableSize - 1 - place) * RecordSize);
    FUZZ_CHECK(readFile(path) == (place < TableSize ? records + tail : input.toByteArray()));
    checkTable(scores, records);
    if (control & 0x40) {
        scores.resetpoints();
        records = record("Anynomous1", 0).repeated(TableSize);
        FUZZ_CHECK(readFile(path) == records + tail);
    }
    FUZZ_CHECK(reports == 0);
}

} // namespace tilzo::fuzz
