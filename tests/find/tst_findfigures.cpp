// What the window shows of a find's matches: the folders' stretches of the
// store, the matches below every folder and the matches' statuses, checked
// against counting line by line, on small hand-made lists and generated ones.

#include "ListGenerator.h"
#include "browse/FolderListing.h"
#include "find/FindFigures.h"
#include "listfile/ListLine.h"
#include "listfile/ListLoader.h"

#include <QRandomGenerator>
#include <QTest>

#include <map>

using namespace corvane;
using namespace Qt::Literals::StringLiterals;

namespace {

LoadedList load(QByteArray bytes)
{
    ListBytes data;
    data.bytes = std::move(bytes);
    data.fileFound = true;
    LoadOptions options;
    options.collationLocale = QLocale(QLocale::English, QLocale::UnitedStates);
    options.folderTotals = true;
    return loadListBytes(std::move(data), options);
}

// Every n-th line of the store (from offset), or a random share.
FindMatches pick(const LoadedList &list, int every, int offset, int randomPercent = 0)
{
    FindMatches m;
    QRandomGenerator random(quint32(every * 131 + offset));
    for (qint32 i = 0; i < qint32(list.iGrid1.count()); ++i) {
        const bool take = randomPercent > 0 ? int(random.bounded(100)) < randomPercent
                                            : (every > 0 && i % every == offset);
        if (!take)
            continue;
        m.lines.push_back(i);
        const std::optional<ByteTotal> size = lineFields(list.iGrid1.line(i)).size;
        if (size)
            m.bytes.tryAdd(*size);
    }
    m.count = qint64(m.lines.size());
    return m;
}

// The same figures counted line by line: each status by its word.
std::map<QByteArray, std::pair<qint64, qint64>> byWordCounted(const LoadedList &list,
                                                              const FindMatches &m)
{
    std::map<QByteArray, std::pair<qint64, qint64>> out;
    auto add = [&](qint32 i) {
        const LineFields f = lineFields(list.iGrid1.line(i));
        auto &[lines, raw] = out[f.hasStatus ? f.status.toByteArray() : QByteArray("?")];
        ++lines;
        if (f.size)
            raw += f.size->raw();
    };
    if (m.all) {
        for (qint32 i = 0; i < qint32(list.iGrid1.count()); ++i)
            add(i);
    } else {
        for (const qint32 i : m.lines)
            add(i);
    }
    return out;
}

std::map<QByteArray, std::pair<qint64, qint64>>
byWordFigured(const LoadedList &list, const std::vector<StatusFigure> &figures)
{
    std::map<QByteArray, std::pair<qint64, qint64>> out;
    for (int s = 0; s < list.totals.statusCount(); ++s) {
        const FolderTotals::Status &status = list.totals.status(s);
        if (figures[size_t(s)].lines == 0)
            continue;
        const QByteArray word =
            status.kind == FolderTotals::StatusKind::Unknown ? QByteArray("?") : status.rawWord;
        out[word] = {figures[size_t(s)].lines, figures[size_t(s)].bytes.raw()};
    }
    return out;
}

} // namespace

class TestFindFigures : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void figures_data();
    void figures();
    void outsideTheRootPrefix();
    void stopped();
};

void TestFindFigures::figures_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("every");
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("randomPercent");
    QTest::addColumn<bool>("all");
    const QByteArray small = "D\\A\\B\\f1,d,10,32;7,OK\r\n"
                             "D\\A\\f2,d,20,32;7,Damaged\r\n"
                             "D\\A\\C\\f3,d,30,32;7,OK\r\n"
                             "D\\A-b\\f4,d,40,32;7,OK\r\n" // sorts between "A\" and "A\..."
                             "D\\top,d,50,32;7,Odd\r\n"
                             "D\\Z\\no-status,d,60\r\n"
                             "D\\Z\\Y\\f5,d,70,32;7,OK\r\n";
    QTest::newRow("small: every line") << small << 1 << 0 << 0 << false;
    QTest::newRow("small: all") << small << 1 << 0 << 0 << true;
    QTest::newRow("small: every other") << small << 2 << 1 << 0 << false;
    QTest::newRow("small: none") << small << 0 << 0 << 0 << false;
    listgen::GeneratorOptions options;
    options.lines = 30000;
    options.seed = 7;
    const QByteArray generated = listgen::generateListBytes(options);
    QTest::newRow("generated: 1 in 3") << generated << 3 << 2 << 0 << false;
    QTest::newRow("generated: 97 %") << generated << 0 << 0 << 97 << false;
    QTest::newRow("generated: 40 %") << generated << 0 << 0 << 40 << false;
    QTest::newRow("generated: 0.1 %") << generated << 1000 << 5 << 0 << false;
    QTest::newRow("generated: all") << generated << 1 << 0 << 0 << true;
    options.wide = true;
    options.lines = 20000;
    QTest::newRow("wide: 1 in 7") << listgen::generateListBytes(options) << 7 << 3 << 0 << false;
}

void TestFindFigures::figures()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, every);
    QFETCH(int, offset);
    QFETCH(int, randomPercent);
    QFETCH(bool, all);
    const LoadedList list = load(bytes);
    const QString prefix = list.rootPrefixAfter(QString());
    const FolderStretches stretches = FolderStretches::of(list, prefix);
    QCOMPARE(stretches.folderCount(), list.SftTree1.count());
    // Each stretch is the lines beginning with the folder's key.
    for (int item = 0; item < list.SftTree1.count(); ++item) {
        const FolderLines lines = FindFolderLines(list.iGrid1, folderKey(list, prefix, item));
        const auto [first, last] = stretches.stretch(item);
        if (lines.isEmpty())
            QCOMPARE(first, last);
        else
            QCOMPARE(std::make_pair(first, last),
                     std::make_pair(lines.FirstFolderLine, lines.LastFolderLine + 1));
    }
    FindMatches m = pick(list, every, offset, randomPercent);
    if (all) {
        m.all = true;
        m.lines.clear();
        m.count = list.iGrid1.count();
    }
    const std::vector<qint32> perItem = matchesPerItem(stretches, m);
    for (int item = 0; item < list.SftTree1.count(); ++item) {
        const auto [first, last] = stretches.stretch(item);
        qint32 counted = 0;
        for (qint32 i = first; i < last; ++i)
            counted += m.contains(i);
        QCOMPARE(perItem[size_t(item)], counted);
    }
    const std::vector<StatusFigure> figures = matchesPerStatusFigure(list, stretches, perItem, m);
    QCOMPARE(figures.size(), size_t(list.totals.statusCount()));
    // Every word past the named ones is one "other" status: compared by
    // sums where the list has more words than that.
    if (list.totals.distinctStatuses() <= FolderTotals::NamedStatuses) {
        QCOMPARE(byWordFigured(list, figures), byWordCounted(list, m));
    } else {
        qint64 lines = 0;
        for (const StatusFigure &f : figures)
            lines += f.lines;
        QCOMPARE(lines, m.count);
    }
}

// Lines outside the root prefix are in no folder's stretch.
void TestFindFigures::outsideTheRootPrefix()
{
    const LoadedList list =
        load("D\\A\\x,d,1,32;7,OK\r\nE\\B\\y,d,2,32;7,OK\r\nD\\z,d,3,32;7,OK\r\n");
    const QString prefix = list.rootPrefixAfter(QString());
    const FolderStretches stretches = FolderStretches::of(list, prefix);
    FindMatches m;
    m.all = true;
    m.count = list.iGrid1.count();
    const std::vector<qint32> perItem = matchesPerItem(stretches, m);
    qint32 inStretches = 0;
    for (qint32 i = 0; i < qint32(list.iGrid1.count()); ++i)
        inStretches += list.iGrid1.line(i).startsWith(folderKey(list, prefix, 0));
    QCOMPARE(perItem[0], inStretches);
}

void TestFindFigures::stopped()
{
    listgen::GeneratorOptions options;
    options.lines = 20000;
    const LoadedList list = load(listgen::generateListBytes(options));
    const std::atomic<bool> stop{true};
    QVERIFY(FolderStretches::of(list, list.rootPrefixAfter(QString()), &stop).isEmpty());
}

QTEST_GUILESS_MAIN(TestFindFigures)
#include "tst_findfigures.moc"
