// The table and high.dat against real files in a folder of their own.
#include "fuzz/ScoreFileCheck.h"

#include <gtest/gtest.h>

#include <QLockFile>
#include <QStringDecoder>

#include <pwd.h>
#include <sys/stat.h>

#include <thread>

namespace tilzo {
namespace {

using fuzz::readFile;

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
}

void chmod(const QString& path, mode_t mode) { ::chmod(QFile::encodeName(path).constData(), mode); }

// "Ann 500|Ben 400" as the records high.dat holds for it, and what a table shows.
QByteArray records(const QString& entries)
{
    QByteArray bytes;
    for (const QString& entry : entries.split('|')) bytes += fuzz::record(entry.section(' ', 0, 0).toLatin1(), entry.section(' ', 1).toInt());
    return bytes;
}

QString entries(const HighScores& table)
{
    QStringList shown;
    for (int i = 0; i < TableSize; ++i) shown << table[i].shownName() + ' ' + QString::number(table[i].Score);
    return shown.join('|');
}

const QString Best5 = QStringLiteral("Ann 500|Ben 400|Cy 300|Dot 200|Eve 100");

// Plays as an ordinary user, since root ignores permission bits; the saved id brings root back.
struct Scores : ::testing::Test {
    void SetUp() override
    {
        const passwd* nobody = ::getpwnam("nobody");
        chmod(root.path(), 0777);
        ASSERT_TRUE(::geteuid() != 0 || (nobody && ::setresuid(nobody->pw_uid, nobody->pw_uid, 0) == 0));
        QDir().mkpath(programDir);
    }
    void TearDown() override { ::setresuid(me, me, me); }
    HighScores& start(const QString& user, bool beside = true) { return scores = HighScores(programDir, user, report, beside), scores.GetPoints(), scores; }
    HighScores& load(const QByteArray& bytes) { return writeFile(programFile(), bytes), start(userDir); }
    QString programFile() const { return programDir + "/high.dat"; }

    const uid_t me = ::getuid() == 0 ? 0 : ::geteuid();
    QTemporaryDir root;
    QString programDir = root.filePath("program"), userDir = root.filePath("home/data/tilzo");
    QStringList reports;
    HighScores::Report report = [this](const QString& message) { reports << message; };
    HighScores scores{programDir, userDir, report};
};

TEST_F(Scores, APortableCopyKeepsTheFileBesideItElseTheUserFolderHasItOrNoneAndSaysSo)
{
    for (const bool beside : {false, true}) {
        EXPECT_EQ(start(userDir, beside).filePath(), (beside ? programDir : userDir) + "/high.dat");
        EXPECT_EQ(QDir(programDir).entryList(QDir::Files), beside ? QStringList{"high.dat"} : QStringList{});
        EXPECT_EQ(readFile(scores.filePath()), QByteArray());  // created empty
    }
    QFile::remove(programFile()), ::mkfifo(QFile::encodeName(programFile()), 0644);  // would block a read
    EXPECT_EQ(std::pair(start(userDir).filePath(), reports), std::pair(userDir + "/high.dat", QStringList()));
    programDir = root.filePath("a-file/tilzo");  // no folder can be made below a file, and none is known for the user
    writeFile(root.filePath("a-file"), "x");
    EXPECT_TRUE(start(QString()).filePath().isEmpty() && reports.size() == 1 && reports[0].contains("a-file")
                && reports[0].endsWith("nor in \"\" (the folder is not known). The table is kept until the game is closed."));
}

TEST_F(Scores, AnOldFileThatCannotBeReplacedIsCarriedIntoTheUserFolderOrNamedWhenUnreadable)
{
    const QByteArray old = records(Best5) + "and the bytes past them";
    const QString locked = root.filePath("locked"), between = root.filePath("between");
    QDir().mkpath(locked), writeFile(locked + "/high.dat", old);
    QFile::link(locked + "/high.dat", between);  // links are followed to the end
    for (const auto& [how, mode, link] : {std::tuple("in a read-only folder", 0644, false),
                                          {"a link into a read-only folder", 0644, true}, {"unreadable", 0200, false}}) {
        SCOPED_TRACE(how);
        reports.clear(), chmod(programDir, 0755);
        QFile::remove(programFile());
        link ? void(QFile::link(between, programFile())) : writeFile(programFile(), old);
        chmod(link ? locked : programDir, 0555);
        chmod(programFile(), mode);
        const QString user = root.filePath(how);
        start(user).checkpoints(fixedName("New"), 300), start(user);  // the carried table is not carried again
        const bool carried = mode != 0200;
        EXPECT_EQ(entries(scores), carried ? "Ann 500|Ben 400|Cy 300|New 300|Dot 200" : "New 300| 0| 0| 0| 0");
        EXPECT_EQ(readFile(user + "/high.dat").mid(RecordsSize), carried ? old.mid(RecordsSize) : "");
        EXPECT_TRUE(carried ? reports.isEmpty() : reports.size() == 1 && reports[0].contains("program/high.dat\" cannot be read"));
        chmod(locked, 0755), chmod(programFile(), 0644);
        EXPECT_EQ(readFile(programFile()), old);
    }
}

// Each save waits for the other copy's lock, then enters its score among what it finds in the file. A save that
// fails keeps the score in memory, says why once, and leaves the file whole.
TEST_F(Scores, TwoCopiesOnOneFileKeepEachOthersScoresAndAFailedSaveLosesNone)
{
    HighScores& first = load(records("Ann 50"));
    HighScores second(programDir, userDir, report);
    second.GetPoints();
    first.checkpoints(fixedName("One"), 30), second.checkpoints(fixedName("Two"), 40);
    QFile::remove(programFile());  // the player starts afresh
    first.checkpoints(fixedName("Low"), 0);  // enters nothing, yet shows what the file holds
    EXPECT_EQ(entries(first), " 0| 0| 0| 0| 0");
    writeFile(programFile(), records("Ann 50|Two 40|One 30"));
    QLockFile other(programFile() + ".lock");
    ASSERT_TRUE(other.lock());
    const auto othersSave = [&] { std::this_thread::sleep_for(std::chrono::milliseconds(300)), writeFile(programFile(), records("Ann 50|Two 40|Mid 35|One 30")), other.unlock(); };
    std::thread saving(othersSave);
    first.checkpoints(fixedName("Late"), 60);
    saving.join();
    const QByteArray saved = records("Late 60|Ann 50|Two 40|Mid 35|One 30");
    EXPECT_EQ(readFile(programFile()), saved);

    ASSERT_TRUE(other.lock());  // held by a copy that never finishes its save
    second.checkpoints(fixedName("Gone"), 70);
    other.unlock();
    QFile::rename(programFile(), programFile() + ".old"), ::mkfifo(QFile::encodeName(programFile()), 0644);  // a read would block
    second.checkpoints(fixedName("Fifo"), 20);
    EXPECT_EQ(entries(second), "Gone 70|Ann 50|Two 40|One 30|Fifo 20");
    EXPECT_TRUE(reports.size() == 2 && reports[0].contains("locked") && readFile(programFile() + ".old") == saved);
}

// The fuzzer's seeds, each checked as the fuzzer checks it: the byte layout, the entry rule, the reset, short
// files and the bytes past the records.
TEST(ScoreFile, TheFuzzSeedsAgreeWithTheRecords)
{
    const QDir seeds(TILZO_SOURCE_DIR "/fuzz/corpus/fuzz_scorefile");
    for (const QString& seed : seeds.entryList(QDir::Files)) fuzz::checkScoreFile(readFile(seeds.filePath(seed)));
}

TEST(CodePage, NamesAreStoredInWindows1252WithQuestionMarksForWhatItLacksAndCutWhole)
{
    ASSERT_TRUE(QStringDecoder("windows-1252").isValid()) << "this Qt has no Windows-1252 converter (ICU)";
    const QString lacking = QStringLiteral("\U0001F600\u4E2D\u0100\u200D") + QChar(0xD800);
    const QByteArray bytes = toCodePage(QStringLiteral("  Jos\u00E9 \u20AC") + lacking + QChar(0x1A));
    EXPECT_EQ(bytes, "  Jos\xE9 \x80?????\x1A");
    EXPECT_EQ(fromCodePage(bytes), QStringLiteral("  Jos\u00E9 \u20AC?????\x1A"));
    const QString x19(19, 'x'), smile = QStringLiteral("\U0001F600");
    EXPECT_EQ(fixedName(x19 + smile), x19 + ' ');  // half a character is never kept
    EXPECT_EQ(fixedName(x19.left(18) + smile + 'y'), x19.left(18) + smile);
    EXPECT_EQ((HighScore{" \tCy " + QString(15, QChar(0)), 0}).shownName(), "\tCy");
}

} // namespace
} // namespace tilzo
