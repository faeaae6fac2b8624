// Names from a list or an archive that look like markup, wherever the window
// shows a name: the tree, the file grid, their tooltips, the legend, the
// details, the title, the member grid, the notes, the note viewer, the
// approval dialog and the message boxes. Each shows the name literally, and
// a name that is an image tag never makes the window open the file it names.

#include "app/ui/NoteViewer.h"
#include "app/ui/Prompts.h"
#include "approval/ApprovalMail.h"
#include "approval/ui/ApprovalMessageDialog.h"
#include "browse/FileGridModel.h"
#include "browse/ui/FolderTreeModel.h"
#include "browse/ui/RecoveryLegend.h"
#include "testutil_window.h"
#include "util/PlainText.h"
#include "zip/testutil_zip.h"

#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <QToolButton>
#include <QWindow>

#include <sys/inotify.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;
using namespace corvane;
using namespace corvane::test;
namespace zipfix = corvane::testing;

namespace {

// What a text shows in a widget that guesses its format (tooltips, labels
// left at Qt::AutoText): the text itself, or what is left of it read as
// markup.
QString shownAuto(const QString &text)
{
    if (!Qt::mightBeRichText(text))
        return text;
    QTextDocument document;
    document.setHtml(text);
    return document.toPlainText();
}

QString shownBy(const QLabel *label)
{
    switch (label->textFormat()) {
    case Qt::PlainText:
        return label->text();
    case Qt::RichText: {
        QTextDocument document;
        document.setHtml(label->text());
        return document.toPlainText();
    }
    default:
        return shownAuto(label->text());
    }
}

// Tells whether anyone opened or read a file while it watched.
class OpenWatch
{
public:
    explicit OpenWatch(const QString &path) : m_fd(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC))
    {
        if (m_fd >= 0)
            m_watch =
                ::inotify_add_watch(m_fd, QFile::encodeName(path).constData(), IN_OPEN | IN_ACCESS);
    }
    ~OpenWatch()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    OpenWatch(const OpenWatch &) = delete;
    OpenWatch &operator=(const OpenWatch &) = delete;

    bool watching() const { return m_fd >= 0 && m_watch >= 0; }
    bool opened() const
    {
        char events[4096];
        return ::read(m_fd, events, sizeof events) > 0;
    }

private:
    int m_fd;
    int m_watch = -1;
};

// The tooltip a view shows for a cell, as a user pointing at it gets it.
QString shownToolTip(QAbstractItemView *view, const QModelIndex &index)
{
    QToolTip::hideText();
    const QPoint at = view->visualRect(index).center();
    QHelpEvent event(QEvent::ToolTip, at, view->viewport()->mapToGlobal(at));
    QApplication::sendEvent(view->viewport(), &event);
    for (QWidget *top : QApplication::topLevelWidgets()) {
        auto *label = qobject_cast<QLabel *>(top);
        if (label && label->objectName() == u"qtooltip_label"_s && label->isVisible()) {
            label->sizeHint(); // laid out, images and all
            return shownBy(label);
        }
    }
    return u"<no tooltip>"_s;
}

// The names each test feeds to the window; "@PROBE@" becomes the path of a
// small file the window must never open.
void addNameRows()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("bold") << u"<b>bold</b> name"_s;
    QTest::newRow("entities") << u"a &lt;b&gt; &amp; c"_s;
    QTest::newRow("image of a file") << u"<img src=\"@PROBE@\">"_s;
    QTest::newRow("table") << u"<table><tr><td>cell</td></tr></table>"_s;
    QTest::newRow("title mark") << u"x [*] y"_s;
}

// A probe file in dir, and the name with its path put in.
QString withProbe(const QString &name, const QTemporaryDir &dir)
{
    const QString probe = dir.filePath(u"probe.png"_s);
    if (!QFile::exists(probe))
        corvane::test::writeBytes(probe, QByteArray("\x89PNG\r\n\x1a\n not really", 19));
    return QString(name).replace(u"@PROBE@"_s, probe);
}

// A name as a file on disk can carry it.
QString asFileName(const QString &name)
{
    return QString(name).replace(u'/', u'_');
}

void verifyLabelsLiteral(QWidget *root)
{
    for (QLabel *label : root->findChildren<QLabel *>()) {
        if (label->objectName() == u"qtooltip_label"_s)
            continue;
        QVERIFY2(shownBy(label) == label->text(),
                 qPrintable(label->objectName() + u": "_s + label->text()));
    }
}

} // namespace

class TestUiPlainText : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void watchSeesAnImageLoaded();
    void toolTipText_data();
    void toolTipText();
    void windowTitle_data();
    void windowTitle();
    void browsing_data();
    void browsing();
    void archive_data();
    void archive();
    void promptBoxes_data();
    void promptBoxes();
};

// The check the tests below end with can fail: a label that reads an image
// tag as markup opens the file it names.
void TestUiPlainText::watchSeesAnImageLoaded()
{
    QTemporaryDir user;
    const QString name = withProbe(u"<img src=\"@PROBE@\">"_s, user);
    const OpenWatch watch(user.filePath(u"probe.png"_s));
    QVERIFY(watch.watching());
    QLabel label(name);
    label.show();
    label.sizeHint();
    QVERIFY(watch.opened());
}

void TestUiPlainText::toolTipText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("unchanged");
    QTest::newRow("plain name") << u"Docs 2024"_s << true;
    QTest::newRow("lines") << u"Docs\nFiles: 3"_s << true;
    QTest::newRow("greater than") << u"a > b"_s << true;
    QTest::newRow("tag") << u"<b>x</b>"_s << false;
    QTest::newRow("tag on a later line") << u"x\n<b>y</b>\n  z"_s << false;
    QTest::newRow("entity") << u"&lt;"_s << false;
    QTest::newRow("ampersand") << u"A & B"_s << false;
    QTest::newRow("spaces kept") << u"<i>  two  spaces  </i>"_s << false;
    QTest::newRow("doctype") << u"<!DOCTYPE html><p>x"_s << false;
}

void TestUiPlainText::toolTipText()
{
    QFETCH(QString, text);
    QFETCH(bool, unchanged);
    const QString tip = corvane::plainToolTip(text);
    QCOMPARE(tip == text, unchanged);
    QCOMPARE(shownAuto(tip), text);
}

void TestUiPlainText::windowTitle_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("no mark") << u"Corvane - a.csv"_s;
    QTest::newRow("one mark") << u"Corvane - a[*].csv"_s;
    QTest::newRow("two marks") << u"[*][*]x[*]"_s;
}

void TestUiPlainText::windowTitle()
{
    QFETCH(QString, text);
    QWidget widget;
    widget.setWindowTitle(corvane::literalWindowTitle(text));
    widget.show();
    QVERIFY(widget.windowHandle());
    QCOMPARE(widget.windowHandle()->title(), text);
}

void TestUiPlainText::browsing_data()
{
    addNameRows();
}

// A list whose folder, file, date and status are the name, opened from a
// file named after it.
void TestUiPlainText::browsing()
{
    QFETCH(QString, name);
    QTemporaryDir user;
    name = withProbe(name, user);
    const OpenWatch watch(user.filePath(u"probe.png"_s));
    QVERIFY(watch.watching());

    const QString listName = asFileName(name) + u".csv"_s;
    const QString list = user.filePath(listName);
    const QByteArray n = name.toLatin1();
    QVERIFY(zipfix::writeBytes(list, "C:\\" + n + "\\" + n + ".doc," + n + ",1000,32;77," + n +
                                         "\r\nC:\\" + n + "\\plain.doc," + n + ",10,32;77,OK\r\n"));
    WindowFixture f;
    f.window->show();
    f.open(list);
    QVERIFY(shownList(*f.window).fileFound);

    // The title names the file as it is.
    QVERIFY2(f.window->windowHandle()->title().endsWith(u" - "_s + listName),
             qPrintable(f.window->windowHandle()->title()));

    // The tree: the folder's name and both its tooltips.
    const corvane::LoadedList &loaded = shownList(*f.window);
    int item = -1;
    for (int i = 0; i < loaded.SftTree1.count(); ++i) {
        if (loaded.SftTree1.text(i) == name)
            item = i;
    }
    QVERIFY(item >= 0);
    corvane::FolderTreeModel *tree = folderTreeModel(*f.window);
    const QModelIndex folder = tree->indexOf(item);
    control<QTreeView>(*f.window, "SftTree1")->setCurrentIndex(folder);
    control<QTreeView>(*f.window, "SftTree1")->scrollTo(folder);
    QCOMPARE(shownAuto(folder.data(Qt::ToolTipRole).toString()), name);
    QCOMPARE(shownToolTip(control<QTreeView>(*f.window, "SftTree1"), folder), name);
    const QModelIndex bar = tree->indexOf(item, corvane::FolderTreeModel::RecoveryColumn);
    const QString recovery = shownAuto(bar.data(Qt::ToolTipRole).toString());
    QVERIFY2(recovery.startsWith(name + u'\n'), qPrintable(recovery));
    QVERIFY2(recovery.contains(u'\n' + name + u": "_s), qPrintable(recovery));

    // The grid: the file's name, date and status, and the name's tooltip.
    corvane::FileGridModel *grid = fileGrid(*f.window);
    int row = -1;
    for (int r = 0; r < grid->rowCount(); ++r) {
        if (grid->index(r, corvane::FileGridModel::NameColumn).data().toString() ==
            name + u".doc"_s)
            row = r;
    }
    QVERIFY(row >= 0);
    QCOMPARE(grid->index(row, corvane::FileGridModel::DateColumn).data().toString(), name);
    QCOMPARE(grid->index(row, corvane::FileGridModel::StatusColumn).data().toString(), name);
    const QModelIndex file = grid->index(row, corvane::FileGridModel::NameColumn);
    QCOMPARE(shownAuto(file.data(Qt::ToolTipRole).toString()), name + u".doc"_s);
    QCOMPARE(shownToolTip(control<QTableView>(*f.window, "iGrid2"), file), name + u".doc"_s);

    // The details of the file.
    f.window->controllers().browse->ShowFileDetails(row + 1, 1);
    QCOMPARE(shownBy(control<QLabel>(*f.window, "Label20")), name);

    // The legend: the status row and its tooltip.
    QToolButton *legendRow = nullptr;
    for (auto *button : recoveryLegend(*f.window)->findChildren<QToolButton *>()) {
        if (shownAuto(button->toolTip()).startsWith(name + u"  "_s))
            legendRow = button;
    }
    QVERIFY(legendRow);
    bool listed = false;
    for (const QString &text : recoveryLegend(*f.window)->rowTexts())
        listed = listed || text.startsWith(name + u"  "_s);
    QVERIFY(listed);

    // The approval dialog names the list as it is.
    f.window->lblEmail_Click();
    auto *dialog = f.window->findChild<corvane::ApprovalMessageDialog *>();
    QVERIFY(dialog);
    QCOMPARE(dialog->subjectField->text(),
             u"Approval of File List : "_s + corvane::approvalListName(listName));
    verifyLabelsLiteral(dialog);

    verifyLabelsLiteral(f.window.get());
    QCoreApplication::processEvents();
    QVERIFY(!watch.opened());
}

void TestUiPlainText::archive_data()
{
    addNameRows();
}

// An archive whose list members and note are named after the name.
void TestUiPlainText::archive()
{
    QFETCH(QString, name);
    QTemporaryDir user;
    name = withProbe(name, user);
    const OpenWatch watch(user.filePath(u"probe.png"_s));
    QVERIFY(watch.watching());

    const QString zip = user.filePath(u"lab.zip"_s);
    const QByteArray n = name.toUtf8();
    const QByteArray list = "C:\\a.doc,1,1,32;7,OK\r\n";
    QVERIFY(zipfix::writeZip(zip, {zipfix::entry(QByteArray(n + "1.csv").constData(), list),
                                   zipfix::entry(QByteArray(n + "2.csv").constData(), list),
                                   zipfix::entry(QByteArray(n + ".txt").constData(), n + "\r\n")}));
    WindowFixture f;
    f.window->show();
    f.open(zip);

    // The member grid and its tooltips.
    QAbstractItemModel *members = control<QTableView>(*f.window, "iGrid3")->model();
    QCOMPARE(members->rowCount(), 2);
    for (int r = 0; r < 2; ++r) {
        const QString member = name + QString::number(r + 1) + u".csv"_s;
        const QModelIndex index = members->index(r, 0);
        QCOMPARE(index.data().toString(), member);
        QCOMPARE(shownAuto(index.data(Qt::ToolTipRole).toString()), member);
        QCOMPARE(shownToolTip(control<QTableView>(*f.window, "iGrid3"), index), member);
    }

    // The note: listed as it is, its tooltip its name in the archive.
    QAbstractItemModel *notes = control<QListView>(*f.window, "NotesList")->model();
    QCOMPARE(notes->rowCount(), 1);
    const QModelIndex note = notes->index(0, 0);
    QCOMPARE(note.data().toString(), name + u".txt"_s);
    QCOMPARE(shownAuto(note.data(Qt::ToolTipRole).toString()), name + u".txt"_s);

    // The viewer: its title and its text.
    openZipNote(*f.window, 0);
    auto *viewer = f.window->findChild<corvane::NoteViewer *>();
    QVERIFY(viewer);
    QVERIFY(viewer->windowHandle());
    QVERIFY2(viewer->windowHandle()->title().startsWith(name + u".txt - "_s),
             qPrintable(viewer->windowHandle()->title()));
    QCOMPARE(viewer->textView()->toPlainText(), name + u'\n');
    viewer->close();

    // A message box that names the note.
    f.prompts.clear();
    // The archive gone, the note cannot be read.
    QVERIFY(QFile::rename(zip, zip + u".gone"_s));
    openZipNote(*f.window, 0);
    QCOMPARE(f.prompts.count(u"warning"_s), 1);
    QVERIFY(f.prompts.callsOf(u"warning"_s).first().text.contains(name + u".txt"_s));
    QVERIFY(QFile::rename(zip + u".gone"_s, zip));

    // The second member loaded: the subject names it as the archive does.
    f.window->iGrid3_DblClick(2, 1);
    QVERIFY(waitForLoad(*f.window));
    f.window->lblEmail_Click();
    auto *dialog = f.window->findChild<corvane::ApprovalMessageDialog *>();
    QVERIFY(dialog);
    QCOMPARE(dialog->subjectField->text(),
             u"Approval of File List : "_s + corvane::approvalListName(name + u"2.csv"_s));
    verifyLabelsLiteral(dialog);

    verifyLabelsLiteral(f.window.get());
    QCoreApplication::processEvents();
    QVERIFY(!watch.opened());
}

void TestUiPlainText::promptBoxes_data()
{
    addNameRows();
}

// The boxes DesktopPrompts shows: the text as it is, in each kind of box.
void TestUiPlainText::promptBoxes()
{
    QFETCH(QString, name);
    QTemporaryDir user;
    name = withProbe(name, user);
    const OpenWatch watch(user.filePath(u"probe.png"_s));
    QVERIFY(watch.watching());

    using corvane::PromptBox;
    const QString text = name + u"\n\nThe list could not be read."_s;
    for (PromptBox kind : {PromptBox::Question, PromptBox::Warning, PromptBox::Message}) {
        auto box = corvane::makePromptBox(nullptr, kind, text, name, false);
        QCOMPARE(box->textFormat(), Qt::PlainText);
        QCOMPARE(box->text(), text);
        auto *label = box->findChild<QLabel *>(u"qt_msgbox_label"_s);
        QVERIFY(label);
        QCOMPARE(shownBy(label), text);
        box->show();
        QVERIFY(box->windowHandle());
        QCOMPARE(box->windowHandle()->title(), name);
        QCOMPARE(box->buttons().size(), kind == PromptBox::Question ? 2 : 1);
        box->hide();
    }
    QCoreApplication::processEvents();
    QVERIFY(!watch.opened());
}

QTEST_MAIN(TestUiPlainText)
#include "tst_ui_plaintext.moc"
