// The window's controls built (MainWindowControls::build), their models, and
// their signals connected to the window's handlers.

#include "DatePicker.h"
#include "LabInfo.h"
#include "WindowParts.h"
#include "browse/ui/FolderTreeModel.h"
#include "frmMain.h"
#include "map/ui/MapView.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
#include <QStandardItemModel>
#include <QStyle>
#include <QTabWidget>
#include <QTableView>
#include <QTreeView>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace corvane {

void frmMain::buildControls()
{
    m_ui.build(this);
    m_folderTreeModel = new FolderTreeModel(this);
    m_folderTreeModel->setObjectName(u"SftTree1Model"_s);
    m_folderTreeModel->setFolderIcon(style()->standardIcon(QStyle::SP_DirIcon));
    m_folderTreeModel->setHeaderData(0, Qt::Horizontal, u"Path\\Filename"_s);
    m_folderTreeModel->setTree(&m_session->loadedList().SftTree1);
    m_ui.SftTree1->setModel(m_folderTreeModel);
    // The file grid starts with an empty stand-in model; browsing replaces it.
    m_fileGridPlaceholder = new QStandardItemModel(0, 5, this);
    m_fileGridPlaceholder->setObjectName(u"iGrid2PlaceholderModel"_s);
}

void frmMain::connectControls()
{
    connect(m_ui.mnuExit, &QAction::triggered, this, &frmMain::mnuExit_Click);
    connect(m_ui.mnuShowLan, &QAction::triggered, this, &frmMain::mnuShowLan_Click);
    connect(m_ui.mnuReload, &QAction::triggered, this, &frmMain::mnuReload_Click);
    connect(m_ui.mnuEN, &QAction::triggered, this, &frmMain::mnuEN_Click);
    connect(m_ui.mnuPT, &QAction::triggered, this, &frmMain::mnuPT_Click);
    connect(m_ui.mnuGerman, &QAction::triggered, this, &frmMain::mnuGerman_Click);
    connect(m_ui.mnuFrench, &QAction::triggered, this, &frmMain::mnuFrench_Click);
    connect(m_ui.mnuSE, &QAction::triggered, this, &frmMain::mnuSE_Click);
    connect(m_ui.mnuNL, &QAction::triggered, this, &frmMain::mnuNL_Click);

    connect(m_ui.Command2, &QPushButton::clicked, this, &frmMain::Command2_Click);
    connect(m_ui.Command3, &QPushButton::clicked, this, &frmMain::Command3_Click);
    connect(m_ui.Command4, &QPushButton::clicked, this, &frmMain::Command4_Click);
    connect(m_ui.Command5, &QPushButton::clicked, this, &frmMain::Command5_Click);
    connect(m_ui.iGrid3, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex &index) {
        iGrid3_DblClick(index.row() + 1, index.column() + 1);
    });

    connect(m_ui.SftTree1, &QAbstractItemView::clicked, this, [this](const QModelIndex &index) {
        SftTree1_ItemClick(m_folderTreeModel->itemOf(index));
    });
    connect(m_ui.iGrid2, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex &index) {
        iGrid2_DblClick(index.row() + 1, index.column() + 1);
    });
    connect(m_ui.iGrid2, &QAbstractItemView::activated, this, [this](const QModelIndex &index) {
        // Enter on a row opens it like a double-click.
        if (QApplication::mouseButtons() == Qt::NoButton)
            iGrid2_DblClick(index.row() + 1, 1);
    });

    connect(m_ui.SSTab1, &QTabWidget::currentChanged, this, [this](int index) {
        const int previous = m_shownTab;
        m_shownTab = index;
        SSTab1_Click(previous);
    });

    m_ui.lblLink->installEventFilter(this);
    m_ui.Frame7->installEventFilter(this);
}

void frmMain::setFileGridModel(QAbstractItemModel *model)
{
    m_fileGridModel = model ? model : m_fileGridPlaceholder;
    m_ui.iGrid2->setModel(m_fileGridModel);
    if (QItemSelectionModel *selection = m_ui.iGrid2->selectionModel()) {
        connect(selection, &QItemSelectionModel::currentChanged, this,
                [this](const QModelIndex &current, const QModelIndex &) {
                    iGrid2_CurCellChange(current.isValid() ? current.row() + 1 : 0,
                                         current.isValid() ? current.column() + 1 : 0);
                });
    }
    LayoutFileGrid();
}

// The file grid's columns: headers 11, 12, 13 and 14 (the status column 5),
// widths 220, 75, 75, 0 and 170 pixels, column 4 hidden.
void frmMain::LayoutFileGrid()
{
    QAbstractItemModel *model = m_fileGridModel;
    if (!model)
        return;
    const std::optional<LangEntry> headerEntries[5] = {LangEntry::GridName, LangEntry::GridModified,
                                                       LangEntry::GridSize, std::nullopt,
                                                       LangEntry::GridStatus};
    for (int c = 0; c < model->columnCount() && c < 5; ++c) {
        if (headerEntries[c])
            model->setHeaderData(c, Qt::Horizontal, caption(*headerEntries[c]));
    }
    const int widths[5] = {220, 75, 75, 0, 170};
    for (int c = 0; c < 5; ++c)
        m_ui.iGrid2->setColumnWidth(c, widths[c]);
    m_ui.iGrid2->setColumnHidden(3, true);
    QHeaderView *header = m_ui.iGrid2->horizontalHeader();
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // The status column takes what is left of a wide window (170 at least).
    header->setStretchLastSection(true);
}

} // namespace corvane
