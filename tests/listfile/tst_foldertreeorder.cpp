// The order of sibling folders in the folder tree: natural, case-insensitive,
// ties by code units, whether the names are ASCII or not, and one collation
// key a name however wide the folder.

#include "listfile/FolderTree.h"
#include "listfile/NaturalOrder.h"

#include <QCollator>
#include <QSet>
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

// Names of every kind the collator weighs in its own way: digit runs (with
// leading zeros, long ones, other scripts' digits), both cases, precomposed
// and combining accents, ligatures, letters of other scripts, characters
// outside the BMP, ignorable ones, punctuation; some names repeated or
// equal but for case, now and then an empty one. None holds "\".
QStringList variedNames(int count, quint32 seed)
{
    const QStringList pieces = {
        u"a"_s,       u"A"_s,          u"b"_s,          u"Z"_s,      u"x"_s,      u" "_s,
        u"."_s,       u"_"_s,          u"-"_s,          u"("_s,      u"~"_s,      u"'"_s,
        u"!"_s,       u"+"_s,          u","_s,          u"\u00e9"_s, u"\u00c9"_s, u"e\u0301"_s,
        u"E\u0301"_s, u"\u00fc"_s,     u"u\u0308"_s,    u"\u00e5"_s, u"\u00c5"_s, u"\u00f8"_s,
        u"\u00e6"_s,  u"ae"_s,         u"\u0153"_s,     u"oe"_s,     u"\u00df"_s, u"ss"_s,
        u"\u1e9e"_s,  u"\u0131"_s,     u"\u0130"_s,     u"\u00e7"_s, u"\u00f1"_s, u"\ufb01"_s,
        u"fi"_s,      u"\u03b1"_s,     u"\u0392"_s,     u"\u0436"_s, u"\u0416"_s, u"\u65e5"_s,
        u"\u672c"_s,  u"\U0001F600"_s, u"\U0001D400"_s, u"\u00ad"_s, u"\u200d"_s, u"\u0001"_s,
        u"\u00b2"_s,  u"\u00bd"_s,     u"\u20ac"_s,     u"\u0160"_s, u"ij"_s,     u"\u0133"_s};
    quint32 state = seed;
    auto next = [&state] {
        state = state * 1103515245u + 12345u;
        return (state >> 16) & 0x7fff;
    };
    auto digits = [&](char16_t zero, int length) {
        QString run;
        for (int k = 0; k < length; ++k)
            run += QChar(char16_t(zero + next() % 10));
        return run;
    };
    QStringList names;
    for (int i = 0; i < count; ++i) {
        const quint32 kind = next() % 20;
        if (kind == 0 && !names.isEmpty()) {
            names.append(names[qsizetype(next()) % names.size()]); // the same again
            continue;
        }
        if (kind == 1 && !names.isEmpty()) {
            const QString &earlier = names[qsizetype(next()) % names.size()];
            names.append(next() % 2 ? earlier.toUpper() : earlier.toLower());
            continue;
        }
        if (kind == 2 && next() % 8 == 0) {
            names.append(QString());
            continue;
        }
        QString name;
        const int parts = 1 + int(next() % 6);
        for (int k = 0; k < parts; ++k) {
            const quint32 what = next() % 10;
            if (what < 3)
                name += digits(u'0', 1 + int(next() % (what == 0 ? 4 : 12)));
            else if (what == 3)
                name += QString(int(next() % 4), u'0') + digits(u'0', 1 + int(next() % 3));
            else if (what == 4 && next() % 16 == 0)
                name += digits(u'0', 190 + int(next() % 30)); // past any fixed width
            else if (what == 4)
                name += digits(next() % 2 ? u'\u0660' : u'\uff10', 1 + int(next() % 3));
            else
                name += pieces[qsizetype(next()) % pieces.size()];
        }
        names.append(name);
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
    void keysAsCollator_data();
    void keysAsCollator();
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

void TestFolderTreeOrder::keysAsCollator_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<int>("count");
    QTest::addColumn<quint32>("seed");
    for (const char *locale : {"en_US", "pt_PT", "de_DE", "fr_FR", "sv_SE", "nl_NL"}) {
        const QString l = QString::fromLatin1(locale);
        QTest::addRow("%s few", locale) << l << 300 << 11u;
        QTest::addRow("%s wide", locale) << l << 6000 << 12u;
    }
    // Past the size from which the keys are sorted on two threads.
    QTest::addRow("en_US very wide") << u"en_US"_s << 70000 << 13u;
    QTest::addRow("sv_SE very wide") << u"sv_SE"_s << 70000 << 14u;
}

// The order of QCollator's own keys (QCollatorSortKey), ties by the code
// units. Not quite the collator's compare(): in Swedish it puts "\uff135\u0153"
// before "\uff13oe" in numeric mode, its keys (and the tree, always) after.
static QStringList collatorKeySorted(const QStringList &names, const QLocale &locale)
{
    std::vector<QStringView> views(names.begin(), names.end());
    QStringList out;
    for (qsizetype index : naturalOrderByCollator(views, locale))
        out.append(names[index]);
    return out;
}

void TestFolderTreeOrder::keysAsCollator()
{
    // The keys the sort makes order names exactly as QCollator's keys do,
    // as texts and as a UTF-8 list's folder names.
    QFETCH(QString, locale);
    QFETCH(int, count);
    QFETCH(quint32, seed);
    const QLocale collation(locale);
    const QStringList given = variedNames(count, seed);

    std::vector<QStringView> views(given.begin(), given.end());
    QStringList byTexts;
    for (qsizetype index : naturalOrder(views, collation))
        byTexts.append(given[index]);
    QCOMPARE(byTexts, collatorKeySorted(given, collation));

    // Folder names are distinct and never empty.
    QStringList folders;
    QSet<QString> seen;
    for (const QString &name : given) {
        if (!name.isEmpty() && !seen.contains(name)) {
            seen.insert(name);
            folders.append(name);
        }
    }
    QList<QByteArray> names;
    for (const QString &name : folders)
        names.append(name.toUtf8());
    QCOMPARE(siblings(names, ListEncoding::Utf8, collation), collatorKeySorted(folders, collation));
}

QTEST_GUILESS_MAIN(TestFolderTreeOrder)
#include "tst_foldertreeorder.moc"
