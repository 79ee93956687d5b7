#include "core/scores/HighScores.h"

#include "core/scores/ScoreRecords.h"
#include "os/Files.h"

#include <algorithm>

namespace tilzo {

namespace {

constexpr char DefaultName[] = "Anynomous1"; // the file's own spelling

// Enters entry at the first place it beats, moving the rest down; false when it beats none.
bool enter(ScoreTable& table, const HighScore& entry)
{
    for (int i = 0; i < TableSize; ++i) {
        if (entry.Score > table[i].Score) {
            std::move_backward(table.begin() + i, table.end() - 1, table.end());
            table[i] = entry;
            return true;
        }
    }
    return false;
}

} // namespace

HighScores::Folders HighScores::Folders::ofThisProgram()
{
    Folders folders;
    folders.program = os::programDir();
    folders.user = os::userDataDir(folders.userProblem);
    folders.besideProgram = !os::isInstalledCopy(folders.program);
    return folders;
}

HighScores::HighScores(Folders folders, Report report)
    : folders_(std::move(folders))
    , report_(std::move(report))
{
}

Path HighScores::filePath() const
{
    return file_ ? file_->path() : Path();
}

void HighScores::GetPoints()
{
    std::string programProblem;
    if (folders_.besideProgram)
        file_ = ScoreFile::in(folders_.program, programProblem);
    if (!file_)
        file_ = userFile(programProblem);
    if (!file_)
        return;
    std::string problem;
    if (const std::optional<ScoreTable> table = file_->read(problem)) {
        table_ = *table;
        return;
    }
    report_("The high scores cannot be read from \"" + shown(file_->path()) + "\": " + problem
            + ". The file is left as it is, and the table is kept until the game is closed.");
    file_.reset();
}

std::optional<ScoreFile> HighScores::userFile(const std::string& programProblem)
{
    const Path& user = folders_.user;
    std::error_code error;
    if (!user.empty())
        std::filesystem::create_directories(user, error);
    const Path userPath = scoreFilePath(user);
    const bool fresh
        = !user.empty()
          && std::filesystem::symlink_status(userPath, error).type() == std::filesystem::file_type::not_found;
    std::string userProblem = user.empty() ? folders_.userProblem : std::string();
    std::optional<ScoreFile> file = user.empty() ? std::nullopt : ScoreFile::in(user, userProblem);
    if (!file) {
        // An installed copy (or a page) only ever had the user's folder to try.
        const std::string why
            = folders_.besideProgram
                  ? "high.dat can be written neither in \"" + shown(folders_.program) + "\" ("
                        + programProblem + ") nor in \"" + shown(user) + "\" (" + userProblem + ")"
              : user.empty() ? userProblem
                             : "high.dat cannot be written in \"" + shown(user) + "\" (" + userProblem + ")";
        report_("High scores cannot be saved: " + why + ". The table is kept until the game is closed.");
        return std::nullopt;
    }
    // The player keeps the table the program folder's file holds.
    const Path old = scoreFilePath(folders_.program);
    if (fresh && !folders_.program.empty()
        && std::filesystem::symlink_status(old, error).type() != std::filesystem::file_type::not_found) {
        const std::string problem = file->copyFrom(old);
        if (!problem.empty())
            report_("The old high scores in \"" + shown(old) + "\" cannot be read: " + problem
                    + ". A new table starts in \"" + shown(file->path()) + "\".");
    }
    return file;
}

void HighScores::checkpoints(std::u32string_view playerName, std::int32_t points)
{
    const HighScore entry{nameBytes(playerName), points};
    if (save([&](ScoreTable& table) { return enter(table, entry); }) || !enter(table_, entry) || !file_)
        return;
    // Kept for the next save that succeeds; past five, the oldest could not stay anyway.
    if (unsavedCount_ == TableSize)
        std::move(unsaved_.begin() + 1, unsaved_.end(), unsaved_.begin());
    else
        ++unsavedCount_;
    unsaved_[unsavedCount_ - 1] = entry;
}

void HighScores::resetpoints()
{
    HighScore reset;
    std::fill(reset.Name.begin(), reset.Name.end(), ' ');
    std::copy_n(DefaultName, sizeof DefaultName - 1, reset.Name.begin());
    unsavedCount_ = 0; // a reset drops them with the rest
    const auto edit = [&](ScoreTable& table) { return table.fill(reset), true; };
    if (!save(edit))
        edit(table_);
}

bool HighScores::holdsScores() const
{
    return std::any_of(table_.begin(), table_.end(), [](const HighScore& entry) { return entry.Score != 0; });
}

std::string HighScores::fileBytes() const
{
    std::optional<std::string> bytes;
    std::string problem;
    ScoreTable table;
    if (file_)
        file_->update([&](ScoreTable&) { return bytes = file_->whole(problem), false; }, table);
    return bytes ? *bytes : writeRecords(table_);
}

std::string HighScores::load(const std::string& bytes)
{
    std::string problem = notATable(bytes);
    std::string copied;
    ScoreTable table;
    if (problem.empty() && file_)
        problem
            = file_->update([&](ScoreTable&) { return copied = file_->replaceWith(bytes), false; }, table);
    if (!problem.empty() || !copied.empty())
        return problem + copied;
    table_ = readRecords(bytes);
    unsavedCount_ = 0; // the player chose this table over the one they belonged to
    return {};
}

bool HighScores::save(const std::function<bool(ScoreTable&)>& edit)
{
    if (!file_)
        return false;
    const auto reentered = [&](ScoreTable& table) {
        bool changed = false;
        for (int i = 0; i < unsavedCount_; ++i)
            changed = enter(table, unsaved_[i]) || changed;
        return edit(table) || changed;
    };
    ScoreTable saved;
    const std::string problem = file_->update(reentered, saved);
    if (problem.empty()) {
        table_ = saved;
        unsavedCount_ = 0;
        return true;
    }
    report_("The high scores could not be saved to \"" + shown(file_->path()) + "\": " + problem
            + ". The table is kept until the game is closed.");
    return false;
}

} // namespace tilzo
