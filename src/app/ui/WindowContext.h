#pragma once

// What every controller of the window may use of it, and nothing more: the
// texts of the language in use, the number format, the prompts and the
// per-user data folder. The main window provides it; a controller is given
// it with the widgets it drives and the list session, and never sees the
// window itself. A language change reaches a controller through its own
// retranslate step, which the window calls.

#include "Prompts.h"
#include "app/language/LangEntry.h"
#include "listfile/ByteTotal.h"
#include "listfile/SizeText.h"
#include "listfile/StateFile.h"

#include <QLocale>
#include <QString>

#include <functional>

class QLabel;
class QWidget;

namespace corvane {

class WindowContext
{
public:
    virtual ~WindowContext() = default;

    // The language in use: LangText entry `entry` (empty when there is
    // none), as a caption (cut to the length a caption may have), or the
    // English word when the table has none.
    virtual QString langText(LangEntry entry) const = 0;
    virtual QString caption(LangEntry entry) const = 0;
    virtual QString fixedWord(LangEntry entry, const QString &english) const = 0;
    virtual int currentLanguage() const = 0;
    // The titles of the message boxes that report a failure.
    virtual QString errorTitle() const = 0;
    virtual QString systemErrorTitle() const = 0;

    // Counts and sizes as the language in use writes them.
    virtual QLocale numberLocale() const = 0;
    virtual SizeUnits sizeUnits() const = 0;
    virtual QString formatCountShown(qint64 value) const = 0;
    virtual QString formatSizeShown(ByteTotal size) const = 0;
    // Writes text() into label, and anew after each language change while
    // the label still shows it (text() holds the values it shows).
    virtual void ShowNumberText(QLabel *label, std::function<QString()> text) = 0;
    virtual std::function<QString()> numberTextOf(QLabel *label) const = 0;

    // The user's locale (dates, the language pick).
    virtual const QLocale &userLocale() const = 0;
    // Message boxes, dialogs, the mail and URL hand-off, the clipboard; the
    // parent for them.
    virtual Prompts &prompts() const = 0;
    virtual QWidget *promptParent() = 0;
    // The per-user folder the program writes to (created on first use), and
    // the report of one of its files found to be what it must not be.
    virtual QString dataFolder() const = 0;
    virtual void ReportIgnoredStateFile(const QString &path, StateFileProblem problem) const = 0;
};

} // namespace corvane
