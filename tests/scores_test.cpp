// The table and high.dat against real files in a folder of their own, on any system.
#include "os/Files.h"
#include "tests/support/TableTest.h"

#include <chrono>
#include <thread>

namespace tilzo {
namespace {

using support::readFile;
using support::record;

using Scores = TableTest;

// The fuzzer's seeds, each checked as the fuzzer checks it: the byte layout, the entry rule, the reset, short
// files and the bytes past the records.
TEST(ScoreFile, TheFuzzSeedsAgreeWithTheRecords)
{
    for (const auto& seed :
         std::filesystem::directory_iterator(TILZO_SOURCE_DIR "/fuzz/corpus/fuzz_scorefile"))
        support::checkScoreFile(readFile(seed.path()));
}

// A name enters the table as the file will hold it: one '?' for each character the code page lacks, counted
// in characters, so the table reads the same after a restart. The five bytes the code page leaves undefined
// and every other byte read and write back unchanged.
TEST_F(Scores, NamesEnterAsTheFileHoldsThemAndReadTheSameAfterARestart)
{
    start();
    enter("Zażółć gęślą jaźń", 500);
    enter("\xd7\xa9\xd7\x9c\xd7\x95\xd7\x9d 7", 400); // Hebrew, then a digit
    enter("  Jos\xc3\xa9 \xe2\x82\xac\x01\xc2\x81\xff", 300); // and a malformed byte
    std::string emoji;
    for (int i = 0; i < 12; ++i)
        emoji += "\xf0\x9f\x98\x80";
    enter(emoji.c_str(), 200);
    const std::string before = lines(scores);
    EXPECT_EQ(before, "500 Za?\xf3?? g??l? ja??|400 ???? 7|300 Jos\xe9 \x80\x01\x81?|200 ????????????|0 |");
    EXPECT_EQ(lines(start()), before);
    EXPECT_EQ(readFile(file()).substr(3 * RecordSize, RecordSize), record("????????????", 200));
    for (int byte = 0; byte < 256; ++byte)
        EXPECT_EQ(toCodePage(fromCodePage(char(byte))), char(byte)) << byte;
}

// A score the table took in memory when its save failed is entered again, at its place, by the next save
// that succeeds; a reset drops it with the rest.
TEST_F(Scores, AScoreKeptWhenItsSaveFailedIsSavedByTheNextSave)
{
    start();
    enter("Ann", 50);
    std::filesystem::create_directory(file().string() + ".lock"); // a lock path that can never be locked
    const auto began = std::chrono::steady_clock::now();
    enter("Kept", 4720);
    EXPECT_LT(std::chrono::steady_clock::now() - began, std::chrono::seconds(1)) << "waited for a lock";
    ASSERT_EQ(reports.size(), 1u) << reports.back();
    EXPECT_NE(reports[0].find("high.dat.lock is not a lock file. The table is kept"), std::string::npos);
    EXPECT_EQ(lines(scores), "4720 Kept|50 Ann|0 |0 |0 |");
    std::filesystem::remove(file().string() + ".lock");
    enter("Next", 4350);
    enter("Third", 1); // the kept score is saved once
    EXPECT_EQ(readFile(file()), record("Kept", 4720) + record("Next", 4350) + record("Ann", 50)
                                    + record("Third", 1) + std::string(RecordSize, '\0'));
    EXPECT_EQ(lines(scores), lines(start()));

    std::filesystem::create_directory(file().string() + ".lock");
    enter("Lost", 9000);
    scores.resetpoints();
    EXPECT_EQ(lines(scores), "0 Anynomous1|0 Anynomous1|0 Anynomous1|0 Anynomous1|0 Anynomous1|");
    std::filesystem::remove(file().string() + ".lock");
    enter("After", 10); // into the file's table, which the failed reset left alone, without the lost score
    EXPECT_EQ(readFile(file()), record("Kept", 4720) + record("Next", 4350) + record("Ann", 50)
                                    + record("After", 10) + record("Third", 1));
}

// Each save waits for the other copy's lock, then enters its score among what it finds in the file.
TEST_F(Scores, TwoCopiesOnOneFileKeepEachOthersScores)
{
    support::writeFile(file(), record("Ann", 50));
    HighScores& first = start();
    HighScores second({program, {}, {}, true}, report);
    second.GetPoints();
    enter("One", 30, &first);
    enter("Two", 40, &second);
    std::filesystem::remove(file()); // the player starts afresh
    enter("Low", 0, &first); // enters nothing, yet shows what the file holds
    EXPECT_EQ(lines(first), "0 |0 |0 |0 |0 |");

    support::writeFile(file(), record("Ann", 50) + record("Two", 40) + record("One", 30));
    std::string problem;
    std::optional<os::Lock> other = os::Lock::acquire(file().string() + ".lock", 0, problem);
    ASSERT_TRUE(other) << problem;
    std::thread saving([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        support::writeFile(file(),
                           record("Ann", 50) + record("Two", 40) + record("Mid", 35) + record("One", 30));
        other.reset();
    });
    enter("Late", 60, &first);
    saving.join();
    EXPECT_EQ(readFile(file()), record("Late", 60) + record("Ann", 50) + record("Two", 40) + record("Mid", 35)
                                    + record("One", 30));
    EXPECT_TRUE(reports.empty()) << reports.front();
}

} // namespace
} // namespace tilzo
