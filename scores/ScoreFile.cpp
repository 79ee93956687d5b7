#include "scores/ScoreFile.h"

#include "scores/ScoreRecords.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>

namespace tilzo {

namespace {

constexpr char FileName[] = "high.dat";

// Why high.dat cannot be used at path, empty when it can.
QString unusable(const QString& path)
{
    // A save writes a new file beside the old one and renames it over it.
    QTemporaryFile trial(path + QStringLiteral(".XXXXXX"));
    if (!trial.open())
        return trial.errorString();

    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        return QStringLiteral("%1 is not a regular file").arg(QDir::toNativeSeparators(path));

    QFile file(path);
    if (!file.open(QIODevice::ReadWrite))
        return file.errorString();
    return {};
}

// The bytes past the five records, which a save keeps as they are.
std::optional<QByteArray> tail(const QString& path, QString& problem)
{
    QFile file(path);
    if (!file.exists())
        return QByteArray();
    if (!file.open(QIODevice::ReadOnly)) {
        problem = file.errorString();
        return std::nullopt;
    }
    if (file.size() <= RecordsSize)
        return QByteArray();
    if (!file.seek(RecordsSize)) {
        problem = file.errorString();
        return std::nullopt;
    }
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        problem = file.errorString();
        return std::nullopt;
    }
    return bytes;
}

} // namespace

std::optional<ScoreFile> ScoreFile::in(const QString& folder, QString& problem)
{
    if (folder.isEmpty()) {
        problem = QStringLiteral("the folder is not known");
        return std::nullopt;
    }
    const QString path = QDir(folder).filePath(QLatin1String(FileName));
    problem = unusable(path);
    if (!problem.isEmpty())
        return std::nullopt;
    return ScoreFile(path);
}

ScoreTable ScoreFile::read() const
{
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return readRecords(file.read(RecordsSize));
}

QString ScoreFile::save(const ScoreTable& table) const
{
    QString problem;
    const std::optional<QByteArray> kept = tail(path_, problem);
    if (!kept)
        return problem;

    // Written unbuffered, each write checked to the last byte: this Qt's commit()
    // reports success, and puts a cut-short file in place, when a full disk stops
    // the buffered bytes. A short write gives no reason; the next one does.
    const QByteArray bytes = writeRecords(table) + *kept;
    QSaveFile file(path_);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return file.errorString();
    for (qsizetype written = 0; written < bytes.size();) {
        const qint64 step = file.write(bytes.sliced(written));
        if (step <= 0)
            return file.errorString();  // the new file is dropped with file
        written += step;
    }
    if (!file.commit())
        return file.errorString();
    return {};
}

} // namespace tilzo
