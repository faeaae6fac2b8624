// What the window shows beside the views: no text of a list or language that
// is gone, the list's name in the title, column widths that fit their texts,
// the folder we came from after going up, Stop for a load, and the lab's
// notes.

#include "app/ui/FileGridColumns.h"
#include "app/ui/NoteViewer.h"
#include "browse/FileGridModel.h"
#include "browse/FolderListing.h"
#include "testutil_window.h"
#include "zip/ZipNote.h"
#include "zip/testutil_zip.h"

#include <QDirIterator>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QListView>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>

using namespace Qt::Literals::StringLiterals;
using namespace corvane;
using namespace corvane::test;
namespace zipfix = corvane::testing;

namespace {

const QByteArray sampleList =
    "Data\\Docs\\Reports\\r1.doc,2010-10-12 14:33:00,1536,33;a,Recovered\r\n"
    "Data\\Docs\\notes.txt,2010-10-13 09:00:00,2048,22;c,Recovered\r\n"
    "Data\\Pics\\a.jpg,2010-10-14 10:00:00,99,32;h,Partial\r\n"
    "Data\\top.jpg,2010-10-15 11:00:00,99,32;h,Recovered\r\n";

struct Window : WindowFixture
{
    using WindowFixture::WindowFixture;
    QTemporaryDir user;
    // lab.zip in the user's folder with `entries`, opened.
    QString openZip(const QList<zipfix::FixtureEntry> &entries)
    {
        QString zip = user.filePath(u"lab.zip"_s);
        if (!zipfix::writeZip(zip, entries))
            QTest::qFail("cannot write lab.zip", __FILE__, __LINE__);
        open(zip);
        return zip;
    }
    QString currentName() const
    {
        const QModelIndex current = control<QTableView>(*window, "iGrid2")->currentIndex();
        return current.isValid() ? fileGrid(*window)->gridRow(current.row()).name : QString();
    }
    // A file row made current, so that the details panel shows it.
    void showFileDetails(const QString &folder, const QString &name)
    {
        window->SftTree1_ItemClick(item(folder));
        const int r = row(name);
        QVERIFY(r > 0);
        control<QTableView>(*window, "iGrid2")->setCurrentIndex(fileGrid(*window)->index(r - 1, 0));
    }
};

QString baseTitle(const frmMain &w)
{
    return langText(w, LangEntry::ProgramName) + u' ' + QStringLiteral(CORVANE_VERSION);
}

} // namespace

class TestUiShown : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY2(langColumn(LanguageEnglish).size() > 59,
                 qPrintable(u"cannot read %1"_s.arg(projectLangFil())));
    }

    // ---- nothing of the previous list stays on screen ----
    void emptiedViews_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("ClearViews") << u"clear"_s;
        QTest::newRow("another list loaded") << u"load"_s;
        QTest::newRow("open command, another list") << u"open"_s;
        QTest::newRow("open command, zip with two lists") << u"zip"_s;
        QTest::newRow("open command, an empty list") << u"empty"_s;
    }
    void emptiedViews()
    {
        QFETCH(QString, how);
        Window f;
        QTemporaryDir user;
        const QString first = f.writeList(u"first.csv"_s, sampleList);
        f.open(first);
        f.showFileDetails(u"Docs\\Reports"_s, u"r1.doc"_s);
        QCOMPARE(f.header(), u"Reports"_s);
        QCOMPARE(control<QLabel>(f.w(), "Label19")->text(), u"1.5 Kb"_s);
        QCOMPARE(control<QLabel>(f.w(), "Label21")->text(), u"RA"_s);
        QVERIFY(f.w().windowTitle().endsWith(u" - first.csv"_s));
        QCOMPARE(control<QLabel>(f.w(), "Label4")->text(), u"4"_s);
        // A folder row: the hint says it is not a file.
        control<QTableView>(f.w(), "iGrid2")->setCurrentIndex(fileGrid(f.w())->index(0, 0));
        QCOMPARE(control<QLabel>(f.w(), "UniLabel1")->text(),
                 langText(f.w(), LangEntry::DetailsNotAFile));

        bool countersZero = false;
        if (how == u"clear"_s) {
            f.w().ClearViews();
        } else if (how == u"load"_s) {
            QVERIFY(f.load(f.writeList(u"second.csv"_s, listBytes("Other", 2))));
        } else if (how == u"open"_s) {
            f.open(f.writeList(u"second.csv"_s, listBytes("Other", 2)));
            QCOMPARE(control<QLabel>(f.w(), "Label4")->text(), u"2"_s);
        } else if (how == u"zip"_s) {
            const QString zip = user.filePath(u"two.zip"_s);
            QVERIFY(zipfix::writeZip(zip, {zipfix::entry("a.csv", listBytes("A", 3)),
                                           zipfix::entry("b.csv", listBytes("B", 4))}));
            f.open(zip);
            QVERIFY(!control<QGroupBox>(f.w(), "Frame3")->isHidden());
            countersZero = true;
        } else if (how == u"empty"_s) {
            f.open(f.writeList(u"empty.csv"_s, QByteArray()));
            countersZero = true;
        }
        QCOMPARE(f.header(), langText(f.w(), LangEntry::GridName));
        QCOMPARE(control<QLabel>(f.w(), "Label19")->text(), QString());
        QCOMPARE(control<QLabel>(f.w(), "Label20")->text(), QString());
        QCOMPARE(control<QLabel>(f.w(), "Label21")->text(), QString());
        QCOMPARE(control<QLabel>(f.w(), "UniLabel1")->text(),
                 langText(f.w(), LangEntry::DetailsHint));
        // A load through LoadListFile alone (a search's result) still belongs
        // to the opened list, and the title keeps naming it.
        QCOMPARE(f.w().windowTitle().contains(u"first.csv"_s), how == u"load"_s);
        if (countersZero) {
            QCOMPARE(control<QLabel>(f.w(), "Label1")->text(), u"0"_s);
            QCOMPARE(control<QLabel>(f.w(), "Label4")->text(), u"0"_s);
            QCOMPARE(control<QLabel>(f.w(), "Label6")->text(), u"0"_s);
        }
    }

    // A language change writes every text on screen anew.
    void languageRewritesShownTexts_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<bool>("fileRow");   // else a folder row is current
        QTest::addColumn<int>("countEntry"); // the word of the match count
        for (int to : {0, 2, 3, 4, 6}) {
            QTest::addRow("pt to %d, folder row", to) << 1 << to << false << 38;
            QTest::addRow("pt to %d, file row", to) << 1 << to << true << 38;
        }
        QTest::newRow("de to pt, file row") << 2 << 1 << true << 38;
        QTest::newRow("date search count, de to fr") << 2 << 3 << true << 90;
        QTest::newRow("date search count, sv to nl") << 4 << 6 << false << 90;
    }
    void languageRewritesShownTexts()
    {
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(bool, fileRow);
        QFETCH(int, countEntry);
        const QString separator = countEntry == 38 ? u": "_s : QString();
        Window f;
        f.open(f.writeList(u"list.csv"_s, sampleList));
        f.w().LoadLanguage(from);
        if (fileRow)
            f.showFileDetails(u"Docs"_s, u"notes.txt"_s);
        else
            f.showFileDetails(u"Docs"_s, u"Reports"_s);
        const int hint = fileRow ? 26 : 32;
        QCOMPARE(control<QLabel>(f.w(), "UniLabel1")->text(), langColumn(from).value(hint));
        // The count a search left, as the window writes it.
        showNumberText(f.w(), control<QLabel>(f.w(), "Label24"),
                       [&w = f.w(), countEntry, separator]() -> QString {
                           return langText(w, LangEntry(countEntry)) + separator +
                                  formatCountShown(w, 1234);
                       });
        // A text written there by anything else is left alone.
        control<QLabel>(f.w(), "Label22")->setText(u"1,234 by hand"_s);

        f.w().LoadLanguage(to);
        const QStringList column = langColumn(to);
        QCOMPARE(control<QLabel>(f.w(), "UniLabel1")->text(), column.value(hint));
        QCOMPARE(control<QLabel>(f.w(), "Label24")->text(),
                 column.value(countEntry) + separator +
                     displayLocale(to, userLocale(f.w())).toString(1234));
        QCOMPARE(control<QLabel>(f.w(), "Label22")->text(), u"1,234 by hand"_s);
        QCOMPARE(control<QLabel>(f.w(), "Label8")->text(), column.value(8));
        QCOMPARE(control<QPushButton>(f.w(), "LoadStopButton")->text(), column.value(52));
        // The list is still named in the title.
        QCOMPARE(f.w().windowTitle(),
                 column.value(40) + u' ' + QStringLiteral(CORVANE_VERSION) + u" - list.csv"_s);
        // Clicking a file again keeps the new language.
        f.showFileDetails(u"Docs"_s, u"notes.txt"_s);
        QCOMPARE(control<QLabel>(f.w(), "UniLabel1")->text(), column.value(26));
    }

    // ---- which list is shown ----
    void title_data()
    {
        QTest::addColumn<QList<zipfix::FixtureEntry>>("zipEntries"); // empty: a plain list
        QTest::addColumn<int>("chooseRow");                          // member grid row, or 0
        QTest::addColumn<QString>("suffix");
        QTest::newRow("plain list") << QList<zipfix::FixtureEntry>{} << 0 << u" - disk 1.csv"_s;
        QTest::newRow("zip with one list")
            << QList<zipfix::FixtureEntry>{zipfix::entry("a.csv", listBytes("A", 2))} << 0
            << u" - a.csv (disk 1.zip)"_s;
        QTest::newRow("member chosen")
            << QList<zipfix::FixtureEntry>{zipfix::entry("a.csv", listBytes("A", 2)),
                                           zipfix::entry("b.csv", listBytes("B", 2))}
            << 2 << u" - b.csv (disk 1.zip)"_s;
        QTest::newRow("zip with two lists, none chosen")
            << QList<zipfix::FixtureEntry>{zipfix::entry("a.csv", listBytes("A", 2)),
                                           zipfix::entry("b.csv", listBytes("B", 2))}
            << 0 << QString();
    }
    void title()
    {
        QFETCH(QList<zipfix::FixtureEntry>, zipEntries);
        QFETCH(int, chooseRow);
        QFETCH(QString, suffix);
        Window f;
        QTemporaryDir user;
        QCOMPARE(f.w().windowTitle(), baseTitle(f.w()));
        QString path;
        if (zipEntries.isEmpty()) {
            path = user.filePath(u"disk 1.csv"_s);
            QVERIFY(writeBytes(path, listBytes("Disk", 3)));
        } else {
            path = user.filePath(u"disk 1.zip"_s);
            QVERIFY(zipfix::writeZip(path, zipEntries));
        }
        f.open(path);
        if (chooseRow > 0) {
            f.w().iGrid3_DblClick(chooseRow, 1);
            QVERIFY(waitForLoad(f.w()));
        }
        QCOMPARE(f.w().windowTitle(), baseTitle(f.w()) + suffix);
        // Reload keeps the name; an emptied view drops it.
        if (!suffix.isEmpty()) {
            control<QAction>(f.w(), "mnuReload")->setEnabled(true);
            control<QAction>(f.w(), "mnuReload")->trigger();
            QVERIFY(waitForLoad(f.w()));
            QCOMPARE(f.w().windowTitle(), baseTitle(f.w()) + suffix);
        }
        f.w().ClearViews();
        QCOMPARE(f.w().windowTitle(), baseTitle(f.w()));
    }

    void titleOfMissingList()
    {
        Window f;
        QVERIFY(f.load(f.dataDir.filePath(u"gone.csv"_s)));
        QCOMPARE(f.w().windowTitle(), baseTitle(f.w()));
    }

    // ---- column widths ----
    void columns_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<int>("windowWidth");
        QTest::newRow("short texts") << QByteArray("Data\\a.txt,d,1,32;x,Ok\r\n") << 1200;
        QTest::newRow("long date, big size, long status")
            << QByteArray("Data\\a.txt,2010-10-12 14:33:00,631354123456789,32;x,"
                          "Recovered with errors in 3 sectors\r\n")
            << 1200;
        QTest::newRow("narrow window")
            << QByteArray("Data\\a.txt,2010-10-12 14:33:00,1,32;x,Ok\r\n") << 500;
        QTest::newRow("narrow window, long name")
            << QByteArray("Data\\Kapitel 1 - Einleitung und Motivation der Arbeit.docx,"
                          "2010-10-12 14:33:00,1,32;x,Ok\r\n")
            << 800;
    }
    void columns()
    {
        QFETCH(QByteArray, line);
        QFETCH(int, windowWidth);
        Window f;
        f.w().resize(windowWidth, 700);
        QVERIFY(f.show());
        QVERIFY(f.load(f.writeList(u"l.csv"_s, line)));
        f.w().SftTree1_ItemClick(0);
        QTableView *grid = control<QTableView>(f.w(), "iGrid2");
        const FileGridModel &model = *fileGrid(f.w());
        QCOMPARE(model.rowCount(), 1);
        const QFontMetrics metrics = grid->fontMetrics();
        // The smallest widths of the others hold while the names have more
        // than theirs; the names get their smallest width while there is
        // room for it, and then the rest.
        const bool namesSqueezed = grid->columnWidth(0) < FileGridColumns::MinimumWidths[0];
        for (int c : {1, 2, 4}) {
            const QString text = model.index(0, c).data().toString();
            QVERIFY2(namesSqueezed || grid->columnWidth(c) >= FileGridColumns::MinimumWidths[c],
                     qPrintable(u"column %1: %2"_s.arg(c).arg(grid->columnWidth(c))));
            QVERIFY2(grid->columnWidth(c) >= metrics.horizontalAdvance(text) + 8,
                     qPrintable(u"column %1 cuts \"%2\""_s.arg(c).arg(text)));
        }
        // A name that is cut below the names' smallest width: no other
        // column keeps empty room beside it.
        const QString name = model.index(0, 0).data().toString();
        if (namesSqueezed && grid->columnWidth(0) < metrics.horizontalAdvance(name) + 40) {
            for (int c : {1, 2, 4}) {
                const int text = metrics.horizontalAdvance(model.index(0, c).data().toString());
                const int room = std::max(grid->horizontalHeader()->sectionSizeHint(c), text + 30);
                QVERIFY2(
                    grid->columnWidth(c) <= room,
                    qPrintable(u"column %1: %2 > %3"_s.arg(c).arg(grid->columnWidth(c)).arg(room)));
            }
        }
        const int others = grid->columnWidth(1) + grid->columnWidth(2) + grid->columnWidth(4);
        if (others + FileGridColumns::MinimumWidths[0] <= grid->viewport()->width())
            QVERIFY(!namesSqueezed);
        if (others + 100 <= grid->viewport()->width())
            QCOMPARE(grid->columnWidth(0) + others,
                     grid->viewport()->width()); // Name takes the rest
        QCOMPARE(grid->isColumnHidden(3), true);
    }

    // At the window's first size the longest status word of the folder is
    // whole and in sight, whatever the language of the headers and sizes:
    // the names give up the room.
    void statusColumnAtDefaultSize_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("longest");
        QTest::newRow("English") << int(LanguageEnglish) << u"Partially recovered"_s;
        QTest::newRow("Portuguese") << int(LanguagePortuguese) << u"Parcialmente recuperado"_s;
        QTest::newRow("German") << int(LanguageGerman) << u"Teilweise wiederhergestellt"_s;
        QTest::newRow("French") << int(LanguageFrench) << u"Partiellement récupéré"_s;
        QTest::newRow("Swedish") << int(LanguageSwedish) << u"Ej kontrollerad"_s;
        QTest::newRow("Dutch") << int(LanguageDutch) << u"Niet gecontroleerd"_s;
    }
    void statusColumnAtDefaultSize()
    {
        QFETCH(int, language);
        QFETCH(QString, longest);
        Window f;
        QVERIFY(f.show());
        f.w().LoadLanguage(language);
        const QByteArray list =
            "Data\\Diplomarbeit\\Kapitel 1 - Einleitung und Motivation der Arbeit.docx,"
            "2018-04-21 02:10:09,123456789,32;x,Header OK\r\n"
            "Data\\Diplomarbeit\\b.txt,2018-04-21 02:10:09,1,32;x,"_ba +
            longest.toLatin1() + "\r\nData\\Diplomarbeit\\c.txt,2018-04-21 02:10:09,1,32;x,OK\r\n";
        QVERIFY(f.load(f.writeList(u"l.csv"_s, list)));
        f.w().SftTree1_ItemClick(f.item(u"Diplomarbeit"_s));
        QCoreApplication::processEvents();
        QTableView *grid = control<QTableView>(f.w(), "iGrid2");
        QCOMPARE(fileGrid(f.w())->rowCount(), 4); // ".." and the three files
        const QFontMetrics metrics = grid->fontMetrics();
        const int status = FileGridModel::StatusColumn;
        QVERIFY2(grid->columnWidth(status) >= metrics.horizontalAdvance(longest) + 8,
                 qPrintable(u"%1 < %2"_s.arg(grid->columnWidth(status))
                                .arg(metrics.horizontalAdvance(longest))));
        QVERIFY(grid->columnWidth(status) >= grid->horizontalHeader()->sectionSizeHint(status));
        // In sight: the columns end within the grid.
        QCOMPARE(grid->horizontalScrollBar()->value(), 0);
        QVERIFY2(grid->columnViewportPosition(status) + grid->columnWidth(status) <=
                     grid->viewport()->width(),
                 qPrintable(u"%1 + %2 > %3"_s.arg(grid->columnViewportPosition(status))
                                .arg(grid->columnWidth(status))
                                .arg(grid->viewport()->width())));
    }

    // The widest text may stand anywhere in a big folder.
    void widestCellAnywhere()
    {
        Window f;
        f.w().resize(1200, 700);
        QVERIFY(f.show());
        QByteArray list;
        for (int i = 0; i < 30000; ++i) {
            const QByteArray size = i == 17123 ? "631354123456789012" : QByteArray::number(i % 977);
            const QByteArray status =
                i == 23456 ? "Recovered - 12 sectors rebuilt from parity" : "Ok";
            list += "Data\\f" + QByteArray::number(i) + ".txt,2010-10-12 14:33:00," + size +
                    ",32;x," + status + "\r\n";
        }
        QVERIFY(f.load(f.writeList(u"big.csv"_s, list)));
        QElapsedTimer timer;
        timer.start();
        f.w().SftTree1_ItemClick(0);
        qInfo("showing 30,000 files took %lld ms", qint64(timer.elapsed()));
        timer.restart();
        fileGridColumns(f.w())->fit();
        qInfo("fitting the columns to them took %lld ms", qint64(timer.elapsed()));
        const QTableView *grid = control<QTableView>(f.w(), "iGrid2");
        const QFontMetrics metrics = grid->fontMetrics();
        QVERIFY(grid->columnWidth(2) >=
                metrics.horizontalAdvance(u"631,354,123,456,789,012"_s) + 8);
        QVERIFY(grid->columnWidth(4) >=
                metrics.horizontalAdvance(u"Recovered - 12 sectors rebuilt from parity"_s) + 8);
    }

    // What the user sets by hand stays for the rest of the run.
    void userWidthsKept()
    {
        Window f;
        f.w().resize(1200, 700);
        QVERIFY(f.show());
        QVERIFY(f.load(f.writeList(u"l.csv"_s, sampleList)));
        f.w().SftTree1_ItemClick(0);
        QHeaderView *header = control<QTableView>(f.w(), "iGrid2")->horizontalHeader();
        header->resizeSection(4, 300); // as a drag of the divider does
        QCOMPARE(fileGridColumns(f.w())->userWidths().value(4), 300);
        f.w().SftTree1_ItemClick(f.item(u"Docs"_s));
        QVERIFY(f.load(f.writeList(u"m.csv"_s, listBytes("M", 3))));
        f.w().SftTree1_ItemClick(0);
        f.w().resize(1400, 700);
        QCoreApplication::processEvents();
        const QTableView *grid = control<QTableView>(f.w(), "iGrid2");
        QCOMPARE(grid->columnWidth(4), 300);
        // Name still takes what is left.
        const int others = grid->columnWidth(1) + grid->columnWidth(2) + 300;
        QCOMPARE(grid->columnWidth(0) + others, grid->viewport()->width());
        // The widths can be handed back, as a saved set would be.
        fileGridColumns(f.w())->setUserWidths({{1, 140}});
        QCOMPARE(grid->columnWidth(1), 140);
        QVERIFY(grid->columnWidth(4) != 300 || grid->columnWidth(4) == 170);
    }

    // ---- going up keeps your place ----
    void goingUp_data()
    {
        QTest::addColumn<bool>("backspace");
        QTest::addColumn<int>("folders"); // sibling folders, so that the row must be scrolled to
        QTest::newRow("'..' row") << false << 3;
        QTest::newRow("Backspace") << true << 3;
        QTest::newRow("'..' row, 400 folders") << false << 400;
        QTest::newRow("Backspace, 400 folders") << true << 400;
    }
    void goingUp()
    {
        QFETCH(bool, backspace);
        QFETCH(int, folders);
        Window f;
        f.w().resize(900, 600);
        QVERIFY(f.show());
        QByteArray list;
        for (int i = 0; i < folders; ++i)
            list += "Data\\Top\\F" + QByteArray::number(i).rightJustified(3, '0') +
                    "\\x.txt,d,1,32;x,Ok\r\n";
        QVERIFY(f.load(f.writeList(u"l.csv"_s, list)));
        const QString target = u"F%1"_s.arg(folders - 2, 3, 10, QChar(u'0'));
        f.w().SftTree1_ItemClick(f.item(u"Top"_s));
        f.w().iGrid2_DblClick(f.row(target), 1);
        QCOMPARE(currentFolderItem(f.w()), f.item(u"Top\\"_s + target));
        QTableView *grid = control<QTableView>(f.w(), "iGrid2");
        if (backspace) {
            grid->setFocus();
            QTest::keyClick(grid, Qt::Key_Backspace);
        } else {
            f.w().iGrid2_DblClick(1, 1);
        }
        QCOMPARE(currentFolderItem(f.w()), f.item(u"Top"_s));
        QCOMPARE(f.currentName(), target);
        QVERIFY(grid->viewport()->rect().contains(grid->visualRect(grid->currentIndex())));
        // Up once more: Top is current in Root.
        f.w().iGrid2_DblClick(1, 1);
        QCOMPARE(currentFolderItem(f.w()), 0);
        QCOMPARE(f.currentName(), u"Top"_s);
    }

    // ---- Stop ----
    void stopAtOnce_data()
    {
        QTest::addColumn<bool>("escape");
        QTest::newRow("Stop button") << false;
        QTest::newRow("Esc") << true;
    }
    void stopAtOnce()
    {
        QFETCH(bool, escape);
        Window f;
        f.w().show();
        f.w().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&f.w()));
        f.open(f.writeList(u"first.csv"_s, sampleList));
        f.prompts.clear();
        const QString big = f.writeList(u"big.csv"_s, listBytes("Big", 200000));
        f.prompts.openFileAnswers.append(big);
        LoadSpy ended(*f.window);
        control<QTabWidget>(f.w(), "SSTab1")->setCurrentIndex(0); // where the open button is
        control<QPushButton>(f.w(), "Command2")->click();
        QVERIFY(isLoading(f.w()));
        QVERIFY(control<QPushButton>(f.w(), "LoadStopButton")->isVisible());
        QVERIFY(control<QPushButton>(f.w(), "LoadStopButton")->isEnabled());
        if (escape)
            QTest::keyClick(&f.w(), Qt::Key_Escape);
        else
            QTest::mouseClick(control<QPushButton>(f.w(), "LoadStopButton"), Qt::LeftButton);
        // Given up at once, whatever the loader is doing.
        QCOMPARE(isLoading(f.w()), false);
        QCOMPARE(ended.size(), 1);
        QCOMPARE(shownList(f.w()).lineCount, 0);
        QCOMPARE(control<QTreeView>(f.w(), "SftTree1")->model()->rowCount(), 0);
        QCOMPARE(fileGrid(f.w())->rowCount(), 0);
        for (const char *counter : {"Label1", "Label4", "Label6"})
            QCOMPARE(control<QLabel>(f.w(), counter)->text(), u"0"_s);
        QCOMPARE(control<QLabel>(f.w(), "Label8")->text(), QString());
        QCOMPARE(control<QTabWidget>(f.w(), "SSTab1")->isTabEnabled(1), false);
        QCOMPARE(control<QTabWidget>(f.w(), "SSTab1")->currentIndex(), 0);
        QCOMPARE(f.w().windowTitle(), baseTitle(f.w()));
        QVERIFY(control<QGroupBox>(f.w(), "Frame2")->isEnabled());
        QVERIFY(control<QMenu>(f.w(), "mnuMenu")->menuAction()->isEnabled());
        QVERIFY(!control<QPushButton>(f.w(), "LoadStopButton")->isVisible());
        QVERIFY(!control<QProgressBar>(f.w(), "LoadProgressBar")->isVisible());
        QCOMPARE(f.prompts.boxCount(), 0);
        QCOMPARE(f.prompts.count(u"beep"_s), 0);
        // What the stopped loader still reports changes nothing.
        QTest::qWait(300);
        QCOMPARE(control<QLabel>(f.w(), "Label4")->text(), u"0"_s);
        QCOMPARE(control<QTabWidget>(f.w(), "SSTab1")->isTabEnabled(1), false);
        // The next list loads as usual.
        f.open(f.writeList(u"next.csv"_s, listBytes("Next", 5)));
        QCOMPARE(shownList(f.w()).lineCount, 5);
        QCOMPARE(control<QLabel>(f.w(), "Label4")->text(), u"5"_s);
        QTest::qWait(300);
        QCOMPARE(control<QLabel>(f.w(), "Label4")->text(), u"5"_s);
    }

    // Stop when the loader has been going a while; the window keeps running
    // while the loader ends on its own.
    void stopMidLoad()
    {
        Window f;
        f.w().show();
        f.w().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&f.w()));
        const QString big = f.writeList(u"big.csv"_s, listBytes("Big", 400000));
        f.prompts.openFileAnswers.append(big);
        control<QPushButton>(f.w(), "Command2")->click();
        QVERIFY(control<QPushButton>(f.w(), "LoadStopButton")->isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(
            control<QLabel>(f.w(), "Label4")->text() != u"0"_s || !isLoading(f.w()), 20000);
        if (!isLoading(f.w()))
            QSKIP("the list loaded before it could be stopped");
        QTest::keyClick(&f.w(), Qt::Key_Escape);
        QCOMPARE(isLoading(f.w()), false);
        QCOMPARE(control<QLabel>(f.w(), "Label4")->text(), u"0"_s);
        QCOMPARE(currentListFile(f.w()), QString());
        QCOMPARE(f.prompts.boxCount(), 0);
        // Esc with nothing loading does nothing.
        QTest::keyClick(&f.w(), Qt::Key_Escape);
        QCOMPARE(control<QTabWidget>(f.w(), "SSTab1")->currentIndex(), 0);
    }

    // ---- the lab's notes ----
    void notesListedAndShown_data()
    {
        QTest::addColumn<QList<zipfix::FixtureEntry>>("entries");
        QTest::addColumn<QStringList>("notes");
        using zipfix::entry;
        const QByteArray a = listBytes("A", 2);
        const QByteArray b = listBytes("B", 2);
        QTest::newRow("two lists, upper-case notes")
            << QList<zipfix::FixtureEntry>{entry("a.csv", a), entry("README.TXT", "Hello\r\n"),
                                           entry("b.csv", b), entry("Errors.Log", "e1\ne2\n")}
            << QStringList{u"README.TXT"_s, u"Errors.Log"_s};
        QTest::newRow("one list and a note")
            << QList<zipfix::FixtureEntry>{entry("a.csv", a), entry("notes.txt", "n")}
            << QStringList{u"notes.txt"_s};
        QTest::newRow("notes only")
            << QList<zipfix::FixtureEntry>{entry("notes.txt", "n"), entry("readme.LOG", "r")}
            << QStringList{u"notes.txt"_s, u"readme.LOG"_s};
        QTest::newRow("no note") << QList<zipfix::FixtureEntry>{entry("a.csv", a)} << QStringList{};
    }
    void notesListedAndShown()
    {
        QFETCH(QList<zipfix::FixtureEntry>, entries);
        QFETCH(QStringList, notes);
        Window f;
        f.openZip(entries);
        QCOMPARE(columnTexts(control<QListView>(f.w(), "NotesList")->model()), notes);
        QCOMPARE(control<QGroupBox>(f.w(), "NotesFrame")->isHidden(), notes.isEmpty());
        // Read from the archive when opened: none is unpacked.
        QDirIterator files(f.dataDir.path(), QDir::Files | QDir::Hidden,
                           QDirIterator::Subdirectories);
        while (files.hasNext()) {
            const QString file = files.next();
            QVERIFY2(!file.endsWith(u"txt"_s, Qt::CaseInsensitive) &&
                         !file.endsWith(u"log"_s, Qt::CaseInsensitive),
                     qPrintable(file));
        }
        QCOMPARE(control<QGroupBox>(f.w(), "NotesFrame")->title(),
                 langText(f.w(), LangEntry::NotesTitle));
        // A plain list afterwards: its archive's notes go.
        f.open(f.writeList(u"plain.csv"_s, sampleList));
        QCOMPARE(control<QListView>(f.w(), "NotesList")->model()->rowCount(), 0);
        QVERIFY(control<QGroupBox>(f.w(), "NotesFrame")->isHidden());
    }

    void noteViewer_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("shown");
        QTest::newRow("Windows-1252, CR LF")
            << QByteArray("Caf\xe9\r\nZeile 2\r\n") << u"Caf\u00e9\nZeile 2\n"_s;
        QTest::newRow("UTF-8, LF") << QByteArray("Caf\xc3\xa9\nline 2") << u"Caf\u00e9\nline 2"_s;
        QTest::newRow("UTF-8 with BOM, CR")
            << QByteArray("\xef\xbb\xbfGr\xc3\xbc\xc3\x9f\rx") << u"Gr\u00fc\u00df\nx"_s;
        QTest::newRow("UTF-16LE with BOM")
            << QByteArray("\xff\xfeH\0i\0\r\0\n\0!\0", 12) << u"Hi\n!"_s;
        QTest::newRow("mixed line ends") << QByteArray("a\rb\nc\r\nd") << u"a\nb\nc\nd"_s;
        QTest::newRow("empty") << QByteArray() << QString();
    }
    void noteViewer()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, shown);
        Window f;
        f.openZip({zipfix::entry("a.csv", listBytes("A", 2)),
                   zipfix::entry("b.csv", listBytes("B", 2)),
                   zipfix::FixtureEntry{"Note.TXT", bytes}});
        QCOMPARE(control<QListView>(f.w(), "NotesList")->model()->rowCount(), 1);
        // Enter on the current note opens it.
        auto *notes = control<QListView>(f.w(), "NotesList");
        notes->setCurrentIndex(notes->model()->index(0, 0));
        QTest::keyClick(notes, Qt::Key_Return);
        auto *viewer = f.w().findChild<NoteViewer *>();
        QVERIFY(viewer);
        QVERIFY(viewer->textView()->isReadOnly());
        QCOMPARE(viewer->textView()->toPlainText(), shown);
        QVERIFY(viewer->windowTitle().startsWith(u"Note.TXT"_s));
        QCOMPARE(f.prompts.boxCount(), 0);
    }

    void noteGone()
    {
        Window f;
        const QString zip =
            f.openZip({zipfix::entry("a.csv", listBytes("A", 2)),
                       zipfix::entry("b.csv", listBytes("B", 2)), zipfix::entry("notes.txt", "n")});
        QVERIFY(QFile::remove(zip));
        openZipNote(f.w(), 0);
        QCOMPARE(f.prompts.count(u"warning"_s), 1);
        QVERIFY(f.prompts.calls.last().text.contains(u"notes.txt"_s));
        QVERIFY(!f.w().findChild<NoteViewer *>());
        openZipNote(f.w(), 5); // no such row: nothing
        QCOMPARE(f.prompts.boxCount(), 1);
    }

    // A text of 10 MB is shown whole, piece by piece.
    void bigNote()
    {
        QByteArray bytes;
        const QByteArray line = "2024-01-01 10:00:00 sector 123456 read again, checksum ok\r\n";
        while (bytes.size() < 10 * 1024 * 1024)
            bytes += line;
        const QString text = corvane::zip::decodeNoteBytes(bytes);
        QCOMPARE(text.size(), bytes.size() - bytes.count('\r'));
        NoteViewer viewer(u"big.log"_s, text);
        // The first lines are there at once, the rest follows.
        QVERIFY(viewer.textView()->blockCount() > 100);
        QTRY_VERIFY_WITH_TIMEOUT(viewer.isComplete(), 60000);
        QCOMPARE(viewer.textView()->blockCount(), int(bytes.count('\n')) + 1);
        QCOMPARE(viewer.textView()->toPlainText(), text);
    }
};

QTEST_MAIN(TestUiShown)
#include "tst_ui_shown.moc"
