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

    // high.dat lives in programDir when besideProgram and it can be written there,
    // else in userDir, which starts as a copy of the old file in programDir if there
    // is one. report is called for problems the player must hear of: no folder takes
    // the file or the old one cannot be read (once, from GetPoints), or a save failed
    // (once per save).
    HighScores(QString programDir, QString userDir, Report report, bool besideProgram = true);

    const HighScore& operator[](int index) const { return table_[index]; }

    // Where the table is saved; empty while it lives in memory only (before
    // GetPoints, or when no folder would take the file).
    QString filePath() const;

    // Picks where the file lives and loads the table from it, once at start-up.
    void GetPoints();
    // Enters a final score that beats an entry, below any equal ones, and saves.
    // The table is read again first, so entries saved meanwhile by another copy
    // of the game stay.
    void checkpoints(const QString& playerName, std::int32_t points);
    void resetpoints();

private:
    std::optional<ScoreFile> userFile(const QString& programProblem);
    // Applies edit to the file's table and saves it, or to the table in memory when
    // there is no file or the save fails.
    void change(const std::function<bool(ScoreTable&)>& edit);

    ScoreTable table_{};
    QString programDir_;
    QString userDir_;
    Report report_;
    bool besideProgram_;
    std::optional<ScoreFile> file_;
};

} // namespace tilzo
