#pragma once

#include "scores/HighScore.h"

#include <QString>

#include <cstdint>
#include <functional>

namespace tilzo {

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
