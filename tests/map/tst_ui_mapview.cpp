#include "map/MapTooltip.h"
#include "map/ui/MapView.h"
#include "testutil_maplists.h"

#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

#include <cmath>

using namespace Qt::Literals::StringLiterals;
using corvane::LoadedList;
using corvane::MapTile;
using corvane::MapView;

class TestMapView : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void followsSize();
    void pointer_data();
    void pointer();
    void keys_data();
    void keys();
    void hover();
    void showFolder_data();
    void showFolder();
    void clearWhileLayingOut();

private:
    // A point of the folder tile of path ("A\B"): on its border (of the
    // folder itself), or in its middle (in the tiles inside it).
    QPoint pointInFolder(const QString &path, bool border) const;

    LoadedList m_list;
    MapView *m_view = nullptr;
};

void TestMapView::init()
{
    m_list = corvane::test::mapListOf(corvane::test::mapLine("D\\A\\B\\f1", 6000, "Recovered") +
                                      corvane::test::mapLine("D\\A\\f2", 3000, "Damaged") +
                                      corvane::test::mapLine("D\\Z\\f3", 2000, "Recovered") +
                                      corvane::test::mapLine("D\\Z\\f4", 2000, "Recovered") +
                                      corvane::test::mapLine("D\\top", 10, "Recovered"));
    m_view = new MapView;
    m_view->resize(600, 400);
    m_view->setList(&m_list, m_list.rootPrefixAfter(QString()));
    m_view->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_view));
    m_view->waitForLayout();
}

void TestMapView::cleanup()
{
    delete m_view;
    m_view = nullptr;
}

QPoint TestMapView::pointInFolder(const QString &path, bool border) const
{
    const int item = path.isEmpty() ? 0 : m_list.SftTree1.findPath(path.split(u'\\'));
    const corvane::MapLayout &map = m_view->mapLayout();
    for (int i = 0; i < map.count(); ++i)
        if (map.tile(i).kind == MapTile::Kind::Folder && map.tile(i).item == item) {
            const QRectF r = map.tile(i).rect;
            return border ? QPoint(int(std::ceil(r.left())), int(r.center().y()))
                          : r.center().toPoint();
        }
    return QPoint(-1, -1);
}

// However often the view is resized, the map shown is laid out for its
// last size.
void TestMapView::followsSize()
{
    QCOMPARE(m_view->mapLayout().bounds(), QRectF(0, 0, 600, 400));
    for (const QSize &size : {QSize(300, 200), QSize(1000, 700), QSize(40, 40), QSize(801, 333)})
        m_view->resize(size);
    m_view->waitForLayout();
    QCOMPARE(m_view->mapLayout().bounds(), QRectF(0, 0, 801, 333));
    QVERIFY(!m_view->isLayingOut());
}

void TestMapView::pointer_data()
{
    QTest::addColumn<QString>("at");      // the folder whose tile is clicked
    QTest::addColumn<bool>("border");     // on its border, not inside it
    QTest::addColumn<bool>("twice");      // a double-click
    QTest::addColumn<QString>("picked");  // the folder picked by a click
    QTest::addColumn<QString>("entered"); // "-": no signal

    QTest::newRow("a click on A's border") << u"A"_s << true << false << u"A"_s << u"-"_s;
    QTest::newRow("a click in A\\B: its file")
        << u"A\\B"_s << false << false << u"A\\B"_s << u"-"_s;
    QTest::newRow("a double-click in Z") << u"Z"_s << false << true << QString() << u"Z"_s;
    QTest::newRow("a double-click on A's border") << u"A"_s << true << true << QString() << u"A"_s;
    QTest::newRow("a double-click on Root's border")
        << QString() << true << true << QString() << u"-"_s;
}

void TestMapView::pointer()
{
    QFETCH(QString, at);
    QFETCH(bool, border);
    QFETCH(bool, twice);
    QFETCH(QString, picked);
    QFETCH(QString, entered);
    QSignalSpy pickedSpy(m_view, &MapView::folderPicked);
    QSignalSpy enteredSpy(m_view, &MapView::folderEntered);
    const QPoint p = at.isEmpty() ? QPoint(0, 200) : pointInFolder(at, border);
    QVERIFY(p.x() >= 0);
    if (twice)
        QTest::mouseDClick(m_view, Qt::LeftButton, {}, p);
    else
        QTest::mouseClick(m_view, Qt::LeftButton, {}, p);
    const auto item = [&](const QString &path) {
        return path.isEmpty() ? 0 : m_list.SftTree1.findPath(path.split(u'\\'));
    };
    if (!twice) {
        QCOMPARE(pickedSpy.count(), 1);
        QCOMPARE(pickedSpy.value(0).value(0).toInt(), item(picked));
    }
    if (entered == u"-")
        QCOMPARE(enteredSpy.count(), 0);
    else
        QCOMPARE(enteredSpy.value(0).value(0).toInt(), item(entered));
}

void TestMapView::keys_data()
{
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("parent"); // "-": no signal

    QTest::newRow("Backspace in A\\B") << u"A\\B"_s << int(Qt::Key_Backspace) << u"A"_s;
    QTest::newRow("Up in A") << u"A"_s << int(Qt::Key_Up) << QString();
    QTest::newRow("Backspace in Root") << QString() << int(Qt::Key_Backspace) << u"-"_s;
    QTest::newRow("Down in A") << u"A"_s << int(Qt::Key_Down) << u"-"_s;
}

void TestMapView::keys()
{
    QFETCH(QString, shown);
    QFETCH(int, key);
    QFETCH(QString, parent);
    const auto item = [&](const QString &path) {
        return path.isEmpty() ? 0 : m_list.SftTree1.findPath(path.split(u'\\'));
    };
    m_view->showFolder(item(shown));
    QSignalSpy spy(m_view, &MapView::parentRequested);
    QTest::keyClick(m_view, Qt::Key(key));
    if (parent == u"-")
        QCOMPARE(spy.count(), 0);
    else
        QCOMPARE(spy.value(0).value(0).toInt(), item(parent));
}

// The tile under the pointer is outlined, and nothing once it leaves.
void TestMapView::hover()
{
    const QPoint p = pointInFolder(u"Z"_s, false);
    QMouseEvent move(QEvent::MouseMove, QPointF(p), QPointF(m_view->mapToGlobal(p)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(m_view, &move);
    QCOMPARE(m_view->outlinedTile(), m_view->mapLayout().tileAt(p));
    QVERIFY(m_view->outlinedTile() > 0);
    QVERIFY(corvane::mapTilePath(m_view->mapLayout(), m_view->outlinedTile(), m_list)
                .startsWith(u"Root\\Z"_s));
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(m_view, &leave);
    QCOMPARE(m_view->outlinedTile(), -1);
}

void TestMapView::showFolder_data()
{
    QTest::addColumn<int>("item");
    QTest::addColumn<int>("shown");

    QTest::newRow("A") << 1 << 1;
    QTest::newRow("past the tree") << 99 << -1;
    QTest::newRow("negative") << -5 << -1;
}

void TestMapView::showFolder()
{
    QFETCH(int, item);
    QFETCH(int, shown);
    m_view->showFolder(item);
    m_view->waitForLayout();
    QCOMPARE(m_view->shownFolder(), shown);
    QCOMPARE(m_view->mapLayout().isEmpty(), shown < 0);
    if (shown >= 0)
        QCOMPARE(m_view->mapLayout().tile(0).item, shown);
}

// A list let go of while its map is laid out: the view waits for the
// layout, and shows nothing of it afterwards.
void TestMapView::clearWhileLayingOut()
{
    LoadedList big =
        corvane::test::mapListOf(corvane::test::mapListBytes(u"200,000 sub-folders"_s));
    m_view->resize(1920, 1080);
    m_view->setList(&big, big.rootPrefixAfter(QString()));
    for (int i = 0; i < 5; ++i)
        m_view->resize(1900 - i * 100, 1000);
    m_view->clearList();
    big = LoadedList();
    QVERIFY(m_view->mapLayout().isEmpty());
    QTest::qWait(50);
    QVERIFY(m_view->mapLayout().isEmpty());
    QCOMPARE(m_view->shownFolder(), -1);
}

QTEST_MAIN(TestMapView)
#include "tst_ui_mapview.moc"
