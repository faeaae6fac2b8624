// Where the members of an archive are unpacked, and when unpacking asks first.

#include "listfile/OpenCommand.h"

#include <QDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace corvane;

class TestExtractDecisions : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void memberFolders_data();
    void memberFolders();
    void bigMembers_data();
    void bigMembers();
};

void TestExtractDecisions::memberFolders_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<bool>("same");
    QTest::newRow("same archive") << u"/home/u/lab/disk1.zip"_s << u"/home/u/lab/disk1.zip"_s
                                  << true;
    QTest::newRow("same archive, other spelling")
        << u"/home/u/lab/disk1.zip"_s << u"/home/u/lab/../lab/disk1.zip"_s << true;
    QTest::newRow("same name in another folder")
        << u"/home/u/lab/delivery.zip"_s << u"/home/u/old/delivery.zip"_s << false;
    QTest::newRow("another archive") << u"/home/u/lab/a.zip"_s << u"/home/u/lab/b.zip"_s << false;
    QTest::newRow("case differs") << u"/home/u/lab/A.zip"_s << u"/home/u/lab/a.zip"_s << false;
}

void TestExtractDecisions::memberFolders()
{
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(bool, same);
    const QString data = u"/data"_s;
    const QString a = archiveMemberFolder(data, QDir::cleanPath(first));
    const QString b = archiveMemberFolder(data, QDir::cleanPath(second));
    QCOMPARE(a == b, same);
    for (const QString &folder : {a, b}) {
        // One folder below the data folder's "archives", never elsewhere.
        QVERIFY2(folder.startsWith(u"/data/archives/"_s), qPrintable(folder));
        QVERIFY(!folder.mid(15).contains(u'/'));
        QVERIFY(!folder.contains(u".."_s));
    }
}

void TestExtractDecisions::bigMembers_data()
{
    QTest::addColumn<qint64>("size");
    QTest::addColumn<qint64>("freeBytes");
    QTest::addColumn<bool>("ask");
    const qint64 GB = qint64(1) << 30;
    QTest::newRow("small") << qint64(150) * (1 << 20) << 100 * GB << false;
    QTest::newRow("exactly 2 GB") << 2 * GB << 100 * GB << false;
    QTest::newRow("over 2 GB") << 2 * GB + 1 << 100 * GB << true;
    QTest::newRow("a quarter of the free space") << GB << 4 * GB << false;
    QTest::newRow("more than a quarter") << GB + 1 << 4 * GB << true;
    QTest::newRow("free space unknown") << GB << qint64(-1) << false;
    QTest::newRow("size unknown") << qint64(-1) << GB << false;
    QTest::newRow("bomb on a small disk") << GB << 2 * GB << true;
}

void TestExtractDecisions::bigMembers()
{
    QFETCH(qint64, size);
    QFETCH(qint64, freeBytes);
    QFETCH(bool, ask);
    QCOMPARE(memberNeedsConfirmation(size, freeBytes), ask);
}

QTEST_GUILESS_MAIN(TestExtractDecisions)
#include "tst_extractdecisions.moc"
