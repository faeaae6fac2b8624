#pragma once

// A Prompts for window tests: records every call and answers from queues,
// so that no test ever waits for a person. Header-only; only window tests
// include it.

#include "app/ui/Prompts.h"

#include <QBuffer>
#include <QList>
#include <QPdfWriter>
#include <QString>
#include <QStringList>
#include <QUrl>

namespace corvane::test {

class FakePrompts final : public Prompts
{
public:
    struct Call
    {
        QString kind; // "question", "warning", "message", "openFile", "beep", "openUrl", ...
        QString text; // the message text, the URL, the clipboard text
        QString title;
        bool systemModal = false;
        QString startFolder; // openFile only
        QString filter;      // openFile only
    };

    // Answers, taken from the front; an empty queue answers No / Cancel.
    QList<bool> questionAnswers;
    QStringList openFileAnswers;
    bool openUrlAnswer = true;

    QList<Call> calls;
    QString clipboard;

    bool question(QWidget *, const QString &text, const QString &title, bool systemModal) override
    {
        calls.append({QStringLiteral("question"), text, title, systemModal, {}, {}});
        return questionAnswers.isEmpty() ? false : questionAnswers.takeFirst();
    }
    void warning(QWidget *, const QString &text, const QString &title, bool systemModal) override
    {
        calls.append({QStringLiteral("warning"), text, title, systemModal, {}, {}});
    }
    void message(QWidget *, const QString &text, const QString &title, bool systemModal) override
    {
        calls.append({QStringLiteral("message"), text, title, systemModal, {}, {}});
    }
    QString openFile(QWidget *, const QString &title, const QString &startFolder,
                     const QString &filter) override
    {
        calls.append({QStringLiteral("openFile"), {}, title, true, startFolder, filter});
        return openFileAnswers.isEmpty() ? QString() : openFileAnswers.takeFirst();
    }
    void beep() override { calls.append({QStringLiteral("beep"), {}, {}, false, {}, {}}); }
    bool openUrl(const QUrl &url) override
    {
        calls.append({QStringLiteral("openUrl"), url.toString(), {}, false, {}, {}});
        return openUrlAnswer;
    }
    void setClipboardText(const QString &text) override
    {
        clipboard = text;
        calls.append({QStringLiteral("setClipboardText"), text, {}, false, {}, {}});
    }
    QString clipboardText() const override { return clipboard; }

    // Print: the pages are drawn on a PDF in printedPdf; false: Cancel.
    bool printAnswer = true;
    QByteArray printedPdf;
    bool print(QWidget *, const QString &title,
               const std::function<void(QPagedPaintDevice *)> &paint) override
    {
        calls.append({QStringLiteral("print"), {}, title, false, {}, {}});
        if (!printAnswer)
            return false;
        printedPdf.clear();
        QBuffer buffer(&printedPdf);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        paint(&writer);
        return true;
    }

    QStringList saveFileAnswers; // taken from the front; empty: Cancel
    QString saveFile(QWidget *, const QString &title, const QString &startPath,
                     const QString &filter) override
    {
        calls.append({QStringLiteral("saveFile"), {}, title, true, startPath, filter});
        return saveFileAnswers.isEmpty() ? QString() : saveFileAnswers.takeFirst();
    }
    // What the mail hand-off reports; it reports at once.
    MailHandoff mailHandoffAnswer = MailHandoff::Started;
    // Set: the outcome is kept back in heldMailHandoff until the test calls it
    // (a handler still running).
    bool holdMailHandoff = false;
    std::function<void(MailHandoff)> heldMailHandoff;
    void openMailUrl(const QString &url, std::function<void(MailHandoff)> done) override
    {
        calls.append({QStringLiteral("openMailUrl"), url, {}, false, {}, {}});
        if (holdMailHandoff)
            heldMailHandoff = std::move(done);
        else
            done(mailHandoffAnswer);
    }

    // The calls of one kind, in order.
    QList<Call> callsOf(const QString &kind) const
    {
        QList<Call> out;
        for (const Call &c : calls) {
            if (c.kind == kind)
                out.append(c);
        }
        return out;
    }
    int count(const QString &kind) const { return int(callsOf(kind).size()); }
    // The message boxes of every kind (question, warning, message).
    int boxCount() const
    {
        return count(QStringLiteral("question")) + count(QStringLiteral("warning")) +
               count(QStringLiteral("message"));
    }
    void clear() { calls.clear(); }
};

} // namespace corvane::test
