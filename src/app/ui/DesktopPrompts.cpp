#include "Prompts.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>

namespace corvane {

namespace {

QMessageBox::StandardButton showBox(QWidget *parent, QMessageBox::Icon icon, const QString &text,
                                    const QString &title, QMessageBox::StandardButtons buttons,
                                    QMessageBox::StandardButton defaultButton, bool systemModal)
{
    QMessageBox box(icon, title, text, buttons, parent);
    box.setDefaultButton(defaultButton);
    // Application-modal is the nearest a Qt program gets to a system-modal box.
    box.setWindowModality(systemModal || !parent ? Qt::ApplicationModal : Qt::WindowModal);
    return QMessageBox::StandardButton(box.exec());
}

} // namespace

bool DesktopPrompts::question(QWidget *parent, const QString &text, const QString &title,
                              bool systemModal)
{
    return showBox(parent, QMessageBox::Question, text, title, QMessageBox::Yes | QMessageBox::No,
                   QMessageBox::Yes, systemModal) == QMessageBox::Yes;
}

void DesktopPrompts::warning(QWidget *parent, const QString &text, const QString &title,
                             bool systemModal)
{
    showBox(parent, QMessageBox::Warning, text, title, QMessageBox::Ok, QMessageBox::Ok,
            systemModal);
}

void DesktopPrompts::message(QWidget *parent, const QString &text, const QString &title,
                             bool systemModal)
{
    showBox(parent, QMessageBox::NoIcon, text, title, QMessageBox::Ok, QMessageBox::Ok,
            systemModal);
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

} // namespace corvane
