#pragma once

// A note of the lab (a ".txt" or ".log" member of an archive) shown read-only
// in a window of its own, inside the program.

#include <QDialog>
#include <QString>

class QLabel;
class QPlainTextEdit;

namespace corvane {

class NoteViewer : public QDialog
{
    Q_OBJECT

public:
    // The window shows the first part of a long text at once; the rest is
    // added piece by piece while the program stays responsive. notice, when
    // given, is shown above the text (e.g. that only a part of it is there).
    NoteViewer(const QString &title, const QString &text, QWidget *parent = nullptr,
               const QString &notice = {});
    QPlainTextEdit *textView() const { return m_text; }
    QLabel *noticeLabel() const { return m_notice; }
    bool isComplete() const { return m_shownUpTo >= m_full.size(); }

private:
    void showNextPiece();

    QPlainTextEdit *m_text;
    QLabel *m_notice = nullptr;
    QString m_full;
    qsizetype m_shownUpTo = 0;
};

} // namespace corvane
