#pragma once

// The legend and summary of the recovery overview: each status of the list
// with its colour, count, share and bytes, in a compact panel. Clicking a
// status word asks for the list narrowed to it (statusClicked).

#include "listfile/FolderTotals.h"

#include <QLocale>
#include <QWidget>

class QGridLayout;
class QToolButton;

namespace corvane {

class RecoveryLegend : public QWidget
{
    Q_OBJECT

public:
    explicit RecoveryLegend(QWidget *parent = nullptr);

    // Shows the statuses of totals (nullptr or empty: nothing), numbers in
    // locale, "other" and "unknown" by the given names.
    void setTotals(const FolderTotals *totals, const QLocale &locale, const QString &otherName,
                   const QString &unknownName);
    // The rows as shown, one text per status (for tests and tooltips).
    QStringList rowTexts() const;
    // Rows per column before a new column starts.
    static constexpr int RowsPerColumn = 5;

Q_SIGNALS:
    void statusClicked(const QString &status);

private:
    QGridLayout *m_grid;
    QList<QToolButton *> m_rows;
};

} // namespace corvane
