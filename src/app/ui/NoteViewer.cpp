#include "NoteViewer.h"

#include "listfile/ListText.h"
#include "util/PlainText.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QStringDecoder>
#include <QTextCursor>
#include <QTimer>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace corvane {

namespace {

// A note is a few lines for a person to read; a runaway file is shown up to
// here.
constexpr qint64 MaxNoteBytes = 64 * 1024 * 1024;
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

QString decodeNote(const QByteArray &bytes)
{
    switch (sniffEncoding(bytes)) {
    case SniffedEncoding::Utf16LE: {
        QByteArrayView body(bytes);
        if (body.startsWith("\xFF\xFE"))
            body = body.sliced(2);
        return QStringDecoder(QStringDecoder::Utf16LE).decode(body);
    }
    case SniffedEncoding::Utf8: {
        QByteArrayView body(bytes);
        if (body.startsWith("\xEF\xBB\xBF"))
            body = body.sliced(3);
        return decodeListText(body, ListEncoding::Utf8);
    }
    case SniffedEncoding::Windows1252:
        break;
    }
    return decodeWindows1252(bytes);
}

} // namespace

NoteText readNoteFile(const QString &path)
{
    NoteText note;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        note.error = file.errorString();
        return note;
    }
    const QByteArray bytes = file.read(MaxNoteBytes);
    if (file.error() != QFileDevice::NoError) {
        note.error = file.errorString();
        return note;
    }
    QString text = decodeNote(bytes);
    text.replace(u"\r\n"_s, u"\n"_s);
    text.replace(u'\r', u'\n');
    note.text = std::move(text);
    return note;
}

NoteViewer::NoteViewer(const QString &title, const QString &text, QWidget *parent)
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
