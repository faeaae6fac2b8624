// The desktop conventions apart from the window: the command line of both
// programs, where a remembered window goes when the screens changed, and the
// lists opened last as kept on disk.

#include "app/desktop/ProgramOptions.h"
#include "app/desktop/RecentLists.h"
#include "app/desktop/WindowPlacement.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace corvane;

Q_DECLARE_METATYPE(ProgramOptions::Action)

class TestDesktop : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void options_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<ProgramOptions::Action>("action");
        QTest::addColumn<QStringList>("files");
        using A = ProgramOptions::Action;
        QTest::newRow("nothing") << QStringList() << A::Run << QStringList();
        QTest::newRow("one list") << QStringList{u"a.csv"_s} << A::Run << QStringList{u"a.csv"_s};
        QTest::newRow("several lists, order kept")
            << QStringList{u"b.zip"_s, u"a.csv"_s} << A::Run << QStringList{u"b.zip"_s, u"a.csv"_s};
        QTest::newRow("--help") << QStringList{u"--help"_s} << A::Help << QStringList();
        QTest::newRow("-h after a file")
            << QStringList{u"a.csv"_s, u"-h"_s} << A::Help << QStringList{u"a.csv"_s};
        QTest::newRow("--version") << QStringList{u"--version"_s} << A::Version << QStringList();
        QTest::newRow("-v") << QStringList{u"-v"_s} << A::Version << QStringList();
        QTest::newRow("help wins over a wrong option")
            << QStringList{u"--frobnicate"_s, u"--help"_s} << A::Help << QStringList();
        QTest::newRow("unknown option")
            << QStringList{u"--frobnicate"_s, u"a.csv"_s} << A::Wrong << QStringList{u"a.csv"_s};
        QTest::newRow("after -- a dash name is a file")
            << QStringList{u"--"_s, u"--help"_s, u"-v"_s} << A::Run
            << QStringList{u"--help"_s, u"-v"_s};
        QTest::newRow("lone dash is a file")
            << QStringList{u"-"_s} << A::Run << QStringList{u"-"_s};
        QTest::newRow("names with spaces and accents")
            << QStringList{u"/home/me/Récupération 1/liste.csv"_s} << A::Run
            << QStringList{u"/home/me/Récupération 1/liste.csv"_s};
    }
    void options()
    {
        QFETCH(QStringList, args);
        QFETCH(ProgramOptions::Action, action);
        QFETCH(QStringList, files);
        const ProgramOptions parsed = parseProgramOptions(args);
        QCOMPARE(parsed.action, action);
        if (action == ProgramOptions::Action::Run || action == ProgramOptions::Action::Wrong)
            QCOMPARE(parsed.files, files);
        if (action == ProgramOptions::Action::Wrong)
            QCOMPARE(parsed.wrongOption, u"--frobnicate"_s);
    }

    void texts()
    {
        QCOMPARE(versionText(u"corvane"_s),
                 u"corvane "_s + QStringLiteral(CORVANE_VERSION) + u'\n');
        QVERIFY(windowHelpText().startsWith(u"Usage: corvane "_s));
        QVERIFY(listHelpText().startsWith(u"Usage: corvane-list "_s));
        for (const QString &command :
             {u"summary"_s, u"tree"_s, u"members"_s, u"ls"_s, u"details"_s, u"kinds"_s,
              u"classes"_s, u"check"_s, u"select"_s, u"map"_s, u"report"_s, u"find"_s})
            QVERIFY2(listHelpText().contains(u"  "_s + command + u' '), qPrintable(command));
        const QString note = onlyFirstFileNote({u"/l/a.csv"_s, u"/l/b.csv"_s, u"/l/c.zip"_s});
        QVERIFY(note.contains(u"/l/a.csv"_s));
        QVERIFY(note.contains(u"/l/b.csv, /l/c.zip"_s));
    }

    void placement_data()
    {
        QTest::addColumn<QRect>("saved");
        QTest::addColumn<QList<QRect>>("screens");
        QTest::addColumn<QRect>("expected");
        const QRect wide(0, 0, 1920, 1080);
        const QRect right(1920, 0, 1280, 1024);
        const QSize minimum(400, 300);
        Q_UNUSED(minimum);
        QTest::newRow("where it was")
            << QRect(100, 80, 1000, 700) << QList<QRect>{wide} << QRect(100, 80, 1000, 700);
        QTest::newRow("on the second screen")
            << QRect(2000, 100, 900, 600) << QList<QRect>{wide, right}
            << QRect(2000, 100, 900, 600);
        QTest::newRow("second screen gone: onto the primary")
            << QRect(2000, 100, 900, 600) << QList<QRect>{wide} << QRect(0, 0, 900, 600);
        QTest::newRow("far off every screen")
            << QRect(-30000, 50000, 800, 600) << QList<QRect>{wide, right} << QRect(0, 0, 800, 600);
        QTest::newRow("screen smaller now: shrunk and moved on")
            << QRect(900, 500, 1600, 1000) << QList<QRect>{QRect(0, 0, 1280, 720)}
            << QRect(0, 0, 1280, 720);
        QTest::newRow("hanging off the right edge")
            << QRect(1500, 200, 800, 600) << QList<QRect>{wide} << QRect(1120, 200, 800, 600);
        QTest::newRow("above the top (title bar out of reach)")
            << QRect(200, -150, 800, 600) << QList<QRect>{wide} << QRect(200, 0, 800, 600);
        QTest::newRow("panel on top: available area starts lower")
            << QRect(10, 0, 800, 600) << QList<QRect>{QRect(0, 32, 1920, 1048)}
            << QRect(10, 32, 800, 600);
        QTest::newRow("mostly on the second screen")
            << QRect(1800, 100, 800, 600) << QList<QRect>{wide, right}
            << QRect(1920, 100, 800, 600);
        QTest::newRow("tiny screen smaller than the minimum")
            << QRect(0, 0, 1000, 800) << QList<QRect>{QRect(0, 0, 320, 240)}
            << QRect(0, 0, 320, 240);
        QTest::newRow("nothing remembered") << QRect() << QList<QRect>{wide} << QRect();
        QTest::newRow("negative size")
            << QRect(QPoint(10, 10), QPoint(0, 0)) << QList<QRect>{wide} << QRect();
        QTest::newRow("no screen at all") << QRect(0, 0, 800, 600) << QList<QRect>() << QRect();
    }
    void placement()
    {
        QFETCH(QRect, saved);
        QFETCH(QList<QRect>, screens);
        QFETCH(QRect, expected);
        QCOMPARE(placeOnScreens(saved, screens, QSize(400, 300)), expected);
    }

    void recentOrder_data()
    {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QString>("opened");
        QTest::addColumn<QStringList>("after");
        QTest::newRow("first") << QStringList() << u"/l/a.csv"_s << QStringList{u"/l/a.csv"_s};
        QTest::newRow("newest first") << QStringList{u"/l/a.csv"_s} << u"/l/b.zip"_s
                                      << QStringList{u"/l/b.zip"_s, u"/l/a.csv"_s};
        QTest::newRow("again: moved to the front, not repeated")
            << QStringList{u"/l/a.csv"_s, u"/l/b.zip"_s, u"/l/c.csv"_s} << u"/l/c.csv"_s
            << QStringList{u"/l/c.csv"_s, u"/l/a.csv"_s, u"/l/b.zip"_s};
        QTest::newRow("same list through another spelling")
            << QStringList{u"/l/a.csv"_s} << u"/l/./x/../a.csv"_s << QStringList{u"/l/a.csv"_s};
        QTest::newRow("five kept, the oldest goes")
            << QStringList{u"/1"_s, u"/2"_s, u"/3"_s, u"/4"_s, u"/5"_s} << u"/6"_s
            << QStringList{u"/6"_s, u"/1"_s, u"/2"_s, u"/3"_s, u"/4"_s};
        QTest::newRow("case differs: two lists") << QStringList{u"/l/A.csv"_s} << u"/l/a.csv"_s
                                                 << QStringList{u"/l/a.csv"_s, u"/l/A.csv"_s};
        QTest::newRow("a relative path is not kept")
            << QStringList{u"/l/a.csv"_s} << u"a.csv"_s << QStringList{u"/l/a.csv"_s};
    }
    void recentOrder()
    {
        QFETCH(QStringList, before);
        QFETCH(QString, opened);
        QFETCH(QStringList, after);
        QCOMPARE(withRecentList(before, opened), after);
    }

    void recentRemoved()
    {
        const QStringList lists{u"/l/a.csv"_s, u"/l/b.csv"_s, u"/l/c.csv"_s};
        QCOMPARE(withoutRecentList(lists, u"/l/b.csv"_s),
                 (QStringList{u"/l/a.csv"_s, u"/l/c.csv"_s}));
        QCOMPARE(withoutRecentList(lists, u"/l/none.csv"_s), lists);
    }

    // What is on disk comes back cleaned, whatever state the file is in.
    void recentFile_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("no file") << QByteArray() << QStringList();
        QTest::newRow("one list") << QByteArray("[Recent]\nLists=/l/a.csv\n")
                                  << QStringList{u"/l/a.csv"_s};
        QTest::newRow("two lists") << QByteArray("[Recent]\nLists=/l/a.csv, /l/b.zip\n")
                                   << QStringList{u"/l/a.csv"_s, u"/l/b.zip"_s};
        QTest::newRow("binary rubbish")
            << QByteArray("\x00\xff\x01[[[=\n\x89PNG", 12) << QStringList();
        QTest::newRow("relative, empty and repeated entries")
            << QByteArray("[Recent]\nLists=a.csv, , /l/a.csv, /l/a.csv, /l/b.csv\n")
            << QStringList{u"/l/a.csv"_s, u"/l/b.csv"_s};
        QTest::newRow("more than five")
            << QByteArray("[Recent]\nLists=/1, /2, /3, /4, /5, /6, /7\n")
            << QStringList{u"/1"_s, u"/2"_s, u"/3"_s, u"/4"_s, u"/5"_s};
        QTest::newRow("wrong section") << QByteArray("[Other]\nLists=/l/a.csv\n") << QStringList();
    }
    void recentFile()
    {
        QFETCH(QByteArray, content);
        QFETCH(QStringList, expected);
        QTemporaryDir dir;
        if (!content.isEmpty()) {
            QFile f(dir.filePath(QString::fromUtf16(RecentListsFileName)));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(content);
        }
        QCOMPARE(readRecentLists(dir.path()), expected);
    }

    void recentFileRoundTrip()
    {
        QTemporaryDir dir;
        const QString folder = dir.filePath(u"not/yet/there"_s);
        const QStringList lists{u"/home/me/Listes récupérées/a, b.csv"_s, u"/l/\"q\".zip"_s,
                                u"/l/one;two.csv"_s};
        QVERIFY(writeRecentLists(folder, lists));
        QCOMPARE(readRecentLists(folder), lists);
        QVERIFY(writeRecentLists(folder, {}));
        QCOMPARE(readRecentLists(folder), QStringList());
    }

    void recentFileUnwritable()
    {
        QTemporaryDir dir;
        // A file where the folder should be: nothing can be written below it.
        QFile blocker(dir.filePath(u"data"_s));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        QVERIFY(!writeRecentLists(dir.filePath(u"data"_s), {u"/l/a.csv"_s}));
        QCOMPARE(readRecentLists(dir.filePath(u"data"_s)), QStringList());
    }
};

QTEST_GUILESS_MAIN(TestDesktop)
#include "tst_desktop.moc"
