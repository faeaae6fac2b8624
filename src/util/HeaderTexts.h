#pragma once

// The column header texts of an item model, which the window writes through
// setHeaderData() (its language table) and the views read back through
// headerData(). One holder for every model with such headers.

#include <QAbstractItemModel>
#include <QList>
#include <QString>
#include <QVariant>

namespace corvane {

class HeaderTexts
{
public:
    // Texts for the columns from 0; a column not given starts empty.
    explicit HeaderTexts(int columns, const QList<QString> &initial = {});

    int count() const { return int(m_texts.size()); }
    // The text of a column; empty out of range.
    QString at(int column) const { return m_texts.value(column); }

    // Whether headerData(section, orientation, role) is a header text kept
    // here: a horizontal column in range, the display or the edit role.
    bool holds(int section, Qt::Orientation orientation, int role) const;

    // What setHeaderData() does: keeps the text and tells the model's views
    // when it changed. False when the section, orientation or role is not
    // one held here.
    bool set(QAbstractItemModel &model, int section, Qt::Orientation orientation,
             const QVariant &value, int role);

private:
    QList<QString> m_texts;
};

} // namespace corvane
