#pragma once

#include "scores/HighScore.h"

#include <QString>

#include <optional>

namespace tilzo {

// high.dat in one folder: read once at start-up, replaced whole by each save.
class ScoreFile {
public:
    // high.dat in folder when the folder lets us create the file and replace it
    // atomically; the file is created empty when it is missing. Otherwise
    // nothing, and problem says why.
    static std::optional<ScoreFile> in(const QString& folder, QString& problem);

    const QString& path() const { return path_; }

    // The records as far as the file holds them.
    ScoreTable read() const;

    // Writes the five records, then every byte the file held past them, to a
    // new file that replaces the old one only when it is complete. Returns why
    // the save failed, empty when it succeeded; on failure the old file stays.
    QString save(const ScoreTable& table) const;

private:
    explicit ScoreFile(QString path) : path_(std::move(path)) {}

    QString path_;
};

} // namespace tilzo
