#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <QtGlobal>

#include <exception>
#include <memory>

namespace corvane {

// A failure of a string builder operation, with its error number:
// 5 invalid argument, 6 overflow, 9 subscript out of range.
class StringBuilderError : public std::exception
{
public:
    enum Number { InvalidArgument = 5, Overflow = 6, SubscriptOutOfRange = 9 };

    StringBuilderError(int number, const QString &message);

    int number() const { return m_number; }
    const QString &message() const { return m_message; }
    const char *what() const noexcept override { return m_what.constData(); }

private:
    int m_number;
    QString m_message;
    QByteArray m_what;
};

// A text assembled from many pieces. The text sits at the front of a buffer
// that grows at its end in whole chunks (8192 characters unless set), so that
// most additions copy only the new piece. Sizes are kept in bytes with 32-bit
// signed limits; every size and position of the interface is in characters
// (UTF-16 code units). The spare room after the text holds spaces.
//
// A failing operation throws StringBuilderError and leaves the object as it
// was.
class cStringBuilder
{
public:
    static constexpr qint32 DefaultChunkBytes = 16384;

    // Comparison modes of Find.
    enum Compare { BinaryCompare = 0, TextCompare = 1 };

    cStringBuilder() = default;
    cStringBuilder(const cStringBuilder &other);
    cStringBuilder &operator=(const cStringBuilder &other);
    cStringBuilder(cStringBuilder &&other) noexcept;
    cStringBuilder &operator=(cStringBuilder &&other) noexcept;
    ~cStringBuilder() = default;

    // The text's length in characters.
    qint32 Length() const { return m_usedBytes / 2; }
    // The buffer's length in characters.
    qint32 Capacity() const { return m_capacityBytes / 2; }
    // The growth step in characters.
    qint32 ChunkSize() const { return m_chunkBytes / 2; }
    // Sets the growth step; error 5 when iChunkSize <= 0, 6 when its byte
    // count passes the 32-bit range.
    void ChunkSize(qint32 iChunkSize);

    // A copy of the text.
    QString ToString() const;
    // The text without a copy; valid until the next change of the object.
    QStringView view() const
    {
        return QStringView(reinterpret_cast<const QChar *>(m_buffer.get()), Length());
    }
    // Replaces the whole text. An empty text releases the buffer.
    void TheString(QStringView sThis);

    // Adds sThis at the end.
    void Append(QStringView sThis);
    void AppendByVal(QString sThis);
    // Inserts sThis before the character at 0-based iIndex; iIndex equal to
    // Length appends. Error 9 when iIndex is beyond Length.
    void Insert(qint32 iIndex, QStringView sThis);
    void InsertByVal(qint32 iIndex, QString sThis);
    // Removes lLen characters from 0-based iIndex; error 9 when the range
    // reaches beyond the text. The capacity stays.
    void Remove(qint32 iIndex, qint32 lLen);

    // The 1-based position of the first occurrence of sToFind that lies wholly
    // within the text, searching from the 1-based lStartIndex (from the start
    // when it is below 1), or 0. compare: BinaryCompare compares code units,
    // TextCompare ignores letter case as the user's locale sees it. Error 5 for
    // another compare value.
    qint32 Find(QStringView sToFind, qint32 lStartIndex = 0, int compare = BinaryCompare) const;

    // Gives back spare buffer space in whole chunks, keeping at most one chunk.
    void HeapMinimize();

private:
    void reserveBytes(qint64 neededBytes);
    void reallocate(qint32 newCapacityBytes);
    void fillSpaces(qint32 fromByte, qint32 toByte);

    std::unique_ptr<char16_t[]> m_buffer;
    qint32 m_chunkBytes = DefaultChunkBytes;
    qint32 m_usedBytes = 0;
    qint32 m_capacityBytes = 0;
};

} // namespace corvane
