// The window's controls as they are built, before any code runs: names,
// kinds, nesting, built-in captions and what is hidden. Layouts keep the
// arrangement (open page: open box left; view page: tree left, grid right,
// filter and details below) and let the window resize.

#include "MainWindowControls.h"

#include "DatePicker.h"
#include "LabInfo.h"
#include "WindowParts.h"
#include "map/ui/MapView.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
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

void buildOpenPage(MainWindowControls &ui)
{
    auto *page = new QVBoxLayout(ui.SSTab1Page0);
    page->setContentsMargins(12, 12, 12, 6);

    ui.Frame2 = newFrame(ui.SSTab1Page0, u"Frame2"_s, u"Open file list"_s);
    page->addWidget(ui.Frame2, 1);
    ui.Label28 = newLabel(ui.SSTab1Page0, u"Label28"_s, u"Label28"_s);
    page->addWidget(ui.Label28);

    auto *frame2Layout = new QHBoxLayout(ui.Frame2);
    frame2Layout->setSpacing(12);
    auto *leftColumn = new QVBoxLayout;
    frame2Layout->addLayout(leftColumn);

    // Frame9: the open button and the summary of the loaded list.
    ui.Frame9 = newFrame(ui.Frame2, u"Frame9"_s, QString());
    ui.Frame9->setMinimumWidth(345);
    leftColumn->addWidget(ui.Frame9);
    auto *f9 = new QVBoxLayout(ui.Frame9);
    f9->setSpacing(10);
    ui.Label7 = newLabel(ui.Frame9, u"Label7"_s,
                         u"Locate the file list on your computer where you saved it"_s);
    ui.Label7->setWordWrap(true);
    f9->addWidget(ui.Label7);
    ui.Command2 = newButton(ui.Frame9, u"Command2"_s, u"Open File List"_s);
    makeBold(ui.Command2);
    ui.Command2->setMinimumSize(193, 45);
    ui.Command2->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    f9->addWidget(ui.Command2);
    ui.Label8 = newLabel(ui.Frame9, u"Label8"_s, u"Label8"_s);
    makeBold(ui.Label8);
    ui.Label8->setWordWrap(true);
    f9->addWidget(ui.Label8);
    ui.LoadProgressBar = named(new QProgressBar(ui.Frame9), u"LoadProgressBar"_s);
    ui.LoadProgressBar->setRange(0, 1000);
    ui.LoadProgressBar->setTextVisible(false);
    ui.LoadProgressBar->hide();
    f9->addWidget(ui.LoadProgressBar);

    auto *counts = new QGridLayout;
    counts->setContentsMargins(20, 0, 0, 0);
    counts->setHorizontalSpacing(12);
    ui.Label2 = newLabel(ui.Frame9, u"Label2"_s, u"Folders"_s);
    ui.Label1 = newLabel(ui.Frame9, u"Label1"_s, u"0"_s);
    ui.Label3 = newLabel(ui.Frame9, u"Label3"_s, u"Files"_s);
    ui.Label4 = newLabel(ui.Frame9, u"Label4"_s, u"0"_s);
    ui.Label5 = newLabel(ui.Frame9, u"Label5"_s, u"Size"_s);
    ui.Label6 = newLabel(ui.Frame9, u"Label6"_s, u"0"_s);
    const QList<QPair<QLabel *, QLabel *>> rows = {
        {ui.Label2, ui.Label1}, {ui.Label3, ui.Label4}, {ui.Label5, ui.Label6}};
    for (int r = 0; r < int(rows.size()); ++r) {
        rows[r].first->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        counts->addWidget(rows[r].first, r, 0);
        counts->addWidget(rows[r].second, r, 1);
    }
    counts->setColumnStretch(2, 1);
    f9->addLayout(counts);
    f9->addStretch(1);

    // Frame3: the choice of a list inside a zip.
    ui.Frame3 = newFrame(ui.Frame2, u"Frame3"_s, u"Multiple File Lists in Zip"_s);
    leftColumn->addWidget(ui.Frame3, 1);
    auto *f3 = new QVBoxLayout(ui.Frame3);
    ui.iGrid3 = named(new QTableView(ui.Frame3), u"iGrid3"_s);
    ui.iGrid3->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ui.iGrid3->setSelectionBehavior(QAbstractItemView::SelectRows);
    ui.iGrid3->setSelectionMode(QAbstractItemView::SingleSelection);
    ui.iGrid3->verticalHeader()->hide();
    ui.iGrid3->setMinimumHeight(133);
    f3->addWidget(ui.iGrid3, 1);
    ui.Label9 = newLabel(ui.Frame3, u"Label9"_s, u"Label9"_s);
    f3->addWidget(ui.Label9);
    ui.ProgressBar1 = named(new QProgressBar(ui.Frame3), u"ProgressBar1"_s);
    ui.ProgressBar1->hide();
    f3->addWidget(ui.ProgressBar1);
    ui.Frame3->hide();
    leftColumn->addStretch(0);

    // Frame7: the box about the lab, and the spare controls.
    ui.Frame7 = newFrame(ui.Frame2, u"Frame7"_s, u"Corvane"_s);
    frame2Layout->addWidget(ui.Frame7, 1);
    auto *f7 = new QVBoxLayout(ui.Frame7);
    ui.Image1 = named(new QLabel(ui.Frame7), u"Image1"_s);
    ui.Image1->hide();
    f7->addWidget(ui.Image1, 0, Qt::AlignHCenter);
    ui.Label25 = newLabel(ui.Frame7, u"Label25"_s, LabInfo::telephone());
    {
        QFont f(u"Times New Roman"_s);
        f.setPointSizeF(14.25);
        ui.Label25->setFont(f);
        setTextColour(ui.Label25, QColor(0x40, 0x40, 0x40));
    }
    ui.Label25->setAlignment(Qt::AlignCenter);
    ui.Label25->hide();
    f7->addWidget(ui.Label25);
    ui.lblLink = newLabel(ui.Frame7, u"lblLink"_s, LabInfo::webAddress());
    makeBold(ui.lblLink);
    ui.lblLink->setAlignment(Qt::AlignCenter);
    ui.lblLink->setMouseTracking(true);
    ui.lblLink->hide();
    f7->addWidget(ui.lblLink);
    ui.Label26 = newLabel(ui.Frame7, u"Label26"_s, u"Label26"_s);
    ui.Label26->setAlignment(Qt::AlignCenter);
    ui.Label26->setWordWrap(true);
    f7->addWidget(ui.Label26);
    f7->addStretch(1);
    ui.Frame7->setMouseTracking(true);
    ui.Frame7->hide();

    ui.Command1 = newButton(ui.Frame2, u"Command1"_s, u"Command1"_s);
    ui.Command1->hide();
    ui.UniTextBox1 = named(new QLineEdit(ui.Frame2), u"UniTextBox1"_s);
    ui.UniTextBox1->hide();

    // While the lab box is hidden the open box keeps its size at the left.
    frame2Layout->addStretch(0);
}

void buildViewPage(MainWindowControls &ui)
{
    auto *page = new QVBoxLayout(ui.SSTab1Page1);
    page->setContentsMargins(8, 6, 8, 8);

    auto *top = new QHBoxLayout;
    top->addStretch(1);
    ui.lblEmail = newLabel(ui.SSTab1Page1, u"lblEmail"_s, u"Dunmere"_s);
    makeBold(ui.lblEmail, 12);
    setTextColour(ui.lblEmail, QColor(0x80, 0, 0));
    ui.lblEmail->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    ui.lblEmail->hide();
    top->addWidget(ui.lblEmail);
    ui.Image2 = named(new QLabel(ui.SSTab1Page1), u"Image2"_s);
    ui.Image2->setFixedSize(32, 32);
    ui.Image2->hide();
    top->addWidget(ui.Image2);
    page->addLayout(top);

    ui.Frame1 = newFrame(ui.SSTab1Page1, u"Frame1"_s, u"Folder Structure "_s);
    page->addWidget(ui.Frame1, 1);
    auto *f1 = new QVBoxLayout(ui.Frame1);

    ui.TreeGridSplitter = named(new QSplitter(Qt::Horizontal, ui.Frame1), u"TreeGridSplitter"_s);
    ui.TreeGridSplitter->setChildrenCollapsible(false);
    f1->addWidget(ui.TreeGridSplitter, 1);

    ui.SftTree1 = named(new QTreeView(ui.TreeGridSplitter), u"SftTree1"_s);
    ui.SftTree1->setUniformRowHeights(true);
    ui.SftTree1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ui.SftTree1->setSelectionMode(QAbstractItemView::SingleSelection);
    ui.SftTree1->setMinimumWidth(150);

    // The file grid, and the recovery map below it (shown when asked for).
    ui.GridMapSplitter =
        named(new QSplitter(Qt::Vertical, ui.TreeGridSplitter), u"GridMapSplitter"_s);
    ui.GridMapSplitter->setChildrenCollapsible(false);
    ui.iGrid2 = named(new QTableView(ui.GridMapSplitter), u"iGrid2"_s);
    ui.iGrid2->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ui.iGrid2->setSelectionBehavior(QAbstractItemView::SelectRows);
    ui.iGrid2->setSelectionMode(QAbstractItemView::SingleSelection);
    ui.iGrid2->verticalHeader()->hide();
    ui.iGrid2->verticalHeader()->setDefaultSectionSize(ui.iGrid2->fontMetrics().height() + 6);
    ui.iGrid2->setShowGrid(false);
    ui.iGrid2->setWordWrap(false);
    ui.iGrid2->horizontalHeader()->setHighlightSections(false);
    ui.iGrid2->setMinimumWidth(200);
    ui.MapView1 = named(new MapView(ui.GridMapSplitter), u"MapView1"_s);
    ui.MapView1->setMinimumHeight(120);
    ui.MapView1->hide();
    ui.GridMapSplitter->addWidget(ui.iGrid2);
    ui.GridMapSplitter->addWidget(ui.MapView1);
    ui.TreeGridSplitter->addWidget(ui.SftTree1);
    ui.TreeGridSplitter->addWidget(ui.GridMapSplitter);
    ui.TreeGridSplitter->setStretchFactor(0, 0);
    ui.TreeGridSplitter->setStretchFactor(1, 1);
    ui.TreeGridSplitter->setSizes({333, 561});

    // The restore basket's bar (filled by its controller).
    ui.basketBar = buildBasketBar(named(new QWidget(ui.Frame1), u"BasketBar"_s));
    f1->addWidget(ui.basketBar.BasketBar);

    auto *bottom = new QHBoxLayout;
    bottom->setSpacing(8);
    f1->addLayout(bottom);

    // Frame4: the term search and the preset filter.
    ui.Frame4 = newFrame(ui.Frame1, u"Frame4"_s, u" Filter"_s);
    bottom->addWidget(ui.Frame4, 3);
    auto *f4 = new QGridLayout(ui.Frame4);
    f4->setVerticalSpacing(4);
    ui.Label10 = newLabel(ui.Frame4, u"Label10"_s, u"Term"_s);
    ui.Label10->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    ui.TXT1 = named(new QLineEdit(ui.Frame4), u"TXT1"_s);
    ui.Command3 = newButton(ui.Frame4, u"Command3"_s, u"Search"_s);
    ui.Label12 = newLabel(ui.Frame4, u"Label12"_s, u"e.g. [*.doc; *reports*.xls;*.mdb;*.jpg]"_s);
    {
        QFont f = ui.Label12->font();
        f.setPointSizeF(f.pointSizeF() * 0.9);
        ui.Label12->setFont(f);
    }
    ui.Label30 = newLabel(ui.Frame4, u"Label30"_s, u"Filter"_s);
    ui.Label30->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    ui.Combo1 = named(new QComboBox(ui.Frame4), u"Combo1"_s);
    ui.Combo1->setEditable(false);
    ui.Command5 = newButton(ui.Frame4, u"Command5"_s, u"Filter"_s);
    ui.Label24 = newLabel(ui.Frame4, u"Label24"_s, u"Label24"_s);
    ui.Label24->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    f4->addWidget(ui.Label10, 0, 0);
    f4->addWidget(ui.TXT1, 0, 1);
    f4->addWidget(ui.Command3, 0, 2);
    // The narrowing as the user types: its count and its words below the
    // pattern hint, in the room the box has (they never widen the frame).
    ui.FindCount = newLabel(ui.Frame4, u"FindCount"_s, QString());
    makeBold(ui.FindCount);
    ui.FindCount->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    ui.FindHint = newLabel(ui.Frame4, u"FindHint"_s, QString());
    ui.FindHint->setFont(ui.Label12->font());
    ui.FindHint->setWordWrap(true);
    ui.FindHint->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    f4->addWidget(ui.Label12, 1, 1, 1, 2);
    f4->addWidget(ui.FindHint, 2, 1, 1, 2);
    f4->addWidget(ui.FindCount, 3, 1, 1, 2);
    f4->addWidget(ui.Label30, 4, 0);
    f4->addWidget(ui.Combo1, 4, 1);
    f4->addWidget(ui.Command5, 4, 2);
    f4->addWidget(ui.Label24, 5, 1, 1, 2);
    f4->setColumnStretch(1, 1);

    // Frame8 member 1: the summary of the loaded list.
    ui.Frame8_1 = newFrame(ui.Frame1, u"Frame8_1"_s, u"File Details"_s);
    bottom->addWidget(ui.Frame8_1, 0);
    auto *f81 = new QGridLayout(ui.Frame8_1);
    ui.Label14 = newLabel(ui.Frame8_1, u"Label14"_s, u"Files"_s);
    ui.Label22 = newLabel(ui.Frame8_1, u"Label22"_s, u"0"_s);
    ui.Label15 = newLabel(ui.Frame8_1, u"Label15"_s, u"Size"_s);
    ui.Label23 = newLabel(ui.Frame8_1, u"Label23"_s, u"0"_s);
    f81->addWidget(ui.Label14, 0, 0);
    f81->addWidget(ui.Label22, 0, 1);
    f81->addWidget(ui.Label15, 1, 0);
    f81->addWidget(ui.Label23, 1, 1);
    f81->setColumnStretch(1, 1);
    f81->setColumnMinimumWidth(1, 90);
    f81->setRowStretch(2, 1);

    // Frame8 member 0: the details panel of the picked file.
    ui.Frame8_0 = newFrame(ui.Frame1, u"Frame8_0"_s, QString());
    bottom->addWidget(ui.Frame8_0, 3);
    auto *f80 = new QGridLayout(ui.Frame8_0);
    ui.UniLabel1 = newLabel(ui.Frame8_0, u"UniLabel1"_s, QString());
    ui.UniLabel1->setWordWrap(true);
    ui.Label17 = newLabel(ui.Frame8_0, u"Label17"_s, u"Modified :"_s);
    ui.Label20 = newLabel(ui.Frame8_0, u"Label20"_s, u"Mod Date"_s);
    ui.Label16 = newLabel(ui.Frame8_0, u"Label16"_s, u"Size :"_s);
    ui.Label19 = newLabel(ui.Frame8_0, u"Label19"_s, u"Size"_s);
    ui.Label18 = newLabel(ui.Frame8_0, u"Label18"_s, u"Attributes :"_s);
    ui.Label21 = newLabel(ui.Frame8_0, u"Label21"_s, u"Attributes"_s);
    for (QLabel *l : {ui.Label17, ui.Label16, ui.Label18})
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    f80->addWidget(ui.UniLabel1, 0, 0, 1, 2);
    f80->addWidget(ui.Label17, 1, 0);
    f80->addWidget(ui.Label20, 1, 1);
    f80->addWidget(ui.Label16, 2, 0);
    f80->addWidget(ui.Label19, 2, 1);
    f80->addWidget(ui.Label18, 3, 0);
    f80->addWidget(ui.Label21, 3, 1);
    f80->setColumnStretch(1, 1);
    f80->setRowStretch(4, 1);

    // Frame6: the date search, From, To and its button.
    ui.Frame6 = newFrame(ui.Frame1, u"Frame6"_s, u"Search by Date"_s);
    bottom->addWidget(ui.Frame6, 0);
    auto *f6 = new QGridLayout(ui.Frame6);
    ui.Label11 = newLabel(ui.Frame6, u"Label11"_s, u"From"_s);
    ui.Label11->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    ui.DTPicker1 = named(new DatePicker(ui.Frame6), u"DTPicker1"_s);
    ui.Label13 = newLabel(ui.Frame6, u"Label13"_s, u"To"_s);
    ui.Label13->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    ui.DTPicker2 = named(new DatePicker(ui.Frame6), u"DTPicker2"_s);
    ui.Command4 = newButton(ui.Frame6, u"Command4"_s, u"Search"_s);
    ui.DateHint = newLabel(ui.Frame6, u"DateHint"_s, QString());
    ui.DateHint->setWordWrap(true);
    // Wrapped to the pickers' width: the panels beside keep theirs.
    ui.DateHint->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    ui.DateHint->hide();
    f6->addWidget(ui.Label11, 0, 0);
    f6->addWidget(ui.DTPicker1, 0, 1);
    f6->addWidget(ui.Label13, 1, 0);
    f6->addWidget(ui.DTPicker2, 1, 1);
    f6->addWidget(ui.Command4, 2, 1);
    f6->addWidget(ui.DateHint, 3, 0, 1, 2);
    f6->setRowStretch(4, 1);
}

void buildMenus(MainWindowControls &ui, QMenuBar *bar)
{
    bar->setObjectName(u"menuBar"_s);
    ui.mnuMenu = named(bar->addMenu(u"Menu"_s), u"mnuMenu"_s);
    ui.mnuReload = named(ui.mnuMenu->addAction(u"Reload Filelist"_s), u"mnuReload"_s);
    ui.mnuShowLan = named(ui.mnuMenu->addAction(u"Show Languages"_s), u"mnuShowLan"_s);
    ui.mnuB1 = named(ui.mnuMenu->addSeparator(), u"mnuB1"_s);
    ui.mnuExit = named(ui.mnuMenu->addAction(u"Exit"_s), u"mnuExit"_s);

    ui.mnuLan = named(bar->addMenu(u"Languages"_s), u"mnuLan"_s);
    ui.mnuEN = named(ui.mnuLan->addAction(u"EN English"_s), u"mnuEN"_s);
    ui.mnuPT = named(ui.mnuLan->addAction(u"PT Portuguese"_s), u"mnuPT"_s);
    ui.mnuGerman = named(ui.mnuLan->addAction(u"DE Deutsch"_s), u"mnuGerman"_s);
    ui.mnuFrench = named(ui.mnuLan->addAction(u"FR Fran\u00e7ais"_s), u"mnuFrench"_s);
    ui.mnuSE = named(ui.mnuLan->addAction(u"SE Svenska"_s), u"mnuSE"_s);
    ui.mnuNL = named(ui.mnuLan->addAction(u"NE Nederlands"_s), u"mnuNL"_s);
}

} // namespace

void MainWindowControls::build(QMainWindow *window)
{
    auto *central = named(new QWidget(window), u"centralWidget"_s);
    window->setCentralWidget(central);
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

    buildOpenPage(*this);
    buildViewPage(*this);
    buildMenus(*this, window->menuBar());

    window->resize(991, 641 + window->menuBar()->sizeHint().height());
}

} // namespace corvane
