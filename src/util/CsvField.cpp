#include "CsvField.h"

namespace corvane {

void appendCsvField(QByteArray &out, QStringView field)
{
    const QByteArray bytes = field.toUtf8();
    const bool quote =
        bytes.contains(',') || bytes.contains('"') || bytes.contains('\r') || bytes.contains('\n');
    if (!quote) {
        out += bytes;
        return;
    }
    out += '"';
    for (char c : bytes) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}

} // namespace corvane
