#include "scores_testing.h"

#include <QScopeGuard>

#include <pwd.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>

namespace tilzo::testing {

TEST_F(ScoresTest, FolderThatCannotExistFallsBackToTheUserOneAndWithNeitherTheGamePlaysOnAndSaysSoOnce)
{
    writeFile(root.filePath("a-file"), "x");
    for (const QString& user : {userDir, QString()}) {
        scores = HighScores(root.filePath("a-file/Tilzo"), user, report);
        scores.GetPoints();
        scores.checkpoints(fixedName("Ann"), 10);
        scores.checkpoints(fixedName("Ben"), 20);
        EXPECT_EQ(entries(), "Ben 20|Ann 10| 0| 0| 0");
    }
    EXPECT_EQ(readFile(userFile()), records("Ben 20|Ann 10") + QByteArray(72, '\0'));
    EXPECT_EQ(scores.filePath(), QString());
    ASSERT_EQ(reports.size(), 1);
    EXPECT_TRUE(reports[0].startsWith("High scores cannot be saved") && reports[0].contains("a-file"))
        << reports[0].toStdString();
    EXPECT_FALSE(QFileInfo::exists("high.dat"));
}

TEST_F(ScoresTest, PlayerWhoCannotReplaceTheFileUsesTheUserFolderAndKeepsTheOldFile)
{
    // Root ignores permission bits, so it plays as nobody; the saved id brings it back however the test ends.
    const uid_t me = ::geteuid();
    const passwd* nobody = ::getpwnam("nobody");
    if (me == 0 && !nobody)
        GTEST_SKIP() << "needs the user nobody";
    load(records(Best5));
    const auto chmod = [](const QString& path, mode_t mode) { ::chmod(QFile::encodeName(path).constData(), mode); };
    chmod(root.path(), 0777);
    chmod(programFile(), 0666);  // writable, yet not to be replaced whole in a read-only folder
    chmod(programDir, 0555);
    const auto meAgain = qScopeGuard([me] { EXPECT_EQ(::setresuid(me, me, me), 0); });
    const uid_t player = me == 0 ? nobody->pw_uid : me;
    ASSERT_EQ(::setresuid(player, player, me), 0);

    scores.GetPoints();
    ASSERT_EQ(scores.filePath(), userFile());
    scores.checkpoints(fixedName("Ann"), 10);
    chmod(userFile(), 0444);
    scores.checkpoints(fixedName("Ben"), 20);
    EXPECT_EQ(entries(), "Ben 20|Ann 10| 0| 0| 0");
    EXPECT_EQ(readFile(userFile()), records("Ann 10") + QByteArray(96, '\0'));
    EXPECT_EQ(readFile(programFile()), records(Best5));
    EXPECT_EQ(reports.filter("The high scores could not be saved").size(), 1);
}

TEST_F(ScoresTest, FullDiskKeepsTheTableInMemoryAndTheFileWhole)
{
    load(records(Best5));
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    const rlimit fullAt60{60, limit.rlim_max};
    ::setrlimit(RLIMIT_FSIZE, &fullAt60);
    scores.checkpoints(fixedName("New"), 600);
    scores.resetpoints();
    ::setrlimit(RLIMIT_FSIZE, &limit);

    EXPECT_EQ(entries(), QStringList(TableSize, "Anynomous1 0").join('|'));
    EXPECT_EQ(reports.filter("The high scores could not be saved").size(), 2);
    EXPECT_EQ(readFile(programFile()), records(Best5));
    EXPECT_EQ(QDir(programDir).entryList(QDir::Files), QStringList{"high.dat"});
}

} // namespace tilzo::testing
