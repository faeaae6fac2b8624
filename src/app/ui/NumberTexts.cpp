// The labels that show numbers, written anew after a language change.

#include "NumberTexts.h"

#include <QLabel>

namespace corvane {

void NumberTexts::show(QLabel *label, std::function<QString()> text)
{
    const QString shown = text();
    label->setText(shown);
    m_shown.insert(label, {std::move(text), shown});
}

std::function<QString()> NumberTexts::textOf(QLabel *label) const
{
    const auto found = m_shown.constFind(label);
    if (found == m_shown.cend() || found->shown != label->text())
        return {};
    return found->text;
}

// A label still showing what show() wrote gets its text made anew; one
// written since by anyone else is left alone.
void NumberTexts::rewrite()
{
    for (auto it = m_shown.begin(); it != m_shown.end();) {
        if (it.key()->text() != it->shown) {
            it = m_shown.erase(it);
            continue;
        }
        it->shown = it->text();
        it.key()->setText(it->shown);
        ++it;
    }
}

} // namespace corvane
