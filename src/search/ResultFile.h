#pragma once

// The search result file: the matching lines of a list, in list order, each
// as read (letter case and every column kept) followed by CR LF, in UTF-16LE
// without a byte-order mark. It lives in the per-user data folder as
// tFile.csv and loads back through the ordinary loader.

#include "listfile/ListText.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace corvane {

// Where matching lines go: the result file, or a terminal.
class MatchSink
{
public:
    virtual ~MatchSink() = default;
    // Takes one matching line as read (without its line end). False when it
    // could not be kept; error() says why.
    virtual bool add(QByteArrayView line, ListEncoding encoding) = 0;
    // Everything added is in place; false with error() when not.
    virtual bool finish() = 0;
    // The lines that are surely kept (a line that could not be written is
    // not counted).
    virtual qint64 linesKept() const = 0;
    virtual QString error() const = 0;
};

// "tFile.csv" in the given folder.
QString resultFilePath(const QString &dataFolder);

// The result file to write when listPath is searched: tFile.csv in the data
// folder, or "tFile-2.csv" when the list being searched is tFile.csv itself
// (a result opened as a list is never overwritten by its own search).
QString resultFilePathFor(const QString &dataFolder, const QString &listPath);

// Writes the result file. Nothing appears at the path until finish(): the
// lines go to a temporary file beside it, which then replaces the path in
// one step. A result that could not be written to its end leaves the path
// as it was.
class ResultFileWriter final : public MatchSink
{
public:
    explicit ResultFileWriter(const QString &path);
    ~ResultFileWriter() override; // a writer not finished removes its temporary file
    ResultFileWriter(const ResultFileWriter &) = delete;
    ResultFileWriter &operator=(const ResultFileWriter &) = delete;

    // Creates the temporary file; false with error() when it cannot be created.
    bool open();
    bool add(QByteArrayView line, ListEncoding encoding) override;
    bool finish() override;
    void abandon(); // removes the temporary file; the path is left as it was
    qint64 linesKept() const override { return m_kept; }
    QString error() const override { return m_error; }

private:
    bool flush();

    QString m_path;
    QByteArray m_tempPath;
    int m_fd = -1;
    QByteArray m_buffer;
    qint64 m_linesInBuffer = 0;
    qint64 m_kept = 0;
    QString m_error;
};

// Appends the UTF-16LE form of a list line as read, followed by CR LF.
void appendUtf16Line(QByteArray &out, QByteArrayView line, ListEncoding encoding);

// A list line decoded as the window shows it (field by field).
QString decodeLine(QByteArrayView line, ListEncoding encoding);

} // namespace corvane
