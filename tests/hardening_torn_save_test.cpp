// A save cut off at any moment by the death of the process leaves high.dat as the
// old table or the new one, never a mix, with the bytes past the records intact.
#include "scores/ScoreFile.h"
#include "scores/ScoreRecords.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <random>
#include <thread>

namespace tilzo {

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

TEST(TornSave, KilledSaverLeavesTheOldOrTheNewTable)
{
    // On tmpfs a save takes microseconds, not a disk's milliseconds, so more kills land inside one.
    QTemporaryDir folder(QDir("/dev/shm").exists() ? "/dev/shm/tilzo-torn-XXXXXX" : QDir::tempPath() + "/torn-XXXXXX");
    QString problem;
    const std::optional<ScoreFile> file = ScoreFile::in(folder.path(), problem);
    ASSERT_TRUE(file) << problem.toStdString();
    ScoreTable tables[2];
    for (int i = 0; i < TableSize; ++i)
        tables[0][i] = {fixedName("First"), 900 - i}, tables[1][i] = {fixedName("Second"), 500 - i};
    const QByteArray tail(" written by someone else, kept by every save");
    QFile start(file->path());
    ASSERT_TRUE(start.open(QIODevice::WriteOnly) && start.write(QByteArray(RecordsSize, ' ') + tail) > 0);
    start.close();
    const auto began = std::chrono::steady_clock::now();
    for (int i = 0; i < 4; ++i)
        ASSERT_TRUE(file->save(tables[i % 2]).isEmpty());
    const long oneSave = std::chrono::nanoseconds(std::chrono::steady_clock::now() - began).count() / 4;

    std::mt19937 random(std::random_device{}());
    int outcomes[2] = {};  // the old table, the new one
    for (int kill = 0; kill < 300; ++kill) {
        const int held = contents(file->path()) == writeRecords(tables[1]) + tail;
        int ready[2];
        ASSERT_EQ(::pipe(ready), 0);
        const pid_t saver = ::fork();
        if (saver == 0) {  // says it is ready, then saves the other table, then each in turn, until killed
            if (::write(ready[1], "", 1) == 1)
                for (int next = 1 - held;; next = 1 - next)
                    file->save(tables[next]);
            ::_exit(2);
        }
        char signal = 0;
        ASSERT_EQ(::read(ready[0], &signal, 1), 1);
        ::close(ready[0]), ::close(ready[1]);
        // Later kills wait longer, so some saves end even on a loaded machine.
        std::this_thread::sleep_for(std::chrono::nanoseconds(random() % (oneSave * (2 + kill / 20) + 1)));
        ::kill(saver, SIGKILL);
        ASSERT_EQ(::waitpid(saver, nullptr, 0), saver);
        const QByteArray now = contents(file->path());
        const int table = now == writeRecords(tables[1]) + tail;
        ASSERT_TRUE(table || now == writeRecords(tables[0]) + tail) << "after kill " << kill << ": " << now.toHex().toStdString();
        ++outcomes[table != held];
        // Every forked saver draws the same temporary names, so those killed saves leave would soon be all taken.
        for (const QString& name : QDir(folder.path()).entryList({"high.dat.*"}, QDir::Files | QDir::Hidden))
            QFile::remove(folder.filePath(name));
    }
    EXPECT_TRUE(outcomes[0] > 0 && outcomes[1] > 0) << "kills before a save's end: " << outcomes[0] << ", after: " << outcomes[1];
}

} // namespace tilzo
