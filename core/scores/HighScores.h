#pragma once

#include "core/scores/HighScore.h"
#include "core/scores/ScoreFile.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace tilzo {

// The table of the five best scores and its file high.dat.
class HighScores {
public:
    using Report = std::function<void(const std::string& message)>;

    struct Folders {
        Path program;
        Path user; // empty when the player has none
        std::string userProblem; // why there is none
        bool besideProgram = true; // false for an installed copy

        // The running program's, as the system names them.
        static Folders ofThisProgram();
    };

    // high.dat lives in the program's folder when besideProgram and it can be written
    // there, else in the user's, which starts as a copy of the old file in the program's
    // folder if there is one. report is called for problems the player must hear of: no
    // folder takes the file or the old one cannot be read (once, from GetPoints), or a
    // save failed (once per save).
    HighScores(Folders folders, Report report);

    const HighScore& operator[](int index) const { return table_[index]; }

    // Where the table is saved; empty while it lives in memory only (before GetPoints,
    // or when no folder would take the file).
    Path filePath() const;

    // Picks where the file lives and loads the table from it, once at start-up.
    void GetPoints();
    // Enters a final score that beats an entry, below any equal ones, and saves. The
    // table is read again first, so entries saved meanwhile by another copy stay.
    void checkpoints(std::u32string_view playerName, std::int32_t points);
    void resetpoints();

    // Whether any entry holds a score.
    bool holdsScores() const;
    // high.dat's bytes as they are now, read under the lock so that what another copy saved
    // meanwhile is there; without a file, the table of this session in the same bytes.
    std::string fileBytes() const;
    // Replaces the table, and its file when there is one, with bytes from elsewhere (another
    // computer's high.dat), under the lock. Refuses bytes the game never writes: returns
    // why, and the table stays as it was. Empty when the table was replaced.
    std::string load(const std::string& bytes);

private:
    std::optional<ScoreFile> userFile(const std::string& programProblem);
    // Applies edit to the file's table, with the scores earlier saves could not keep
    // entered again, and saves it. False when there is no file or the save failed, and
    // the table in memory is the caller's to change.
    bool save(const std::function<bool(ScoreTable&)>& edit);

    ScoreTable table_{};
    Folders folders_;
    Report report_;
    std::optional<ScoreFile> file_;
    // Entries the table in memory took that no save has written yet, oldest first.
    ScoreTable unsaved_{};
    int unsavedCount_ = 0;
};

} // namespace tilzo
