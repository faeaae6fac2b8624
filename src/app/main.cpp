// Corvane: the window program. "corvane [LIST...]" opens the first LIST at start.

#include "app/desktop/ProgramOptions.h"
#include "app/ui/DesktopController.h"
#include "app/ui/Prompts.h"
#include "app/ui/frmMain.h"

#include <QApplication>
#include <QDir>
#include <QLocale>
#include <QStandardPaths>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

using namespace Qt::Literals::StringLiterals;

namespace {

void print(std::FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    std::fflush(stream);
}

// The window program once the options are read; the application object goes
// (the clipboard handed to the desktop) before the program ends.
int runWindow(int argc, char *argv[]);

} // namespace

int main(int argc, char *argv[])
{
    // --help and --version answer before any display is needed.
    QStringList rawArgs;
    for (int i = 1; i < argc; ++i)
        rawArgs.append(QString::fromLocal8Bit(argv[i]));
    const corvane::ProgramOptions early = corvane::parseProgramOptions(rawArgs);
    if (early.action == corvane::ProgramOptions::Action::Help) {
        print(stdout, corvane::windowHelpText());
        return 0;
    }
    if (early.action == corvane::ProgramOptions::Action::Version) {
        print(stdout, corvane::versionText(u"corvane"_s));
        return 0;
    }

    const int result = runWindow(argc, argv);
    // What is left (the window's list, the workers' queues) the system frees.
    std::fflush(nullptr);
    std::quick_exit(result);
}

namespace {

int runWindow(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(u"corvane"_s);
    QApplication::setApplicationVersion(QStringLiteral(CORVANE_VERSION));
    // The id of the installed desktop entry: Wayland shows its icon.
    QApplication::setDesktopFileName(u"org.corvane.Corvane"_s);

    // Qt's own options are gone from arguments() now; what is left is ours.
    const corvane::ProgramOptions options =
        corvane::parseProgramOptions(QCoreApplication::arguments().mid(1));
    if (options.action == corvane::ProgramOptions::Action::Wrong) {
        print(stderr,
              u"corvane: unknown option %1 (see corvane --help)\n"_s.arg(options.wrongOption));
        return 2;
    }
    if (options.files.size() > 1)
        print(stderr, corvane::onlyFirstFileNote(options.files));

    corvane::DesktopPrompts prompts;
    corvane::frmMain::Settings settings;
    settings.programFolder = QCoreApplication::applicationDirPath();
    settings.dataFolder = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    settings.settingsFile =
        QDir(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation))
            .filePath(u"corvane.conf"_s);
    settings.locale = QLocale::system();
    // Not deleted: see below.
    auto *window = new corvane::frmMain(prompts, settings);
    window->show();

    if (!options.files.isEmpty()) {
        const QStringList files = options.files;
        // Once the window is up, so that a message has a window to belong to.
        QTimer::singleShot(0, window, [window, files] {
            window->controllers().desktop->OpenListsFromCommandLine(files);
        });
    }
    const int result = app.exec();
    // The window is closed and its state written. Taking a list of millions
    // of lines apart piece by piece would keep the program for seconds after
    // it has gone from the screen; the system takes it back at once.
    window->prepareForExit();
    return result;
}

} // namespace
