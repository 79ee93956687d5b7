#include "app/PlayerName.h"

#include <gtest/gtest.h>

TEST(PlayerName, IsCutToTwentyThenTrimmedOfSpacesThenPadded)
{
    const QString letters = QStringLiteral("abcdefghijklmnopqrstuvwxy");  // 25
    const auto padded = [](const QString& text) { return text + QString(20 - text.size(), u' '); };
    const std::pair<QString, QString> cases[] = {
        {QStringLiteral("Tilzo"), padded(QStringLiteral("Tilzo"))},
        {QString(), QString(20, u' ')},  // cancel
        {QStringLiteral("     "), QString(20, u' ')},
        {QStringLiteral("  abc  "), padded(QStringLiteral("abc"))},
        {QStringLiteral("\ta b\t "), padded(QStringLiteral("\ta b\t"))},  // only spaces are trimmed
        {letters, letters.left(20)},
        {QStringLiteral("     ") + letters.left(20), padded(letters.left(15))},
        {QStringLiteral("Zoë 東京"), padded(QStringLiteral("Zoë 東京"))},  // only the file needs '?'
    };
    for (const auto& [reply, stored] : cases)
        EXPECT_EQ(tilzo::playerNameFrom(reply), stored) << reply.toStdString();
}
