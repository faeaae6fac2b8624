#include "common/CliRun.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

// corvane-list kinds, run as a user would run it.
class TestCliKinds : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void kinds_data();
    void kinds();

private:
    QString m_program;
    QTemporaryDir m_dir;
};

void TestCliKinds::initTestCase()
{
    m_program = corvane::testing::corvaneListProgram();
    QVERIFY2(QFile::exists(m_program), qPrintable(m_program));
    QVERIFY(m_dir.isValid());
}

void TestCliKinds::kinds_data()
{
    QTest::addColumn<QByteArray>("list");
    QTest::addColumn<QStringList>("args"); // after the list's path
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");

    const QByteArray tree = "Data\\A,d,0,16;x,Recovered\r\n"
                            "Data\\A\\B\\f1.JPG,d,100,32;x,Recovered\r\n"
                            "Data\\A\\C\\f2.pst,d,50,32;x,Damaged\r\n"
                            "Data\\A\\C\\f3.tar.gz,d,7,32;x,Partially recovered\r\n"
                            "Data\\A\\f4.jpg,d,1 000,32;x,Odd word\r\n"
                            "Data\\x,d,1,32;x,Recovered\r\n"
                            "Data\\Z\\y.txt,d,2\r\n";
    QTest::newRow("Root, in the kinds' order") << tree << QStringList() << 0
                                               << u"photos\t2\t1100\t1\t0\t0\t1\n"
                                                  u"documents\t1\t2\t0\t0\t0\t1\n"
                                                  u"mail\t1\t50\t0\t0\t1\t0\n"
                                                  u"archives\t1\t7\t0\t1\t0\t0\n"
                                                  u"other\t1\t1\t1\t0\t0\t0\n"
                                                  u"total\t6\t1160\t2\t1\t1\t2\n"_s
                                               << QString();
    QTest::newRow("a folder and below")
        << tree << QStringList{u"A\\C\\"_s} << 0
        << u"mail\t1\t50\t0\t0\t1\t0\narchives\t1\t7\t0\t1\t0\t0\ntotal\t2\t57\t0\t1\t1\t0\n"_s
        << QString();
    QTest::newRow("no such folder") << tree << QStringList{u"Q"_s} << 1 << QString()
                                    << u"corvane-list: no folder 'Q' in the list\n"_s;
    QTest::newRow("an empty list")
        << QByteArray() << QStringList() << 0 << u"total\t0\t0\t0\t0\t0\t0\n"_s << QString();
    QTest::newRow("an empty list, a folder")
        << QByteArray() << QStringList{u"A"_s} << 1 << QString()
        << u"corvane-list: no folder 'A' in the list\n"_s;
    QTest::newRow("only folders") << "D\\A,d,0,16;x,OK\r\nD\\A\\B,d,0,16;x,OK\r\n"_ba
                                  << QStringList() << 0 << u"total\t0\t0\t0\t0\t0\t0\n"_s
                                  << QString();
    QTest::newRow("bytes as plain digits")
        << "D\\a.iso,d,123456789012,32;x,OK\r\n"_ba << QStringList() << 0
        << u"archives\t1\t123456789012\t1\t0\t0\t0\ntotal\t1\t123456789012\t1\t0\t0\t0\n"_s
        << QString();
    QTest::newRow("too many arguments")
        << tree << QStringList{u"A"_s, u"B"_s} << 2 << QString() << QString();
}

void TestCliKinds::kinds()
{
    QFETCH(QByteArray, list);
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QString, out);
    QFETCH(QString, err);

    const QString path = m_dir.filePath(QString::fromLatin1(QTest::currentDataTag()) + u".csv"_s);
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(list);
    f.close();

    const corvane::testing::CliRun r =
        corvane::testing::runCli(m_program, QStringList{u"kinds"_s, path} + args);
    QCOMPARE(r.exitCode, exitCode);
    if (exitCode == 2)
        QVERIFY(r.err.startsWith(u"usage:"_s));
    else
        QCOMPARE(r.err, err);
    QCOMPARE(r.out, out);
}

QTEST_GUILESS_MAIN(TestCliKinds)
#include "tst_cli_kinds.moc"
