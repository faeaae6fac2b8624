#pragma once

// Helpers for the window tests (tst_ui_*): a window over temporary folders
// with a fake for every prompt, the project's lang.fil, small list files.

#include "app/language/LanguageTable.h"
#include "app/ui/ApprovalController.h"
#include "app/ui/BrowseController.h"
#include "app/ui/DatePicker.h"
#include "app/ui/DesktopController.h"
#include "app/ui/KeyboardController.h"
#include "app/ui/OpenController.h"
#include "app/ui/OverviewController.h"
#include "app/ui/SearchController.h"
#include "app/ui/ZipNotesController.h"
#include "app/ui/frmMain.h"
#include "browse/FileGridModel.h"
#include "browse/FolderListing.h"
#include "common/FakePrompts.h"
#include "common/TestSourceDir.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QtWidgets>

#include <functional>
#include <memory>
#include <unistd.h>

namespace corvane::test {

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

// A list of `lines` files in top\Docs: fileN.doc of 1000 + N bytes.
inline QByteArray listBytes(const QByteArray &top, int lines)
{
    QByteArray bytes;
    for (int i = 0; i < lines; ++i)
        bytes += top + "\\Docs\\file" + QByteArray::number(i) + ".doc,2020-01-02 03:04:05," +
                 QByteArray::number(1000 + i) + ",32;77,OK\r\n";
    return bytes;
}

// The texts of column 0 of `model`, row by row.
inline QStringList columnTexts(const QAbstractItemModel *model)
{
    QStringList texts;
    for (int r = 0; model && r < model->rowCount(); ++r)
        texts.append(model->index(r, 0).data().toString());
    return texts;
}

// ---- The window as the tests see it ----------------------------------------
// Tests reach the window only through what follows, its constructor, the
// QWidget API and the slots named after the controls (Command2_Click...):
// the window's state may move to other objects without the tests changing.

// The control (or menu, or action) whose object name is `name`; every control
// is named after the window's member that holds it. A missing one ends the
// test run with the caller's place.
template<class T>
T *control(const QObject &window, const char *name, const char *file = __builtin_FILE(),
           int line = __builtin_LINE())
{
    T *found = window.findChild<T *>(QString::fromLatin1(name));
    if (!found)
        qFatal("%s:%d: the window has no %s named %s", file, line, T::staticMetaObject.className(),
               name);
    return found;
}

// The list shown: its line store, folder tree and totals.
inline const LoadedList &shownList(const frmMain &w)
{
    return w.loadedList();
}
inline QString currentListFile(const frmMain &w)
{
    return w.session().CurrentListFile();
}
inline QString rootPrefix(const frmMain &w)
{
    return w.session().RootPrefix();
}
inline qint32 currentFolderItem(const frmMain &w)
{
    return w.session().CurrentFolderItem();
}
// The line range of the folder shown in the file grid.
inline qint32 firstFolderLine(const frmMain &w)
{
    return w.controllers().browse->FirstFolderLine();
}
inline qint32 lastFolderLine(const frmMain &w)
{
    return w.controllers().browse->LastFolderLine();
}
inline const FolderTotals &folderTotals(const frmMain &w)
{
    return w.session().folderTotals();
}
inline bool isLoading(const frmMain &w)
{
    return w.isLoading();
}
inline bool isSearching(const frmMain &w)
{
    return w.controllers().search->isSearching();
}
inline bool isSaving(const frmMain &w)
{
    return w.controllers().approval->isSaving();
}
inline bool canOpenList(const frmMain &w)
{
    return w.controllers().desktop->canOpenList();
}
inline void stopSearch(frmMain &w)
{
    w.controllers().search->stop();
}

inline FileGridModel *fileGrid(const frmMain &w)
{
    return &w.controllers().browse->model();
}
inline FileGridColumns *fileGridColumns(const frmMain &w)
{
    return w.fileGridColumns();
}
inline FolderTreeModel *folderTreeModel(const frmMain &w)
{
    return w.folderTreeModel();
}
inline zip::ZipMemberModel *zipMemberModel(frmMain &w)
{
    return w.controllers().open->zipMemberModel();
}
inline FileTypeIcons &fileTypeIcons(const frmMain &w)
{
    return w.controllers().browse->icons();
}
inline RecoveryLegend *recoveryLegend(const frmMain &w)
{
    return w.controllers().overview->legend();
}
inline void setTreeColumnShown(frmMain &w, int section, bool shown)
{
    w.controllers().overview->setTreeColumnShown(section, shown);
}
inline QMenu *buildTreeHeaderMenu(frmMain &w, QWidget *parent)
{
    return w.controllers().overview->buildTreeHeaderMenu(parent);
}

// The language in use and its texts (an entry the table lacks is empty).
inline int currentLanguage(const frmMain &w)
{
    return w.currentLanguage();
}
inline QStringList langTexts(const frmMain &w)
{
    return w.LangText();
}
inline QString langText(const frmMain &w, LangEntry entry)
{
    return w.langText(entry);
}
inline const QLocale &userLocale(const frmMain &w)
{
    return w.userLocale();
}
inline QString formatCountShown(const frmMain &w, qint64 value)
{
    return w.formatCountShown(value);
}
inline void showNumberText(frmMain &w, QLabel *label, std::function<QString()> text)
{
    w.ShowNumberText(label, std::move(text));
}

// The folders and files of the program's own.
inline QString dataFolder(const frmMain &w)
{
    return w.dataFolder();
}
inline QString memberFolder(const frmMain &w)
{
    return w.controllers().open->memberFolder();
}
inline QStringList recentLists(const frmMain &w)
{
    return w.controllers().desktop->recentLists();
}
inline QStringList recentTerms(const frmMain &w)
{
    return w.controllers().search->recentTerms();
}
inline QList<int> rememberedColumnWidths(const frmMain &w)
{
    return w.controllers().desktop->rememberedColumnWidths();
}
inline void saveWindowState(const frmMain &w)
{
    w.controllers().desktop->saveWindowState();
}
inline QList<QWidget *> tabOrder(const frmMain &w)
{
    return w.controllers().keyboard->tabOrder();
}

// Commands from outside the controls.
inline void openRecentList(frmMain &w, int index)
{
    w.controllers().desktop->OpenRecentList(index);
}
inline bool openDroppedFiles(frmMain &w, const QList<QUrl> &urls)
{
    return w.controllers().desktop->OpenDroppedFiles(urls);
}
inline void openListsFromCommandLine(frmMain &w, const QStringList &paths)
{
    w.controllers().desktop->OpenListsFromCommandLine(paths);
}
inline void openZipNote(frmMain &w, int row)
{
    w.controllers().zipNotes->openNote(row);
}

// Counts the loads that end (a list shown, a load stopped or failed) from
// its construction on; wait() waits for the next.
class LoadSpy : public QSignalSpy
{
public:
    explicit LoadSpy(frmMain &w) : QSignalSpy(&w, &frmMain::listLoaded) {}
};

// Counts the loads the list session ends from its construction on, each
// with the ListSession::LoadKind it was.
class LoadKindSpy : public QSignalSpy
{
public:
    explicit LoadKindSpy(frmMain &w) : QSignalSpy(&w.session(), &ListSession::loaded) {}
};

// Counts the language changes from its construction on.
class LanguageSpy : public QSignalSpy
{
public:
    explicit LanguageSpy(frmMain &w) : QSignalSpy(&w, &frmMain::languageChanged) {}
};

// When a load runs, waits for its end; true when none runs or it ended in time.
inline bool waitForLoad(frmMain &w, int timeoutMs = 60000)
{
    if (!isLoading(w))
        return true;
    LoadSpy done(w);
    return done.wait(timeoutMs);
}

// The entry of the "Languages" menu that picks `language`.
inline QAction *languageMenuEntry(const QObject &w, int language)
{
    switch (language) {
    case LanguageEnglish:
        return control<QAction>(w, "mnuEN");
    case LanguagePortuguese:
        return control<QAction>(w, "mnuPT");
    case LanguageGerman:
        return control<QAction>(w, "mnuGerman");
    case LanguageFrench:
        return control<QAction>(w, "mnuFrench");
    case LanguageSwedish:
        return control<QAction>(w, "mnuSE");
    case LanguageDutch:
        return control<QAction>(w, "mnuNL");
    }
    return nullptr;
}

// ---- Fixtures ---------------------------------------------------------------

// A window with its own program and data folders; lang.fil is copied into
// the program folder unless langFil is given (empty QByteArray: no file).
struct WindowFixture
{
    // Changes the settings before the window is built.
    using Change = std::function<void(frmMain::Settings &)>;

    QTemporaryDir programDir;
    QTemporaryDir dataDir;
    FakePrompts prompts;
    frmMain::Settings settings; // what the window was built with
    std::unique_ptr<frmMain> window;

    enum class Lang { Project, None, Custom };

    explicit WindowFixture(const QLocale &locale = QLocale(QLocale::English, QLocale::UnitedStates),
                           Lang lang = Lang::Project, const QByteArray &custom = {},
                           QDate today = QDate(2025, 6, 15), const Change &change = {})
    {
        if (lang == Lang::Project)
            QFile::copy(projectLangFil(), programDir.filePath(QStringLiteral("lang.fil")));
        else if (lang == Lang::Custom)
            writeBytes(programDir.filePath(QStringLiteral("lang.fil")), custom);
        settings.programFolder = programDir.path();
        settings.dataFolder = dataDir.filePath(QStringLiteral("data"));
        settings.locale = locale;
        settings.today = [today] { return today; };
        // A desktop screen, whatever the test platform's is (offscreen:
        // 800x600): the window opens at its default size.
        settings.screens = [] { return QList<QRect>{QRect(0, 0, 1920, 1160)}; };
        if (change)
            change(settings);
        restart();
    }
    explicit WindowFixture(const Change &change)
        : WindowFixture(QLocale(QLocale::English, QLocale::UnitedStates), Lang::Project, {},
                        QDate(2025, 6, 15), change)
    {}

    // The next run of the program: the window goes and another is built
    // with the same settings.
    void restart()
    {
        window.reset();
        window = std::make_unique<frmMain>(prompts, settings);
    }

    QString path(const QString &name) const { return programDir.filePath(name); }
    frmMain &w() const { return *window; }

    // Shows the window and waits until it is on screen.
    bool show()
    {
        window->show();
        return QTest::qWaitForWindowExposed(window.get());
    }

    // The folder tree's item of `path` below Root (empty: Root).
    int item(const QString &path) const { return folderItemByPath(shownList(*window), path); }
    // The names in the file grid, and the 1-based grid row of the first one
    // called `name` (0: none).
    QStringList gridNames() const { return columnTexts(&window->controllers().browse->model()); }
    int row(const QString &name) const { return int(gridNames().indexOf(name)) + 1; }
    // The file grid's header over the names: the folder shown.
    QString header() const
    {
        return window->controllers().browse->model().headerData(0, Qt::Horizontal).toString();
    }

    // Writes a list file into the data temp folder and returns its path.
    QString writeList(const QString &name, const QByteArray &bytes)
    {
        const QString p = dataDir.filePath(name);
        writeBytes(p, bytes);
        return p;
    }

    // The open command's frame and the menu take commands.
    bool commandsEnabled() const
    {
        return control<QGroupBox>(*window, "Frame2")->isEnabled() &&
               control<QMenu>(*window, "mnuMenu")->menuAction()->isEnabled();
    }

    // The open command with `answer` from its file prompt; waits for the
    // load it starts, if any.
    void open(const QString &answer)
    {
        prompts.openFileAnswers.append(answer);
        control<QPushButton>(*window, "Command2")->click();
        QVERIFY(waitForLoad(*window));
    }

    // Writes `bytes` at `path` (a list or archive of the user's) and opens
    // it as open() does.
    void openNew(const QString &path, const QByteArray &bytes)
    {
        QVERIFY(writeBytes(path, bytes));
        open(path);
    }

    // A list named on the command line; waits for its load.
    void openFromCommandLine(const QString &path)
    {
        LoadSpy loaded(*window);
        window->OpenListFromCommandLine(path);
        QVERIFY(loaded.wait(30000));
    }

    // Starts a load and waits for its end (true when it ended in time).
    bool load(const QString &listPath)
    {
        LoadSpy done(*window);
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
