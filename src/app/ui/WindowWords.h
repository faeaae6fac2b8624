#pragma once

// The words and numbers of the window as its controllers read them: the
// entries of the language in use (set by the window's language load), the
// number format that goes with it, the labels that show numbers (written anew
// after a language change), the failure titles and the prompts. The window
// adds what needs the window itself: the parent of prompts, the per-user data
// folder and the report of a state file it ignored.

#include "NumberTexts.h"
#include "Prompts.h"
#include "WindowContext.h"
#include "app/language/LangEntry.h"

#include <QLocale>
#include <QString>
#include <QStringList>

#include <functional>

namespace corvane {

class WindowWords : public WindowContext
{
public:
    WindowWords(Prompts &prompts, const QLocale &userLocale);

    // The entries of the language in use, one a LangEntry.
    const QStringList &LangText() const { return m_langText; }

    QString langText(LangEntry entry) const override;
    QString caption(LangEntry entry) const override;
    QString fixedWord(LangEntry entry, const QString &english) const override;
    int currentLanguage() const override { return m_language; }
    const QLocale &userLocale() const override { return m_userLocale; }
    Prompts &prompts() const override { return m_prompts; }
    // Counts and sizes as the language in use writes them; the user's own
    // locale where it speaks that language.
    QLocale numberLocale() const override;
    SizeUnits sizeUnits() const override;
    QString formatCountShown(qint64 value) const override;
    QString formatSizeShown(ByteTotal size) const override;
    void ShowNumberText(QLabel *label, std::function<QString()> text) override;
    std::function<QString()> numberTextOf(QLabel *label) const override;
    QString errorTitle() const override;
    QString systemErrorTitle() const override;

protected:
    // The entries of `language` (at least LanguageEntryCount of them).
    void setLanguage(int language, QStringList texts);
    // After a language change: every label showing numbers written anew.
    void rewriteNumberTexts() { m_numberTexts.rewrite(); }

private:
    Prompts &m_prompts;
    QLocale m_userLocale;
    QStringList m_langText;
    int m_language = 0;
    NumberTexts m_numberTexts;
};

} // namespace corvane
