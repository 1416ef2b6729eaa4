#pragma once

#include <QByteArrayView>

#include <optional>

namespace tramora::pdf {

// Thrown by a scan that must end the whole count (a number too long for 32 bits); caught
// where the count starts, never outside the counter.
struct CountAborted
{
};

// A read position over one byte buffer. Every scan stops at the end of the buffer, so no
// byte outside it is ever read, whatever the buffer holds.
class PdfScanner final
{
public:
    explicit PdfScanner(QByteArrayView buffer, qsizetype position = 0)
        : m_buffer(buffer)
        , m_position(position)
    { }

    QByteArrayView buffer() const { return m_buffer; }
    qsizetype position() const { return m_position; }
    // False, and the position unchanged, when the place lies outside the buffer.
    bool moveTo(qint64 position);
    bool atEnd() const { return m_position >= m_buffer.size(); }
    char current() const { return m_buffer[m_position]; }

    // Over bytes of value 32 or less.
    void SkipBlankSpace();
    // Over the white space of the file format only, so that no data byte is taken for a blank.
    void skipWhiteSpace();
    // An unsigned decimal run after blanks; throws CountAborted when it exceeds 32 bits.
    std::optional<qint32> GetNumber();
    bool IsString(QByteArrayView token);
    // The key at the top level of the dictionary the scanner is in or about to enter.
    bool FindStrInDict(QByteArrayView key);
    // Just past the ">>" that closes the dictionary the scanner is in.
    bool FindEndOfDict();
    // The last occurrence of the token that ends before the fifth byte from the end; the
    // scanner lands just after it.
    bool findBackward(QByteArrayView token);
    // Forward to the next byte equal to c.
    bool moveToNext(char c);
    // Called just after a number: true when a generation number and R follow, so that the
    // number was an object reference. The scanner stays where it was.
    bool referenceMarkFollows();

private:
    QByteArrayView m_buffer;
    qsizetype m_position = 0;
};

} // namespace tramora::pdf
