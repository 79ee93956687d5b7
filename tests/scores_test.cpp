// The table and high.dat against real files in a folder of their own, on any system.
#include "os/Files.h"
#include "tests/support/TableTest.h"

#include <chrono>
#include <thread>

namespace tilzo {
namespace {

using namespace support;

using Scores = TableTest;

// The fuzzer's seeds, each checked as the fuzzer checks it: the byte layout, the entry rule, the reset, short
// files and the bytes past the records.
TEST(ScoreFile, TheFuzzSeedsAgreeWithTheRecords)
{
    for (const auto& seed :
         std::filesystem::directory_iterator(TILZO_SOURCE_DIR "/fuzz/corpus/fuzz_scorefile"))
        checkScoreFile(readFile(seed.path()));
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
    enter("😀😀😀😀😀😀😀😀😀😀😀😀", 200); // twelve, each four bytes long
    const std::string before = lines(scores);
    EXPECT_EQ(before, "500 Za?\xf3?? g??l? ja??|400 ???? 7|300 Jos\xe9 \x80\x01\x81?|200 ????????????|0 |");
    EXPECT_EQ(lines(start()), before);
    EXPECT_EQ(readFile(file()).substr(3 * RecordSize, RecordSize), record("????????????", 200));
}

// Every byte reads as a character that writes back as that byte; the font's test holds what each byte
// reads as, glyph by glyph.
TEST(CodePage, EveryByteWritesBackAsItself)
{
    for (int byte = 0; byte < 256; ++byte)
        EXPECT_EQ(toCodePage(fromCodePage(char(byte))), char(byte)) << byte;
}

// Scores the table took in memory when their saves failed are entered again, at their places, by the next
// save that succeeds; a reset drops them with the rest. A lock file that cannot be made is named with the
// system's reason, never as held by another copy.
TEST_F(Scores, ScoresKeptWhenTheirSavesFailedAreSavedByTheNextSave)
{
    start();
    enter("Ann", 50);
    std::filesystem::create_directory(file().string() + ".lock"); // a lock path that can never be locked
    const auto began = std::chrono::steady_clock::now();
    for (const auto& [name, points] : {std::pair("Kept", 4720), {"Also", 30}, {"More", 4000}})
        enter(name, points);
    EXPECT_LT(std::chrono::steady_clock::now() - began, std::chrono::seconds(1)) << "waited for a lock";
    ASSERT_EQ(reports.size(), 3u) << reports.back();
    EXPECT_NE(reports[0].find("high.dat.lock is not a lock file. The table is kept"), std::string::npos);
    std::filesystem::remove(file().string() + ".lock");
    enter("Next", 4350);
    const std::string saved = record("Kept", 4720) + record("Next", 4350) + record("More", 4000);
    EXPECT_EQ(readFile(file()), saved + record("Ann", 50) + record("Also", 30));
    enter("Third", 40); // the kept scores are saved once
    EXPECT_EQ(readFile(file()), saved + record("Ann", 50) + record("Third", 40));
    const std::string shown = lines(scores); // before start() reloads the table
    EXPECT_EQ(lines(start()), shown);

    std::filesystem::create_directory(file().string() + ".lock");
    enter("Lost", 9000);
    scores.resetpoints();
    EXPECT_EQ(lines(scores), "0 Anynomous1|0 Anynomous1|0 Anynomous1|0 Anynomous1|0 Anynomous1|");
    std::filesystem::remove(file().string() + ".lock");
    enter("After", 45); // into the file's table, which the failed reset left alone, without the lost score
    EXPECT_EQ(readFile(file()), saved + record("Ann", 50) + record("After", 45));
    std::filesystem::remove_all(program); // gone with the stick it was on
    enter("Gone", 9100);
    EXPECT_NE(reports.back().find("high.dat.lock cannot be made: "), std::string::npos) << reports.back();
}

// Each save reads the file afresh: it waits for another copy's lock, then enters its score among what it
// finds there.
TEST_F(Scores, ASaveEntersItsScoreAmongWhatTheFileHoldsOnceTheOtherCopysLockIsGone)
{
    writeFile(file(), record("Ann", 50));
    start();
    std::filesystem::remove(file()); // the player starts afresh
    enter("Low", 0); // enters nothing, yet shows what the file holds
    EXPECT_EQ(lines(scores), "0 |0 |0 |0 |0 |");

    writeFile(file(), record("Ann", 50) + record("Two", 40) + record("One", 30));
    std::string problem;
    std::optional<os::Lock> other = os::Lock::acquire(file().string() + ".lock", 0, problem);
    ASSERT_TRUE(other) << problem;
    std::thread saving([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        writeFile(file(), record("Ann", 50) + record("Two", 40) + record("Mid", 35) + record("One", 30));
        other.reset();
    });
    enter("Late", 60);
    saving.join();
    EXPECT_EQ(readFile(file()), record("Late", 60) + record("Ann", 50) + record("Two", 40) + record("Mid", 35)
                                    + record("One", 30));
    EXPECT_TRUE(reports.empty()) << reports.front();
}

// A table from elsewhere replaces the file whole, under the lock, and shows at once; bytes the game never
// writes are refused, and the table and its file stay. With no file, it is the table of this session.
TEST_F(Scores, ALoadedTableReplacesTheFileAndWhatTheGameNeverWritesIsRefused)
{
    start();
    enter("Ann", 300);
    const std::string before = readFile(file());
    const std::string desktop = record("Zoe", 900) + record("Max", 500) + std::string(72, '\0') + "kept";
    for (const auto& [bytes, why] :
         {std::pair(std::string("hello"), "too short for a table (5 bytes of 120)"),
          {desktop.substr(0, 119), "too short"},
          {std::string((1 << 20) + 1, '\0'), "far larger than a table"},
          {record("Low", 5) + record("High", 50) + std::string(72, '\0'), "not in order"}}) {
        EXPECT_NE(scores.load(bytes).find(why), std::string::npos) << why;
        EXPECT_EQ(std::tuple(readFile(file()), lines(scores)), std::tuple(before, "300 Ann|0 |0 |0 |0 |"));
    }
    EXPECT_TRUE(scores.holdsScores());
    EXPECT_EQ(scores.load(desktop), "");
    EXPECT_EQ(std::tuple(readFile(file()), scores.fileBytes(), lines(scores)),
              std::tuple(desktop, desktop, "900 Zoe|500 Max|0 |0 |0 |"));
    std::filesystem::create_directory(file().string() + ".lock"); // a lock path that can never be locked
    EXPECT_NE(scores.load(""), "");
    EXPECT_EQ(lines(scores), "900 Zoe|500 Max|0 |0 |0 |");
    HighScores memory({}, report);
    EXPECT_EQ(memory.load(desktop), "");
    EXPECT_EQ(std::tuple(lines(memory), memory.fileBytes()),
              std::tuple("900 Zoe|500 Max|0 |0 |0 |", desktop.substr(0, RecordsSize)));
    std::filesystem::remove(file().string() + ".lock");
    EXPECT_EQ(scores.load(""), "");
    EXPECT_EQ(std::tuple(scores.holdsScores(), readFile(file())), std::tuple(false, ""));
}

} // namespace
} // namespace tilzo
