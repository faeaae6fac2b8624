#include "HeaderTexts.h"

namespace corvane {

HeaderTexts::HeaderTexts(int columns, const QList<QString> &initial)
    : m_texts(initial.mid(0, columns))
{
    m_texts.resize(columns);
}

bool HeaderTexts::holds(int section, Qt::Orientation orientation, int role) const
{
    return orientation == Qt::Horizontal && section >= 0 && section < m_texts.size() &&
           (role == Qt::DisplayRole || role == Qt::EditRole);
}

bool HeaderTexts::set(QAbstractItemModel &model, int section, Qt::Orientation orientation,
                      const QVariant &value, int role)
{
    if (!holds(section, orientation, role))
        return false;
    QString text = value.toString();
    if (text == m_texts[section])
        return true;
    m_texts[section] = std::move(text);
    Q_EMIT model.headerDataChanged(orientation, section, section);
    return true;
}

} // namespace corvane
