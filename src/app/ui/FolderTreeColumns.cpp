#include "FolderTreeColumns.h"

#include <QEvent>
#include <QHeaderView>
#include <QTreeView>

#include <algorithm>

namespace corvane {

namespace {
constexpr int NameColumn = 0;
} // namespace

FolderTreeColumns::FolderTreeColumns(QTreeView *tree) : QObject(tree), m_tree(tree)
{
    QHeaderView *header = tree->header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(NameColumn, QHeaderView::Interactive);
    connect(header, &QHeaderView::sectionResized, this, [this](int column, int, int) {
        if (m_fitting)
            return;
        if (column == NameColumn)
            m_nameByHand = true;
        else
            fit();
    });
    connect(header, &QHeaderView::sectionCountChanged, this, &FolderTreeColumns::fit);
    tree->viewport()->installEventFilter(this);
}

void FolderTreeColumns::fit()
{
    if (m_fitting || m_nameByHand)
        return;
    QHeaderView *header = m_tree->header();
    if (header->count() == 0)
        return;
    int others = 0;
    for (int section = 0; section < header->count(); ++section) {
        if (section != NameColumn && !header->isSectionHidden(section))
            others += header->sectionSize(section);
    }
    const int width = std::max(NameMinimum, m_tree->viewport()->width() - others);
    if (header->sectionSize(NameColumn) != width) {
        m_fitting = true;
        header->resizeSection(NameColumn, width);
        m_fitting = false;
    }
}

bool FolderTreeColumns::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_tree->viewport() && event->type() == QEvent::Resize)
        fit();
    return QObject::eventFilter(watched, event);
}

} // namespace corvane
