// The window's controls as they are built, before any code runs: names,
// kinds, nesting, built-in captions and what is hidden. Layouts keep the
// arrangement (open page: open box left; view page: tree left, grid right,
// filter and details below) and let the window resize.

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

namespace {

QLabel *newLabel(QWidget *parent, const QString &name, const QString &text)
{
    auto *label = named(new QLabel(text, parent), name);
    // Labels show names and values from the list: never markup.
    label->setTextFormat(Qt::PlainText);
    return label;
}

QGroupBox *newFrame(QWidget *parent, const QString &name, const QString &title)
{
    return named(new QGroupBox(title, parent), name);
}

QPushButton *newButton(QWidget *parent, const QString &name, const QString &text)
{
    return named(new QPushButton(text, parent), name);
}

void makeBold(QWidget *widget, qreal pointSize = -1)
{
    QFont f = widget->font();
    f.setBold(true);
    if (pointSize > 0)
        f.setPointSizeF(pointSize);
    widget->setFont(f);
}

void setTextColour(QWidget *widget, const QColor &colour)
{
    QPalette p = widget->palette();
    p.setColor(QPalette::WindowText, colour);
    widget->setPalette(p);
}

} // namespace

void frmMain::buildControls()
{
    auto *central = named(new QWidget(this), u"centralWidget"_s);
    setCentralWidget(central);
    auto *outer = new QVBoxLayout(central);
    outer->setContentsMargins(8, 8, 8, 8);

    m_ui.SSTab1 = named(new QTabWidget(central), u"SSTab1"_s);
    outer->addWidget(m_ui.SSTab1);
    m_ui.SSTab1Page0 = named(new QWidget(m_ui.SSTab1), u"SSTab1Page0"_s);
    m_ui.SSTab1Page1 = named(new QWidget(m_ui.SSTab1), u"SSTab1Page1"_s);
    m_ui.SSTab1->addTab(m_ui.SSTab1Page0, u"Open file list"_s);
    m_ui.SSTab1->addTab(m_ui.SSTab1Page1, u"View list"_s);

    // Two picture boxes outside the tab control, never shown: picIcon is the
    // drawing surface of the file icons.
    m_ui.picIcon = named(new QLabel(central), u"picIcon"_s);
    m_ui.picIcon->setFixedSize(32, 32);
    m_ui.picIcon->hide();
    m_ui.picSmall = named(new QLabel(central), u"picSmall"_s);
    m_ui.picSmall->setFixedSize(16, 16);
    m_ui.picSmall->hide();

    buildOpenPage();
    buildViewPage();
    buildMenus();

    resize(991, 641 + menuBar()->sizeHint().height());
}

void frmMain::buildOpenPage()
{
    auto *page = new QVBoxLayout(m_ui.SSTab1Page0);
    page->setContentsMargins(12, 12, 12, 6);

    m_ui.Frame2 = newFrame(m_ui.SSTab1Page0, u"Frame2"_s, u"Open file list"_s);
    page->addWidget(m_ui.Frame2, 1);
    m_ui.Label28 = newLabel(m_ui.SSTab1Page0, u"Label28"_s, u"Label28"_s);
    page->addWidget(m_ui.Label28);

    auto *frame2Layout = new QHBoxLayout(m_ui.Frame2);
    frame2Layout->setSpacing(12);
    auto *leftColumn = new QVBoxLayout;
    frame2Layout->addLayout(leftColumn);

    // Frame9: the open button and the summary of the loaded list.
    m_ui.Frame9 = newFrame(m_ui.Frame2, u"Frame9"_s, QString());
    m_ui.Frame9->setMinimumWidth(345);
    leftColumn->addWidget(m_ui.Frame9);
    auto *f9 = new QVBoxLayout(m_ui.Frame9);
    f9->setSpacing(10);
    m_ui.Label7 = newLabel(m_ui.Frame9, u"Label7"_s,
                           u"Locate the file list on your computer where you saved it"_s);
    m_ui.Label7->setWordWrap(true);
    f9->addWidget(m_ui.Label7);
    m_ui.Command2 = newButton(m_ui.Frame9, u"Command2"_s, u"Open File List"_s);
    makeBold(m_ui.Command2);
    m_ui.Command2->setMinimumSize(193, 45);
    m_ui.Command2->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    f9->addWidget(m_ui.Command2);
    m_ui.Label8 = newLabel(m_ui.Frame9, u"Label8"_s, u"Label8"_s);
    makeBold(m_ui.Label8);
    m_ui.Label8->setWordWrap(true);
    f9->addWidget(m_ui.Label8);
    m_ui.LoadProgressBar = named(new QProgressBar(m_ui.Frame9), u"LoadProgressBar"_s);
    m_ui.LoadProgressBar->setRange(0, 1000);
    m_ui.LoadProgressBar->setTextVisible(false);
    m_ui.LoadProgressBar->hide();
    f9->addWidget(m_ui.LoadProgressBar);

    auto *counts = new QGridLayout;
    counts->setContentsMargins(20, 0, 0, 0);
    counts->setHorizontalSpacing(12);
    m_ui.Label2 = newLabel(m_ui.Frame9, u"Label2"_s, u"Folders"_s);
    m_ui.Label1 = newLabel(m_ui.Frame9, u"Label1"_s, u"0"_s);
    m_ui.Label3 = newLabel(m_ui.Frame9, u"Label3"_s, u"Files"_s);
    m_ui.Label4 = newLabel(m_ui.Frame9, u"Label4"_s, u"0"_s);
    m_ui.Label5 = newLabel(m_ui.Frame9, u"Label5"_s, u"Size"_s);
    m_ui.Label6 = newLabel(m_ui.Frame9, u"Label6"_s, u"0"_s);
    const QList<QPair<QLabel *, QLabel *>> rows = {
        {m_ui.Label2, m_ui.Label1}, {m_ui.Label3, m_ui.Label4}, {m_ui.Label5, m_ui.Label6}};
    for (int r = 0; r < int(rows.size()); ++r) {
        rows[r].first->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        counts->addWidget(rows[r].first, r, 0);
        counts->addWidget(rows[r].second, r, 1);
    }
    counts->setColumnStretch(2, 1);
    f9->addLayout(counts);
    f9->addStretch(1);

    // Frame3: the choice of a list inside a zip.
    m_ui.Frame3 = newFrame(m_ui.Frame2, u"Frame3"_s, u"Multiple File Lists in Zip"_s);
    leftColumn->addWidget(m_ui.Frame3, 1);
    auto *f3 = new QVBoxLayout(m_ui.Frame3);
    m_ui.iGrid3 = named(new QTableView(m_ui.Frame3), u"iGrid3"_s);
    m_ui.iGrid3->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_ui.iGrid3->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_ui.iGrid3->setSelectionMode(QAbstractItemView::SingleSelection);
    m_ui.iGrid3->verticalHeader()->hide();
    m_ui.iGrid3->setMinimumHeight(133);
    f3->addWidget(m_ui.iGrid3, 1);
    m_ui.Label9 = newLabel(m_ui.Frame3, u"Label9"_s, u"Label9"_s);
    f3->addWidget(m_ui.Label9);
    m_ui.ProgressBar1 = named(new QProgressBar(m_ui.Frame3), u"ProgressBar1"_s);
    m_ui.ProgressBar1->hide();
    f3->addWidget(m_ui.ProgressBar1);
    m_ui.Frame3->hide();
    leftColumn->addStretch(0);

    // Frame7: the box about the lab, and the spare controls.
    m_ui.Frame7 = newFrame(m_ui.Frame2, u"Frame7"_s, u"Corvane"_s);
    frame2Layout->addWidget(m_ui.Frame7, 1);
    auto *f7 = new QVBoxLayout(m_ui.Frame7);
    m_ui.Image1 = named(new QLabel(m_ui.Frame7), u"Image1"_s);
    m_ui.Image1->hide();
    f7->addWidget(m_ui.Image1, 0, Qt::AlignHCenter);
    m_ui.Label25 = newLabel(m_ui.Frame7, u"Label25"_s, LabInfo::telephone());
    {
        QFont f(u"Times New Roman"_s);
        f.setPointSizeF(14.25);
        m_ui.Label25->setFont(f);
        setTextColour(m_ui.Label25, QColor(0x40, 0x40, 0x40));
    }
    m_ui.Label25->setAlignment(Qt::AlignCenter);
    m_ui.Label25->hide();
    f7->addWidget(m_ui.Label25);
    m_ui.lblLink = newLabel(m_ui.Frame7, u"lblLink"_s, LabInfo::webAddress());
    makeBold(m_ui.lblLink);
    m_ui.lblLink->setAlignment(Qt::AlignCenter);
    m_ui.lblLink->setMouseTracking(true);
    m_ui.lblLink->hide();
    f7->addWidget(m_ui.lblLink);
    m_ui.Label26 = newLabel(m_ui.Frame7, u"Label26"_s, u"Label26"_s);
    m_ui.Label26->setAlignment(Qt::AlignCenter);
    m_ui.Label26->setWordWrap(true);
    f7->addWidget(m_ui.Label26);
    f7->addStretch(1);
    m_ui.Frame7->setMouseTracking(true);
    m_ui.Frame7->hide();

    m_ui.Command1 = newButton(m_ui.Frame2, u"Command1"_s, u"Command1"_s);
    m_ui.Command1->hide();
    m_ui.UniTextBox1 = named(new QLineEdit(m_ui.Frame2), u"UniTextBox1"_s);
    m_ui.UniTextBox1->hide();

    // While the lab box is hidden the open box keeps its size at the left.
    frame2Layout->addStretch(0);
}

void frmMain::buildViewPage()
{
    auto *page = new QVBoxLayout(m_ui.SSTab1Page1);
    page->setContentsMargins(8, 6, 8, 8);

    auto *top = new QHBoxLayout;
    top->addStretch(1);
    m_ui.lblEmail = newLabel(m_ui.SSTab1Page1, u"lblEmail"_s, u"Dunmere"_s);
    makeBold(m_ui.lblEmail, 12);
    setTextColour(m_ui.lblEmail, QColor(0x80, 0, 0));
    m_ui.lblEmail->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_ui.lblEmail->hide();
    top->addWidget(m_ui.lblEmail);
    m_ui.Image2 = named(new QLabel(m_ui.SSTab1Page1), u"Image2"_s);
    m_ui.Image2->setFixedSize(32, 32);
    m_ui.Image2->hide();
    top->addWidget(m_ui.Image2);
    page->addLayout(top);

    m_ui.Frame1 = newFrame(m_ui.SSTab1Page1, u"Frame1"_s, u"Folder Structure "_s);
    page->addWidget(m_ui.Frame1, 1);
    auto *f1 = new QVBoxLayout(m_ui.Frame1);

    m_ui.TreeGridSplitter =
        named(new QSplitter(Qt::Horizontal, m_ui.Frame1), u"TreeGridSplitter"_s);
    m_ui.TreeGridSplitter->setChildrenCollapsible(false);
    f1->addWidget(m_ui.TreeGridSplitter, 1);

    m_ui.SftTree1 = named(new QTreeView(m_ui.TreeGridSplitter), u"SftTree1"_s);
    m_ui.SftTree1->setUniformRowHeights(true);
    m_ui.SftTree1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_ui.SftTree1->setSelectionMode(QAbstractItemView::SingleSelection);
    m_ui.SftTree1->setMinimumWidth(150);
    m_folderTreeModel = new FolderTreeModel(this);
    m_folderTreeModel->setObjectName(u"SftTree1Model"_s);
    m_folderTreeModel->setFolderIcon(style()->standardIcon(QStyle::SP_DirIcon));
    m_folderTreeModel->setHeaderData(0, Qt::Horizontal, u"Path\\Filename"_s);
    m_folderTreeModel->setTree(&m_session->loadedList().SftTree1);
    m_ui.SftTree1->setModel(m_folderTreeModel);

    // The file grid, and the recovery map below it (shown when asked for).
    m_ui.GridMapSplitter =
        named(new QSplitter(Qt::Vertical, m_ui.TreeGridSplitter), u"GridMapSplitter"_s);
    m_ui.GridMapSplitter->setChildrenCollapsible(false);
    m_ui.iGrid2 = named(new QTableView(m_ui.GridMapSplitter), u"iGrid2"_s);
    m_ui.iGrid2->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_ui.iGrid2->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_ui.iGrid2->setSelectionMode(QAbstractItemView::SingleSelection);
    m_ui.iGrid2->verticalHeader()->hide();
    m_ui.iGrid2->verticalHeader()->setDefaultSectionSize(m_ui.iGrid2->fontMetrics().height() + 6);
    m_ui.iGrid2->setShowGrid(false);
    m_ui.iGrid2->setWordWrap(false);
    m_ui.iGrid2->horizontalHeader()->setHighlightSections(false);
    m_ui.iGrid2->setMinimumWidth(200);
    m_ui.MapView1 = named(new MapView(m_ui.GridMapSplitter), u"MapView1"_s);
    m_ui.MapView1->setMinimumHeight(120);
    m_ui.MapView1->hide();
    m_ui.GridMapSplitter->addWidget(m_ui.iGrid2);
    m_ui.GridMapSplitter->addWidget(m_ui.MapView1);
    m_ui.TreeGridSplitter->addWidget(m_ui.SftTree1);
    m_ui.TreeGridSplitter->addWidget(m_ui.GridMapSplitter);
    m_ui.TreeGridSplitter->setStretchFactor(0, 0);
    m_ui.TreeGridSplitter->setStretchFactor(1, 1);
    m_ui.TreeGridSplitter->setSizes({333, 561});

    // The file grid starts with an empty stand-in model; browsing replaces it.
    m_fileGridPlaceholder = new QStandardItemModel(0, 5, this);
    m_fileGridPlaceholder->setObjectName(u"iGrid2PlaceholderModel"_s);

    // The restore basket's bar (filled by its controller).
    m_ui.basketBar = buildBasketBar(named(new QWidget(m_ui.Frame1), u"BasketBar"_s));
    f1->addWidget(m_ui.basketBar.BasketBar);

    auto *bottom = new QHBoxLayout;
    bottom->setSpacing(8);
    f1->addLayout(bottom);

    // Frame4: the term search and the preset filter.
    m_ui.Frame4 = newFrame(m_ui.Frame1, u"Frame4"_s, u" Filter"_s);
    bottom->addWidget(m_ui.Frame4, 3);
    auto *f4 = new QGridLayout(m_ui.Frame4);
    f4->setVerticalSpacing(4);
    m_ui.Label10 = newLabel(m_ui.Frame4, u"Label10"_s, u"Term"_s);
    m_ui.Label10->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_ui.TXT1 = named(new QLineEdit(m_ui.Frame4), u"TXT1"_s);
    m_ui.Command3 = newButton(m_ui.Frame4, u"Command3"_s, u"Search"_s);
    m_ui.Label12 =
        newLabel(m_ui.Frame4, u"Label12"_s, u"e.g. [*.doc; *reports*.xls;*.mdb;*.jpg]"_s);
    {
        QFont f = m_ui.Label12->font();
        f.setPointSizeF(f.pointSizeF() * 0.9);
        m_ui.Label12->setFont(f);
    }
    m_ui.Label30 = newLabel(m_ui.Frame4, u"Label30"_s, u"Filter"_s);
    m_ui.Label30->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_ui.Combo1 = named(new QComboBox(m_ui.Frame4), u"Combo1"_s);
    m_ui.Combo1->setEditable(false);
    m_ui.Command5 = newButton(m_ui.Frame4, u"Command5"_s, u"Filter"_s);
    m_ui.Label24 = newLabel(m_ui.Frame4, u"Label24"_s, u"Label24"_s);
    m_ui.Label24->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    f4->addWidget(m_ui.Label10, 0, 0);
    f4->addWidget(m_ui.TXT1, 0, 1);
    f4->addWidget(m_ui.Command3, 0, 2);
    // The narrowing as the user types: its count and its words below the
    // pattern hint, in the room the box has (they never widen the frame).
    m_ui.FindCount = newLabel(m_ui.Frame4, u"FindCount"_s, QString());
    makeBold(m_ui.FindCount);
    m_ui.FindCount->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_ui.FindHint = newLabel(m_ui.Frame4, u"FindHint"_s, QString());
    m_ui.FindHint->setFont(m_ui.Label12->font());
    m_ui.FindHint->setWordWrap(true);
    m_ui.FindHint->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    f4->addWidget(m_ui.Label12, 1, 1, 1, 2);
    f4->addWidget(m_ui.FindHint, 2, 1, 1, 2);
    f4->addWidget(m_ui.FindCount, 3, 1, 1, 2);
    f4->addWidget(m_ui.Label30, 4, 0);
    f4->addWidget(m_ui.Combo1, 4, 1);
    f4->addWidget(m_ui.Command5, 4, 2);
    f4->addWidget(m_ui.Label24, 5, 1, 1, 2);
    f4->setColumnStretch(1, 1);

    // Frame8 member 1: the summary of the loaded list.
    m_ui.Frame8_1 = newFrame(m_ui.Frame1, u"Frame8_1"_s, u"File Details"_s);
    bottom->addWidget(m_ui.Frame8_1, 0);
    auto *f81 = new QGridLayout(m_ui.Frame8_1);
    m_ui.Label14 = newLabel(m_ui.Frame8_1, u"Label14"_s, u"Files"_s);
    m_ui.Label22 = newLabel(m_ui.Frame8_1, u"Label22"_s, u"0"_s);
    m_ui.Label15 = newLabel(m_ui.Frame8_1, u"Label15"_s, u"Size"_s);
    m_ui.Label23 = newLabel(m_ui.Frame8_1, u"Label23"_s, u"0"_s);
    f81->addWidget(m_ui.Label14, 0, 0);
    f81->addWidget(m_ui.Label22, 0, 1);
    f81->addWidget(m_ui.Label15, 1, 0);
    f81->addWidget(m_ui.Label23, 1, 1);
    f81->setColumnStretch(1, 1);
    f81->setColumnMinimumWidth(1, 90);
    f81->setRowStretch(2, 1);

    // Frame8 member 0: the details panel of the picked file.
    m_ui.Frame8_0 = newFrame(m_ui.Frame1, u"Frame8_0"_s, QString());
    bottom->addWidget(m_ui.Frame8_0, 3);
    auto *f80 = new QGridLayout(m_ui.Frame8_0);
    m_ui.UniLabel1 = newLabel(m_ui.Frame8_0, u"UniLabel1"_s, QString());
    m_ui.UniLabel1->setWordWrap(true);
    m_ui.Label17 = newLabel(m_ui.Frame8_0, u"Label17"_s, u"Modified :"_s);
    m_ui.Label20 = newLabel(m_ui.Frame8_0, u"Label20"_s, u"Mod Date"_s);
    m_ui.Label16 = newLabel(m_ui.Frame8_0, u"Label16"_s, u"Size :"_s);
    m_ui.Label19 = newLabel(m_ui.Frame8_0, u"Label19"_s, u"Size"_s);
    m_ui.Label18 = newLabel(m_ui.Frame8_0, u"Label18"_s, u"Attributes :"_s);
    m_ui.Label21 = newLabel(m_ui.Frame8_0, u"Label21"_s, u"Attributes"_s);
    for (QLabel *l : {m_ui.Label17, m_ui.Label16, m_ui.Label18})
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    f80->addWidget(m_ui.UniLabel1, 0, 0, 1, 2);
    f80->addWidget(m_ui.Label17, 1, 0);
    f80->addWidget(m_ui.Label20, 1, 1);
    f80->addWidget(m_ui.Label16, 2, 0);
    f80->addWidget(m_ui.Label19, 2, 1);
    f80->addWidget(m_ui.Label18, 3, 0);
    f80->addWidget(m_ui.Label21, 3, 1);
    f80->setColumnStretch(1, 1);
    f80->setRowStretch(4, 1);

    // Frame6: the date search, From, To and its button.
    m_ui.Frame6 = newFrame(m_ui.Frame1, u"Frame6"_s, u"Search by Date"_s);
    bottom->addWidget(m_ui.Frame6, 0);
    auto *f6 = new QGridLayout(m_ui.Frame6);
    m_ui.Label11 = newLabel(m_ui.Frame6, u"Label11"_s, u"From"_s);
    m_ui.Label11->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_ui.DTPicker1 = named(new DatePicker(m_ui.Frame6), u"DTPicker1"_s);
    m_ui.Label13 = newLabel(m_ui.Frame6, u"Label13"_s, u"To"_s);
    m_ui.Label13->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_ui.DTPicker2 = named(new DatePicker(m_ui.Frame6), u"DTPicker2"_s);
    m_ui.Command4 = newButton(m_ui.Frame6, u"Command4"_s, u"Search"_s);
    m_ui.DateHint = newLabel(m_ui.Frame6, u"DateHint"_s, QString());
    m_ui.DateHint->setWordWrap(true);
    // Wrapped to the pickers' width: the panels beside keep theirs.
    m_ui.DateHint->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_ui.DateHint->hide();
    f6->addWidget(m_ui.Label11, 0, 0);
    f6->addWidget(m_ui.DTPicker1, 0, 1);
    f6->addWidget(m_ui.Label13, 1, 0);
    f6->addWidget(m_ui.DTPicker2, 1, 1);
    f6->addWidget(m_ui.Command4, 2, 1);
    f6->addWidget(m_ui.DateHint, 3, 0, 1, 2);
    f6->setRowStretch(4, 1);
}

void frmMain::buildMenus()
{
    QMenuBar *bar = menuBar();
    bar->setObjectName(u"menuBar"_s);
    m_ui.mnuMenu = named(bar->addMenu(u"Menu"_s), u"mnuMenu"_s);
    m_ui.mnuReload = named(m_ui.mnuMenu->addAction(u"Reload Filelist"_s), u"mnuReload"_s);
    m_ui.mnuShowLan = named(m_ui.mnuMenu->addAction(u"Show Languages"_s), u"mnuShowLan"_s);
    m_ui.mnuB1 = named(m_ui.mnuMenu->addSeparator(), u"mnuB1"_s);
    m_ui.mnuExit = named(m_ui.mnuMenu->addAction(u"Exit"_s), u"mnuExit"_s);

    m_ui.mnuLan = named(bar->addMenu(u"Languages"_s), u"mnuLan"_s);
    m_ui.mnuEN = named(m_ui.mnuLan->addAction(u"EN English"_s), u"mnuEN"_s);
    m_ui.mnuPT = named(m_ui.mnuLan->addAction(u"PT Portuguese"_s), u"mnuPT"_s);
    m_ui.mnuGerman = named(m_ui.mnuLan->addAction(u"DE Deutsch"_s), u"mnuGerman"_s);
    m_ui.mnuFrench = named(m_ui.mnuLan->addAction(u"FR Fran\u00e7ais"_s), u"mnuFrench"_s);
    m_ui.mnuSE = named(m_ui.mnuLan->addAction(u"SE Svenska"_s), u"mnuSE"_s);
    m_ui.mnuNL = named(m_ui.mnuLan->addAction(u"NE Nederlands"_s), u"mnuNL"_s);
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
