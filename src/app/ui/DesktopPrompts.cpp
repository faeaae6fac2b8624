#include "Prompts.h"
#include "util/PlainText.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

#include <memory>

namespace corvane {

std::unique_ptr<QMessageBox> makePromptBox(QWidget *parent, PromptBox kind, const QString &text,
                                           const QString &title, bool systemModal)
{
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
    QMessageBox::StandardButton defaultButton = QMessageBox::Ok;
    switch (kind) {
    case PromptBox::Question:
        icon = QMessageBox::Question;
        buttons = QMessageBox::Yes | QMessageBox::No;
        defaultButton = QMessageBox::Yes;
        break;
    case PromptBox::Warning:
        icon = QMessageBox::Warning;
        break;
    case PromptBox::Message:
        break;
    }
    auto box =
        std::make_unique<QMessageBox>(icon, literalWindowTitle(title), QString(), buttons, parent);
    // Before the text, so that Qt never looks at it for markup.
    box->setTextFormat(Qt::PlainText);
    box->setText(text);
    box->setDefaultButton(defaultButton);
    // Application-modal is the nearest a Qt program gets to a system-modal box.
    box->setWindowModality(systemModal || !parent ? Qt::ApplicationModal : Qt::WindowModal);
    return box;
}

bool DesktopPrompts::question(QWidget *parent, const QString &text, const QString &title,
                              bool systemModal)
{
    return makePromptBox(parent, PromptBox::Question, text, title, systemModal)->exec() ==
           QMessageBox::Yes;
}

void DesktopPrompts::warning(QWidget *parent, const QString &text, const QString &title,
                             bool systemModal)
{
    makePromptBox(parent, PromptBox::Warning, text, title, systemModal)->exec();
}

void DesktopPrompts::message(QWidget *parent, const QString &text, const QString &title,
                             bool systemModal)
{
    makePromptBox(parent, PromptBox::Message, text, title, systemModal)->exec();
}

QString DesktopPrompts::openFile(QWidget *parent, const QString &title, const QString &startFolder,
                                 const QString &filter)
{
    // A filter written with ";" between its patterns ("File Lists (*.csv;*.zip)")
    // keeps that text as its name; Qt is given the patterns separated by spaces.
    QString qtFilter = filter;
    QFileDialog::Options options;
    const qsizetype open = filter.lastIndexOf(u'(');
    if (open >= 0 && filter.endsWith(u')')) {
        QString patterns = filter.mid(open + 1, filter.size() - open - 2);
        if (patterns.contains(u';')) {
            qtFilter = filter + QStringLiteral(" (") + patterns.replace(u';', u' ') + u')';
            options |= QFileDialog::HideNameFilterDetails;
        }
    }
    return QFileDialog::getOpenFileName(parent, title, startFolder, qtFilter, nullptr, options);
}

void DesktopPrompts::beep()
{
    QApplication::beep();
}

bool DesktopPrompts::openUrl(const QUrl &url)
{
    return QDesktopServices::openUrl(url);
}

void DesktopPrompts::setClipboardText(const QString &text)
{
    QGuiApplication::clipboard()->setText(text);
}

QString DesktopPrompts::clipboardText() const
{
    return QGuiApplication::clipboard()->text();
}

QString DesktopPrompts::saveFile(QWidget *parent, const QString &title, const QString &startPath,
                                 const QString &filter)
{
    return QFileDialog::getSaveFileName(parent, title, startPath, filter);
}

// On the free desktops QDesktopServices::openUrl says yes even when no mail
// program exists, so the URL goes to xdg-email (or xdg-open), whose exit code
// tells: 0 started, anything else failed. A handler that stays in the
// foreground (a mail program started by it) is taken as started once it has
// run for a few seconds; the window never waits for it.
bool DesktopPrompts::print(QWidget *parent, const QString &title,
                           const std::function<void(QPagedPaintDevice *)> &paint)
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(title);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    paint(&printer);
    return true;
}

void DesktopPrompts::openMailUrl(const QString &url, std::function<void(MailHandoff)> done)
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    QString program = QStandardPaths::findExecutable(QStringLiteral("xdg-email"));
    if (program.isEmpty())
        program = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (!program.isEmpty()) {
        auto *process = new QProcess(qApp);
        auto reported = std::make_shared<bool>(false);
        auto report = [done, reported](MailHandoff outcome) {
            if (*reported)
                return;
            *reported = true;
            done(outcome);
        };
        process->setProgram(program);
        process->setArguments({QString::fromLatin1(QUrl(url).toEncoded())});
        process->setStandardOutputFile(QProcess::nullDevice());
        process->setStandardErrorFile(QProcess::nullDevice());
        QObject::connect(process, &QProcess::finished, process,
                         [process, report](int exitCode, QProcess::ExitStatus status) {
                             report(status == QProcess::NormalExit && exitCode == 0
                                        ? MailHandoff::Started
                                        : MailHandoff::Failed);
                             process->deleteLater();
                         });
        QObject::connect(process, &QProcess::errorOccurred, process,
                         [process, report](QProcess::ProcessError error) {
                             if (error == QProcess::FailedToStart) {
                                 report(MailHandoff::Failed);
                                 process->deleteLater();
                             }
                         });
        QTimer::singleShot(mailHandlerPatienceMs, process,
                           [report] { report(MailHandoff::Started); });
        process->start();
        return;
    }
    done(QDesktopServices::openUrl(QUrl(url)) ? MailHandoff::Unknown : MailHandoff::Failed);
#else
    done(QDesktopServices::openUrl(QUrl(url)) ? MailHandoff::Started : MailHandoff::Failed);
#endif
}

} // namespace corvane
