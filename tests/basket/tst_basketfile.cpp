// The basket kept between sessions: what is saved comes back whole, a file
// that is not one as written is ignored with a reason, a list changed at its
// path is told, a failed save keeps the old file, and the fingerprint names a
// file by its bytes.

#include "basket/BasketFile.h"
#include "basket/ListFingerprint.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace corvane;
using namespace corvane::basket;
using namespace Qt::Literals::StringLiterals;

Q_DECLARE_METATYPE(corvane::basket::BasketSettings)

namespace {

const QString ShaA = QString(64, u'a');
const QString ShaB = QString(64, u'b');

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The basket the damage is done to: 1001 lines, [200, 500) and 700 chosen.
constexpr qsizetype SmallLines = 1001;
Basket smallBasket()
{
    Basket basket(SmallLines);
    basket.setRange(200, 500, true);
    basket.set(700, true);
    return basket;
}

QByteArray smallBasketFile()
{
    return basketFileBytes(ShaA, smallBasket(), {u"64 GB"_s, u"exFAT"_s, u"/home/c/restore.csv"_s});
}

// smallBasketFile() with its chosen lines written as given.
QByteArray withChosen(const QByteArray &lines)
{
    const QByteArray bytes = smallBasketFile();
    return bytes.left(bytes.indexOf("ranges\n")) + lines;
}

// The bitmap of smallBasket() as base64 with bytes of it (125 of 126 bits
// bytes, 127, ...) and the bits past the last line set or not.
QByteArray smallBitmap(qsizetype bytes, bool pastTheEnd = false)
{
    QByteArray bits(bytes, '\0');
    smallBasket().forEachChosen(
        [&bits](qsizetype i) { bits[i / 8] = char(bits[i / 8] | 1 << (i % 8)); });
    if (pastTheEnd)
        bits[125] = char(bits[125] | 0x02);
    return "bitmap " + bits.toBase64() + '\n';
}

} // namespace

class TestBasketFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void roundTrip_data();
    void roundTrip();
    void emptyBasketRemovesItsFile();
    void damaged_data();
    void damaged();
    void notAPlainFile_data();
    void notAPlainFile();
    void changedAtItsPath();
    void indexKeepsTheLatestPaths();
    void damagedIndex_data();
    void damagedIndex();
    void failedSaveKeepsTheOldBasket_data();
    void failedSaveKeepsTheOldBasket();
    void fingerprint_data();
    void fingerprint();
    void fingerprintFailures();

private:
    QTemporaryDir m_dir;
};

void TestBasketFile::roundTrip_data()
{
    QTest::addColumn<qsizetype>("lines");
    QTest::addColumn<QList<qsizetype>>("stretches"); // first, end, ...
    QTest::addColumn<bool>("alternate");             // every other line besides
    QTest::addColumn<BasketSettings>("settings");
    QTest::addColumn<QByteArray>("form");
    QTest::addColumn<qint64>("largestFile");

    const BasketSettings plain{u"1 TB"_s, u"NTFS"_s, u"/home/c/restore.csv"_s};
    QTest::newRow("one line of one") << qsizetype(1) << QList<qsizetype>{0, 1} << false << plain
                                     << QByteArray("ranges") << qint64(200);
    QTest::newRow("the last line") << qsizetype(100000) << QList<qsizetype>{99999, 100000} << false
                                   << plain << QByteArray("ranges") << qint64(250);
    QTest::newRow("all lines") << qsizetype(5000000) << QList<qsizetype>{0, 5000000} << false
                               << BasketSettings{} << QByteArray("ranges") << qint64(200);
    QTest::newRow("stretches across words")
        << qsizetype(1000) << QList<qsizetype>{0, 63, 64, 65, 127, 129, 500, 1000} << false << plain
        << QByteArray("ranges") << qint64(300);
    QTest::newRow("every other line of 5,000,000")
        << qsizetype(5000000) << QList<qsizetype>{} << true << plain << QByteArray("bitmap")
        << qint64(900000);
    QTest::newRow("every other line, a stretch as well")
        << qsizetype(1001) << QList<qsizetype>{900, 1001} << true << plain << QByteArray("bitmap")
        << qint64(500);
    const QString odd = u"a b\nc\r\t%25 %zz +;=&?#/\\ \"'\u00e4\u00df\u20ac\u2603 \U0001F600"_s;
    const QString longPath = u"/mnt/\u00dcbersicht "_s + QString(4000, u'x') + u"/r.csv"_s;
    QTest::newRow("odd characters and a long path")
        << qsizetype(3) << QList<qsizetype>{1, 2} << false << BasketSettings{odd, odd, longPath}
        << QByteArray("ranges") << qint64(16000);
    QTest::newRow("settings at their longest")
        << qsizetype(3) << QList<qsizetype>{1, 2} << false
        << BasketSettings{QString(MaxBasketSettingBytes, u'%'),
                          QString(MaxBasketSettingBytes / 2, u'\u00e4'),
                          QString(MaxBasketSettingBytes / 3, u'\u20ac')}
        << QByteArray("ranges") << qint64(150000);
}

void TestBasketFile::roundTrip()
{
    QFETCH(qsizetype, lines);
    QFETCH(QList<qsizetype>, stretches);
    QFETCH(bool, alternate);
    QFETCH(BasketSettings, settings);
    QFETCH(QByteArray, form);
    QFETCH(qint64, largestFile);

    Basket basket(lines);
    for (qsizetype i = 0; i + 1 < stretches.size(); i += 2)
        basket.setRange(stretches.at(i), stretches.at(i + 1), true);
    for (qsizetype i = 0; alternate && i < lines; i += 2)
        basket.set(i, true);
    const QString folder = m_dir.filePath(QString::fromLatin1(QTest::currentDataTag()));

    const BasketSaveResult saved = saveBasket(folder, ShaA, u"/lists/a.csv"_s, basket, settings);
    QVERIFY2(saved.ok, qPrintable(saved.error));
    const QByteArray bytes = fileBytes(basketFilePath(folder, ShaA));
    const QByteArray marker = '\n' + form;
    QVERIFY(bytes.contains(marker));
    QVERIFY2(bytes.size() <= largestFile, QByteArray::number(bytes.size()).constData());

    const BasketLoadResult loaded = loadBasket(folder, ShaA, lines);
    QCOMPARE(loaded.problem, BasketLoadProblem::None);
    QVERIFY(loaded.stored);
    QCOMPARE(loaded.stored->basket.count(), basket.count());
    QVERIFY(loaded.stored->basket == basket);
    QCOMPARE(loaded.stored->settings.capacityText, settings.capacityText);
    QCOMPARE(loaded.stored->settings.fileSystem, settings.fileSystem);
    QCOMPARE(loaded.stored->settings.restoreListPath, settings.restoreListPath);
}

void TestBasketFile::emptyBasketRemovesItsFile()
{
    const QString folder = m_dir.filePath(u"empty"_s);
    Basket basket(10);
    basket.set(3, true);
    QVERIFY(saveBasket(folder, ShaA, u"/l.csv"_s, basket, {}).ok);
    QVERIFY(QFile::exists(basketFilePath(folder, ShaA)));
    basket.clear();
    const BasketSaveResult saved =
        saveBasket(folder, ShaA, u"/l.csv"_s, basket, {u"1 TB"_s, {}, {}});
    QVERIFY2(saved.ok, qPrintable(saved.error));
    QVERIFY(!QFile::exists(basketFilePath(folder, ShaA)));
    QCOMPARE(loadBasket(folder, ShaA, 10).problem, BasketLoadProblem::NotSaved);
    // Saving an empty basket that was never kept is no failure either.
    QVERIFY(saveBasket(folder, ShaB, u"/m.csv"_s, Basket(4), {}).ok);
}

void TestBasketFile::damaged_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<BasketLoadProblem>("problem");
    const QByteArray good = smallBasketFile();
    auto replaced = [&good](QByteArrayView from, QByteArrayView to) {
        QByteArray bytes = good;
        return bytes.replace(from, to);
    };
    const auto None = BasketLoadProblem::None;
    const auto Damaged = BasketLoadProblem::Damaged;
    const auto OtherList = BasketLoadProblem::OtherList;

    QTest::newRow("as saved") << good << None;
    QTest::newRow("empty") << QByteArray() << Damaged;
    QTest::newRow("header only") << QByteArray("corvane-basket 1\n") << Damaged;
    QTest::newRow("another version") << replaced("corvane-basket 1", "corvane-basket 2") << Damaged;
    QTest::newRow("another format") << QByteArray("PK\x03\x04 zip bytes\n") << Damaged;
    QTest::newRow("binary") << QByteArray("\x00\xff\n\x00\n", 5) << Damaged;
    QTest::newRow("cut in the middle") << good.left(good.size() / 2) << Damaged;
    QTest::newRow("cut before end") << good.left(good.size() - 4) << Damaged;
    QTest::newRow("cut before the last line end") << good.chopped(1) << Damaged;
    QTest::newRow("more after end") << good + "2 3\n" << Damaged;
    QTest::newRow("CR LF line ends") << replaced("\n", "\r\n") << Damaged;
    QTest::newRow("NUL in a line")
        << replaced("lines 1001", QByteArray("lines 100\0001", 11)) << Damaged;
    QTest::newRow("upper-case SHA-256")
        << replaced(ShaA.toLatin1(), ShaA.toUpper().toLatin1()) << Damaged;
    QTest::newRow("short SHA-256") << replaced("aaaaaaaaaa\n", "aaaaaaaaa\n") << Damaged;
    QTest::newRow("line count not a number") << replaced("lines 1001", "lines 1001a") << Damaged;
    QTest::newRow("line count signed") << replaced("lines 1001", "lines +1001") << Damaged;
    QTest::newRow("line count missing") << replaced("lines 1001\n", "") << Damaged;
    QTest::newRow("wrong count of chosen") << replaced("chosen 301", "chosen 300") << Damaged;
    QTest::newRow("count of chosen with a space")
        << replaced("chosen 301", "chosen  301") << Damaged;
    QTest::newRow("settings swapped") << replaced("capacity", "filesystem") << Damaged;
    QTest::newRow("setting not encoded") << replaced("64%20GB", "64 GB") << Damaged;
    QTest::newRow("setting cut escape") << replaced("exFAT", "exFAT%2") << Damaged;
    QTest::newRow("setting bad escape") << replaced("exFAT", "exFAT%G1") << Damaged;
    QTest::newRow("setting not UTF-8") << replaced("exFAT", "ex%FFFAT") << Damaged;
    QTest::newRow("setting line missing") << replaced("filesystem exFAT\n", "") << Damaged;
    QTest::newRow("no chosen lines") << withChosen("end\n") << Damaged;
    QTest::newRow("unknown form") << replaced("ranges\n", "runs\n") << Damaged;
    QTest::newRow("stretches that touch")
        << withChosen("ranges\n200 300\n300 500\n700 701\nend\n") << None;
    QTest::newRow("range past the lines")
        << withChosen("ranges\n200 500\n700 1002\nend\n") << Damaged;
    QTest::newRow("range far past the lines")
        << withChosen("ranges\n200 500\n700 99999999999999999999\nend\n") << Damaged;
    QTest::newRow("range reversed") << withChosen("ranges\n500 200\n700 701\nend\n") << Damaged;
    QTest::newRow("range empty") << withChosen("ranges\n200 500\n600 600\n700 701\nend\n")
                                 << Damaged;
    QTest::newRow("ranges overlap") << withChosen("ranges\n200 500\n499 701\nend\n") << Damaged;
    QTest::newRow("ranges out of order")
        << withChosen("ranges\n700 701\n200 500\nend\n") << Damaged;
    QTest::newRow("range negative") << withChosen("ranges\n-1 500\n700 701\nend\n") << Damaged;
    QTest::newRow("range leading zero")
        << withChosen("ranges\n0200 500\n700 701\nend\n") << Damaged;
    QTest::newRow("range one number") << withChosen("ranges\n200 500\n700\nend\n") << Damaged;
    QTest::newRow("range three numbers") << withChosen("ranges\n200 500 700\nend\n") << Damaged;
    QTest::newRow("range two spaces") << withChosen("ranges\n200  500\n700 701\nend\n") << Damaged;
    QTest::newRow("ranges without end") << withChosen("ranges\n200 500\n700 701\n") << Damaged;
    QTest::newRow("bitmap") << withChosen(smallBitmap(126) + "end\n") << None;
    QTest::newRow("bitmap too short") << withChosen(smallBitmap(125) + "end\n") << Damaged;
    QTest::newRow("bitmap too long") << withChosen(smallBitmap(127) + "end\n") << Damaged;
    QByteArray sameLength = smallBitmap(126);
    sameLength.replace(sameLength.size() - 5, 4, "AA==");
    QTest::newRow("bitmap of the same length, fewer bytes")
        << withChosen(sameLength + "end\n") << Damaged;
    QByteArray notBase64 = smallBitmap(126);
    notBase64[20] = '*';
    QTest::newRow("bitmap not base64") << withChosen(notBase64 + "end\n") << Damaged;
    QTest::newRow("bitmap past the last line")
        << withChosen(smallBitmap(126, true) + "end\n") << Damaged;
    QTest::newRow("bitmap without end") << withChosen(smallBitmap(126)) << Damaged;
    QTest::newRow("another list") << replaced("sha256 aaaa", "sha256 baaa") << OtherList;
    QTest::newRow("another line count") << replaced("lines 1001", "lines 1000") << OtherList;
}

void TestBasketFile::damaged()
{
    QFETCH(QByteArray, bytes);
    QFETCH(BasketLoadProblem, problem);
    const QString folder = m_dir.filePath(u"damaged"_s);
    QVERIFY(QDir().mkpath(folder + u"/baskets"_s));
    QVERIFY(writeFile(basketFilePath(folder, ShaA), bytes));

    const BasketLoadResult loaded = loadBasket(folder, ShaA, SmallLines);
    QCOMPARE(loaded.problem, problem);
    QCOMPARE(loaded.stored.has_value(), problem == BasketLoadProblem::None);
    if (loaded.stored)
        QVERIFY(loaded.stored->basket == smallBasket());
    else
        QVERIFY(!loaded.detail.isEmpty());
}

void TestBasketFile::notAPlainFile_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<StateFileProblem>("fileProblem");
    QTest::newRow("link to a good basket") << u"link"_s << StateFileProblem::Link;
    QTest::newRow("folder") << u"folder"_s << StateFileProblem::NotRegular;
    QTest::newRow("fifo") << u"fifo"_s << StateFileProblem::NotRegular;
    QTest::newRow("far too large") << u"large"_s << StateFileProblem::TooLarge;
}

void TestBasketFile::notAPlainFile()
{
    QFETCH(QString, kind);
    QFETCH(StateFileProblem, fileProblem);
    const QString folder = m_dir.filePath(u"odd-"_s + kind);
    QVERIFY(QDir().mkpath(folder + u"/baskets"_s));
    const QString path = basketFilePath(folder, ShaA);
    const QByteArray name = QFile::encodeName(path);
    if (kind == u"link") {
        QVERIFY(writeFile(folder + u"/elsewhere"_s, smallBasketFile()));
        QVERIFY(QFile::link(folder + u"/elsewhere"_s, path));
    } else if (kind == u"folder") {
        QVERIFY(QDir().mkpath(path));
    } else if (kind == u"fifo") {
        QCOMPARE(::mkfifo(name.constData(), 0600), 0);
    } else {
        QVERIFY(writeFile(path, smallBasketFile() + QByteArray(1 << 20, 'x')));
    }
    const BasketLoadResult loaded = loadBasket(folder, ShaA, SmallLines);
    QCOMPARE(loaded.problem, BasketLoadProblem::Damaged);
    QCOMPARE(loaded.fileProblem, fileProblem);
    QVERIFY(!loaded.stored);
    QVERIFY(!loaded.detail.isEmpty());
    // Never written through either.
    Basket basket(10);
    basket.set(1, true);
    const BasketSaveResult saved = saveBasket(folder, ShaA, u"/l.csv"_s, basket, {});
    if (kind == u"large") {
        QVERIFY(saved.ok); // a plain file of ours is replaced
    } else {
        QVERIFY(!saved.ok);
        QVERIFY(saved.error.contains(QDir::toNativeSeparators(path)));
    }
    if (kind == u"link")
        QCOMPARE(fileBytes(folder + u"/elsewhere"_s), smallBasketFile());
}

void TestBasketFile::changedAtItsPath()
{
    const QString folder = m_dir.filePath(u"changed"_s);
    Basket basket(10);
    basket.set(3, true);
    QVERIFY(!changedSinceSaved(folder, u"/lists/p.csv"_s, ShaB)); // nothing saved yet
    QVERIFY(saveBasket(folder, ShaA, u"/lists/p.csv"_s, basket, {}).ok);
    QVERIFY(!changedSinceSaved(folder, u"/lists/p.csv"_s, ShaA));
    QVERIFY(changedSinceSaved(folder, u"/lists/p.csv"_s, ShaB));
    QVERIFY(changedSinceSaved(folder, u"/lists/./x/../p.csv"_s, ShaB)); // the same path
    QVERIFY(!changedSinceSaved(folder, u"/lists/q.csv"_s, ShaB));       // another path

    // The same bytes at another path, its basket emptied there: nothing was
    // lost at the first path either.
    QVERIFY(saveBasket(folder, ShaA, u"/copies/p.csv"_s, Basket(10), {}).ok);
    QVERIFY(!changedSinceSaved(folder, u"/lists/p.csv"_s, ShaB));

    // Emptied at its own path: forgotten there.
    QVERIFY(saveBasket(folder, ShaA, u"/lists/p.csv"_s, basket, {}).ok);
    QVERIFY(changedSinceSaved(folder, u"/lists/p.csv"_s, ShaB));
    QVERIFY(saveBasket(folder, ShaA, u"/lists/p.csv"_s, Basket(10), {}).ok);
    QVERIFY(!changedSinceSaved(folder, u"/lists/p.csv"_s, ShaB));
}

void TestBasketFile::indexKeepsTheLatestPaths()
{
    const QString folder = m_dir.filePath(u"bounded"_s);
    Basket basket(10);
    basket.set(3, true);
    const int paths = BasketIndexPaths + 5;
    for (int i = 0; i < paths; ++i)
        QVERIFY(saveBasket(folder, ShaA, u"/lists/%1.csv"_s.arg(i), basket, {}).ok);
    for (int i = 0; i < paths; ++i)
        QCOMPARE(changedSinceSaved(folder, u"/lists/%1.csv"_s.arg(i), ShaB), i >= 5);
}

void TestBasketFile::damagedIndex_data()
{
    QTest::addColumn<QByteArray>("index");
    const QByteArray good = "corvane-basket-paths 1\n" + ShaA.toLatin1() + " %2Flists%2Fp.csv\n";
    QTest::newRow("good") << good;
    QTest::newRow("another version") << QByteArray(good).replace("paths 1", "paths 2");
    QTest::newRow("cut") << good.chopped(3);
    QTest::newRow("bad SHA-256") << QByteArray(good).replace("aaaa", "aaaz");
    QTest::newRow("no path") << "corvane-basket-paths 1\n" + ShaA.toLatin1() + " \n";
    QTest::newRow("path not encoded") << QByteArray(good).replace("%2Flists%2F", "/lists/");
    QTest::newRow("binary") << QByteArray("\xff\x00\n\n", 4);
    QByteArray tooMany = "corvane-basket-paths 1\n";
    for (int i = 0; i <= BasketIndexPaths; ++i)
        tooMany += ShaA.toLatin1() + " %2Fx" + QByteArray::number(i) + '\n';
    QTest::newRow("too many paths") << tooMany + good.sliced(good.indexOf('\n') + 1);
}

void TestBasketFile::damagedIndex()
{
    QFETCH(QByteArray, index);
    const QString folder =
        m_dir.filePath(u"index-"_s + QString::fromLatin1(QTest::currentDataTag()));
    Basket basket(10);
    basket.set(3, true);
    QVERIFY(saveBasket(folder, ShaA, u"/other.csv"_s, basket, {}).ok);
    const QString indexPath = folder + u"/baskets/paths.index"_s;
    QVERIFY(writeFile(indexPath, index));
    const bool good = QByteArrayView(QTest::currentDataTag()) == "good";
    QCOMPARE(changedSinceSaved(folder, u"/lists/p.csv"_s, ShaB), good);
    QVERIFY(!changedSinceSaved(folder, u"/other.csv"_s, ShaB)); // forgotten with the damage
    // The next save writes it afresh.
    QVERIFY(saveBasket(folder, ShaA, u"/lists/q.csv"_s, basket, {}).ok);
    QVERIFY(changedSinceSaved(folder, u"/lists/q.csv"_s, ShaB));
    QCOMPARE(changedSinceSaved(folder, u"/lists/p.csv"_s, ShaB), good);
}

void TestBasketFile::failedSaveKeepsTheOldBasket_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("read-only folder") << u"read-only"_s;
    QTest::newRow("no room for the file") << u"file size limit"_s;
    QTest::newRow("baskets is a file") << u"not a folder"_s;
}

void TestBasketFile::failedSaveKeepsTheOldBasket()
{
    QFETCH(QString, how);
    const QString folder = m_dir.filePath(u"failed-"_s + how);
    const qsizetype lines = 100000;
    Basket old(lines);
    old.setRange(10, 20, true);
    Basket wider(lines);
    for (qsizetype i = 0; i < lines; i += 2)
        wider.set(i, true);
    const BasketSettings settings{u"2 TB"_s, u"ext4"_s, {}};
    if (how == u"not a folder") {
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(writeFile(folder + u"/baskets"_s, "x"));
    } else {
        QVERIFY(saveBasket(folder, ShaA, u"/l.csv"_s, old, settings).ok);
    }

    const QByteArray baskets = QFile::encodeName(folder + u"/baskets"_s);
    BasketSaveResult saved;
    if (how == u"read-only") {
        if (::geteuid() == 0)
            QSKIP("a folder's mode does not stop root");
        QCOMPARE(::chmod(baskets.constData(), 0500), 0);
        saved = saveBasket(folder, ShaA, u"/l.csv"_s, wider, {});
        QCOMPARE(::chmod(baskets.constData(), 0700), 0);
    } else if (how == u"file size limit") {
        // What a full disk does to a write, for root as well.
        struct rlimit before;
        QCOMPARE(::getrlimit(RLIMIT_FSIZE, &before), 0);
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit small = before;
        small.rlim_cur = 4096;
        QCOMPARE(::setrlimit(RLIMIT_FSIZE, &small), 0);
        saved = saveBasket(folder, ShaA, u"/l.csv"_s, wider, {});
        ::setrlimit(RLIMIT_FSIZE, &before);
        std::signal(SIGXFSZ, oldHandler);
    } else {
        saved = saveBasket(folder, ShaA, u"/l.csv"_s, wider, {});
    }
    QVERIFY(!saved.ok);
    QVERIFY2(saved.error.contains(QDir::toNativeSeparators(folder)), qPrintable(saved.error));
    if (how == u"not a folder")
        return;
    const BasketLoadResult loaded = loadBasket(folder, ShaA, lines);
    QCOMPARE(loaded.problem, BasketLoadProblem::None);
    QVERIFY(loaded.stored->basket == old);
    QCOMPARE(loaded.stored->settings, settings);
    QCOMPARE(QDir(folder + u"/baskets"_s).entryList(QDir::Files | QDir::Hidden).size(), 2);
}

void TestBasketFile::fingerprint_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("sha256");
    QTest::addColumn<int>("blocks");
    QTest::newRow("empty") << QByteArray()
                           << u"e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"_s
                           << 0;
    QTest::newRow("abc") << QByteArray("abc")
                         << u"ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"_s
                         << 1;
    QByteArray big(3 * FingerprintBlockBytes + 5, Qt::Uninitialized);
    for (qsizetype i = 0; i < big.size(); ++i)
        big[i] = char((i * 7 + 3) % 251);
    QTest::newRow("three blocks and a bit")
        << big << u"3e15fcba816eb2091bac2e2bd8a58ff56345daa9d4c8112777c9fbfae3257799"_s << 4;
}

void TestBasketFile::fingerprint()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, sha256);
    QFETCH(int, blocks);
    const QString path = m_dir.filePath(u"fingerprint.csv"_s);
    QVERIFY(writeFile(path, bytes));
    QList<qint64> done;
    const ListFingerprint print = listFingerprint(path, nullptr, [&](qint64 d, qint64 total) {
        QCOMPARE(total, qint64(bytes.size()));
        done.append(d);
    });
    QVERIFY2(print.ok(), qPrintable(print.error));
    QCOMPARE(print.sha256, sha256);
    QVERIFY(isSha256Hex(print.sha256));
    QCOMPARE(done.size(), blocks);
    if (blocks > 0)
        QCOMPARE(done.last(), qint64(bytes.size()));
}

void TestBasketFile::fingerprintFailures()
{
    const QString path = m_dir.filePath(u"stopped.csv"_s);
    QVERIFY(writeFile(path, QByteArray(3 * FingerprintBlockBytes, 'x')));
    std::atomic<bool> stop{true};
    ListFingerprint print = listFingerprint(path, &stop);
    QCOMPARE(print.failure, ListFingerprint::Failure::Stopped);
    QVERIFY(print.sha256.isEmpty());
    QVERIFY(!print.error.isEmpty());

    // Stopped after the first block.
    stop = false;
    int calls = 0;
    print = listFingerprint(path, &stop, [&](qint64, qint64) {
        ++calls;
        stop = true;
    });
    QCOMPARE(print.failure, ListFingerprint::Failure::Stopped);
    QCOMPARE(calls, 1);

    print = listFingerprint(m_dir.filePath(u"not-there.csv"_s));
    QCOMPARE(print.failure, ListFingerprint::Failure::Missing);
    QVERIFY(!print.error.isEmpty());
    print = listFingerprint(m_dir.path());
    QCOMPARE(print.failure, ListFingerprint::Failure::Unreadable);
    QVERIFY(!print.error.isEmpty());
    const QString fifo = m_dir.filePath(u"fifo.csv"_s);
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    print = listFingerprint(fifo); // refused, never waited on
    QCOMPARE(print.failure, ListFingerprint::Failure::Unreadable);
}

QTEST_GUILESS_MAIN(TestBasketFile)
#include "tst_basketfile.moc"
