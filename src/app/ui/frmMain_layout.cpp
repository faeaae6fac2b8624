// The window's controls as they are built, before any code runs: names,
// kinds, nesting, built-in captions and what is hidden. Layouts keep the
// arrangement (open page: open box left; view page: tree left, grid right,
// filter and details below) and let the window resize.

#include "DatePicker.h"
#include "browse/ui/FolderTreeModel.h"
#include "frmMain.h"

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

template<class W> W *named(W *widget, const QString &name)
{
    widget->setObjectName(name);
    return widget;
}

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

    SSTab1 = named(new QTabWidget(central), u"SSTab1"_s);
    outer->addWidget(SSTab1);
    SSTab1Page0 = named(new QWidget(SSTab1), u"SSTab1Page0"_s);
    SSTab1Page1 = named(new QWidget(SSTab1), u"SSTab1Page1"_s);
    SSTab1->addTab(SSTab1Page0, u"Open file list"_s);
    SSTab1->addTab(SSTab1Page1, u"View list"_s);

    // Two picture boxes outside the tab control, never shown: picIcon is the
    // drawing surface of the file icons.
    picIcon = named(new QLabel(central), u"picIcon"_s);
    picIcon->setFixedSize(32, 32);
    picIcon->hide();
    picSmall = named(new QLabel(central), u"picSmall"_s);
    picSmall->setFixedSize(16, 16);
    picSmall->hide();

    buildOpenPage();
    buildViewPage();
    buildMenus();

    resize(991, 641 + menuBar()->sizeHint().height());
}

void frmMain::buildOpenPage()
{
    auto *page = new QVBoxLayout(SSTab1Page0);
    page->setContentsMargins(12, 12, 12, 6);

    Frame2 = newFrame(SSTab1Page0, u"Frame2"_s, u"Open file list"_s);
    page->addWidget(Frame2, 1);
    Label28 = newLabel(SSTab1Page0, u"Label28"_s, u"Label28"_s);
    page->addWidget(Label28);

    auto *frame2Layout = new QHBoxLayout(Frame2);
    frame2Layout->setSpacing(12);
    auto *leftColumn = new QVBoxLayout;
    frame2Layout->addLayout(leftColumn);

    // Frame9: the open button and the summary of the loaded list.
    Frame9 = newFrame(Frame2, u"Frame9"_s, QString());
    Frame9->setMinimumWidth(345);
    leftColumn->addWidget(Frame9);
    auto *f9 = new QVBoxLayout(Frame9);
    f9->setSpacing(10);
    Label7 = newLabel(Frame9, u"Label7"_s,
                      u"Locate the file list on your computer where you saved it"_s);
    Label7->setWordWrap(true);
    f9->addWidget(Label7);
    Command2 = newButton(Frame9, u"Command2"_s, u"Open File List"_s);
    makeBold(Command2);
    Command2->setMinimumSize(193, 45);
    Command2->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    f9->addWidget(Command2);
    Label8 = newLabel(Frame9, u"Label8"_s, u"Label8"_s);
    makeBold(Label8);
    Label8->setWordWrap(true);
    f9->addWidget(Label8);
    LoadProgressBar = named(new QProgressBar(Frame9), u"LoadProgressBar"_s);
    LoadProgressBar->setRange(0, 1000);
    LoadProgressBar->setTextVisible(false);
    LoadProgressBar->hide();
    f9->addWidget(LoadProgressBar);

    auto *counts = new QGridLayout;
    counts->setContentsMargins(20, 0, 0, 0);
    counts->setHorizontalSpacing(12);
    Label2 = newLabel(Frame9, u"Label2"_s, u"Folders"_s);
    Label1 = newLabel(Frame9, u"Label1"_s, u"0"_s);
    Label3 = newLabel(Frame9, u"Label3"_s, u"Files"_s);
    Label4 = newLabel(Frame9, u"Label4"_s, u"0"_s);
    Label5 = newLabel(Frame9, u"Label5"_s, u"Size"_s);
    Label6 = newLabel(Frame9, u"Label6"_s, u"0"_s);
    const QList<QPair<QLabel *, QLabel *>> rows = {
        {Label2, Label1}, {Label3, Label4}, {Label5, Label6}};
    for (int r = 0; r < int(rows.size()); ++r) {
        rows[r].first->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        counts->addWidget(rows[r].first, r, 0);
        counts->addWidget(rows[r].second, r, 1);
    }
    counts->setColumnStretch(2, 1);
    f9->addLayout(counts);
    f9->addStretch(1);

    // Frame3: the choice of a list inside a zip.
    Frame3 = newFrame(Frame2, u"Frame3"_s, u"Multiple File Lists in Zip"_s);
    leftColumn->addWidget(Frame3, 1);
    auto *f3 = new QVBoxLayout(Frame3);
    iGrid3 = named(new QTableView(Frame3), u"iGrid3"_s);
    iGrid3->setEditTriggers(QAbstractItemView::NoEditTriggers);
    iGrid3->setSelectionBehavior(QAbstractItemView::SelectRows);
    iGrid3->setSelectionMode(QAbstractItemView::SingleSelection);
    iGrid3->verticalHeader()->hide();
    iGrid3->setMinimumHeight(133);
    f3->addWidget(iGrid3, 1);
    Label9 = newLabel(Frame3, u"Label9"_s, u"Label9"_s);
    f3->addWidget(Label9);
    ProgressBar1 = named(new QProgressBar(Frame3), u"ProgressBar1"_s);
    ProgressBar1->hide();
    f3->addWidget(ProgressBar1);
    Frame3->hide();
    leftColumn->addStretch(0);

    // Frame7: the box about the lab, and the spare controls.
    Frame7 = newFrame(Frame2, u"Frame7"_s, u"Corvane"_s);
    frame2Layout->addWidget(Frame7, 1);
    auto *f7 = new QVBoxLayout(Frame7);
    Image1 = named(new QLabel(Frame7), u"Image1"_s);
    Image1->hide();
    f7->addWidget(Image1, 0, Qt::AlignHCenter);
    Label25 = newLabel(Frame7, u"Label25"_s, LabInfo::telephone());
    {
        QFont f(u"Times New Roman"_s);
        f.setPointSizeF(14.25);
        Label25->setFont(f);
        setTextColour(Label25, QColor(0x40, 0x40, 0x40));
    }
    Label25->setAlignment(Qt::AlignCenter);
    Label25->hide();
    f7->addWidget(Label25);
    lblLink = newLabel(Frame7, u"lblLink"_s, LabInfo::webAddress());
    makeBold(lblLink);
    lblLink->setAlignment(Qt::AlignCenter);
    lblLink->setMouseTracking(true);
    lblLink->hide();
    f7->addWidget(lblLink);
    Label26 = newLabel(Frame7, u"Label26"_s, u"Label26"_s);
    Label26->setAlignment(Qt::AlignCenter);
    Label26->setWordWrap(true);
    f7->addWidget(Label26);
    f7->addStretch(1);
    Frame7->setMouseTracking(true);
    Frame7->hide();

    Command1 = newButton(Frame2, u"Command1"_s, u"Command1"_s);
    Command1->hide();
    UniTextBox1 = named(new QLineEdit(Frame2), u"UniTextBox1"_s);
    UniTextBox1->hide();

    // While the lab box is hidden the open box keeps its size at the left.
    frame2Layout->addStretch(0);
}

void frmMain::buildViewPage()
{
    auto *page = new QVBoxLayout(SSTab1Page1);
    page->setContentsMargins(8, 6, 8, 8);

    auto *top = new QHBoxLayout;
    top->addStretch(1);
    lblEmail = newLabel(SSTab1Page1, u"lblEmail"_s, u"Dunmere"_s);
    makeBold(lblEmail, 12);
    setTextColour(lblEmail, QColor(0x80, 0, 0));
    lblEmail->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblEmail->hide();
    top->addWidget(lblEmail);
    Image2 = named(new QLabel(SSTab1Page1), u"Image2"_s);
    Image2->setFixedSize(32, 32);
    Image2->hide();
    top->addWidget(Image2);
    page->addLayout(top);

    Frame1 = newFrame(SSTab1Page1, u"Frame1"_s, u"Folder Structure "_s);
    page->addWidget(Frame1, 1);
    auto *f1 = new QVBoxLayout(Frame1);

    TreeGridSplitter = named(new QSplitter(Qt::Horizontal, Frame1), u"TreeGridSplitter"_s);
    TreeGridSplitter->setChildrenCollapsible(false);
    f1->addWidget(TreeGridSplitter, 1);

    SftTree1 = named(new QTreeView(TreeGridSplitter), u"SftTree1"_s);
    SftTree1->setUniformRowHeights(true);
    SftTree1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    SftTree1->setSelectionMode(QAbstractItemView::SingleSelection);
    SftTree1->setMinimumWidth(150);
    m_folderTreeModel = new FolderTreeModel(this);
    m_folderTreeModel->setObjectName(u"SftTree1Model"_s);
    m_folderTreeModel->setFolderIcon(style()->standardIcon(QStyle::SP_DirIcon));
    m_folderTreeModel->setHeaderData(0, Qt::Horizontal, u"Path\\Filename"_s);
    m_folderTreeModel->setTree(&m_session->loadedList().SftTree1);
    SftTree1->setModel(m_folderTreeModel);

    iGrid2 = named(new QTableView(TreeGridSplitter), u"iGrid2"_s);
    iGrid2->setEditTriggers(QAbstractItemView::NoEditTriggers);
    iGrid2->setSelectionBehavior(QAbstractItemView::SelectRows);
    iGrid2->setSelectionMode(QAbstractItemView::SingleSelection);
    iGrid2->verticalHeader()->hide();
    iGrid2->verticalHeader()->setDefaultSectionSize(iGrid2->fontMetrics().height() + 6);
    iGrid2->setShowGrid(false);
    iGrid2->setWordWrap(false);
    iGrid2->horizontalHeader()->setHighlightSections(false);
    iGrid2->setMinimumWidth(200);
    TreeGridSplitter->addWidget(SftTree1);
    TreeGridSplitter->addWidget(iGrid2);
    TreeGridSplitter->setStretchFactor(0, 0);
    TreeGridSplitter->setStretchFactor(1, 1);
    TreeGridSplitter->setSizes({333, 561});

    // The file grid starts with an empty stand-in model; browsing replaces it.
    m_fileGridPlaceholder = new QStandardItemModel(0, 5, this);
    m_fileGridPlaceholder->setObjectName(u"iGrid2PlaceholderModel"_s);

    auto *bottom = new QHBoxLayout;
    bottom->setSpacing(8);
    f1->addLayout(bottom);

    // Frame4: the term search and the preset filter.
    Frame4 = newFrame(Frame1, u"Frame4"_s, u" Filter"_s);
    bottom->addWidget(Frame4, 3);
    auto *f4 = new QGridLayout(Frame4);
    f4->setVerticalSpacing(4);
    Label10 = newLabel(Frame4, u"Label10"_s, u"Term"_s);
    Label10->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    TXT1 = named(new QLineEdit(Frame4), u"TXT1"_s);
    Command3 = newButton(Frame4, u"Command3"_s, u"Search"_s);
    Label12 = newLabel(Frame4, u"Label12"_s, u"e.g. [*.doc; *reports*.xls;*.mdb;*.jpg]"_s);
    {
        QFont f = Label12->font();
        f.setPointSizeF(f.pointSizeF() * 0.9);
        Label12->setFont(f);
    }
    Label30 = newLabel(Frame4, u"Label30"_s, u"Filter"_s);
    Label30->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Combo1 = named(new QComboBox(Frame4), u"Combo1"_s);
    Combo1->setEditable(false);
    Command5 = newButton(Frame4, u"Command5"_s, u"Filter"_s);
    Label24 = newLabel(Frame4, u"Label24"_s, u"Label24"_s);
    Label24->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    f4->addWidget(Label10, 0, 0);
    f4->addWidget(TXT1, 0, 1);
    f4->addWidget(Command3, 0, 2);
    f4->addWidget(Label12, 1, 1, 1, 2);
    f4->addWidget(Label30, 2, 0);
    f4->addWidget(Combo1, 2, 1);
    f4->addWidget(Command5, 2, 2);
    f4->addWidget(Label24, 3, 1, 1, 2);
    f4->setColumnStretch(1, 1);

    // Frame8 member 1: the summary of the loaded list.
    Frame8_1 = newFrame(Frame1, u"Frame8_1"_s, u"File Details"_s);
    bottom->addWidget(Frame8_1, 0);
    auto *f81 = new QGridLayout(Frame8_1);
    Label14 = newLabel(Frame8_1, u"Label14"_s, u"Files"_s);
    Label22 = newLabel(Frame8_1, u"Label22"_s, u"0"_s);
    Label15 = newLabel(Frame8_1, u"Label15"_s, u"Size"_s);
    Label23 = newLabel(Frame8_1, u"Label23"_s, u"0"_s);
    f81->addWidget(Label14, 0, 0);
    f81->addWidget(Label22, 0, 1);
    f81->addWidget(Label15, 1, 0);
    f81->addWidget(Label23, 1, 1);
    f81->setColumnStretch(1, 1);
    f81->setColumnMinimumWidth(1, 90);
    f81->setRowStretch(2, 1);

    // Frame8 member 0: the details panel of the picked file.
    Frame8_0 = newFrame(Frame1, u"Frame8_0"_s, QString());
    bottom->addWidget(Frame8_0, 3);
    auto *f80 = new QGridLayout(Frame8_0);
    UniLabel1 = newLabel(Frame8_0, u"UniLabel1"_s, QString());
    UniLabel1->setWordWrap(true);
    Label17 = newLabel(Frame8_0, u"Label17"_s, u"Modified :"_s);
    Label20 = newLabel(Frame8_0, u"Label20"_s, u"Mod Date"_s);
    Label16 = newLabel(Frame8_0, u"Label16"_s, u"Size :"_s);
    Label19 = newLabel(Frame8_0, u"Label19"_s, u"Size"_s);
    Label18 = newLabel(Frame8_0, u"Label18"_s, u"Attributes :"_s);
    Label21 = newLabel(Frame8_0, u"Label21"_s, u"Attributes"_s);
    for (QLabel *l : {Label17, Label16, Label18})
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    f80->addWidget(UniLabel1, 0, 0, 1, 2);
    f80->addWidget(Label17, 1, 0);
    f80->addWidget(Label20, 1, 1);
    f80->addWidget(Label16, 2, 0);
    f80->addWidget(Label19, 2, 1);
    f80->addWidget(Label18, 3, 0);
    f80->addWidget(Label21, 3, 1);
    f80->setColumnStretch(1, 1);
    f80->setRowStretch(4, 1);

    // Frame6: the date search, From, To and its button.
    Frame6 = newFrame(Frame1, u"Frame6"_s, u"Search by Date"_s);
    bottom->addWidget(Frame6, 0);
    auto *f6 = new QGridLayout(Frame6);
    Label11 = newLabel(Frame6, u"Label11"_s, u"From"_s);
    Label11->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    DTPicker1 = named(new DatePicker(Frame6), u"DTPicker1"_s);
    Label13 = newLabel(Frame6, u"Label13"_s, u"To"_s);
    Label13->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    DTPicker2 = named(new DatePicker(Frame6), u"DTPicker2"_s);
    Command4 = newButton(Frame6, u"Command4"_s, u"Search"_s);
    DateHint = newLabel(Frame6, u"DateHint"_s, QString());
    DateHint->setWordWrap(true);
    // Wrapped to the pickers' width: the panels beside keep theirs.
    DateHint->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    DateHint->hide();
    f6->addWidget(Label11, 0, 0);
    f6->addWidget(DTPicker1, 0, 1);
    f6->addWidget(Label13, 1, 0);
    f6->addWidget(DTPicker2, 1, 1);
    f6->addWidget(Command4, 2, 1);
    f6->addWidget(DateHint, 3, 0, 1, 2);
    f6->setRowStretch(4, 1);
}

void frmMain::buildMenus()
{
    QMenuBar *bar = menuBar();
    bar->setObjectName(u"menuBar"_s);
    mnuMenu = named(bar->addMenu(u"Menu"_s), u"mnuMenu"_s);
    mnuReload = named(mnuMenu->addAction(u"Reload Filelist"_s), u"mnuReload"_s);
    mnuShowLan = named(mnuMenu->addAction(u"Show Languages"_s), u"mnuShowLan"_s);
    mnuB1 = named(mnuMenu->addSeparator(), u"mnuB1"_s);
    mnuExit = named(mnuMenu->addAction(u"Exit"_s), u"mnuExit"_s);

    mnuLan = named(bar->addMenu(u"Languages"_s), u"mnuLan"_s);
    mnuEN = named(mnuLan->addAction(u"EN English"_s), u"mnuEN"_s);
    mnuPT = named(mnuLan->addAction(u"PT Portuguese"_s), u"mnuPT"_s);
    mnuGerman = named(mnuLan->addAction(u"DE Deutsch"_s), u"mnuGerman"_s);
    mnuFrench = named(mnuLan->addAction(u"FR Fran\u00e7ais"_s), u"mnuFrench"_s);
    mnuSE = named(mnuLan->addAction(u"SE Svenska"_s), u"mnuSE"_s);
    mnuNL = named(mnuLan->addAction(u"NE Nederlands"_s), u"mnuNL"_s);
}

void frmMain::connectControls()
{
    connect(mnuExit, &QAction::triggered, this, &frmMain::mnuExit_Click);
    connect(mnuShowLan, &QAction::triggered, this, &frmMain::mnuShowLan_Click);
    connect(mnuReload, &QAction::triggered, this, &frmMain::mnuReload_Click);
    connect(mnuEN, &QAction::triggered, this, &frmMain::mnuEN_Click);
    connect(mnuPT, &QAction::triggered, this, &frmMain::mnuPT_Click);
    connect(mnuGerman, &QAction::triggered, this, &frmMain::mnuGerman_Click);
    connect(mnuFrench, &QAction::triggered, this, &frmMain::mnuFrench_Click);
    connect(mnuSE, &QAction::triggered, this, &frmMain::mnuSE_Click);
    connect(mnuNL, &QAction::triggered, this, &frmMain::mnuNL_Click);

    connect(Command2, &QPushButton::clicked, this, &frmMain::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &frmMain::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &frmMain::Command4_Click);
    connect(Command5, &QPushButton::clicked, this, &frmMain::Command5_Click);
    connect(iGrid3, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex &index) {
        iGrid3_DblClick(index.row() + 1, index.column() + 1);
    });

    connect(SftTree1, &QAbstractItemView::clicked, this, [this](const QModelIndex &index) {
        SftTree1_ItemClick(m_folderTreeModel->itemOf(index));
    });
    connect(iGrid2, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex &index) {
        iGrid2_DblClick(index.row() + 1, index.column() + 1);
    });
    connect(iGrid2, &QAbstractItemView::activated, this, [this](const QModelIndex &index) {
        // Enter on a row opens it like a double-click.
        if (QApplication::mouseButtons() == Qt::NoButton)
            iGrid2_DblClick(index.row() + 1, 1);
    });

    connect(SSTab1, &QTabWidget::currentChanged, this, [this](int index) {
        const int previous = m_shownTab;
        m_shownTab = index;
        SSTab1_Click(previous);
    });

    lblLink->installEventFilter(this);
    Frame7->installEventFilter(this);
}

void frmMain::setFileGridModel(QAbstractItemModel *model)
{
    m_fileGridModel = model ? model : m_fileGridPlaceholder;
    iGrid2->setModel(m_fileGridModel);
    if (QItemSelectionModel *selection = iGrid2->selectionModel()) {
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
        iGrid2->setColumnWidth(c, widths[c]);
    iGrid2->setColumnHidden(3, true);
    QHeaderView *header = iGrid2->horizontalHeader();
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // The status column takes what is left of a wide window (170 at least).
    header->setStretchLastSection(true);
}

} // namespace corvane
