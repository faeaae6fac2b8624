// Entry names, signatures, the open command's decisions and the member grid's
// model: everything that needs no archive on disk.

#include "listfile/OpenCommand.h"
#include "zip/ZipArchive.h"
#include "zip/ZipEntryName.h"
#include "zip/ZipMemberModel.h"

#include <QAbstractItemModelTester>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace Qt::Literals::StringLiterals;
using namespace corvane;
using namespace corvane::zip;

namespace {

ZipMember member(const QString &name, qint64 index)
{
    ZipMember m;
    m.name = name;
    m.fileName = entryFileName(name);
    m.index = index;
    return m;
}

QStringList names(const QList<ZipMember> &members)
{
    QStringList list;
    for (const ZipMember &m : members)
        list.append(m.name);
    return list;
}

} // namespace

class TestZipNames : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void signature_data();
    void signature();
    void decode_data();
    void decode();
    void codePage437Table();
    void risk_data();
    void risk();
    void fileName_data();
    void fileName();
    void listEnding_data();
    void listEnding();
    void plan_data();
    void plan();
    void lastFolder();
    void lastFolderMissingOrStale();
    void chosenFile_data();
    void chosenFile();
    void model();
};

void TestZipNames::signature_data()
{
    QTest::addColumn<QByteArray>("head");
    QTest::addColumn<bool>("zip");
    QTest::newRow("local header") << QByteArray("PK\x03\x04rest", 8) << true;
    QTest::newRow("empty archive") << QByteArray("PK\x05\x06", 4) << true;
    QTest::newRow("spanned marker") << QByteArray("PK\x07\x08", 4) << true;
    QTest::newRow("text PK") << "PKWARE\\list.doc,2001-01-01,1,32;5,OK"_ba << false;
    QTest::newRow("text Pk") << "Pk\\list.doc,2001-01-01,1,32;5,OK"_ba << false;
    QTest::newRow("text pk") << QByteArray("pk\x03\x04", 4) << false;
    QTest::newRow("PK other bytes") << QByteArray("PK\x01\x02", 4) << false;
    QTest::newRow("short") << "PK"_ba << false;
    QTest::newRow("empty") << QByteArray() << false;
}

void TestZipNames::signature()
{
    QFETCH(QByteArray, head);
    QFETCH(bool, zip);
    QCOMPARE(hasZipSignature(head), zip);
}

void TestZipNames::decode_data()
{
    QTest::addColumn<QByteArray>("raw");
    QTest::addColumn<bool>("flagged");
    QTest::addColumn<QString>("shown");
    QTest::newRow("ascii") << "Lists/disk1.csv"_ba << false << u"Lists/disk1.csv"_s;
    QTest::newRow("utf-8 valid unflagged") << "\xc3\x9c"
                                              "ber.csv"_ba
                                           << false << u"Über.csv"_s;
    QTest::newRow("utf-8 flagged") << "\xc3\xa9t\xc3\xa9.csv"_ba << true << u"été.csv"_s;
    QTest::newRow("cp437 umlaut") << "\x84rger.csv"_ba << false << u"ärger.csv"_s;
    QTest::newRow("cp437 box and sigma") << "\xc9\xcd\xbb\xe4.txt"_ba << false << u"╔═╗Σ.txt"_s;
    QTest::newRow("cp437 last byte") << "a\xff.log"_ba << false << u"a\u00a0.log"_s;
    QTest::newRow("bell escaped") << "a\x07"
                                     "b.csv"_ba
                                  << false << u"a\\x07b.csv"_s;
    QTest::newRow("newline escaped") << "list\n.csv"_ba << false << u"list\\x0A.csv"_s;
    QTest::newRow("escape sequence") << "\x1b[2Jx.csv"_ba << false << u"\\x1B[2Jx.csv"_s;
    QTest::newRow("DEL escaped") << "a\x7f.csv"_ba << false << u"a\\x7F.csv"_s;
    QTest::newRow("C1 from utf-8 escaped") << "a\xc2\x85.csv"_ba << false << u"a\\x85.csv"_s;
    QTest::newRow("right-to-left override")
        << "invoice\xe2\x80\xaetxt.csv"_ba << true << u"invoice\\u202Etxt.csv"_s;
    QTest::newRow("embeddings and pop")
        << "a\xe2\x80\xaa\xe2\x80\xab\xe2\x80\xac\xe2\x80\xad.csv"_ba << true
        << u"a\\u202A\\u202B\\u202C\\u202D.csv"_s;
    QTest::newRow("isolates") << "\xe2\x81\xa6x\xe2\x81\xa7y\xe2\x81\xa8z\xe2\x81\xa9.csv"_ba
                              << true << u"\\u2066x\\u2067y\\u2068z\\u2069.csv"_s;
    QTest::newRow("marks") << "a\xe2\x80\x8e\xe2\x80\x8f.csv"_ba << true
                           << u"a\\u200E\\u200F.csv"_s;
    QTest::newRow("other formatting kept") << "a\xe2\x80\x8d"
                                              "b.csv"_ba
                                           << true << u"a\u200Db.csv"_s;
}

void TestZipNames::decode()
{
    QFETCH(QByteArray, raw);
    QFETCH(bool, flagged);
    QFETCH(QString, shown);
    QCOMPARE(escapeControlCharacters(decodeEntryName(raw, flagged)), shown);
}

void TestZipNames::codePage437Table()
{
    // Spot checks across the table's rows.
    const QByteArray bytes("\x80\x8f\x9b\x9e\xa8\xa9\xb0\xc5\xdb\xe1\xe6\xec\xf8\xfd\xfe", 15);
    QCOMPARE(decodeCodePage437(bytes), u"ÇÅ¢₧¿⌐░┼█ßµ∞°²■"_s);
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    const QString decoded = decodeCodePage437(all);
    QCOMPARE(decoded.size(), 256);
    QCOMPARE(decoded.left(128), QString::fromLatin1(all.left(128)));
}

void TestZipNames::risk_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<EntryNameRisk>("risk");
    QTest::newRow("plain") << u"list.csv"_s << EntryNameRisk::Safe;
    QTest::newRow("in folder") << u"disk/2024/list.csv"_s << EntryNameRisk::Safe;
    QTest::newRow("dots in name") << u"..list..csv"_s << EntryNameRisk::Safe;
    QTest::newRow("dot folder") << u"./list.csv"_s << EntryNameRisk::Safe;
    QTest::newRow("parent") << u"../x.csv"_s << EntryNameRisk::ParentComponent;
    QTest::newRow("parent deep") << u"a/../../x.csv"_s << EntryNameRisk::ParentComponent;
    QTest::newRow("parent backslash") << u"..\\x.csv"_s << EntryNameRisk::ParentComponent;
    QTest::newRow("parent mixed") << u"a\\..//x.csv"_s << EntryNameRisk::ParentComponent;
    QTest::newRow("parent trailing dot") << u"a/.../x.csv"_s << EntryNameRisk::ParentComponent;
    QTest::newRow("absolute") << u"/abs.csv"_s << EntryNameRisk::AbsolutePath;
    QTest::newRow("absolute backslash") << u"\\abs.csv"_s << EntryNameRisk::AbsolutePath;
    QTest::newRow("unc") << u"\\\\server\\share\\x.csv"_s << EntryNameRisk::AbsolutePath;
    QTest::newRow("drive") << u"C:\\x.csv"_s << EntryNameRisk::DriveLetter;
    QTest::newRow("drive relative") << u"C:x.csv"_s << EntryNameRisk::DriveLetter;
    QTest::newRow("drive slash") << u"d:/x.csv"_s << EntryNameRisk::DriveLetter;
    QTest::newRow("empty") << QString() << EntryNameRisk::Empty;
    QTest::newRow("folder only") << u"sub/"_s << EntryNameRisk::Empty;
}

void TestZipNames::risk()
{
    QFETCH(QString, name);
    QFETCH(EntryNameRisk, risk);
    QCOMPARE(entryNameRisk(name), risk);
}

void TestZipNames::fileName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("fileName");
    QTest::newRow("plain") << u"list.csv"_s << u"list.csv"_s;
    QTest::newRow("last component") << u"a/b/list.csv"_s << u"list.csv"_s;
    QTest::newRow("bidi override") << u"invoice\u202Etxt.csv"_s << u"invoice_txt.csv"_s;
    QTest::newRow("backslash component") << u"a\\b\\list.csv"_s << u"list.csv"_s;
    QTest::newRow("reserved characters") << u"x/a<b>c:d\"e|f?g*.csv"_s << u"a_b_c_d_e_f_g_.csv"_s;
    QTest::newRow("control") << u"a\u0001b.csv"_s << u"a_b.csv"_s;
    QTest::newRow("trailing dot") << u"list.csv."_s << u"list.csv"_s;
    QTest::newRow("dot dot") << u"a/.."_s << QString();
    QTest::newRow("nothing") << u"a/"_s << QString();
    QTest::newRow("accents") << u"Über/été.csv"_s << u"été.csv"_s;
}

void TestZipNames::fileName()
{
    QFETCH(QString, name);
    QFETCH(QString, fileName);
    QCOMPARE(entryFileName(name), fileName);
}

void TestZipNames::listEnding_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("listed");
    QTest::newRow("A.CSV") << u"A.CSV"_s << true;
    QTest::newRow("notes.TXT") << u"notes.TXT"_s << true;
    QTest::newRow("list.log") << u"list.log"_s << true;
    QTest::newRow("photo.jpg") << u"photo.jpg"_s << false;
    QTest::newRow("list.csv.bak") << u"list.csv.bak"_s << false;
    QTest::newRow("csv without dot") << u"listcsv"_s << false;
    QTest::newRow("folder entry") << u"a.csv/"_s << false;
}

void TestZipNames::listEnding()
{
    QFETCH(QString, name);
    QFETCH(bool, listed);
    QCOMPARE(isListEntryName(name), listed);
}

void TestZipNames::plan_data()
{
    QTest::addColumn<QStringList>("listed");
    QTest::addColumn<QStringList>("notes");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<ZipOpenPlan::Next>("next");
    using Next = ZipOpenPlan::Next;
    QTest::newRow("one list") << QStringList{u"list.csv"_s} << QStringList{}
                              << QStringList{u"list.csv"_s} << Next::LoadSingleMember;
    QTest::newRow("two lists and a note")
        << QStringList{u"a.csv"_s, u"b.csv"_s, u"notes.txt"_s} << QStringList{u"notes.txt"_s}
        << QStringList{u"a.csv"_s, u"b.csv"_s} << Next::ShowMemberGrid;
    // The lab's notes whatever the case of their ending.
    QTest::newRow("upper-case note extracted")
        << QStringList{u"a.csv"_s, u"NOTES.TXT"_s, u"b.csv"_s} << QStringList{u"NOTES.TXT"_s}
        << QStringList{u"a.csv"_s, u"b.csv"_s} << Next::ShowMemberGrid;
    QTest::newRow("one list and a note")
        << QStringList{u"a.csv"_s, u"notes.txt"_s} << QStringList{u"notes.txt"_s}
        << QStringList{u"a.csv"_s} << Next::LoadSingleMember;
    QTest::newRow("notes only") << QStringList{u"notes.txt"_s, u"readme.log"_s}
                                << QStringList{u"notes.txt"_s, u"readme.log"_s} << QStringList{}
                                << Next::NoList;
    QTest::newRow("upper-case notes only")
        << QStringList{u"NOTES.TXT"_s, u"README.LOG"_s}
        << QStringList{u"NOTES.TXT"_s, u"README.LOG"_s} << QStringList{} << Next::NoList;
    QTest::newRow("nothing listed")
        << QStringList{} << QStringList{} << QStringList{} << Next::NoList;
    QTest::newRow("a single note is the list")
        << QStringList{u"notes.txt"_s} << QStringList{} << QStringList{u"notes.txt"_s}
        << Next::LoadSingleMember;
    QTest::newRow("mixed-case ending")
        << QStringList{u"a.csv"_s, u"b.Log"_s, u"c.CSV"_s} << QStringList{u"b.Log"_s}
        << QStringList{u"a.csv"_s, u"c.CSV"_s} << Next::ShowMemberGrid;
    QTest::newRow("duplicates stay") << QStringList{u"a.csv"_s, u"a.csv"_s} << QStringList{}
                                     << QStringList{u"a.csv"_s, u"a.csv"_s} << Next::ShowMemberGrid;
}

void TestZipNames::plan()
{
    QFETCH(QStringList, listed);
    QFETCH(QStringList, notes);
    QFETCH(QStringList, rows);
    QFETCH(ZipOpenPlan::Next, next);
    QList<ZipMember> members;
    for (const QString &name : listed)
        members.append(member(name, members.size()));
    const ZipOpenPlan plan = planZipOpen(members);
    QCOMPARE(names(plan.notes), notes);
    QCOMPARE(names(plan.rows), rows);
    QCOMPARE(plan.next, next);
}

void TestZipNames::lastFolder()
{
    QTemporaryDir data;
    QTemporaryDir lists;
    const QString chosen = lists.filePath(u"Lists/disk1.csv"_s);
    QVERIFY(QDir().mkpath(lists.filePath(u"Lists"_s)));
    QVERIFY(writeLastFolder(data.path(), chosen));
    QFile file(data.filePath(u"LastFolder.inc"_s));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), lists.filePath(u"Lists"_s).toUtf8() + "\r\n");
    QCOMPARE(readLastFolder(data.path()), lists.filePath(u"Lists"_s));
    QCOMPARE(dialogStartFolder(data.path()), lists.filePath(u"Lists"_s));
    // A second choice replaces the line.
    QVERIFY(writeLastFolder(data.path(), lists.filePath(u"other.zip"_s)));
    QCOMPARE(readLastFolder(data.path()), lists.path());
    QCOMPARE(folderOfChosenPath(u"C:\\Lists\\disk1.csv"_s), u"C:\\Lists"_s);
    QCOMPARE(folderOfChosenPath(u"disk1.csv"_s), u"disk1.csv"_s);
    QCOMPARE(folderOfChosenPath(u"/disk1.csv"_s), u"/"_s);
}

void TestZipNames::lastFolderMissingOrStale()
{
    QTemporaryDir data;
    QCOMPARE(readLastFolder(data.path()), QString());
    QCOMPARE(dialogStartFolder(data.path()), QDir::homePath());
    QFile file(data.filePath(u"LastFolder.inc"_s));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(data.filePath(u"gone"_s).toUtf8() + "\r\nsecond line\r\n");
    file.close();
    QCOMPARE(readLastFolder(data.path()), data.filePath(u"gone"_s));
    QCOMPARE(dialogStartFolder(data.path()), QDir::homePath());
    // A data folder that cannot be made: no crash, false.
    QFile blocker(data.filePath(u"blocker"_s));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QVERIFY(!writeLastFolder(data.filePath(u"blocker/sub"_s), u"/x/y.csv"_s));
}

void TestZipNames::chosenFile_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("make"); // file, folder, fifo
    QTest::addColumn<ChosenFile>("kind");
    QTest::newRow("zip") << QByteArray("PK\x03\x04....", 8) << u"file"_s << ChosenFile::Zip;
    QTest::newRow("Pk text") << "Pk\\a.doc,2001-01-01,1,32;5,OK\r\n"_ba << u"file"_s
                             << ChosenFile::PlainList;
    QTest::newRow("PK text") << "PKG\\a.doc,2001-01-01,1,32;5,OK\r\n"_ba << u"file"_s
                             << ChosenFile::PlainList;
    QTest::newRow("empty") << QByteArray() << u"file"_s << ChosenFile::Empty;
    QTest::newRow("folder") << QByteArray() << u"folder"_s << ChosenFile::NotAFile;
    QTest::newRow("fifo") << QByteArray() << u"fifo"_s << ChosenFile::NotAFile;
}

void TestZipNames::chosenFile()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, make);
    QFETCH(ChosenFile, kind);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"chosen.zip"_s);
    if (make == u"folder"_s) {
        QVERIFY(QDir().mkpath(path));
    } else if (make == u"fifo"_s) {
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    } else {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QCOMPARE(classifyChosenFile(path), kind);
    QCOMPARE(classifyChosenFile(dir.filePath(u"missing.csv"_s)), ChosenFile::Missing);
}

void TestZipNames::model()
{
    ZipMemberModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.setHeaderText(u"Files"_s);
    model.appendMember(member(u"a.csv"_s, 3));
    ZipMember secret = member(u"b.csv"_s, 5);
    secret.encrypted = true;
    model.appendMember(secret);
    QCOMPARE(model.rowCount(), 2);
    QCOMPARE(model.columnCount(), 1);
    QCOMPARE(model.headerData(0, Qt::Horizontal).toString(), u"Files"_s);
    QVERIFY(model.setHeaderData(0, Qt::Horizontal, u"Dateien"_s));
    QCOMPARE(model.headerData(0, Qt::Horizontal).toString(), u"Dateien"_s);
    QVERIFY(!model.setHeaderData(1, Qt::Horizontal, u"x"_s));
    QCOMPARE(model.index(1, 0).data().toString(), u"b.csv"_s);
    QCOMPARE(model.index(1, 0).data(ZipMemberModel::EntryIndexRole).toLongLong(), 5);
    QCOMPARE(model.index(1, 0).data(ZipMemberModel::EncryptedRole).toBool(), true);
    QCOMPARE(model.memberAt(0)->index, 3);
    QCOMPARE(model.memberAt(2), nullptr);
    model.setMembers({member(u"c.csv"_s, 0)});
    QCOMPARE(model.rowCount(), 1);
    model.clear();
    QCOMPARE(model.rowCount(), 0);
}

QTEST_GUILESS_MAIN(TestZipNames)
#include "tst_zip_names.moc"
