// The order of sibling folders in the folder tree: natural, case-insensitive,
// ties by code units, whether the names are ASCII or not, and one collation
// key a name however wide the folder.

#include "listfile/FolderTree.h"
#include "listfile/NaturalOrder.h"

#include <QCollator>
#include <QTest>

#include <algorithm>
#include <bit>

using namespace Qt::Literals::StringLiterals;
using namespace corvane;

namespace {

QByteArray encoded(const QString &name, ListEncoding encoding)
{
    return encoding == ListEncoding::Utf8 ? name.toUtf8() : encodeListText(name, encoding);
}

// The children of "Root" for folders named names (each a list's bytes),
// built as the loader builds them, one line each.
QStringList siblings(const QList<QByteArray> &names, ListEncoding encoding, const QLocale &locale)
{
    QByteArray source;
    QList<qsizetype> starts;
    for (const QByteArray &name : names) {
        starts.append(source.size());
        source += "Data\\" + name + "\\file.txt";
    }
    FolderTreeBuilder builder(source, encoding);
    for (qsizetype i = 0; i < names.size(); ++i)
        builder.addFolderPath(QByteArrayView(source.constData() + starts[i], names[i].size() + 6));
    const FolderTree tree = builder.finish(locale);
    QStringList out;
    for (int r = 0; r < (tree.isEmpty() ? 0 : tree.item(0).childCount); ++r)
        out.append(tree.text(tree.child(0, r)));
    return out;
}

// The order the tree has always had: the collator compares each pair
// (numeric, case-insensitive), equal pairs by their code units.
QStringList collatorSorted(QStringList names, const QLocale &locale)
{
    QCollator collator(locale);
    collator.setNumericMode(true);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    collator.setIgnorePunctuation(false);
    std::stable_sort(names.begin(), names.end(), [&](const QString &a, const QString &b) {
        const int c = collator.compare(a, b);
        return c != 0 ? c < 0 : a < b;
    });
    return names;
}

// Distinct names: a word, mixed case, a number, now and then an accented
// letter (one name in accentEvery, 0: never); with marks, also names that
// only UTF-8 holds (a combining accent, other digits after ASCII ones).
QStringList generatedNames(int count, int accentEvery, bool marks = false)
{
    const QStringList words = {u"Fotos"_s,  u"fotos"_s, u"IMG_"_s,    u"Docs"_s, u"docs"_s,
                               u"Backup"_s, u"a-b"_s,   u"A b"_s,     u"x_y"_s,  u"Mail ("_s,
                               u"~tmp"_s,   u"2019"_s,  u"Projekt"_s, u"zz"_s};
    const QStringList accented = {u"\u00c9t\u00e9"_s,   u"M\u00fcller"_s,     u"Stra\u00dfe"_s,
                                  u"\u00c5r"_s,         u"\u20acuro"_s,       u"\u0160ef"_s,
                                  u"\u0152uvre"_s,      u"na\u00efve"_s,      u"Strasse"_s,
                                  u"Fotos \u00e6ble"_s, u"Fotos caf\u00e9"_s, u"Fotos Cafe"_s};
    const QStringList marked = {u"e\u0301te"_s, u"Fotos e\u0301"_s, u"12\u0663"_s, u"IMG_\u0663"_s,
                                u"Docs \u65e5"_s};
    quint32 seed = 7;
    auto next = [&seed] {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) & 0x7fff;
    };
    QStringList names;
    for (int i = 0; i < count; ++i) {
        const bool accent = accentEvery > 0 && i % accentEvery == 0;
        QString name = accent ? accented[qsizetype(next() % accented.size())]
                              : words[qsizetype(next() % words.size())];
        if (accent && marks && next() % 2)
            name = marked[qsizetype(next() % marked.size())];
        name += QString::number(i % 3 == 0 ? i : int(next() % 500));
        if (i % 7 == 0)
            name += u"0"_s + QString::number(i);
        if (next() % 2)
            name = name.toUpper();
        names.append(name + u' ' + QString::number(i));
    }
    return names;
}

} // namespace

class TestFolderTreeOrder : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cornerOrder_data();
    void cornerOrder();
    void wideFolderAsCollator_data();
    void wideFolderAsCollator();
    void oneKeyPerName_data();
    void oneKeyPerName();
    void findChildByText_data();
    void findChildByText();
};

void TestFolderTreeOrder::cornerOrder_data()
{
    QTest::addColumn<int>("encoding");
    QTest::addColumn<QStringList>("given");    // in the list's order
    QTest::addColumn<QStringList>("expected"); // in the tree's order

    const int cp = int(ListEncoding::Windows1252);
    const int utf8 = int(ListEncoding::Utf8);
    QTest::newRow("case only: upper case first")
        << cp << QStringList{u"docs"_s, u"DOCS"_s, u"Docs"_s}
        << QStringList{u"DOCS"_s, u"Docs"_s, u"docs"_s};
    QTest::newRow("numbers by value")
        << cp << QStringList{u"img10"_s, u"img9"_s, u"img100"_s, u"img1"_s}
        << QStringList{u"img1"_s, u"img9"_s, u"img10"_s, u"img100"_s};
    QTest::newRow("leading zeros: same key, code units decide")
        << cp << QStringList{u"f2"_s, u"f002"_s, u"f02"_s, u"f1"_s, u"f3"_s}
        << QStringList{u"f1"_s, u"f002"_s, u"f02"_s, u"f2"_s, u"f3"_s};
    QTest::newRow("case and number together")
        << cp << QStringList{u"img2"_s, u"IMG10"_s, u"Img2"_s, u"img10"_s}
        << QStringList{u"Img2"_s, u"img2"_s, u"IMG10"_s, u"img10"_s};
    QTest::newRow("punctuation and space count")
        << cp << QStringList{u"a_b"_s, u"ab"_s, u"a b"_s, u"a-b"_s, u"a.b"_s}
        << QStringList{u"a b"_s, u"a_b"_s, u"a-b"_s, u"a.b"_s, u"ab"_s};
    QTest::newRow("empty name first")
        << cp << QStringList{u"b"_s, QString(), u"a"_s} << QStringList{QString(), u"a"_s, u"b"_s};
    QTest::newRow("accents after the plain letter, before the next")
        << cp << QStringList{u"f"_s, u"\u00e9t\u00e9"_s, u"ete"_s, u"Ete"_s, u"\u00c9t\u00e9"_s}
        << QStringList{u"Ete"_s, u"ete"_s, u"\u00c9t\u00e9"_s, u"\u00e9t\u00e9"_s, u"f"_s};
    QTest::newRow("Windows-1252 high letters among ASCII")
        << cp << QStringList{u"T"_s, u"\u0160ef"_s, u"Sef"_s, u"\u0152uvre"_s, u"Oz"_s}
        << QStringList{u"\u0152uvre"_s, u"Oz"_s, u"Sef"_s, u"\u0160ef"_s, u"T"_s};
    QTest::newRow("UTF-8 names, a number after a non-ASCII letter")
        << utf8 << QStringList{u"\u00e410"_s, u"a2"_s, u"\u00e42"_s, u"\u65e5\u672c"_s, u"b"_s}
        << QStringList{u"a2"_s, u"\u00e42"_s, u"\u00e410"_s, u"b"_s, u"\u65e5\u672c"_s};
    QTest::newRow("digit run beyond the byte keys")
        << cp << QStringList{u"n"_s + QString(250, u'9'), u"n5"_s, u"N"_s + QString(250, u'9')}
        << QStringList{u"n5"_s, u"N"_s + QString(250, u'9'), u"n"_s + QString(250, u'9')};
}

void TestFolderTreeOrder::cornerOrder()
{
    QFETCH(int, encoding);
    QFETCH(QStringList, given);
    QFETCH(QStringList, expected);
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    const ListEncoding enc = ListEncoding(encoding);
    QList<QByteArray> names;
    for (const QString &name : given)
        names.append(encoded(name, enc));
    QCOMPARE(siblings(names, enc, english), expected);
    // The pinned order is the collator's own.
    QCOMPARE(collatorSorted(given, english), expected);
}

void TestFolderTreeOrder::wideFolderAsCollator_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<int>("accentEvery");
    QTest::addColumn<bool>("utf8"); // with names only UTF-8 holds
    for (const char *locale : {"en_US", "pt_PT", "de_DE", "fr_FR", "sv_SE", "nl_NL"}) {
        const QString l = QString::fromLatin1(locale);
        QTest::addRow("%s ascii", locale) << l << 0 << false;
        QTest::addRow("%s few accents", locale) << l << 300 << false;
        QTest::addRow("%s many accents", locale) << l << 4 << false;
        QTest::addRow("%s few marks, UTF-8", locale) << l << 300 << true;
        QTest::addRow("%s many marks, UTF-8", locale) << l << 3 << true;
    }
}

void TestFolderTreeOrder::wideFolderAsCollator()
{
    // A folder of many sub-folders (two threads make the keys) in every UI
    // language: the same order as the collator comparing each pair.
    QFETCH(QString, locale);
    QFETCH(int, accentEvery);
    QFETCH(bool, utf8);
    const ListEncoding encoding = utf8 ? ListEncoding::Utf8 : ListEncoding::Windows1252;
    const QStringList given = generatedNames(6000, accentEvery, utf8);
    QList<QByteArray> names;
    for (const QString &name : given)
        names.append(encoded(name, encoding));
    const QStringList tree = siblings(names, encoding, QLocale(locale));
    QCOMPARE(tree.size(), given.size());
    QCOMPARE(tree, collatorSorted(given, QLocale(locale)));
}

void TestFolderTreeOrder::oneKeyPerName_data()
{
    QTest::addColumn<int>("accentEvery");
    QTest::newRow("ascii") << 0;
    QTest::newRow("few accents") << 500;
    QTest::newRow("many accents") << 3;
}

void TestFolderTreeOrder::oneKeyPerName()
{
    // The sort makes one key a name; the few names placed among the byte
    // keys by the collator take a halving's comparisons each.
    QFETCH(int, accentEvery);
    const int count = 20000;
    const QStringList given = generatedNames(count, accentEvery);
    QList<QByteArray> names;
    for (const QString &name : given)
        names.append(encodeListText(name, ListEncoding::Windows1252));
    const qint64 accented = accentEvery > 0 ? (count + accentEvery - 1) / accentEvery : 0;
    const NaturalOrderCounts before = naturalOrderCounts();
    const QStringList tree = siblings(names, ListEncoding::Windows1252,
                                      QLocale(QLocale::English, QLocale::UnitedStates));
    const NaturalOrderCounts after = naturalOrderCounts();
    QCOMPARE(tree.size(), count);
    QCOMPARE(after.keys - before.keys, qint64(count));
    QVERIFY2(after.collatorComparisons - before.collatorComparisons <=
                 accented * (std::bit_width(unsigned(count)) + 1),
             qPrintable(QString::number(after.collatorComparisons - before.collatorComparisons)));
}

void TestFolderTreeOrder::findChildByText_data()
{
    QTest::addColumn<int>("encoding");
    QTest::addColumn<QByteArray>("bytes"); // the folder's name in the list
    QTest::addColumn<QString>("name");     // what is looked for
    QTest::addColumn<bool>("found");

    const int cp = int(ListEncoding::Windows1252);
    const int utf8 = int(ListEncoding::Utf8);
    QTest::newRow("ascii") << cp << "Docs"_ba << u"Docs"_s << true;
    QTest::newRow("ascii, other case") << cp << "Docs"_ba << u"docs"_s << false;
    QTest::newRow("Windows-1252 letter") << cp << "Caf\xe9"_ba << u"Caf\u00e9"_s << true;
    QTest::newRow("euro sign") << cp << "\x80uro"_ba << u"\u20acuro"_s << true;
    QTest::newRow("UTF-8 letter") << utf8 << "Caf\xc3\xa9"_ba << u"Caf\u00e9"_s << true;
    QTest::newRow("Windows-1252 bytes in a UTF-8 list")
        << utf8 << "Caf\xe9"_ba << u"Caf\u00e9"_s << true;
    QTest::newRow("no such name") << utf8 << "Caf\xe9"_ba << u"Cafe"_s << false;
}

void TestFolderTreeOrder::findChildByText()
{
    QFETCH(int, encoding);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, name);
    QFETCH(bool, found);
    const QByteArray source = "D\\Alpha\\f\nD\\" + bytes + "\\f\nD\\Zulu\\f\n";
    FolderTreeBuilder builder(source, ListEncoding(encoding));
    for (qsizetype at = 0; at < source.size();) {
        const qsizetype end = source.indexOf('\n', at);
        const QByteArrayView line(source.constData() + at, end - at);
        builder.addFolderPath(line.first(line.lastIndexOf('\\') + 1));
        at = end + 1;
    }
    const FolderTree tree = builder.finish(QLocale(QLocale::English, QLocale::UnitedStates));
    QCOMPARE(tree.count(), 4);
    const int child = tree.findChild(0, name);
    QCOMPARE(child >= 0, found);
    if (found) {
        QCOMPARE(tree.text(child), name);
        QCOMPARE(tree.findPath({name}), child);
    }
    QCOMPARE(tree.findChild(0, u"Zulu"_s), tree.child(0, 2));
}

QTEST_GUILESS_MAIN(TestFolderTreeOrder)
#include "tst_foldertreeorder.moc"
