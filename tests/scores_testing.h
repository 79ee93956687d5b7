#pragma once

#include "scores/HighScores.h"
#include "scores/ScoreRecords.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace tilzo::testing {

inline QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
}

inline QByteArray record(QByteArray name, std::int32_t score)
{
    name.resize(NameLength, ' ');
    for (int shift = 0; shift < 32; shift += 8)
        name.append(char(std::uint32_t(score) >> shift));
    return name;
}

// "Ann 500|Ben 400" as the records high.dat holds for it.
inline QByteArray records(const QString& entries)
{
    QByteArray bytes;
    for (const QString& entry : entries.split('|'))
        bytes += record(entry.section(' ', 0, 0).toLatin1(), entry.section(' ', 1).toInt());
    return bytes;
}

const QString Best5 = QStringLiteral("Ann 500|Ben 400|Cy 300|Dot 200|Eve 100");

class ScoresTest : public ::testing::Test {
protected:
    ScoresTest() { QDir().mkpath(programDir); }

    void load(const QByteArray& bytes)
    {
        writeFile(programFile(), bytes);
        scores = HighScores(programDir, userDir, report);
        scores.GetPoints();
    }
    // The table as "Ann 500|Ben 400|...", names as shown.
    QString entries() const
    {
        QStringList shown;
        for (int i = 0; i < TableSize; ++i)
            shown << scores[i].shownName() + ' ' + QString::number(scores[i].Score);
        return shown.join('|');
    }
    QString programFile() const { return programDir + "/high.dat"; }
    QString userFile() const { return userDir + "/high.dat"; }

    QTemporaryDir root;
    QString programDir = root.filePath("program");
    QString userDir = root.filePath("home/data/Tilzo");
    QStringList reports;
    HighScores::Report report = [this](const QString& message) { reports << message; };
    HighScores scores{programDir, userDir, report};
};

} // namespace tilzo::testing
