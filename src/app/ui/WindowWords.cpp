// The window's words: the language's entries, captions, and counts and sizes
// as the language in use writes them (with the user's own regional habits
// where the user's locale speaks that language).

#include "WindowWords.h"

#include "app/language/LanguageTable.h"
#include "listfile/SizeText.h"

#include <utility>

namespace corvane {

namespace {

// A caption longer than this is cut: a runaway field in lang.fil must not
// blow the window up to a size no screen holds.
constexpr int MaxCaptionLength = 400;

} // namespace

WindowWords::WindowWords(Prompts &prompts, const QLocale &userLocale)
    : m_prompts(prompts), m_userLocale(userLocale)
{}

void WindowWords::setLanguage(int language, QStringList texts)
{
    m_langText = std::move(texts);
    m_language = language;
}

QString WindowWords::langText(LangEntry entry) const
{
    const int i = langIndex(entry);
    return i >= 0 && i < m_langText.size() ? m_langText.at(i) : QString();
}

QString WindowWords::caption(LangEntry entry) const
{
    QString text = langText(entry);
    if (text.size() > MaxCaptionLength)
        text.truncate(MaxCaptionLength);
    return text;
}

QString WindowWords::fixedWord(LangEntry entry, const QString &english) const
{
    const QString text = caption(entry);
    return text.isEmpty() ? english : text;
}

QLocale WindowWords::numberLocale() const
{
    return displayLocale(m_language, m_userLocale);
}

SizeUnits WindowWords::sizeUnits() const
{
    return SizeUnits::fromText(langText(LangEntry::SizeUnits));
}

QString WindowWords::formatCountShown(qint64 value) const
{
    return formatCount(value, numberLocale());
}

QString WindowWords::formatSizeShown(ByteTotal size) const
{
    return FormatSize(size, numberLocale(), sizeUnits());
}

void WindowWords::ShowNumberText(QLabel *label, std::function<QString()> text)
{
    m_numberTexts.show(label, std::move(text));
}

std::function<QString()> WindowWords::numberTextOf(QLabel *label) const
{
    return m_numberTexts.textOf(label);
}

QString WindowWords::errorTitle() const
{
    return fixedWord(LangEntry::ErrorTitle, QStringLiteral("Error"));
}

QString WindowWords::systemErrorTitle() const
{
    return fixedWord(LangEntry::SystemErrorTitle, QStringLiteral("System error!"));
}

} // namespace corvane
