#include "CommandLine.h"
#include "Dialogs.h"
#include "InstalledCopy.h"
#include "frmMain.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QStandardPaths>

#include <exception>
#include <optional>

int main(int argc, char* argv[])
{
    // Before QApplication, which needs a display: --help and --version must not.
    if (const std::optional<int> status = tilzo::handleCommandLine(argc, argv))
        return *status;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tilzo"));
    QGuiApplication::setDesktopFileName(QLatin1String(tilzo::AppId));
    // Every size of the desktop icon, so the name prompt and the task bar show it sharp too.
    QIcon icon;
    for (const QFileInfo& file : QDir(QStringLiteral(":/icons/app")).entryInfoList())
        icon.addFile(file.filePath());
    QApplication::setWindowIcon(icon);

    tilzo::Random random;
    tilzo::ModalDialogs dialogs;
    tilzo::frmMain window(random, dialogs, QCoreApplication::applicationDirPath(),
                          QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    QObject::connect(&window, &tilzo::frmMain::quitRequested, &app, [] { QCoreApplication::exit(0); });
    try {
        window.Form_Load();
    } catch (const std::exception& error) {
        // Start-up cannot go on without its pictures: say why and leave.
        dialogs.showError(nullptr, QString::fromUtf8(error.what()), QStringLiteral("Tilzo"));
        return 1;
    }
    window.show();
    return app.exec();
}
