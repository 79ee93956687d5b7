#pragma once

#include "scores/HighScore.h"
#include "scores/ScoreFile.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <optional>

namespace tilzo {

// The table of the five best scores and its file high.dat.
class HighScores {
public:
    using Report = std::function<void(const QString& message)>;

    // high.dat lives in programDir when it can be written there, else in userDir.
    // report is called for problems the player must hear of: no folder takes the
    // file (once, from GetPoints), or a save failed (once per save).
    HighScores(QString programDir, QString userDir, Report report);

    const HighScore& operator[](int index) const { return table_[index]; }

    // Where the table is saved; empty while it lives in memory only (before
    // GetPoints, or when no folder would take the file).
    QString filePath() const;

    // Picks where the file lives and loads the table from it, once at start-up.
    void GetPoints();
    // Enters a final score that beats an entry, below any equal ones, and saves.
    void checkpoints(const QString& playerName, std::int32_t points);
    void resetpoints();

private:
    void save();

    ScoreTable table_{};
    QString programDir_;
    QString userDir_;
    Report report_;
    std::optional<ScoreFile> file_;
};

} // namespace tilzo
