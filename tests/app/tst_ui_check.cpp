// "Check my files..." in the window: the verdicts are the check's own, a
// row's matches are shown and chosen, the best match's folder opens, the
// results are saved and the entries come back with the list.

#include "basket/Basket.h"
#include "basket/ui/BasketController.h"
#include "checklist/CheckList.h"
#include "checklist/ui/CheckController.h"
#include "testutil_window.h"

#include <QMimeData>
#include <QPlainTextEdit>
#include <QTableView>

#include <sys/stat.h>

using namespace Qt::Literals::StringLiterals;
using namespace corvane;
using namespace corvane::test;

namespace {

const QByteArray List = "D:\\Uni\\Diplomarbeit.docx,2019-01-02 03:04:05,1000,32;7,OK\r\n"
                        "D:\\Uni\\Diplomarbeit-alt.docx,2018-01-02 03:04:05,900,32;7,Damaged\r\n"
                        "D:\\Mail\\outlook.pst,2020-01-02 03:04:05,50000,32;7,Partial\r\n"
                        "D:\\Photos\\IMG_2019_01.jpg,2019-05-02 03:04:05,4097,32;7,Damaged\r\n"
                        "D:\\Photos\\IMG_2019_02.jpg,2019-05-02 03:04:05,10,32;7,Overwritten\r\n"
                        "D:\\Photos\\2020\\IMG_2020.jpg,2020-05-02 03:04:05,10,32;7,OK\r\n";

const QString Entries = u"# my files\nDiplomarbeit\n*.pst\n  IMG_2019*  \nsteuer;2019\n\n"_s;

CheckController &checkOf(frmMain &w)
{
    return *w.controllers().check;
}

QList<CheckVerdict> verdicts(const CheckResultsModel &model)
{
    QList<CheckVerdict> out;
    for (const CheckEntryResult &r : model.results())
        out.append(r.verdict);
    return out;
}

void runCheck(frmMain &w, const QString &entries)
{
    CheckController &c = checkOf(w);
    c.showCheck();
    c.setEntriesText(entries);
    control<QPushButton>(*c.dialog(), "CheckRun")->click();
    QVERIFY(c.waitForCheck(30000));
}

// The paths (field 0 without the top folder) of a store's lines.
QString pathOf(const LineStore &store, qsizetype i)
{
    return store.text(i).section(u',', 0, 0).mid(3);
}

QStringList chosenPaths(frmMain &w)
{
    QStringList paths;
    const LineStore &store = w.session().openedList().iGrid1;
    w.controllers().basket->basket().forEachChosen(
        [&](qsizetype i) { paths.append(pathOf(store, i)); });
    paths.sort();
    return paths;
}

QString buttonText(QWidget *root, const char *name)
{
    return control<QPushButton>(*root, name)->text();
}

} // namespace

class TestUiCheck : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void verdictsAsTheCheck();
    void matchesShownAndChosen_data();
    void matchesShownAndChosen();
    void resultsSaved();
    void entriesFromFiles_data();
    void entriesFromFiles();
    void keptWithTheList();
    void textsInEveryLanguage_data();
    void textsInEveryLanguage();
};

// The rows are the check's verdicts for the entries of the box, in their
// order, and the summary counts them.
void TestUiCheck::verdictsAsTheCheck()
{
    WindowFixture f;
    frmMain &w = *f.window;
    const QString path = f.writeList(u"list.csv"_s, List);
    f.openFromCommandLine(path);
    runCheck(w, Entries);
    const CheckResultsModel &model = checkOf(w).results();
    const QStringList entries = checkEntries(Entries);
    QCOMPARE(model.entries(), entries);
    const CheckOutcome direct = checkList(path, entries);
    QCOMPARE(model.results().size(), direct.results.size());
    for (int i = 0; i < direct.results.size(); ++i) {
        QCOMPARE(model.results()[i].verdict, direct.results[i].verdict);
        QCOMPARE(model.results()[i].matches, direct.results[i].matches);
        QCOMPARE(model.results()[i].bestPath, direct.results[i].bestPath);
    }
    QCOMPARE(verdicts(model), (QList<CheckVerdict>{CheckVerdict::Recovered, CheckVerdict::Partial,
                                                   CheckVerdict::Damaged, CheckVerdict::Missing}));
    QCOMPARE(model.results()[0].bestPath, u"D:\\Uni\\Diplomarbeit.docx"_s);
    QCOMPARE(text(checkOf(w).dialog(), "CheckSummary"),
             langText(w, LangEntry::CheckSummary).arg(u"4"_s, u"1"_s, u"1"_s, u"1"_s, u"1"_s));
    // Each verdict its own colour.
    QSet<QRgb> colours;
    for (int row = 0; row < model.rowCount(); ++row)
        colours.insert(model.index(row, 0).data(Qt::BackgroundRole).value<QColor>().rgb());
    QCOMPARE(colours.size(), 4);
    // No list: said, nothing checked.
    WindowFixture empty;
    checkOf(*empty.window).showCheck();
    checkOf(*empty.window).setEntriesText(u"a"_s);
    checkOf(*empty.window).runCheck();
    QCOMPARE(empty.prompts.count(u"message"_s), 1);
    QCOMPARE(checkOf(*empty.window).results().rowCount(), 0);
}

void TestUiCheck::matchesShownAndChosen_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<int>("row");
    QTest::addColumn<QStringList>("shown");  // the result's lines, below the top folder
    QTest::addColumn<QStringList>("chosen"); // the basket afterwards
    QTest::addColumn<QString>("folder");     // the folder shown afterwards; empty: any
    const QStringList pictures = {u"Photos\\IMG_2019_01.jpg"_s, u"Photos\\IMG_2019_02.jpg"_s};
    QTest::newRow("click") << u"click"_s << 2 << pictures << QStringList{} << QString();
    QTest::newRow("double-click: the best match's folder")
        << u"double"_s << 0
        << QStringList{u"Uni\\Diplomarbeit-alt.docx"_s, u"Uni\\Diplomarbeit.docx"_s}
        << QStringList{} << u"Uni"_s;
    QTest::newRow("add a row") << u"add"_s << 2 << pictures << pictures << QString();
    QTest::newRow("add all found")
        << u"all"_s << 0
        << QStringList{u"Mail\\outlook.pst"_s, u"Photos\\IMG_2019_01.jpg"_s,
                       u"Photos\\IMG_2019_02.jpg"_s, u"Uni\\Diplomarbeit-alt.docx"_s,
                       u"Uni\\Diplomarbeit.docx"_s}
        << QStringList{u"Mail\\outlook.pst"_s, u"Photos\\IMG_2019_01.jpg"_s,
                       u"Photos\\IMG_2019_02.jpg"_s, u"Uni\\Diplomarbeit-alt.docx"_s,
                       u"Uni\\Diplomarbeit.docx"_s}
        << QString();
}

// A row's matches are shown as a search result (the grid with their
// folders); chosen, they are the opened list's lines.
void TestUiCheck::matchesShownAndChosen()
{
    QFETCH(QString, action);
    QFETCH(int, row);
    QFETCH(QStringList, shown);
    QFETCH(QStringList, chosen);
    QFETCH(QString, folder);
    WindowFixture f;
    frmMain &w = *f.window;
    f.openFromCommandLine(f.writeList(u"list.csv"_s, List));
    runCheck(w, Entries);
    CheckController &c = checkOf(w);
    LoadSpy loaded(w);
    if (action == u"click") {
        c.showMatchesOf(row);
    } else if (action == u"double") {
        c.showMatchesOf(row); // a double-click clicks first
        c.openBestFolderOf(row);
    } else if (action == u"add") {
        c.addRowToBasket(row);
    } else {
        c.addAllFoundToBasket();
    }
    QVERIFY(loaded.wait(30000));
    QVERIFY(w.session().showsSearchResult());
    QStringList lines;
    const LineStore &store = shownList(w).iGrid1;
    for (qsizetype i = 0; i < store.count(); ++i)
        lines.append(pathOf(store, i));
    lines.sort();
    QCOMPARE(lines, shown);
    QCOMPARE(chosenPaths(w), chosen);
    if (!folder.isEmpty()) {
        QCOMPARE(shownList(w).SftTree1.namesBelowRoot(currentFolderItem(w)).join(u'\\'), folder);
        // The best match is the grid's current row.
        const QModelIndex current = control<QTableView>(w, "iGrid2")->currentIndex();
        QCOMPARE(current.siblingAtColumn(0).data().toString(), u"Diplomarbeit.docx"_s);
    }
    // The same row asked again while shown: nothing is searched again.
    if (action != u"all") {
        c.openBestFolderOf(row);
        QVERIFY(!isSearching(w));
    }
    // A missing entry has nothing to show.
    c.showMatchesOf(3);
    QVERIFY(!isSearching(w));
}

// "Save results..." writes the rows as CSV where the user says, never over
// the list itself.
void TestUiCheck::resultsSaved()
{
    WindowFixture f;
    frmMain &w = *f.window;
    const QString path = f.writeList(u"list.csv"_s, List);
    f.openFromCommandLine(path);
    runCheck(w, Entries);
    CheckController &c = checkOf(w);
    const QString out = QFileInfo(path).absolutePath() + u"/results.csv"_s;
    f.prompts.saveFileAnswers = {out};
    control<QPushButton>(*c.dialog(), "CheckSaveResults")->click();
    QCOMPARE(readBytes(out), checkResultsCsv(c.results().entries(), c.results().results()));
    QCOMPARE(f.prompts.count(u"message"_s), 1);
    // The list itself is refused and stays as it was.
    f.prompts.clear();
    f.prompts.saveFileAnswers = {path};
    c.saveResults();
    QCOMPARE(f.prompts.count(u"warning"_s), 1);
    QCOMPARE(readBytes(path), List);
}

void TestUiCheck::entriesFromFiles_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("entries"); // the box afterwards; empty: unchanged
    QTest::addColumn<int>("warnings");
    QTest::newRow("a UTF-8 file") << u"utf8"_s << u"Diplomarbeit\n*.pst"_s << 0;
    QTest::newRow("a file dropped on the box") << u"drop"_s << u"Diplomarbeit\n*.pst"_s << 0;
    QTest::newRow("a missing file") << u"missing"_s << QString() << 1;
    QTest::newRow("a folder") << u"folder"_s << QString() << 1;
    QTest::newRow("a pipe") << u"fifo"_s << QString() << 1;
}

// Entries are read from a file as lists are; what cannot be read is said
// and the box stays as it was (a pipe never hangs the window).
void TestUiCheck::entriesFromFiles()
{
    QFETCH(QString, kind);
    QFETCH(QString, entries);
    QFETCH(int, warnings);
    WindowFixture f;
    frmMain &w = *f.window;
    CheckController &c = checkOf(w);
    c.showCheck();
    c.setEntriesText(u"before"_s);
    const QString path = QFileInfo(f.writeList(u"x"_s, "")).absolutePath() + u"/entries"_s;
    QFile::remove(path);
    if (kind == u"utf8")
        QVERIFY(writeBytes(path, "\xEF\xBB\xBF"
                                 "Diplomarbeit\r\n# skipped\r\n*.pst\r\n"));
    else if (kind == u"folder")
        QVERIFY(QDir().mkpath(path));
    else if (kind == u"fifo")
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    if (kind == u"drop") {
        QVERIFY(writeBytes(path, "Diplomarbeit\n*.pst\n"));
        QWidget *box = control<QPlainTextEdit>(*c.dialog(), "CheckEntriesText")->viewport();
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(path)});
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, {});
        QCoreApplication::sendEvent(box, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, {});
        QCoreApplication::sendEvent(box, &drop);
    } else {
        c.readEntriesFile(path);
    }
    QCOMPARE(f.prompts.count(u"warning"_s), warnings);
    QCOMPARE(c.entriesText(), entries.isEmpty() ? u"before"_s : entries);
}

// The entries checked are kept with the list's bytes and come back into an
// empty box when the list is opened again.
void TestUiCheck::keptWithTheList()
{
    WindowFixture f;
    const QString path = f.writeList(u"list.csv"_s, List);
    f.openFromCommandLine(path);
    QVERIFY(f.window->controllers().basket->waitForFingerprint(30000));
    runCheck(*f.window, Entries);
    f.window->close();
    f.window->prepareForExit();
    f.restart();
    f.openFromCommandLine(path);
    QVERIFY(f.window->controllers().basket->waitForFingerprint(30000));
    QCOMPARE(checkOf(*f.window).entriesText(), checkEntries(Entries).join(u'\n'));
}

void TestUiCheck::textsInEveryLanguage_data()
{
    addLanguageRows();
}

// The window's texts are the language's, after a change too.
void TestUiCheck::textsInEveryLanguage()
{
    QFETCH(int, language);
    WindowFixture f;
    frmMain &w = *f.window;
    f.openFromCommandLine(f.writeList(u"list.csv"_s, List));
    runCheck(w, Entries);
    w.LoadLanguage(language);
    QDialog *dialog = checkOf(w).dialog();
    QCOMPARE(dialog->windowTitle(), langText(w, LangEntry::CheckTitle));
    QCOMPARE(buttonText(dialog, "CheckRun"), langText(w, LangEntry::CheckRun));
    QCOMPARE(buttonText(dialog, "CheckAddAllFound"), langText(w, LangEntry::CheckAddAllFound));
    QCOMPARE(checkOf(w).results().index(0, 0).data().toString(),
             langText(w, LangEntry::CheckRecovered));
    QCOMPARE(checkOf(w).results().headerData(1, Qt::Horizontal).toString(),
             langText(w, LangEntry::CheckMatchesColumn));
    QCOMPARE(w.findChild<QAction *>(u"mnuCheck"_s)->text(), langText(w, LangEntry::CheckOpen));
    for (LangEntry entry : {LangEntry::CheckHint, LangEntry::CheckSummary, LangEntry::CheckFailed,
                            LangEntry::CheckListUnreadable, LangEntry::CheckResultsSaved})
        QVERIFY(!langText(w, entry).isEmpty());
}

QTEST_MAIN(TestUiCheck)
#include "tst_ui_check.moc"
