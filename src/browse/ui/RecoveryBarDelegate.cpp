#include "RecoveryBarDelegate.h"

#include "FolderTreeModel.h"
#include "browse/paint/StatusColours.h"

#include <QApplication>
#include <QPainter>

namespace corvane {

void RecoveryBarDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                const QModelIndex &index) const
{
    // The selection and focus background as any cell has them.
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    opt.text.clear();
    const QWidget *widget = option.widget;
    QStyle *style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);

    const auto *model = qobject_cast<const FolderTreeModel *>(index.model());
    const FolderTotals *totals = model ? model->totals() : nullptr;
    const int item = model ? model->itemOf(index) : -1;
    if (!totals || item < 0 || item >= totals->folderCount() || totals->files(item) <= 0)
        return;

    const QRect bar = option.rect.adjusted(3, 3, -3, -3);
    if (bar.width() < 2 || bar.height() < 2)
        return;
    painter->save();
    const qint64 files = totals->files(item);
    qint64 before = 0;
    for (int s = 0; s < totals->statusCount(); ++s) {
        const qint32 n = totals->files(item, s);
        if (n <= 0)
            continue;
        // Edges from the running sum, so the segments meet without gaps.
        const int x0 = bar.left() + int(before * bar.width() / files);
        before += n;
        const int x1 = bar.left() + int(before * bar.width() / files);
        if (x1 > x0)
            painter->fillRect(QRect(x0, bar.top(), x1 - x0, bar.height()),
                              s < m_colours.size() ? m_colours[s]
                                                   : statusColour(totals->status(s)));
    }
    painter->setPen(option.palette.color(QPalette::Mid));
    painter->drawRect(bar.adjusted(0, 0, -1, -1));
    painter->restore();
}

QSize RecoveryBarDelegate::sizeHint(const QStyleOptionViewItem &option,
                                    const QModelIndex &index) const
{
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.setWidth(std::max(size.width(), 80));
    return size;
}

} // namespace corvane
