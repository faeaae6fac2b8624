#pragma once

// The approval message as the user can read and copy it: the lab's address,
// the subject and the body in selectable fields, and one button that puts
// all three on the clipboard. Shown after every hand-off to the mail program,
// so a user without one (or whose desktop cannot tell) can still approve.

#include "approval/ApprovalMail.h"

#include <QDialog>

#include <functional>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace corvane {

class ApprovalMessageDialog : public QDialog
{
    Q_OBJECT
public:
    struct Texts
    {
        QString title, intro, to, subject, message, copyAll, close, copied;
    };

    // copy: what the copy button does with the plain text of the message.
    ApprovalMessageDialog(const ApprovalMessage &message, const Texts &texts,
                          std::function<void(const QString &)> copy, QWidget *parent = nullptr);

    void setMessage(const ApprovalMessage &message, const QString &intro);
    void setTexts(const Texts &texts);

    QLabel *introLabel = nullptr;
    QLineEdit *addressField = nullptr;
    QLineEdit *subjectField = nullptr;
    QPlainTextEdit *bodyField = nullptr;
    QPushButton *copyButton = nullptr;
    QPushButton *closeButton = nullptr;
    QLabel *copiedLabel = nullptr;

private:
    ApprovalMessage m_message;
    Texts m_texts;
    QLabel *m_toLabel = nullptr;
    QLabel *m_subjectLabel = nullptr;
    QLabel *m_messageLabel = nullptr;
    std::function<void(const QString &)> m_copy;
};

} // namespace corvane
