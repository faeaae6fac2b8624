#pragma once

// Everything the window asks of the desktop that a test must be able to
// answer without a person: message boxes, the open-file dialog, the beep,
// handing a URL to the desktop and the clipboard. The program uses
// DesktopPrompts; tests give the window a fake that records each call.

#include <QString>
#include <QUrl>

#include <functional>
#include <memory>

class QMessageBox;
class QPagedPaintDevice;
class QWidget;

namespace corvane {

class Prompts
{
public:
    virtual ~Prompts() = default;

    // A question with the question icon and the buttons Yes and No; true for
    // Yes. systemModal: the box blocks the whole program, not only parent.
    virtual bool question(QWidget *parent, const QString &text, const QString &title,
                          bool systemModal) = 0;
    // A warning with the exclamation icon and an OK button.
    virtual void warning(QWidget *parent, const QString &text, const QString &title,
                         bool systemModal) = 0;
    // A plain message without an icon, with an OK button.
    virtual void message(QWidget *parent, const QString &text, const QString &title,
                         bool systemModal) = 0;

    // The open-file dialog. filter is a name with its patterns in parentheses,
    // separated by spaces (Qt's form, "File Lists (*.csv *.zip)") or by ";"
    // ("File Lists (*.csv;*.zip)", shown as written). Returns the chosen path,
    // or an empty string when the user cancels.
    virtual QString openFile(QWidget *parent, const QString &title, const QString &startFolder,
                             const QString &filter) = 0;

    virtual void beep() = 0;

    // Asks the desktop to open url with its default handler (a web address in
    // the browser, a mailto: URL in the mail program). False when it refused.
    virtual bool openUrl(const QUrl &url) = 0;

    virtual void setClipboardText(const QString &text) = 0;
    virtual QString clipboardText() const = 0;

    // The save-file dialog, asking before it replaces a file. Returns the
    // chosen path, or an empty string when the user cancels.
    virtual QString saveFile(QWidget *parent, const QString &title, const QString &startPath,
                             const QString &filter) = 0;

    // Hands a mailto: URL to the desktop's mail program without waiting for
    // it; done runs once, on the window's thread, with what became of it
    // (Unknown: the desktop took the URL but cannot tell whether a mail
    // program opened).
    enum class MailHandoff { Started, Failed, Unknown };
    virtual void openMailUrl(const QString &url, std::function<void(MailHandoff)> done) = 0;
    // The print dialog; when the user prints, paint draws the pages on the
    // printer chosen. False when the user cancels.
    virtual bool print(QWidget *parent, const QString &title,
                       const std::function<void(QPagedPaintDevice *)> &paint) = 0;
};

// The message box DesktopPrompts shows for a question, a warning or a
// message, not yet shown. Its text is plain text: messages carry names from
// the list and the archive.
enum class PromptBox { Question, Warning, Message };
std::unique_ptr<QMessageBox> makePromptBox(QWidget *parent, PromptBox kind, const QString &text,
                                           const QString &title, bool systemModal);

// The real thing: QMessageBox, QFileDialog, QApplication::beep,
// QDesktopServices and QClipboard.
class DesktopPrompts final : public Prompts
{
public:
    bool question(QWidget *parent, const QString &text, const QString &title,
                  bool systemModal) override;
    void warning(QWidget *parent, const QString &text, const QString &title,
                 bool systemModal) override;
    void message(QWidget *parent, const QString &text, const QString &title,
                 bool systemModal) override;
    QString openFile(QWidget *parent, const QString &title, const QString &startFolder,
                     const QString &filter) override;
    void beep() override;
    bool openUrl(const QUrl &url) override;
    void setClipboardText(const QString &text) override;
    QString clipboardText() const override;
    QString saveFile(QWidget *parent, const QString &title, const QString &startPath,
                     const QString &filter) override;
    void openMailUrl(const QString &url, std::function<void(MailHandoff)> done) override;
    bool print(QWidget *parent, const QString &title,
               const std::function<void(QPagedPaintDevice *)> &paint) override;

    // How long a mail handler may run before it is taken as the mail program
    // itself, started and still open.
    int mailHandlerPatienceMs = 8000;
};

} // namespace corvane
