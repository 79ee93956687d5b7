#include "app/InstalledCopy.h"
#include "app/PlayerName.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(PlayerName, IsCutToTwentyThenTrimmedOfSpacesThenPadded)
{
    const QString letters = QStringLiteral("abcdefghijklmnopqrstuvwxy");  // 25
    const auto padded = [](const QString& text) { return text + QString(20 - text.size(), u' '); };
    const std::pair<QString, QString> cases[] = {
        {QStringLiteral("Tilzo"), padded(QStringLiteral("Tilzo"))},
        {QString(), QString(20, u' ')},  // cancel
        {QStringLiteral("  abc  "), padded(QStringLiteral("abc"))},
        {QStringLiteral("\ta b\t "), padded(QStringLiteral("\ta b\t"))},  // only spaces are trimmed
        {letters, letters.left(20)},
        {QStringLiteral("     ") + letters.left(20), padded(letters.left(15))},
    };
    for (const auto& [reply, stored] : cases)
        EXPECT_EQ(tilzo::playerNameFrom(reply), stored) << reply.toStdString();
}

TEST(InstalledCopy, IsTheBinOrGamesFolderOfAPrefixThatHoldsTheDesktopEntry)
{
    QTemporaryDir root;
    const QDir prefix(root.filePath("usr")), bare(root.filePath("bare"));
    prefix.mkpath("share/applications");
    QFile(prefix.filePath("share/applications/org.tilzo.Tilzo.desktop")).open(QIODevice::WriteOnly);
    const std::pair<QString, bool> cases[] = {
        {prefix.filePath("bin"), true}, {prefix.filePath("games"), true}, {prefix.filePath("build"), false},
        {bare.filePath("bin"), false},  {prefix.path(), false},
    };
    for (const auto& [folder, installed] : cases) {
        QDir().mkpath(folder);
        EXPECT_EQ(tilzo::isInstalledCopy(folder), installed) << folder.toStdString();
    }
}
