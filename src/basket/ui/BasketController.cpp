#include "BasketController.h"

#include "app/ui/CommandLock.h"
#include "app/ui/ListSaveReport.h"
#include "app/ui/ListSession.h"
#include "app/ui/ReadableColours.h"
#include "app/ui/WindowContext.h"
#include "basket/ChosenFiles.h"
#include "basket/LineMapping.h"
#include "browse/FileGridModel.h"
#include "browse/FolderListing.h"
#include "browse/ui/FolderTreeModel.h"
#include "listfile/ListLine.h"
#include "listfile/ListSaver.h"
#include "listfile/OpenCommand.h"
#include "util/BackgroundJob.h"
#include "util/PlainText.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>
#include <memory>
#include <utility>

using namespace Qt::Literals::StringLiterals;

namespace corvane {

namespace {

using basket::FileSystem;

constexpr FileSystem FileSystems[] = {FileSystem::Fat32, FileSystem::ExFat, FileSystem::Ntfs,
                                      FileSystem::Ext4,  FileSystem::Apfs,  FileSystem::HfsPlus};
// A new external drive comes formatted so.
constexpr int DefaultFileSystem = 1;
// A search result this small is found in the list at once; a larger one on
// a worker thread.
constexpr qsizetype MappedAtOnce = 100000;
} // namespace

BasketController::BasketController(WindowContext &context, ListSession &session,
                                   const BasketWidgets &widgets, BasketSources sources,
                                   QObject *parent)
    : QObject(parent)
    , m_context(context)
    , m_session(session)
    , m_widgets(widgets)
    , m_sources(std::move(sources))
    , m_figuresJob(new BackgroundJob(u"BasketFigures"_s, this))
    , m_fingerprintJob(new BackgroundJob(u"ListFingerprint"_s, this))
    , m_mapJob(new BackgroundJob(u"ResultLines"_s, this))
    , m_saveJob(new BackgroundJob(u"RestoreListSaver"_s, this))
    , m_saveTimer(new QTimer(this))
    , m_figuresTimer(new QTimer(this))
{
    connectBar();
    m_widgets.treeModel->setChecks(this);
    m_widgets.gridModel->setChecks(this);
    m_widgets.SftTree1->installEventFilter(this);
    m_widgets.iGrid2->installEventFilter(this);

    // Many ticks in a row are measured and written once.
    m_figuresTimer->setSingleShot(true);
    m_figuresTimer->setInterval(30);
    connect(m_figuresTimer, &QTimer::timeout, this, &BasketController::updateFigures);
    m_saveTimer->setSingleShot(true);
    m_saveTimer->setInterval(500);
    connect(m_saveTimer, &QTimer::timeout, this, &BasketController::saveNow);

    connect(&m_session, &ListSession::aboutToReplace, this, &BasketController::listAboutToGo);
    connect(&m_session, &ListSession::replaced, this, &BasketController::listReplaced);
    retranslate();
    listReplaced();
}

BasketController::~BasketController()
{
    m_widgets.treeModel->setChecks(nullptr);
    m_widgets.gridModel->setChecks(nullptr);
}

void BasketController::connectBar()
{
    const BasketBarControls &bar = m_widgets.bar;
    m_bar = bar.BasketBar;
    m_addShown = bar.BasketAddShown;
    m_removeShown = bar.BasketRemoveShown;
    m_figures = bar.BasketFigures;
    m_save = bar.BasketSave;
    m_empty = bar.BasketEmpty;
    m_chosenPart = bar.BasketTargetRow;
    m_targetLabel = bar.BasketTargetLabel;
    m_capacity = bar.BasketCapacity;
    m_fileSystem = bar.BasketFileSystem;
    m_roomBar = bar.BasketRoomBar;
    m_noFit = bar.BasketNoFit;
    m_tooBig = bar.BasketTooBig;
    m_longPaths = bar.BasketLongPaths;
    for (const FileSystem fs : FileSystems)
        m_fileSystem->addItem(basket::fileSystemName(fs));
    m_fileSystem->setCurrentIndex(DefaultFileSystem);

    // A warning's colour, readable on the bar's background.
    const QColor warn =
        readableColour(QColor(0xB0, 0, 0), m_bar->palette().color(QPalette::Window));
    for (QPushButton *b : {m_noFit, m_tooBig, m_longPaths}) {
        QPalette p = b->palette();
        p.setColor(QPalette::ButtonText, warn);
        b->setPalette(p);
    }

    connect(m_addShown, &QPushButton::clicked, this, &BasketController::addAllShown);
    connect(m_removeShown, &QPushButton::clicked, this, &BasketController::removeAllShown);
    connect(m_empty, &QPushButton::clicked, this, &BasketController::emptyBasket);
    connect(m_save, &QPushButton::clicked, this, &BasketController::saveRestoreList);
    connect(m_noFit, &QPushButton::clicked, this,
            [this] { showWarningFiles(int(basket::Warning::DoesNotFit)); });
    connect(m_tooBig, &QPushButton::clicked, this,
            [this] { showWarningFiles(int(basket::Warning::TooBigForFileSystem)); });
    connect(m_longPaths, &QPushButton::clicked, this,
            [this] { showWarningFiles(int(basket::Warning::PathTooLong)); });
    connect(m_capacity, &QLineEdit::textChanged, this, [this] {
        updateFigures();
        scheduleSave();
    });
    connect(m_fileSystem, &QComboBox::currentIndexChanged, this, [this] {
        updateFigures();
        scheduleSave();
    });
}

QList<QWidget *> BasketController::tabOrder() const
{
    return {m_addShown,   m_removeShown, m_save,   m_empty,    m_capacity,
            m_fileSystem, m_noFit,       m_tooBig, m_longPaths};
}

std::optional<qint64> BasketController::targetCapacity() const
{
    return basket::parseCapacity(m_capacity->text());
}

FileSystem BasketController::targetFileSystem() const
{
    const int i = std::clamp(m_fileSystem->currentIndex(), 0, int(std::size(FileSystems)) - 1);
    return FileSystems[i];
}

basket::RoomOnTarget BasketController::room() const
{
    if (m_room)
        return *m_room;
    return basket::RoomOnTarget(targetFileSystem(), targetCapacity().value_or(OneTerabyte));
}

// -- the check boxes ---------------------------------------------------------

LineStore::Range BasketController::folderLines(int item) const
{
    const LoadedList &list = m_session.loadedList();
    if (item < 0 || item >= list.SftTree1.count())
        return {};
    if (m_folderLines.size() != size_t(list.SftTree1.count()))
        m_folderLines.assign(size_t(list.SftTree1.count()), LineStore::Range{-1, -1});
    LineStore::Range &lines = m_folderLines[size_t(item)];
    if (lines.first < 0) {
        bool ok = false;
        const QByteArray key = folderKey(list, m_session.RootPrefix(), item, &ok);
        lines = ok ? list.iGrid1.prefixRange(key) : LineStore::Range{};
    }
    return lines;
}

// All, some or none of the shown lines [first, last) chosen. A line of a
// search result that the opened list does not hold cannot be chosen and
// does not count.
Qt::CheckState BasketController::checkOf(LineStore::Range shown) const
{
    qsizetype chosen = 0;
    qsizetype choosable = 0;
    if (m_shownToOpened.empty() && !m_session.showsSearchResult()) {
        chosen = m_basket.countIn(shown.first, shown.last);
        choosable = std::max<qsizetype>(shown.size(), 0);
    } else {
        const qsizetype last = std::min<qsizetype>(shown.last, qsizetype(m_shownToOpened.size()));
        for (qsizetype i = std::max<qsizetype>(shown.first, 0); i < last; ++i) {
            const qint32 line = m_shownToOpened[size_t(i)];
            if (line < 0)
                continue;
            ++choosable;
            chosen += m_basket.contains(line) ? 1 : 0;
        }
    }
    if (chosen == 0 || choosable == 0)
        return Qt::Unchecked;
    return chosen == choosable ? Qt::Checked : Qt::PartiallyChecked;
}

Qt::CheckState BasketController::folderCheck(int item) const
{
    return checkOf(folderLines(item));
}

void BasketController::setFolderChosen(int item, bool chosen)
{
    const LineStore::Range lines = folderLines(item);
    chooseShown(lines.first, lines.last, chosen);
}

Qt::CheckState BasketController::rowCheck(const FolderListing &listing, const GridRow &row) const
{
    if (row.kind == GridRowKind::File)
        return checkOf({row.line, row.line + 1});
    if (row.kind == GridRowKind::Folder && listing.item >= 0)
        return folderCheck(m_session.loadedList().SftTree1.findChild(listing.item, row.name));
    return Qt::Unchecked;
}

void BasketController::setRowChosen(const FolderListing &listing, const GridRow &row, bool chosen)
{
    if (row.kind == GridRowKind::File)
        chooseShown(row.line, row.line + 1, chosen);
    else if (row.kind == GridRowKind::Folder && listing.item >= 0)
        setFolderChosen(m_session.loadedList().SftTree1.findChild(listing.item, row.name), chosen);
}

void BasketController::chooseShown(qsizetype first, qsizetype last, bool chosen)
{
    if (first >= last || m_mapping)
        return;
    if (!m_session.showsSearchResult()) {
        m_basket.setRange(first, last, chosen);
    } else {
        last = std::min<qsizetype>(last, qsizetype(m_shownToOpened.size()));
        for (qsizetype i = std::max<qsizetype>(first, 0); i < last; ++i) {
            if (m_shownToOpened[size_t(i)] >= 0)
                m_basket.set(m_shownToOpened[size_t(i)], chosen);
        }
    }
    changed();
}

void BasketController::chooseAllShown(bool chosen)
{
    if (!m_narrowedLines) {
        chooseShown(0, m_session.loadedList().iGrid1.count(), chosen);
        return;
    }
    if (m_mapping)
        return;
    const bool mapped = m_session.showsSearchResult();
    for (const qint32 line : *m_narrowedLines) {
        if (!mapped)
            m_basket.set(line, chosen);
        else if (size_t(line) < m_shownToOpened.size() && m_shownToOpened[size_t(line)] >= 0)
            m_basket.set(m_shownToOpened[size_t(line)], chosen);
    }
    changed();
}

void BasketController::addAllShownWhenFound()
{
    if (m_mapping)
        m_addWhenFound = true;
    else
        chooseAllShown(true);
}

void BasketController::emptyBasket()
{
    if (m_basket.isEmpty())
        return;
    m_basket.clear();
    changed();
}

void BasketController::toggleCurrent(QAbstractItemView *view)
{
    const QModelIndex current = view->currentIndex();
    if (!current.isValid())
        return;
    const QModelIndex name = current.siblingAtColumn(0);
    const QVariant state = name.data(Qt::CheckStateRole);
    if (!state.isValid())
        return;
    view->model()->setData(name, state.toInt() == Qt::Checked ? Qt::Unchecked : Qt::Checked,
                           Qt::CheckStateRole);
}

bool BasketController::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress &&
        (watched == m_widgets.SftTree1 || watched == m_widgets.iGrid2)) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Space && key->modifiers() == Qt::NoModifier) {
            toggleCurrent(static_cast<QAbstractItemView *>(watched));
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

// The boxes of both views, the figures and the saved basket follow.
void BasketController::changed()
{
    m_widgets.SftTree1->viewport()->update();
    m_widgets.iGrid2->viewport()->update();
    // A small choice is measured at once; many ticks of a large one once.
    if (m_basket.count() <= MeasuredAtOnce)
        updateFigures();
    else
        m_figuresTimer->start();
    scheduleSave();
    Q_EMIT choiceChanged();
}

// -- the lists coming and going ----------------------------------------------

void BasketController::listAboutToGo(const LoadedList *incoming)
{
    // The figures are measured on the opened list: nothing reads a list
    // that is about to go.
    m_figuresJob->abandon();
    m_figuresJob->waitForAll();
    m_mapJob->abandon();
    m_mapping = false;
    m_addWhenFound = false;
    m_folderLines.clear();
    if (incoming && m_session.loadKind() == ListSession::LoadKind::SearchResult)
        return; // the opened list stays, and so does its basket
    keepBeforeListGoes();
}

void BasketController::listReplaced()
{
    m_folderLines.clear();
    const LoadedList &shown = m_session.loadedList();
    if (m_session.showsSearchResult()) {
        m_shownToOpened.clear();
        if (shown.iGrid1.count() <= MappedAtOnce) {
            m_shownToOpened = basket::mapLines(shown.iGrid1, m_session.openedList().iGrid1);
        } else {
            // A large result is found in the list on a worker thread, from
            // copies of the two stores (their bytes shared); until then its
            // boxes wait.
            m_mapping = true;
            m_mapJob->start([result = shown.iGrid1, opened = m_session.openedList().iGrid1](
                                const JobRun &) { return basket::mapLines(result, opened); },
                            [this](std::vector<qint32> map) {
                                m_mapping = false;
                                m_shownToOpened = std::move(map);
                                listReplacedShown();
                                if (std::exchange(m_addWhenFound, false))
                                    chooseAllShown(true);
                            });
        }
    } else {
        m_shownToOpened.clear();
        m_shownToOpened.shrink_to_fit();
        m_basket = basket::Basket(shown.iGrid1.count());
        m_sha.clear();
        m_restoreListPath.clear();
        m_room.reset();
        if (shown.fileFound && !shown.iGrid1.isEmpty())
            startFingerprint();
    }
    listReplacedShown();
    updateFigures();
}

// The shown list's boxes and buttons, once its lines are found in the list.
void BasketController::listReplacedShown()
{
    const bool any = !m_session.loadedList().iGrid1.isEmpty() && !m_mapping;
    m_addShown->setEnabled(any);
    m_removeShown->setEnabled(any);
    m_widgets.SftTree1->viewport()->update();
    m_widgets.iGrid2->viewport()->update();
}

// -- the restore list ----------------------------------------------------------

bool BasketController::isSaving() const
{
    return m_saveJob->isRunning();
}

void BasketController::finishSaving()
{
    m_saveJob->waitForAll();
}

void BasketController::saveRestoreList()
{
    if (m_basket.isEmpty() || isSaving() || m_session.isLoading())
        return;
    const QString listFile = m_session.CurrentListFile();
    QString base = QFileInfo(listFile).completeBaseName();
    if (base.isEmpty())
        base = u"list"_s;
    const QString dataFolder = m_context.dataFolder();
    const QString start =
        QDir(m_restoreListPath.isEmpty() ? dialogStartFolder(dataFolder)
                                         : QFileInfo(m_restoreListPath).absolutePath())
            .filePath(base + fileNameSuffix(m_context.langText(LangEntry::BasketRestoreSuffix)) +
                      u".csv"_s);
    QString title = m_context.langText(LangEntry::BasketSaveRestoreList);
    while (title.endsWith(u'.'))
        title.chop(1);
    const QString path = m_context.prompts().saveFile(
        m_context.promptParent(), title, start,
        m_context.langText(LangEntry::FileListsFilter) + u" (*.csv)"_s);
    if (path.isEmpty())
        return;
    const QStringList keep = {listFile,
                              m_sources.zipArchivePath ? m_sources.zipArchivePath() : QString(),
                              QDir(dataFolder).filePath(u"tFile.csv"_s)};
    // The worker has its own copy of the store (its bytes shared) and of
    // the choice, so nothing done meanwhile reaches them.
    m_save->setEnabled(false);
    auto busy = std::make_shared<BusyPointer>();
    m_saveJob->start(
        [store = m_session.openedList().iGrid1, chosen = m_basket, path,
         keep](const JobRun &) mutable {
            SaveListResult result = saveListFile(
                store, path, keep, [&chosen](qsizetype i) { return chosen.contains(i); });
            store = LineStore();
            return result;
        },
        [this, path, busy](const SaveListResult &result) mutable {
            busy.reset();
            m_save->setEnabled(true);
            if (result.ok()) {
                m_restoreListPath = path;
                scheduleSave();
            }
            reportListSave(m_context, path, result);
        });
}

QString BasketController::approvalNote() const
{
    if (m_basket.isEmpty())
        return {};
    // The figures of the choice as it is now, also while they are measured.
    const basket::RoomOnTarget r =
        m_figuresJob->isRunning()
            ? basket::measure(m_session.openedList(), m_basket, targetFileSystem(),
                              targetCapacity().value_or(OneTerabyte), m_session.RootPrefix().size())
            : room();
    QString note =
        m_context.langText(LangEntry::BasketMailChosen)
            .arg(m_context.formatCountShown(m_basket.count()),
                 m_context.formatSizeShown(ByteTotal::fromBytes(r.bytes()).value_or(ByteTotal())));
    if (m_restoreListPath.isEmpty())
        return note + u" "_s + m_context.langText(LangEntry::BasketMailNotSaved);
    // A long name is cut: the mail's address has a length it must keep to.
    QString name = QFileInfo(m_restoreListPath).fileName();
    if (name.size() > 60)
        name = name.left(59) + u"\u2026"_s;
    return note + u" "_s + m_context.langText(LangEntry::BasketMailAttach).arg(name);
}

void BasketController::retranslate()
{
    const auto text = [this](LangEntry entry) { return m_context.langText(entry); };
    m_addShown->setText(text(LangEntry::BasketAddShown));
    m_removeShown->setText(text(LangEntry::BasketRemoveShown));
    m_save->setText(text(LangEntry::BasketSaveRestoreList));
    m_empty->setText(text(LangEntry::BasketEmpty));
    m_targetLabel->setText(text(LangEntry::BasketTarget));
    m_capacity->setPlaceholderText(text(LangEntry::BasketCapacityExample));
    m_fileSystem->setToolTip(text(LangEntry::BasketFileSystem));
    showFigures();
}

} // namespace corvane
