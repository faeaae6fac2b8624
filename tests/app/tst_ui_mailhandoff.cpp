// The real hand-off of a mailto: URL on the free desktops: xdg-email (or
// xdg-open) is run and its exit code tells whether a mail program started.
// Stand-in handlers on PATH play each desktop.

#include "app/ui/Prompts.h"
#include "approval/ApprovalMail.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QtWidgets>

using namespace Qt::Literals::StringLiterals;
using corvane::DesktopPrompts;
using corvane::Prompts;
using Handoff = Prompts::MailHandoff;

class TestUiMailHandoff : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanup();
    void handlers_data();
    void handlers();
    void hostileNames_data();
    void hostileNames();

private:
    QByteArray m_path;
};

void TestUiMailHandoff::initTestCase()
{
    m_path = qgetenv("PATH");
}

void TestUiMailHandoff::cleanup()
{
    qputenv("PATH", m_path);
}

void TestUiMailHandoff::handlers_data()
{
    QTest::addColumn<QString>("handler"); // the stand-in's file name; empty: none at all
    QTest::addColumn<QByteArray>("script");
    QTest::addColumn<int>("outcome");
    QTest::addColumn<bool>("argumentChecked");
    // "@ARGUMENT@" becomes the file the stand-in writes its argument to; PATH
    // holds only the stand-in, so the scripts name their tools in full.
    const QByteArray record = "#!/bin/sh\nprintf '%s' \"$1\" > '@ARGUMENT@'\n";
    QTest::newRow("xdg-email starts the mail program") << u"xdg-email"_s << record + "exit 0\n"
                                                       << int(Handoff::Started) << true;
    QTest::newRow("xdg-email finds no mail program") << u"xdg-email"_s << record + "exit 3\n"
                                                     << int(Handoff::Failed) << true;
    QTest::newRow("xdg-email's action fails") << u"xdg-email"_s << record + "exit 4\n"
                                              << int(Handoff::Failed) << true;
    QTest::newRow("killed by a signal") << u"xdg-email"_s << record + "kill -9 $$\n"
                                        << int(Handoff::Failed) << true;
    QTest::newRow("only xdg-open") << u"xdg-open"_s << record + "exit 0\n"
                                   << int(Handoff::Started) << true;
    // A handler that stays in the foreground is the mail program itself.
    QTest::newRow("stays running") << u"xdg-email"_s << record + "/bin/sleep 2\n"
                                   << int(Handoff::Started) << true;
    QTest::newRow("cannot be run")
        << u"xdg-email"_s << QByteArray("#!/nonexistent/shell\n") << int(Handoff::Failed) << false;
}

void TestUiMailHandoff::handlers()
{
    QFETCH(QString, handler);
    QFETCH(QByteArray, script);
    QFETCH(int, outcome);
    QFETCH(bool, argumentChecked);

    QTemporaryDir bin;
    const QString program = bin.filePath(handler);
    QFile f(program);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(
        QByteArray(script).replace("@ARGUMENT@", QFile::encodeName(bin.filePath(u"argument"_s))));
    f.close();
    QVERIFY(
        f.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner));
    qputenv("PATH", QFile::encodeName(bin.path()));

    // A subject with characters that must reach the handler encoded once.
    const corvane::ApprovalMessage message =
        corvane::buildApprovalMessage(u"job#42 d\u00e9j\u00e0 100%"_s, u"lab@x.example"_s);
    DesktopPrompts prompts;
    // Long enough for a loaded machine to run a short script to its end;
    // short for the one that stays.
    const bool staysRunning = script.contains("sleep");
    prompts.mailHandlerPatienceMs = staysRunning ? 300 : 5000;
    QList<Handoff> outcomes;
    prompts.openMailUrl(message.url, [&outcomes](Handoff h) { outcomes.append(h); });
    QTRY_COMPARE_WITH_TIMEOUT(outcomes.size(), 1, 10000);
    QCOMPARE(int(outcomes.first()), outcome);
    if (argumentChecked) {
        QFile argument(bin.filePath(u"argument"_s));
        QVERIFY(argument.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromLatin1(argument.readAll()),
                 u"mailto:lab@x.example?subject=Approval%20of%20File%20List%20:%20job%2342%20d%C3"
                 u"%A9j%C3%A0%20100%25&body="_s +
                     corvane::URLPathEncode(message.body) + u"&CC="_s);
    }
    // Reported once, also when the handler ends later.
    QTest::qWait(staysRunning ? 2500 : 300);
    QCOMPARE(outcomes.size(), 1);
}

void TestUiMailHandoff::hostileNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("compose argument") << u"x',bcc='spy@evil.example',y='"_s;
    QTest::newRow("double quotes") << u"x\",bcc=\"spy@evil.example"_s;
    QTest::newRow("attachment") << u"a,attachment='file:///home/me/.ssh/id_rsa'"_s;
    QTest::newRow("more fields") << u"a&bcc=spy@evil.example&body=x"_s;
    QTest::newRow("semicolon and equals") << u"a;b=c"_s;
    QTest::newRow("shell") << u"$(touch x)`id`|;<>\\*?[]{}!~#"_s;
    QTest::newRow("new lines") << u"a\r\nbcc: spy@evil.example\n"_s;
    QTest::newRow("beyond ASCII") << u"d\u00e9j\u00e0 \u200f\u202e\u00a0\U0001F600"_s;
}

// What a handler gets for a hostile list name: printable ASCII only, the
// subject without a character any command line could read as syntax, and
// the subject back when the handler decodes it.
void TestUiMailHandoff::hostileNames()
{
    QFETCH(QString, name);
    QTemporaryDir bin;
    const QString program = bin.filePath(u"xdg-email"_s);
    QFile f(program);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("#!/bin/sh\nprintf '%s' \"$1\" > '" + QFile::encodeName(bin.filePath(u"argument"_s)) +
            "'\n");
    f.close();
    QVERIFY(
        f.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner));
    qputenv("PATH", QFile::encodeName(bin.path()));

    const corvane::ApprovalMessage message =
        corvane::buildApprovalMessage(name, u"lab@x.example"_s);
    DesktopPrompts prompts;
    QList<Handoff> outcomes;
    prompts.openMailUrl(message.url, [&outcomes](Handoff h) { outcomes.append(h); });
    QTRY_COMPARE_WITH_TIMEOUT(outcomes.size(), 1, 10000);
    QFile recorded(bin.filePath(u"argument"_s));
    QVERIFY(recorded.open(QIODevice::ReadOnly));
    const QByteArray argument = recorded.readAll();

    const QByteArray start = "mailto:lab@x.example?subject=";
    const QByteArray end = "&body=" + corvane::URLPathEncode(message.body).toLatin1() + "&CC=";
    QVERIFY2(argument.startsWith(start) && argument.endsWith(end), argument.constData());
    const QByteArray subject =
        argument.mid(start.size(), argument.size() - start.size() - end.size());
    for (char c : subject) {
        const bool kept = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                          (c >= '0' && c <= '9') || QByteArrayView("-._~:%").contains(c);
        QVERIFY2(kept, qPrintable(u"'%1' in %2"_s.arg(QString(QLatin1Char(c)),
                                                      QString::fromLatin1(subject))));
    }
    QCOMPARE(QString::fromUtf8(QByteArray::fromPercentEncoding(subject)), message.subject);
}

QTEST_MAIN(TestUiMailHandoff)
#include "tst_ui_mailhandoff.moc"
