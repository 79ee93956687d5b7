#include "scores/HighScores.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace tilzo {

namespace {

constexpr QLatin1String DefaultName("Anynomous1");  // the file's own spelling

QString shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace

HighScores::HighScores(QString programDir, QString userDir, Report report, bool besideProgram)
    : programDir_(std::move(programDir))
    , userDir_(std::move(userDir))
    , report_(std::move(report))
    , besideProgram_(besideProgram)
{
}

QString HighScores::filePath() const
{
    return file_ ? file_->path() : QString();
}

void HighScores::GetPoints()
{
    QString programProblem = QStringLiteral("an installed game keeps no files beside itself");
    if (besideProgram_)
        file_ = ScoreFile::in(programDir_, programProblem);
    if (!file_)
        file_ = userFile(programProblem);
    if (!file_)
        return;
    QString problem;
    if (const std::optional<ScoreTable> table = file_->read(problem)) {
        table_ = *table;
        return;
    }
    report_(QStringLiteral("The high scores cannot be read from \"%1\": %2. The file is left as it is, "
                           "and the table is kept until the game is closed.")
                .arg(shown(file_->path()), problem));
    file_.reset();
}

std::optional<ScoreFile> HighScores::userFile(const QString& programProblem)
{
    if (!userDir_.isEmpty())
        QDir().mkpath(userDir_);
    const QFileInfo userPath(scoreFilePath(userDir_));
    const bool fresh = !userPath.exists() && !userPath.isSymLink();
    QString userProblem;
    std::optional<ScoreFile> file = ScoreFile::in(userDir_, userProblem);
    if (!file) {
        report_(QStringLiteral("High scores cannot be saved: high.dat can be written neither in \"%1\" (%2) "
                               "nor in \"%3\" (%4). The table is kept until the game is closed.")
                    .arg(shown(programDir_), programProblem, shown(userDir_), userProblem));
        return std::nullopt;
    }
    // The player keeps the table the program folder's file holds.
    const QString old = scoreFilePath(programDir_);
    if (fresh && !programDir_.isEmpty() && (QFileInfo::exists(old) || QFileInfo(old).isSymLink())) {
        const QString problem = file->copyFrom(old);
        if (!problem.isEmpty())
            report_(QStringLiteral("The old high scores in \"%1\" cannot be read: %2. A new table starts in \"%3\".")
                        .arg(shown(old), problem, shown(file->path())));
    }
    return file;
}

void HighScores::checkpoints(const QString& playerName, std::int32_t points)
{
    change([&](ScoreTable& table) {
        for (int i = 0; i < TableSize; ++i) {
            if (points > table[i].Score) {
                std::move_backward(table.begin() + i, table.end() - 1, table.end());
                table[i] = HighScore{playerName, points};
                return true;
            }
        }
        return false;
    });
}

void HighScores::resetpoints()
{
    change([](ScoreTable& table) {
        table.fill(HighScore{fixedName(DefaultName), 0});
        return true;
    });
}

void HighScores::change(const std::function<bool(ScoreTable&)>& edit)
{
    if (file_) {
        ScoreTable saved;
        const QString problem = file_->update(edit, saved);
        if (problem.isEmpty()) {
            table_ = saved;
            return;
        }
        report_(QStringLiteral("The high scores could not be saved to \"%1\": %2. "
                               "The table is kept until the game is closed.")
                    .arg(shown(file_->path()), problem));
    }
    edit(table_);
}

} // namespace tilzo
