// A save cut off at any moment by the death of the process leaves high.dat as the
// old table or the new one, never a mix, with the bytes past the records intact.
#include "fuzz/ScoreFileCheck.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <random>
#include <thread>

namespace tilzo {

TEST(TornSave, KilledSaverLeavesTheOldOrTheNewTable)
{
    // On tmpfs a save takes microseconds, not a disk's milliseconds, so more kills land inside one.
    QTemporaryDir folder(QDir("/dev/shm").exists() ? "/dev/shm/tilzo-torn-XXXXXX" : QDir::tempPath() + "/torn-XXXXXX");
    QString problem;
    const std::optional<ScoreFile> file = ScoreFile::in(folder.path(), problem);
    ASSERT_TRUE(file) << problem.toStdString();
    ScoreTable tables[2];
    for (int i = 0; i < TableSize; ++i) tables[0][i] = {fixedName("First"), 900 - i}, tables[1][i] = {fixedName("Second"), 500 - i};
    const QByteArray tail(" written by someone else, kept by every save"), saved[] = {writeRecords(tables[0]) + tail, writeRecords(tables[1]) + tail};
    if (QFile start(file->path()); !start.open(QIODevice::WriteOnly) || start.write(QByteArray(RecordsSize, ' ') + tail) <= 0) FAIL();
    const auto began = std::chrono::steady_clock::now();
    ASSERT_TRUE(file->save(tables[0]).isEmpty());
    const auto oneSave = std::chrono::steady_clock::now() - began;

    std::mt19937 random(std::random_device{}());
    int outcomes[2] = {};  // kills that left the table the saver found, the other one
    for (int kill = 0; kill < 300; ++kill) {
        const int held = fuzz::readFile(file->path()) == saved[1];
        const pid_t saver = ::fork();
        if (saver == 0)  // saves the other table, then each in turn, until killed
            for (int next = 1 - held;; next = 1 - next) file->save(tables[next]);
        // Later kills wait longer, so some saves end even on a loaded machine.
        std::this_thread::sleep_for(oneSave * (random() % 1000) * (2 + kill / 10) / 1000);
        ::kill(saver, SIGKILL), ::waitpid(saver, nullptr, 0);
        const QByteArray now = fuzz::readFile(file->path());
        ASSERT_TRUE(now == saved[0] || now == saved[1]) << "after kill " << kill << ": " << now.toHex().toStdString();
        ++outcomes[(now == saved[1]) != held];
        // Every forked saver draws the same temporary names, so those killed saves leave would soon be all taken.
        for (const QString& name : QDir(folder.path()).entryList({"high.dat.*"}, QDir::Files)) QFile::remove(folder.filePath(name));
    }
    EXPECT_TRUE(outcomes[0] > 0 && outcomes[1] > 0) << "kills before a save's end: " << outcomes[0] << ", after: " << outcomes[1];
}

} // namespace tilzo
