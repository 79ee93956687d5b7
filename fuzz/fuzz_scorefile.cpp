// Any bytes as high.dat: loaded, a final score offered, maybe a reset, then
// loaded again. The expected file is worked out from the bytes alone.
//
// Input, read from its end: the score (4 bytes, little-endian), a control byte
// (bits 0-4 the name's length, 0x20 the name is typed text in UTF-8 rather
// than code-page bytes, 0x40 the table is reset afterwards), the name; what
// is left in front is the file.
#include "fuzz/FuzzCheck.h"
#include "scores/CodePage.h"
#include "scores/HighScores.h"
#include "scores/ScoreRecords.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtEndian>

#include <sys/stat.h>

#include <algorithm>
#include <cstdint>

namespace tilzo::fuzz {
namespace {

struct Case {
    QByteArray file;
    QString name;
    bool reset = false;
    std::int32_t points = 0;
};

Case decode(const std::uint8_t* data, std::size_t size)
{
    QByteArrayView rest(reinterpret_cast<const char*>(data), qsizetype(size));
    Case result;
    if (rest.size() >= 4) {
        result.points = qFromLittleEndian<std::int32_t>(rest.last(4).data());
        rest.chop(4);
    }
    std::uint8_t control = 0;
    if (!rest.empty()) {
        control = std::uint8_t(rest.back());
        rest.chop(1);
    }
    const qsizetype nameLength = std::min<qsizetype>(control & 0x1F, rest.size());
    const QByteArrayView name = rest.last(nameLength);
    rest.chop(nameLength);
    // The prompt hands over a fixed-length text, cut or padded to 20 characters.
    result.name = fixedName((control & 0x20) ? QString::fromUtf8(name) : fromCodePage(name));
    result.reset = (control & 0x40) != 0;
    result.file = rest.toByteArray();
    return result;
}

std::int32_t scoreOf(const QByteArray& records, int k)
{
    return qFromLittleEndian<std::int32_t>(records.constData() + k * RecordSize + NameLength);
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    FUZZ_CHECK(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

ino_t inode(const QString& path)
{
    struct stat info {};
    FUZZ_CHECK(::stat(QFile::encodeName(path).constData(), &info) == 0);
    return info.st_ino;
}

// One record as the file stores it: the name's code-page bytes cut or padded with
// spaces to 20, then the score.
QByteArray record(QByteArray name, std::int32_t score)
{
    name = name.left(NameLength);
    name.resize(NameLength, ' ');
    char bytes[4];
    qToLittleEndian(score, bytes);
    return name + QByteArray(bytes, 4);
}

// The table in memory is the one the records hold.
void checkTable(const HighScores& scores, const QByteArray& records)
{
    for (int k = 0; k < TableSize; ++k)
        FUZZ_CHECK(record(toCodePage(scores[k].Name), scores[k].Score) == records.sliced(k * RecordSize, RecordSize));
}

bool descending(const HighScores& scores)
{
    for (int k = 1; k < TableSize; ++k) {
        if (scores[k - 1].Score < scores[k].Score)
            return false;
    }
    return true;
}

// On tmpfs a save's fsync costs next to nothing; on a disk it would cost ten
// times the rest of a run.
QString scratchRoot()
{
    const QFileInfo shm(QStringLiteral("/dev/shm"));
    return shm.isDir() && shm.isWritable() ? shm.filePath() : QDir::tempPath();
}

void run(const Case& input)
{
    static QTemporaryDir folder(scratchRoot() + QStringLiteral("/tilzo-fuzz-XXXXXX"));
    FUZZ_CHECK(folder.isValid());
    const QString path = folder.filePath(QStringLiteral("high.dat"));
    {
        QFile file(path);
        FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        FUZZ_CHECK(file.write(input.file) == input.file.size());
    }

    // Missing bytes of the five records read as zero; bytes past them are kept.
    QByteArray records = input.file.left(RecordsSize);
    records.resize(RecordsSize, '\0');
    const QByteArray tail = input.file.mid(RecordsSize);

    int reports = 0;
    const auto report = [&reports](const QString&) { ++reports; };
    HighScores scores(folder.path(), QString(), report);
    scores.GetPoints();
    FUZZ_CHECK(scores.filePath() == path);
    checkTable(scores, records);
    const bool wasDescending = descending(scores);

    const ino_t before = inode(path);
    scores.checkpoints(input.name, input.points);
    int place = 0;
    while (place < TableSize && input.points <= scoreOf(records, place))
        ++place;
    if (place == TableSize) {
        // Nothing entered: the file is not even rewritten.
        FUZZ_CHECK(inode(path) == before);
        FUZZ_CHECK(readFile(path) == input.file);
    } else {
        records = records.first(place * RecordSize) + record(toCodePage(input.name), input.points)
            + records.sliced(place * RecordSize, (TableSize - 1 - place) * RecordSize);
        FUZZ_CHECK(readFile(path) == records + tail);
        FUZZ_CHECK(scores[place].Name == input.name);
    }
    checkTable(scores, records);
    FUZZ_CHECK(!wasDescending || descending(scores));

    if (input.reset) {
        scores.resetpoints();
        records = record("Anynomous1", 0).repeated(TableSize);
        FUZZ_CHECK(readFile(path) == records + tail);
    }

    HighScores reloaded(folder.path(), QString(), report);
    reloaded.GetPoints();
    checkTable(reloaded, records);
    FUZZ_CHECK(reports == 0);
}

} // namespace
} // namespace tilzo::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    tilzo::fuzz::run(tilzo::fuzz::decode(data, size));
    return 0;
}
