#include "status/StatusClasses.h"

#include <QFile>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace corvane;

Q_DECLARE_METATYPE(corvane::StatusClass)

// The table of status classes: the built-in words in the six languages, the
// way words are compared, and the reading of a table file a lab may write.
class TestStatusClasses : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void builtIn_data();
    void builtIn();
    void compared_data();
    void compared();
    void tableHasNoProblems();
    void parse_data();
    void parse();
    void classNames();
};

void TestStatusClasses::builtIn_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<StatusClass>("expected");

    const auto rows = [](const char *meaning, StatusClass c, const QStringList &words) {
        const char *languages[] = {"en", "pt", "de", "fr", "sv", "nl"};
        for (qsizetype i = 0; i < words.size(); ++i)
            QTest::addRow("%s %s", meaning, languages[i]) << words[i] << c;
    };
    rows("recovered", StatusClass::Good,
         {u"Recovered"_s, u"Recuperado"_s, u"Wiederhergestellt"_s, u"Récupéré"_s, u"Återställd"_s,
          u"Hersteld"_s});
    rows("ok (all six)", StatusClass::Good, {u"OK"_s});
    rows("header ok", StatusClass::Good,
         {u"Header OK"_s, u"Cabeçalho OK"_s, u"Dateikopf OK"_s, u"En-tête OK"_s, u"Filhuvud OK"_s,
          u"Header in orde"_s});
    rows("partially recovered", StatusClass::Partial,
         {u"Partially recovered"_s, u"Parcialmente recuperado"_s, u"Teilweise wiederhergestellt"_s,
          u"Partiellement récupéré"_s, u"Delvis återställd"_s, u"Gedeeltelijk hersteld"_s});
    rows(
        "partial", StatusClass::Partial,
        {u"Partial"_s, u"Parcial"_s, u"Teilweise"_s, u"Partiel"_s, u"Delvis"_s, u"Gedeeltelijk"_s});
    rows("damaged", StatusClass::Bad,
         {u"Damaged"_s, u"Danificado"_s, u"Beschädigt"_s, u"Endommagé"_s, u"Skadad"_s,
          u"Beschadigd"_s});
    rows("overwritten", StatusClass::Bad,
         {u"Overwritten"_s, u"Sobrescrito"_s, u"Überschrieben"_s, u"Écrasé"_s, u"Överskriven"_s,
          u"Overschreven"_s});
    rows("not recovered", StatusClass::Bad,
         {u"Not recovered"_s, u"Não recuperado"_s, u"Nicht wiederhergestellt"_s, u"Non récupéré"_s,
          u"Ej återställd"_s, u"Niet hersteld"_s});
    rows("empty", StatusClass::Bad,
         {u"Empty"_s, u"Vazio"_s, u"Leer"_s, u"Vide"_s, u"Tom"_s, u"Leeg"_s});
    rows("not checked", StatusClass::Unknown,
         {u"Not checked"_s, u"Não verificado"_s, u"Nicht geprüft"_s, u"Non vérifié"_s,
          u"Ej kontrollerad"_s, u"Niet gecontroleerd"_s});
}

void TestStatusClasses::builtIn()
{
    QFETCH(QString, word);
    QFETCH(StatusClass, expected);
    QCOMPARE(classifyStatus(word), expected);
    QVERIFY(statusClassTable().contains(word));
}

void TestStatusClasses::compared_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<StatusClass>("expected");

    QTest::newRow("lower case") << u"header ok"_s << StatusClass::Good;
    QTest::newRow("upper case") << u"PARTIALLY RECOVERED"_s << StatusClass::Partial;
    QTest::newRow("mixed case, accents") << u"éCRASÉ"_s << StatusClass::Bad;
    QTest::newRow("upper case ring") << u"ÅTERSTÄLLD"_s << StatusClass::Good;
    QTest::newRow("spaces at both ends") << u"  Damaged "_s << StatusClass::Bad;
    QTest::newRow("tab at the end") << u"Recovered\t"_s << StatusClass::Good;
    QTest::newRow("space inside differs") << u"Header  OK"_s << StatusClass::Unknown;
    QTest::newRow("a word not in the table") << u"Fragmented"_s << StatusClass::Unknown;
    QTest::newRow("a part of a word") << u"Recover"_s << StatusClass::Unknown;
    QTest::newRow("empty") << QString() << StatusClass::Unknown;
    QTest::newRow("only spaces") << u"   "_s << StatusClass::Unknown;
}

void TestStatusClasses::compared()
{
    QFETCH(QString, word);
    QFETCH(StatusClass, expected);
    QCOMPARE(classifyStatus(word), expected);
}

// The file the build compiled in reads without a complaint (a lab's own
// file included, when the suite runs on its build).
void TestStatusClasses::tableHasNoProblems()
{
    QFile file(u":/corvane/status-classes.txt"_s);
    (void)statusClassTable(); // registers the resource
    QVERIFY(file.open(QIODevice::ReadOnly));
    QList<StatusClassTable::Problem> problems;
    const StatusClassTable table = StatusClassTable::parse(file.readAll(), &problems);
    for (const StatusClassTable::Problem &p : problems)
        qWarning("line %d: %s", p.line, qPrintable(p.reason));
    QVERIFY(problems.isEmpty());
    QCOMPARE(table.entries().size(), statusClassTable().entries().size());
    QVERIFY(table.entries().size() >= 50);
}

void TestStatusClasses::parse_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QStringList>("entries"); // "class word"
    QTest::addColumn<QList<int>>("problemLines");

    QTest::newRow("empty file") << QByteArray() << QStringList() << QList<int>();
    QTest::newRow("comments and empty lines")
        << "# a comment\n\n   # indented comment\ngood Recovered\n\n"_ba
        << QStringList{u"good Recovered"_s} << QList<int>();
    QTest::newRow("CR LF, tabs, spaces around")
        << "  bad\tNot recovered  \r\npartial   Partial\r\n"_ba
        << QStringList{u"bad Not recovered"_s, u"partial Partial"_s} << QList<int>();
    QTest::newRow("class in any case")
        << "GOOD OK\nUnknown Not checked\n"_ba
        << QStringList{u"good OK"_s, u"unknown Not checked"_s} << QList<int>();
    QTest::newRow("UTF-8 words") << "bad Beschädigt\n"_ba << QStringList{u"bad Beschädigt"_s}
                                 << QList<int>();
    QTest::newRow("no such class, kept going")
        << "fine Recovered\ngood OK\n"_ba << QStringList{u"good OK"_s} << QList<int>{1};
    QTest::newRow("a class without a word")
        << "good\nbad   \nbad Damaged\n"_ba << QStringList{u"bad Damaged"_s} << QList<int>{1, 2};
    QTest::newRow("a word twice, the first kept")
        << "good Recovered\nbad recovered \n"_ba << QStringList{u"good Recovered"_s}
        << QList<int>{2};
    QTest::newRow("word before class") << "Recovered good\n"_ba << QStringList() << QList<int>{1};
    QTest::newRow("no line end at the end")
        << "partial Partial"_ba << QStringList{u"partial Partial"_s} << QList<int>();
}

void TestStatusClasses::parse()
{
    QFETCH(QByteArray, text);
    QFETCH(QStringList, entries);
    QFETCH(QList<int>, problemLines);

    QList<StatusClassTable::Problem> problems;
    const StatusClassTable table = StatusClassTable::parse(text, &problems);
    QStringList got;
    for (const StatusClassEntry &entry : table.entries())
        got << statusClassName(entry.statusClass) + u' ' + entry.word;
    QCOMPARE(got, entries);
    QList<int> lines;
    for (const StatusClassTable::Problem &p : problems) {
        lines << p.line;
        QVERIFY(!p.reason.isEmpty());
    }
    QCOMPARE(lines, problemLines);
    // The parsed table classifies by itself, not by the built-in one.
    for (const StatusClassEntry &entry : table.entries())
        QCOMPARE(table.classify(QString(entry.word.toUpper() + u' ')), entry.statusClass);
    QCOMPARE(table.classify(u"Something else"_s), StatusClass::Unknown);
}

void TestStatusClasses::classNames()
{
    for (StatusClass c :
         {StatusClass::Good, StatusClass::Partial, StatusClass::Bad, StatusClass::Unknown}) {
        QCOMPARE(statusClassFromName(statusClassName(c)), std::optional<StatusClass>(c));
        QCOMPARE(statusClassFromName(statusClassName(c).toUpper()), std::optional<StatusClass>(c));
    }
    QCOMPARE(statusClassFromName(u"fine"_s), std::nullopt);
    QCOMPARE(statusClassFromName(QString()), std::nullopt);
}

QTEST_GUILESS_MAIN(TestStatusClasses)
#include "tst_statusclasses.moc"
