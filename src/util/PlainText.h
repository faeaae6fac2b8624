#pragma once

// Text from a list or an archive shown where Qt would read markup from it:
// a tooltip takes anything that looks like HTML as rich text (and loads the
// images it names), a window title drops every "[*]". These give the text
// in a form that each shows exactly as it is.

#include <QString>

namespace corvane {

// A tooltip that shows text literally, line ends included: the text itself
// when Qt cannot take it for markup (it holds no "<" and no "&"), otherwise
// the text escaped inside markup of our own that keeps its spaces and lines.
QString plainToolTip(const QString &text);

// A window title that shows text literally: each "[*]" (the place of the
// modified mark, which Qt removes) doubled, as Qt reads a literal "[*]".
QString literalWindowTitle(const QString &text);

} // namespace corvane
