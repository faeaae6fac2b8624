// corvane-bench-window: the real window's narrowing as the user types,
// timed from the keystroke to the narrowed tree painted.
//
//   corvane-bench-window --list FILE [--keys TEXT] [--language N]
//
// Loads FILE into the window (the offscreen platform unless QT_QPA_PLATFORM
// says otherwise), then types TEXT into the Term box one key at a time,
// waiting after each for the narrowing to be shown, and prints one line per
// key (key_ms: the pause before the pass included) and then the largest,
// and the time from the last of a burst of keys typed 30 ms apart to the
// tree painted (burst_ms).

#include "app/ui/BrowseController.h"
#include "app/ui/Prompts.h"
#include "app/ui/frmMain.h"
#include "find/ui/FindController.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTreeView>

#include <cstdio>

using namespace Qt::Literals::StringLiterals;

namespace {

void print(const QString &text)
{
    std::fputs(text.toUtf8().constData(), stdout);
    std::fflush(stdout);
}

// Runs events until done() holds (false after timeoutMs).
template<class F> bool waitFor(F done, int timeoutMs)
{
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 2);
    }
    return true;
}

void typeKey(QLineEdit *box, QChar c)
{
    const int key = c == u' ' ? int(Qt::Key_Space) : int(c.toUpper().unicode());
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(c));
    QCoreApplication::sendEvent(box, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(c));
    QCoreApplication::sendEvent(box, &release);
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);
    QString list;
    QString keys = u"rech 2019 ext:xls"_s;
    int language = 0;
    for (int i = 0; i + 1 < args.size(); i += 2) {
        if (args[i] == u"--list"_s)
            list = args[i + 1];
        else if (args[i] == u"--keys"_s)
            keys = args[i + 1];
        else if (args[i] == u"--language"_s)
            language = args[i + 1].toInt();
    }
    if (list.isEmpty()) {
        print(u"usage: corvane-bench-window --list FILE [--keys TEXT] [--language N]\n"_s);
        return 2;
    }
    QTemporaryDir home;
    QFile::copy(QStringLiteral(CORVANE_LANG_FIL), home.filePath(u"lang.fil"_s));
    corvane::DesktopPrompts prompts;
    corvane::frmMain::Settings settings;
    settings.programFolder = home.path();
    settings.dataFolder = home.filePath(u"data"_s);
    settings.settingsFile = home.filePath(u"corvane.conf"_s);
    settings.locale = QLocale(QLocale::English, QLocale::UnitedStates);
    auto *window = new corvane::frmMain(prompts, settings);
    window->resize(1590, 990);
    window->show();
    window->LoadLanguage(language);

    bool loaded = false;
    QObject::connect(window, &corvane::frmMain::listLoaded, [&loaded] { loaded = true; });
    QElapsedTimer load;
    load.start();
    if (!window->LoadListFile(list) || !waitFor([&] { return loaded; }, 600000)) {
        print(u"cannot load %1\n"_s.arg(list));
        return 1;
    }
    print(u"load_ms=%1\n"_s.arg(load.elapsed()));
    window->controllers().browse->ShowFolder(0);
    auto *box = window->findChild<QLineEdit *>(u"TXT1"_s);
    auto *tree = window->findChild<QTreeView *>(u"SftTree1"_s);
    corvane::FindController &find = *window->controllers().find;
    box->setFocus();

    qint64 worst = 0;
    for (const QChar c : keys) {
        QElapsedTimer t;
        t.start();
        typeKey(box, c);
        if (!waitFor([&] { return !find.isBusy(); }, 60000)) {
            print(u"no narrowing after %1\n"_s.arg(box->text()));
            return 1;
        }
        tree->viewport()->repaint();
        const qint64 ms = t.elapsed();
        worst = std::max(worst, ms);
        print(u"key '%1' key_ms=%2 matches=%3\n"_s.arg(box->text())
                  .arg(ms)
                  .arg(window->findChild<QLabel *>(u"FindCount"_s)->text()));
    }
    print(u"key_ms_max=%1\n"_s.arg(worst));

    // A burst: the box emptied, then every key 30 ms after the one before.
    find.widen();
    QElapsedTimer t;
    for (const QChar c : keys) {
        typeKey(box, c);
        t.start();
        waitFor([] { return false; }, 30);
    }
    waitFor([&] { return !find.isBusy(); }, 60000);
    tree->viewport()->repaint();
    print(u"burst_ms=%1 (from the last key)\n"_s.arg(t.elapsed()));
    window->prepareForExit();
    return 0;
}
