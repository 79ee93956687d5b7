#pragma once

#include <QString>

#include <array>
#include <cstdint>
#include <functional>

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

// The table of the five best scores and its file high.dat.
class HighScores {
public:
    using Report = std::function<void(const QString& message)>;

    // high.dat lives in programDir when it can be written there, else in userDir.
    // report is called for problems the player must hear of (a save that failed).
    HighScores(QString programDir, QString userDir, Report report);

    const HighScore& operator[](int index) const { return table_[index]; }

    void GetPoints();
    void checkpoints(const QString& playerName, std::int32_t points);
    void resetpoints();

private:
    std::array<HighScore, TableSize> table_{};
    QString programDir_;
    QString userDir_;
    Report report_;
};

} // namespace tilzo
