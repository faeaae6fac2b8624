// Lists dropped on the window or named on the command line, the lists opened
// last under "Menu", and the report of the program's own files left alone.
// The window's remembered state and its palette: DesktopController_window.cpp.

#include "DesktopController.h"

#include "ListSession.h"
#include "WindowContext.h"
#include "app/desktop/RecentLists.h"
#include "listfile/OpenCommand.h"
#include "util/PlainText.h"
#include "zip/ZipArchive.h"

#include <QAction>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QIcon>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

#include <optional>

using namespace Qt::Literals::StringLiterals;

namespace corvane {

namespace {

// The local files among urls, in the order given.
QStringList localFiles(const QList<QUrl> &urls)
{
    QStringList files;
    for (const QUrl &url : urls) {
        if (url.isLocalFile() && !url.toLocalFile().isEmpty())
            files.append(url.toLocalFile());
    }
    return files;
}

// What the open dialog offers: "*.csv" and "*.zip"; a file with another name
// that begins like a zip archive is taken as well. Only a regular file is
// opened to look: a pipe would keep the window waiting for a writer.
bool looksLikeList(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == u"csv"_s || suffix == u"zip"_s)
        return true;
    return zip::readFileSignature(path) == zip::FileSignature::Zip;
}

// Why one of the program's own files is left alone; empty when it is not.
std::optional<LangEntry> ignoredStateFileEntry(StateFileProblem problem)
{
    switch (problem) {
    case StateFileProblem::Link:
        return LangEntry::OwnFileIsLink;
    case StateFileProblem::NotRegular:
        return LangEntry::OwnFileNotRegular;
    case StateFileProblem::TooLarge:
        return LangEntry::OwnFileTooLarge;
    case StateFileProblem::None:
    case StateFileProblem::Missing:
    case StateFileProblem::Failed:
        break;
    }
    return std::nullopt;
}

} // namespace

DesktopController::DesktopController(WindowContext &context, ListSession &session,
                                     const DesktopWidgets &widgets, DesktopSettings settings,
                                     QObject *parent)
    : QObject(parent)
    , m_context(context)
    , m_session(session)
    , m_w(widgets)
    , m_settings(std::move(settings))
{
    // Drags and drops on the window and on every child that does not take
    // them itself.
    m_w.window->setAcceptDrops(true);
    m_w.window->installEventFilter(this);
    // A list dropped over a text box opens too, instead of its path being
    // typed into the box.
    const QList<QLineEdit *> boxes = m_w.window->findChildren<QLineEdit *>();
    for (QLineEdit *box : boxes)
        box->setAcceptDrops(false);
    // Installed: the icon of the desktop entry, so that the window and the
    // launcher show the same picture.
    const QString installedIcon = u"org.corvane.Corvane"_s;
    if (QIcon::hasThemeIcon(installedIcon))
        m_w.window->setWindowIcon(QIcon::fromTheme(installedIcon, m_w.window->windowIcon()));

    m_mnuRecent = new QMenu(m_w.mnuMenu);
    m_mnuRecent->setObjectName(u"mnuRecent"_s);
    m_mnuRecent->menuAction()->setObjectName(u"mnuRecent"_s);
    m_w.mnuMenu->insertMenu(m_w.mnuShowLan, m_mnuRecent);
    if (remembers()) {
        StateFileProblem problem = StateFileProblem::None;
        m_recentLists = readRecentLists(m_settings.dataFolder, &problem);
        ReportIgnoredStateFile(
            QDir(m_settings.dataFolder).filePath(QString::fromUtf16(RecentListsFileName)), problem);
    }
    // What an unpacking cut short by the end of the program left behind.
    // The unpacked copies of archives no longer in use go; those of the
    // archives used last stay for their next opening.
    if (!m_settings.dataFolder.isEmpty()) {
        const QString archives = QDir(m_settings.dataFolder).filePath(u"archives"_s);
        zip::removeStalePartFiles(archives);
        zip::removeOldArchiveCopies(archives);
    }
    rebuildRecentMenu();

    fitToScreen();
    restoreWindowState();
    followPalette();
}

bool DesktopController::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_w.window)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::PaletteChange:
        followPalette();
        return QObject::eventFilter(watched, event);
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto *drag = static_cast<QDragMoveEvent *>(event);
        const QMimeData *mime = drag->mimeData();
        if (canOpenList() && mime && !localFiles(mime->urls()).isEmpty())
            drag->acceptProposedAction();
        else
            drag->ignore();
        return true;
    }
    case QEvent::Drop: {
        auto *drop = static_cast<QDropEvent *>(event);
        const QList<QUrl> urls = drop->mimeData() ? drop->mimeData()->urls() : QList<QUrl>();
        if (OpenDroppedFiles(urls))
            drop->acceptProposedAction();
        else
            drop->ignore();
        return true;
    }
    default:
        return QObject::eventFilter(watched, event);
    }
}

// The English words where a language file lacks the entry.
QString DesktopController::textOr(LangEntry entry, const QString &english) const
{
    const QString text = m_context.langText(entry);
    return text.isEmpty() ? english : text;
}

void DesktopController::ReportIgnoredStateFile(const QString &path, StateFileProblem problem) const
{
    const std::optional<LangEntry> entry = ignoredStateFileEntry(problem);
    if (!entry || m_reportedStateFiles.contains(path))
        return;
    m_reportedStateFiles.insert(path);
    const QString text =
        textOr(*entry, u"Corvane's own file \"%1\" is not a plain file; it was left alone."_s)
            .arg(QDir::toNativeSeparators(path));
    // After what runs now: never a box in the middle of building the window.
    QWidget *parent = m_context.promptParent();
    QTimer::singleShot(0, parent, [this, parent, text] {
        m_context.prompts().warning(parent, text, m_context.errorTitle(), false);
    });
}

bool DesktopController::canOpenList() const
{
    return !m_session.isLoading() && m_w.Command2->isEnabled() &&
           m_w.mnuMenu->menuAction()->isEnabled();
}

// -- opening from outside ---------------------------------------------------

// As if path had been chosen in the open dialog: its folder is remembered in
// LastFolder.inc, then the open command's decisions follow.
void DesktopController::OpenFromOutside(const QString &path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    const QString dataFolder = m_context.dataFolder();
    StateFileProblem problem = StateFileProblem::None;
    writeLastFolder(dataFolder, absolute, &problem);
    ReportIgnoredStateFile(QDir(dataFolder).filePath(QString::fromUtf16(LastFolderFileName)),
                           problem);
    Q_EMIT openRequested(absolute);
}

bool DesktopController::OpenDroppedFiles(const QList<QUrl> &urls)
{
    if (!canOpenList())
        return false;
    const QStringList files = localFiles(urls);
    if (files.isEmpty())
        return false;
    const QString &path = files.first();
    const QString shown = QDir::toNativeSeparators(path);
    const QFileInfo info(path);
    QWidget *parent = m_context.promptParent();
    if (info.isDir()) {
        m_context.prompts().warning(parent,
                                    textOr(LangEntry::DropIsFolder,
                                           u"\"%1\" is a folder. Drop a list (.csv) or a zip "
                                           u"archive (.zip) onto the window."_s)
                                        .arg(shown),
                                    m_context.errorTitle(), false);
        return false;
    }
    if (info.exists() && !looksLikeList(path)) {
        m_context.prompts().warning(parent,
                                    textOr(LangEntry::DropNotAList,
                                           u"\"%1\" is not a file list. Corvane opens lists "
                                           u"(.csv) and zip archives (.zip)."_s)
                                        .arg(shown),
                                    m_context.errorTitle(), false);
        return false;
    }
    OpenFromOutside(path);
    if (files.size() > 1) {
        m_context.prompts().message(parent,
                                    textOr(LangEntry::OnlyFirstDropOpened,
                                           u"Only the first of the %1 files was opened: %2"_s)
                                        .arg(files.size())
                                        .arg(shown),
                                    u"Corvane"_s, false);
    }
    return true;
}

void DesktopController::OpenListsFromCommandLine(const QStringList &paths)
{
    if (paths.isEmpty())
        return;
    Q_EMIT commandLineOpenRequested(paths.first());
    if (paths.size() > 1) {
        m_context.prompts().message(
            m_context.promptParent(),
            textOr(LangEntry::OnlyFirstDropOpened,
                   u"Only the first of the %1 files was opened: %2"_s)
                .arg(paths.size())
                .arg(QDir::toNativeSeparators(QFileInfo(paths.first()).absoluteFilePath())),
            u"Corvane"_s, false);
    }
}

// -- the lists opened last ----------------------------------------------------

void DesktopController::rememberRecentList(const QString &path)
{
    if (path.isEmpty())
        return;
    const QStringList lists = withRecentList(m_recentLists, QFileInfo(path).absoluteFilePath());
    if (lists == m_recentLists)
        return;
    m_recentLists = lists;
    saveRecentLists();
    rebuildRecentMenu();
}

bool DesktopController::remembers() const
{
    return !m_settings.settingsFile.isEmpty();
}

void DesktopController::saveRecentLists()
{
    if (!remembers())
        return;
    const QString dataFolder = m_context.dataFolder();
    StateFileProblem problem = StateFileProblem::None;
    writeRecentLists(dataFolder, m_recentLists, &problem);
    ReportIgnoredStateFile(QDir(dataFolder).filePath(QString::fromUtf16(RecentListsFileName)),
                           problem);
}

void DesktopController::retranslate()
{
    rebuildRecentMenu();
}

void DesktopController::rebuildRecentMenu()
{
    m_mnuRecent->setTitle(textOr(LangEntry::RecentListsMenu, u"Recent Lists"_s));
    m_mnuRecent->clear();
    if (m_recentLists.isEmpty()) {
        QAction *none =
            m_mnuRecent->addAction(textOr(LangEntry::NoRecentLists, u"No recent lists"_s));
        none->setObjectName(u"mnuRecentNone"_s);
        none->setEnabled(false);
        return;
    }
    for (qsizetype i = 0; i < m_recentLists.size(); ++i) {
        // "&1 disk1.csv  (/home/me/Lists)": the name first, then where it is.
        const QFileInfo info(m_recentLists.at(i));
        const QString label = u"&%1 %2  (%3)"_s.arg(i + 1).arg(
            info.fileName().replace(u'&', u"&&"_s),
            QDir::toNativeSeparators(info.path()).replace(u'&', u"&&"_s));
        QAction *entry = m_mnuRecent->addAction(label);
        entry->setObjectName(u"mnuRecent%1"_s.arg(i + 1));
        entry->setToolTip(plainToolTip(QDir::toNativeSeparators(m_recentLists.at(i))));
        const int index = int(i);
        connect(entry, &QAction::triggered, this, [this, index] { OpenRecentList(index); });
    }
    m_mnuRecent->addSeparator();
    QAction *clear =
        m_mnuRecent->addAction(textOr(LangEntry::ClearRecentLists, u"Clear Recent Lists"_s));
    clear->setObjectName(u"mnuRecentClear"_s);
    connect(clear, &QAction::triggered, this, &DesktopController::ClearRecentLists);
}

void DesktopController::OpenRecentList(int index)
{
    if (index < 0 || index >= m_recentLists.size() || !canOpenList())
        return;
    const QString path = m_recentLists.at(index);
    const QString shown = QDir::toNativeSeparators(path);
    QString error;
    const zip::FileKind kind = zip::fileKind(path, &error);
    if (kind == zip::FileKind::Regular) {
        OpenFromOutside(path);
        return;
    }
    if (kind == zip::FileKind::Unknown) {
        // There, perhaps, but out of reach for now (a folder on the way that
        // cannot be entered): kept for when it can be reached again.
        m_context.prompts().warning(m_context.promptParent(),
                                    textOr(LangEntry::RecentListUnreachable,
                                           u"The list \"%1\" cannot be reached (%2). It stays on "
                                           u"the recent lists."_s)
                                        .arg(shown, error),
                                    m_context.errorTitle(), false);
        return;
    }
    QString text;
    if (kind == zip::FileKind::Missing)
        text = textOr(LangEntry::RecentListGone,
                      u"The list \"%1\" is no longer there. It was taken off the recent lists."_s);
    else if (QFileInfo(path).isDir())
        text = textOr(LangEntry::RecentListNowFolder,
                      u"\"%1\" is now a folder, not a list. It was taken off the recent lists."_s);
    else
        text = textOr(LangEntry::RecentListNowDevice,
                      u"\"%1\" is now a device or a pipe, not a list. It was taken off the "
                      u"recent lists."_s);
    m_recentLists = withoutRecentList(m_recentLists, path);
    saveRecentLists();
    rebuildRecentMenu();
    m_context.prompts().warning(m_context.promptParent(), text.arg(shown), m_context.errorTitle(),
                                false);
}

void DesktopController::ClearRecentLists()
{
    m_recentLists.clear();
    saveRecentLists();
    rebuildRecentMenu();
}

} // namespace corvane
