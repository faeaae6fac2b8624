#pragma once

// Draws the recovery column of the folder tree: one stacked bar per folder,
// a segment per status in the status's colour, as wide as its share of the
// folder's entries. Everything comes from the model's folder totals; nothing
// is computed while painting: the statuses' colours are given with the
// totals (statusColours).

#include <QColor>
#include <QList>
#include <QStyledItemDelegate>

namespace corvane {

class RecoveryBarDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // One colour per status of the model's totals, in their order.
    void setColours(const QList<QColor> &colours) { m_colours = colours; }

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    QList<QColor> m_colours;
};

} // namespace corvane
