#include "OverviewController.h"

#include "FolderTreeColumns.h"
#include "ListSession.h"
#include "WindowContext.h"
#include "browse/paint/StatusColours.h"
#include "browse/ui/FolderTreeModel.h"
#include "browse/ui/RecoveryBarDelegate.h"
#include "browse/ui/RecoveryLegend.h"

#include <QBoxLayout>
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

OverviewController::OverviewController(WindowContext &context, ListSession &session,
                                       const OverviewWidgets &widgets, OverviewSettings settings,
                                       QObject *parent)
    : QObject(parent)
    , m_context(context)
    , m_session(session)
    , m_widgets(widgets)
    , m_settings(std::move(settings))
{
    QTreeView *tree = m_widgets.SftTree1;

    // The tree's columns.
    m_delegate = new RecoveryBarDelegate(tree);
    tree->setItemDelegateForColumn(FolderTreeModel::RecoveryColumn, m_delegate);
    tree->setSortingEnabled(true);
    tree->sortByColumn(FolderTreeModel::NameColumn, Qt::AscendingOrder);
    QHeaderView *header = tree->header();
    header->setSectionsClickable(true);
    header->setStretchLastSection(false);
    header->setSectionResizeMode(FolderTreeModel::NameColumn, QHeaderView::Interactive);
    for (int section = 0; section < FolderTreeModel::ColumnCount; ++section)
        header->resizeSection(section, columnWidth(tree, section));
    header->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(header, &QHeaderView::customContextMenuRequested, this,
            &OverviewController::showHeaderMenu);
    // The names get the width the numbers and bars leave.
    new FolderTreeColumns(tree);
    if (!m_settings.file.isEmpty() && m_settings.check() == StateFileProblem::None) {
        const QSettings stored(m_settings.file, QSettings::IniFormat);
        const QStringList hidden = stored.value(hiddenColumnsKey).toStringList();
        for (const QString &column : hidden) {
            bool ok = false;
            const int section = column.toInt(&ok);
            if (ok && section > FolderTreeModel::NameColumn &&
                section < FolderTreeModel::ColumnCount)
                header->setSectionHidden(section, true);
        }
    }
    // The tree gets the room its new columns need.
    m_widgets.TreeGridSplitter->setSizes({430, 464});

    // The legend, under the list's file count and size: it adds nothing to
    // the width the page's bottom row needs.
    QGroupBox *details = m_widgets.Frame8_1;
    m_frame = new QGroupBox(details);
    m_frame->setObjectName(u"fraRecovery"_s);
    m_frame->setFlat(true);
    auto *frameLayout = new QVBoxLayout(m_frame);
    frameLayout->setContentsMargins(0, 2, 0, 0);
    m_legend = new RecoveryLegend(m_frame);
    m_legend->setObjectName(u"RecoveryLegend"_s);
    frameLayout->addWidget(m_legend, 1);
    if (auto *grid = qobject_cast<QGridLayout *>(details->layout())) {
        grid->addWidget(m_frame, 2, 0, 1, 2);
        grid->setRowStretch(2, 1);
    }
    if (QBoxLayout *row = layoutHolding(details))
        row->setStretchFactor(details, 5);
    // Kept in place while hidden (no list, a search running): the counters
    // above it do not move.
    m_frame->setMinimumWidth(0);
    m_frame->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    QSizePolicy framePolicy = m_frame->sizePolicy();
    framePolicy.setRetainSizeWhenHidden(true);
    m_frame->setSizePolicy(framePolicy);
    m_frame->hide();
    // The values of the details panel and the counters take the room the row
    // gives them: a long date or attribute string never widens the window.
    for (QLabel *value : {m_widgets.Label19, m_widgets.Label20, m_widgets.Label21,
                          m_widgets.Label22, m_widgets.Label23, m_widgets.UniLabel1})
        value->setMinimumWidth(1);
    // Room for a date and time as the lab writes them, whatever is shown.
    QLabel *modified = m_widgets.Label20;
    modified->setMinimumWidth(modified->fontMetrics().horizontalAdvance(u"00/00/0000 00:00:00"_s) +
                              modified->fontMetrics().averageCharWidth());
    connect(m_legend, &RecoveryLegend::statusClicked, this,
            &OverviewController::statusFilterRequested);

    retranslate();
}

void OverviewController::retranslate()
{
    FolderTreeModel *model = m_widgets.treeModel;
    model->setHeaderData(FolderTreeModel::FilesColumn, Qt::Horizontal,
                         m_context.langText(LangEntry::FilesLabel));
    model->setHeaderData(FolderTreeModel::SizeColumn, Qt::Horizontal,
                         m_context.langText(LangEntry::SizeLabel));
    model->setHeaderData(FolderTreeModel::RecoveryColumn, Qt::Horizontal,
                         m_context.langText(LangEntry::OverviewRecovery));
    model->setStatusNames(m_context.langText(LangEntry::StatusOther),
                          m_context.langText(LangEntry::StatusUnknown));
    // The window's number format, as the counters and file sizes beside them.
    model->setLocale(m_context.numberLocale());
    model->setSizeUnits(m_context.sizeUnits());
    m_legend->setSizeUnits(m_context.sizeUnits());
    m_widgets.SftTree1->viewport()->update();
    // No title: the rows stand right under the counters, and the tree's
    // column header names the colours already.
    m_frame->setToolTip(m_context.langText(LangEntry::OverviewRecovery) + u": "_s +
                        m_context.langText(LangEntry::LegendHint));
    refreshLegend();
}

void OverviewController::refreshLegend()
{
    const FolderTotals &totals = m_session.folderTotals();
    m_delegate->setColours(statusColours(totals));
    if (m_matchFigures)
        m_legend->setTotals(&totals, *m_matchFigures, m_context.numberLocale(),
                            m_context.langText(LangEntry::StatusOther),
                            m_context.langText(LangEntry::StatusUnknown));
    else
        m_legend->setTotals(&totals, m_context.numberLocale(),
                            m_context.langText(LangEntry::StatusOther),
                            m_context.langText(LangEntry::StatusUnknown));
    m_frame->setVisible(!totals.isEmpty());
}

void OverviewController::showMatchFigures(std::shared_ptr<const std::vector<StatusFigure>> figures)
{
    if (!figures && !m_matchFigures)
        return;
    m_matchFigures = std::move(figures);
    refreshLegend();
}

void OverviewController::showFolderTotals()
{
    // New totals: figures of matches of the list before do not fit them.
    m_matchFigures.reset();
    m_widgets.treeModel->setTotals(&m_session.folderTotals());
    refreshLegend();
}

QMenu *OverviewController::buildTreeHeaderMenu(QWidget *parent)
{
    QHeaderView *header = m_widgets.SftTree1->header();
    auto *menu = new QMenu(parent);
    menu->setObjectName(u"SftTree1HeaderMenu"_s);
    menu->addSection(m_context.langText(LangEntry::ColumnsMenu));
    for (int section = FolderTreeModel::FilesColumn; section < FolderTreeModel::ColumnCount;
         ++section) {
        QAction *action =
            menu->addAction(m_widgets.treeModel->headerData(section, Qt::Horizontal).toString());
        action->setData(section);
        action->setCheckable(true);
        action->setChecked(!header->isSectionHidden(section));
        connect(action, &QAction::toggled, this,
                [this, section](bool shown) { setTreeColumnShown(section, shown); });
    }
    return menu;
}

void OverviewController::showHeaderMenu(const QPoint &pos)
{
    QMenu *menu = buildTreeHeaderMenu(m_widgets.SftTree1->window());
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(m_widgets.SftTree1->header()->viewport()->mapToGlobal(pos));
}

void OverviewController::setTreeColumnShown(int section, bool shown)
{
    QTreeView *tree = m_widgets.SftTree1;
    QHeaderView *header = tree->header();
    header->setSectionHidden(section, !shown);
    if (shown && header->sectionSize(section) < 20)
        header->resizeSection(section, columnWidth(tree, section));
    if (m_settings.file.isEmpty())
        return;
    QStringList hidden;
    for (int s = FolderTreeModel::FilesColumn; s < FolderTreeModel::ColumnCount; ++s) {
        if (header->isSectionHidden(s))
            hidden << QString::number(s);
    }
    // Never through a link or into a pipe planted at the settings' name.
    const StateFileProblem problem = m_settings.check();
    if (problem != StateFileProblem::None && problem != StateFileProblem::Missing)
        return;
    if (!ensureStateFolder(QFileInfo(m_settings.file).absolutePath(), {}))
        return;
    QSettings stored(m_settings.file, QSettings::IniFormat);
    stored.setValue(hiddenColumnsKey, hidden);
}

} // namespace corvane
