#include "core/scores/ScoreFile.h"

#include "core/scores/ScoreRecords.h"
#include "os/Files.h"

#include <vector>

namespace tilzo {

namespace {

constexpr long long ChunkSize = 64 * 1024; // the bytes past the records are copied this much at a time
constexpr int LockWaitMs = 3000; // a save by another copy takes milliseconds

// Where a save really writes: the rename replaces the file the links lead to.
Path resolved(Path path)
{
    std::error_code error;
    for (int depth = 0; depth < 40 && std::filesystem::is_symlink(path, error); ++depth) {
        const Path target = std::filesystem::read_symlink(path, error);
        path = target.is_absolute() ? target : path.parent_path() / target;
    }
    return path;
}

} // namespace

std::string shown(const Path& path)
{
    const std::u8string text = Path(path).make_preferred().u8string();
    return std::string(text.begin(), text.end());
}

Path scoreFilePath(const Path& folder)
{
    return folder / "high.dat";
}

std::optional<ScoreFile> ScoreFile::in(const Path& folder, std::string& problem)
{
    if (folder.empty()) {
        problem = "the folder is not known";
        return std::nullopt;
    }
    const Path path = resolved(scoreFilePath(folder));
    // A save writes a new file beside the old one and renames it over it.
    if (!os::Replacement::begin(path, problem)
        || !os::File::open(path, os::File::Mode::ReadWriteCreate, problem))
        return std::nullopt;
    return ScoreFile(path);
}

std::optional<ScoreTable> ScoreFile::read(std::string& problem) const
{
    std::optional<os::File> file = os::File::open(path_, os::File::Mode::Read, problem);
    if (!file)
        return problem.empty() ? std::optional(ScoreTable{}) : std::nullopt;
    std::string bytes(RecordsSize, '\0');
    long long size = 0;
    for (long long got = 1; got > 0 && size < RecordsSize; size += got) {
        got = file->read(bytes.data() + size, RecordsSize - size, problem);
        if (got < 0)
            return std::nullopt;
    }
    bytes.resize(size);
    return readRecords(bytes);
}

std::string ScoreFile::update(const std::function<bool(ScoreTable&)>& change, ScoreTable& table) const
{
    std::string problem;
    const std::optional<os::Lock> lock = os::Lock::acquire(Path(path_) += ".lock", LockWaitMs, problem);
    if (!lock)
        return problem;
    const std::optional<ScoreTable> current = read(problem);
    if (!current)
        return problem;
    table = *current;
    return change(table) ? save(table) : std::string();
}

std::string ScoreFile::save(const ScoreTable& table) const
{
    return write(writeRecords(table), path_, RecordsSize);
}

std::string ScoreFile::copyFrom(const Path& source) const
{
    std::error_code error;
    if (!std::filesystem::exists(source, error))
        return shown(source) + " does not exist";
    return write({}, source, 0);
}

std::string ScoreFile::replaceWith(const std::string& bytes) const
{
    return write(bytes, {}, 0);
}

std::optional<std::string> ScoreFile::whole(std::string& problem) const
{
    std::optional<os::File> file = os::File::open(path_, os::File::Mode::Read, problem);
    std::string bytes;
    std::vector<char> chunk(ChunkSize);
    for (long long got = 0; file && (got = file->read(chunk.data(), ChunkSize, problem)) != 0;) {
        if (got < 0)
            return std::nullopt;
        bytes.append(chunk.data(), got);
    }
    return problem.empty() ? std::optional(bytes) : std::nullopt;
}

// Writes head, then the bytes of restFrom (if any) from restAt on, as the new file. The rest
// is copied a chunk at a time, so a file of any length costs no more memory than a chunk.
std::string ScoreFile::write(const std::string& head, const Path& restFrom, long long restAt) const
{
    std::string problem;
    std::optional<os::File> rest
        = restFrom.empty() ? std::nullopt : os::File::open(restFrom, os::File::Mode::Read, problem);
    if (!problem.empty() || (rest && !rest->seek(restAt, problem)))
        return problem;
    std::optional<os::Replacement> file = os::Replacement::begin(path_, problem);
    if (!file || !file->write(head.data(), static_cast<long long>(head.size()), problem))
        return problem;
    std::vector<char> chunk(rest ? ChunkSize : 0);
    for (long long got = 0; rest && (got = rest->read(chunk.data(), ChunkSize, problem)) != 0;) {
        if (got < 0 || !file->write(chunk.data(), got, problem))
            return problem;
    }
    rest.reset(); // Windows replaces no file that is open
    file->commit(problem);
    return problem;
}

} // namespace tilzo
