#pragma once

// The rows of a check: one per entry, in the entries' order, with its verdict
// (coloured), the number of matches, the entry, and the best match's path and
// status. Texts from the list are plain text.

#include "checklist/CheckList.h"

#include <QAbstractTableModel>
#include <QStringList>

#include <array>
#include <functional>

namespace corvane {

class CheckResultsModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { VerdictColumn, MatchesColumn, EntryColumn, BestColumn, StatusColumn, Columns };

    explicit CheckResultsModel(QObject *parent = nullptr);

    void setResults(const QStringList &entries, const QList<CheckEntryResult> &results);
    void clear() { setResults({}, {}); }
    const QStringList &entries() const { return m_entries; }
    const QList<CheckEntryResult> &results() const { return m_results; }
    // An entry has matches.
    bool anyFound() const { return m_anyFound; }

    // The words of the language in use: the verdicts in their enum's order,
    // the column titles in the columns' order; count writes a number.
    void setTexts(const std::array<QString, 4> &verdicts,
                  const std::array<QString, Columns> &titles, std::function<QString(qint64)> count);

    // The colour a verdict's rows are marked with.
    static QColor verdictColour(CheckVerdict verdict);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    QStringList m_entries;
    QList<CheckEntryResult> m_results;
    bool m_anyFound = false;
    std::array<QString, 4> m_verdicts;
    std::array<QString, Columns> m_titles;
    std::function<QString(qint64)> m_count;
};

} // namespace corvane
