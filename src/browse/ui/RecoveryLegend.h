#pragma once

// The legend and summary of the recovery overview: each status of the list
// with its colour, count, share and bytes, in a compact panel. Clicking a
// status word asks for the list narrowed to it (statusClicked).
//
// The panel never asks for more room than it is given: the rows stand in one
// column that scrolls when the statuses do not fit, and a row too long for
// the width wraps between its parts (word, count, share, size); only a part
// too long for a line by itself is cut with "…" (the whole text is in the
// row's tooltip).

#include "listfile/FolderTotals.h"
#include "listfile/SizeText.h"

#include <QFontMetrics>
#include <QLocale>
#include <QWidget>

#include <vector>

class QScrollArea;
class QToolButton;
class QVBoxLayout;

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
    // The same statuses with other figures: lines and bytes per status of
    // totals (the matches of a find), the statuses without a line left out.
    void setTotals(const FolderTotals *totals, const std::vector<StatusFigure> &figures,
                   const QLocale &locale, const QString &otherName, const QString &unknownName);
    // The words of the sizes from the next setTotals on.
    void setSizeUnits(const SizeUnits &units) { m_units = units; }
    // The rows' whole texts, one per status (as in their tooltips).
    QStringList rowTexts() const;

    // pieces (a word and its figures) in lines of at most width pixels.
    static QStringList wrappedLines(const QFontMetrics &metrics, const QStringList &pieces,
                                    int width);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

Q_SIGNALS:
    void statusClicked(const QString &status);
    // The rows were made anew (a window puts them in its tab order).
    void rowsChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void fill(const FolderTotals *totals, const std::vector<StatusFigure> *figures,
              const QLocale &locale, const QString &otherName, const QString &unknownName);
    void elideRows();

    QScrollArea *m_scroll;
    QWidget *m_rowsWidget;
    QVBoxLayout *m_rowsLayout;
    QList<QToolButton *> m_rows;
    QStringList m_texts;
    SizeUnits m_units;
    QList<QStringList> m_pieces;
};

} // namespace corvane
