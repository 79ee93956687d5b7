#include "scores/ScoreRecords.h"

#include "scores/CodePage.h"

#include <QtEndian>

#include <algorithm>

namespace tilzo {

ScoreTable readRecords(QByteArrayView bytes)
{
    ScoreTable table;
    for (int k = 0; k < TableSize; ++k) {
        const qsizetype start = qsizetype(k) * RecordSize;
        if (start >= bytes.size())
            break;
        QByteArray record = bytes.sliced(start, std::min<qsizetype>(RecordSize, bytes.size() - start)).toByteArray();
        record.resize(RecordSize, '\0');
        table[k].Name = fromCodePage(QByteArrayView(record).first(NameLength));
        table[k].Score = qFromLittleEndian<std::int32_t>(record.constData() + NameLength);
    }
    return table;
}

QByteArray writeRecords(const ScoreTable& table)
{
    QByteArray bytes;
    bytes.reserve(RecordsSize);
    for (const HighScore& entry : table) {
        // Fixed to 20 bytes like any fixed-length text: a character outside the
        // 16-bit range takes two of a name's 20 characters but one byte.
        QByteArray name = toCodePage(entry.Name).left(NameLength);
        name.resize(NameLength, ' ');
        bytes += name;
        char score[4];
        qToLittleEndian(entry.Score, score);
        bytes.append(score, sizeof score);
    }
    return bytes;
}

} // namespace tilzo
