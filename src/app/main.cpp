// Corvane: the window program. "corvane [LIST]" opens LIST at start.

#include "app/ui/Prompts.h"
#include "app/ui/frmMain.h"

#include <QApplication>
#include <QLocale>
#include <QStandardPaths>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(u"corvane"_s);
    QApplication::setApplicationVersion(QStringLiteral(CORVANE_VERSION));
    QApplication::setDesktopFileName(u"corvane"_s);

    corvane::DesktopPrompts prompts;
    corvane::frmMain::Settings settings;
    settings.programFolder = QCoreApplication::applicationDirPath();
    settings.dataFolder = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    settings.locale = QLocale::system();
    settings.configFolder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    corvane::frmMain window(prompts, settings);
    window.show();

    const QStringList args = QCoreApplication::arguments().mid(1);
    if (!args.isEmpty()) {
        const QString list = args.first();
        // Once the window is up, so that a message has a window to belong to.
        QTimer::singleShot(0, &window, [&window, list] { window.OpenListFromCommandLine(list); });
    }
    return app.exec();
}
