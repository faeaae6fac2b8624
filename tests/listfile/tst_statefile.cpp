// The program's own files read, written and given folders: a plain file is
// read and replaced whole; a link (to a file, to a folder, dangling), a pipe,
// a folder or a far too big file at the name is refused with the reason, its
// target untouched, and nothing half-written is left beside it.

#include "listfile/StateFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;
using namespace corvane;

Q_DECLARE_METATYPE(corvane::StateFileProblem)

namespace {

QByteArray readBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

// What the test puts at "state" in folder; the victim outside keeps "victim".
void plant(const QString &kind, const QString &folder, const QString &outside)
{
    const QString at = QDir(folder).filePath(u"state"_s);
    const QString victim = QDir(outside).filePath(u"victim"_s);
    QVERIFY(writeBytes(victim, "victim"));
    QVERIFY(QDir(outside).mkpath(u"victimFolder"_s));
    if (kind == u"regular"_s) {
        QVERIFY(writeBytes(at, "old line\n"));
    } else if (kind == u"link to file"_s) {
        QVERIFY(QFile::link(victim, at));
    } else if (kind == u"link to folder"_s) {
        QVERIFY(QFile::link(QDir(outside).filePath(u"victimFolder"_s), at));
    } else if (kind == u"dangling link"_s) {
        QVERIFY(QFile::link(QDir(outside).filePath(u"nothing"_s), at));
    } else if (kind == u"fifo"_s) {
        QCOMPARE(::mkfifo(QFile::encodeName(at).constData(), 0600), 0);
    } else if (kind == u"folder"_s) {
        QVERIFY(QDir(folder).mkdir(u"state"_s));
    } else if (kind == u"oversized"_s) {
        QVERIFY(writeBytes(at, QByteArray(100 * 1024 + 1, 'x')));
    } else {
        QCOMPARE(kind, u"missing"_s);
    }
}

QStringList entries(const QString &folder)
{
    return QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

void addPlantedRows(bool writing)
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<StateFileProblem>("problem");
    QTest::newRow("regular") << u"regular"_s << StateFileProblem::None;
    QTest::newRow("missing") << u"missing"_s
                             << (writing ? StateFileProblem::None : StateFileProblem::Missing);
    QTest::newRow("link to file") << u"link to file"_s << StateFileProblem::Link;
    QTest::newRow("link to folder") << u"link to folder"_s << StateFileProblem::Link;
    QTest::newRow("dangling link") << u"dangling link"_s << StateFileProblem::Link;
    QTest::newRow("fifo") << u"fifo"_s << StateFileProblem::NotRegular;
    QTest::newRow("folder") << u"folder"_s << StateFileProblem::NotRegular;
    // A file of ours that grew far too big is replaced by the next write.
    QTest::newRow("oversized") << u"oversized"_s
                               << (writing ? StateFileProblem::None : StateFileProblem::TooLarge);
}

} // namespace

class TestStateFile : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void read_data() { addPlantedRows(false); }
    void read();
    void readAtTheLimit();
    void write_data() { addPlantedRows(true); }
    void write();
    void writeIntoUnwritableFolder();
    void check_data() { addPlantedRows(false); }
    void check();
    void folders_data();
    void folders();
};

void TestStateFile::read()
{
    QFETCH(QString, kind);
    QFETCH(StateFileProblem, problem);
    QTemporaryDir folder, outside;
    plant(kind, folder.path(), outside.path());
    // A pipe with no writer would block a plain open: this one must not.
    const StateFileRead read = readStateFile(folder.filePath(u"state"_s), 100 * 1024);
    QCOMPARE(read.problem, problem);
    QCOMPARE(read.bytes,
             problem == StateFileProblem::None ? QByteArray("old line\n") : QByteArray());
    QCOMPARE(readBytes(outside.filePath(u"victim"_s)), QByteArray("victim"));
}

void TestStateFile::readAtTheLimit()
{
    QTemporaryDir folder;
    const QString path = folder.filePath(u"state"_s);
    QVERIFY(writeBytes(path, "12345"));
    QCOMPARE(readStateFile(path, 5).bytes, QByteArray("12345"));
    QCOMPARE(readStateFile(path, 4).problem, StateFileProblem::TooLarge);
    QVERIFY(writeBytes(path, {}));
    QCOMPARE(readStateFile(path, 5).problem, StateFileProblem::None);
}

void TestStateFile::write()
{
    QFETCH(QString, kind);
    QFETCH(StateFileProblem, problem);
    QTemporaryDir folder, outside;
    plant(kind, folder.path(), outside.path());
    const QString path = folder.filePath(u"state"_s);
    const QStringList before = entries(folder.path());
    const QStringList outsideBefore = entries(outside.path());

    QCOMPARE(writeStateFile(path, "new line\n"), problem);
    QCOMPARE(readBytes(outside.filePath(u"victim"_s)), QByteArray("victim"));
    QCOMPARE(entries(outside.path()), outsideBefore);
    QCOMPARE(entries(outside.filePath(u"victimFolder"_s)), QStringList());
    if (problem == StateFileProblem::None) {
        QCOMPARE(readBytes(path), QByteArray("new line\n"));
        QCOMPARE(entries(folder.path()), QStringList{u"state"_s});
        struct stat status;
        QCOMPARE(::stat(QFile::encodeName(path).constData(), &status), 0);
        QCOMPARE(status.st_mode & 0777, mode_t(0600));
    } else {
        // Refused: what was planted is still there, as it was, and alone.
        QCOMPARE(entries(folder.path()), before);
        QVERIFY(QFileInfo(path).isSymLink() || kind == u"fifo"_s || kind == u"folder"_s);
    }
}

void TestStateFile::writeIntoUnwritableFolder()
{
    QTemporaryDir folder;
    const QString path = folder.filePath(u"state"_s);
    QVERIFY(writeBytes(path, "old"));
    QVERIFY(QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::ExeOwner |
                                                     QFile::ReadOther | QFile::ExeOther));
    const bool asRoot = ::geteuid() == 0;
    if (asRoot)
        QCOMPARE(::seteuid(65534), 0);
    QString error;
    const StateFileProblem problem = writeStateFile(path, "new", &error);
    if (asRoot)
        QCOMPARE(::seteuid(0), 0);
    QVERIFY(QFile::setPermissions(folder.path(),
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    QCOMPARE(problem, StateFileProblem::Failed);
    QVERIFY(!error.isEmpty());
    QCOMPARE(readBytes(path), QByteArray("old"));
    QCOMPARE(entries(folder.path()), QStringList{u"state"_s});
}

void TestStateFile::check()
{
    QFETCH(QString, kind);
    QFETCH(StateFileProblem, problem);
    QTemporaryDir folder, outside;
    plant(kind, folder.path(), outside.path());
    QCOMPARE(checkStateFile(folder.filePath(u"state"_s), 100 * 1024), problem);
}

void TestStateFile::folders_data()
{
    QTest::addColumn<QString>("planted"); // at "archives" under the base
    QTest::addColumn<bool>("ok");
    QTest::newRow("nothing yet") << QString() << true;
    QTest::newRow("own folder") << u"folder"_s << true;
    QTest::newRow("link to a folder") << u"link"_s << false;
    QTest::newRow("a file") << u"file"_s << false;
    QTest::newRow("another user's folder") << u"foreign"_s << false;
}

void TestStateFile::folders()
{
    QFETCH(QString, planted);
    QFETCH(bool, ok);
    QTemporaryDir top, outside;
    const QString base = top.filePath(u"data"_s);
    const QString archives = QDir(base).filePath(u"archives"_s);
    if (!planted.isEmpty())
        QVERIFY(QDir().mkpath(base));
    if (planted == u"folder"_s) {
        QVERIFY(QDir().mkpath(archives));
    } else if (planted == u"link"_s) {
        QVERIFY(QFile::link(outside.path(), archives));
    } else if (planted == u"file"_s) {
        QVERIFY(writeBytes(archives, "x"));
    } else if (planted == u"foreign"_s) {
        if (::geteuid() != 0)
            QSKIP("giving a folder to another user needs root");
        QVERIFY(QDir().mkpath(archives));
        QCOMPARE(::chown(QFile::encodeName(archives).constData(), 65534, 65534), 0);
    }
    QString error;
    QCOMPARE(ensureStateFolder(base, u"archives/list-1a2b"_s, &error), ok);
    QCOMPARE(error.isEmpty(), ok);
    QCOMPARE(entries(outside.path()), QStringList());
    if (ok) {
        const QString leaf = QDir(archives).filePath(u"list-1a2b"_s);
        QVERIFY(QFileInfo(leaf).isDir());
        struct stat status;
        QCOMPARE(::stat(QFile::encodeName(leaf).constData(), &status), 0);
        QCOMPARE(status.st_mode & 0777, mode_t(0700));
    }
    // The base alone, and names that would climb out of it.
    QVERIFY(ensureStateFolder(base, {}));
    QVERIFY(!ensureStateFolder(base, u"../elsewhere"_s));
    QVERIFY(!ensureStateFolder(QString(), {}));
}

QTEST_GUILESS_MAIN(TestStateFile)
#include "tst_statefile.moc"
