#pragma once

#include "scores/HighScores.h"
#include "scores/ScoreRecords.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <initializer_list>
#include <ostream>
#include <utility>
#include <vector>

// Readable failure messages.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace tilzo::testing {

inline QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// One 24-byte record: name bytes padded with spaces to 20, score little-endian.
inline QByteArray record(QByteArray name, std::int32_t score)
{
    name.resize(NameLength, ' ');
    const auto value = std::uint32_t(score);
    for (int shift = 0; shift < 32; shift += 8)
        name.append(char((value >> shift) & 0xFF));
    return name;
}

inline QByteArray records(std::initializer_list<std::pair<QByteArray, std::int32_t>> entries)
{
    QByteArray bytes;
    for (const auto& [name, score] : entries)
        bytes += record(name, score);
    return bytes;
}

inline QByteArray table500to100()
{
    return records({{"Ann", 500}, {"Ben", 400}, {"Cy", 300}, {"Dot", 200}, {"Eve", 100}});
}

inline ino_t inode(const QString& path)
{
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_ino : 0;
}

// A table over a program folder and a per-user folder (not created) in a
// temporary directory; reports are collected.
class ScoresTest : public ::testing::Test {
protected:
    ScoresTest() { QDir().mkpath(programDir); }

    QString programFile() const { return programDir + QStringLiteral("/high.dat"); }
    QString userFile() const { return userDir + QStringLiteral("/high.dat"); }

    std::vector<std::int32_t> scoresInTable() const
    {
        std::vector<std::int32_t> result;
        for (int i = 0; i < TableSize; ++i)
            result.push_back(scores[i].Score);
        return result;
    }

    QStringList shownNames() const
    {
        QStringList result;
        for (int i = 0; i < TableSize; ++i)
            result << scores[i].shownName();
        return result;
    }

    QTemporaryDir root;
    QString programDir = root.filePath(QStringLiteral("program"));
    QString userDir = root.filePath(QStringLiteral("home/data/Tilzo"));
    QStringList reports;
    HighScores scores{programDir, userDir, [this](const QString& message) { reports << message; }};
};

// Runs as the unprivileged user "nobody" while it lives, so that permission
// bits bind as they do for a player; root ignores them.
class AsOrdinaryUser {
public:
    AsOrdinaryUser()
    {
        if (::geteuid() != 0)
            return;
        const passwd* nobody = ::getpwnam("nobody");
        groups_.resize(::getgroups(0, nullptr));
        ::getgroups(int(groups_.size()), groups_.data());
        // Real and effective ids both, as access() checks the real ones; the saved
        // ids stay root's, so that the destructor can switch back.
        switched_ = nobody != nullptr && ::setgroups(0, nullptr) == 0
            && ::setresgid(nobody->pw_gid, nobody->pw_gid, 0) == 0 && ::setresuid(nobody->pw_uid, nobody->pw_uid, 0) == 0;
        failed_ = !switched_;
    }
    ~AsOrdinaryUser()
    {
        if (switched_) {
            EXPECT_EQ(::setresuid(0, 0, 0), 0);
            EXPECT_EQ(::setresgid(0, 0, 0), 0);
            EXPECT_EQ(::setgroups(groups_.size(), groups_.data()), 0);
        }
    }
    AsOrdinaryUser(const AsOrdinaryUser&) = delete;
    AsOrdinaryUser& operator=(const AsOrdinaryUser&) = delete;

    bool failed() const { return failed_; }

private:
    std::vector<gid_t> groups_;
    bool switched_ = false;
    bool failed_ = false;
};

} // namespace tilzo::testing
