#include "RecoveryReport.h"

#include "listfile/ListLine.h"
#include "listfile/ListLoader.h"
#include "util/CsvField.h"

#include <QFileInfo>

#include <algorithm>
#include <string_view>
#include <unordered_map>

using namespace Qt::Literals::StringLiterals;

namespace corvane {

namespace {

constexpr std::array<StatusClass, StatusClassCount> Classes = {
    StatusClass::Good, StatusClass::Partial, StatusClass::Bad, StatusClass::Unknown};

struct WordCount
{
    ReportCount count;
    qint64 firstSeen = 0; // the line it was first met on: a tie keeps the list's order
};

// Every status word of the files of bytes, counted in one pass; files
// whose line has no status field in *unknown.
std::unordered_map<std::string_view, WordCount> countWords(const QByteArray &bytes,
                                                           ReportCount *unknown,
                                                           const std::atomic<bool> *stop,
                                                           bool *stopped)
{
    std::unordered_map<std::string_view, WordCount> words;
    const char *p = bytes.constData();
    const char *const end = p + bytes.size();
    if (bytes.startsWith("\xEF\xBB\xBF"))
        p += 3;
    // Lists mostly repeat a few words line after line.
    std::string_view lastWord;
    WordCount *last = nullptr;
    qint64 line = 0;
    while (p < end) {
        const char *lineEnd;
        const LineFields fields = cutLine(p, end, &lineEnd);
        if (lineEnd > p && !hasFolderBit(fields.attributes)) {
            const ByteTotal size = fields.size.value_or(ByteTotal());
            if (!fields.hasStatus) {
                unknown->add(size);
            } else {
                const std::string_view word(fields.status.data(), size_t(fields.status.size()));
                if (!last || word != lastWord) {
                    auto [at, added] = words.try_emplace(word);
                    if (added)
                        at->second.firstSeen = line;
                    last = &at->second;
                    lastWord = word;
                }
                last->count.add(size);
            }
        }
        p = lineEnd;
        if (p < end)
            p += (*p == '\r' && p + 1 < end && p[1] == '\n') ? 2 : 1;
        if ((++line & 0xFFFF) == 0 && stop && stop->load()) {
            *stopped = true;
            break;
        }
    }
    return words;
}

QString escaped(const QString &text)
{
    return text.toHtmlEscaped();
}

QString share(const ReportTexts &texts, qint64 part, qint64 whole)
{
    const double percent = whole > 0 ? 100.0 * double(part) / double(whole) : 0.0;
    return texts.locale.toString(percent, 'f', 1) + u" %"_s;
}

QString classCells(const ReportTexts &texts, const KindCount &count)
{
    QString cells;
    for (const StatusClass c : Classes)
        cells += u"<td class=\"n\">"_s + texts.count(count.filesOf(c)) + u"</td>"_s;
    return cells;
}

QString classHeaders(const ReportTexts &texts)
{
    QString cells;
    for (const StatusClass c : Classes)
        cells += u"<th class=\"n\">"_s + escaped(texts.classNames[size_t(c)]) + u"</th>"_s;
    return cells;
}

QString fact(const QString &name, const QString &value,
             const QString &valueClass = QStringLiteral("wrap"))
{
    return u"<tr><th>"_s + escaped(name) + u"</th><td"_s +
           (valueClass.isEmpty() ? QString() : u" class=\""_s + valueClass + u'"') + u'>' +
           escaped(value) + u"</td></tr>\n"_s;
}

const char16_t styleSheet[] =
    u"body{font-family:sans-serif;font-size:10pt;color:#000;background:#fff}"
    u"h1{font-size:18pt;margin:0 0 0.5em 0}"
    u"h2{font-size:13pt;margin:1.2em 0 0.4em 0}"
    u"table{border-collapse:collapse;margin:0.3em 0}"
    u"th,td{border:1px solid #999;padding:2px 6px;text-align:left;vertical-align:top;"
    u"white-space:nowrap}"
    u".wrap{white-space:normal}"
    u"th{background:#eee}"
    u".n{text-align:right;white-space:nowrap}"
    u".hash{white-space:nowrap;font-size:8.5pt}"
    u".total td{font-weight:bold}"
    u".sign td{border:none;padding:2em 3em 0 0}";

} // namespace

QString reportStatusName(const ReportTexts &texts, const ReportStatusRow &row)
{
    switch (row.kind) {
    case ReportStatusRow::Kind::Word:
        return row.word;
    case ReportStatusRow::Kind::Unknown:
        return texts.noStatus;
    case ReportStatusRow::Kind::Other:
        return texts.otherStatuses.arg(texts.count(row.words));
    }
    return {};
}

ReportCount RecoveryReport::files() const
{
    const KindCount all = kinds.total();
    ReportCount c;
    c.files = all.files;
    c.bytes = all.bytes;
    return c;
}

RecoveryReport gatherReport(const LoadedList &list, const ReportListInfo &info,
                            const std::atomic<bool> *stop)
{
    RecoveryReport report;
    report.list = info;
    report.lines = list.lineCount;
    report.listBytes = list.totalSize;
    const FolderTree &tree = list.SftTree1;
    if (!tree.isEmpty())
        report.kinds = list.kinds.of(tree, 0);

    ReportCount unknown;
    const auto words = countWords(list.iGrid1.bytes(), &unknown, stop, &report.stopped);
    if (report.stopped)
        return report;
    std::vector<std::pair<std::string_view, WordCount>> sorted(words.begin(), words.end());
    std::sort(sorted.begin(), sorted.end(), [](const auto &a, const auto &b) {
        if (a.second.count.files != b.second.count.files)
            return a.second.count.files > b.second.count.files;
        return a.second.firstSeen < b.second.firstSeen;
    });
    ReportStatusRow other;
    other.kind = ReportStatusRow::Kind::Other;
    other.words = 0;
    const ListEncoding encoding = list.iGrid1.encoding();
    for (size_t i = 0; i < sorted.size(); ++i) {
        const QByteArrayView raw(sorted[i].first.data(), qsizetype(sorted[i].first.size()));
        const QString word = decodeListText(raw, encoding);
        const StatusClass statusClass = classifyStatus(word);
        const ReportCount &count = sorted[i].second.count;
        ReportCount &classCount = report.classes[size_t(statusClass)];
        classCount.files += count.files;
        classCount.bytes.tryAdd(count.bytes);
        if (i < size_t(RecoveryReport::MaxStatusRows)) {
            ReportStatusRow row;
            row.word = word;
            row.rawWord = raw.toByteArray();
            row.statusClass = statusClass;
            row.count = count;
            report.statuses.append(row);
        } else {
            if (other.words++ == 0)
                other.statusClass = statusClass;
            other.count.files += count.files;
            other.count.bytes.tryAdd(count.bytes);
        }
    }
    if (other.words > 0)
        report.statuses.append(other);
    if (unknown.files > 0) {
        ReportStatusRow row;
        row.kind = ReportStatusRow::Kind::Unknown;
        row.count = unknown;
        report.statuses.append(row);
        ReportCount &classCount = report.classes[size_t(StatusClass::Unknown)];
        classCount.files += unknown.files;
        classCount.bytes.tryAdd(unknown.bytes);
    }

    if (!tree.isEmpty()) {
        const int top = tree.item(0).childCount;
        for (int row = 0; row < top; ++row) {
            const int item = tree.child(0, row);
            const KindCount count = list.kinds.of(tree, item).total();
            if (row < RecoveryReport::MaxFolderRows) {
                report.folders.append({tree.text(item), count});
            } else {
                ++report.moreFolders;
                report.moreFolderCount.add(count);
            }
        }
    }
    return report;
}

QString reportHtmlText(const RecoveryReport &report, const ReportTexts &texts,
                       const QString &chartSource, const QStringList &statusColours)
{
    const ReportCount files = report.files();
    QString h;
    h.reserve(64 * 1024);
    h += u"<!DOCTYPE html>\n<html lang=\""_s + escaped(texts.languageCode) +
         u"\">\n<head>\n<meta charset=\"utf-8\">\n<title>"_s + escaped(texts.title) +
         u" \u2013 "_s + escaped(report.list.fileName) + u"</title>\n<style>"_s +
         QString::fromUtf16(styleSheet) + u"</style>\n</head>\n<body>\n"_s;
    h += u"<h1>"_s + escaped(texts.title) + u"</h1>\n"_s;

    // The list.
    h += u"<table>\n"_s;
    h += fact(texts.fileName, report.list.fileName);
    if (!report.list.zipName.isEmpty())
        h += fact(texts.zipName, report.list.zipName);
    h += fact(texts.lines, texts.count(report.lines));
    h += fact(texts.bytes, texts.size(report.listBytes));
    if (report.list.opened.isValid())
        h += fact(texts.opened, texts.locale.toString(report.list.opened, QLocale::LongFormat));
    if (!report.list.sha256.isEmpty())
        h += fact(texts.sha256, report.list.sha256, u"hash"_s);
    h += u"</table>\n"_s;

    // By kind.
    h += u"<h2>"_s + escaped(texts.kindsHeading) + u"</h2>\n<table>\n<tr><th>"_s +
         escaped(texts.kindColumn) + u"</th><th class=\"n\">"_s + escaped(texts.filesColumn) +
         u"</th><th class=\"n\">"_s + escaped(texts.bytesColumn) + u"</th>"_s +
         classHeaders(texts) + u"</tr>\n"_s;
    for (int k = 0; k < FileKindCount; ++k) {
        const KindCount &count = report.kinds.kinds[size_t(k)];
        if (count.files == 0)
            continue;
        h += u"<tr><td>"_s + escaped(texts.kindNames[size_t(k)]) + u"</td><td class=\"n\">"_s +
             texts.count(count.files) + u"</td><td class=\"n\">"_s + texts.size(count.bytes) +
             u"</td>"_s + classCells(texts, count) + u"</tr>\n"_s;
    }
    const KindCount all = report.kinds.total();
    h += u"<tr class=\"total\"><td>"_s + escaped(texts.allKinds) + u"</td><td class=\"n\">"_s +
         texts.count(all.files) + u"</td><td class=\"n\">"_s + texts.size(all.bytes) + u"</td>"_s +
         classCells(texts, all) + u"</tr>\n</table>\n"_s;

    // The status split, its picture and the classes.
    h += u"<h2>"_s + escaped(texts.statusHeading) + u"</h2>\n"_s;
    if (!chartSource.isEmpty() && !report.statuses.isEmpty())
        h += u"<p><img src=\""_s + escaped(chartSource) + u"\" alt=\""_s +
             escaped(texts.statusHeading) + u"\" width=\"600\"></p>\n"_s;
    h += u"<table>\n<tr><th></th><th>"_s + escaped(texts.statusColumn) + u"</th><th>"_s +
         escaped(texts.classColumn) + u"</th><th class=\"n\">"_s + escaped(texts.filesColumn) +
         u"</th><th class=\"n\">"_s + escaped(texts.shareColumn) + u"</th><th class=\"n\">"_s +
         escaped(texts.bytesColumn) + u"</th></tr>\n"_s;
    for (qsizetype i = 0; i < report.statuses.size(); ++i) {
        const ReportStatusRow &row = report.statuses[i];
        const QString colour = statusColours.value(i, u"#999999"_s);
        const QString className = row.kind == ReportStatusRow::Kind::Other
                                      ? QString()
                                      : texts.classNames[size_t(row.statusClass)];
        h += u"<tr><td bgcolor=\""_s + escaped(colour) + u"\" style=\"background:"_s +
             escaped(colour) + u";width:1.5em\">&nbsp;</td><td>"_s +
             escaped(reportStatusName(texts, row)) + u"</td><td>"_s + escaped(className) +
             u"</td><td class=\"n\">"_s + texts.count(row.count.files) +
             u"</td><td class=\"n\">"_s + share(texts, row.count.files, files.files) +
             u"</td><td class=\"n\">"_s + texts.size(row.count.bytes) + u"</td></tr>\n"_s;
    }
    h += u"</table>\n<table>\n<tr><th>"_s + escaped(texts.classColumn) +
         u"</th><th class=\"n\">"_s + escaped(texts.filesColumn) + u"</th><th class=\"n\">"_s +
         escaped(texts.shareColumn) + u"</th><th class=\"n\">"_s + escaped(texts.bytesColumn) +
         u"</th></tr>\n"_s;
    for (const StatusClass c : Classes) {
        const ReportCount &count = report.classes[size_t(c)];
        h += u"<tr><td>"_s + escaped(texts.classNames[size_t(c)]) + u"</td><td class=\"n\">"_s +
             texts.count(count.files) + u"</td><td class=\"n\">"_s +
             share(texts, count.files, files.files) + u"</td><td class=\"n\">"_s +
             texts.size(count.bytes) + u"</td></tr>\n"_s;
    }
    h += u"</table>\n"_s;

    // The top-level folders.
    if (!report.folders.isEmpty()) {
        h += u"<h2>"_s + escaped(texts.foldersHeading) + u"</h2>\n<table>\n<tr><th>"_s +
             escaped(texts.folderColumn) + u"</th><th class=\"n\">"_s + escaped(texts.filesColumn) +
             u"</th><th class=\"n\">"_s + escaped(texts.bytesColumn) + u"</th>"_s +
             classHeaders(texts) + u"</tr>\n"_s;
        const auto folderRow = [&](const QString &name, const KindCount &count) {
            // A long name may wrap; a short one keeps its column wide enough.
            h += (name.size() > 40 ? u"<tr><td class=\"wrap\">"_s : u"<tr><td>"_s) + escaped(name) +
                 u"</td><td class=\"n\">"_s + texts.count(count.files) +
                 u"</td><td class=\"n\">"_s + texts.size(count.bytes) + u"</td>"_s +
                 classCells(texts, count) + u"</tr>\n"_s;
        };
        for (const ReportFolderRow &row : report.folders)
            folderRow(row.name, row.count);
        if (report.moreFolders > 0)
            folderRow(texts.moreFolders.arg(texts.count(report.moreFolders)),
                      report.moreFolderCount);
        h += u"</table>\n"_s;
    }

    // The basket and the check.
    if (report.basket && !report.basket->lines.isEmpty()) {
        h += u"<h2>"_s + escaped(texts.basketHeading) + u"</h2>\n"_s;
        for (const QString &line : report.basket->lines)
            h += u"<p>"_s + escaped(line) + u"</p>\n"_s;
    }
    if (report.check && !report.check->rows.isEmpty()) {
        h += u"<h2>"_s + escaped(texts.checkHeading) + u"</h2>\n<p>"_s +
             escaped(report.check->summary) + u"</p>\n<table>\n<tr><th>"_s +
             escaped(texts.checkVerdict) + u"</th><th class=\"n\">"_s +
             escaped(texts.checkMatches) + u"</th><th>"_s + escaped(texts.checkEntry) +
             u"</th><th>"_s + escaped(texts.checkBest) + u"</th><th>"_s +
             escaped(texts.checkStatus) + u"</th></tr>\n"_s;
        for (const ReportCheckRow &row : report.check->rows)
            h += u"<tr><td>"_s + escaped(row.verdict) + u"</td><td class=\"n\">"_s +
                 texts.count(row.matches) + u"</td><td class=\"wrap\">"_s + escaped(row.entry) +
                 u"</td><td class=\"wrap\">"_s + escaped(row.bestPath) + u"</td><td>"_s +
                 escaped(row.bestStatus) + u"</td></tr>\n"_s;
        h += u"</table>\n"_s;
    }

    // The approval.
    h += u"<h2>"_s + escaped(texts.approvalHeading) + u"</h2>\n<table>\n"_s;
    h += fact(texts.sendTo, report.labAddress);
    if (!report.subject.isEmpty())
        h += fact(texts.subject, report.subject);
    h += u"</table>\n<table class=\"sign\"><tr><td>"_s + escaped(texts.placeDate) +
         u" ______________________</td><td>"_s + escaped(texts.signature) +
         u" ______________________________</td></tr></table>\n"_s;
    h += u"</body>\n</html>\n"_s;
    return h;
}

QByteArray reportHtml(const RecoveryReport &report, const ReportTexts &texts,
                      const QString &chartSource, const QStringList &statusColours)
{
    return reportHtmlText(report, texts, chartSource, statusColours).toUtf8();
}

QByteArray reportCsv(const RecoveryReport &report, const ReportTexts &texts)
{
    QByteArray csv = "section,id,name,files,bytes,good,partial,bad,unknown\r\n";
    const auto row = [&](const char *section, const QString &id, const QString &name,
                         qint64 filesCount, ByteTotal bytes,
                         const std::array<qint64, StatusClassCount> &classFiles) {
        csv += section;
        csv += ',';
        appendCsvField(csv, id);
        csv += ',';
        appendCsvField(csv, name);
        csv +=
            ',' + QByteArray::number(filesCount) + ',' + QByteArray::number(bytes.roundedBytes());
        for (const qint64 n : classFiles)
            csv += ',' + QByteArray::number(n);
        csv += "\r\n";
    };
    for (int k = 0; k < FileKindCount; ++k) {
        const KindCount &count = report.kinds.kinds[size_t(k)];
        row("kind", fileKindId(FileKind(k)), texts.kindNames[size_t(k)], count.files, count.bytes,
            count.classFiles);
    }
    const KindCount all = report.kinds.total();
    row("kind", u"total"_s, texts.allKinds, all.files, all.bytes, all.classFiles);
    for (const StatusClass c : Classes) {
        const ReportCount &count = report.classes[size_t(c)];
        std::array<qint64, StatusClassCount> classFiles{};
        classFiles[size_t(c)] = count.files;
        row("class", statusClassName(c), texts.classNames[size_t(c)], count.files, count.bytes,
            classFiles);
    }
    return csv;
}

std::optional<ReportFormat> reportFormatOf(const QString &fileName)
{
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix == u"pdf"_s)
        return ReportFormat::Pdf;
    if (suffix == u"html"_s || suffix == u"htm"_s)
        return ReportFormat::Html;
    if (suffix == u"csv"_s)
        return ReportFormat::Csv;
    return std::nullopt;
}

} // namespace corvane
