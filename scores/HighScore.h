#pragma once

#include <QString>

#include <array>
#include <cstdint>

namespace tilzo {

constexpr int NameLength = 20;
constexpr int TableSize = 5;

// A fixed-length text: cut to 20 characters, padded with spaces at the end.
QString fixedName(const QString& text);

struct HighScore {
    QString Name = QString(NameLength, QChar(0));  // never filled: 20 zero characters
    std::int32_t Score = 0;

    // The name as a table line shows it: spaces trimmed, zero characters left out.
    QString shownName() const;
};

using ScoreTable = std::array<HighScore, TableSize>;  // index 0 the best

} // namespace tilzo
