#include "CommandLine.h"
#include "Dialogs.h"
#include "MainWindow.h"

#include <QApplication>
#include <QDir>
#include <QIcon>

#include <cstdio>
#include <cstdlib>
#include <optional>

namespace {

// Qt says why it cannot reach a display in several lines and then aborts. One line and
// status 1 is what a player or a script should see.
void startUpMessages(QtMsgType type, const QMessageLogContext&, const QString&)
{
    if (type != QtFatalMsg)
        return;
    std::fputs("tilzo: no display could be opened\n", stderr);
    std::_Exit(1);
}

} // namespace

int main(int argc, char* argv[])
{
    // Before QApplication, which needs a display: --help and --version must not.
    if (const std::optional<int> status = tilzo::handleCommandLine(argc, argv))
        return *status;
    const QtMessageHandler qtMessages = qInstallMessageHandler(startUpMessages);
    QApplication app(argc, argv);
    qInstallMessageHandler(qtMessages);
    QApplication::setApplicationName(QStringLiteral("tilzo"));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.tilzo.Tilzo"));
    // Every size of the desktop icon, so the name prompt and the task bar show it sharp too.
    QIcon icon;
    for (const QFileInfo& file : QDir(QStringLiteral(":/icons/app")).entryInfoList())
        icon.addFile(file.filePath());
    QApplication::setWindowIcon(icon);

    tilzo::Random random;
    tilzo::ModalDialogs dialogs;
    tilzo::MainWindow window(random, dialogs, tilzo::HighScores::Folders::ofThisProgram());
    QObject::connect(&window, &tilzo::MainWindow::quitRequested, &app, [] { QCoreApplication::exit(0); });
    if (!window.form.start())
        return 1;
    window.show();
    return app.exec();
}
