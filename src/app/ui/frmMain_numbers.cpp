// The number format of the window: counts, totals and sizes as the language in
// use writes them (with the user's own regional habits where the user's
// locale speaks that language); the labels that show them are kept by
// NumberTexts. Also the titles of the failure messages.

#include "frmMain.h"

using namespace Qt::Literals::StringLiterals;

namespace corvane {

QLocale frmMain::numberLocale() const
{
    return displayLocale(m_language, m_settings.locale);
}

SizeUnits frmMain::sizeUnits() const
{
    return SizeUnits::fromText(langText(LangEntry::SizeUnits));
}

QString frmMain::formatCountShown(qint64 value) const
{
    return formatCount(value, numberLocale());
}

QString frmMain::formatSizeShown(ByteTotal size) const
{
    return FormatSize(size, numberLocale(), sizeUnits());
}

void frmMain::ShowNumberText(QLabel *label, std::function<QString()> text)
{
    m_numberTexts.show(label, std::move(text));
}

std::function<QString()> frmMain::numberTextOf(QLabel *label) const
{
    return m_numberTexts.textOf(label);
}

QString frmMain::errorTitle() const
{
    return fixedWord(LangEntry::ErrorTitle, QStringLiteral("Error"));
}

QString frmMain::systemErrorTitle() const
{
    return fixedWord(LangEntry::SystemErrorTitle, QStringLiteral("System error!"));
}

} // namespace corvane
