#include "InstalledCopy.h"

#include <QDir>
#include <QFileInfo>

namespace tilzo {

bool isInstalledCopy(const QString& programDir)
{
    const QDir folder(programDir);
    const QString name = folder.dirName();
    return (name == QLatin1String("bin") || name == QLatin1String("games"))
        && QFileInfo::exists(folder.filePath(QStringLiteral("../share/applications/%1.desktop").arg(QLatin1String(AppId))));
}

} // namespace tilzo
