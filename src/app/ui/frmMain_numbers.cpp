// The number format of the window: counts, totals and sizes as the language in
// use writes them (with the user's own regional habits where the user's
// locale speaks that language), and every number text on screen written anew
// when the language changes.

#include "frmMain.h"

#include <QLabel>

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
    const QString shown = text();
    label->setText(shown);
    m_numberTexts.insert(label, {std::move(text), shown});
}

std::function<QString()> frmMain::numberTextOf(QLabel *label) const
{
    const auto found = m_numberTexts.constFind(label);
    if (found == m_numberTexts.cend() || found->shown != label->text())
        return {};
    return found->text;
}

// A label still showing what ShowNumberText wrote gets it in the new number
// format; one written since by anyone else is left alone.
void frmMain::RenumberShown()
{
    for (auto it = m_numberTexts.begin(); it != m_numberTexts.end();) {
        if (it.key()->text() != it->shown) {
            it = m_numberTexts.erase(it);
            continue;
        }
        it->shown = it->text();
        it.key()->setText(it->shown);
        ++it;
    }
}

} // namespace corvane
