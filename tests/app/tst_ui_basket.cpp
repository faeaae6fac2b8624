// The restore basket in the window: the boxes of the tree and the grid agree,
// a search result's lines are the opened list's, the figures are those of
// the chosen lines on the target, the restore list holds exactly them, and
// the approval says what is chosen.

#include "basket/Basket.h"
#include "basket/ui/BasketController.h"
#include "browse/ui/FolderTreeModel.h"
#include "search/ResultFile.h"
#include "testutil_window.h"

using namespace Qt::Literals::StringLiterals;
using namespace corvane;
using namespace corvane::test;

namespace {

// Photos: 3 files (one of 5 GB), Docs: 2 files, Docs\Old: 1 file, one file in the top folder.
const QByteArray List = "D:\\Photos\\a.jpg,2019-01-02 03:04:05,1000,32;7,OK\r\n"
                        "D:\\Photos\\b.jpg,2019-01-02 03:04:05,5000000000,32;7,OK\r\n"
                        "D:\\Photos\\c.png,2020-01-02 03:04:05,0,32;7,Damaged\r\n"
                        "D:\\Docs\\x.doc,2019-05-02 03:04:05,4097,32;7,OK\r\n"
                        "D:\\Docs\\y.jpg,2019-05-02 03:04:05,10,32;7,OK\r\n"
                        "D:\\Docs\\Old\\z.txt,2018-05-02 03:04:05,1,32;7,OK\r\n"
                        "D:\\top.txt,2018-05-02 03:04:05,7,32;7,OK\r\n";

BasketController &basketOf(frmMain &w)
{
    return *w.controllers().basket;
}

int treeItem(frmMain &w, const QString &path)
{
    return folderItemByPath(shownList(w), path);
}

Qt::CheckState treeCheck(frmMain &w, const QString &path)
{
    return Qt::CheckState(
        folderTreeModel(w)->indexOf(treeItem(w, path)).data(Qt::CheckStateRole).toInt());
}

void tickFolder(frmMain &w, const QString &path, bool on)
{
    FolderTreeModel *model = folderTreeModel(w);
    QVERIFY(model->setData(model->indexOf(treeItem(w, path)), on ? Qt::Checked : Qt::Unchecked,
                           Qt::CheckStateRole));
}

// The grid's row named name, shown in column 1.
int gridRow(frmMain &w, const QString &name)
{
    FileGridModel *grid = fileGrid(w);
    for (int r = 0; r < grid->rowCount(); ++r) {
        if (grid->index(r, 0).data().toString() == name)
            return r;
    }
    return -1;
}

Qt::CheckState gridCheck(frmMain &w, const QString &name)
{
    return Qt::CheckState(fileGrid(w)->index(gridRow(w, name), 0).data(Qt::CheckStateRole).toInt());
}

// The paths (field 0 without the top folder) of the chosen lines.
QStringList chosenPaths(frmMain &w)
{
    QStringList paths;
    const LineStore &store = w.session().openedList().iGrid1;
    basketOf(w).basket().forEachChosen(
        [&](qsizetype i) { paths.append(store.text(i).section(u',', 0, 0).mid(3)); });
    paths.sort();
    return paths;
}

void search(WindowFixture &f, const QString &term)
{
    control<QLineEdit>(*f.window, "TXT1")->setText(term);
    LoadSpy loaded(*f.window);
    control<QPushButton>(*f.window, "Command3")->click();
    QVERIFY(loaded.wait(30000));
}

} // namespace

class TestUiBasket : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void boxesAgree();
    void spaceToggles();
    void searchResultLines();
    void figuresOnTarget_data();
    void figuresOnTarget();
    void restoreList();
    void approvalSaysWhatIsChosen();
    void textsInEveryLanguage_data();
    void textsInEveryLanguage();
    void keptPerList_data();
    void keptPerList();
    void notKeptSaidOnce();
    void largeResult();
};

// A folder ticked in the tree ticks its rows in the grid and makes its
// parent partly chosen; a file unticked in the grid makes its folder partly
// chosen again.
void TestUiBasket::boxesAgree()
{
    WindowFixture f;
    frmMain &w = *f.window;
    f.openFromCommandLine(f.writeList(u"list.csv"_s, List));
    QCOMPARE(treeCheck(w, QString()), Qt::Unchecked);
    QVERIFY(!control<QWidget>(w, "BasketTargetRow")->isVisibleTo(&w));

    tickFolder(w, u"Docs"_s, true);
    QCOMPARE(treeCheck(w, u"Docs"_s), Qt::Checked);
    QCOMPARE(treeCheck(w, u"Docs\\Old"_s), Qt::Checked);
    QCOMPARE(treeCheck(w, QString()), Qt::PartiallyChecked);
    QCOMPARE(treeCheck(w, u"Photos"_s), Qt::Unchecked);
    QCOMPARE(chosenPaths(w),
             (QStringList{u"Docs\\Old\\z.txt"_s, u"Docs\\x.doc"_s, u"Docs\\y.jpg"_s}));
    QVERIFY(control<QWidget>(w, "BasketTargetRow")->isVisibleTo(&w));

    // The grid of Docs: its files and its sub-folder are ticked.
    w.SftTree1_ItemClick(treeItem(w, u"Docs"_s));
    QCOMPARE(gridCheck(w, u"x.doc"_s), Qt::Checked);
    QCOMPARE(gridCheck(w, u"Old"_s), Qt::Checked);
    QVERIFY(!fileGrid(w)->index(0, 0).data(Qt::CheckStateRole).isValid()); // ".."
    FileGridModel *grid = fileGrid(w);
    QVERIFY(
        grid->setData(grid->index(gridRow(w, u"x.doc"_s), 0), Qt::Unchecked, Qt::CheckStateRole));
    QCOMPARE(treeCheck(w, u"Docs"_s), Qt::PartiallyChecked);
    QVERIFY(grid->setData(grid->index(gridRow(w, u"Old"_s), 0), Qt::Unchecked, Qt::CheckStateRole));
    QCOMPARE(chosenPaths(w), QStringList{u"Docs\\y.jpg"_s});

    // A partly chosen folder ticked becomes wholly chosen; Root takes all.
    tickFolder(w, u"Docs"_s, true);
    QCOMPARE(treeCheck(w, u"Docs"_s), Qt::Checked);
    tickFolder(w, QString(), true);
    QCOMPARE(basketOf(w).basket().count(), 7);
    control<QPushButton>(w, "BasketEmpty")->click();
    QVERIFY(basketOf(w).basket().isEmpty());
    QCOMPARE(treeCheck(w, QString()), Qt::Unchecked);
}

void TestUiBasket::spaceToggles()
{
    WindowFixture f;
    frmMain &w = *f.window;
    f.openFromCommandLine(f.writeList(u"list.csv"_s, List));
    w.SftTree1_ItemClick(treeItem(w, u"Photos"_s));
    auto *grid = control<QTableView>(w, "iGrid2");
    // The current cell is in another column: the row is toggled all the same.
    grid->setCurrentIndex(grid->model()->index(gridRow(w, u"b.jpg"_s), 2));
    QTest::keyClick(grid, Qt::Key_Space);
    QCOMPARE(chosenPaths(w), QStringList{u"Photos\\b.jpg"_s});
    QCOMPARE(treeCheck(w, u"Photos"_s), Qt::PartiallyChecked);
    QTest::keyClick(grid, Qt::Key_Space);
    QVERIFY(basketOf(w).basket().isEmpty());

    auto *tree = control<QTreeView>(w, "SftTree1");
    tree->setCurrentIndex(folderTreeModel(w)->indexOf(treeItem(w, u"Photos"_s)));
    QTest::keyClick(tree, Qt::Key_Space);
    QCOMPARE(treeCheck(w, u"Photos"_s), Qt::Checked);
    QCOMPARE(gridCheck(w, u"a.jpg"_s), Qt::Checked);
}

// What is ticked in a search result is ticked in the opened list: it is
// still there after the list is shown again; "Add all shown" and "Remove
// all shown" take the whole result.
void TestUiBasket::searchResultLines()
{
    WindowFixture f;
    frmMain &w = *f.window;
    f.openFromCommandLine(f.writeList(u"list.csv"_s, List));
    tickFolder(w, u"Docs\\Old"_s, true);
    search(f, u"*.jpg"_s);
    QVERIFY(w.session().showsSearchResult());
    QCOMPARE(shownList(w).lineCount, 3);
    control<QPushButton>(w, "BasketAddShown")->click();
    QCOMPARE(chosenPaths(w), (QStringList{u"Docs\\Old\\z.txt"_s, u"Docs\\y.jpg"_s,
                                          u"Photos\\a.jpg"_s, u"Photos\\b.jpg"_s}));
    // In the result's own tree, Photos holds only its two pictures: all chosen.
    QCOMPARE(treeCheck(w, u"Photos"_s), Qt::Checked);

    // A second search, of what the first did not show.
    search(f, u"*.doc"_s);
    QCOMPARE(treeCheck(w, u"Docs"_s), Qt::Unchecked);
    control<QPushButton>(w, "BasketAddShown")->click();
    search(f, u"*.jpg"_s);
    control<QPushButton>(w, "BasketRemoveShown")->click();
    QCOMPARE(chosenPaths(w), (QStringList{u"Docs\\Old\\z.txt"_s, u"Docs\\x.doc"_s}));

    // The whole list again: the same choice.
    LoadSpy loaded(w);
    w.mnuReload_Click();
    QVERIFY(loaded.wait(30000));
    QVERIFY(!w.session().showsSearchResult());
    // The same list again: its basket comes back once its fingerprint is read.
    QVERIFY(basketOf(w).waitForFingerprint(30000));
    QCOMPARE(treeCheck(w, u"Docs"_s), Qt::PartiallyChecked);
}

void TestUiBasket::figuresOnTarget_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("capacity");
    QTest::addColumn<int>("fs");
    QTest::addColumn<QStringList>("warnings"); // the warnings shown
    QTest::newRow("1 TB exFAT") << u"Photos"_s << u"1 TB"_s << 1 << QStringList{};
    QTest::newRow("1 TB FAT32: a file too big")
        << u"Photos"_s << u"1TB"_s << 0 << QStringList{u"BasketTooBig"_s};
    QTest::newRow("a drive too small")
        << QString() << u"4 GiB"_s << 2 << QStringList{u"BasketNoFit"_s};
    QTest::newRow("no size typed") << u"Docs"_s << QString() << 3 << QStringList{};
    QTest::newRow("a size that cannot be read") << u"Docs"_s << u"12 XB"_s << 1 << QStringList{};
    QTest::newRow("a size of 0") << u"Docs"_s << u"0"_s << 1 << QStringList{};
    QTest::newRow("a negative size") << u"Docs"_s << u"-5 GB"_s << 1 << QStringList{};
    QTest::newRow("10^30 bytes") << u"Docs"_s << u"1000000000000000000000000000000"_s << 1
                                 << QStringList{};
}

// The bar's figures are those of the chosen lines measured on the target,
// as corvane-list select measures them.
void TestUiBasket::figuresOnTarget()
{
    QFETCH(QString, folder);
    QFETCH(QString, capacity);
    QFETCH(int, fs);
    QFETCH(QStringList, warnings);
    WindowFixture f;
    frmMain &w = *f.window;
    f.openFromCommandLine(f.writeList(u"list.csv"_s, List));
    tickFolder(w, folder, true);
    control<QLineEdit>(w, "BasketCapacity")->setText(capacity);
    control<QComboBox>(w, "BasketFileSystem")->setCurrentIndex(fs);
    BasketController &b = basketOf(w);
    const std::optional<qint64> size = basket::parseCapacity(capacity);
    QCOMPARE(b.targetCapacity(), size);
    const basket::RoomOnTarget expected =
        basket::measure(shownList(w), b.basket(), b.targetFileSystem(),
                        size.value_or(1'000'000'000'000), rootPrefix(w).size());
    const basket::RoomOnTarget room = b.room();
    QCOMPARE(room.files(), expected.files());
    QCOMPARE(room.bytes(), expected.bytes());
    QCOMPARE(room.largest(), expected.largest());
    QCOMPARE(room.onDisk(), expected.onDisk());
    QCOMPARE(room.tooBigForFileSystem(), expected.tooBigForFileSystem());
    QStringList shown;
    for (const char *name : {"BasketNoFit", "BasketTooBig", "BasketLongPaths"}) {
        if (control<QPushButton>(w, name)->isVisibleTo(&w))
            shown.append(QString::fromLatin1(name));
    }
    QCOMPARE(shown, warnings);
    // The room bar is red exactly while the choice does not fit.
    const QColor chunk =
        control<QProgressBar>(w, "BasketRoomBar")->palette().color(QPalette::Highlight);
    QCOMPARE(chunk == QColor(0xC0, 0x1C, 0x1C), warnings.contains(u"BasketNoFit"_s));
    const bool unreadable = !capacity.isEmpty() && !size;
    QCOMPARE(control<QLineEdit>(w, "BasketCapacity")->toolTip().isEmpty(), !unreadable);
    if (unreadable) {
        QCOMPARE(control<QProgressBar>(w, "BasketRoomBar")->format(),
                 langText(w, LangEntry::BasketCapacityHint));
    }
    // A warning's files can be looked at.
    if (!warnings.isEmpty()) {
        control<QPushButton>(w, warnings.first().toLatin1().constData())->click();
        auto *files = w.findChild<QPlainTextEdit *>(u"BasketFilesText"_s);
        QVERIFY(files);
        QVERIFY2(files->toPlainText().contains(u"b.jpg"_s), qPrintable(files->toPlainText()));
    }
}

// The restore list holds the chosen lines as read, in file order; it is
// never written over the open list or the search result.
void TestUiBasket::restoreList()
{
    WindowFixture f;
    frmMain &w = *f.window;
    const QString path = f.writeList(u"list.csv"_s, List);
    f.openFromCommandLine(path);
    tickFolder(w, u"Photos"_s, true);
    search(f, u"x.doc"_s);
    control<QPushButton>(w, "BasketAddShown")->click();

    const QString out = f.dataDir.filePath(u"restore.csv"_s);
    for (const QString &target : {path, resultFilePath(dataFolder(w)), out}) {
        f.prompts.clear();
        f.prompts.saveFileAnswers.append(target);
        control<QPushButton>(w, "BasketSave")->click();
        QVERIFY(QTest::qWaitFor([&] { return !basketOf(w).isSaving(); }, 30000));
        if (target != out) {
            QCOMPARE(f.prompts.count(u"warning"_s), 1);
            continue;
        }
        QCOMPARE(f.prompts.count(u"message"_s), 1);
    }
    QCOMPARE(readBytes(path), List);
    const QList<QByteArray> lines = List.split('\n');
    QCOMPARE(readBytes(out), lines[0] + "\n" + lines[1] + "\n" + lines[2] + "\n" + lines[3] + "\n");
}

void TestUiBasket::approvalSaysWhatIsChosen()
{
    WindowFixture f;
    frmMain &w = *f.window;
    f.openFromCommandLine(f.writeList(u"list.csv"_s, List));
    const auto mailBody = [&] {
        f.prompts.clear();
        w.lblEmail_Click();
        const auto calls = f.prompts.callsOf(u"openMailUrl"_s);
        const QString url = calls.isEmpty() ? QString() : calls.last().text;
        return QUrl::fromPercentEncoding(url.section(u"body="_s, 1).section(u'&', 0, 0).toUtf8());
    };
    const QString plain = mailBody();
    QVERIFY(!plain.contains(u"Chosen"_s));

    tickFolder(w, u"Docs"_s, true);
    QString body = mailBody();
    QVERIFY2(body.startsWith(plain.trimmed()), qPrintable(body));
    QVERIFY2(body.contains(u"Chosen for the restore: 3 files"_s), qPrintable(body));
    QVERIFY2(body.contains(u"Save restore list..."_s), qPrintable(body));

    f.prompts.saveFileAnswers.append(f.dataDir.filePath(u"mine.csv"_s));
    control<QPushButton>(w, "BasketSave")->click();
    QVERIFY(QTest::qWaitFor([&] { return !basketOf(w).isSaving(); }, 30000));
    body = mailBody();
    QVERIFY2(body.contains(u"\"mine.csv\""_s), qPrintable(body));
}

void TestUiBasket::textsInEveryLanguage_data()
{
    addLanguageRows();
}

void TestUiBasket::textsInEveryLanguage()
{
    QFETCH(int, language);
    WindowFixture f;
    frmMain &w = *f.window;
    w.LoadLanguage(language);
    f.openFromCommandLine(f.writeList(u"list.csv"_s, List));
    tickFolder(w, u"Photos"_s, true);
    control<QComboBox>(w, "BasketFileSystem")->setCurrentIndex(0); // FAT32
    const QStringList column = langColumn(language);
    const auto entry = [&](LangEntry e) { return column.value(int(e)); };
    QCOMPARE(control<QPushButton>(w, "BasketAddShown")->text(), entry(LangEntry::BasketAddShown));
    QCOMPARE(control<QPushButton>(w, "BasketSave")->text(),
             entry(LangEntry::BasketSaveRestoreList));
    QCOMPARE(control<QLabel>(w, "BasketTargetLabel")->text(), entry(LangEntry::BasketTarget));
    const QString figures = control<QLabel>(w, "BasketFigures")->text();
    QVERIFY2(figures.startsWith(entry(LangEntry::BasketChosen).section(u'%', 0, 0)),
             qPrintable(figures));
    QVERIFY(control<QPushButton>(w, "BasketTooBig")->text().contains(u"FAT32"_s));
    // A language change rewrites what is shown.
    w.LoadLanguage(language == LanguageEnglish ? LanguageGerman : LanguageEnglish);
    QVERIFY(control<QLabel>(w, "BasketFigures")->text() != figures);
}

void TestUiBasket::keptPerList_data()
{
    QTest::addColumn<QString>("between"); // what happens to the list between two openings
    QTest::addColumn<QStringList>("chosen");
    QTest::addColumn<QString>("box"); // the one message box after the second opening
    const QStringList docs = {u"Docs\\Old\\z.txt"_s, u"Docs\\x.doc"_s, u"Docs\\y.jpg"_s};
    QTest::newRow("the same list, the next run") << u"restart"_s << docs << QString();
    QTest::newRow("the same bytes at another path") << u"copied"_s << docs << QString();
    QTest::newRow("the list changed at its path") << u"changed"_s << QStringList{} << u"message"_s;
    QTest::newRow("the kept basket damaged") << u"damaged"_s << QStringList{} << u"warning"_s;
}

// The basket comes back with the list's bytes, from any path and in the next
// run; a changed list or a damaged basket file starts empty and says so.
void TestUiBasket::keptPerList()
{
    QFETCH(QString, between);
    QFETCH(QStringList, chosen);
    QFETCH(QString, box);
    WindowFixture f;
    QString path = f.writeList(u"list.csv"_s, List);
    f.openFromCommandLine(path);
    QVERIFY(basketOf(*f.window).waitForFingerprint(30000));
    tickFolder(*f.window, u"Docs"_s, true);
    control<QLineEdit>(*f.window, "BasketCapacity")->setText(u"2 TB"_s);
    f.window->close();
    f.window->prepareForExit();
    f.restart();
    if (between == u"copied") {
        path = f.writeList(u"other.csv"_s, List);
    } else if (between == u"changed") {
        writeBytes(path, List + "D:\\new.txt,2018-05-02 03:04:05,7,32;7,OK\r\n");
    } else if (between == u"damaged") {
        const QDir baskets(dataFolder(*f.window) + u"/baskets"_s);
        for (const QString &name : baskets.entryList({u"*.basket"_s}, QDir::Files))
            writeBytes(baskets.filePath(name), "corvane-basket 1\nsha256 nonsense\n");
    }
    f.prompts.clear();
    frmMain &w = *f.window;
    f.openFromCommandLine(path);
    QVERIFY(basketOf(w).waitForFingerprint(30000));
    QCOMPARE(chosenPaths(w), chosen);
    if (box.isEmpty()) {
        QCOMPARE(f.prompts.boxCount(), 0);
        QCOMPARE(control<QLineEdit>(w, "BasketCapacity")->text(), u"2 TB"_s);
    } else {
        QCOMPARE(f.prompts.boxCount(), 1);
        QCOMPARE(f.prompts.count(box), 1);
    }
}

// A basket that cannot be kept (a file stands where its folder would be)
// stays in the window and is said once, not at every change.
void TestUiBasket::notKeptSaidOnce()
{
    WindowFixture f;
    frmMain &w = *f.window;
    const QString path = f.writeList(u"list.csv"_s, List);
    QVERIFY(QDir().mkpath(dataFolder(w)));
    QVERIFY(writeBytes(dataFolder(w) + u"/baskets"_s, "not a folder"));
    f.openFromCommandLine(path);
    QVERIFY(basketOf(w).waitForFingerprint(30000));
    f.prompts.clear();
    tickFolder(w, u"Docs"_s, true);
    basketOf(w).saveNow();
    QCOMPARE(f.prompts.count(u"warning"_s), 1);
    tickFolder(w, u"Photos"_s, true);
    basketOf(w).saveNow();
    QCOMPARE(f.prompts.boxCount(), 1);
    QVERIFY(chosenPaths(w).contains(u"Docs\\x.doc"_s));
    QVERIFY(QFileInfo(dataFolder(w) + u"/baskets"_s).isFile());
}

// A result too large to be found in the list at once is found on a worker
// thread; its boxes and buttons wait for it, then take it whole.
void TestUiBasket::largeResult()
{
    WindowFixture f;
    frmMain &w = *f.window;
    QByteArray bytes;
    for (int i = 0; i < 120000; ++i)
        bytes += "D:\\F" + QByteArray::number(i % 97) + "\\n" + QByteArray::number(i) +
                 (i % 2 ? ".jpg" : ".doc") + ",2019-01-02 03:04:05,10,32;7,OK\r\n";
    f.openFromCommandLine(f.writeList(u"big.csv"_s, bytes));
    tickFolder(w, u"F1"_s, true);
    const qsizetype inF1 = basketOf(w).basket().count();
    search(f, u"*n*"_s);
    QCOMPARE(shownList(w).lineCount, 120000);
    QVERIFY(QTest::qWaitFor([&] { return !basketOf(w).isMapping(); }, 30000));
    QCOMPARE(treeCheck(w, u"F1"_s), Qt::Checked);
    QCOMPARE(treeCheck(w, QString()), Qt::PartiallyChecked);
    QVERIFY(control<QPushButton>(w, "BasketAddShown")->isEnabled());
    control<QPushButton>(w, "BasketAddShown")->click();
    QCOMPARE(basketOf(w).basket().count(), 120000);
    QVERIFY(inF1 > 0);
}

QTEST_MAIN(TestUiBasket)
#include "tst_ui_basket.moc"
