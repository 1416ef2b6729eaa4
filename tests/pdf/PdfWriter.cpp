#include "PdfWriter.h"

#include <zlib.h>

#include <algorithm>

namespace tramora::test {

QByteArray deflated(const QByteArray &data, int windowBits)
{
    z_stream stream{};
    deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, windowBits, 8, Z_DEFAULT_STRATEGY);
    QByteArray out(static_cast<qsizetype>(deflateBound(&stream, data.size())), '\0');
    stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(data.data()));
    stream.avail_in = static_cast<uInt>(data.size());
    stream.next_out = reinterpret_cast<Bytef *>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    deflate(&stream, Z_FINISH);
    out.resize(static_cast<qsizetype>(stream.total_out));
    deflateEnd(&stream);
    return out;
}

QByteArray pngUpFiltered(const QByteArray &data, int columns)
{
    QByteArray out;
    for (qsizetype row = 0; row * columns < data.size(); ++row) {
        out += char(2);
        for (int column = 0; column < columns && row * columns + column < data.size(); ++column) {
            const qsizetype at = row * columns + column;
            const int up = row > 0 ? static_cast<unsigned char>(data[at - columns]) : 0;
            out += char((static_cast<unsigned char>(data[at]) - up) & 0xff);
        }
    }
    return out;
}

QByteArray xrefRows(const std::vector<XrefRow> &rows, int w1, int w2, int w3)
{
    QByteArray out;
    const auto field = [&](quint32 value, int width) {
        for (int i = width - 1; i >= 0; --i)
            out += char(i < 4 ? (value >> (8 * i)) & 0xff : 0);
    };
    for (const XrefRow &row : rows) {
        field(quint32(row.type), w1);
        field(row.field2, w2);
        field(row.field3, w3);
    }
    return out;
}

PdfWriter::PdfWriter(const QByteArray &header)
    : m_bytes(header)
{ }

void PdfWriter::object(int number, const QByteArray &body)
{
    m_offsets[number] = m_bytes.size();
    m_sinceSection.push_back(number);
    m_bytes += QByteArray::number(number) + " 0 obj\n" + body + "\nendobj\n";
}

void PdfWriter::stream(int number, const QByteArray &dictionary, const QByteArray &data)
{
    const QByteArray length = dictionary.contains("/Length")
        ? QByteArray()
        : " /Length " + QByteArray::number(data.size());
    object(number, "<< " + dictionary + length + " >>\nstream\n" + data + "\nendstream");
}

qsizetype PdfWriter::objectStream(int number,
                                  const std::vector<std::pair<int, QByteArray>> &members,
                                  const QByteArray &extraDictionary)
{
    QByteArray header;
    QByteArray texts;
    for (const auto &[member, text] : members) {
        header += QByteArray::number(member) + ' ' + QByteArray::number(texts.size()) + ' ';
        texts += text + '\n';
    }
    const QByteArray data = deflated(header + texts);
    stream(number,
           "/Type /ObjStm /N " + QByteArray::number(qsizetype(members.size())) + " /First "
               + QByteArray::number(header.size()) + " /Filter /FlateDecode" + extraDictionary,
           data);
    return data.size();
}

void PdfWriter::classicSection(const QByteArray &trailerEntries)
{
    std::vector<int> numbers = m_sinceSection;
    const bool first = m_lastSection < 0;
    if (first)
        numbers.push_back(0);
    std::sort(numbers.begin(), numbers.end());
    const qint64 at = m_bytes.size();
    m_bytes += "xref\n";
    for (std::size_t i = 0; i < numbers.size();) {
        std::size_t j = i;
        while (j + 1 < numbers.size() && numbers[j + 1] == numbers[j] + 1)
            ++j;
        m_bytes
            += QByteArray::number(numbers[i]) + ' ' + QByteArray::number(qint64(j - i + 1)) + '\n';
        for (std::size_t k = i; k <= j; ++k) {
            if (numbers[k] == 0)
                m_bytes += "0000000000 65535 f \n";
            else
                m_bytes += QByteArray::number(m_offsets.at(numbers[k])).rightJustified(10, '0')
                    + " 00000 n \n";
        }
        i = j + 1;
    }
    m_bytes += "trailer\n<< /Size " + QByteArray::number(numbers.back() + 1) + ' ' + trailerEntries;
    if (!first)
        m_bytes += " /Prev " + QByteArray::number(m_lastSection);
    m_bytes += " >>\n";
    m_lastSection = at;
    m_sinceSection.clear();
    end(at);
}

void PdfWriter::xrefStream(int number, const QByteArray &dictionary, const QByteArray &data)
{
    m_lastSection = m_bytes.size();
    stream(number, dictionary, data);
    m_sinceSection.clear();
    end(m_lastSection);
}

void PdfWriter::end(qint64 startxref)
{
    m_bytes += "startxref\n" + QByteArray::number(startxref) + "\n%%EOF\n";
}

} // namespace tramora::test
