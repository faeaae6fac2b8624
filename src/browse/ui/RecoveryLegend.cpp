#include "RecoveryLegend.h"

#include "StatusColours.h"
#include "listfile/SizeText.h"

#include <QGridLayout>
#include <QPainter>
#include <QPixmap>
#include <QToolButton>

using namespace Qt::Literals::StringLiterals;

namespace corvane {

namespace {

QIcon swatch(const QColor &colour)
{
    QPixmap pixmap(12, 12);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.fillRect(QRect(0, 0, 12, 12), colour);
    p.setPen(colour.darker(140));
    p.drawRect(QRect(0, 0, 11, 11));
    return QIcon(pixmap);
}

} // namespace

RecoveryLegend::RecoveryLegend(QWidget *parent) : QWidget(parent), m_grid(new QGridLayout(this))
{
    m_grid->setContentsMargins(0, 0, 0, 0);
    m_grid->setHorizontalSpacing(12);
    m_grid->setVerticalSpacing(0);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
}

void RecoveryLegend::setTotals(const FolderTotals *totals, const QLocale &locale,
                               const QString &otherName, const QString &unknownName)
{
    qDeleteAll(m_rows);
    m_rows.clear();
    if (!totals || totals->isEmpty())
        return;
    const qint64 files = totals->files(0);
    for (int s = 0; s < totals->statusCount(); ++s) {
        const FolderTotals::Status &status = totals->status(s);
        QString name = status.word;
        if (status.kind == FolderTotals::StatusKind::Other)
            name = otherName;
        else if (status.kind == FolderTotals::StatusKind::Unknown)
            name = unknownName;
        const double share = files > 0 ? 100.0 * double(status.lines) / double(files) : 0.0;
        auto *row = new QToolButton(this);
        row->setObjectName(u"RecoveryLegendRow%1"_s.arg(s));
        row->setAutoRaise(true);
        // Rows as tight as lines of text: the panel must not make the
        // page's bottom row taller.
        row->setFixedHeight(fontMetrics().height() + 2);
        row->setIconSize(QSize(10, 10));
        row->setStyleSheet(u"QToolButton { padding: 0px 2px; }"_s);
        row->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        row->setIcon(swatch(statusColour(status)));
        row->setText(u"%1  %2 \u00b7 %3 % \u00b7 %4"_s.arg(name, formatCount(status.lines, locale),
                                                           locale.toString(share, 'f', 1),
                                                           FormatSize(status.bytes, locale)));
        row->setToolTip(u"%1: %2 \u00b7 %3 Bytes"_s.arg(name, formatCount(status.lines, locale),
                                                        formatCount(status.bytes, locale)));
        if (status.kind == FolderTotals::StatusKind::Word) {
            const QString word = status.word;
            connect(row, &QToolButton::clicked, this, [this, word] { Q_EMIT statusClicked(word); });
        } else {
            row->setCursor(Qt::ArrowCursor);
        }
        if (status.kind == FolderTotals::StatusKind::Word)
            row->setCursor(Qt::PointingHandCursor);
        m_grid->addWidget(row, s % RowsPerColumn, s / RowsPerColumn, Qt::AlignLeft);
        m_rows.append(row);
    }
}

QStringList RecoveryLegend::rowTexts() const
{
    QStringList out;
    for (const QToolButton *row : m_rows)
        out << row->text();
    return out;
}

} // namespace corvane
