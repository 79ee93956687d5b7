#pragma once

#include "core/scores/HighScore.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace tilzo {

using Path = std::filesystem::path;

// A path as messages name it: UTF-8, with the system's own separators.
std::string shown(const Path& path);

// high.dat in one folder, reached through any links to the file that saves really
// replace. Read at start-up, replaced whole by each save.
class ScoreFile {
public:
    // high.dat in folder when a save can create its new file beside the real one and
    // replace it, and the file is regular; it is created empty when missing. Otherwise
    // nothing, and problem says why.
    static std::optional<ScoreFile> in(const Path& folder, std::string& problem);

    // The file saves replace: links followed.
    const Path& path() const { return path_; }

    // The records as far as the file holds them (none when it is missing). Nothing when
    // it cannot be read: a read error is never an empty table.
    std::optional<ScoreTable> read(std::string& problem) const;

    // Under a lock shared with every other copy of the game: reads the table again, lets
    // change edit it, and saves it when change returns true. table is the file's table as
    // edited. Returns why it failed, empty when it succeeded.
    std::string update(const std::function<bool(ScoreTable&)>& change, ScoreTable& table) const;

    // Writes the five records, then every byte the file held past them, to a new file
    // that replaces the old one only when it is complete. Returns why the save failed,
    // empty when it succeeded; on failure the old file stays.
    std::string save(const ScoreTable& table) const;

    // Makes this file a whole copy of the one at source, if that is a readable regular
    // file. Returns why it could not, empty when it did.
    std::string copyFrom(const Path& source) const;
    // Makes bytes the whole file. Returns why it could not, empty when it did.
    std::string replaceWith(const std::string& bytes) const;
    // Every byte of the file; nothing, with problem, when it cannot be read.
    std::optional<std::string> whole(std::string& problem) const;

private:
    explicit ScoreFile(Path path)
        : path_(std::move(path))
    {
    }

    std::string write(const std::string& head, const Path& restFrom, long long restAt) const;

    Path path_;
};

// high.dat's path in folder.
Path scoreFilePath(const Path& folder);

} // namespace tilzo
