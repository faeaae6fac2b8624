#include "CompareWindow.h"

#include "app/ui/ListSaveReport.h"
#include "app/ui/ListSession.h"
#include "app/ui/OpenMessages.h"
#include "app/ui/WindowContext.h"
#include "app/ui/WindowParts.h"
#include "listfile/OpenCommand.h"
#include "util/BackgroundJob.h"
#include "zip/ZipMemberList.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
#include <QStandardItemModel>
#include <QTableView>
#include <QThread>
#include <QTreeView>
#include <QVBoxLayout>

#include <unordered_map>

using namespace Qt::Literals::StringLiterals;

namespace corvane {

namespace {

struct ReadLists
{
    std::shared_ptr<const LoadedList> oldList;
    std::shared_ptr<const LoadedList> newList;
};

// The filter box's rows: a kind of change, or status changes to a class.
struct FilterRow
{
    std::optional<ListChange> only;
    std::optional<StatusClass> became;
};
const std::array<FilterRow, 7> FilterRows = {{
    {std::nullopt, std::nullopt},
    {ListChange::Added, std::nullopt},
    {ListChange::Removed, std::nullopt},
    {ListChange::StatusChanged, std::nullopt},
    {ListChange::SizeChanged, std::nullopt},
    {ListChange::StatusChanged, StatusClass::Bad},
    {ListChange::StatusChanged, StatusClass::Good},
}};

} // namespace

CompareWindow::CompareWindow(WindowContext &context, ListSession &session, QAction *mnuCompare,
                             QObject *parent)
    : QObject(parent)
    , m_context(context)
    , m_session(session)
    , m_action(mnuCompare)
    , m_folders(new QStandardItemModel(this))
    , m_reader(new BackgroundJob(u"corvane-compare-read"_s, this))
{
    if (m_action)
        connect(m_action, &QAction::triggered, this, &CompareWindow::showCompare);
    connect(&m_session, &ListSession::aboutToReplace, this, &CompareWindow::listAboutToGo);
    retranslate();
}

CompareWindow::~CompareWindow() = default;

QWidget *CompareWindow::parentWidget() const
{
    return m_dialog && m_dialog->isVisible() ? static_cast<QWidget *>(m_dialog)
                                             : m_context.promptParent();
}

void CompareWindow::showCompare()
{
    if (m_session.CurrentListFile().isEmpty() || m_session.openedList().lineCount == 0) {
        m_context.prompts().message(m_context.promptParent(),
                                    m_context.langText(LangEntry::CompareNoList), u"Corvane"_s,
                                    false);
        return;
    }
    if (!m_dialog)
        buildDialog();
    bringToFront(m_dialog);
    if (!m_compare->compared() && !isBusy())
        chooseOtherList();
}

void CompareWindow::chooseOtherList()
{
    const QString start = QFileInfo(m_session.CurrentListFile()).absolutePath();
    const QString path =
        m_context.prompts().openFile(parentWidget(), m_context.langText(LangEntry::CompareChoose),
                                     start, m_context.langText(LangEntry::CheckFileFilter));
    if (!path.isEmpty())
        compareWith(path);
}

void CompareWindow::compareWith(const QString &path)
{
    if (!m_dialog)
        buildDialog();
    QString readError;
    const ChosenFile kind = classifyChosenFile(path, &readError);
    const QString shown = QDir::toNativeSeparators(path);
    const auto warn = [&](const QString &text) {
        m_context.prompts().warning(parentWidget(), text, m_context.errorTitle(), false);
    };
    // A zip archive: the list its member grid offers first.
    std::optional<zip::ZipMember> member;
    switch (kind) {
    case ChosenFile::Zip: {
        const zip::ZipListing listing = zip::listZipMembers(path);
        const ZipOpenPlan plan = planZipOpen(listing.members);
        if (!listing.ok() || plan.rows.isEmpty()) {
            warn(listing.ok() ? m_context.langText(LangEntry::CompareZip)
                              : zipListingFailureText(m_context, path, int(listing.error),
                                                      listing.errorText));
            return;
        }
        member = plan.rows.first();
        break;
    }
    case ChosenFile::Missing:
        warn(m_context.langText(LangEntry::ListNotFound) + u"\n\n"_s + shown);
        return;
    case ChosenFile::NotAFile:
        warn(m_context.langText(LangEntry::NotAListFolderOrDevice).arg(shown));
        return;
    case ChosenFile::Unreadable:
        warn(readFailureText(m_context, path, readError, false));
        return;
    case ChosenFile::Empty:
    case ChosenFile::PlainList:
        break;
    }
    if (m_session.isLoading() || m_session.CurrentListFile().isEmpty()) {
        m_context.prompts().beep();
        return;
    }
    m_compare->clear();
    m_folders->clear();
    const LoadedList *opened = &m_session.openedList(); // stays while the reader runs
    const QString openedPath = m_session.CurrentListFile();
    LoadOptions options;
    options.collationLocale = m_context.numberLocale();
    options.folderKinds = false;
    m_summary->setText(m_context.langText(LangEntry::CompareReading).arg(shown));
    m_progress->setRange(0, 0);
    m_progress->show();
    m_stop->show();
    m_reader->start(
        [opened, path, options, member](const JobRun &run) {
            LoadOptions o = options;
            o.stop = run.stopFlag();
            ReadLists lists;
            lists.oldList = std::make_shared<const LoadedList>(*opened);
            if (member) {
                auto read = std::make_shared<LoadedList>();
                QString why;
                if (!zip::loadMemberList(path, *member, o, read.get(), &why)) {
                    read->error = why.isEmpty() ? u"the member cannot be read"_s : why;
                    read->fileFound = true;
                }
                lists.newList = std::move(read);
            } else {
                lists.newList = std::make_shared<const LoadedList>(loadList(path, o));
            }
            return lists;
        },
        [this, path, openedPath, shown, member](const ReadLists &lists) {
            m_progress->setRange(0, 1000);
            m_progress->hide();
            m_stop->hide();
            const LoadedList &read = *lists.newList;
            if (read.stopped) {
                showSummary();
                return;
            }
            if (!read.fileFound || !read.error.isEmpty()) {
                showSummary();
                m_context.prompts().warning(
                    parentWidget(),
                    read.fileFound
                        ? readFailureText(m_context, path, read.error, false)
                        : m_context.langText(LangEntry::ListNotFound) + u"\n\n"_s + shown,
                    m_context.errorTitle(), false);
                return;
            }
            m_oldPath = openedPath;
            m_newPath = path;
            m_oldMember.clear();
            m_newMember = member ? member->name : QString();
            showNames();
            m_compare->compare(lists.oldList, lists.newList);
        });
}

void CompareWindow::swapLists()
{
    if (!m_compare || !m_compare->oldList() || isBusy())
        return;
    std::swap(m_oldPath, m_newPath);
    std::swap(m_oldMember, m_newMember);
    showNames();
    m_folders->clear();
    m_compare->swapLists();
}

void CompareWindow::setFilterRow(int row)
{
    if (row < 0 || row >= int(FilterRows.size()) || !m_compare)
        return;
    if (m_filter->currentIndex() != row)
        m_filter->setCurrentIndex(row);
    m_compare->setFilter(FilterRows[size_t(row)].only, FilterRows[size_t(row)].became);
}

bool CompareWindow::isBusy() const
{
    return m_reader->isRunning() || (m_compare && m_compare->isComparing());
}

bool CompareWindow::waitUntilDone(int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (isBusy() && timer.elapsed() < timeoutMs) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(2);
    }
    QCoreApplication::processEvents();
    return !isBusy();
}

void CompareWindow::listAboutToGo()
{
    // The reader copies the opened list: it ends before that list goes.
    if (m_reader->isRunning()) {
        m_reader->abandon();
        m_reader->waitForAll();
        if (m_progress) {
            m_progress->hide();
            m_stop->hide();
            showSummary();
        }
    }
}

void CompareWindow::showNames()
{
    if (!m_dialog)
        return;
    // A list in a zip archive: the archive's name and the member's.
    const auto name = [](const QString &path, const QString &member) -> QString {
        if (path.isEmpty())
            return u"\u2013"_s;
        const QString file = QFileInfo(path).fileName();
        return member.isEmpty() ? file : file + u':' + member;
    };
    const QString oldPath = m_oldPath.isEmpty() ? m_session.CurrentListFile() : m_oldPath;
    m_oldName->setText(m_context.langText(LangEntry::CompareOld).arg(name(oldPath, m_oldMember)));
    m_newName->setText(m_context.langText(LangEntry::CompareNew).arg(name(m_newPath, m_newMember)));
    m_oldName->setToolTip(QDir::toNativeSeparators(oldPath));
    m_newName->setToolTip(QDir::toNativeSeparators(m_newPath));
    const bool compared = m_compare && m_compare->compared();
    m_swap->setEnabled(compared);
    m_saveCsv->setEnabled(compared);
    m_saveList->setEnabled(compared);
    m_browseNew->setEnabled(!m_newPath.isEmpty());
}

void CompareWindow::showSummary()
{
    if (!m_dialog)
        return;
    const std::shared_ptr<const ComparedLists> &compared = m_compare->compared();
    if (!compared) {
        m_summary->clear();
        return;
    }
    const ComparisonCounts &c = compared->comparison.counts;
    qint64 becameGood = 0;
    qint64 becameBad = 0;
    for (int from = 0; from < 4; ++from) {
        if (StatusClass(from) != StatusClass::Good)
            becameGood += c.became(StatusClass(from), StatusClass::Good);
        if (StatusClass(from) != StatusClass::Bad)
            becameBad += c.became(StatusClass(from), StatusClass::Bad);
    }
    const auto n = [this](qint64 value) { return m_context.formatCountShown(value); };
    m_summary->setText(m_context.langText(LangEntry::CompareSummary)
                           .arg(n(c.added), n(c.removed), n(c.statusChanged), n(becameGood),
                                n(becameBad), n(c.sizeChanged), n(c.unchanged)));
}

void CompareWindow::showComparison()
{
    showNames();
    showSummary();
    fillFolders();
    setFilterRow(std::max(0, m_filter->currentIndex()));
    m_compare->showFolder(-1);
}

void CompareWindow::fillFolders()
{
    m_folders->clear();
    const std::shared_ptr<const ComparedLists> &compared = m_compare->compared();
    if (!compared)
        return;
    const FolderTree &tree = compared->newList->SftTree1;
    const auto n = [this](qint64 value) { return m_context.formatCountShown(value); };
    std::unordered_map<int, QStandardItem *> itemOf;
    for (const FolderChanges &f : compared->comparison.folders) {
        if (f.item < 0 || f.item >= tree.count())
            continue;
        QString text = tree.text(f.item) + u"  "_s;
        const std::array<std::pair<QChar, qint32>, 4> counts = {{{u'+', f.added},
                                                                 {u'\u2212', f.removed},
                                                                 {u'~', f.statusChanged},
                                                                 {u'\u2248', f.sizeChanged}}};
        ListChange most = ListChange::Added;
        qint32 mostCount = -1;
        for (size_t i = 0; i < counts.size(); ++i) {
            if (counts[i].second <= 0)
                continue;
            text += u' ' + counts[i].first + n(counts[i].second);
            if (counts[i].second > mostCount) {
                mostCount = counts[i].second;
                most = ListChange(i);
            }
        }
        auto *row = new QStandardItem(text);
        row->setData(f.item, Qt::UserRole);
        row->setForeground(DifferencesModel::changeColour(most));
        row->setEditable(false);
        QStandardItem *parent = nullptr;
        for (int p = tree.parent(f.item); p >= 0 && !parent; p = tree.parent(p)) {
            const auto found = itemOf.find(p);
            if (found != itemOf.end())
                parent = found->second;
        }
        if (parent)
            parent->appendRow(row);
        else
            m_folders->appendRow(row);
        itemOf.emplace(f.item, row);
    }
    if (m_tree && m_folders->rowCount() > 0)
        m_tree->expand(m_folders->index(0, 0));
}

void CompareWindow::saveDifferences(DifferenceFormat format)
{
    if (!m_compare || !m_compare->compared())
        return;
    const QFileInfo newList(m_newPath);
    const QString proposed = newList.absoluteDir().filePath(
        newList.completeBaseName() + fileNameSuffix(m_context.langText(LangEntry::CompareSuffix)) +
        u".csv"_s);
    const LangEntry title =
        format == DifferenceFormat::Csv ? LangEntry::CompareSaveCsv : LangEntry::CompareSaveList;
    const QString path = m_context.prompts().saveFile(
        parentWidget(), m_context.langText(title), proposed,
        m_context.langText(format == DifferenceFormat::Csv ? LangEntry::CheckResultsFilter
                                                           : LangEntry::CheckFileFilter));
    if (path.isEmpty())
        return;
    const SaveListResult saved = m_compare->saveDifferences(
        path, format, {m_oldPath, m_newPath, m_session.CurrentListFile()});
    const QString shown = QDir::toNativeSeparators(path);
    if (saved.ok()) {
        m_context.prompts().message(parentWidget(),
                                    m_context.langText(LangEntry::CompareSaved).arg(shown),
                                    u"Corvane"_s, false);
        return;
    }
    const QString text = saved.outcome == SaveListResult::Outcome::WouldReplaceOpenFile
                             ? m_context.langText(LangEntry::SaveOverOpenList).arg(shown)
                             : m_context.langText(LangEntry::CompareNotSaved)
                                   .arg(shown, saveFailureReason(m_context, saved));
    m_context.prompts().warning(parentWidget(), text, m_context.errorTitle(), false);
}

} // namespace corvane
