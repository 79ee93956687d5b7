#include "CommandLine.h"

#include "core/Version.h"

#include <QCommandLineParser>
#include <QStringList>

#include <cstdio>

namespace tilzo {

namespace {

// Options QApplication takes for itself; accepted here so they still reach it.
const char* const QtOptionsWithValue[]
    = {"platform",        "platformpluginpath", "platformtheme", "plugin",  "style",    "stylesheet",
       "qwindowgeometry", "qwindowtitle",       "qwindowicon",   "display", "geometry", "session"};
const char* const QtFlags[] = {"reverse", "widgetcount", "nograb", "dograb", "sync"};

void print(std::FILE* stream, const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
}

// A bad command line: one line naming the fault, then where to look. Exit status 2, as
// for any command used wrongly.
int usageError(const QString& message)
{
    print(stderr, QStringLiteral("tilzo: %1\nTry 'tilzo --help' for more information.\n").arg(message));
    return 2;
}

} // namespace

std::optional<int> handleCommandLine(int argc, char* argv[])
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Tilzo, a puzzle game: clear the board, one group of colour at a time.\n"
                       "Qt's own options, such as -platform <name>, are passed on to Qt."));
    // Qt spells its options with one dash: -platform is one option, not -p -l -a ...
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Show the version."));
    parser.addOptions({help, version});
    for (const char* name : QtOptionsWithValue) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char* name : QtFlags) {
        QCommandLineOption option(QString::fromLatin1(name));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }

    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (!parser.parse(arguments))
        return usageError(parser.errorText());
    if (!parser.positionalArguments().isEmpty())
        return usageError(
            QStringLiteral("Unexpected argument '%1'.").arg(parser.positionalArguments().first()));
    if (parser.isSet(help)) {
        // Without a QCoreApplication the parser cannot know the program's name.
        print(stdout,
              parser.helpText().replace(QStringLiteral("<executable_name>"), QStringLiteral("tilzo")));
        return 0;
    }
    if (parser.isSet(version)) {
        print(stdout, QStringLiteral("tilzo " TILZO_VERSION "\n"));
        return 0;
    }
    return std::nullopt;
}

} // namespace tilzo
