#pragma once

#include <QByteArray>

#include <map>
#include <vector>

namespace tramora::test {

// zlib format at the given window size.
QByteArray deflated(const QByteArray &data, int windowBits = 15);
// Rows of columns bytes, each sent through the PNG "Up" filter behind its type byte.
QByteArray pngUpFiltered(const QByteArray &data, int columns);

// One row of a cross-reference stream: type, second and third field.
struct XrefRow
{
    int type;
    quint32 field2;
    quint32 field3;
};
// The rows as big-endian fields of the given widths.
QByteArray xrefRows(const std::vector<XrefRow> &rows, int w1, int w2, int w3);

// Writes a small PDF file by hand, so that a test shows exactly the bytes the counter meets.
class PdfWriter final
{
public:
    explicit PdfWriter(const QByteArray &header
                       = QByteArrayLiteral("%PDF-1.7\n%\xE2\xE3\xCF\xD3\n"));

    void object(int number, const QByteArray &body);
    // A stream object; /Length is added to the dictionary unless it holds one.
    void stream(int number, const QByteArray &dictionary, const QByteArray &data);
    // An object stream whose members are the given (number, text) pairs, in order.
    // Returns the length of its compressed data.
    qsizetype objectStream(int number, const std::vector<std::pair<int, QByteArray>> &members,
                           const QByteArray &extraDictionary = {});
    // Lists the object at another place in the next table, as a faulty writer would.
    void relocate(int number, qint64 offset) { m_offsets[number] = offset; }

    // A classic table of the objects written since the last section (object 0 free in the
    // first one), its trailer with the extra entries and /Prev to the previous section.
    void classicSection(const QByteArray &trailerEntries);
    // A cross-reference stream object whose dictionary and data the caller gives whole.
    void xrefStream(int number, const QByteArray &dictionary, const QByteArray &data);
    // startxref pointing at offset, and the end-of-file mark.
    void end(qint64 startxref);

    qint64 offsetOf(int number) const { return m_offsets.at(number); }
    qint64 size() const { return m_bytes.size(); }
    qint64 lastSection() const { return m_lastSection; }
    void append(const QByteArray &raw) { m_bytes += raw; }
    const QByteArray &bytes() const { return m_bytes; }

private:
    QByteArray m_bytes;
    std::map<int, qint64> m_offsets;
    std::vector<int> m_sinceSection;
    qint64 m_lastSection = -1;
};

} // namespace tramora::test
