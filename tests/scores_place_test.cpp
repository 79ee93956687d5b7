// Where high.dat lives, and a game that plays on when it cannot be saved.
#include "scores_testing.h"

#include <QFile>

#include <sys/resource.h>

#include <csignal>

namespace tilzo::testing {
namespace {

using Scores = std::vector<std::int32_t>;

// Files may grow to limit bytes while it lives, as on a disk that is full;
// binds root too. A write past the limit fails instead of ending the process.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t limit)
    {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lowered = saved_;
        lowered.rlim_cur = limit;
        ::setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit saved_{};
    void (*previousHandler_)(int) = nullptr;
};

// A folder that cannot be made, for anyone: its parent is a regular file.
QString folderUnderAFile(const QTemporaryDir& root)
{
    const QString file = root.filePath(QStringLiteral("a-file"));
    writeFile(file, "x");
    return file + QStringLiteral("/Tilzo");
}

QStringList folderEntries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

TEST_F(ScoresTest, UsableProgramFolderIsPreferredAndTheUserFolderLeftAlone)
{
    writeFile(programFile(), table500to100());

    scores.GetPoints();

    EXPECT_EQ(scores.filePath(), programFile());
    EXPECT_EQ(scores[0].Score, 500);
    EXPECT_FALSE(QFileInfo::exists(userDir));
    EXPECT_EQ(folderEntries(programDir), QStringList{"high.dat"});  // no trial file left behind
}

class UnusableProgramFolder : public ScoresTest {
protected:
    void expectTheUserFolderHoldsTheTable(HighScores& table)
    {
        EXPECT_EQ(table.filePath(), userFile());
        EXPECT_EQ(QFileInfo(userFile()).size(), 0);
        EXPECT_EQ(reports, QStringList());

        table.checkpoints(fixedName("Ann"), 10);
        EXPECT_EQ(readFile(userFile()).left(RecordSize), record("Ann", 10));
    }
};

TEST_F(UnusableProgramFolder, FolderThatCannotExistFallsBackToTheUserFolder)
{
    HighScores fallback(folderUnderAFile(root), userDir, [this](const QString& message) { reports << message; });
    fallback.GetPoints();
    expectTheUserFolderHoldsTheTable(fallback);
}

TEST_F(UnusableProgramFolder, HighDatThatIsAFolderFallsBackToTheUserFolder)
{
    QDir().mkpath(programFile());
    scores.GetPoints();
    expectTheUserFolderHoldsTheTable(scores);
}

TEST_F(UnusableProgramFolder, ReadOnlyFolderFallsBackForAnOrdinaryUserEvenWithAWritableFile)
{
    // The installed case: a folder the player may read but not write. A file
    // there that the player may write is no use: it cannot be replaced whole.
    writeFile(programFile(), table500to100());
    const auto all = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther | QFile::WriteOther
        | QFile::ExeOther;
    QFile::setPermissions(root.path(), all);
    QFile::setPermissions(programFile(), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther | QFile::WriteOther);
    QFile::setPermissions(programDir, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);
    {
        AsOrdinaryUser player;
        if (player.failed())
            GTEST_SKIP() << "cannot run as an ordinary user here";
        scores.GetPoints();
        expectTheUserFolderHoldsTheTable(scores);
    }
    EXPECT_EQ(readFile(programFile()), table500to100());
}

TEST_F(ScoresTest, WithNoUsableFolderTheGamePlaysOnAndSaysSoOnce)
{
    HighScores inMemory(folderUnderAFile(root), QString(), [this](const QString& message) { reports << message; });
    inMemory.GetPoints();

    ASSERT_EQ(reports.size(), 1);
    EXPECT_TRUE(reports[0].startsWith("High scores cannot be saved")) << reports[0].toStdString();
    EXPECT_TRUE(reports[0].contains("a-file")) << reports[0].toStdString();
    EXPECT_EQ(inMemory.filePath(), QString());

    inMemory.checkpoints(fixedName("Ann"), 10);
    EXPECT_EQ(inMemory[0].shownName(), "Ann");
    inMemory.resetpoints();
    EXPECT_EQ(inMemory[0].shownName(), "Anynomous1");
    EXPECT_EQ(reports.size(), 1);
    EXPECT_FALSE(QFileInfo::exists("high.dat"));  // an unknown folder is not the current one
}

class FailingSave : public ScoresTest {
protected:
    void SetUp() override
    {
        writeFile(programFile(), original);
        scores.GetPoints();
    }

    void expectOneReportPerSaveAndTheFileIntact(int saves)
    {
        EXPECT_EQ(reports.size(), saves);
        for (const QString& report : reports)
            EXPECT_TRUE(report.startsWith("The high scores could not be saved")) << report.toStdString();
        EXPECT_EQ(readFile(programFile()), original);
        EXPECT_EQ(folderEntries(programDir), QStringList{"high.dat"});
    }

    const QByteArray original = table500to100() + "tail";
};

TEST_F(FailingSave, FullDiskKeepsTheTableInMemoryAndTheFileIntact)
{
    {
        FileSizeLimit fullDisk(60);
        scores.checkpoints(fixedName("New"), 600);
        scores.resetpoints();
    }
    EXPECT_EQ(scores[0].shownName(), "Anynomous1");
    expectOneReportPerSaveAndTheFileIntact(2);
}

TEST_F(FailingSave, FileMadeReadOnlyKeepsTheTableInMemoryForAnOrdinaryUser)
{
    const auto all = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther | QFile::WriteOther
        | QFile::ExeOther;
    QFile::setPermissions(root.path(), all);
    QFile::setPermissions(programDir, all);
    QFile::setPermissions(programFile(), QFile::ReadOwner | QFile::ReadOther);
    {
        AsOrdinaryUser player;
        if (player.failed())
            GTEST_SKIP() << "cannot run as an ordinary user here";
        scores.checkpoints(fixedName("New"), 600);
    }
    EXPECT_EQ(scoresInTable(), (Scores{600, 500, 400, 300, 200}));
    expectOneReportPerSaveAndTheFileIntact(1);
}

} // namespace
} // namespace tilzo::testing
