// Pictures of the window for people to look at: the start page in each of
// the six languages and the "View list" page with a list loaded. Saved as
// PNG files into the build folder ("screenshots" next to this test).

#include "testutil_window.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QMenu>
#include <QTabWidget>
#include <QTest>

using namespace corvane;
using namespace corvane::test;

class TestUiScreenshots : public QObject
{
    Q_OBJECT

private:
    QString outDir() const
    {
        const QString dir = QCoreApplication::applicationDirPath() + QStringLiteral("/screenshots");
        QDir().mkpath(dir);
        return dir;
    }
    void save(QWidget *w, const QString &name)
    {
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        QTest::qWait(50);
        const QPixmap shot = w->grab();
        QVERIFY(!shot.isNull());
        QVERIFY(shot.save(outDir() + u'/' + name + QStringLiteral(".png")));
    }

private Q_SLOTS:
    void startPage_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("name");
        QTest::newRow("en") << int(LanguageEnglish) << QStringLiteral("start-en");
        QTest::newRow("pt") << int(LanguagePortuguese) << QStringLiteral("start-pt");
        QTest::newRow("de") << int(LanguageGerman) << QStringLiteral("start-de");
        QTest::newRow("fr") << int(LanguageFrench) << QStringLiteral("start-fr");
        QTest::newRow("sv") << int(LanguageSwedish) << QStringLiteral("start-sv");
        QTest::newRow("nl") << int(LanguageDutch) << QStringLiteral("start-nl");
    }
    void startPage()
    {
        QFETCH(int, language);
        QFETCH(QString, name);
        // Dutch is picked from the languages menu, which a Dutch locale shows.
        WindowFixture f(language == LanguageDutch ? QLocale(QStringLiteral("nl_NL"))
                                                  : localeForLanguage(language));
        if (language == LanguageDutch)
            control<QAction>(*f.window, "mnuNL")->trigger();
        QCOMPARE(currentLanguage(*f.window), language);
        save(f.window.get(), name);
        QCOMPARE(f.prompts.boxCount(), 0);
    }

    void viewPage()
    {
        WindowFixture f;
        QString list = sourceDir() + QStringLiteral("/data/samples/recovered-disk.csv");
        if (!QFile::exists(list)) {
            QByteArray bytes;
            const char *folders[] = {"Data\\Documents\\Reports\\", "Data\\Photos\\2009\\",
                                     "Data\\Photos\\2010\\Holiday\\", "Data\\Music\\"};
            int n = 0;
            for (const char *folder : folders) {
                for (int i = 0; i < 12; ++i, ++n) {
                    bytes += QByteArray(folder) + "file" + QByteArray::number(n) +
                             ".doc,12/03/2009 10:15:00," + QByteArray::number(1000 + n * 7919) +
                             ",32;A1B2,Recovered\r\n";
                }
            }
            list = f.writeList(QStringLiteral("generated.csv"), bytes);
        }
        QVERIFY(f.load(list));
        save(f.window.get(), QStringLiteral("view-en"));
        f.window->LoadLanguage(LanguageGerman);
        control<QTabWidget>(*f.window, "SSTab1")->setCurrentIndex(1);
        save(f.window.get(), QStringLiteral("view-de"));
    }
};

QTEST_MAIN(TestUiScreenshots)
#include "tst_ui_screenshots.moc"
