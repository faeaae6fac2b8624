// The window on a desktop: lists dropped on it or named on the command line,
// the lists opened last under "Menu", and the window's size, place, splitter
// and file grid columns remembered from one run to the next.

#include "FileGridColumns.h"
#include "OpenController.h"
#include "ReadableColours.h"
#include "app/desktop/ProgramOptions.h"
#include "app/desktop/RecentLists.h"
#include "app/desktop/WindowPlacement.h"
#include "frmMain.h"
#include "listfile/OpenCommand.h"
#include "listfile/StateFile.h"
#include "util/PlainText.h"
#include "zip/ZipArchive.h"

#include <QAction>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QSplitter>
#include <QStyle>
#include <QTableView>
#include <QTimer>

#include <algorithm>
#include <cstdlib>

using namespace Qt::Literals::StringLiterals;

namespace corvane {

namespace {

// The English words where a language file lacks the entry.
QString textOr(const frmMain &window, LangEntry entry, const QString &english)
{
    const QString text = window.langText(entry);
    return text.isEmpty() ? english : text;
}

// The local files of a drag, in the order given.
QStringList localFiles(const QMimeData *mime)
{
    QStringList files;
    if (!mime || !mime->hasUrls())
        return files;
    const QList<QUrl> urls = mime->urls();
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

// The settings are a few dozen short lines; anything far bigger is not ours.
constexpr qint64 SettingsMaxBytes = 1024 * 1024;

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

// Takes drags and drops for the window (and every child that does not take
// them itself).
class DropTarget : public QObject
{
public:
    explicit DropTarget(frmMain &window) : QObject(&window), m_window(window)
    {
        window.setAcceptDrops(true);
        window.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched != &m_window)
            return QObject::eventFilter(watched, event);
        switch (event->type()) {
        case QEvent::PaletteChange:
            m_window.followPalette();
            return QObject::eventFilter(watched, event);
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto *drag = static_cast<QDragMoveEvent *>(event);
            if (m_window.canOpenList() && !localFiles(drag->mimeData()).isEmpty())
                drag->acceptProposedAction();
            else
                drag->ignore();
            return true;
        }
        case QEvent::Drop: {
            auto *drop = static_cast<QDropEvent *>(event);
            const QList<QUrl> urls = drop->mimeData() ? drop->mimeData()->urls() : QList<QUrl>();
            if (m_window.OpenDroppedFiles(urls))
                drop->acceptProposedAction();
            else
                drop->ignore();
            return true;
        }
        default:
            return QObject::eventFilter(watched, event);
        }
    }

private:
    frmMain &m_window;
};

// Settings keys.
const QString GeometryKey = u"Window/Geometry"_s;
const QString MaximizedKey = u"Window/Maximized"_s;
const QString SplitterKey = u"Window/TreeGridSplitter"_s;
const QString ColumnWidthsKey = u"FileGrid/ColumnWidths"_s;
const QString SortColumnKey = u"FileGrid/SortColumn"_s;
const QString SortOrderKey = u"FileGrid/SortOrder"_s;
const QString SortShownKey = u"FileGrid/SortShown"_s;

// A list of whole numbers as the settings file holds it; empty when any
// element is not one.
QList<int> readInts(const QVariant &value)
{
    QList<int> numbers;
    const QStringList texts = value.toStringList();
    for (const QString &text : texts) {
        bool ok = false;
        const int n = text.trimmed().toInt(&ok);
        if (!ok)
            return {};
        numbers.append(n);
    }
    return numbers;
}

QVariantList toVariants(const QList<int> &numbers)
{
    QVariantList values;
    for (int n : numbers)
        values.append(n);
    return values;
}

// A rectangle written as four numbers "x y width height"; QRect() when it is
// anything else.
QRect readRect(const QVariant &value)
{
    const QList<int> n = readInts(value);
    if (n.size() != 4 || n[2] <= 0 || n[3] <= 0 || n[2] > 100000 || n[3] > 100000 ||
        std::abs(n[0]) > 1000000 || std::abs(n[1]) > 1000000)
        return {};
    return QRect(n[0], n[1], n[2], n[3]);
}

bool readBool(const QVariant &value, bool fallback)
{
    const QString text = value.toString().trimmed().toLower();
    if (text == u"true"_s)
        return true;
    if (text == u"false"_s)
        return false;
    return fallback;
}

} // namespace

void frmMain::setupDesktop()
{
    new DropTarget(*this);
    // A list dropped over a text box opens too, instead of its path being
    // typed into the box.
    const QList<QLineEdit *> boxes = findChildren<QLineEdit *>();
    for (QLineEdit *box : boxes)
        box->setAcceptDrops(false);
    // Installed: the icon of the desktop entry, so that the window and the
    // launcher show the same picture.
    const QString installedIcon = u"org.corvane.Corvane"_s;
    if (QIcon::hasThemeIcon(installedIcon))
        setWindowIcon(QIcon::fromTheme(installedIcon, windowIcon()));

    mnuRecent = new QMenu(mnuMenu);
    mnuRecent->setObjectName(u"mnuRecent"_s);
    mnuRecent->menuAction()->setObjectName(u"mnuRecent"_s);
    mnuMenu->insertMenu(mnuShowLan, mnuRecent);
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
    connect(this, &frmMain::languageChanged, this, &frmMain::rebuildRecentMenu);
    // Every list that comes in counts: chosen in the dialog, dropped, named
    // on the command line or picked from this menu. A zip counts as itself.
    connect(this, &frmMain::listLoaded, this, [this] {
        if (loadedList().fileFound)
            rememberRecentList(m_open->listFromZip() ? m_open->zipArchivePath()
                                                     : m_session->CurrentListFile());
    });

    // The default size, or what the screen holds of it (a small screen, a
    // large scale factor), the title bar of the frame counted in; a size
    // remembered from the last run comes after.
    const QSize wanted = size();
    const QRect screen = availableScreens().value(0);
    const QSize first =
        firstWindowSize(wanted, screen, QSize(0, style()->pixelMetric(QStyle::PM_TitleBarHeight)),
                        minimumSizeHint());
    if (first != wanted) {
        resize(first);
        move(screen.topLeft());
    }
    restoreWindowState();
    followPalette();
}

// The labels drawn in a colour of their own keep that colour where it can be
// read on the window's background, and get a lighter or darker one of the same
// hue where it cannot (dark red or black on a dark desktop).
void frmMain::followPalette()
{
    const QColor background = palette().color(QPalette::Window);
    for (QLabel *label : {lblEmail, Label25, lblLink}) {
        const char *designed = "corvaneDesignedColour";
        QVariant wanted = label->property(designed);
        if (!wanted.isValid()) {
            wanted = label->palette().color(QPalette::WindowText);
            label->setProperty(designed, wanted);
        }
        QPalette p = label->palette();
        p.setColor(QPalette::WindowText, readableColour(wanted.value<QColor>(), background));
        label->setPalette(p);
    }
}

void frmMain::ReportIgnoredStateFile(const QString &path, StateFileProblem problem) const
{
    const std::optional<LangEntry> entry = ignoredStateFileEntry(problem);
    if (!entry || m_reportedStateFiles.contains(path))
        return;
    m_reportedStateFiles.insert(path);
    const QString text =
        textOr(*this, *entry,
               u"Corvane's own file \"%1\" is not a plain file; it was left alone."_s)
            .arg(QDir::toNativeSeparators(path));
    // After what runs now: never a box in the middle of building the window.
    auto *self = const_cast<frmMain *>(this);
    QTimer::singleShot(
        0, self, [self, text] { self->m_prompts.warning(self, text, self->errorTitle(), false); });
}

StateFileProblem frmMain::CheckSettingsFile() const
{
    if (!remembers())
        return StateFileProblem::Missing;
    const StateFileProblem problem = checkStateFile(m_settings.settingsFile, SettingsMaxBytes);
    ReportIgnoredStateFile(m_settings.settingsFile, problem);
    return problem;
}

bool frmMain::canOpenList() const
{
    return !isLoading() && Command2->isEnabled() && mnuMenu->menuAction()->isEnabled();
}

// -- opening from outside ---------------------------------------------------

// As if path had been chosen in the open dialog: its folder is remembered in
// LastFolder.inc, then the open command's decisions follow.
void frmMain::OpenFromOutside(const QString &path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    StateFileProblem problem = StateFileProblem::None;
    writeLastFolder(dataFolder(), absolute, &problem);
    ReportIgnoredStateFile(QDir(dataFolder()).filePath(QString::fromUtf16(LastFolderFileName)),
                           problem);
    m_open->openFile(absolute);
}

bool frmMain::OpenDroppedFiles(const QList<QUrl> &urls)
{
    if (!canOpenList())
        return false;
    QStringList files;
    for (const QUrl &url : urls) {
        if (url.isLocalFile() && !url.toLocalFile().isEmpty())
            files.append(url.toLocalFile());
    }
    if (files.isEmpty())
        return false;
    const QString path = files.first();
    const QString shown = QDir::toNativeSeparators(path);
    const QFileInfo info(path);
    if (info.isDir()) {
        m_prompts.warning(this,
                          textOr(*this, LangEntry::DropIsFolder,
                                 u"\"%1\" is a folder. Drop a list (.csv) or a zip archive "
                                 u"(.zip) onto the window."_s)
                              .arg(shown),
                          errorTitle(), false);
        return false;
    }
    if (info.exists() && !looksLikeList(path)) {
        m_prompts.warning(this,
                          textOr(*this, LangEntry::DropNotAList,
                                 u"\"%1\" is not a file list. Corvane opens lists (.csv) and "
                                 u"zip archives (.zip)."_s)
                              .arg(shown),
                          errorTitle(), false);
        return false;
    }
    OpenFromOutside(path);
    if (files.size() > 1) {
        m_prompts.message(this,
                          textOr(*this, LangEntry::OnlyFirstDropOpened,
                                 u"Only the first of the %1 files was opened: %2"_s)
                              .arg(files.size())
                              .arg(shown),
                          u"Corvane"_s, false);
    }
    return true;
}

void frmMain::OpenListsFromCommandLine(const QStringList &paths)
{
    if (paths.isEmpty())
        return;
    OpenListFromCommandLine(paths.first());
    if (paths.size() > 1) {
        m_prompts.message(
            this,
            textOr(*this, LangEntry::OnlyFirstDropOpened,
                   u"Only the first of the %1 files was opened: %2"_s)
                .arg(paths.size())
                .arg(QDir::toNativeSeparators(QFileInfo(paths.first()).absoluteFilePath())),
            u"Corvane"_s, false);
    }
}

// -- the lists opened last ----------------------------------------------------

void frmMain::rememberRecentList(const QString &path)
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

bool frmMain::remembers() const
{
    return !m_settings.settingsFile.isEmpty();
}

void frmMain::saveRecentLists()
{
    if (!remembers())
        return;
    StateFileProblem problem = StateFileProblem::None;
    writeRecentLists(dataFolder(), m_recentLists, &problem);
    ReportIgnoredStateFile(QDir(dataFolder()).filePath(QString::fromUtf16(RecentListsFileName)),
                           problem);
}

void frmMain::rebuildRecentMenu()
{
    mnuRecent->setTitle(textOr(*this, LangEntry::RecentListsMenu, u"Recent Lists"_s));
    mnuRecent->clear();
    if (m_recentLists.isEmpty()) {
        QAction *none =
            mnuRecent->addAction(textOr(*this, LangEntry::NoRecentLists, u"No recent lists"_s));
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
        QAction *entry = mnuRecent->addAction(label);
        entry->setObjectName(u"mnuRecent%1"_s.arg(i + 1));
        entry->setToolTip(plainToolTip(QDir::toNativeSeparators(m_recentLists.at(i))));
        const int index = int(i);
        connect(entry, &QAction::triggered, this, [this, index] { OpenRecentList(index); });
    }
    mnuRecent->addSeparator();
    QAction *clear =
        mnuRecent->addAction(textOr(*this, LangEntry::ClearRecentLists, u"Clear Recent Lists"_s));
    clear->setObjectName(u"mnuRecentClear"_s);
    connect(clear, &QAction::triggered, this, &frmMain::ClearRecentLists);
}

void frmMain::OpenRecentList(int index)
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
        m_prompts.warning(this,
                          textOr(*this, LangEntry::RecentListUnreachable,
                                 u"The list \"%1\" cannot be reached (%2). It stays on the "
                                 u"recent lists."_s)
                              .arg(shown, error),
                          errorTitle(), false);
        return;
    }
    QString text;
    if (kind == zip::FileKind::Missing)
        text = textOr(*this, LangEntry::RecentListGone,
                      u"The list \"%1\" is no longer there. It was taken off the recent lists."_s);
    else if (QFileInfo(path).isDir())
        text = textOr(*this, LangEntry::RecentListNowFolder,
                      u"\"%1\" is now a folder, not a list. It was taken off the recent lists."_s);
    else
        text = textOr(*this, LangEntry::RecentListNowDevice,
                      u"\"%1\" is now a device or a pipe, not a list. It was taken off the "
                      u"recent lists."_s);
    m_recentLists = withoutRecentList(m_recentLists, path);
    saveRecentLists();
    rebuildRecentMenu();
    m_prompts.warning(this, text.arg(shown), errorTitle(), false);
}

void frmMain::ClearRecentLists()
{
    m_recentLists.clear();
    saveRecentLists();
    rebuildRecentMenu();
}

// -- the window as it was left ------------------------------------------------

void frmMain::saveWindowState() const
{
    if (!remembers())
        return;
    // QSettings saves through a link to wherever it points: a settings file
    // that is not a plain file of ours is left as it is.
    const StateFileProblem problem = CheckSettingsFile();
    if (problem != StateFileProblem::None && problem != StateFileProblem::Missing)
        return;
    if (!ensureStateFolder(QFileInfo(m_settings.settingsFile).absolutePath(), {}))
        return;
    QSettings store(m_settings.settingsFile, QSettings::IniFormat);
    const QRect normal = isMaximized() || isFullScreen() ? normalGeometry() : geometry();
    store.setValue(GeometryKey,
                   toVariants({normal.x(), normal.y(), normal.width(), normal.height()}));
    store.setValue(MaximizedKey, isMaximized());
    store.setValue(SplitterKey, toVariants(TreeGridSplitter->sizes()));
    // Only the widths the user set by hand are kept (0: sized to its
    // contents); the others follow the contents of whatever list is shown.
    QList<int> widths;
    QHeaderView *header = iGrid2->horizontalHeader();
    const QMap<int, int> userWidths = m_fileGridColumns->userWidths();
    for (int c = 0; c < header->count(); ++c)
        widths.append(userWidths.value(c, 0));
    store.setValue(ColumnWidthsKey, toVariants(widths));
    store.setValue(SortColumnKey, header->sortIndicatorSection());
    store.setValue(SortOrderKey, header->sortIndicatorOrder() == Qt::DescendingOrder
                                     ? u"descending"_s
                                     : u"ascending"_s);
    store.setValue(SortShownKey, header->isSortIndicatorShown());
    // A settings file that cannot be written is left as it is: the next run
    // starts with what it holds, or with the defaults.
    store.sync();
}

QList<QRect> frmMain::availableScreens() const
{
    if (m_settings.screens)
        return m_settings.screens();
    QList<QRect> screens;
    if (QScreen *primary = QGuiApplication::primaryScreen())
        screens.append(primary->availableGeometry());
    const QList<QScreen *> all = QGuiApplication::screens();
    for (QScreen *screen : all) {
        if (screen != QGuiApplication::primaryScreen())
            screens.append(screen->availableGeometry());
    }
    return screens;
}

void frmMain::restoreWindowState()
{
    if (CheckSettingsFile() != StateFileProblem::None)
        return;
    const QSettings store(m_settings.settingsFile, QSettings::IniFormat);
    // Whatever a damaged file holds, each value is checked on its own and a
    // value that makes no sense leaves the default in place.
    const QRect saved = readRect(store.value(GeometryKey));
    if (saved.isValid()) {
        const QRect placed = placeOnScreens(saved, availableScreens(), minimumSizeHint());
        if (placed.isValid())
            setGeometry(placed);
    }
    if (readBool(store.value(MaximizedKey), false))
        setWindowState(windowState() | Qt::WindowMaximized);

    const QList<int> splitter = readInts(store.value(SplitterKey));
    if (splitter.size() == TreeGridSplitter->count() &&
        std::all_of(splitter.cbegin(), splitter.cend(), [](int n) { return n > 0; }))
        TreeGridSplitter->setSizes(splitter);

    QHeaderView *header = iGrid2->horizontalHeader();
    const QList<int> widths = readInts(store.value(ColumnWidthsKey));
    if (widths.size() == header->count() &&
        std::all_of(widths.cbegin(), widths.cend(), [](int w) { return w >= 0 && w <= 4000; }))
        m_rememberedColumnWidths = widths;
    // The hidden column stays so; a width of 0 was sized to its contents.
    QMap<int, int> userWidths;
    for (int c = 0; c < widths.size() && c < header->count(); ++c) {
        if (!header->isSectionHidden(c) && widths[c] >= 16 && widths[c] <= 4000)
            userWidths.insert(c, widths[c]);
    }
    if (!userWidths.isEmpty())
        m_fileGridColumns->setUserWidths(userWidths);
    bool ok = false;
    const int sortColumn = store.value(SortColumnKey).toString().toInt(&ok);
    if (ok && sortColumn >= 0 && sortColumn < header->count() &&
        !header->isSectionHidden(sortColumn)) {
        const QString order = store.value(SortOrderKey).toString();
        header->setSortIndicator(sortColumn, order == u"descending"_s ? Qt::DescendingOrder
                                                                      : Qt::AscendingOrder);
        header->setSortIndicatorShown(readBool(store.value(SortShownKey), false));
    }
}

} // namespace corvane
