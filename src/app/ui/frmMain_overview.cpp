// The recovery overview in the window: the folder tree's files, size and
// recovery columns (sortable from the header, hideable from its context
// menu, the choice remembered), and the legend of the whole list's statuses
// under its file count and size. The totals are computed on the loader's thread
// and swapped in with the list.

#include "frmMain_overview.h"

#include "FolderTreeColumns.h"
#include "browse/ui/FolderTreeModel.h"
#include "browse/ui/RecoveryBarDelegate.h"
#include "browse/ui/RecoveryLegend.h"
#include "browse/ui/StatusColours.h"
#include "frmMain.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QSettings>
#include <QSplitter>
#include <QTreeView>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace corvane {

namespace {

// A column's first width: the numbers as wide as the longest a folder shows
// in the tree's font (millions of entries, "1 023,9 Mb" in any language's
// separators), so that all four columns fit the tree at the window's
// default size.
int columnWidth(const QWidget *tree, int section)
{
    const QFontMetrics metrics = tree->fontMetrics();
    switch (section) {
    case FolderTreeModel::NameColumn:
        return 170;
    case FolderTreeModel::FilesColumn:
        return std::max(56, metrics.horizontalAdvance(u"8 888 888"_s) + 14);
    case FolderTreeModel::SizeColumn:
        return std::max(70, metrics.horizontalAdvance(u"8 888,8 Mb"_s) + 14);
    default:
        return 90;
    }
}

const QString hiddenColumnsKey = u"FolderTree/HiddenColumns"_s;

// The box that holds the "File Details" frame, to give it a share of the row.
QBoxLayout *layoutHolding(QWidget *widget)
{
    QWidget *parent = widget->parentWidget();
    if (!parent || !parent->layout())
        return nullptr;
    QList<QLayout *> pending = {parent->layout()};
    while (!pending.isEmpty()) {
        QLayout *layout = pending.takeFirst();
        if (layout->indexOf(widget) >= 0)
            return qobject_cast<QBoxLayout *>(layout);
        for (int i = 0; i < layout->count(); ++i) {
            if (QLayout *inner = layout->itemAt(i)->layout())
                pending.append(inner);
        }
    }
    return nullptr;
}

} // namespace

void frmMain::setupOverview()
{
    m_overview = new OverviewParts(this);
    // The hidden tree columns are kept with the rest of the window's state.
    m_overview->settingsFile = m_settings.settingsFile;

    // The tree's columns.
    m_overview->delegate = new RecoveryBarDelegate(SftTree1);
    SftTree1->setItemDelegateForColumn(FolderTreeModel::RecoveryColumn, m_overview->delegate);
    SftTree1->setSortingEnabled(true);
    SftTree1->sortByColumn(FolderTreeModel::NameColumn, Qt::AscendingOrder);
    QHeaderView *header = SftTree1->header();
    header->setSectionsClickable(true);
    header->setStretchLastSection(false);
    header->setSectionResizeMode(FolderTreeModel::NameColumn, QHeaderView::Interactive);
    for (int section = 0; section < FolderTreeModel::ColumnCount; ++section)
        header->resizeSection(section, columnWidth(SftTree1, section));
    header->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(header, &QHeaderView::customContextMenuRequested, this, &frmMain::SftTree1_HeaderMenu);
    // The names get the width the numbers and bars leave.
    new FolderTreeColumns(SftTree1);
    if (!m_overview->settingsFile.isEmpty() && CheckSettingsFile() == StateFileProblem::None) {
        const QSettings settings(m_overview->settingsFile, QSettings::IniFormat);
        const QStringList hidden = settings.value(hiddenColumnsKey).toStringList();
        for (const QString &column : hidden) {
            bool ok = false;
            const int section = column.toInt(&ok);
            if (ok && section > FolderTreeModel::NameColumn &&
                section < FolderTreeModel::ColumnCount)
                header->setSectionHidden(section, true);
        }
    }
    // The tree gets the room its new columns need.
    TreeGridSplitter->setSizes({430, 464});

    // The legend, under the list's file count and size: it adds nothing to
    // the width the page's bottom row needs.
    m_overview->frame = new QGroupBox(Frame8_1);
    m_overview->frame->setObjectName(u"fraRecovery"_s);
    m_overview->frame->setFlat(true);
    auto *frameLayout = new QVBoxLayout(m_overview->frame);
    frameLayout->setContentsMargins(0, 2, 0, 0);
    m_overview->legend = new RecoveryLegend(m_overview->frame);
    m_overview->legend->setObjectName(u"RecoveryLegend"_s);
    frameLayout->addWidget(m_overview->legend, 1);
    if (auto *details = qobject_cast<QGridLayout *>(Frame8_1->layout())) {
        details->addWidget(m_overview->frame, 2, 0, 1, 2);
        details->setRowStretch(2, 1);
    }
    if (QBoxLayout *row = layoutHolding(Frame8_1))
        row->setStretchFactor(Frame8_1, 5);
    // Kept in place while hidden (no list, a search running): the counters
    // above it do not move.
    m_overview->frame->setMinimumWidth(0);
    m_overview->frame->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    QSizePolicy framePolicy = m_overview->frame->sizePolicy();
    framePolicy.setRetainSizeWhenHidden(true);
    m_overview->frame->setSizePolicy(framePolicy);
    m_overview->frame->hide();
    // The values of the details panel and the counters take the room the row
    // gives them: a long date or attribute string never widens the window.
    for (QLabel *value : {Label19, Label20, Label21, Label22, Label23, UniLabel1})
        value->setMinimumWidth(1);
    // Room for a date and time as the lab writes them, whatever is shown.
    Label20->setMinimumWidth(Label20->fontMetrics().horizontalAdvance(u"00/00/0000 00:00:00"_s) +
                             Label20->fontMetrics().averageCharWidth());
    connect(m_overview->legend, &RecoveryLegend::statusClicked, this,
            &frmMain::Legend_StatusClicked);

    connect(this, &frmMain::languageChanged, this, &frmMain::applyOverviewLanguage);
    applyOverviewLanguage();
}

void frmMain::applyOverviewLanguage()
{
    m_folderTreeModel->setHeaderData(FolderTreeModel::FilesColumn, Qt::Horizontal,
                                     langText(LangEntry::FilesLabel));
    m_folderTreeModel->setHeaderData(FolderTreeModel::SizeColumn, Qt::Horizontal,
                                     langText(LangEntry::SizeLabel));
    m_folderTreeModel->setHeaderData(FolderTreeModel::RecoveryColumn, Qt::Horizontal,
                                     langText(LangEntry::OverviewRecovery));
    m_folderTreeModel->setStatusNames(langText(LangEntry::StatusOther),
                                      langText(LangEntry::StatusUnknown));
    // The window's number format (frmMain_numbers.cpp), as the counters and
    // file sizes beside them.
    m_folderTreeModel->setLocale(numberLocale());
    m_folderTreeModel->setSizeUnits(sizeUnits());
    m_overview->legend->setSizeUnits(sizeUnits());
    SftTree1->viewport()->update();
    // No title: the rows stand right under the counters, and the tree's
    // column header names the colours already.
    m_overview->frame->setToolTip(langText(LangEntry::OverviewRecovery) + u": "_s +
                                  langText(LangEntry::LegendHint));
    refreshLegend();
}

void frmMain::refreshLegend()
{
    const FolderTotals &totals = m_session->folderTotals();
    m_overview->delegate->setColours(statusColours(totals));
    m_overview->legend->setTotals(&totals, numberLocale(), langText(LangEntry::StatusOther),
                                  langText(LangEntry::StatusUnknown));
    m_overview->frame->setVisible(!totals.isEmpty());
}

const FolderTotals &frmMain::folderTotals() const
{
    return m_session->folderTotals();
}

RecoveryLegend *frmMain::recoveryLegend() const
{
    return m_overview->legend;
}

void frmMain::showFolderTotals()
{
    m_folderTreeModel->setTotals(&m_session->folderTotals());
    refreshLegend();
}

QMenu *frmMain::buildTreeHeaderMenu(QWidget *parent)
{
    QHeaderView *header = SftTree1->header();
    auto *menu = new QMenu(parent);
    menu->setObjectName(u"SftTree1HeaderMenu"_s);
    menu->addSection(langText(LangEntry::ColumnsMenu));
    for (int section = FolderTreeModel::FilesColumn; section < FolderTreeModel::ColumnCount;
         ++section) {
        QAction *action =
            menu->addAction(m_folderTreeModel->headerData(section, Qt::Horizontal).toString());
        action->setData(section);
        action->setCheckable(true);
        action->setChecked(!header->isSectionHidden(section));
        connect(action, &QAction::toggled, this,
                [this, section](bool shown) { setTreeColumnShown(section, shown); });
    }
    return menu;
}

void frmMain::SftTree1_HeaderMenu(const QPoint &pos)
{
    QMenu *menu = buildTreeHeaderMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(SftTree1->header()->viewport()->mapToGlobal(pos));
}

void frmMain::setTreeColumnShown(int section, bool shown)
{
    QHeaderView *header = SftTree1->header();
    header->setSectionHidden(section, !shown);
    if (shown && header->sectionSize(section) < 20)
        header->resizeSection(section, columnWidth(SftTree1, section));
    if (m_overview->settingsFile.isEmpty())
        return;
    QStringList hidden;
    for (int s = FolderTreeModel::FilesColumn; s < FolderTreeModel::ColumnCount; ++s) {
        if (header->isSectionHidden(s))
            hidden << QString::number(s);
    }
    // Never through a link or into a pipe planted at the settings' name.
    const StateFileProblem problem = CheckSettingsFile();
    if (problem != StateFileProblem::None && problem != StateFileProblem::Missing)
        return;
    if (!ensureStateFolder(QFileInfo(m_overview->settingsFile).absolutePath(), {}))
        return;
    QSettings settings(m_overview->settingsFile, QSettings::IniFormat);
    settings.setValue(hiddenColumnsKey, hidden);
}

void frmMain::Legend_StatusClicked(const QString &status)
{
    RunPresetFilterFor(status);
}

// The preset filter with one status word: Combo1 is set to it (offered in
// its list when it is not yet) and the filter button's handler runs.
void frmMain::RunPresetFilterFor(const QString &status)
{
    int at = Combo1->findText(status, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (at < 0) {
        Combo1->addItem(status);
        at = Combo1->count() - 1;
    }
    Combo1->setCurrentIndex(at);
    Command5_Click();
}

} // namespace corvane
