// The labels that show numbers: after a language change a label still showing
// what it was given gets its text made anew, one written since by anyone else
// is left alone for good, and only a label still showing its text hands back
// the function that made it.

#include "app/ui/NumberTexts.h"

#include <QApplication>
#include <QLabel>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace corvane;

class TestUiNumberTexts : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void afterLanguageChange_data();
    void afterLanguageChange();
    void latestTextCounts();
};

void TestUiNumberTexts::afterLanguageChange_data()
{
    QTest::addColumn<QString>("writtenSince"); // empty: nobody wrote the label since
    QTest::addColumn<QString>("shownAfter");
    QTest::addColumn<bool>("keepsFunction");
    QTest::newRow("untouched: made anew") << QString() << u"1.234"_s << true;
    QTest::newRow("written since: left alone") << u"other"_s << u"other"_s << false;
    QTest::newRow("cleared since: left alone") << u""_s << u""_s << false;
}

void TestUiNumberTexts::afterLanguageChange()
{
    QFETCH(QString, writtenSince);
    QFETCH(QString, shownAfter);
    QFETCH(bool, keepsFunction);

    QLabel label;
    QString separator = u","_s;
    NumberTexts texts;
    texts.show(&label, [&separator]() -> QString { return u"1"_s + separator + u"234"_s; });
    QCOMPARE(label.text(), u"1,234"_s);
    if (!writtenSince.isNull())
        label.setText(writtenSince);

    separator = u"."_s;
    texts.rewrite();
    QCOMPARE(label.text(), shownAfter);
    QCOMPARE(bool(texts.textOf(&label)), keepsFunction);

    // Once left alone, the label stays so even when it shows the old text again.
    if (!keepsFunction) {
        label.setText(u"1,234"_s);
        texts.rewrite();
        QCOMPARE(label.text(), u"1,234"_s);
        QVERIFY(!texts.textOf(&label));
    }
}

void TestUiNumberTexts::latestTextCounts()
{
    QLabel label;
    NumberTexts texts;
    texts.show(&label, [] { return u"first"_s; });
    texts.show(&label, [] { return u"second"_s; });
    label.setText(u"first"_s);
    QVERIFY(!texts.textOf(&label));
    label.setText(u"second"_s);
    const auto text = texts.textOf(&label);
    QVERIFY(text);
    QCOMPARE(text(), u"second"_s);
}

QTEST_MAIN(TestUiNumberTexts)
#include "tst_ui_numbertexts.moc"
