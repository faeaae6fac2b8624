#include "NoteViewer.h"

#include "util/PlainText.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTimer>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace corvane {

namespace {

// What is laid out in one go: a screenful of a 10 MB log at once, the rest
// in pieces small enough to keep the window answering.
constexpr qsizetype PieceCharacters = 128 * 1024;

// The end of the piece starting at `from`: just after a line end near
// PieceCharacters on, or the end of the text.
qsizetype pieceEnd(const QString &text, qsizetype from)
{
    if (text.size() - from <= PieceCharacters)
        return text.size();
    const qsizetype lineEnd = text.indexOf(u'\n', from + PieceCharacters);
    return lineEnd < 0 ? text.size() : lineEnd + 1;
}

} // namespace

NoteViewer::NoteViewer(const QString &title, const QString &text, QWidget *parent,
                       const QString &notice)
    : QDialog(parent), m_text(new QPlainTextEdit(this))
{
    setObjectName(u"NoteViewer"_s);
    setWindowTitle(literalWindowTitle(title));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    m_text->setObjectName(u"NoteText"_s);
    m_text->setReadOnly(true);
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_full = text;
    m_shownUpTo = pieceEnd(m_full, 0);
    m_text->setPlainText(m_full.first(m_shownUpTo));
    if (!isComplete())
        QTimer::singleShot(0, this, &NoteViewer::showNextPiece);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
    auto *layout = new QVBoxLayout(this);
    if (!notice.isEmpty()) {
        m_notice = new QLabel(this);
        m_notice->setObjectName(u"NoteNotice"_s);
        m_notice->setTextFormat(Qt::PlainText);
        m_notice->setWordWrap(true);
        m_notice->setText(notice);
        layout->addWidget(m_notice);
    }
    layout->addWidget(m_text, 1);
    layout->addWidget(buttons);
    resize(720, 520);
}

void NoteViewer::showNextPiece()
{
    if (isComplete())
        return;
    const qsizetype end = pieceEnd(m_full, m_shownUpTo);
    QTextCursor cursor(m_text->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(m_full.sliced(m_shownUpTo, end - m_shownUpTo));
    m_shownUpTo = end;
    if (!isComplete())
        QTimer::singleShot(0, this, &NoteViewer::showNextPiece);
}

} // namespace corvane
