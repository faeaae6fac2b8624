// Loading a list into the window: counters, totals, the tree, the "View
// list" page, the beep; the window stays live and locked while it loads.

#include "browse/ui/FolderTreeModel.h"
#include "testutil_window.h"

using namespace corvane;
using namespace corvane::test;
using namespace Qt::Literals::StringLiterals;

namespace {

// The tree as the view's model shows it, two spaces a level.
void printModel(const QAbstractItemModel *model, const QModelIndex &parent, int depth,
                QStringList &out)
{
    for (int r = 0; r < model->rowCount(parent); ++r) {
        const QModelIndex i = model->index(r, 0, parent);
        out << QString(depth * 2, u' ') + i.data().toString();
        printModel(model, i, depth + 1, out);
    }
}

QStringList printModel(const QAbstractItemModel *model)
{
    QStringList out;
    printModel(model, {}, 0, out);
    return out;
}

QByteArray bigList(int lines)
{
    QByteArray bytes;
    bytes.reserve(lines * 60);
    for (int i = 0; i < lines; ++i) {
        bytes += "Disk\\Folder" + QByteArray::number(i / 500) + "\\Sub" +
                 QByteArray::number(i / 50 % 10) + "\\file" + QByteArray::number(i) +
                 ".txt,01/02/2010 10:00,1000,32;AB,Recovered\r\n";
    }
    return bytes;
}

} // namespace

class TestUiLoad : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void counters_data()
    {
        QTest::addColumn<QByteArray>("list");
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("folders"); // Label1
        QTest::addColumn<QString>("files");   // Label4 and Label22
        QTest::addColumn<QString>("bytes");   // Label6
        QTest::addColumn<QString>("size");    // Label23
        QTest::addColumn<QString>("rootPrefix");
        QTest::addColumn<QStringList>("tree");

        const QLocale en(u"en_US"_s);
        QTest::newRow("three sizes")
            << QByteArray("Data\\A\\a,d,1024,32;x,Ok\r\nData\\A\\b,d,1024,32;x,Ok\r\n"
                          "Data\\A\\c,d,1,32;x,Ok\r\n")
            << en << u"1"_s << u"3"_s << u"2,049"_s << u"2.0 Kb"_s << u"Data\\"_s
            << QStringList{u"Root"_s, u"  A"_s};
        QTest::newRow("German digits")
            << QByteArray("Data\\A\\a,d,1024,32;x,Ok\r\nData\\A\\b,d,1024,32;x,Ok\r\n"
                          "Data\\A\\c,d,1,32;x,Ok\r\n")
            << QLocale(u"de_DE"_s) << u"1"_s << u"3"_s << u"2.049"_s << u"2,0 KB"_s << u"Data\\"_s
            << QStringList{u"Root"_s, u"  A"_s};
        QTest::newRow("nested")
            << QByteArray("Data\\A\\B\\f1.txt,d,1,32;x,Ok\r\nData\\A\\B\\f2.txt,d,1,32;x,Ok\r\n"
                          "Data\\A\\C\\f3.txt,d,1,32;x,Ok\r\n")
            << en << u"2"_s << u"3"_s << u"3"_s << u"3 Bytes"_s << u"Data\\"_s
            << QStringList{u"Root"_s, u"  A"_s, u"    B"_s, u"    C"_s};
        QTest::newRow("accents, Windows-1252")
            << QByteArray("Daten\\B\xfc"
                          "cher\\a.txt,d,5,32;x,Ok\r\n")
            << en << u"1"_s << u"1"_s << u"5"_s << u"5 Bytes"_s << u"Daten\\"_s
            << QStringList{u"Root"_s, u"  B\u00fccher"_s};
        QTest::newRow("top folder only")
            << QByteArray("Data\\a.txt,d,7,32;x,Ok\r\n") << en << u"1"_s << u"1"_s << u"7"_s
            << u"7 Bytes"_s << u"Data\\"_s << QStringList{u"Root"_s};
        // No line: the counters keep what they showed, the totals are zero.
        QTest::newRow("empty file") << QByteArray() << en << u"0"_s << u"0"_s << u"0"_s
                                    << u"0 Bytes"_s << QString() << QStringList{};
    }
    void counters()
    {
        QFETCH(QByteArray, list);
        QFETCH(QLocale, locale);
        WindowFixture f(locale);
        frmMain &w = *f.window;
        QVERIFY(f.load(f.writeList(u"list.csv"_s, list)));
        QTEST(control<QLabel>(w, "Label1")->text(), "folders");
        QTEST(control<QLabel>(w, "Label4")->text(), "files");
        QTEST(control<QLabel>(w, "Label22")->text(), "files");
        QTEST(control<QLabel>(w, "Label6")->text(), "bytes");
        QTEST(control<QLabel>(w, "Label23")->text(), "size");
        QTEST(rootPrefix(w), "rootPrefix");
        QTEST(printModel(control<QTreeView>(w, "SftTree1")->model()), "tree");
        QCOMPARE(currentFolderItem(w), -1);
        QCOMPARE(control<QTabWidget>(w, "SSTab1")->isTabEnabled(1), true);
        QCOMPARE(control<QTabWidget>(w, "SSTab1")->currentIndex(), 1);
        QCOMPARE(f.prompts.count(u"beep"_s), 1);
        QCOMPARE(f.prompts.boxCount(), 0);
        QVERIFY(control<QLabel>(w, "Label8")->text().isEmpty());
        QCOMPARE(control<QProgressBar>(w, "LoadProgressBar")->isVisibleTo(&w), false);
    }

    // No file at the path: nothing read, zero totals, the page still shown.
    void missingFile()
    {
        WindowFixture f;
        frmMain &w = *f.window;
        QVERIFY(f.load(f.dataDir.filePath(u"nothing-here.csv"_s)));
        QCOMPARE(control<QLabel>(w, "Label22")->text(), u"0"_s);
        QCOMPARE(control<QLabel>(w, "Label23")->text(), u"0 Bytes"_s);
        QCOMPARE(control<QLabel>(w, "Label4")->text(), u"0"_s);
        QCOMPARE(control<QTreeView>(w, "SftTree1")->model()->rowCount(), 0);
        QCOMPARE(control<QTabWidget>(w, "SSTab1")->isTabEnabled(1), true);
        QCOMPARE(control<QTabWidget>(w, "SSTab1")->currentIndex(), 1);
        QCOMPARE(f.prompts.count(u"beep"_s), 1);
        QCOMPARE(f.prompts.boxCount(), 0);
    }

    // A search result keeps the prefix of the list it was cut from; the
    // counters of an empty second load stay as the first left them.
    void secondLoad()
    {
        WindowFixture f;
        frmMain &w = *f.window;
        QVERIFY(f.load(f.writeList(u"a.csv"_s, "Data\\A\\x,d,10,32;x,Ok\r\n")));
        QVERIFY(f.load(f.writeList(u"b.csv"_s, "Other\\B\\y,d,20,32;x,Ok\r\n"
                                               "Other\\B\\z,d,20,32;x,Ok\r\n")));
        QCOMPARE(rootPrefix(w), u"Data\\"_s);
        QCOMPARE(control<QLabel>(w, "Label22")->text(), u"2"_s);
        QCOMPARE(shownList(w).lineCount, 2);
        QVERIFY(f.load(f.writeList(u"c.csv"_s, QByteArray())));
        QCOMPARE(control<QLabel>(w, "Label4")->text(), u"2"_s);
        QCOMPARE(control<QLabel>(w, "Label22")->text(), u"0"_s);
        QCOMPARE(f.prompts.count(u"beep"_s), 3);
    }

    void clearViews()
    {
        WindowFixture f;
        frmMain &w = *f.window;
        QVERIFY(f.load(f.writeList(u"a.csv"_s, "Data\\A\\x,d,10,32;x,Ok\r\n")));
        QCOMPARE(control<QTreeView>(w, "SftTree1")->model()->rowCount(), 1);
        w.ClearViews();
        QCOMPARE(control<QTreeView>(w, "SftTree1")->model()->rowCount(), 0);
        QCOMPARE(shownList(w).lineCount, 0);
        QCOMPARE(shownList(w).iGrid1.count(), 0);
    }

    // The load runs beside the window: the event loop goes on, the commands
    // that must wait are locked, the counters and the bar move, and all of
    // it comes back when the list is in.
    void windowStaysLive()
    {
        WindowFixture f;
        frmMain &w = *f.window;
        w.show();
        const QString path = f.writeList(u"big.csv"_s, bigList(400000));
        control<QGroupBox>(w, "Frame4")->setEnabled(true);
        // Frame6 has a state of its own, given back as it was.
        control<QGroupBox>(w, "Frame6")->setEnabled(false);
        LoadSpy loaded(w);
        LoadKindSpy kinds(w);
        w.ClearViews();
        QVERIFY(w.LoadListFile(path));
        QCOMPARE(isLoading(w), true);
        QCOMPARE(w.LoadListFile(path), false); // one load at a time
        QCOMPARE(control<QGroupBox>(w, "Frame2")->isEnabled(), false);
        QCOMPARE(control<QPushButton>(w, "Command2")->isEnabled(), false);
        QCOMPARE(control<QGroupBox>(w, "Frame4")->isEnabled(), false);
        QCOMPARE(control<QMenu>(w, "mnuMenu")->menuAction()->isEnabled(), false);
        QCOMPARE(control<QMenu>(w, "mnuLan")->menuAction()->isEnabled(), false);
        QCOMPARE(control<QProgressBar>(w, "LoadProgressBar")->isVisible(), true);

        int ticks = 0;
        QSet<QString> counts;
        int largestBar = 0;
        QTimer timer;
        connect(&timer, &QTimer::timeout, this, [&] {
            ++ticks;
            counts.insert(control<QLabel>(w, "Label4")->text());
            largestBar = qMax(largestBar, control<QProgressBar>(w, "LoadProgressBar")->value());
        });
        timer.start(1);
        QVERIFY(loaded.wait(60000));
        timer.stop();

        QVERIFY(ticks > 0); // the window's thread never waited for the loader
        // One end, told once, with the kind of load it was.
        QCOMPARE(kinds.size(), 1);
        QCOMPARE(kinds.at(0).at(0).value<ListSession::LoadKind>(), ListSession::LoadKind::Plain);
        QCOMPARE(isLoading(w), false);
        QCOMPARE(control<QLabel>(w, "Label4")->text(), u"400,000"_s);
        QCOMPARE(control<QLabel>(w, "Label22")->text(), u"400,000"_s);
        QCOMPARE(control<QLabel>(w, "Label6")->text(), u"400,000,000"_s);
        QVERIFY2(counts.size() >= 2, qPrintable(QStringList(counts.values()).join(u' ')));
        QVERIFY(largestBar > 0);
        QCOMPARE(control<QGroupBox>(w, "Frame2")->isEnabled(), true);
        QCOMPARE(control<QGroupBox>(w, "Frame4")->isEnabled(), true);
        QCOMPARE(control<QGroupBox>(w, "Frame6")->testAttribute(Qt::WA_ForceDisabled), true);
        QCOMPARE(control<QMenu>(w, "mnuMenu")->menuAction()->isEnabled(), true);
        // The languages menu (hidden for an English locale) can be shown and used.
        control<QAction>(w, "mnuShowLan")->trigger();
        QCOMPARE(control<QMenu>(w, "mnuLan")->menuAction()->isVisible(), true);
        QCOMPARE(control<QMenu>(w, "mnuLan")->menuAction()->isEnabled(), true);
        QCOMPARE(control<QProgressBar>(w, "LoadProgressBar")->isVisible(), false);
        QCOMPARE(f.prompts.count(u"beep"_s), 1);
    }

    // The window may go while a list loads.
    void closeWhileLoading()
    {
        auto f = std::make_unique<WindowFixture>();
        const QString path = f->writeList(u"big.csv"_s, bigList(100000));
        QVERIFY(f->window->LoadListFile(path));
        f->window.reset();
        QCoreApplication::processEvents();
    }

    void statusLines()
    {
        WindowFixture f;
        frmMain &w = *f.window;
        w.show();
        QStringList seen;
        QTimer timer;
        connect(&timer, &QTimer::timeout, this, [&] {
            if (!control<QLabel>(w, "Label8")->text().isEmpty() &&
                !seen.contains(control<QLabel>(w, "Label8")->text()))
                seen << control<QLabel>(w, "Label8")->text();
        });
        timer.start(0);
        QVERIFY(f.load(f.writeList(u"big.csv"_s, bigList(300000))));
        for (const QString &s : seen)
            QVERIFY2(s == langText(w, LangEntry::LinesRead) ||
                         s == langText(w, LangEntry::SortingList),
                     qPrintable(s));
        QVERIFY(control<QLabel>(w, "Label8")->text().isEmpty());
    }

    // Reload of a list that can no longer be read: the message gives the
    // reason and does not claim lines were kept.
    void reloadUnreadable()
    {
        WindowFixture f;
        frmMain &w = *f.window;
        const QString path = f.writeList(u"list.csv"_s, "Data\\A\\x,d,10,32;x,Ok\r\n");
        LoadSpy loaded(w);
        w.OpenListFromCommandLine(path);
        QVERIFY(loaded.wait(30000));
        QCOMPARE(shownList(w).lineCount, 1);
        f.prompts.clear();

        QVERIFY(QFile::setPermissions(path, QFileDevice::WriteOwner));
        bool ended = false;
        {
            const AsOrdinaryUser user(f.dataDir.path());
            control<QAction>(w, "mnuReload")->setEnabled(true);
            control<QAction>(w, "mnuReload")->trigger();
            ended = loaded.wait(30000);
        }
        QVERIFY(ended);
        QCOMPARE(shownList(w).lineCount, 0);
        QCOMPARE(f.prompts.boxCount(), 1);
        const QString text = f.prompts.callsOf(u"warning"_s).value(0).text;
        QVERIFY2(text.contains(QDir::toNativeSeparators(path)), qPrintable(text));
        QVERIFY2(text.contains(u"Permission denied"_s), qPrintable(text));
        QVERIFY2(!text.contains(u"lines read before"_s), qPrintable(text));
    }
};

QTEST_MAIN(TestUiLoad)
#include "tst_ui_load.moc"
