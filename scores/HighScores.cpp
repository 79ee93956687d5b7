#include "scores/HighScores.h"

#include <QDir>

namespace tilzo {

namespace {

constexpr QLatin1String DefaultName("Anynomous1");  // the file's own spelling

} // namespace

HighScores::HighScores(QString programDir, QString userDir, Report report)
    : programDir_(std::move(programDir)), userDir_(std::move(userDir)), report_(std::move(report))
{
}

QString HighScores::filePath() const
{
    return file_ ? file_->path() : QString();
}

void HighScores::GetPoints()
{
    QString programProblem;
    file_ = ScoreFile::in(programDir_, programProblem);
    if (!file_) {
        QString userProblem;
        if (!userDir_.isEmpty())
            QDir().mkpath(userDir_);
        file_ = ScoreFile::in(userDir_, userProblem);
        if (!file_) {
            report_(QStringLiteral("High scores cannot be saved: high.dat can be written neither in \"%1\" (%2) "
                                   "nor in \"%3\" (%4). The table is kept until the game is closed.")
                        .arg(QDir::toNativeSeparators(programDir_), programProblem,
                             QDir::toNativeSeparators(userDir_), userProblem));
            return;
        }
    }
    table_ = file_->read();
}

void HighScores::checkpoints(const QString& playerName, std::int32_t points)
{
    for (int i = 0; i < TableSize; ++i) {
        if (points > table_[i].Score) {
            for (int j = TableSize - 1; j > i; --j)
                table_[j] = table_[j - 1];
            table_[i] = HighScore{playerName, points};
            save();
            return;
        }
    }
}

void HighScores::resetpoints()
{
    table_.fill(HighScore{fixedName(DefaultName), 0});
    save();
}

void HighScores::save()
{
    if (!file_)
        return;
    const QString problem = file_->save(table_);
    if (!problem.isEmpty())
        report_(QStringLiteral("The high scores could not be saved to \"%1\": %2. "
                               "The table is kept until the game is closed.")
                    .arg(QDir::toNativeSeparators(file_->path()), problem));
}

} // namespace tilzo
