// The recovery map in the window: shown from "Menu" and remembered, it maps
// the tree's folder of the list shown; a click picks a folder in the tree
// and the map stays, a double-click and Backspace move the map and the tree.

#include "map/ui/MapController.h"
#include "map/ui/MapView.h"
#include "testutil_window.h"

using namespace Qt::Literals::StringLiterals;
using namespace corvane;
using namespace corvane::test;

namespace {

const QByteArray List = "D:\\A\\B\\f1.jpg,2019-01-02 03:04:05,60000,32;7,OK\r\n"
                        "D:\\A\\f2.jpg,2019-01-02 03:04:05,30000,32;7,Damaged\r\n"
                        "D:\\Z\\f3.pst,2019-01-02 03:04:05,20000,32;7,OK\r\n"
                        "D:\\Z\\f4.pst,2019-01-02 03:04:05,20000,32;7,Overwritten\r\n"
                        "D:\\top.txt,2019-01-02 03:04:05,10,32;7,OK\r\n";

MapView &mapOf(frmMain &w)
{
    return *control<MapView>(w, "MapView1");
}

QAction *mapAction(frmMain &w)
{
    return w.findChild<QAction *>(u"mnuMap"_s);
}

// The middle of the first folder tile of item on the map.
QPoint middleOfFolder(MapView &map, int item)
{
    const MapLayout &layout = map.mapLayout();
    for (int t = 0; t < layout.count(); ++t) {
        if (layout.tile(t).kind == MapTile::Kind::Folder && layout.tile(t).item == item)
            return layout.tile(t).rect.center().toPoint();
    }
    return {-1, -1};
}

QString currentFolder(frmMain &w)
{
    return shownList(w).SftTree1.namesBelowRoot(currentFolderItem(w)).join(u'\\');
}

} // namespace

class TestUiMap : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void shownAndRemembered();
    void followsTheTree();
    void pointerAndKeys_data();
    void pointerAndKeys();
    void mapsTheSearchResult();
    void textsInEveryLanguage_data();
    void textsInEveryLanguage();
};

void TestUiMap::shownAndRemembered()
{
    QTemporaryDir config;
    const QString settingsFile = config.filePath(u"corvane/corvane.conf"_s);
    WindowFixture f([&](frmMain::Settings &settings) { settings.settingsFile = settingsFile; });
    QVERIFY(f.show());
    frmMain &w = *f.window;
    f.openFromCommandLine(f.writeList(u"list.csv"_s, List));
    QVERIFY(!w.controllers().map->isMapShown());
    mapAction(w)->trigger();
    QVERIFY(w.controllers().map->isMapShown());
    QVERIFY(mapOf(w).isVisible());
    mapOf(w).waitForLayout();
    QVERIFY(!mapOf(w).mapLayout().isEmpty());
    QCOMPARE(mapOf(w).shownFolder(), 0);
    // The next start shows it again, and hides it once unchecked.
    f.restart();
    QVERIFY(f.window->controllers().map->isMapShown());
    mapAction(*f.window)->trigger();
    f.restart();
    QVERIFY(!f.window->controllers().map->isMapShown());
}

// The folder picked in the tree is mapped; another list maps its Root.
void TestUiMap::followsTheTree()
{
    WindowFixture f;
    QVERIFY(f.show());
    frmMain &w = *f.window;
    f.openFromCommandLine(f.writeList(u"list.csv"_s, List));
    w.controllers().map->setMapShown(true);
    w.SftTree1_ItemClick(f.item(u"A"_s));
    mapOf(w).waitForLayout();
    QCOMPARE(mapOf(w).shownFolder(), f.item(u"A"_s));
    f.openFromCommandLine(f.writeList(u"other.csv"_s, "E:\\Q\\x.pst,d,5,32;7,OK\r\n"));
    mapOf(w).waitForLayout();
    QCOMPARE(mapOf(w).shownFolder(), 0);
    QVERIFY(!mapOf(w).mapLayout().isEmpty());
}

void TestUiMap::pointerAndKeys_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("tree");   // the tree's folder afterwards
    QTest::addColumn<QString>("mapped"); // the map's folder afterwards (empty: Root)
    QTest::newRow("click: the tree picks, the map stays") << u"click"_s << u"Z"_s << QString();
    QTest::newRow("double-click: both go into it") << u"double"_s << u"Z"_s << u"Z"_s;
    QTest::newRow("Backspace after going in: both go up") << u"back"_s << QString() << QString();
    QTest::newRow("the up button after going in") << u"up"_s << QString() << QString();
}

void TestUiMap::pointerAndKeys()
{
    QFETCH(QString, action);
    QFETCH(QString, tree);
    QFETCH(QString, mapped);
    WindowFixture f;
    QVERIFY(f.show());
    frmMain &w = *f.window;
    f.openFromCommandLine(f.writeList(u"list.csv"_s, List));
    w.controllers().map->setMapShown(true);
    MapView &map = mapOf(w);
    map.waitForLayout();
    // Z holds files only: its middle is its own.
    const QPoint a = middleOfFolder(map, f.item(u"Z"_s));
    QVERIFY(a.x() >= 0);
    if (action == u"click") {
        QTest::mouseClick(&map, Qt::LeftButton, {}, a);
    } else {
        QTest::mouseDClick(&map, Qt::LeftButton, {}, a);
        map.waitForLayout();
        auto *up = control<QToolButton>(w, "MapUp");
        QCOMPARE(up->isVisible(), true);
        if (action == u"back") {
            map.setFocus();
            QTest::keyClick(&map, Qt::Key_Backspace);
        } else if (action == u"up") {
            up->click();
        }
        if (action != u"double")
            QVERIFY(!up->isVisible());
    }
    map.waitForLayout();
    QCOMPARE(currentFolder(w), tree);
    QCOMPARE(shownList(w).SftTree1.namesBelowRoot(map.shownFolder()).join(u'\\'), mapped);
}

// After a search the map is of the result.
void TestUiMap::mapsTheSearchResult()
{
    WindowFixture f;
    QVERIFY(f.show());
    frmMain &w = *f.window;
    f.openFromCommandLine(f.writeList(u"list.csv"_s, List));
    w.controllers().map->setMapShown(true);
    LoadSpy loaded(w);
    control<QLineEdit>(w, "TXT1")->setText(u"*.pst"_s);
    w.Command3_Click();
    QVERIFY(loaded.wait(30000));
    QVERIFY(w.session().showsSearchResult());
    mapOf(w).waitForLayout();
    // The result's own tree: Z alone.
    QCOMPARE(mapOf(w).shownFolder(), currentFolderItem(w));
    QCOMPARE(shownList(w).SftTree1.count(), 2);
    w.SftTree1_ItemClick(0);
    mapOf(w).waitForLayout();
    QCOMPARE(mapOf(w).shownFolder(), 0);
    QVERIFY(middleOfFolder(mapOf(w), 1).x() >= 0);
}

void TestUiMap::textsInEveryLanguage_data()
{
    addLanguageRows();
}

void TestUiMap::textsInEveryLanguage()
{
    QFETCH(int, language);
    WindowFixture f;
    frmMain &w = *f.window;
    w.LoadLanguage(language);
    QCOMPARE(mapAction(w)->text(), langText(w, LangEntry::MapShow));
    QCOMPARE(mapOf(w).whatsThis(), langText(w, LangEntry::MapHint));
    QCOMPARE(control<QToolButton>(w, "MapUp")->toolTip(), langText(w, LangEntry::MapUp));
    for (int entry = int(LangEntry::MapShow); entry <= int(LangEntry::MapUp); ++entry)
        QVERIFY(!langText(w, LangEntry(entry)).isEmpty());
}

QTEST_MAIN(TestUiMap)
#include "tst_ui_map.moc"
