#include "app/PlayerName.h"

#include <gtest/gtest.h>

using tilzo::playerNameFrom;

namespace {

QString padded(const QString& text)
{
    return text + QString(20 - text.size(), u' ');
}

} // namespace

TEST(PlayerName, IsAlwaysTwentyCharactersPaddedWithSpaces)
{
    EXPECT_EQ(playerNameFrom(QStringLiteral("Tilzo")), padded(QStringLiteral("Tilzo")));
    EXPECT_EQ(playerNameFrom(QString()), QString(20, u' '));           // cancel
    EXPECT_EQ(playerNameFrom(QStringLiteral("     ")), QString(20, u' '));
}

TEST(PlayerName, TrimsSpacesAtBothEndsOnly)
{
    EXPECT_EQ(playerNameFrom(QStringLiteral("  abc  ")), padded(QStringLiteral("abc")));
    EXPECT_EQ(playerNameFrom(QStringLiteral("a b")), padded(QStringLiteral("a b")));
    // Tabs are not spaces: they stay where they are.
    EXPECT_EQ(playerNameFrom(QStringLiteral("\tabc\t ")), padded(QStringLiteral("\tabc\t")));
}

TEST(PlayerName, CutsToTwentyBeforeTrimming)
{
    const QString letters = QStringLiteral("abcdefghijklmnopqrstuvwxy");  // 25
    EXPECT_EQ(playerNameFrom(letters), letters.left(20));
    EXPECT_EQ(playerNameFrom(QStringLiteral("     ") + letters.left(20)),
              padded(letters.left(15)));
    EXPECT_EQ(playerNameFrom(letters.left(19) + QStringLiteral("  x")),
              padded(letters.left(19)));
}

TEST(PlayerName, KeepsCharactersTheFileCannotHold)
{
    // Only the file turns such characters into '?'; the name itself keeps them.
    const QString name = QStringLiteral("Zoë 東京 Ωμέγα");
    EXPECT_EQ(playerNameFrom(name), padded(name));
}
