// The window on a desktop: files dropped on it, lists named on the command
// line, the lists opened last under "Menu", the window remembered from one run
// to the next (also from a damaged or unwritable settings file), colours
// readable on a light and a dark palette, and sharp icons at 2x.

#include "app/desktop/RecentLists.h"
#include "app/ui/ReadableColours.h"
#include "browse/ui/FileTypeIcons.h"
#include "testutil_window.h"
#include "zip/ZipMemberModel.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QStyleFactory>

using namespace Qt::Literals::StringLiterals;
using namespace corvane;
using namespace corvane::test;

namespace {

QByteArray smallList(const char *top)
{
    QByteArray bytes;
    for (int i = 0; i < 4; ++i)
        bytes += QByteArray(top) + "\\Docs\\report" + QByteArray::number(i) +
                 ".doc,12/03/2009 10:15:00,1500,32;A1B2,Recovered\r\n";
    return bytes;
}

// A window whose remembered state lives in its own settings file; a second
// window over the same folders is the next run.
struct DesktopFixture : WindowFixture
{
    QTemporaryDir configDir;
    QString settingsFile = configDir.filePath(u"corvane/corvane.conf"_s);

    explicit DesktopFixture(const QLocale &l = QLocale(QLocale::English, QLocale::UnitedStates))
        : WindowFixture(l)
    {
        settings.settingsFile = settingsFile;
        settings.screens = {}; // the test platform's own screens
        restart();
    }

    // Quits as the user does ("Exit", Yes) and starts the next run.
    void quitAndStartAgain()
    {
        prompts.questionAnswers = {true};
        window->mnuExit_Click();
        restart();
    }

    QString file(const QString &name, const QByteArray &bytes)
    {
        QString path = dataDir.filePath(name);
        QDir().mkpath(QFileInfo(path).absolutePath());
        writeBytes(path, bytes);
        return path;
    }

    QString lastFolder() const
    {
        return QString::fromLocal8Bit(
                   readBytes(QDir(dataDir.filePath(u"data"_s)).filePath(u"LastFolder.inc"_s)))
            .trimmed();
    }

    // A drop of these paths (as file URLs) at the middle of the window; true
    // when the window took it.
    bool drop(const QStringList &paths, bool enterAccepted = true)
    {
        QList<QUrl> urls;
        for (const QString &p : paths)
            urls.append(p.contains(u"://"_s) ? QUrl(p) : QUrl::fromLocalFile(p));
        QMimeData mime;
        mime.setUrls(urls);
        const QPoint middle = window->rect().center();
        QDragEnterEvent enter(middle, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(window.get(), &enter);
        if (enter.isAccepted() != enterAccepted)
            return !enterAccepted; // reported by the caller's QCOMPARE on the result
        QDropEvent dropEvent(QPointF(middle), Qt::CopyAction, &mime, Qt::LeftButton,
                             Qt::NoModifier);
        QCoreApplication::sendEvent(window.get(), &dropEvent);
        return dropEvent.isAccepted();
    }

    bool waitLoaded()
    {
        if (!isLoading(*window))
            return shownList(*window).fileFound;
        LoadSpy done(*window);
        return done.wait(30000);
    }

    // The last message box shown (a beep is no box).
    FakePrompts::Call lastBox() const
    {
        for (auto it = prompts.calls.crbegin(); it != prompts.calls.crend(); ++it) {
            if (it->kind == u"warning"_s || it->kind == u"message"_s || it->kind == u"question"_s)
                return *it;
        }
        return {};
    }

    QStringList recentMenuTexts() const
    {
        QStringList texts;
        const QList<QAction *> actions = control<QMenu>(*window, "mnuRecent")->actions();
        for (QAction *a : actions) {
            if (a->objectName().startsWith(u"mnuRecent"_s) && a->objectName().at(9).isDigit())
                texts.append(a->toolTip());
        }
        return texts;
    }
};

double luminance(const QColor &c)
{
    auto channel = [](double v) {
        v /= 255.0;
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.red()) + 0.7152 * channel(c.green()) + 0.0722 * channel(c.blue());
}

double contrast(const QColor &a, const QColor &b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QPalette darkPalette()
{
    QPalette p;
    p.setColor(QPalette::Window, QColor(0x2b, 0x2b, 0x2b));
    p.setColor(QPalette::WindowText, QColor(0xe6, 0xe6, 0xe6));
    p.setColor(QPalette::Base, QColor(0x1e, 0x1e, 0x1e));
    p.setColor(QPalette::AlternateBase, QColor(0x33, 0x33, 0x33));
    p.setColor(QPalette::Text, QColor(0xe6, 0xe6, 0xe6));
    p.setColor(QPalette::Button, QColor(0x3a, 0x3a, 0x3a));
    p.setColor(QPalette::ButtonText, QColor(0xe6, 0xe6, 0xe6));
    p.setColor(QPalette::Highlight, QColor(0x3d, 0x6f, 0xb4));
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::ToolTipBase, QColor(0x3a, 0x3a, 0x3a));
    p.setColor(QPalette::ToolTipText, QColor(0xe6, 0xe6, 0xe6));
    p.setColor(QPalette::Link, QColor(0x8a, 0xb4, 0xf8));
    return p;
}

} // namespace

class TestUiDesktop : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { QApplication::setPalette(QApplication::style()->standardPalette()); }

    // What a drop does, for each kind of thing that can be dropped.
    void drop_data()
    {
        QTest::addColumn<QStringList>("names"); // made in the data folder; "dir/" a folder
        QTest::addColumn<bool>("taken");
        QTest::addColumn<bool>("loaded");
        QTest::addColumn<QString>("prompt");  // kind of the one box shown, or empty
        QTest::addColumn<int>("entry");       // LangText entry the box shows, or 0
        QTest::addColumn<bool>("lastFolder"); // LastFolder.inc names the dropped file's folder

        QTest::newRow("a list") << QStringList{u"in/a.csv"_s} << true << true << QString() << 0
                                << true;
        QTest::newRow("a list with an upper-case ending")
            << QStringList{u"in/A.CSV"_s} << true << true << QString() << 0 << true;
        QTest::newRow("a folder") << QStringList{u"in/folder/"_s} << false << false << u"warning"_s
                                  << 131 << false;
        QTest::newRow("a file that is not a list")
            << QStringList{u"in/photo.jpg"_s} << false << false << u"warning"_s << 128 << false;
        QTest::newRow("several files: the first opened, the others named")
            << QStringList{u"in/a.csv"_s, u"in/b.csv"_s, u"in/c.zip"_s} << true << true
            << u"message"_s << 127 << true;
        QTest::newRow("a zip with several lists: the member grid")
            << QStringList{u"in/recovered-disk.zip"_s} << true << false << QString() << 0 << true;
        QTest::newRow("a list named like something else but a zip inside")
            << QStringList{u"in/archive.dat"_s} << true << false << QString() << 0 << true;
    }
    void drop()
    {
        QFETCH(QStringList, names);
        QFETCH(bool, taken);
        QFETCH(bool, loaded);
        QFETCH(QString, prompt);
        QFETCH(int, entry);
        QFETCH(bool, lastFolder);
        DesktopFixture f(QLocale(QLocale::German, QLocale::Germany));
        QStringList paths;
        const QByteArray zip = readBytes(sourceDir() + u"/data/samples/recovered-disk.zip"_s);
        for (const QString &name : names) {
            if (name.endsWith(u'/')) {
                QVERIFY(QDir().mkpath(f.dataDir.filePath(name)));
                paths.append(f.dataDir.filePath(name.chopped(1)));
            } else if (name.endsWith(u".zip"_s) || name.endsWith(u".dat"_s)) {
                paths.append(f.file(name, zip));
            } else if (name.endsWith(u".jpg"_s)) {
                paths.append(f.file(name, QByteArray("\xff\xd8\xff\xe0 not a list", 16)));
            } else {
                paths.append(f.file(name, smallList("Disk")));
            }
        }
        QCOMPARE(f.drop(paths), taken);
        if (loaded) {
            QVERIFY(f.waitLoaded());
            QCOMPARE(currentListFile(*f.window), paths.first());
            QCOMPARE(shownList(*f.window).lineCount, 4);
        } else {
            QVERIFY(!isLoading(*f.window));
            QCOMPARE(shownList(*f.window).lineCount, 0);
        }
        if (names.first().endsWith(u".zip"_s) || names.first().endsWith(u".dat"_s)) {
            QVERIFY(control<QGroupBox>(*f.window, "Frame3")->isVisibleTo(f.window.get()));
            QCOMPARE(zipMemberModel(*f.window)->rowCount(), 2);
        }
        const QStringList german = langColumn(LanguageGerman);
        if (prompt.isEmpty()) {
            QCOMPARE(f.prompts.boxCount(), 0);
        } else {
            QCOMPARE(f.prompts.boxCount(), 1);
            QCOMPARE(f.lastBox().kind, prompt);
            const QString expected = german.value(entry).section(u"%1"_s, 0, 0);
            QVERIFY(!expected.isEmpty());
            QVERIFY2(f.lastBox().text.startsWith(expected), qPrintable(f.lastBox().text));
        }
        QCOMPARE(f.lastFolder(), lastFolder ? QFileInfo(paths.first()).absolutePath() : QString());
    }

    // While a load or the open command runs, a drag is turned away and a
    // drop changes nothing.
    void dropRefusedWhileBusy_data()
    {
        QTest::addColumn<bool>("loading"); // else the open command holds the page
        QTest::newRow("a load runs") << true;
        QTest::newRow("the open command runs") << false;
    }
    void dropRefusedWhileBusy()
    {
        QFETCH(bool, loading);
        DesktopFixture f;
        QByteArray big;
        for (int i = 0; i < 20000; ++i)
            big += "Big\\F" + QByteArray::number(i % 50) + "\\file" + QByteArray::number(i) +
                   ".txt,12/03/2009 10:15:00,100,32;A1B2,Recovered\r\n";
        const QString bigList = f.file(u"big.csv"_s, big);
        const QString other = f.file(u"other.csv"_s, smallList("Other"));
        if (loading) {
            f.window->ClearViews();
            QVERIFY(f.window->LoadListFile(bigList));
            QVERIFY(isLoading(*f.window));
        } else {
            control<QGroupBox>(*f.window, "Frame2")->setEnabled(false);
        }
        QVERIFY(!canOpenList(*f.window));
        QCOMPARE(f.drop({other}, false), false);
        QCOMPARE(f.prompts.boxCount(), 0);
        if (loading) {
            QVERIFY(f.waitLoaded());
            QCOMPARE(shownList(*f.window).lineCount, 20000);
        } else {
            QCOMPARE(shownList(*f.window).lineCount, 0);
        }
        QVERIFY(f.lastFolder().isEmpty());
        QVERIFY(!test::recentLists(*f.window).contains(other));
    }

    void dropOfNothingLocal()
    {
        DesktopFixture f;
        // Drops over a text box reach the window.
        QVERIFY(!control<QLineEdit>(*f.window, "TXT1")->acceptDrops());
        QCOMPARE(f.drop({u"https://www.example.org/list.csv"_s}, false), false);
        QVERIFY(!openDroppedFiles(*f.window, {}));
        QCOMPARE(f.prompts.boxCount(), 0);
    }

    void commandLineSeveralFiles()
    {
        DesktopFixture f;
        const QString a = f.file(u"a.csv"_s, smallList("A"));
        const QString b = f.file(u"b.csv"_s, smallList("B"));
        openListsFromCommandLine(*f.window, {a, b});
        QVERIFY(f.waitLoaded());
        QCOMPARE(currentListFile(*f.window), a);
        QCOMPARE(f.prompts.boxCount(), 1);
        QCOMPARE(f.lastBox().kind, u"message"_s);
        QVERIFY(f.lastBox().text.contains(u"2"_s));
        QVERIFY(f.lastBox().text.contains(QDir::toNativeSeparators(a)));
        // A name given relative to the current folder is shown in full.
        openListsFromCommandLine(*f.window, {u"rel.csv"_s, b});
        QVERIFY(f.lastBox().text.contains(QDir::current().absoluteFilePath(u"rel.csv"_s)));
    }

    // The five lists opened last, newest first, from one run to the next.
    void recentLists()
    {
        DesktopFixture f;
        QStringList opened;
        for (int i = 1; i <= 6; ++i) {
            const QString path = f.file(u"lists/list%1.csv"_s.arg(i), smallList("R"));
            QVERIFY(f.drop({path}));
            QVERIFY(f.waitLoaded());
            opened.prepend(path);
        }
        const QStringList expected = opened.mid(0, RecentListCount);
        QCOMPARE(test::recentLists(*f.window), expected);
        QCOMPARE(f.recentMenuTexts(), expected);

        f.quitAndStartAgain();
        QCOMPARE(test::recentLists(*f.window), expected);
        QCOMPARE(f.recentMenuTexts(), expected);

        // Picking the third: opened as from the dialog, and now the newest.
        f.window->findChild<QAction *>(u"mnuRecent3"_s)->trigger();
        QVERIFY(f.waitLoaded());
        QCOMPARE(currentListFile(*f.window), expected.at(2));
        QCOMPARE(test::recentLists(*f.window).first(), expected.at(2));
        QCOMPARE(f.lastFolder(), QFileInfo(expected.at(2)).absolutePath());

        f.window->findChild<QAction *>(u"mnuRecentClear"_s)->trigger();
        QVERIFY(test::recentLists(*f.window).isEmpty());
        QVERIFY(!f.window->findChild<QAction *>(u"mnuRecentNone"_s)->isEnabled());
        f.quitAndStartAgain();
        QVERIFY(test::recentLists(*f.window).isEmpty());
    }

    // A list that was deleted since: taken off with a message, nothing opened.
    void recentListGone_data()
    {
        QTest::addColumn<int>("language");
        QTest::newRow("English") << int(LanguageEnglish);
        QTest::newRow("Swedish") << int(LanguageSwedish);
    }
    void recentListGone()
    {
        QFETCH(int, language);
        DesktopFixture f(localeForLanguage(language));
        const QString kept = f.file(u"kept.csv"_s, smallList("K"));
        const QString gone = f.file(u"gone.csv"_s, smallList("G"));
        QVERIFY(f.drop({kept}));
        QVERIFY(f.waitLoaded());
        QVERIFY(f.drop({gone}));
        QVERIFY(f.waitLoaded());
        QVERIFY(QFile::remove(gone));
        f.quitAndStartAgain();
        QCOMPARE(test::recentLists(*f.window), (QStringList{gone, kept}));

        f.window->findChild<QAction *>(u"mnuRecent1"_s)->trigger();
        QVERIFY(!isLoading(*f.window));
        QCOMPARE(shownList(*f.window).lineCount, 0);
        QCOMPARE(f.lastBox().kind, u"warning"_s);
        const QString expected =
            langColumn(language).value(126).arg(QDir::toNativeSeparators(gone));
        QCOMPARE(f.lastBox().text, expected);
        QCOMPARE(test::recentLists(*f.window), QStringList{kept});
        f.quitAndStartAgain();
        QCOMPARE(test::recentLists(*f.window), QStringList{kept});
    }

    void recentMenuLanguages_data() { addLanguageRows(); }
    void recentMenuLanguages()
    {
        QFETCH(int, language);
        DesktopFixture f;
        f.window->LoadLanguage(language);
        const QStringList texts = langColumn(language);
        QCOMPARE(control<QMenu>(*f.window, "mnuRecent")->title(), texts.value(125));
        QCOMPARE(f.window->findChild<QAction *>(u"mnuRecentNone"_s)->text(), texts.value(130));
        QVERIFY(!texts.value(125).isEmpty());
        // In "Menu", before the languages entry.
        const QList<QAction *> entries = control<QMenu>(*f.window, "mnuMenu")->actions();
        QVERIFY(entries.indexOf(control<QMenu>(*f.window, "mnuRecent")->menuAction()) <
                entries.indexOf(control<QAction>(*f.window, "mnuShowLan")));
    }

    // Size, place, maximised, splitter, column widths and sort column: back
    // as they were left.
    void remembered_data()
    {
        QTest::addColumn<bool>("maximized");
        QTest::newRow("normal") << false;
        QTest::newRow("maximised") << true;
    }
    void remembered()
    {
        QFETCH(bool, maximized);
        DesktopFixture f;
        f.window->setGeometry(QRect(40, 30, 700, 500));
        QVERIFY(f.show());
        control<QSplitter>(*f.window, "TreeGridSplitter")->setSizes({150, 450});
        const QList<int> splitter = control<QSplitter>(*f.window, "TreeGridSplitter")->sizes();
        QTableView *grid = control<QTableView>(*f.window, "iGrid2");
        grid->setColumnWidth(0, 310);
        grid->setColumnWidth(1, 95);
        grid->horizontalHeader()->setSortIndicator(2, Qt::DescendingOrder);
        grid->horizontalHeader()->setSortIndicatorShown(true);
        if (maximized)
            f.window->setWindowState(Qt::WindowMaximized);
        const QRect normal = f.window->normalGeometry();
        f.quitAndStartAgain();

        QCOMPARE(bool(f.window->windowState() & Qt::WindowMaximized), maximized);
        if (!maximized) {
            // Where the window fits the screen it comes back exactly; a window
            // wider than the screen (the test's screen is 800 pixels wide) is
            // brought onto it.
            const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
            if (screen.contains(normal)) {
                QCOMPARE(f.window->geometry(), normal);
            } else {
                QVERIFY(screen.contains(f.window->geometry()));
                QCOMPARE(f.window->geometry().top(), normal.top());
                QCOMPARE(f.window->geometry().height(), normal.height());
            }
        }
        grid = control<QTableView>(*f.window, "iGrid2");
        QCOMPARE(grid->columnWidth(0), 310);
        QCOMPARE(grid->columnWidth(1), 95);
        QCOMPARE(rememberedColumnWidths(*f.window).mid(0, 2), (QList<int>{310, 95}));
        QVERIFY(grid->isColumnHidden(3));
        QHeaderView *header = grid->horizontalHeader();
        QCOMPARE(header->sortIndicatorSection(), 2);
        QCOMPARE(header->sortIndicatorOrder(), Qt::DescendingOrder);
        QVERIFY(header->isSortIndicatorShown());
        QVERIFY(f.show());
        if (!maximized)
            QCOMPARE(control<QSplitter>(*f.window, "TreeGridSplitter")->sizes(), splitter);
    }

    // Whatever the settings file holds, the window starts, on a screen, and
    // with the defaults where a value makes no sense.
    void badSettings_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("geometryKept");
        QTest::newRow("binary rubbish")
            << QByteArray("\x00\x01\xfe\xff[Window\n==\x80\x81", 14) << false;
        QTest::newRow("empty file") << QByteArray() << false;
        QTest::newRow("words where numbers belong")
            << QByteArray("[Window]\nGeometry=a, b, c, d\nMaximized=perhaps\n"
                          "TreeGridSplitter=x, y\n[FileGrid]\nColumnWidths=wide, narrow\n"
                          "SortColumn=first\nSortOrder=sideways\n")
            << false;
        QTest::newRow("numbers out of range")
            << QByteArray("[Window]\nGeometry=0, 0, -5, 99999999\nTreeGridSplitter=-1, 0, 5\n"
                          "[FileGrid]\nColumnWidths=-20, 100000, 3, 0, 0\nSortColumn=77\n")
            << false;
        QTest::newRow("a screen that is no longer there")
            << QByteArray("[Window]\nGeometry=5000, 3000, 640, 480\n") << true;
        QTest::newRow("a screen bigger than the one now")
            << QByteArray("[Window]\nGeometry=100, 100, 5000, 4000\n") << true;
        QTest::newRow("too few numbers") << QByteArray("[Window]\nGeometry=10, 10, 640\n") << false;
    }
    void badSettings()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, geometryKept);
        DesktopFixture f;
        QVERIFY(QDir().mkpath(QFileInfo(f.settingsFile).absolutePath()));
        QVERIFY(writeBytes(f.settingsFile, content));
        f.restart();
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        if (geometryKept) {
            QVERIFY2(screen.contains(f.window->geometry()),
                     qPrintable(u"%1,%2 %3x%4"_s.arg(f.window->x())
                                    .arg(f.window->y())
                                    .arg(f.window->width())
                                    .arg(f.window->height())));
        }
        QVERIFY(!(f.window->windowState() & Qt::WindowMaximized));
        const QTableView *grid = control<QTableView>(*f.window, "iGrid2");
        QCOMPARE(grid->columnWidth(0), 220);
        QCOMPARE(grid->columnWidth(1), 75);
        QCOMPARE(grid->columnWidth(2), 75);
        QVERIFY(grid->isColumnHidden(3));
        QCOMPARE(grid->horizontalHeader()->sortIndicatorSection(), 0);
        QVERIFY(!grid->horizontalHeader()->isSortIndicatorShown());
        QVERIFY(rememberedColumnWidths(*f.window).isEmpty());
        QCOMPARE(f.prompts.boxCount(), 0);
        // And it still quits and starts again.
        f.quitAndStartAgain();
        QCOMPARE(control<QTableView>(*f.window, "iGrid2")->columnWidth(0), 220);
    }

    // A settings file that cannot be written: quitting works, nothing is
    // kept, the next run starts with the defaults.
    void unwritableSettings()
    {
        DesktopFixture f;
        // A file where the settings folder should be.
        const QString blocker = f.configDir.filePath(u"corvane"_s);
        QVERIFY(writeBytes(blocker, "not a folder"));
        control<QTableView>(*f.window, "iGrid2")->setColumnWidth(0, 333);
        f.quitAndStartAgain();
        QCOMPARE(control<QTableView>(*f.window, "iGrid2")->columnWidth(0), 220);
        QCOMPARE(readBytes(blocker), QByteArray("not a folder"));
        QCOMPARE(f.prompts.boxCount(), 1); // only the quit question
    }

    // The coloured labels stay readable on a light and on a dark palette.
    void readableColours_data()
    {
        QTest::addColumn<bool>("dark");
        QTest::addColumn<QString>("label");
        QTest::addColumn<bool>("hover");
        for (bool dark : {false, true}) {
            const char *scheme = dark ? "dark" : "light";
            QTest::addRow("%s approval label", scheme) << dark << u"lblEmail"_s << false;
            QTest::addRow("%s lab link", scheme) << dark << u"lblLink"_s << false;
            QTest::addRow("%s lab link under the mouse", scheme) << dark << u"lblLink"_s << true;
            QTest::addRow("%s lab name", scheme) << dark << u"Label25"_s << false;
        }
    }
    void readableColours()
    {
        QFETCH(bool, dark);
        QFETCH(QString, label);
        QFETCH(bool, hover);
        if (dark)
            QApplication::setPalette(darkPalette());
        DesktopFixture f;
        if (hover)
            f.window->lblLink_MouseMove();
        auto *widget = f.window->findChild<QLabel *>(label);
        QVERIFY(widget);
        const QColor text = widget->palette().color(QPalette::WindowText);
        const QColor background = f.window->palette().color(QPalette::Window);
        QVERIFY2(contrast(text, background) >= 4.5,
                 qPrintable(u"%1 on %2: %3"_s.arg(text.name(), background.name())
                                .arg(contrast(text, background))));
        // The palette changing while the window is open is followed too.
        QApplication::setPalette(dark ? QApplication::style()->standardPalette() : darkPalette());
        QCoreApplication::processEvents();
        if (hover)
            f.window->lblLink_MouseMove();
        const QColor after = widget->palette().color(QPalette::WindowText);
        const QColor afterBackground = f.window->palette().color(QPalette::Window);
        QVERIFY2(contrast(after, afterBackground) >= 4.5,
                 qPrintable(u"%1 on %2"_s.arg(after.name(), afterBackground.name())));
    }

    void readableColour_data()
    {
        QTest::addColumn<QColor>("wanted");
        QTest::addColumn<QColor>("background");
        QTest::addColumn<bool>("kept");
        QTest::newRow("dark red on light grey")
            << QColor(0x80, 0, 0) << QColor(0xef, 0xef, 0xef) << true;
        QTest::newRow("dark red on dark grey")
            << QColor(0x80, 0, 0) << QColor(0x2b, 0x2b, 0x2b) << false;
        QTest::newRow("blue on white") << QColor(0, 0, 0xff) << QColor(Qt::white) << true;
        QTest::newRow("blue on black") << QColor(0, 0, 0xff) << QColor(Qt::black) << false;
        QTest::newRow("black on dark") << QColor(Qt::black) << QColor(0x30, 0x30, 0x30) << false;
        QTest::newRow("white on white") << QColor(Qt::white) << QColor(Qt::white) << false;
        QTest::newRow("yellow on white") << QColor(Qt::yellow) << QColor(Qt::white) << false;
        QTest::newRow("mid grey background")
            << QColor(0x77, 0x77, 0x77) << QColor(0x77, 0x77, 0x77) << false;
    }
    void readableColour()
    {
        QFETCH(QColor, wanted);
        QFETCH(QColor, background);
        QFETCH(bool, kept);
        const QColor got = corvane::readableColour(wanted, background);
        QCOMPARE(got == wanted, kept);
        // Rounded to 8 bits a channel as it is painted, and measured apart
        // from the code under test.
        const QColor painted(got.red(), got.green(), got.blue());
        const double ratio = contrast(painted, background);
        if (background == QColor(0x77, 0x77, 0x77))
            QVERIFY2(ratio >= 4.0, qPrintable(painted.name())); // the best there is
        else
            QVERIFY2(ratio >= 4.5, qPrintable(painted.name()));
        // Same hue where the colour has one.
        if (!kept && wanted.hslSaturation() > 0 && got.hslSaturation() > 0)
            QVERIFY(std::abs(got.hslHue() - wanted.hslHue()) <= 3);
    }

    // On a 2x screen the 16 px images are drawn from their 32 px copies.
    void sharpIconsAt2x_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("folder") << u"folder"_s;
        QTest::newRow("file") << u"file"_s;
        QTest::newRow("program") << u"program"_s;
    }
    void sharpIconsAt2x()
    {
        QFETCH(QString, name);
        const QIcon icon = name == u"folder"_s ? FileTypeIcons::folderImage()
                           : name == u"file"_s ? FileTypeIcons::genericFileImage()
                                               : FileTypeIcons::programImage();
        const QPixmap sharp = icon.pixmap(QSize(16, 16), 2.0);
        QCOMPARE(sharp.deviceIndependentSize(), QSizeF(16, 16));
        QCOMPARE(sharp.size(), QSize(32, 32));
        QImage big(sourceDir() + u"/data/icons/%1-32.png"_s.arg(name));
        QVERIFY(!big.isNull());
        big.setDevicePixelRatio(2.0);
        QCOMPARE(sharp.toImage().convertToFormat(QImage::Format_ARGB32),
                 big.convertToFormat(QImage::Format_ARGB32));
    }

    // Pictures of the window with a list, in a light and a dark palette; the
    // light one is the README's picture when CORVANE_DOCS_DIR names docs/.
    void screenshots_data()
    {
        QTest::addColumn<bool>("dark");
        QTest::newRow("light") << false;
        QTest::newRow("dark") << true;
    }
    void screenshots()
    {
        QFETCH(bool, dark);
        QApplication::setPalette(dark ? darkPalette() : QApplication::style()->standardPalette());
        DesktopFixture f;
        const QString list = sourceDir() + u"/data/samples/recovered-disk.csv"_s;
        QVERIFY(f.drop({list}));
        QVERIFY(f.waitLoaded());
        f.window->resize(1000, 680);
        QVERIFY(f.show());
        f.window->SftTree1_ItemClick(1);
        QTest::qWait(50);
        // The window as a user sees it, for the README.
        const QString docs = qEnvironmentVariable("CORVANE_DOCS_DIR");
        if (!docs.isEmpty() && !dark)
            QVERIFY(f.window->grab().save(QDir(docs).filePath(u"corvane.png"_s)));
        // With the approval label, which the window keeps hidden: its colour
        // is the one most at risk on a dark palette.
        control<QLabel>(*f.window, "lblEmail")->show();
        QTest::qWait(50);
        const QImage shot = f.window->grab().toImage();
        QVERIFY(!shot.isNull());
        const QString dir = QCoreApplication::applicationDirPath() + u"/screenshots"_s;
        QDir().mkpath(dir);
        const QString name = dark ? u"desktop-dark.png"_s : u"desktop-light.png"_s;
        QVERIFY(shot.save(dir + u'/' + name));
    }
};

QTEST_MAIN(TestUiDesktop)
#include "tst_ui_desktop.moc"
