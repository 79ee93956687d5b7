// A save cut off at any moment by the death of the process leaves high.dat as the
// old table or the new one, never a mix, with the bytes past the records intact.
#include "tests/support/ScoreFileCheck.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <thread>

namespace tilzo {

TEST(TornSave, KilledSaverLeavesTheOldOrTheNewTable)
{
    // On tmpfs a save takes microseconds, not a disk's milliseconds, so more kills land inside one.
    support::TempFolder folder(std::filesystem::exists("/dev/shm") ? "/dev/shm"
                                                                   : std::filesystem::temp_directory_path());
    std::string problem;
    const std::optional<ScoreFile> file = ScoreFile::in(folder.path, problem);
    ASSERT_TRUE(file) << problem;
    ScoreTable tables[2];
    tables[0].fill({nameBytes(U"First"), 900});
    tables[1].fill({nameBytes(U"Second"), 500});
    const std::string tail(" written by someone else, kept by every save");
    const std::string saved[] = {writeRecords(tables[0]) + tail, writeRecords(tables[1]) + tail};
    support::writeFile(file->path(), std::string(RecordsSize, ' ') + tail);
    const auto began = std::chrono::steady_clock::now();
    ASSERT_EQ(file->save(tables[0]), "");
    const auto oneSave = std::chrono::steady_clock::now() - began;

    std::mt19937 random(std::random_device{}());
    int outcomes[2] = {}; // kills that left the table the saver found, the other one
    for (int kill = 0; kill < 300; ++kill) {
        const int held = support::readFile(file->path()) == saved[1];
        const pid_t saver = ::fork();
        if (saver == 0) // saves the other table, then each in turn, until killed
            for (int next = 1 - held;; next = 1 - next)
                file->save(tables[next]);
        // Later kills wait longer, so some saves end even on a loaded machine.
        std::this_thread::sleep_for(oneSave * (random() % 1000) * (2 + kill / 10) / 1000);
        ::kill(saver, SIGKILL);
        ::waitpid(saver, nullptr, 0);
        const std::string now = support::readFile(file->path());
        ASSERT_TRUE(now == saved[0] || now == saved[1]) << "after kill " << kill;
        ++outcomes[(now == saved[1]) != held];
        // Every forked saver draws the same temporary names, so those killed saves leave would soon be all
        // taken.
        for (const auto& entry : std::filesystem::directory_iterator(folder.path))
            if (entry.path().filename() != "high.dat")
                std::filesystem::remove(entry.path());
    }
    EXPECT_GT(outcomes[0], 0) << "no kill came before a save's end";
    EXPECT_GT(outcomes[1], 0) << "no kill came after a save's end";
}

} // namespace tilzo
