#include "DifferenceFile.h"

#include "listfile/ListLine.h"
#include "util/CsvField.h"

using namespace Qt::Literals::StringLiterals;

namespace corvane {

namespace {

constexpr qsizetype PieceBytes = 1 << 20;

} // namespace

QString listChangeName(ListChange change)
{
    switch (change) {
    case ListChange::Added:
        return u"added"_s;
    case ListChange::Removed:
        return u"removed"_s;
    case ListChange::StatusChanged:
        return u"status changed"_s;
    case ListChange::SizeChanged:
        break;
    }
    return u"size changed"_s;
}

QByteArray differencesCsvHeader()
{
    return QByteArrayLiteral("change,path,old status,new status,old size,new size\r\n");
}

void appendDifferenceCsv(QByteArray &out, const ListDifference &difference,
                         const LoadedList &oldList, const LoadedList &newList)
{
    const LineStore &o = oldList.iGrid1;
    const LineStore &n = newList.iGrid1;
    const QByteArrayView oldLine =
        difference.oldLine() >= 0 ? o.line(difference.oldLine()) : QByteArrayView();
    const QByteArrayView newLine =
        difference.newLine() >= 0 ? n.line(difference.newLine()) : QByteArrayView();
    const bool inNew = difference.newLine() >= 0;
    appendCsvField(out, listChangeName(difference.change()));
    out += ',';
    appendCsvField(out, inNew ? n.decode(pathBelowTop(newLine)) : o.decode(pathBelowTop(oldLine)));
    out += ',';
    if (difference.oldLine() >= 0)
        appendCsvField(out, o.decode(lineFields(oldLine).status));
    out += ',';
    if (inNew)
        appendCsvField(out, n.decode(lineFields(newLine).status));
    out += ',';
    if (difference.oldLine() >= 0)
        appendCsvField(out, o.decode(fieldAt(oldLine, ListField::Size)));
    out += ',';
    if (inNew)
        appendCsvField(out, n.decode(fieldAt(newLine, ListField::Size)));
    out += "\r\n";
}

SaveListResult saveDifferencesCsv(const ListComparison &comparison, const LoadedList &oldList,
                                  const LoadedList &newList, const QString &outPath,
                                  const QStringList &keep, const DifferenceFilter &filter)
{
    qint64 lines = 0;
    SaveListResult result = saveFileAs(outPath, keep, [&](SaveWriter &out) {
        QByteArray piece = differencesCsvHeader();
        for (const ListDifference &d : comparison.differences) {
            if (filter && !filter(d))
                continue;
            appendDifferenceCsv(piece, d, oldList, newList);
            ++lines;
            if (piece.size() >= PieceBytes) {
                if (!out.write(piece))
                    return false;
                piece.clear();
            }
        }
        return out.write(piece);
    });
    if (result.ok()) {
        result.lines = lines;
        result.encoding = ListEncoding::Utf8;
    }
    return result;
}

SaveListResult saveDifferencesList(const ListComparison &comparison, const LoadedList &newList,
                                   const QString &outPath, const QStringList &keep,
                                   const DifferenceFilter &filter)
{
    // One bit a line of NEW: the lines to write.
    std::vector<bool> chosen(size_t(newList.iGrid1.count()), false);
    for (const ListDifference &d : comparison.differences) {
        if (d.newLine() >= 0 && (!filter || filter(d)))
            chosen[size_t(d.newLine())] = true;
    }
    return saveListFile(newList.iGrid1, outPath, keep,
                        [&chosen](qsizetype line) { return chosen[size_t(line)]; });
}

} // namespace corvane
