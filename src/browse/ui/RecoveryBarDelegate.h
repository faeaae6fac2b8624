#pragma once

// Draws the recovery column of the folder tree: one stacked bar per folder,
// a segment per status in the status's colour, as wide as its share of the
// folder's entries. Everything comes from the model's folder totals; nothing
// is computed while painting.

#include <QStyledItemDelegate>

namespace corvane {

class RecoveryBarDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
};

} // namespace corvane
