#pragma once

// A note of the lab (a ".txt" or ".log" member of an archive) shown read-only
// in a window of its own, inside the program.

#include <QDialog>
#include <QString>

class QPlainTextEdit;

namespace corvane {

// The text of a note file: UTF-16LE, UTF-8 or Windows-1252 told from the
// bytes as the lists are, line ends CR LF, LF or CR. error is set when the
// file cannot be read.
struct NoteText
{
    QString text;
    QString error;
};
NoteText readNoteFile(const QString &path);

class NoteViewer : public QDialog
{
    Q_OBJECT

public:
    // The window shows the first part of a long text at once; the rest is
    // added piece by piece while the program stays responsive.
    NoteViewer(const QString &title, const QString &text, QWidget *parent = nullptr);
    QPlainTextEdit *textView() const { return m_text; }
    bool isComplete() const { return m_shownUpTo >= m_full.size(); }

private:
    void showNextPiece();

    QPlainTextEdit *m_text;
    QString m_full;
    qsizetype m_shownUpTo = 0;
};

} // namespace corvane
