// "Files by kind..." in the window: its rows are the loader's roll-up of the
// tree's folder, a click shows those files, sorting keeps the total last;
// the report is saved and printed from it, and says what it could not do.

#include "basket/ui/BasketController.h"
#include "common/SmallDisk.h"
#include "report/RecoveryReport.h"
#include "report/ui/KindsController.h"
#include "testutil_window.h"

#include <QCryptographicHash>
#include <QTableView>

#include <sys/mount.h>

using namespace Qt::Literals::StringLiterals;
using namespace corvane;
using namespace corvane::test;

namespace {

const QByteArray List = "D:\\Photos,2019-01-02 03:04:05,0,16;7,OK\r\n"
                        "D:\\Photos\\a.jpg,2019-01-02 03:04:05,1000,32;7,OK\r\n"
                        "D:\\Photos\\b.JPG,2019-01-02 03:04:05,2000,32;7,Damaged\r\n"
                        "D:\\Photos\\2020\\c.png,2020-01-02 03:04:05,3000,32;7,OK\r\n"
                        "D:\\Photos\\2020\\d.mp4,2020-01-02 03:04:05,9000,32;7,Overwritten\r\n"
                        "D:\\Mail\\outlook.pst,2020-01-02 03:04:05,50000,32;7,Partially "
                        "recovered\r\n"
                        "D:\\Mail\\<b>x</b>.eml,2020-01-02 03:04:05,10,32;7,OK\r\n"
                        "D:\\readme,2020-01-02 03:04:05,5,32;7\r\n";

KindsController &kindsOf(frmMain &w)
{
    return *w.controllers().kinds;
}

QStringList columnOf(const QAbstractItemModel &model, int column)
{
    QStringList texts;
    for (int row = 0; row < model.rowCount(); ++row)
        texts.append(model.index(row, column).data().toString());
    return texts;
}

// The paths (below the top folder) of the lines shown.
QStringList shownPaths(const frmMain &w)
{
    QStringList paths;
    const LineStore &store = shownList(w).iGrid1;
    for (qsizetype i = 0; i < store.count(); ++i)
        paths.append(store.text(i).section(u',', 0, 0).mid(3));
    paths.sort();
    return paths;
}

} // namespace

class TestUiKinds : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void rowsFollowTheTree();
    void sortingKeepsTheTotalLast();
    void clickShowsTheFiles_data();
    void clickShowsTheFiles();
    void reportSaved_data();
    void reportSaved();
    void reportRefused();
    void reportOnABadDisk_data();
    void reportOnABadDisk();
    void reportPrinted();
    void textsInEveryLanguage_data();
    void textsInEveryLanguage();
};

// Root's kinds when the window opens, the picked folder's after a click in
// the tree; the numbers are the roll-up's.
void TestUiKinds::rowsFollowTheTree()
{
    WindowFixture f;
    frmMain &w = *f.window;
    f.openFromCommandLine(f.writeList(u"list.csv"_s, List));
    KindsController &k = kindsOf(w);
    w.findChild<QAction *>(u"mnuKinds"_s)->trigger();
    QVERIFY(k.dialog()->isVisible());
    const KindsModel &model = k.model();
    QCOMPARE(columnOf(model, KindsModel::KindColumn),
             (QStringList{u"Photos"_s, u"Videos"_s, u"Mail"_s, u"Other"_s, u"All kinds"_s}));
    QCOMPARE(columnOf(model, KindsModel::FilesColumn),
             (QStringList{u"3"_s, u"1"_s, u"2"_s, u"1"_s, u"7"_s}));
    QCOMPARE(columnOf(model, KindsModel::BadColumn),
             (QStringList{u"1"_s, u"1"_s, u"0"_s, u"0"_s, u"2"_s}));
    QCOMPARE(columnOf(model, KindsModel::UnknownColumn),
             (QStringList{u"0"_s, u"0"_s, u"0"_s, u"1"_s, u"1"_s}));
    QVERIFY(k.dialog()->windowTitle().contains(u"Root"_s));
    // The tree picks Photos\2020: the view follows.
    w.SftTree1_ItemClick(f.item(u"Photos\\2020"_s));
    QCOMPARE(columnOf(model, KindsModel::KindColumn),
             (QStringList{u"Photos"_s, u"Videos"_s, u"All kinds"_s}));
    QCOMPARE(columnOf(model, KindsModel::SizeColumn).last(),
             w.formatSizeShown(*ByteTotal::fromBytes(12000)));
    QVERIFY(k.dialog()->windowTitle().contains(u"2020"_s));
    // Another list: Root of that one.
    f.openFromCommandLine(f.writeList(u"other.csv"_s, "E:\\x.pst,d,1,32;7,OK\r\n"));
    QCOMPARE(columnOf(model, KindsModel::KindColumn), (QStringList{u"Mail"_s, u"All kinds"_s}));
}

void TestUiKinds::sortingKeepsTheTotalLast()
{
    WindowFixture f;
    frmMain &w = *f.window;
    f.openFromCommandLine(f.writeList(u"list.csv"_s, List));
    KindsController &k = kindsOf(w);
    k.showKinds();
    auto *table = control<QTableView>(*k.dialog(), "KindsTable");
    table->sortByColumn(KindsModel::SizeColumn, Qt::DescendingOrder);
    QCOMPARE(columnOf(k.model(), KindsModel::KindColumn),
             (QStringList{u"Mail"_s, u"Videos"_s, u"Photos"_s, u"Other"_s, u"All kinds"_s}));
    table->sortByColumn(KindsModel::KindColumn, Qt::AscendingOrder);
    QCOMPARE(columnOf(k.model(), KindsModel::KindColumn),
             (QStringList{u"Mail"_s, u"Other"_s, u"Photos"_s, u"Videos"_s, u"All kinds"_s}));
    table->sortByColumn(KindsModel::GoodColumn, Qt::DescendingOrder);
    QCOMPARE(columnOf(k.model(), KindsModel::KindColumn).first(), u"Photos"_s);
    QCOMPARE(columnOf(k.model(), KindsModel::KindColumn).last(), u"All kinds"_s);
}

void TestUiKinds::clickShowsTheFiles_data()
{
    QTest::addColumn<QString>("folder"); // in the tree; empty: Root
    QTest::addColumn<QString>("kind");   // the row's text
    QTest::addColumn<int>("column");
    QTest::addColumn<QStringList>("shown"); // empty: nothing searched
    QTest::newRow("photos of Root")
        << QString() << u"Photos"_s << int(KindsModel::FilesColumn)
        << QStringList{u"Photos\\2020\\c.png"_s, u"Photos\\a.jpg"_s, u"Photos\\b.JPG"_s};
    QTest::newRow("bad photos") << QString() << u"Photos"_s << int(KindsModel::BadColumn)
                                << QStringList{u"Photos\\b.JPG"_s};
    QTest::newRow("photos below a folder")
        << u"Photos\\2020"_s << u"Photos"_s << int(KindsModel::SizeColumn)
        << QStringList{u"Photos\\2020\\c.png"_s};
    QTest::newRow("mail, a name that looks like markup")
        << u"Mail"_s << u"Mail"_s << int(KindsModel::GoodColumn)
        << QStringList{u"Mail\\<b>x</b>.eml"_s};
    QTest::newRow("none of that class")
        << QString() << u"Mail"_s << int(KindsModel::BadColumn) << QStringList();
    QTest::newRow("the total row")
        << QString() << u"All kinds"_s << int(KindsModel::FilesColumn) << QStringList();
}

// A click on a number shows those files as a search result, with their
// folders; a cell with nothing to show searches nothing.
void TestUiKinds::clickShowsTheFiles()
{
    QFETCH(QString, folder);
    QFETCH(QString, kind);
    QFETCH(int, column);
    QFETCH(QStringList, shown);
    WindowFixture f;
    frmMain &w = *f.window;
    f.openFromCommandLine(f.writeList(u"list.csv"_s, List));
    if (!folder.isEmpty())
        w.SftTree1_ItemClick(f.item(folder));
    KindsController &k = kindsOf(w);
    k.showKinds();
    const int row = int(columnOf(k.model(), KindsModel::KindColumn).indexOf(kind));
    QVERIFY(row >= 0);
    LoadSpy loaded(w);
    k.showFilesOf(row, column);
    if (shown.isEmpty()) {
        QVERIFY(!isSearching(w));
        QVERIFY(!w.session().showsSearchResult());
        return;
    }
    QVERIFY(loaded.wait(30000));
    QVERIFY(w.session().showsSearchResult());
    QCOMPARE(shownPaths(w), shown);
}

void TestUiKinds::reportSaved_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("starts");
    QTest::newRow("pdf") << u"report.pdf"_s << QByteArray("%PDF-");
    QTest::newRow("html") << u"report.html"_s << QByteArray("<!DOCTYPE html>");
    QTest::newRow("csv") << u"report.csv"_s << QByteArray("section,id,name,");
}

// "Save report..." writes where the user says, in the format of the name's
// ending, and says so; the HTML holds the list's SHA-256, the basket and
// the lab's address, and no markup from the list.
void TestUiKinds::reportSaved()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, starts);
    WindowFixture f;
    frmMain &w = *f.window;
    const QString path = f.writeList(u"list.csv"_s, List);
    f.openFromCommandLine(path);
    QVERIFY(w.controllers().basket->waitForFingerprint(30000));
    w.controllers().basket->addAllShown();
    const QString out = QFileInfo(path).absolutePath() + u'/' + name;
    f.prompts.saveFileAnswers = {out};
    w.findChild<QAction *>(u"mnuReport"_s)->trigger();
    QVERIFY(kindsOf(w).waitForReport(30000));
    QCOMPARE(f.prompts.count(u"message"_s), 1);
    QVERIFY2(f.prompts.calls.last().text.contains(QDir::toNativeSeparators(out)),
             qPrintable(f.prompts.calls.last().text));
    const QByteArray written = readBytes(out);
    QVERIFY2(written.startsWith(starts), written.left(40).constData());
    if (name.endsWith(u".html"_s)) {
        const QString html = QString::fromUtf8(written);
        const QString sha =
            QString::fromLatin1(QCryptographicHash::hash(List, QCryptographicHash::Sha256).toHex());
        QVERIFY(html.contains(sha));
        QVERIFY(html.contains(u"list.csv"_s));
        QVERIFY(html.contains(langText(w, LangEntry::ReportBasketHeading).toHtmlEscaped()));
        QVERIFY(html.contains(u"&lt;b&gt;x&lt;/b&gt;"_s) || !html.contains(u"<b>x"_s));
        QVERIFY(!html.contains(u"<b>x</b>"_s));
    }
}

// No list, a name of another ending, the list itself, a folder at the name:
// a message each, nothing written.
void TestUiKinds::reportRefused()
{
    WindowFixture empty;
    kindsOf(*empty.window).saveReport();
    QCOMPARE(empty.prompts.count(u"message"_s), 1);
    QCOMPARE(empty.prompts.count(u"saveFile"_s), 0);

    WindowFixture f;
    frmMain &w = *f.window;
    const QString path = f.writeList(u"list.csv"_s, List);
    f.openFromCommandLine(path);
    const QString folder = QFileInfo(path).absolutePath();
    QDir(folder).mkdir(u"taken.pdf"_s);
    f.prompts.saveFileAnswers = {folder + u"/report.txt"_s, path, folder + u"/taken.pdf"_s};
    KindsController &k = kindsOf(w);
    k.saveReport();
    QCOMPARE(f.prompts.count(u"warning"_s), 1);
    QVERIFY(f.prompts.calls.last().text.contains(u".pdf"_s));
    QVERIFY(!QFile::exists(folder + u"/report.txt"_s));
    k.saveReport();
    QVERIFY(k.waitForReport(30000));
    QCOMPARE(f.prompts.count(u"warning"_s), 2);
    QCOMPARE(readBytes(path), List);
    k.saveReport();
    QVERIFY(k.waitForReport(30000));
    QCOMPARE(f.prompts.count(u"warning"_s), 3);
    QVERIFY(QFileInfo(folder + u"/taken.pdf"_s).isDir());
    QCOMPARE(f.prompts.count(u"message"_s), 0);
}

void TestUiKinds::reportOnABadDisk_data()
{
    QTest::addColumn<bool>("readOnly");
    QTest::newRow("full") << false;
    QTest::newRow("read-only") << true;
}

// A disk that fills up, or may not be written: said, and the older file of
// that name is left as it was, nothing half-written beside it.
void TestUiKinds::reportOnABadDisk()
{
    QFETCH(bool, readOnly);
    WindowFixture f;
    frmMain &w = *f.window;
    const QString path = f.writeList(u"list.csv"_s, List);
    f.openFromCommandLine(path);
    const QString folder = QFileInfo(path).absolutePath() + u"/disk"_s;
    QVERIFY(QDir().mkpath(folder));
    testing::SmallDisk disk(folder, 64);
    if (!disk.mounted())
        QSKIP("no tmpfs can be mounted here");
    const QString out = folder + u"/report.pdf"_s;
    QVERIFY(writeBytes(out, "older"));
    if (readOnly) {
        QVERIFY(::mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs",
                        MS_REMOUNT | MS_RDONLY, nullptr) == 0);
    } else {
        // Room for a few bytes only.
        QFile fill(folder + u"/fill"_s);
        QVERIFY(fill.open(QIODevice::WriteOnly));
        const QByteArray block(4096, 'x');
        while (fill.write(block) == block.size() && fill.flush()) {
        }
        fill.close();
    }
    f.prompts.saveFileAnswers = {out};
    kindsOf(w).saveReport();
    QVERIFY(kindsOf(w).waitForReport(30000));
    QCOMPARE(f.prompts.count(u"warning"_s), 1);
    const QString reason =
        langText(w, readOnly ? LangEntry::SaveNotPermitted : LangEntry::SaveDiskFull);
    QVERIFY2(f.prompts.calls.last().text.contains(reason), qPrintable(f.prompts.calls.last().text));
    QCOMPARE(readBytes(out), QByteArray("older"));
    QStringList left = QDir(folder).entryList(QDir::Files | QDir::Hidden);
    left.removeAll(u"fill"_s);
    QCOMPARE(left, QStringList{u"report.pdf"_s});
}

// "Print report..." draws the report's pages on the printer chosen; a
// cancelled dialog prints nothing.
void TestUiKinds::reportPrinted()
{
    WindowFixture f;
    frmMain &w = *f.window;
    f.openFromCommandLine(f.writeList(u"list.csv"_s, List));
    f.prompts.printAnswer = false;
    w.findChild<QAction *>(u"mnuPrintReport"_s)->trigger();
    QVERIFY(kindsOf(w).waitForReport(30000));
    QCOMPARE(f.prompts.count(u"print"_s), 1);
    QVERIFY(f.prompts.printedPdf.isEmpty());
    f.prompts.printAnswer = true;
    kindsOf(w).printReport();
    QVERIFY(kindsOf(w).waitForReport(30000));
    QCOMPARE(f.prompts.count(u"print"_s), 2);
    QVERIFY(f.prompts.printedPdf.startsWith("%PDF-"));
}

void TestUiKinds::textsInEveryLanguage_data()
{
    addLanguageRows();
}

void TestUiKinds::textsInEveryLanguage()
{
    QFETCH(int, language);
    WindowFixture f;
    frmMain &w = *f.window;
    f.openFromCommandLine(f.writeList(u"list.csv"_s, List));
    kindsOf(w).showKinds();
    w.LoadLanguage(language);
    const KindsModel &model = kindsOf(w).model();
    QCOMPARE(model.index(0, KindsModel::KindColumn).data().toString(),
             langText(w, LangEntry::KindPhotos));
    QCOMPARE(model.headerData(KindsModel::BadColumn, Qt::Horizontal, Qt::DisplayRole).toString(),
             langText(w, LangEntry::ClassBad));
    QVERIFY(kindsOf(w).dialog()->windowTitle().startsWith(
        langText(w, LangEntry::KindsTitle).section(u"%1"_s, 0, 0)));
    QCOMPARE(control<QPushButton>(*kindsOf(w).dialog(), "KindsSaveReport")->text(),
             langText(w, LangEntry::ReportSave));
    for (const char *name : {"mnuKinds", "mnuReport", "mnuPrintReport"})
        QVERIFY(!w.findChild<QAction *>(QString::fromLatin1(name))->text().isEmpty());
    for (int entry = int(LangEntry::KindsOpen); entry <= int(LangEntry::ReportWriting); ++entry)
        QVERIFY2(!langText(w, LangEntry(entry)).isEmpty(), qPrintable(QString::number(entry)));
}

QTEST_MAIN(TestUiKinds)
#include "tst_ui_kinds.moc"
