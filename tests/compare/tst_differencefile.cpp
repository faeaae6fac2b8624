#include "compare/DifferenceFile.h"
#include "testutil_compare.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace corvane;
using namespace Qt::Literals::StringLiterals;

// "Save differences...": the CSV and the lab's format, written safely.
class TestDifferenceFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void saved_data();
    void saved();
    void refused_data();
    void refused();

private:
    QTemporaryDir m_dir;
    LoadedList m_old;
    LoadedList m_new;
    ListComparison m_comparison;
};

namespace {

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(unreadable)");
}

} // namespace

void TestDifferenceFile::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_old = testing::loadFromBytes("Data\\a \"quoted\".txt,x,1,32;AB,OK\r\n"
                                   "Data\\gone.txt,x,3,32;AB,Damaged\r\n"
                                   "Data\\same.txt,x,1,32;AB,OK\r\n"
                                   "Data\\z.txt,x,1,32;AB,OK\r\n");
    m_new = testing::loadFromBytes("Disk\\z.txt,x,2,32;AB,OK\r\n"
                                   "Disk\\same.txt,x,1,32;AB,OK\r\n"
                                   "Disk\\\xC3\xA9t\xC3\xA9.txt,x,4,32;AB,OK\r\n"
                                   "Disk\\a \"quoted\".txt,x,1,32;AB,Bad\r\n");
    m_comparison = compareLists(m_old, m_new);
    QCOMPARE(m_comparison.differences.size(), size_t(4));
}

void TestDifferenceFile::saved_data()
{
    QTest::addColumn<bool>("csv");
    QTest::addColumn<QString>("only"); // "": every change; else listChangeName of one
    QTest::addColumn<QByteArray>("expected");
    const QByteArray header = "change,path,old status,new status,old size,new size\r\n";
    QTest::newRow("CSV of all") << true << QString()
                                << header + "status changed,\"a \"\"quoted\"\".txt\",OK,Bad,1,1\r\n"
                                            "removed,gone.txt,Damaged,,3,\r\n"
                                            "size changed,z.txt,OK,OK,1,2\r\n"
                                            "added,\xC3\xA9t\xC3\xA9.txt,,OK,,4\r\n";
    QTest::newRow("CSV of one kind")
        << true << u"added"_s << header + "added,\xC3\xA9t\xC3\xA9.txt,,OK,,4\r\n";
    QTest::newRow("CSV of none") << true << u"nothing"_s << header;
    // NEW's lines in the order of its file, Windows-1252 where they fit.
    QTest::newRow("lab format of all") << false << QString()
                                       << QByteArray("Disk\\z.txt,x,2,32;AB,OK\r\n"
                                                     "Disk\\\xE9t\xE9.txt,x,4,32;AB,OK\r\n"
                                                     "Disk\\a \"quoted\".txt,x,1,32;AB,Bad\r\n");
    QTest::newRow("lab format without removed lines") << false << u"removed"_s << QByteArray();
}

void TestDifferenceFile::saved()
{
    QFETCH(bool, csv);
    QFETCH(QString, only);
    QFETCH(QByteArray, expected);
    const QString path = m_dir.filePath(QString::fromLatin1(QTest::currentDataTag()));
    DifferenceFilter filter;
    if (!only.isEmpty())
        filter = [only](const ListDifference &d) { return listChangeName(d.change()) == only; };
    const SaveListResult result =
        csv ? saveDifferencesCsv(m_comparison, m_old, m_new, path, {}, filter)
            : saveDifferencesList(m_comparison, m_new, path, {}, filter);
    QVERIFY2(result.ok(), qPrintable(result.error));
    QCOMPARE(readAll(path), expected);
}

void TestDifferenceFile::refused_data()
{
    QTest::addColumn<QString>("target"); // in the temporary folder
    QTest::addColumn<bool>("keptList");  // the target is one of the open lists
    QTest::addColumn<int>("outcome");
    QTest::newRow("over the open list")
        << u"open.csv"_s << true << int(SaveListResult::Outcome::WouldReplaceOpenFile);
    QTest::newRow("a folder") << u"folder"_s << false << int(SaveListResult::Outcome::Failed);
    QTest::newRow("no such folder")
        << u"none/out.csv"_s << false << int(SaveListResult::Outcome::Failed);
}

void TestDifferenceFile::refused()
{
    QFETCH(QString, target);
    QFETCH(bool, keptList);
    QFETCH(int, outcome);
    const QString path = m_dir.filePath(target);
    const QByteArray before = "the list as it was\r\n";
    QDir(m_dir.path()).mkpath(u"folder"_s);
    if (keptList) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(before);
    }
    const QStringList keep = keptList ? QStringList{path} : QStringList();
    for (bool csv : {true, false}) {
        const SaveListResult result =
            csv ? saveDifferencesCsv(m_comparison, m_old, m_new, path, keep)
                : saveDifferencesList(m_comparison, m_new, path, keep);
        QCOMPARE(int(result.outcome), outcome);
        if (keptList)
            QCOMPARE(readAll(path), before);
    }
}

QTEST_GUILESS_MAIN(TestDifferenceFile)
#include "tst_differencefile.moc"
