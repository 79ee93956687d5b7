#include "scores_testing.h"

namespace tilzo::testing {

TEST_F(ScoresTest, MissingFileIsCreatedEmptyAndOnlyAScoreAboveZeroEntersIt)
{
    scores.GetPoints();
    EXPECT_EQ(scores.filePath(), programFile());
    EXPECT_EQ(QDir(programDir).entryList(QDir::Files), QStringList{"high.dat"});
    EXPECT_FALSE(QFileInfo::exists(userDir));
    EXPECT_EQ(entries(), " 0| 0| 0| 0| 0");

    scores.checkpoints(fixedName("Ann"), 0);
    scores.checkpoints(fixedName("Ann"), -10);
    EXPECT_EQ(readFile(programFile()), QByteArray());

    scores.checkpoints(fixedName("Bob"), 10);
    const QByteArray bob = "Bob" + QByteArray(17, ' ') + QByteArray("\x0A\0\0\0", 4);
    EXPECT_EQ(readFile(programFile()), bob + QByteArray(96, '\0'));
}

TEST_F(ScoresTest, ScoreEntersBelowEqualOnesAndPushesTheLastOut)
{
    const std::pair<int, QString> cases[] = {
        {300, "Ann 500|Ben 400|Cy 300|New 300|Dot 200"},
        {100, Best5},
        {600, "New 600|Ann 500|Ben 400|Cy 300|Dot 200"},
    };
    for (const auto& [points, expected] : cases) {
        load(records(Best5));
        scores.checkpoints(fixedName("New"), points);
        EXPECT_EQ(entries(), expected);
        EXPECT_EQ(readFile(programFile()), records(expected));
    }
}

TEST_F(ScoresTest, ResetWritesFiveDefaultsAndKeepsTheBytesPastTheRecords)
{
    load(records(Best5) + "0123456789");
    EXPECT_EQ(entries(), Best5);
    scores.resetpoints();
    EXPECT_EQ(entries(), QStringList(TableSize, "Anynomous1 0").join('|'));
    const QByteArray reset = "Anynomous1" + QByteArray(10, ' ') + QByteArray(4, '\0');
    EXPECT_EQ(readFile(programFile()), reset.repeated(TableSize) + "0123456789");
}

} // namespace tilzo::testing
