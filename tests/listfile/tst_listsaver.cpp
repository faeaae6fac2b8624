// Saving a list and writing a search result over what is already there: a
// disk that fills up on the way, a pipe, links, a folder.

#include "common/SmallDisk.h"
#include "listfile/ListLoader.h"
#include "listfile/ListSaver.h"
#include "search/ResultFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;
using Reason = corvane::SaveListResult::Reason;

using corvane::testing::SmallDisk;

namespace {

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeAll(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

// A list of about 60 bytes a line.
QByteArray listBytes(int lines)
{
    QByteArray bytes;
    for (int i = 0; i < lines; ++i)
        bytes +=
            "C:\\Docs\\file" + QByteArray::number(i) + ".doc,2020-01-02 03:04:05,1000,32;7,OK\r\n";
    return bytes;
}

bool isFifo(const QString &path)
{
    struct stat st
    {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 && S_ISFIFO(st.st_mode);
}

} // namespace

class TestListSaver : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void targets_data();
    void targets();
    void fullDisk_data();
    void fullDisk();
    void resultTargets_data();
    void resultTargets();
};

// What is at the name asked for decides where the list goes, or that it
// goes nowhere.
void TestListSaver::targets_data()
{
    QTest::addColumn<QString>("target"); // what stands at out.csv
    QTest::addColumn<int>("reason");     // Reason::None: saved
    QTest::newRow("free name") << u"none"_s << int(Reason::None);
    QTest::newRow("regular file") << u"file"_s << int(Reason::None);
    QTest::newRow("link to a regular file") << u"link-file"_s << int(Reason::None);
    QTest::newRow("fifo") << u"fifo"_s << int(Reason::NotRegularFile);
    QTest::newRow("link to a fifo") << u"link-fifo"_s << int(Reason::NotRegularFile);
    QTest::newRow("link to nothing") << u"link-none"_s << int(Reason::BrokenLink);
    QTest::newRow("folder") << u"folder"_s << int(Reason::Folder);
    QTest::newRow("link to a folder") << u"link-folder"_s << int(Reason::Folder);
}

void TestListSaver::targets()
{
    QFETCH(QString, target);
    QFETCH(int, reason);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString listPath = dir.filePath(u"list.csv"_s);
    QVERIFY(writeAll(listPath, listBytes(3)));
    const corvane::LoadedList list = corvane::loadList(listPath);
    QCOMPARE(list.iGrid1.count(), 3);

    QVERIFY(QDir(dir.path()).mkdir(u"out"_s));
    QVERIFY(QDir(dir.path()).mkdir(u"elsewhere"_s));
    const QString out = dir.filePath(u"out/out.csv"_s);
    const QString pointed = dir.filePath(u"elsewhere/pointed"_s);
    const QByteArray older = "older\r\n";
    if (target == u"file"_s) {
        QVERIFY(writeAll(out, older));
    } else if (target == u"fifo"_s) {
        QCOMPARE(::mkfifo(QFile::encodeName(out).constData(), 0644), 0);
    } else if (target == u"folder"_s) {
        QVERIFY(QDir().mkdir(out));
    } else if (target.startsWith(u"link-"_s)) {
        if (target == u"link-file"_s)
            QVERIFY(writeAll(pointed, older));
        else if (target == u"link-fifo"_s)
            QCOMPARE(::mkfifo(QFile::encodeName(pointed).constData(), 0644), 0);
        else if (target == u"link-folder"_s)
            QVERIFY(QDir().mkdir(pointed));
        QVERIFY(QFile::link(pointed, out));
    }
    const QStringList before =
        QDir(dir.filePath(u"out"_s))
            .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System);

    const corvane::SaveListResult saved = corvane::saveListFile(list.iGrid1, out, {listPath});
    QCOMPARE(int(saved.reason), reason);
    QCOMPARE(saved.ok(), reason == int(Reason::None));
    QCOMPARE(readAll(listPath), listBytes(3));
    if (!saved.ok())
        QVERIFY2(saved.error.contains(out), qPrintable(saved.error));
    // A link stays a link; a pipe stays a pipe; nothing else appears.
    if (target.startsWith(u"link-"_s)) {
        QVERIFY(QFileInfo(out).isSymLink());
        QCOMPARE(QFileInfo(out).symLinkTarget(), pointed);
    }
    if (target == u"fifo"_s)
        QVERIFY(isFifo(out));
    if (target == u"link-fifo"_s)
        QVERIFY(isFifo(pointed));
    if (target == u"none"_s)
        QCOMPARE(QDir(dir.filePath(u"out"_s))
                     .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System),
                 QStringList{u"out.csv"_s});
    else
        QCOMPARE(QDir(dir.filePath(u"out"_s))
                     .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System),
                 before);
    if (saved.ok())
        QCOMPARE(readAll(target == u"link-file"_s ? pointed : out), listBytes(3));
    else if (target == u"link-file"_s)
        QCOMPARE(readAll(pointed), older);
    QCOMPARE(QDir(dir.filePath(u"elsewhere"_s))
                 .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System)
                 .size(),
             target.startsWith(u"link-"_s) && target != u"link-none"_s ? 1 : 0);
}

// A disk that fills up while the list is written: the failure is told as a
// full disk, the older file stays whole, no part-written file is left. The
// list is bigger than one write, so the disk fills up in the middle.
void TestListSaver::fullDisk_data()
{
    QTest::addColumn<int>("lines");
    QTest::newRow("fills in the middle") << 40000; // ~2.4 MB, several writes
    QTest::newRow("fills in the last write") << 6000;
}

void TestListSaver::fullDisk()
{
    QFETCH(int, lines);
    if (::geteuid() != 0)
        QSKIP("mounting a small tmpfs needs root");
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString listPath = dir.filePath(u"list.csv"_s);
    QVERIFY(writeAll(listPath, listBytes(lines)));
    const corvane::LoadedList list = corvane::loadList(listPath);
    QCOMPARE(list.iGrid1.count(), lines);
    const QString disk = dir.filePath(u"disk"_s);
    QVERIFY(QDir().mkdir(disk));
    SmallDisk small(disk, 256);
    QVERIFY(small.mounted());
    const QString out = disk + u"/out.csv"_s;
    const QByteArray older = "older\r\n";
    QVERIFY(writeAll(out, older));

    const corvane::SaveListResult saved = corvane::saveListFile(list.iGrid1, out, {listPath});
    QVERIFY(!saved.ok());
    QCOMPARE(int(saved.reason), int(Reason::DiskFull));
    QCOMPARE(saved.lines, 0);
    QCOMPARE(readAll(out), older);
    QCOMPARE(QDir(disk).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList{u"out.csv"_s});

    // The same disk with room for the result of a search: a full disk
    // leaves the older result as it was.
    corvane::ResultFileWriter writer(out);
    QVERIFY(writer.open());
    bool added = true;
    for (int i = 0; i < lines && added; ++i)
        added = writer.add(list.iGrid1.line(i), list.iGrid1.encoding());
    QVERIFY(!added || !writer.finish());
    writer.abandon();
    QVERIFY(!writer.error().isEmpty());
    QCOMPARE(readAll(out), older);
    QCOMPARE(QDir(disk).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList{u"out.csv"_s});
}

// The result file replaces what stands at its name by a rename: a pipe or a
// folder there is refused and left alone; a link there is replaced as a link
// (what it leads to is never written).
void TestListSaver::resultTargets_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("opens");
    QTest::newRow("fifo") << u"fifo"_s << false;
    QTest::newRow("folder") << u"folder"_s << false;
    QTest::newRow("link to a fifo") << u"link-fifo"_s << true;
    QTest::newRow("link to a file") << u"link-file"_s << true;
    QTest::newRow("link leading nowhere") << u"link-nowhere"_s << true;
}

void TestListSaver::resultTargets()
{
    QFETCH(QString, target);
    QFETCH(bool, opens);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString out = dir.filePath(u"tFile.csv"_s);
    const QString pointed = dir.filePath(u"pointed"_s);
    if (target == u"fifo"_s)
        QCOMPARE(::mkfifo(QFile::encodeName(out).constData(), 0644), 0);
    else if (target == u"folder"_s)
        QVERIFY(QDir().mkdir(out));
    else if (target == u"link-fifo"_s)
        QCOMPARE(::mkfifo(QFile::encodeName(pointed).constData(), 0644), 0);
    else if (target == u"link-file"_s)
        QVERIFY(writeAll(pointed, "mine\r\n"));
    if (target.startsWith(u"link-"_s))
        QVERIFY(QFile::link(pointed, out));

    corvane::ResultFileWriter writer(out);
    QCOMPARE(writer.open(), opens);
    if (!opens) {
        QVERIFY2(writer.error().contains(out), qPrintable(writer.error()));
        QCOMPARE(isFifo(out), target == u"fifo"_s);
        QCOMPARE(QFileInfo(out).isDir(), target == u"folder"_s);
        return;
    }
    QVERIFY(writer.add("C:\\a.doc,1,2,32;7,OK", corvane::ListEncoding::Windows1252));
    QVERIFY(writer.finish());
    QVERIFY(!QFileInfo(out).isSymLink());
    QCOMPARE(readAll(out).size(), qsizetype(2 * 22));
    if (target == u"link-fifo"_s)
        QVERIFY(isFifo(pointed));
    else if (target == u"link-file"_s)
        QCOMPARE(readAll(pointed), QByteArray("mine\r\n"));
    else
        QVERIFY(!QFileInfo::exists(pointed));
}

QTEST_GUILESS_MAIN(TestListSaver)
#include "tst_listsaver.moc"
