// Entering a final score and resetting the table, seen in the table and in high.dat.
#include "scores_testing.h"

namespace tilzo::testing {
namespace {

using Scores = std::vector<std::int32_t>;

class EmptyStart : public ScoresTest {
protected:
    void SetUp() override { scores.GetPoints(); }
};

TEST_F(EmptyStart, CreatesAnEmptyFileAndLeavesEveryEntryUnfilled)
{
    EXPECT_EQ(scores.filePath(), programFile());
    ASSERT_TRUE(QFile::exists(programFile()));
    EXPECT_EQ(QFileInfo(programFile()).size(), 0);
    for (int i = 0; i < TableSize; ++i) {
        EXPECT_EQ(scores[i].Name, QString(NameLength, QChar(0)));
        EXPECT_EQ(scores[i].Score, 0);
        EXPECT_EQ(scores[i].shownName(), QString());
    }
    EXPECT_TRUE(reports.isEmpty());
}

TEST_F(EmptyStart, ScoreOfZeroOrLessEntersNothingAndWritesNothing)
{
    scores.checkpoints(fixedName("Ann"), 0);
    scores.checkpoints(fixedName("Ann"), -10);

    EXPECT_EQ(scoresInTable(), Scores(5, 0));
    EXPECT_EQ(QFileInfo(programFile()).size(), 0);
}

TEST_F(EmptyStart, ScoreOfTenEntersOnceAtTheTopAndWrites120Bytes)
{
    scores.checkpoints(fixedName("Bob"), 10);

    EXPECT_EQ(scores[0].Name, fixedName("Bob"));
    EXPECT_EQ(scoresInTable(), (Scores{10, 0, 0, 0, 0}));
    const QByteArray expected =
        "Bob" + QByteArray(17, ' ') + QByteArray("\x0A\0\0\0", 4) + QByteArray(4 * RecordSize, '\0');
    EXPECT_EQ(readFile(programFile()), expected);
    EXPECT_TRUE(reports.isEmpty());
}

class FullTable : public ScoresTest {
protected:
    void SetUp() override
    {
        writeFile(programFile(), table500to100());
        scores.GetPoints();
    }
};

TEST_F(FullTable, EqualScoreEntersBelowAndTheLastEntryIsDropped)
{
    scores.checkpoints(fixedName("New"), 300);

    EXPECT_EQ(scoresInTable(), (Scores{500, 400, 300, 300, 200}));
    EXPECT_EQ(shownNames(), (QStringList{"Ann", "Ben", "Cy", "New", "Dot"}));
    EXPECT_EQ(readFile(programFile()),
              records({{"Ann", 500}, {"Ben", 400}, {"Cy", 300}, {"New", 300}, {"Dot", 200}}));
}

TEST_F(FullTable, ScoreEqualToTheLastChangesNothingAndLeavesTheFileAlone)
{
    const ino_t before = inode(programFile());

    scores.checkpoints(fixedName("New"), 100);

    EXPECT_EQ(scoresInTable(), (Scores{500, 400, 300, 200, 100}));
    EXPECT_EQ(inode(programFile()), before);  // a save would have replaced it
    EXPECT_EQ(readFile(programFile()), table500to100());
}

TEST_F(FullTable, BestScoreEntersAtTheTopAndEveryEntryMovesDown)
{
    scores.checkpoints(fixedName("Top"), 600);

    EXPECT_EQ(scoresInTable(), (Scores{600, 500, 400, 300, 200}));
    EXPECT_EQ(shownNames(), (QStringList{"Top", "Ann", "Ben", "Cy", "Dot"}));
}

TEST_F(ScoresTest, ScoresAreComparedAsSignedNumbers)
{
    writeFile(programFile(), records({{"A", 5}, {"B", -1}, {"C", -2}, {"D", -3}, {"E", -4}}));
    scores.GetPoints();

    scores.checkpoints(fixedName("Zed"), 0);

    EXPECT_EQ(scoresInTable(), (Scores{5, 0, -1, -2, -3}));
}

TEST_F(EmptyStart, EntryTakesThePlayerNameAsItStands)
{
    const QString name = QStringLiteral("  Al  ") + QString(14, QLatin1Char(' '));
    scores.checkpoints(name, 10);

    EXPECT_EQ(scores[0].Name, name);
    EXPECT_EQ(readFile(programFile()).left(NameLength), "  Al" + QByteArray(16, ' '));
}

TEST_F(FullTable, ResetWritesFiveDefaultRecords)
{
    scores.resetpoints();

    const QByteArray expected = "Anynomous1" + QByteArray(10, ' ') + QByteArray(4, '\0');
    EXPECT_EQ(readFile(programFile()), expected.repeated(TableSize));
    EXPECT_EQ(scoresInTable(), Scores(5, 0));
    EXPECT_EQ(shownNames(), QStringList(5, "Anynomous1"));
}

} // namespace
} // namespace tilzo::testing
