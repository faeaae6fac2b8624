#include "PlainText.h"

using namespace Qt::Literals::StringLiterals;

namespace corvane {

QString plainToolTip(const QString &text)
{
    // Qt takes a tooltip for rich text only when it finds a tag or "&lt;".
    if (!text.contains(u'<') && !text.contains(u'&'))
        return text;
    return u"<p style='white-space:pre'>"_s + text.toHtmlEscaped() + u"</p>"_s;
}

QString literalWindowTitle(const QString &text)
{
    QString title = text;
    title.replace(u"[*]"_s, u"[*][*]"_s);
    return title;
}

} // namespace corvane
