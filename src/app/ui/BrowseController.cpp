#include "BrowseController.h"

#include "CommandLock.h"
#include "ListSession.h"
#include "WindowContext.h"
#include "app/language/LanguageTable.h"
#include "browse/FileDetails.h"
#include "browse/FolderListing.h"
#include "browse/ui/FolderTreeModel.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QTableView>
#include <QTreeView>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace corvane {

namespace {

bool iconThemeChecked()
{
    FileTypeIcons::ensureIconTheme();
    return true;
}

} // namespace

BrowseController::BrowseController(WindowContext &context, ListSession &session,
                                   const BrowseWidgets &widgets, QObject *parent)
    : QObject(parent)
    , m_context(context)
    , m_session(session)
    , m_widgets(widgets)
    , m_iconThemeChecked(iconThemeChecked())
    , m_model(m_icons.positions())
{
    m_model.setObjectName(u"iGrid2Model"_s);
    m_model.setDecoration([this](int position) { return QVariant(m_icons.icon(position)); });
    applyOptions();
    m_widgets.treeModel->setFolderIcon(FileTypeIcons::folderImage());
}

void BrowseController::applyOptions()
{
    m_model.setOptions({localeForLanguage(m_context.currentLanguage()), m_context.numberLocale(),
                        m_context.sizeUnits(), m_context.userLocale()});
}

void BrowseController::setupViews()
{
    QTableView *grid = m_widgets.iGrid2;
    grid->setIconSize(QSize(16, 16));
    grid->setSelectionMode(QAbstractItemView::ExtendedSelection);
    grid->setSortingEnabled(true);
    // Name order until a header is clicked; the arrow only shows from then on.
    grid->horizontalHeader()->setSortIndicator(FileGridModel::NameColumn, Qt::AscendingOrder);
    grid->horizontalHeader()->setSortIndicatorShown(false);
    connect(grid->horizontalHeader(), &QHeaderView::sectionClicked, this,
            [grid] { grid->horizontalHeader()->setSortIndicatorShown(true); });
    grid->installEventFilter(this);

    // The keyboard moves through the tree as the mouse does.
    connect(m_widgets.SftTree1->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current) {
                if (current.isValid())
                    ShowFolder(m_widgets.treeModel->itemOf(current));
            });
}

void BrowseController::retranslate()
{
    applyOptions();
    const QModelIndex current = m_widgets.iGrid2->currentIndex();
    if (current.isValid())
        ShowFileDetails(current.row() + 1, current.column() + 1);
}

bool BrowseController::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key == QKeySequence::Copy) {
            copySelectedGridPaths();
            return true;
        }
        // Type-ahead looks at the names, whichever cell of the row is current.
        const QString typed = key->text();
        if (typed.size() == 1 && typed[0].isPrint() &&
            !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
            auto *view = qobject_cast<QAbstractItemView *>(watched);
            const QModelIndex current = view ? view->currentIndex() : QModelIndex();
            if (current.isValid() && current.column() != FileGridModel::NameColumn)
                view->selectionModel()->setCurrentIndex(
                    current.siblingAtColumn(FileGridModel::NameColumn),
                    QItemSelectionModel::NoUpdate);
            return false;
        }
        if (key->key() == Qt::Key_Backspace && key->modifiers() == Qt::NoModifier) {
            // Up one level, like the ".." row.
            if (m_model.listing().hasUpRow())
                OpenGridRow(1, 1, true);
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

// itemIndex is the FolderTree item (0 "Root").
void BrowseController::ShowFolder(int itemIndex)
{
    if (itemIndex == m_session.CurrentFolderItem())
        return;
    const FolderTree &tree = m_session.loadedList().SftTree1;
    if (itemIndex < 0 || itemIndex >= tree.count())
        return;
    BusyPointer busy;
    m_session.setCurrentFolderItem(itemIndex);

    bool encoded = true;
    const QByteArray key =
        folderKey(m_session.loadedList(), m_session.RootPrefix(), itemIndex, &encoded);
    if (encoded) {
        FindFolderLines(key);
    } else {
        // No line can begin with a prefix the list cannot even write.
        m_firstFolderLine = -1;
        m_lastFolderLine = 0;
        FillFileGrid(key);
    }
    m_model.setHeaderData(0, Qt::Horizontal, tree.text(itemIndex));

    // The tree follows: the folder selected, visible and open.
    QTreeView *treeView = m_widgets.SftTree1;
    const QModelIndex index = m_widgets.treeModel->indexOf(itemIndex);
    if (index.isValid()) {
        if (treeView->currentIndex() != index)
            treeView->setCurrentIndex(index);
        treeView->scrollTo(index);
        treeView->expand(index);
    }
    Q_EMIT folderShown(itemIndex);
}

void BrowseController::FindFolderLines(const QByteArray &key)
{
    const FolderLines lines = corvane::FindFolderLines(m_session.loadedList().iGrid1, key);
    m_firstFolderLine = lines.FirstFolderLine;
    m_lastFolderLine = lines.LastFolderLine;
    FillFileGrid(key);
}

void BrowseController::FillFileGrid(const QByteArray &key)
{
    const qint32 item = m_session.CurrentFolderItem();
    FolderListing listing =
        corvane::FillFileGrid(m_session.loadedList().iGrid1, key,
                              {m_firstFolderLine, m_lastFolderLine}, item > 0, m_model.options());
    if (!listing.filled)
        return; // no line stored: the grid keeps what it shows
    listing.item = item;
    const FolderTree &tree = m_session.loadedList().SftTree1;
    if (item >= 0 && item < tree.count())
        listing.header = tree.text(item);
    if (m_filter)
        narrowListing(listing, tree, *m_filter);
    m_model.setListing(std::move(listing));
}

void BrowseController::setListingFilter(std::shared_ptr<const ListingFilter> filter)
{
    if (!filter && !m_filter)
        return;
    m_filter = std::move(filter);
    const qint32 item = m_session.CurrentFolderItem();
    if (item < 0 || item >= m_session.loadedList().SftTree1.count())
        return;
    bool encoded = true;
    const QByteArray key =
        folderKey(m_session.loadedList(), m_session.RootPrefix(), item, &encoded);
    FillFileGrid(key);
}

void BrowseController::ShowFileDetails(int row, int col)
{
    Q_UNUSED(col);
    if (row < 1 || row > m_model.rowCount())
        return;
    const FileDetails details =
        fileDetails(m_model.gridRow(row - 1), m_model.options().numbers, m_model.options().units);
    m_widgets.Label21->setText(details.attributes);
    m_widgets.Label20->setText(details.modified);
    m_widgets.Label19->setText(details.size);
    // The hint follows the row: one for a file, another for a row without
    // attributes.
    Q_EMIT detailsHintChanged(details.hasAttributes ? LangEntry::DetailsHint
                                                    : LangEntry::DetailsNotAFile);
}

void BrowseController::OpenGridRow(int row, int col, bool requestEdit)
{
    Q_UNUSED(col);
    Q_UNUSED(requestEdit);
    if (row < 1 || row > m_model.rowCount())
        return;
    const GridRow &gridRow = m_model.gridRow(row - 1);
    // File rows open nothing; only the ".." row and folder rows move.
    if (gridRow.kind == GridRowKind::File)
        return;
    const FolderTree &tree = m_session.loadedList().SftTree1;
    const qint32 current = m_session.CurrentFolderItem();
    if (current < 0 || current >= tree.count())
        return;
    BusyPointer busy;
    int target = -1;
    if (gridRow.kind == GridRowKind::Up && row == 1)
        target = tree.parent(current);
    else if (gridRow.kind == GridRowKind::Folder)
        target = tree.findChild(current, gridRow.name); // exact, case-sensitive
    if (target < 0)
        return; // no such sub-folder in the tree: nothing changes
    const bool up = gridRow.kind == GridRowKind::Up;
    const QString cameFrom = tree.text(current);
    ShowFolder(target);
    // Up a level, the folder we came from is the current row, as in every
    // file manager.
    if (up)
        SelectGridFolderRow(cameFrom);
}

// After going up a folder: the folder we came from is the current row, and
// in view (and so for a file picked elsewhere).
void BrowseController::selectGridRow(GridRowKind kind, const QString &name)
{
    for (int r = 0; r < m_model.rowCount(); ++r) {
        const GridRow &row = m_model.gridRow(r);
        if (row.kind == kind && row.name == name) {
            const QModelIndex index = m_model.index(r, FileGridModel::NameColumn);
            m_widgets.iGrid2->setCurrentIndex(index);
            m_widgets.iGrid2->scrollTo(index, QAbstractItemView::EnsureVisible);
            return;
        }
    }
}

void BrowseController::copySelectedGridPaths()
{
    QTableView *grid = m_widgets.iGrid2;
    QItemSelectionModel *selection = grid->selectionModel();
    if (!selection || m_model.rowCount() == 0)
        return;
    QModelIndexList rows = selection->selectedRows(FileGridModel::NameColumn);
    if (rows.isEmpty() && grid->currentIndex().isValid())
        rows.append(grid->currentIndex());
    std::sort(rows.begin(), rows.end(),
              [](const QModelIndex &a, const QModelIndex &b) { return a.row() < b.row(); });
    QStringList paths;
    for (const QModelIndex &index : rows) {
        const GridRow &row = m_model.gridRow(index.row());
        paths.append(rowFullPath(m_session.loadedList().iGrid1, m_model.listing(), row));
    }
    if (!paths.isEmpty())
        m_context.prompts().setClipboardText(paths.join(u'\n'));
}

// Called before the line store and the tree are emptied.
void BrowseController::clear()
{
    m_model.clear();
    m_filter.reset();
    m_firstFolderLine = -1;
    m_lastFolderLine = 0;
}

} // namespace corvane
