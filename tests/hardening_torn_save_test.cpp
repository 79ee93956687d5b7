// A save cut off at any moment by the death of the process leaves high.dat as the
// old table or the new one, never a mix, with the bytes past the records intact.
#include "scores/ScoreFile.h"
#include "scores/ScoreRecords.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <random>
#include <thread>

namespace tilzo {
namespace {

ScoreTable tableOf(const char* name, std::int32_t best)
{
    ScoreTable table;
    for (int i = 0; i < TableSize; ++i)
        table[i] = HighScore{fixedName(QString::fromLatin1(name)), best - 10 * i};
    return table;
}

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

// On tmpfs a save takes tens of microseconds, not the milliseconds of a disk's
// fsync, so far more of the kills land while bytes are being written.
QString scratchRoot()
{
    const QFileInfo shm(QStringLiteral("/dev/shm"));
    return shm.isDir() && shm.isWritable() ? shm.filePath() : QDir::tempPath();
}

void removeTemporaries(const ScoreFile& file)
{
    const QFileInfo info(file.path());
    QDir folder = info.dir();
    for (const QString& name : folder.entryList({info.fileName() + QStringLiteral(".*")}, QDir::Files | QDir::Hidden))
        folder.remove(name);
}

// Saves the two tables in turn, starting with the one the file does not hold,
// until it is killed. Never returns.
[[noreturn]] void saveForever(const ScoreFile& file, const ScoreTable& first, const ScoreTable& second,
                              bool startWithSecond, int readyPipe)
{
    const char ready = 1;
    if (::write(readyPipe, &ready, 1) != 1)
        ::_exit(2);
    for (bool secondNext = startWithSecond;; secondNext = !secondNext) {
        const QString problem = file.save(secondNext ? second : first);
        if (!problem.isEmpty()) {
            std::fprintf(stderr, "save failed: %s\n", qPrintable(problem));
            ::_exit(1);
        }
    }
}

TEST(TornSave, KilledSaverLeavesTheOldOrTheNewTable)
{
    QTemporaryDir folder(scratchRoot() + QStringLiteral("/tilzo-torn-XXXXXX"));
    ASSERT_TRUE(folder.isValid());
    QString problem;
    const std::optional<ScoreFile> file = ScoreFile::in(folder.path(), problem);
    ASSERT_TRUE(file) << problem.toStdString();

    const QByteArray tail("written by someone else, kept by every save");
    const ScoreTable first = tableOf("First", 900);
    const ScoreTable second = tableOf("Second", 500);
    const QByteArray firstBytes = writeRecords(first) + tail;
    const QByteArray secondBytes = writeRecords(second) + tail;
    {
        QFile start(file->path());
        ASSERT_TRUE(start.open(QIODevice::WriteOnly));
        ASSERT_EQ(start.write(firstBytes), firstBytes.size());
    }

    // Kills spread over the first few saves of each saver.
    const auto started = std::chrono::steady_clock::now();
    for (int i = 0; i < 20; ++i)
        ASSERT_TRUE(file->save(i % 2 == 0 ? second : first).isEmpty());
    const auto fewSaves = (std::chrono::steady_clock::now() - started) / 4;

    const unsigned seed = std::random_device{}();
    SCOPED_TRACE(::testing::Message() << "seed " << seed);
    std::mt19937 random(seed);
    std::uniform_int_distribution<long> delayNs(0, std::chrono::nanoseconds(fewSaves).count());

    int oldTables = 0;
    int newTables = 0;
    for (int kill = 0; kill < 300; ++kill) {
        const bool holdsFirst = contents(file->path()) == firstBytes;
        int ready[2];
        ASSERT_EQ(::pipe(ready), 0);
        const pid_t saver = ::fork();
        ASSERT_NE(saver, -1);
        if (saver == 0) {
            ::close(ready[0]);
            saveForever(*file, first, second, holdsFirst, ready[1]);
        }
        ::close(ready[1]);
        char signal = 0;
        ASSERT_EQ(::read(ready[0], &signal, 1), 1);
        ::close(ready[0]);

        std::this_thread::sleep_for(std::chrono::nanoseconds(delayNs(random)));
        ::kill(saver, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(saver, &status, 0), saver);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the saver stopped on its own, status " << status;

        const QByteArray now = contents(file->path());
        ASSERT_TRUE(now == firstBytes || now == secondBytes)
            << "after kill " << kill << " high.dat holds " << now.toHex().toStdString();
        ++((now == firstBytes) == holdsFirst ? oldTables : newTables);

        // A killed save leaves its temporary file behind. Every forked saver draws
        // the same temporary names, which fresh processes would not, so after a few
        // dozen kills the names would all be taken and saves would fail.
        removeTemporaries(*file);
    }
    // Both outcomes, or the kills never fell inside a save.
    EXPECT_GT(oldTables, 0);
    EXPECT_GT(newTables, 0);
}

} // namespace
} // namespace tilzo
