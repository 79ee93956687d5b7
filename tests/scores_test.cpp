// The table and high.dat against real files in a folder of their own.
#include "fuzz/ScoreFileCheck.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QLockFile>
#include <QStringDecoder>

#include <pwd.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <random>

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
    for (const QString& entry : entries.split('|'))
        bytes += fuzz::record(entry.section(' ', 0, 0).toLatin1(), entry.section(' ', 1).toInt());
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
class Scores : public ::testing::Test {
protected:
    void SetUp() override
    {
        const passwd* nobody = ::getpwnam("nobody");
        chmod(root.path(), 0777);
        ASSERT_TRUE(::geteuid() != 0 || (nobody && ::setresuid(nobody->pw_uid, nobody->pw_uid, 0) == 0));
        QDir().mkpath(programDir);
    }
    void TearDown() override { ::setresuid(me, me, me); }
    HighScores& start(const QString& user, bool besideProgram = true)
    {
        scores = HighScores(programDir, user, report, besideProgram);
        return scores.GetPoints(), scores;
    }
    HighScores& load(const QByteArray& bytes) { return writeFile(programFile(), bytes), start(userDir); }
    QString programFile() const { return programDir + "/high.dat"; }

    const uid_t me = ::getuid() == 0 ? 0 : ::geteuid();
    QTemporaryDir root;
    QString programDir = root.filePath("program"), userDir = root.filePath("home/data/tilzo");
    QStringList reports;
    HighScores::Report report = [this](const QString& message) { reports << message; };
    HighScores scores{programDir, userDir, report};
};

TEST_F(Scores, APortableCopyKeepsTheFileBesideItAnInstalledOneInTheUserFolderOnly)
{
    for (const bool beside : {false, true}) {
        EXPECT_EQ(start(userDir, beside).filePath(), (beside ? programDir : userDir) + "/high.dat");
        EXPECT_EQ(QDir(programDir).entryList(QDir::Files), beside ? QStringList{"high.dat"} : QStringList{});
        EXPECT_EQ(readFile(scores.filePath()), QByteArray());  // created empty
    }
    programDir = root.filePath("a-file/tilzo");  // no folder can be made below a file
    writeFile(root.filePath("a-file"), "x");
    for (const QString& user : {userDir, QString()}) start(user).checkpoints(fixedName("Ann"), 10);
    EXPECT_EQ(entries(scores) + scores.filePath(), "Ann 10| 0| 0| 0| 0");
    ASSERT_EQ(reports.size(), 1);
    EXPECT_TRUE(reports[0].startsWith("High scores cannot be saved") && reports[0].contains("a-file"));
    EXPECT_TRUE(reports[0].endsWith("nor in \"\" (the folder is not known). The table is kept until the game is closed."));
}

TEST_F(Scores, AnOldFileThatCannotBeReplacedIsCarriedIntoTheUserFolderOrNamedWhenUnreadable)
{
    const QByteArray old = records(Best5) + "and the bytes past them";
    const QString locked = root.filePath("locked");
    QDir().mkpath(locked);
    writeFile(locked + "/high.dat", old);
    for (const auto& [how, mode, link] : {std::tuple("in a read-only folder", 0644, false),
                                          {"a link into a read-only folder", 0644, true}, {"unreadable", 0200, false}}) {
        SCOPED_TRACE(how);
        reports.clear();
        chmod(programDir, 0755);
        QFile::remove(programFile());
        link ? void(QFile::link(locked + "/high.dat", programFile())) : writeFile(programFile(), old);
        chmod(link ? locked : programDir, 0555);
        chmod(programFile(), mode);
        const QString user = root.filePath(how);
        start(user).checkpoints(fixedName("New"), 300);
        start(user);  // the carried table is not carried again
        const bool carried = mode != 0200;
        EXPECT_EQ(entries(scores), carried ? "Ann 500|Ben 400|Cy 300|New 300|Dot 200" : "New 300| 0| 0| 0| 0");
        EXPECT_EQ(readFile(user + "/high.dat").mid(RecordsSize), carried ? old.mid(RecordsSize) : "");
        EXPECT_EQ(reports.size(), carried ? 0 : 1);
        EXPECT_TRUE(carried || reports.value(0).contains("program/high.dat\" cannot be read"));
        chmod(locked, 0755), chmod(programFile(), 0644);
        EXPECT_EQ(readFile(programFile()), old);
    }
}

TEST_F(Scores, AFailedSaveIsReportedAtOnceTheScoreKeptInMemoryAndTheFileLeftWhole)
{
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    const rlimit fullAt60{60, limit.rlim_max};
    std::signal(SIGXFSZ, SIG_IGN);
    const std::pair<std::function<void()>, std::function<void()>> faults[] = {  // each with its mend
        {[&] { QFile::remove(programFile()), ::mkfifo(QFile::encodeName(programFile()), 0644); }, [] {}},
        {[&] { QFile::remove(programFile()), QDir().mkdir(programFile()); }, [&] { QDir().rmdir(programFile()); }},
        {[&] { chmod(programFile(), 0200); }, [&] { chmod(programFile(), 0644); }},
        {[&] { ::setrlimit(RLIMIT_FSIZE, &fullAt60); }, [&] { ::setrlimit(RLIMIT_FSIZE, &limit); }},  // a full disk
    };
    for (const auto& [fault, mend] : faults) {
        reports.clear();
        QFile::remove(programFile());
        load(records(Best5));
        fault();
        QElapsedTimer timer;
        timer.start();
        scores.checkpoints(fixedName("New"), 600);
        EXPECT_LT(timer.elapsed(), 1000) << "a FIFO would block the game";
        mend();
        EXPECT_EQ(entries(scores), "New 600|Ann 500|Ben 400|Cy 300|Dot 200");
        EXPECT_EQ(reports.size(), 1);
        EXPECT_TRUE(!QFileInfo(programFile()).isFile() || readFile(programFile()) == records(Best5));
    }
    EXPECT_EQ(QDir(programDir).entryList(QDir::Files | QDir::Hidden), QStringList{"high.dat"});
}

TEST_F(Scores, TwoCopiesOfTheGameOnOneFileKeepEachOthersScores)
{
    HighScores& first = load(records("Ann 50"));
    HighScores second(programDir, userDir, report);
    second.GetPoints();
    first.checkpoints(fixedName("One"), 30);
    second.checkpoints(fixedName("Two"), 40);
    first.checkpoints(fixedName("Low"), 0);  // enters nothing, yet shows what the other copy saved
    EXPECT_EQ(entries(first), "Ann 50|Two 40|One 30| 0| 0");
    EXPECT_EQ(readFile(programFile()), records("Ann 50|Two 40|One 30") + QByteArray(48, '\0'));
    QLockFile other(programFile() + ".lock");  // held by a copy that never finishes its save
    ASSERT_TRUE(other.lock());
    first.checkpoints(fixedName("Late"), 60);  // refused after the wait; the score stays in memory
    EXPECT_EQ(entries(first), "Late 60|Ann 50|Two 40|One 30| 0");
    EXPECT_TRUE(reports.size() == 1 && reports[0].contains("locked"));
}

TEST_F(Scores, AHugeFileSavesInBoundedMemoryWithEveryByteBeyondTheRecordsKept)
{
    QTemporaryDir shm("/dev/shm/tilzo-XXXXXX");  // on tmpfs the 300 MB cost memory, not disk time
    programDir = shm.isValid() ? shm.path() : programDir;
    const qint64 size = 300 << 20, marks[] = {RecordsSize, 65535, 65536 + RecordsSize, size / 2, size - 1};
    load(records(Best5));
    QFile file(programFile());
    ASSERT_TRUE(file.open(QIODevice::ReadWrite) && file.resize(size));  // sparse
    for (qint64 at : marks) ASSERT_TRUE(file.seek(at) && file.putChar(char(at % 251 + 1)));
    file.close();
    rusage before{}, after{};
    ::getrusage(RUSAGE_SELF, &before);
    scores.checkpoints(fixedName("New"), 600);
    ::getrusage(RUSAGE_SELF, &after);
    EXPECT_LT(after.ru_maxrss - before.ru_maxrss, 50 * 1024) << "kB more at the peak";
    ASSERT_TRUE(file.open(QIODevice::ReadOnly) && file.size() == size);
    EXPECT_EQ(file.read(2 * RecordSize), records("New 600|Ann 500"));
    char byte = 0;
    for (qint64 at : marks) EXPECT_TRUE(file.seek(at) && file.getChar(&byte) && byte == char(at % 251 + 1)) << at;
}

// Random tables with ties, names and scores, then the fuzzer's seeds, each checked as the fuzzer
// checks it: the byte layout, the entry rule, the reset, short files and the bytes past the records.
TEST(ScoreFile, RandomTablesAndTheFuzzSeedsAgreeWithTheRecords)
{
    std::mt19937 pick(2026);
    for (int i = 0; i < 1500; ++i) {
        QByteArray input;
        for (int k = 0; k < 6; ++k) {  // five records and a tail
            QByteArray name(NameLength, ' ');
            for (char& c : name) c = char(pick() % 4 ? ' ' + pick() % 95 : pick());
            input += fuzz::record(name, std::int32_t(pick() % 8) * 10 - 10);
        }
        input.truncate(pick() % input.size());
        for (int k = pick() % 34; k > 0; --k) input += char(pick() % 2 ? 'a' + pick() % 26 : pick());  // name, control
        fuzz::checkScoreFile(input + fuzz::record({}, std::int32_t(pick() % 8) * 10 - 10).right(4));
    }
    for (const auto& seed : std::filesystem::directory_iterator(TILZO_SOURCE_DIR "/fuzz/corpus/fuzz_scorefile")) {
        std::ifstream file(seed.path(), std::ios::binary);
        fuzz::checkScoreFile(QByteArray::fromStdString({std::istreambuf_iterator<char>(file), {}}));
    }
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
