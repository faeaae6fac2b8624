#pragma once

// The number texts on screen: the labels whose text is a count, a total or a
// size (Label1, Label4, Label6, Label22, Label23, Label24). Each label is
// written through show() with the function that makes its text; rewrite()
// runs after a language change and writes anew every label that still shows
// what it was given, so its numbers follow the new language. A label written
// since by anyone else is left alone and forgotten. Sends no signals.

#include <QHash>
#include <QString>

#include <functional>

class QLabel;

namespace corvane {

class NumberTexts
{
public:
    // Writes text() into label and keeps text for rewrite(). text() must
    // hold the values it shows (not read anyone's state later).
    void show(QLabel *label, std::function<QString()> text);
    // The text function of a label that still shows what it was given;
    // empty when something else was written there since.
    std::function<QString()> textOf(QLabel *label) const;
    // After a language change.
    void rewrite();

private:
    struct Shown
    {
        std::function<QString()> text;
        QString shown;
    };
    QHash<QLabel *, Shown> m_shown;
};

} // namespace corvane
