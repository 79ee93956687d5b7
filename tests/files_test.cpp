// high.dat on a hostile POSIX file system: permissions, FIFOs, links, a full or read-only
// disk, and where the per-user folder is.
#include "os/Files.h"
#include "tests/support/TableTest.h"

#include <pwd.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>

namespace tilzo {
namespace {

using namespace support;
namespace fs = std::filesystem;

const std::string Best5
    = record("Ann", 500) + record("Ben", 400) + record("Cy", 300) + record("Dot", 200) + record("Eve", 100);

// Plays as an ordinary user, since root ignores permission bits; the saved id brings root back.
struct Files : TableTest {
    void SetUp() override
    {
        const passwd* nobody = ::getpwnam("nobody");
        fs::permissions(root.path, fs::perms::all);
        ::chown(program.c_str(), nobody ? nobody->pw_uid : -1, -1);
        ASSERT_TRUE(::geteuid() != 0 || (nobody && ::setresuid(nobody->pw_uid, nobody->pw_uid, 0) == 0));
    }
    void TearDown() override
    {
        ::setresuid(me, me, me);
        ::umount(mounted.c_str()); // fails harmlessly where nothing was mounted
    }
    // A small tmpfs at folder, mounted as root; false where mounts are not allowed.
    bool mountSmall(const fs::path& folder, unsigned long flags = 0)
    {
        ::setresuid(-1, me, -1);
        fs::create_directories(folder);
        mounted = folder;
        const bool done = ::mount("tilzo", folder.c_str(), "tmpfs", flags, "size=64k,mode=0777") == 0;
        SetUp();
        return done;
    }

    const uid_t me = ::getuid() == 0 ? 0 : ::geteuid();
    fs::path user = root.path / "home/data/tilzo";
    fs::path mounted;
};

TEST_F(Files, APortableCopyKeepsTheFileBesideItElseTheUserFolderHasItOrNoneAndSaysSo)
{
    for (const bool beside : {false, true}) {
        EXPECT_EQ(start(user, beside).filePath(), (beside ? program : user) / "high.dat");
        EXPECT_EQ(fs::exists(file()), beside);
        EXPECT_EQ(readFile(scores.filePath()), ""); // created empty
    }
    fs::remove(file());
    fs::create_directory(root.path / "shared");
    fs::create_symlink("../shared/high.dat", file()); // relative: followed from the link's own folder
    EXPECT_TRUE(fs::equivalent(start(user).filePath(), root.path / "shared/high.dat"));
    fs::remove(file());
    ::mkfifo(file().c_str(), 0644); // would block a read
    EXPECT_EQ(start(user).filePath(), user / "high.dat");
    EXPECT_TRUE(reports.empty());
    fs::permissions(program, fs::perms::owner_read | fs::perms::owner_exec);
    start({});
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_PRED_FORMAT2(testing::IsSubstring, "/program\" (Permission denied) nor in \"\" (none is known).",
                        reports[0]);
    start({}, false); // an installed copy has only the user's folder to try
    EXPECT_EQ(reports.back(),
              "High scores cannot be saved: none is known. The table is kept until the game is closed.");
}

TEST_F(Files, AnOldFileThatCannotBeReplacedIsCarriedIntoTheUserFolderOrNamedWhenUnreadable)
{
    const std::string old = Best5 + "and the bytes past them";
    const fs::path locked = root.path / "locked";
    fs::create_directory(locked);
    writeFile(locked / "high.dat", old);
    fs::create_symlink("locked/high.dat", root.path / "between"); // links are followed to the end
    for (const auto& [how, kept, link] : {std::tuple("in a read-only folder", true, false),
                                          {"a link into a read-only folder", true, true},
                                          {"unreadable", false, false}}) {
        SCOPED_TRACE(how);
        reports.clear();
        fs::permissions(program, fs::perms::all);
        fs::remove(file());
        link ? fs::create_symlink(root.path / "between", file()) : writeFile(file(), old);
        ::chmod((link ? locked : program).c_str(), 0555);
        ::chmod(file().c_str(), kept ? 0644 : 0200);
        const fs::path other = root.path / how;
        start(other);
        enter("New", 300);
        start(other); // the carried table is not carried again
        EXPECT_EQ(lines(scores), kept ? "500 Ann|400 Ben|300 Cy|300 New|200 Dot|" : "300 New|0 |0 |0 |0 |");
        EXPECT_EQ(readFile(other / "high.dat").substr(RecordsSize), kept ? old.substr(RecordsSize) : "");
        EXPECT_EQ(reports.size(), kept ? 0u : 1u);
        ::chmod(locked.c_str(), 0755);
        ::chmod(file().c_str(), 0644);
        EXPECT_EQ(readFile(file()), old);
    }
}

// A save that fails keeps the score in memory, says why in the system's words once, and leaves the file
// whole.
TEST_F(Files, AFailedSaveNamesItsRealCause)
{
    writeFile(file(), Best5);
    start(user);
    std::string problem;
    std::optional<os::Lock> other = os::Lock::acquire(file().string() + ".lock", 0, problem);
    enter("Gone", 700); // another copy never finishes its save
    other.reset();
    ::chmod(file().c_str(), 0200); // unreadable: no table, so no save
    enter("Hidden", 600);
    ::chmod(file().c_str(), 0644);
    fs::rename(file(), file().string() + ".old");
    ::mkfifo(file().c_str(), 0644); // a read would block
    enter("Fifo", 350);
    EXPECT_EQ(lines(scores), "700 Gone|600 Hidden|500 Ann|400 Ben|350 Fifo|");
    ASSERT_EQ(reports.size(), 3u);
    EXPECT_NE(reports[0].find("another copy of the game keeps it locked"), std::string::npos);
    EXPECT_NE(reports[1].find(": Permission denied. The table is kept"), std::string::npos);
    EXPECT_NE(reports[2].find("high.dat is not a regular file"), std::string::npos);
    EXPECT_EQ(readFile(file().string() + ".old"), Best5);

    if (!mountSmall(root.path / "full"))
        GTEST_SKIP() << "no tmpfs can be mounted here";
    program = root.path / "full";
    start({});
    std::ofstream(program / "filler", std::ios::binary) << std::string(64 * 1024, 'x');
    enter("Full", 4720);
    EXPECT_NE(reports.back().find(": No space left on device. The table is kept"), std::string::npos);
    EXPECT_EQ(lines(scores), "4720 Full|0 |0 |0 |0 |");
    mountSmall(root.path / "full", MS_REMOUNT | MS_RDONLY); // and now read-only
    start({});
    EXPECT_NE(reports.back().find("/full\" (Read-only file system)"), std::string::npos) << reports.back();
}

// The program's folder is where it lives, not the working folder it was started from.
TEST(Folders, TheProgramsIsWhereItLivesTheUsersFollowsTheXdgRulesAnInstalledCopySitsBesideItsEntry)
{
    TempFolder prefix;
    fs::current_path(prefix.path);
    EXPECT_TRUE(fs::equivalent(HighScores::Folders::ofThisProgram().program, TILZO_TEST_DIR));
    fs::create_directories(prefix.path / "share/applications");
    writeFile(prefix.path / "share/applications/org.tilzo.Tilzo.desktop", "");
    EXPECT_TRUE(os::isInstalledCopy(prefix.path / "games"));
    EXPECT_FALSE(os::isInstalledCopy(prefix.path / "build"));

    // Each test runs in a process of its own: the environment need not be put back.
    const auto folder = [](const char* data, const char* home) {
        data ? ::setenv("XDG_DATA_HOME", data, 1) : ::unsetenv("XDG_DATA_HOME");
        home ? ::setenv("HOME", home, 1) : ::unsetenv("HOME");
        std::string problem;
        return os::userDataDir(problem).string() + problem;
    };
    EXPECT_EQ(folder("/data", "/home/ann"), "/data/tilzo");
    EXPECT_EQ(folder("data", "/home/ann"), "/home/ann/.local/share/tilzo");
    EXPECT_EQ(folder(nullptr, nullptr), "there is no home folder (HOME is not set to an absolute path)");
    EXPECT_EQ(folder("data", "home"), folder(nullptr, nullptr));
}

} // namespace
} // namespace tilzo
