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
    return QFileDialog::getOpenFileName(parent, title, startFolder, filter);
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
