#include "basket/Basket.h"
#include "basket/BasketFile.h"
#include "checklist/CheckEntriesFile.h"
#include "common/CliRun.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

// corvane-list overview and kinds (a folder and all below it, rolled up),
// and the report of a list, run as a user would run them.
class TestCliOverview : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void overview_data();
    void overview();
    void kinds_data();
    void kinds();
    void report_data();
    void report();
    void reportWithKeptParts();

private:
    void runRow(const QString &command);

    QString m_program;
    QTemporaryDir m_dir;
};

void TestCliOverview::initTestCase()
{
    m_program = corvane::testing::corvaneListProgram();
    QVERIFY2(QFile::exists(m_program), qPrintable(m_program));
    QVERIFY(m_dir.isValid());
}

void TestCliOverview::overview_data()
{
    QTest::addColumn<QByteArray>("list");
    QTest::addColumn<QStringList>("args"); // after the list's path
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");

    const QByteArray tree = "Data\\A\\B\\f1.txt,d,100,32;x,Recovered\r\n"
                            "Data\\A\\C\\f2.txt,d,50,32;x,Damaged\r\n"
                            "Data\\A\\C\\f3.txt,d,7,32;x,Damaged\r\n"
                            "Data\\A\\f4.txt,d,1 000,32;x,Damaged\r\n"
                            "Data\\x.txt,d,1,32;x,Recovered\r\n"
                            "Data\\Z\\y.txt,d,1,32;x,Recovered\r\n";
    const QString header = u"folder\tfiles\tbytes\tDamaged\tRecovered\n"_s;
    QTest::newRow("Root and its sub-folders")
        << tree << QStringList() << 0
        << header + u"Root\t6\t1159\t3\t3\nA\t4\t1157\t3\t1\nZ\t1\t1\t0\t1\n"_s << QString();
    QTest::newRow("a folder and its sub-folders")
        << tree << QStringList{u"A"_s} << 0
        << header + u"A\t4\t1157\t3\t1\nB\t1\t100\t0\t1\nC\t2\t57\t2\t0\n"_s << QString();
    QTest::newRow("a leaf folder, trailing backslash")
        << tree << QStringList{u"A\\C\\"_s} << 0 << header + u"C\t2\t57\t2\t0\n"_s << QString();
    QTest::newRow("an empty folder argument is Root")
        << tree << QStringList{QString()} << 0
        << header + u"Root\t6\t1159\t3\t3\nA\t4\t1157\t3\t1\nZ\t1\t1\t0\t1\n"_s << QString();
    QTest::newRow("no such folder") << tree << QStringList{u"Q"_s} << 1 << QString()
                                    << u"corvane-list: no folder 'Q' in the list\n"_s;
    QTest::newRow("short lines are unknown")
        << "D\\S\\a,d,5\r\nD\\S\\b,d,1,0;x,OK\r\n\r\nD\\S\\c\r\n"_ba << QStringList() << 0
        << u"folder\tfiles\tbytes\tunknown\tOK\nRoot\t4\t6\t3\t1\nS\t3\t6\t2\t1\n"_s << QString();
    QTest::newRow("bytes as plain digits, Windows-1252 names in UTF-8")
        << "D\\B\xfcro\\a,d,123456789012,0;x,OK\r\n"_ba << QStringList() << 0
        << u"folder\tfiles\tbytes\tOK\nRoot\t1\t123456789012\t1\nBüro\t1\t123456789012\t1\n"_s
        << QString();
    QTest::newRow("an empty list") << QByteArray() << QStringList() << 0
                                   << u"folder\tfiles\tbytes\nRoot\t0\t0\n"_s << QString();
    QTest::newRow("too many arguments")
        << tree << QStringList{u"A"_s, u"B"_s} << 2 << QString() << QString();

    // Ten statuses: the eight most frequent by name, the last two as "other".
    QByteArray ten;
    for (int i = 0; i < 10; ++i)
        for (int k = 0; k <= 10 - i; ++k)
            ten += "D\\F\\" + QByteArray::number(k) + ",d,1,0;x,S" + QByteArray::number(i) + "\r\n";
    QTest::newRow("past eight statuses, other")
        << ten << QStringList() << 0
        << u"folder\tfiles\tbytes\tS0\tS1\tS2\tS3\tS4\tS5\tS6\tS7\tother\n"
           u"Root\t65\t65\t11\t10\t9\t8\t7\t6\t5\t4\t5\n"
           u"F\t65\t65\t11\t10\t9\t8\t7\t6\t5\t4\t5\n"_s
        << QString();
}

void TestCliOverview::overview()
{
    runRow(u"overview"_s);
}

void TestCliOverview::kinds_data()
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

void TestCliOverview::kinds()
{
    runRow(u"kinds"_s);
}

void TestCliOverview::report_data()
{
    QTest::addColumn<QString>("out"); // the report's name, in the test's folder
    QTest::addColumn<QString>("lang");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QStringList>("holds"); // what the file holds; the SHA-256 as %sha
    QTest::addColumn<QString>("err");
    const QString kinds = u"kind,photos,Photos,2,1100,1,0,0,1"_s;
    QTest::newRow("csv") << u"r.csv"_s << u"en_US.UTF-8"_s << 0
                         << QStringList{u"section,id,name,files,bytes,good,partial,bad,unknown"_s,
                                        kinds, u"kind,total,All kinds,6,1160,2,1,1,2"_s,
                                        u"class,bad,bad,1,50,0,0,1,0"_s}
                         << QString();
    QTest::newRow("csv in German") << u"r-de.csv"_s << u"de_DE.UTF-8"_s << 0
                                   << QStringList{u"kind,photos,Fotos,2,1100,1,0,0,1"_s,
                                                  u"kind,total,Alle Arten,6,1160,2,1,1,2"_s}
                                   << QString();
    QTest::newRow("html in German")
        << u"r.html"_s << u"de_DE.UTF-8"_s << 0
        << QStringList{u"<html lang=\"de\">"_s, u"Wiederherstellungsbericht"_s,
                       u"data:image/png;base64,"_s, u"%sha"_s, u"Unterschrift:"_s}
        << QString();
    QTest::newRow("pdf") << u"r.pdf"_s << u"en_US.UTF-8"_s << 0 << QStringList{u"%PDF-"_s}
                         << QString();
    QTest::newRow("another ending") << u"r.txt"_s << u"en_US.UTF-8"_s << 1 << QStringList()
                                    << u"corvane-list: %out: a report is written as PDF, HTML or "
                                       u"CSV: end the name with .pdf, .html or .csv\n"_s;
    QTest::newRow("a folder at the name")
        << u"folder.csv"_s << u"en_US.UTF-8"_s << 1 << QStringList() << u"corvane-list: %out: "_s;
}

// The report of a list as the window writes it: the kinds agree with
// `kinds`, the list's SHA-256 is the file's, in the environment's language.
void TestCliOverview::report()
{
    QFETCH(QString, out);
    QFETCH(QString, lang);
    QFETCH(int, exitCode);
    QFETCH(QStringList, holds);
    QFETCH(QString, err);
    const QByteArray list = "Data\\A,d,0,16;x,Recovered\r\n"
                            "Data\\A\\B\\f1.JPG,d,100,32;x,Recovered\r\n"
                            "Data\\A\\C\\f2.pst,d,50,32;x,Damaged\r\n"
                            "Data\\A\\C\\f3.tar.gz,d,7,32;x,Partially recovered\r\n"
                            "Data\\A\\f4.jpg,d,1 000,32;x,Odd word\r\n"
                            "Data\\x,d,1,32;x,Recovered\r\n"
                            "Data\\Z\\y.txt,d,2\r\n";
    const QString path = m_dir.filePath(u"report-list.csv"_s);
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(list);
    f.close();
    QDir(m_dir.path()).mkpath(u"folder.csv"_s);
    const QString outPath = m_dir.filePath(out);
    const corvane::testing::CliRun r =
        corvane::testing::runCli(m_program, {u"report"_s, path, outPath}, lang);
    QCOMPARE(r.exitCode, exitCode);
    QVERIFY2(r.err.startsWith(QString(err).replace(u"%out"_s, outPath)), qPrintable(r.err));
    QFile written(outPath);
    if (exitCode != 0) {
        QVERIFY(!written.exists() || QFileInfo(outPath).isDir());
        return;
    }
    QVERIFY(written.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(written.readAll());
    const QString sha =
        QString::fromLatin1(QCryptographicHash::hash(list, QCryptographicHash::Sha256).toHex());
    for (QString h : holds) {
        h.replace(u"%sha"_s, sha);
        QVERIFY2(text.contains(h), qPrintable(h));
    }
    // The list itself is never written over.
    const corvane::testing::CliRun over =
        corvane::testing::runCli(m_program, {u"report"_s, path, path});
    QCOMPARE(over.exitCode, 1);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), list);
}

// The basket and the check entries the window keeps for the list (under its
// SHA-256 in its data folder) are in the report, the check run again.
void TestCliOverview::reportWithKeptParts()
{
    QTemporaryDir home;
    const QString dataFolder = home.filePath(u"corvane"_s);
    const QByteArray list = "D\\A\\thesis.docx,d,1000,32;x,Recovered\r\n"
                            "D\\A\\photo.jpg,d,2000,32;x,Damaged\r\n";
    const QString path = m_dir.filePath(u"kept-list.csv"_s);
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(list);
    f.close();
    const QString sha =
        QString::fromLatin1(QCryptographicHash::hash(list, QCryptographicHash::Sha256).toHex());
    corvane::basket::Basket chosen(2);
    chosen.setRange(0, 2, true);
    QVERIFY(
        corvane::basket::saveBasket(dataFolder, sha, path, chosen, {u"500 GB"_s, u"FAT32"_s, {}})
            .ok);
    QString error;
    QVERIFY(corvane::saveCheckEntries(dataFolder, sha, {u"thesis"_s, u"taxes 2019"_s}, &error));
    const QString out = m_dir.filePath(u"kept.html"_s);
    const corvane::testing::CliRun r = corvane::testing::runCli(
        m_program, {u"report"_s, path, out}, u"en_US.UTF-8"_s, [&](QProcess &p) {
            QProcessEnvironment env = p.processEnvironment();
            env.insert(u"XDG_DATA_HOME"_s, home.path());
            p.setProcessEnvironment(env);
        });
    QCOMPARE(r.exitCode, 0);
    QFile written(out);
    QVERIFY(written.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(written.readAll());
    for (const QString &h :
         {u"Chosen for the restore"_s, u"Chosen: 2 files"_s, u"FAT32"_s,
          u"Did my files come back?"_s, u"taxes 2019"_s, u"missing"_s, u"D\\A\\thesis.docx"_s})
        QVERIFY2(html.contains(h), qPrintable(h));
}

// The current row: the list written, the command run on it with the row's
// arguments, its exit code and output as the row says.
void TestCliOverview::runRow(const QString &command)
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
        corvane::testing::runCli(m_program, QStringList{command, path} + args);
    QCOMPARE(r.exitCode, exitCode);
    if (exitCode == 2)
        QVERIFY(r.err.startsWith(u"usage:"_s));
    else
        QCOMPARE(r.err, err);
    QCOMPARE(r.out, out);
}

QTEST_GUILESS_MAIN(TestCliOverview)
#include "tst_cli_overview.moc"
