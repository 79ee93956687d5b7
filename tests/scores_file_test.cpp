#include "scores_testing.h"

namespace tilzo::testing {

TEST_F(ScoresTest, ShortFileFillsTheRecordsItHoldsAndZeroTheRest)
{
    load(records(Best5).left(50));
    EXPECT_EQ(entries(), "Ann 500|Ben 400|Cy 0| 0| 0");
    EXPECT_EQ(scores[2].Name, "Cy" + QString(18, QChar(0)));

    load(records("Ann 1|Ben " + QString::number(0x12345678)).left(46));
    EXPECT_EQ(scores[1].Score, 0x5678);

    load(records("Ann 50|Ben 40"));
    scores.checkpoints(fixedName("Cy"), 45);
    EXPECT_EQ(readFile(programFile()), records("Ann 50|Cy 45|Ben 40") + QByteArray(48, '\0'));
}

TEST_F(ScoresTest, AnyBytesAndNegativeScoresWriteBackAsTheyStand)
{
    const QByteArray odd("\x01\x1A\x81\x8D\x8F\x90\x9D\x00\xFF\x7F", 10);
    const QByteArray kept = record(odd, 9) + record(odd + odd, 8) + record("\xE9\x80", 7) + record("", -1);
    load(kept + record("x", INT32_MIN));
    scores.checkpoints(fixedName("Last"), -2);
    EXPECT_EQ(readFile(programFile()), kept + record("Last", -2));
}

TEST_F(ScoresTest, NamesAreStoredInTheCodePageWithQuestionMarksForWhatItLacks)
{
    load({});
    const QString lacking = QStringLiteral("\U0001F600\u4E2D\u0100\u200D") + QChar(0xD800);
    scores.checkpoints(fixedName(QStringLiteral("  José €") + lacking + QChar(0x1A)), 10);
    EXPECT_EQ(readFile(programFile()).left(NameLength), "  Jos\xE9 \x80?????\x1A" + QByteArray(6, ' '));
    load(readFile(programFile()));
    EXPECT_EQ(scores[0].Name, fixedName(QStringLiteral("  José €?????\x1A")));
}

TEST(HighScore, NamesAreFixedToTwentyWholeCharactersAndShownWithoutZerosOrOuterSpaces)
{
    const QString x18(18, 'x'), smile = QStringLiteral("\U0001F600");
    EXPECT_EQ(fixedName(QString(25, 'x')), QString(20, 'x'));
    EXPECT_EQ(fixedName(x18 + 'x' + smile), x18 + "x ");
    EXPECT_EQ(fixedName(x18 + smile + 'y'), x18 + smile);
    EXPECT_EQ((HighScore{" \tCy " + QString(15, QChar(0)), 0}).shownName(), "\tCy");
}

} // namespace tilzo::testing
