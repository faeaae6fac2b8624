// The preset filter's box (Combo1): a click on its text opens its list, and
// a word it is given is shown from its start.

#include "testutil_window.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>

using namespace Qt::Literals::StringLiterals;
using namespace corvane;
using namespace corvane::test;

namespace {

const QByteArray list = "Data\\a.txt,2009-05-14 08:00:00,1,32;EF,Partially recovered\r\n"
                        "Data\\b.txt,2009-05-14 08:00:00,1,32;EF,Partially recovered\r\n"
                        "Data\\c.txt,2009-05-14 08:00:00,1,32;EF,Not recovered\r\n";

} // namespace

class TestUiFilterBox : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void shownFromItsStart_data();
    void shownFromItsStart();
    void clickOnTextOpensTheList();
    void typingKeepsTheCursor();

private:
    static void openShown(WindowFixture &f)
    {
        QVERIFY(f.show());
        QVERIFY(f.load(f.writeList(u"list.csv"_s, list)));
        QTRY_COMPARE(control<QComboBox>(*f.window, "Combo1")->count(), 3);
    }
};

void TestUiFilterBox::shownFromItsStart_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("picked from the list") << u"index"_s;
    QTest::newRow("given as text") << u"text"_s;
    QTest::newRow("after editing, focus gone") << u"edited"_s;
}

void TestUiFilterBox::shownFromItsStart()
{
    QFETCH(QString, how);
    WindowFixture f;
    openShown(f);
    QComboBox *box = control<QComboBox>(*f.window, "Combo1");
    const QString word = u"Partially recovered"_s;
    if (how == u"index"_s) {
        box->setCurrentIndex(box->findText(word));
    } else if (how == u"text"_s) {
        box->setCurrentText(u"Not recovered"_s);
        box->setCurrentText(word);
    } else {
        box->lineEdit()->setFocus();
        QTRY_VERIFY(box->lineEdit()->hasFocus());
        box->lineEdit()->clear();
        QTest::keyClicks(box->lineEdit(), word);
        control<QLineEdit>(*f.window, "TXT1")->setFocus();
        QTRY_VERIFY(!box->lineEdit()->hasFocus());
    }
    QCOMPARE(box->currentText(), word);
    QCOMPARE(box->lineEdit()->cursorPosition(), 0);
    // Narrower than its text, the box shows the text's start.
    QVERIFY(box->lineEdit()->fontMetrics().horizontalAdvance(word) > box->lineEdit()->width() / 2);
}

void TestUiFilterBox::clickOnTextOpensTheList()
{
    WindowFixture f;
    openShown(f);
    QComboBox *box = control<QComboBox>(*f.window, "Combo1");
    QVERIFY(box->isEditable());
    QVERIFY(!box->view()->isVisible());
    QLineEdit *edit = box->lineEdit();
    QTest::mouseClick(edit, Qt::LeftButton, {}, edit->rect().center());
    QTRY_VERIFY(box->view()->isVisible());
    box->hidePopup();
    QTRY_VERIFY(!box->view()->isVisible());
    // Another button does not open it.
    QTest::mouseClick(edit, Qt::MiddleButton, {}, edit->rect().center());
    QVERIFY(!box->view()->isVisible());
}

// While the user types, the cursor stays where the typing is.
void TestUiFilterBox::typingKeepsTheCursor()
{
    WindowFixture f;
    openShown(f);
    QLineEdit *edit = control<QComboBox>(*f.window, "Combo1")->lineEdit();
    edit->setFocus();
    QTRY_VERIFY(edit->hasFocus());
    edit->clear();
    QTest::keyClicks(edit, u"Not rec"_s);
    QCOMPARE(edit->text().left(7), u"Not rec"_s);
    QVERIFY(edit->cursorPosition() >= 7);
}

QTEST_MAIN(TestUiFilterBox)
#include "tst_ui_filterbox.moc"
