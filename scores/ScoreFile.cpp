#include "scores/ScoreFile.h"

#include "scores/ScoreRecords.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QTemporaryFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace tilzo {

namespace {

constexpr char FileName[] = "high.dat";
constexpr qint64 ChunkSize = 64 * 1024;  // the bytes past the records are copied this much at a time
constexpr int LockWaitMs = 3000;         // a save by another copy takes milliseconds
constexpr int StaleLockMs = 10000;

// Where a save really writes: QSaveFile follows links to the file they name.
QString resolved(const QString& path)
{
    QFileInfo info(path);
    for (int depth = 0; depth < 40 && info.isSymLink(); ++depth)
        info.setFile(info.symLinkTarget());
    return info.filePath();
}

QString notRegular(const QString& path)
{
    return QStringLiteral("%1 is not a regular file").arg(QDir::toNativeSeparators(path));
}

// Opens file for reading when it is a regular file. A FIFO would block the game,
// and a device or a folder is no table, so neither is ever opened for reading; the
// descriptor is checked again in case the path changed in between. False with an
// empty problem when the file is missing.
bool openRegular(QFile& file, QString& problem)
{
    const QByteArray name = QFile::encodeName(file.fileName());
    struct stat info {};
    if (::stat(name.constData(), &info) != 0) {
        if (errno != ENOENT)
            problem = qt_error_string(errno);
        return false;
    }
    if (!S_ISREG(info.st_mode)) {
        problem = notRegular(file.fileName());
        return false;
    }
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        problem = qt_error_string(errno);
        return false;
    }
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)
        || !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        problem = notRegular(file.fileName());
        return false;
    }
    return true;
}

// Why high.dat cannot be used at path, empty when it can.
QString unusable(const QString& path)
{
    // A save writes a new file beside the old one and renames it over it.
    QTemporaryFile trial(path + QStringLiteral(".XXXXXX"));
    if (!trial.open())
        return trial.errorString();

    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        return notRegular(path);

    QFile file(path);
    if (!file.open(QIODevice::ReadWrite))
        return file.errorString();
    return {};
}

bool writeAll(QSaveFile& file, const char* bytes, qint64 size)
{
    // A short write gives no reason; the next one does.
    for (qint64 written = 0; written < size;) {
        const qint64 step = file.write(bytes + written, size - written);
        if (step <= 0)
            return false;
        written += step;
    }
    return true;
}

} // namespace

QString scoreFilePath(const QString& folder)
{
    return QDir(folder).filePath(QLatin1String(FileName));
}

std::optional<ScoreFile> ScoreFile::in(const QString& folder, QString& problem)
{
    if (folder.isEmpty()) {
        problem = QStringLiteral("the folder is not known");
        return std::nullopt;
    }
    const QString path = resolved(scoreFilePath(folder));
    problem = unusable(path);
    if (!problem.isEmpty())
        return std::nullopt;
    return ScoreFile(path);
}

std::optional<ScoreTable> ScoreFile::read(QString& problem) const
{
    QFile file(path_);
    if (!openRegular(file, problem))
        return problem.isEmpty() ? std::optional(ScoreTable{}) : std::nullopt;
    const QByteArray bytes = file.read(RecordsSize);
    if (file.error() != QFileDevice::NoError) {
        problem = file.errorString();
        return std::nullopt;
    }
    return readRecords(bytes);
}

QString ScoreFile::update(const std::function<bool(ScoreTable&)>& change, ScoreTable& table) const
{
    QLockFile lock(path_ + QStringLiteral(".lock"));
    lock.setStaleLockTime(StaleLockMs);
    if (!lock.tryLock(LockWaitMs))
        return lock.error() == QLockFile::LockFailedError ? QStringLiteral("another copy of the game keeps it locked")
                                                          : QStringLiteral("its lock file cannot be made");
    QString problem;
    const std::optional<ScoreTable> current = read(problem);
    if (!current)
        return problem;
    table = *current;
    return change(table) ? save(table) : QString();
}

QString ScoreFile::save(const ScoreTable& table) const
{
    return write(writeRecords(table), path_, RecordsSize);
}

QString ScoreFile::copyFrom(const QString& source) const
{
    if (!QFileInfo::exists(source))
        return QStringLiteral("%1 does not exist").arg(QDir::toNativeSeparators(source));
    return write({}, source, 0);
}

// Writes head, then the bytes of restFrom from restAt on, as the new file. The rest is
// copied a chunk at a time, so a file of any length costs no more memory than a chunk.
// Written unbuffered, each write checked to the last byte: this Qt's commit() reports
// success, and puts a cut-short file in place, when a full disk stops buffered bytes.
QString ScoreFile::write(const QByteArray& head, const QString& restFrom, qint64 restAt) const
{
    QString problem;
    QFile rest(restFrom);
    const bool copyRest = openRegular(rest, problem) && rest.size() > restAt;
    if (!problem.isEmpty())
        return problem;
    if (copyRest && !rest.seek(restAt))
        return rest.errorString();

    QSaveFile file(path_);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) || !writeAll(file, head.constData(), head.size()))
        return file.errorString();  // the new file is dropped with file
    QByteArray chunk(copyRest ? ChunkSize : 0, Qt::Uninitialized);
    for (qint64 got = 0; copyRest && (got = rest.read(chunk.data(), ChunkSize)) != 0;) {
        if (got < 0)
            return rest.errorString();
        if (!writeAll(file, chunk.constData(), got))
            return file.errorString();
    }
    if (!file.commit())
        return file.errorString();
    return {};
}

} // namespace tilzo
