#pragma once

// Text colours that stay readable whatever palette the desktop uses: a
// colour the window was designed with (dark red, blue, black) is kept while it
// stands out enough from the background, and otherwise made lighter (on a dark
// background) or darker (on a light one) in the same hue until it does.

#include <QColor>

namespace corvane {

// The contrast ratio of two colours as the web's accessibility guidelines
// define it: 1 (the same) to 21 (black on white).
double contrastRatio(const QColor &a, const QColor &b);

// wanted itself when its contrast on background is at least minimumRatio,
// else the nearest colour of the same hue that reaches it.
QColor readableColour(const QColor &wanted, const QColor &background, double minimumRatio = 4.5);

} // namespace corvane
