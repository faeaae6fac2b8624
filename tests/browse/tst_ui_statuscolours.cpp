#include "browse/paint/StatusColours.h"

#include <QSet>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace corvane;

Q_DECLARE_METATYPE(corvane::StatusClass)

namespace {

FolderTotals::Status word(const QString &text)
{
    FolderTotals::Status status;
    status.word = text;
    status.rawWord = text.toUtf8();
    return status;
}

FolderTotals::Status ofKind(FolderTotals::StatusKind kind)
{
    FolderTotals::Status status;
    status.kind = kind;
    return status;
}

// "word", or "(other)" and "(unknown)" for the two statuses without one.
QList<FolderTotals::Status> statuses(const QStringList &texts)
{
    QList<FolderTotals::Status> list;
    for (const QString &text : texts) {
        if (text == u"(other)"_s)
            list.append(ofKind(FolderTotals::StatusKind::Other));
        else if (text == u"(unknown)"_s)
            list.append(ofKind(FolderTotals::StatusKind::Unknown));
        else
            list.append(word(text));
    }
    return list;
}

// Whether colour belongs to the family of its class: greens, yellows,
// oranges to reds, greys.
bool inFamily(const QColor &colour, StatusClass statusClass)
{
    const QColor hsv = colour.toHsv();
    const int hue = hsv.hsvHue();
    const bool grey = hsv.hsvSaturation() < 10;
    switch (statusClass) {
    case StatusClass::Good:
        return !grey && hue >= 90 && hue <= 170;
    case StatusClass::Partial:
        return !grey && hue >= 40 && hue <= 62;
    case StatusClass::Bad:
        return !grey && (hue >= 330 || hue <= 35);
    case StatusClass::Unknown:
        return grey;
    }
    return false;
}

} // namespace

// The colours of the recovery statuses: by class, the usual words as they
// always were, never two alike side by side.
class TestStatusColours : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void keptColours_data();
    void keptColours();
    void family_data();
    void family();
    void shownTogether_data();
    void shownTogether();
    void sameWordSameColour();
};

void TestStatusColours::keptColours_data()
{
    QTest::addColumn<QString>("status");
    QTest::addColumn<QColor>("colour");

    QTest::newRow("Recovered") << u"Recovered"_s << QColor(0x2e, 0x9d, 0x4a);
    QTest::newRow("OK") << u"OK"_s << QColor(0x2e, 0x9d, 0x4a);
    QTest::newRow("ok, spaces") << u" ok "_s << QColor(0x2e, 0x9d, 0x4a);
    QTest::newRow("Partially recovered") << u"Partially recovered"_s << QColor(0xe8, 0xc3, 0x2a);
    QTest::newRow("Damaged") << u"Damaged"_s << QColor(0xf0, 0x8a, 0x24);
    QTest::newRow("DAMAGED") << u"DAMAGED"_s << QColor(0xf0, 0x8a, 0x24);
    QTest::newRow("Overwritten") << u"Overwritten"_s << QColor(0xd6, 0x3c, 0x3c);
    QTest::newRow("Not recovered") << u"Not recovered"_s << QColor(0x8e, 0x24, 0x3c);
    QTest::newRow("other") << u"(other)"_s << QColor(0x9e, 0x9e, 0x9e);
    QTest::newRow("unknown") << u"(unknown)"_s << QColor(0xd0, 0xd0, 0xd0);
}

void TestStatusColours::keptColours()
{
    QFETCH(QString, status);
    QFETCH(QColor, colour);
    const QList<FolderTotals::Status> one = statuses({status});
    QCOMPARE(statusColour(one[0]), colour);
    QCOMPARE(statusColours(one), QList<QColor>{colour});
}

void TestStatusColours::family_data()
{
    QTest::addColumn<QString>("status");
    QTest::addColumn<StatusClass>("statusClass");

    QTest::newRow("Header OK") << u"Header OK"_s << StatusClass::Good;
    QTest::newRow("Wiederhergestellt") << u"Wiederhergestellt"_s << StatusClass::Good;
    QTest::newRow("En-tête OK") << u"En-tête OK"_s << StatusClass::Good;
    QTest::newRow("Partial") << u"Partial"_s << StatusClass::Partial;
    QTest::newRow("Delvis återställd") << u"Delvis återställd"_s << StatusClass::Partial;
    QTest::newRow("Empty") << u"Empty"_s << StatusClass::Bad;
    QTest::newRow("Beschädigt") << u"Beschädigt"_s << StatusClass::Bad;
    QTest::newRow("Niet hersteld") << u"Niet hersteld"_s << StatusClass::Bad;
    QTest::newRow("Not checked") << u"Not checked"_s << StatusClass::Unknown;
    QTest::newRow("a word of the lab's own") << u"Fragmented"_s << StatusClass::Unknown;
    QTest::newRow("another") << u"Carved"_s << StatusClass::Unknown;
    QTest::newRow("other") << u"(other)"_s << StatusClass::Unknown;
}

void TestStatusColours::family()
{
    QFETCH(QString, status);
    QFETCH(StatusClass, statusClass);
    const FolderTotals::Status s = statuses({status})[0];
    QCOMPARE(colourClass(s), statusClass);
    const QColor colour = statusColour(s);
    QVERIFY2(inFamily(colour, statusClass), qPrintable(colour.name()));
}

void TestStatusColours::shownTogether_data()
{
    QTest::addColumn<QStringList>("words");

    QTest::newRow("the sample list")
        << QStringList{u"Recovered"_s, u"Partially recovered"_s, u"Overwritten"_s, u"Damaged"_s,
                       u"Not recovered"_s};
    QTest::newRow("best and partial")
        << QStringList{u"Header OK"_s, u"Partial"_s, u"Recovered"_s, u"Not checked"_s};
    QTest::newRow("two words with the same old colour") << QStringList{u"Recovered"_s, u"OK"_s};
    QTest::newRow("a word in two cases") << QStringList{u"Damaged"_s, u"damaged"_s, u"DAMAGED "_s};
    QTest::newRow("nine good ones") << QStringList{
        u"OK"_s,         u"Recovered"_s, u"Header OK"_s,    u"Recuperado"_s,       u"Hersteld"_s,
        u"Återställd"_s, u"Récupéré"_s,  u"Dateikopf OK"_s, u"Wiederhergestellt"_s};
    QTest::newRow("eight bad ones and other")
        << QStringList{u"Empty"_s,  u"Leer"_s,        u"Vide"_s, u"Tom"_s,    u"Damaged"_s,
                       u"Skadad"_s, u"Overwritten"_s, u"Leeg"_s, u"(other)"_s};
    QTest::newRow("lab words, unknown and other")
        << QStringList{u"S1"_s, u"S2"_s, u"S3"_s,        u"S4"_s,     u"S5"_s,
                       u"S6"_s, u"S7"_s, u"(unknown)"_s, u"(other)"_s};
    QTest::newRow("every class") << QStringList{
        u"Teilweise"_s, u"Gedeeltelijk"_s, u"Partial"_s, u"Partially recovered"_s,
        u"Parcial"_s,   u"Partiel"_s,      u"Delvis"_s,  u"Parcialmente recuperado"_s,
        u"Recovered"_s};
}

void TestStatusColours::shownTogether()
{
    QFETCH(QStringList, words);
    const QList<FolderTotals::Status> shown = statuses(words);
    const QList<QColor> colours = statusColours(shown);
    QCOMPARE(colours.size(), shown.size());
    QSet<QRgb> seen;
    for (qsizetype i = 0; i < shown.size(); ++i) {
        QVERIFY2(!seen.contains(colours[i].rgb()),
                 qPrintable(words[i] + u" repeats "_s + colours[i].name()));
        seen.insert(colours[i].rgb());
        QVERIFY2(inFamily(colours[i], colourClass(shown[i])),
                 qPrintable(words[i] + u' ' + colours[i].name()));
    }
    // The usual words keep their colours beside any other; only the second
    // of two that had the same colour takes another.
    const QStringList usual = {u"recovered"_s, u"ok"_s,          u"partially recovered"_s,
                               u"damaged"_s,   u"overwritten"_s, u"not recovered"_s,
                               u"(other)"_s,   u"(unknown)"_s};
    QSet<QRgb> kept;
    for (qsizetype i = 0; i < shown.size(); ++i) {
        if (!usual.contains(words[i].trimmed().toLower()))
            continue;
        const QColor own = statusColour(shown[i]);
        if (!kept.contains(own.rgb()))
            QCOMPARE(colours[i], own);
        kept.insert(own.rgb());
    }
}

// A word picked by its text has the same colour in any case and with
// spaces, so a list that writes it otherwise shows the same colour.
void TestStatusColours::sameWordSameColour()
{
    for (const QString &text : {u"Header OK"_s, u"Fragmented"_s, u"Teilweise"_s}) {
        const QColor colour = statusColour(word(text));
        QCOMPARE(statusColour(word(text.toUpper())), colour);
        QCOMPARE(statusColour(word(u"  "_s + text.toLower() + u' ')), colour);
    }
}

QTEST_MAIN(TestStatusColours)
#include "tst_ui_statuscolours.moc"
