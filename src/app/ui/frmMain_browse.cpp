// Browsing: the folder tree pick (SftTree1), the file grid (iGrid2) and its
// details panel, and the tab switch.

#include "frmMain_browse.h"

#include "CommandLock.h"
#include "browse/FileDetails.h"
#include "browse/FolderListing.h"
#include "browse/ui/FolderTreeModel.h"
#include "frmMain.h"

#include <QApplication>
#include <QGroupBox>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QTableView>
#include <QTreeView>

using namespace Qt::Literals::StringLiterals;

namespace corvane {

BrowseParts::BrowseParts(frmMain &window)
    : QObject(&window), model(icons.positions()), m_window(window)
{
    model.setObjectName(u"iGrid2Model"_s);
    model.setDecoration([this](int position) { return QVariant(icons.icon(position)); });
}

bool BrowseParts::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key == QKeySequence::Copy) {
            m_window.copySelectedGridPaths();
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
            if (model.listing().hasUpRow())
                m_window.OpenGridRow(1, 1, true);
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void frmMain::setupBrowsing()
{
    FileTypeIcons::ensureIconTheme();
    m_browse = new BrowseParts(*this);
    m_browse->model.setOptions(
        {localeForLanguage(m_language), numberLocale(), sizeUnits(), m_settings.locale});
    m_folderTreeModel->setFolderIcon(FileTypeIcons::folderImage());
    setFileGridModel(&m_browse->model);

    iGrid2->setIconSize(QSize(16, 16));
    iGrid2->setSelectionMode(QAbstractItemView::ExtendedSelection);
    iGrid2->setSortingEnabled(true);
    // Name order until a header is clicked; the arrow only shows from then on.
    iGrid2->horizontalHeader()->setSortIndicator(FileGridModel::NameColumn, Qt::AscendingOrder);
    iGrid2->horizontalHeader()->setSortIndicatorShown(false);
    connect(iGrid2->horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this] { iGrid2->horizontalHeader()->setSortIndicatorShown(true); });
    iGrid2->installEventFilter(m_browse);

    // The keyboard moves through the tree as the mouse does.
    connect(SftTree1->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current) {
                if (current.isValid())
                    SftTree1_ItemClick(m_folderTreeModel->itemOf(current));
            });
    // Names in the new language's natural order from the next fill on; the
    // sizes shown and the details panel in its number format at once.
    connect(this, &frmMain::languageChanged, this, [this](int language) {
        m_browse->model.setOptions(
            {localeForLanguage(language), numberLocale(), sizeUnits(), m_settings.locale});
        const QModelIndex current = iGrid2->currentIndex();
        if (current.isValid())
            ShowFileDetails(current.row() + 1, current.column() + 1);
    });
}

FileGridModel *frmMain::fileGrid() const
{
    return &m_browse->model;
}

FileTypeIcons &frmMain::fileTypeIcons() const
{
    return m_browse->icons;
}

int frmMain::GetFileIcon(const QString &fileName)
{
    return m_browse->icons.GetFileIcon(fileName);
}

// A folder picked in the tree; itemIndex is the FolderTree item (0 "Root").
void frmMain::SftTree1_ItemClick(int itemIndex)
{
    ShowFolder(itemIndex);
}

void frmMain::ShowFolder(int itemIndex)
{
    if (itemIndex == m_session->CurrentFolderItem())
        return;
    const FolderTree &tree = m_session->loadedList().SftTree1;
    if (itemIndex < 0 || itemIndex >= tree.count())
        return;
    BusyPointer busy;
    m_session->setCurrentFolderItem(itemIndex);

    bool encoded = true;
    const QByteArray key =
        folderKey(m_session->loadedList(), m_session->RootPrefix(), itemIndex, &encoded);
    if (encoded) {
        FindFolderLines(key);
    } else {
        // No line can begin with a prefix the list cannot even write.
        FirstFolderLine = -1;
        LastFolderLine = 0;
        FillFileGrid(key);
    }
    m_browse->model.setHeaderData(0, Qt::Horizontal, tree.text(itemIndex));

    // The tree follows: the folder selected, visible and open.
    const QModelIndex index = m_folderTreeModel->indexOf(itemIndex);
    if (index.isValid()) {
        if (SftTree1->currentIndex() != index)
            SftTree1->setCurrentIndex(index);
        SftTree1->scrollTo(index);
        SftTree1->expand(index);
    }
}

void frmMain::FindFolderLines(const QByteArray &key)
{
    const FolderLines lines = corvane::FindFolderLines(m_session->loadedList().iGrid1, key);
    FirstFolderLine = lines.FirstFolderLine;
    LastFolderLine = lines.LastFolderLine;
    FillFileGrid(key);
}

void frmMain::FillFileGrid(const QByteArray &key)
{
    FolderListing listing = corvane::FillFileGrid(
        m_session->loadedList().iGrid1, key, {FirstFolderLine, LastFolderLine},
        m_session->CurrentFolderItem() > 0, m_browse->model.options());
    if (!listing.filled)
        return; // no line stored: the grid keeps what it shows
    listing.item = m_session->CurrentFolderItem();
    if (m_session->CurrentFolderItem() >= 0 &&
        m_session->CurrentFolderItem() < m_session->loadedList().SftTree1.count())
        listing.header = m_session->loadedList().SftTree1.text(m_session->CurrentFolderItem());
    m_browse->model.setListing(std::move(listing));
}

// The current cell of the file grid moved; row 0 when there is none.
void frmMain::iGrid2_CurCellChange(int row, int col)
{
    ShowFileDetails(row, col);
}

void frmMain::ShowFileDetails(int row, int col)
{
    Q_UNUSED(col);
    if (row < 1 || row > m_browse->model.rowCount())
        return;
    const FileDetails details =
        fileDetails(m_browse->model.gridRow(row - 1), m_browse->model.options().numbers,
                    m_browse->model.options().units);
    Label21->setText(details.attributes);
    Label20->setText(details.modified);
    Label19->setText(details.size);
    // The hint follows the row: 26 for a file, 32 for a row without attributes.
    SetDetailsHint(details.hasAttributes ? LangEntry::DetailsHint : LangEntry::DetailsNotAFile);
}

// A double-click (or Enter) on a file grid row.
void frmMain::iGrid2_DblClick(int row, int col)
{
    OpenGridRow(row, col, true);
}

void frmMain::OpenGridRow(int row, int col, bool requestEdit)
{
    Q_UNUSED(col);
    Q_UNUSED(requestEdit);
    FileGridModel &model = m_browse->model;
    if (row < 1 || row > model.rowCount())
        return;
    const GridRow &gridRow = model.gridRow(row - 1);
    // File rows open nothing; only the ".." row and folder rows move.
    if (gridRow.kind == GridRowKind::File)
        return;
    const FolderTree &tree = m_session->loadedList().SftTree1;
    if (m_session->CurrentFolderItem() < 0 || m_session->CurrentFolderItem() >= tree.count())
        return;
    BusyPointer busy;
    int target = -1;
    if (gridRow.kind == GridRowKind::Up && row == 1)
        target = tree.parent(m_session->CurrentFolderItem());
    else if (gridRow.kind == GridRowKind::Folder)
        target =
            tree.findChild(m_session->CurrentFolderItem(), gridRow.name); // exact, case-sensitive
    if (target < 0)
        return; // no such sub-folder in the tree: nothing changes
    const bool up = gridRow.kind == GridRowKind::Up;
    const QString cameFrom = tree.text(m_session->CurrentFolderItem());
    ShowFolder(target);
    // Up a level, the folder we came from is the current row, as in every
    // file manager.
    if (up)
        SelectGridFolderRow(cameFrom);
}

// The tab page that was showing before the switch.
void frmMain::SSTab1_Click(int previousTab)
{
    if (previousTab != 0) {
        Frame2->setVisible(true);
        Frame1->setVisible(false);
    } else {
        Frame2->setVisible(false);
        Frame1->setVisible(true);
    }
}

void frmMain::copySelectedGridPaths()
{
    QItemSelectionModel *selection = iGrid2->selectionModel();
    if (!selection || m_browse->model.rowCount() == 0)
        return;
    QModelIndexList rows = selection->selectedRows(FileGridModel::NameColumn);
    if (rows.isEmpty() && iGrid2->currentIndex().isValid())
        rows.append(iGrid2->currentIndex());
    std::sort(rows.begin(), rows.end(),
              [](const QModelIndex &a, const QModelIndex &b) { return a.row() < b.row(); });
    QStringList paths;
    for (const QModelIndex &index : rows) {
        const GridRow &row = m_browse->model.gridRow(index.row());
        paths.append(rowFullPath(m_session->loadedList().iGrid1, m_browse->model.listing(), row));
    }
    if (!paths.isEmpty())
        m_prompts.setClipboardText(paths.join(u'\n'));
}

// Empties the file grid and the two sorted lists of the shown folder
// (ClearViews calls it before the line store and the tree are emptied).
void frmMain::ClearFileGrid()
{
    if (m_browse)
        m_browse->model.clear();
    FirstFolderLine = -1;
    LastFolderLine = 0;
}

} // namespace corvane
