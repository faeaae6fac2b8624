#pragma once

// Helpers for the window tests (tst_ui_*): a window over temporary folders
// with a fake for every prompt, the project's lang.fil, small list files.

#include "app/language/LanguageTable.h"
#include "app/ui/DatePicker.h"
#include "app/ui/frmMain.h"
#include "common/FakePrompts.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QtWidgets>

#include <memory>
#include <unistd.h>

namespace corvane::test {

// The project's folder: CORVANE_SOURCE_DIR when set (CTest), else the folder
// the test was built from, so that a test run by hand finds data/ from any
// working folder.
inline QString sourceDir()
{
    const QString dir = qEnvironmentVariable("CORVANE_SOURCE_DIR");
    return dir.isEmpty() ? QStringLiteral(CORVANE_TEST_SOURCE_DIR) : dir;
}

// One data row per language of the window, in the column "language" (int).
inline void addLanguageRows()
{
    QTest::addColumn<int>("language");
    QTest::newRow("English") << int(LanguageEnglish);
    QTest::newRow("Portuguese") << int(LanguagePortuguese);
    QTest::newRow("German") << int(LanguageGerman);
    QTest::newRow("French") << int(LanguageFrench);
    QTest::newRow("Swedish") << int(LanguageSwedish);
    QTest::newRow("Dutch") << int(LanguageDutch);
}

inline QString projectLangFil()
{
    return sourceDir() + QStringLiteral("/data/lang.fil");
}

inline QByteArray readBytes(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

inline bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return f.write(bytes) == bytes.size();
}

// Column `language` of the project's lang.fil, as the window must show it.
inline QStringList langColumn(int language)
{
    return parseLanguageFile(readBytes(projectLangFil()), language).texts;
}

// A window with its own program and data folders; lang.fil is copied into
// the program folder unless langFil is given (empty QByteArray: no file).
struct WindowFixture
{
    QTemporaryDir programDir;
    QTemporaryDir dataDir;
    FakePrompts prompts;
    std::unique_ptr<frmMain> window;

    enum class Lang { Project, None, Custom };

    explicit WindowFixture(const QLocale &locale = QLocale(QLocale::English, QLocale::UnitedStates),
                           Lang lang = Lang::Project, const QByteArray &custom = {},
                           QDate today = QDate(2025, 6, 15))
    {
        if (lang == Lang::Project)
            QFile::copy(projectLangFil(), programDir.filePath(QStringLiteral("lang.fil")));
        else if (lang == Lang::Custom)
            writeBytes(programDir.filePath(QStringLiteral("lang.fil")), custom);
        frmMain::Settings s;
        s.programFolder = programDir.path();
        s.dataFolder = dataDir.filePath(QStringLiteral("data"));
        s.locale = locale;
        s.today = [today] { return today; };
        // A desktop screen, whatever the test platform's is (offscreen:
        // 800x600): the window opens at its default size.
        s.screens = [] { return QList<QRect>{QRect(0, 0, 1920, 1160)}; };
        window = std::make_unique<frmMain>(prompts, s);
    }

    QString path(const QString &name) const { return programDir.filePath(name); }

    // Writes a list file into the data temp folder and returns its path.
    QString writeList(const QString &name, const QByteArray &bytes)
    {
        const QString p = dataDir.filePath(name);
        writeBytes(p, bytes);
        return p;
    }

    // Starts a load and waits for its end (true when it ended in time).
    bool load(const QString &listPath)
    {
        QSignalSpy done(window.get(), &frmMain::listLoaded);
        window->ClearViews();
        if (!window->LoadListFile(listPath))
            return false;
        return done.wait(30000);
    }
};

// Root reads every file: while this lives, files are looked at as an ordinary
// user would (the effective user "nobody", still in root's group), and the
// folder that holds them lets that user pass. Root is back when it goes,
// also when a check fails on the way.
class AsOrdinaryUser
{
public:
    explicit AsOrdinaryUser(const QString &folder, bool wanted = true)
    {
        if (!wanted || ::geteuid() != 0)
            return;
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                          QFileDevice::ExeOwner | QFileDevice::ExeGroup |
                                          QFileDevice::ExeOther);
        m_switched = ::seteuid(65534) == 0;
    }
    ~AsOrdinaryUser()
    {
        if (m_switched && ::seteuid(0) != 0)
            qFatal("could not become root again");
    }
    AsOrdinaryUser(const AsOrdinaryUser &) = delete;
    AsOrdinaryUser &operator=(const AsOrdinaryUser &) = delete;

private:
    bool m_switched = false;
};

inline QString text(QWidget *root, const char *name)
{
    auto *label = root->findChild<QLabel *>(QString::fromLatin1(name));
    return label ? label->text() : QStringLiteral("<no label %1>").arg(QString::fromLatin1(name));
}

} // namespace corvane::test
