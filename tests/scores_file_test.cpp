// What high.dat holds: files of every length, names in the code page, and
// bytes written elsewhere read and written back unchanged.
#include "scores_testing.h"

namespace tilzo::testing {
namespace {

using Scores = std::vector<std::int32_t>;

const QString Unfilled(NameLength, QChar(0));

TEST_F(ScoresTest, LongerFileGivesFiveEntriesAndKeepsItsBytesPast120)
{
    const QByteArray extra("0123456789");
    writeFile(programFile(), table500to100() + extra);
    scores.GetPoints();
    EXPECT_EQ(scoresInTable(), (Scores{500, 400, 300, 200, 100}));

    scores.resetpoints();

    const QByteArray saved = readFile(programFile());
    ASSERT_EQ(saved.size(), 130);
    EXPECT_EQ(saved.sliced(RecordsSize), extra);
}

TEST_F(ScoresTest, FileOfTwoRecordsLeavesTheOthersUnfilledAndGrowsTo120OnSave)
{
    writeFile(programFile(), records({{"Ann", 50}, {"Ben", 40}}));
    scores.GetPoints();

    EXPECT_EQ(scoresInTable(), (Scores{50, 40, 0, 0, 0}));
    EXPECT_EQ(shownNames(), (QStringList{"Ann", "Ben", "", "", ""}));
    for (int i = 2; i < TableSize; ++i)
        EXPECT_EQ(scores[i].Name, Unfilled);

    scores.checkpoints(fixedName("Cy"), 45);
    EXPECT_EQ(readFile(programFile()),
              records({{"Ann", 50}, {"Cy", 45}, {"Ben", 40}}) + QByteArray(2 * RecordSize, '\0'));
}

TEST_F(ScoresTest, RecordHeldInPartTakesItsBytesAndZeroForTheRest)
{
    // 50 bytes: two whole records, then two bytes of a name.
    writeFile(programFile(), table500to100().first(50));
    scores.GetPoints();
    EXPECT_EQ(scores[2].Name, QStringLiteral("Cy") + QString(18, QChar(0)));
    EXPECT_EQ(scores[2].Score, 0);
    EXPECT_EQ(scores[3].Name, Unfilled);

    // 46 bytes: the second record's name and the low half of its score.
    writeFile(programFile(), records({{"Ann", 1}, {"Ben", 0x7FFF1234}}).first(46));
    scores.GetPoints();
    EXPECT_EQ(scores[1].shownName(), "Ben");
    EXPECT_EQ(scores[1].Score, 0x1234);
}

TEST_F(ScoresTest, AnyBytesOfAFileReadAndWriteBackUnchanged)
{
    // Control bytes, bytes the code page leaves undefined, zero, negative scores.
    const QByteArray odd("\x01\x1A\x81\x8D\x8F\x90\x9D\x00\xFF\x7F", 10);
    const QByteArray original = records({{odd, 9}, {odd + odd, 8}, {"\xE9\x80", 7}, {"", -1}, {"x", INT32_MIN}});
    writeFile(programFile(), original);
    scores.GetPoints();
    EXPECT_EQ(scoresInTable(), (Scores{9, 8, 7, -1, INT32_MIN}));

    scores.checkpoints(fixedName("Last"), -2);

    const QByteArray saved = readFile(programFile());
    EXPECT_EQ(saved.first(4 * RecordSize), original.first(4 * RecordSize));
    EXPECT_EQ(saved.sliced(4 * RecordSize), record("Last", -2));
}

class EmptyStartNames : public ScoresTest {
protected:
    void SetUp() override { scores.GetPoints(); }

    // The 20 name bytes that entering name stores, and the name read back from them.
    std::pair<QByteArray, QString> roundTrip(const QString& name)
    {
        scores.checkpoints(fixedName(name), 10);
        HighScores again(programDir, userDir, [this](const QString& message) { reports << message; });
        again.GetPoints();
        return {readFile(programFile()).left(NameLength), again[0].Name};
    }
};

TEST_F(EmptyStartNames, LettersOfTheCodePageKeepTheirBytes)
{
    const auto [bytes, name] = roundTrip(QStringLiteral("José €5"));
    EXPECT_EQ(bytes, "Jos\xE9 \x80" "5" + QByteArray(13, ' '));
    EXPECT_EQ(name, fixedName(QStringLiteral("José €5")));
}

TEST_F(EmptyStartNames, CharactersOutsideTheCodePageBecomeQuestionMarks)
{
    // One outside the 16-bit range, two the code page lacks, one the converter
    // would drop, half a pair, and SUB (26), which the code page has.
    const QString name = QStringLiteral("a\U0001F600b\u4E2Dc\u0100d\u200De") + QChar(0xD800)
        + QStringLiteral("é\x1A");
    const auto [bytes, readBack] = roundTrip(name);
    EXPECT_EQ(bytes, "a?b?c?d?e?\xE9\x1A" + QByteArray(8, ' '));
    EXPECT_EQ(readBack, fixedName(QStringLiteral("a?b?c?d?e?é\x1A")));
}

TEST(FixedName, CutsAndPadsToTwentyWithoutSplittingAPair)
{
    EXPECT_EQ(fixedName("Ann"), "Ann" + QString(17, QLatin1Char(' ')));
    EXPECT_EQ(fixedName(QString(25, QLatin1Char('x'))), QString(20, QLatin1Char('x')));
    const QString smile = QStringLiteral("\U0001F600");
    EXPECT_EQ(fixedName(QString(19, QLatin1Char('x')) + smile), QString(19, QLatin1Char('x')) + QLatin1Char(' '));
    EXPECT_EQ(fixedName(QString(18, QLatin1Char('x')) + smile), QString(18, QLatin1Char('x')) + smile);
}

TEST(ShownName, LeavesOutZeroCharactersAndTrimsOnlySpaces)
{
    EXPECT_EQ((HighScore{Unfilled, 0}).shownName(), "");
    EXPECT_EQ((HighScore{fixedName("  Ann"), 0}).shownName(), "Ann");
    EXPECT_EQ((HighScore{QStringLiteral("Cy") + QString(18, QChar(0)), 0}).shownName(), "Cy");
    EXPECT_EQ((HighScore{fixedName("\tDot"), 0}).shownName(), "\tDot");
}

} // namespace
} // namespace tilzo::testing
