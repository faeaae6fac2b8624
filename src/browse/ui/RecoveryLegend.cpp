#include "RecoveryLegend.h"

#include "browse/paint/StatusColours.h"
#include "listfile/SizeText.h"
#include "util/PlainText.h"

#include <QBoxLayout>
#include <QEvent>
#include <QPainter>
#include <QPixmap>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>

using namespace Qt::Literals::StringLiterals;

namespace corvane {

namespace {

constexpr int SwatchSize = 10;

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

RecoveryLegend::RecoveryLegend(QWidget *parent)
    : QWidget(parent)
    , m_scroll(new QScrollArea(this))
    , m_rowsWidget(new QWidget)
    , m_rowsLayout(new QVBoxLayout(m_rowsWidget))
{
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(m_scroll);
    m_scroll->setObjectName(u"RecoveryLegendScroll"_s);
    m_scroll->setFrameShape(QFrame::NoFrame);
    // Tab goes to the rows, not to the frameless area around them.
    m_scroll->setFocusPolicy(Qt::NoFocus);
    m_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_scroll->setWidgetResizable(true);
    m_scroll->viewport()->setAutoFillBackground(false);
    m_rowsWidget->setAutoFillBackground(false);
    m_rowsLayout->setContentsMargins(0, 0, 0, 0);
    m_rowsLayout->setSpacing(0);
    m_rowsLayout->addStretch(1);
    m_scroll->setWidget(m_rowsWidget);
    m_scroll->viewport()->installEventFilter(this);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
}

// Whatever it shows, the legend takes the room its frame gives it.
QSize RecoveryLegend::sizeHint() const
{
    return {fontMetrics().averageCharWidth() * 24, (fontMetrics().height() + 2) * 4};
}

QSize RecoveryLegend::minimumSizeHint() const
{
    return {0, 0};
}

void RecoveryLegend::setTotals(const FolderTotals *totals, const QLocale &locale,
                               const QString &otherName, const QString &unknownName)
{
    fill(totals, nullptr, locale, otherName, unknownName);
}

void RecoveryLegend::setTotals(const FolderTotals *totals, const std::vector<StatusFigure> &figures,
                               const QLocale &locale, const QString &otherName,
                               const QString &unknownName)
{
    fill(totals, &figures, locale, otherName, unknownName);
}

void RecoveryLegend::fill(const FolderTotals *totals, const std::vector<StatusFigure> *figures,
                          const QLocale &locale, const QString &otherName,
                          const QString &unknownName)
{
    qDeleteAll(m_rows);
    m_rows.clear();
    m_texts.clear();
    m_pieces.clear();
    if (!totals || totals->isEmpty()) {
        Q_EMIT rowsChanged();
        return;
    }
    if (figures && figures->size() != size_t(totals->statusCount()))
        figures = nullptr;
    qint64 files = totals->files(0);
    if (figures) {
        files = 0;
        for (const StatusFigure &f : *figures)
            files += f.lines;
    }
    const QList<QColor> colours = statusColours(*totals);
    for (int s = 0; s < totals->statusCount(); ++s) {
        FolderTotals::Status status = totals->status(s);
        if (figures) {
            status.lines = (*figures)[size_t(s)].lines;
            status.bytes = (*figures)[size_t(s)].bytes;
            if (status.lines == 0)
                continue;
        }
        QString name = status.word;
        if (status.kind == FolderTotals::StatusKind::Other)
            name = otherName;
        else if (status.kind == FolderTotals::StatusKind::Unknown)
            name = unknownName;
        const double share = files > 0 ? 100.0 * double(status.lines) / double(files) : 0.0;
        auto *row = new QToolButton(m_rowsWidget);
        row->setObjectName(u"RecoveryLegendRow%1"_s.arg(s));
        row->setAutoRaise(true);
        // Rows as tight as lines of text, as wide as the panel.
        row->setMinimumWidth(1);
        row->setIconSize(QSize(SwatchSize, SwatchSize));
        row->setStyleSheet(u"QToolButton { padding: 0px 2px; }"_s);
        row->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        row->setIcon(swatch(colours[s]));
        const QStringList pieces = {name, formatCount(status.lines, locale),
                                    locale.toString(share, 'f', 1) + u" %"_s,
                                    FormatSize(status.bytes, locale, m_units)};
        const QString text =
            u"%1  %2 \u00b7 %3 \u00b7 %4"_s.arg(pieces[0], pieces[1], pieces[2], pieces[3]);
        row->setToolTip(plainToolTip(
            text + u"\n"_s +
            u"%1: %2 \u00b7 %3 %4"_s.arg(name, formatCount(status.lines, locale),
                                         formatCount(status.bytes, locale), m_units.bytes)));
        if (status.kind == FolderTotals::StatusKind::Word) {
            const QString word = status.word;
            connect(row, &QToolButton::clicked, this, [this, word] { Q_EMIT statusClicked(word); });
            row->setCursor(Qt::PointingHandCursor);
        } else {
            row->setCursor(Qt::ArrowCursor);
        }
        m_rowsLayout->insertWidget(m_rowsLayout->count() - 1, row, 0, Qt::AlignLeft);
        m_rows.append(row);
        m_texts.append(text);
        m_pieces.append(pieces);
    }
    elideRows();
    Q_EMIT rowsChanged();
}

bool RecoveryLegend::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_scroll->viewport() && event->type() == QEvent::Resize)
        elideRows();
    return QWidget::eventFilter(watched, event);
}

// Each row's text in the width the viewport leaves beside the swatch: on one
// line when it fits, else wrapped between its parts (the word, the count,
// the share, the size), a part cut with "…" only when it alone is too wide.
void RecoveryLegend::elideRows()
{
    const int room = qMax(m_scroll->viewport()->width() - SwatchSize - 16, 0);
    for (int i = 0; i < m_rows.size(); ++i) {
        QToolButton *row = m_rows[i];
        const QStringList lines = wrappedLines(row->fontMetrics(), m_pieces[i], room);
        row->setText(lines.join(u'\n'));
        row->setFixedHeight(row->fontMetrics().height() * int(lines.size()) + 2);
    }
}

QStringList RecoveryLegend::wrappedLines(const QFontMetrics &metrics, const QStringList &pieces,
                                         int width)
{
    QStringList lines;
    QString line;
    for (qsizetype p = 0; p < pieces.size(); ++p) {
        if (line.isEmpty()) {
            line = pieces[p];
            continue;
        }
        const QString joined = line + (p == 1 ? u"  "_s : u" \u00b7 "_s) + pieces[p];
        if (metrics.horizontalAdvance(joined) <= width) {
            line = joined;
        } else {
            lines.append(line);
            // The figures under the word stand a little in.
            line = u"  "_s + pieces[p];
        }
    }
    lines.append(line);
    for (QString &l : lines)
        l = metrics.elidedText(l, Qt::ElideRight, width);
    return lines;
}

QStringList RecoveryLegend::rowTexts() const
{
    return m_texts;
}

} // namespace corvane
