#include "common/CliRun.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

// corvane-list select, run as a user would run it.
class TestCliSelect : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void select_data();
    void select();

private:
    QString m_program;
    QTemporaryDir m_dir;
};

void TestCliSelect::initTestCase()
{
    m_program = corvane::testing::corvaneListProgram();
    QVERIFY2(QFile::exists(m_program), qPrintable(m_program));
    QVERIFY(m_dir.isValid());
}

void TestCliSelect::select_data()
{
    QTest::addColumn<QStringList>("args"); // the list's path is put first
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");
    // With --save %OUT%: what the restore list holds afterwards (null: no file).
    QTest::addColumn<QByteArray>("saved");

    const QString all = u"files: 6\nbytes: 5000000158\nlargest: 5000000000\n"_s;
    QTest::newRow("Root") << QStringList{QString()} << 0 << all << QString() << QByteArray();
    QTest::newRow("a folder twice and its file: each line once")
        << QStringList{u"A"_s, u"A\\C"_s, u"A\\f4.txt"_s} << 0
        << u"files: 4\nbytes: 5000000157\nlargest: 5000000000\n"_s << QString() << QByteArray();
    QTest::newRow("a file by name, one taken back")
        << QStringList{u"--except"_s, u"A\\C\\f2.txt"_s, u"A\\C"_s, u"x.txt"_s} << 0
        << u"files: 2\nbytes: 8\nlargest: 7\n"_s << QString() << QByteArray();
    QTest::newRow("FAT32 on a 16 GB stick")
        << QStringList{u"--target"_s, u"16 GB"_s, u"--fs"_s, u"FAT32"_s, u"A"_s, u"x.txt"_s} << 0
        << u"files: 5\nbytes: 5000000158\nlargest: 5000000000\ncluster: 8192\n"
           u"on_disk: 5000036352\ntoo_big_for_fs: 1\ntarget: 16000000000\nfits: yes\n"_s
        << QString() << QByteArray();
    QTest::newRow("exFAT without a target: a 1 TB drive's cluster")
        << QStringList{u"--fs"_s, u"exfat"_s, QString()} << 0
        << all + u"cluster: 131072\non_disk: 5000527872\ntoo_big_for_fs: 0\n"_s << QString()
        << QByteArray();
    QTest::newRow("a target too small, by bytes")
        << QStringList{u"--target"_s, u"1GiB"_s, QString()} << 0
        << all + u"target: 1073741824\nfits: no\n"_s << QString() << QByteArray();
    QTest::newRow("an item after --")
        << QStringList{u"--"_s, u"--odd"_s} << 1 << QString()
        << u"corvane-list: no folder or file '--odd' in the list\n"_s << QByteArray();
    QTest::newRow("no such folder")
        << QStringList{u"Q"_s} << 1 << QString()
        << u"corvane-list: no folder or file 'Q' in the list\n"_s << QByteArray();
    QTest::newRow("no such file in a folder")
        << QStringList{u"A\\nothing.txt"_s} << 1 << QString()
        << u"corvane-list: no folder or file 'A\\nothing.txt' in the list\n"_s << QByteArray();
    QTest::newRow("a size that cannot be read")
        << QStringList{u"--target"_s, u"12 XB"_s, u"A"_s} << 1 << QString()
        << u"corvane-list: '12 XB' is not a drive size (such as 500 GB, 2 TB or 64 GiB)\n"_s
        << QByteArray();
    QTest::newRow("10^30 bytes")
        << QStringList{u"--target"_s, u"1000000000000000000000000000000"_s, u"A"_s} << 1
        << QString()
        << u"corvane-list: '1000000000000000000000000000000' is not a drive size (such as "
           u"500 GB, 2 TB or 64 GiB)\n"_s
        << QByteArray();
    QTest::newRow("a file system not known")
        << QStringList{u"--fs"_s, u"fat16"_s, u"A"_s} << 1 << QString()
        << u"corvane-list: 'fat16' is not a file system (fat32, exfat, ntfs, ext4, apfs, hfs+)\n"_s
        << QByteArray();
    QTest::newRow("the restore list: chosen lines in file order")
        << QStringList{u"--save"_s, u"%OUT%"_s, u"--except"_s, u"A\\B"_s, u"x.txt"_s, u"A"_s} << 0
        << u"files: 4\nbytes: 5000000058\nlargest: 5000000000\n"_s << QString()
        << QByteArray("Data\\A\\C\\f2.txt,d,50,32;x,Damaged\r\n"
                      "Data\\A\\C\\f3.txt,d,7,32;x,Damaged\r\n"
                      "Data\\A\\f4.txt,d,5000000000,32;x,Damaged\r\n"
                      "Data\\x.txt,d,1,32;x,Recovered\r\n");
    QTest::newRow("the restore list never replaces the list")
        << QStringList{u"--save"_s, u"%LIST%"_s, u"A"_s} << 1
        << u"files: 4\nbytes: 5000000157\nlargest: 5000000000\n"_s
        << u"corvane-list: %LIST% is the list being read: choose another name\n"_s << QByteArray();
    QTest::newRow("no item") << QStringList{} << 2 << QString() << QString() << QByteArray();
    QTest::newRow("an option without its value")
        << QStringList{u"A"_s, u"--target"_s} << 2 << QString() << QString() << QByteArray();
}

void TestCliSelect::select()
{
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QString, out);
    QFETCH(QString, err);
    QFETCH(QByteArray, saved);

    const QString path = m_dir.filePath(u"list.csv"_s);
    const QString savedPath = m_dir.filePath(u"restore.csv"_s);
    QFile::remove(savedPath);
    args.replaceInStrings(u"%OUT%"_s, savedPath);
    args.replaceInStrings(u"%LIST%"_s, path);
    err.replace(u"%LIST%"_s, path);
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("Data\\A\\B\\f1.txt,d,100,32;x,Recovered\r\n"
            "Data\\A\\C\\f2.txt,d,50,32;x,Damaged\r\n"
            "Data\\A\\C\\f3.txt,d,7,32;x,Damaged\r\n"
            "Data\\A\\f4.txt,d,5000000000,32;x,Damaged\r\n"
            "Data\\x.txt,d,1,32;x,Recovered\r\n"
            "Data\\Z\\y.txt,d,0,32;x,Recovered\r\n");
    f.close();

    // The list first, unless the row puts options before it.
    QStringList command{u"select"_s};
    qsizetype at = 0;
    while (at + 1 < args.size() && args.at(at).startsWith(u"--") && args.at(at) != u"--")
        at += 2;
    command += args.mid(0, at);
    command += path;
    command += args.mid(at);
    // German: plain digits whatever the locale.
    const corvane::testing::CliRun r =
        corvane::testing::runCli(m_program, command, u"de_DE.UTF-8"_s);
    QCOMPARE(r.exitCode, exitCode);
    if (exitCode == 2)
        QVERIFY(r.err.startsWith(u"usage:"_s));
    else
        QCOMPARE(r.err, err);
    QCOMPARE(r.out, out);
    QFile restore(savedPath);
    QCOMPARE(restore.exists(), !saved.isNull());
    if (!saved.isNull()) {
        QVERIFY(restore.open(QIODevice::ReadOnly));
        QCOMPARE(restore.readAll(), saved);
    }
    // The list itself is never touched.
    QFile list(path);
    QVERIFY(list.open(QIODevice::ReadOnly));
    QVERIFY(list.readAll().startsWith("Data\\A\\B\\f1.txt,d,100"));
}

QTEST_GUILESS_MAIN(TestCliSelect)
#include "tst_cli_select.moc"
